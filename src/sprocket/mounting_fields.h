// The mounting fields read into a Mounting and checked against the room the teeth leave.
#pragma once

#include <optional>
#include <string_view>
#include <variant>

#include "numbers/units.h"
#include "sprocket/fields.h"
#include "sprocket/mounting.h"

namespace toothwright {

// The room the part offers its holes.
struct MountingRoom {
  // Every hole, the keyway's far corners included, lies within this distance of the centre:
  // the circle through the seats' innermost points less a wall of a tenth of the pitch.
  double wall_radius = 0;
};

// The mounting the fields give, or the message of the first field that fails, in the order
// bore diameter, keyway width, keyway depth, bolt holes, bolt hole diameter, bolt circle.
// A field fails when it is not a number (bolt holes: not a whole number from 1 to
// kMaxBoltHoles) or not above 0; a keyway field fails without a bore, and either keyway field
// without the other (likewise the three bolt fields). The bore and the keyway depth fail when
// the bore or the keyway's far corners leave less than the wall; the keyway width fails unless
// below the bore diameter. The bolt circle fails when its holes touch or overlap each other,
// the bore with its keyway, or the wall. unit names the length unit in the reasons, which name
// the values that would pass. The cutter is judged against these openings with the tool
// diameter, before them.
std::variant<Mounting, FieldError> ReadMounting(const FieldTexts& fields, const MountingRoom& room,
                                                LengthUnit unit);

}  // namespace toothwright
