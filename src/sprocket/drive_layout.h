// Where the parts of a chain drive stand: this sprocket about the origin, the driven one about
// (C, 0) turned so that its seats meet the chain, the chain's pitch line round both, and the
// rollers along it. Lengths in the design's unit, y up, angles counter-clockwise from +X.
#pragma once

#include <optional>
#include <vector>

#include "geometry/path.h"
#include "sprocket/design.h"
#include "sprocket/run.h"

namespace toothwright {

struct DriveLayout {
  SprocketRun driven;  // the driven sprocket about its own centre, unturned, without holes
  // This sprocket's holes then its outline, turned by driver_turn: as the part is, unless its
  // wrap holds no seat, when it is turned so that one sits where the chain comes on.
  std::vector<Path> driver_paths;
  double driver_turn = 0;  // radians
  Point driven_centre;     // (C, 0)
  double driven_turn = 0;  // radians, in [0, one tooth angle)
  Path driven_outline;     // the driven outline turned and moved to driven_centre
  // The chain's pitch line, closed and clockwise: round this pitch circle from the lower to
  // the upper tangent point, along the upper span, round the driven pitch circle, back along
  // the lower span.
  Path pitch_line;
  // The rollers' centres in chain order along the pitch line, each the chord of one pitch from
  // the one before, which on a pitch circle puts it in a seat; roller 1 sits in a seat of this
  // sprocket where the chain comes on. The last link, from the last roller back to the first,
  // closes the loop: it is longer or shorter than a pitch by the slack.
  std::vector<Point> rollers;
  double slack = 0;  // the loop's length in pitch chords less links * pitch
};

// The layout of a design with a drive (design.drive set); driver is its built sprocket, and
// driven the driven one when the design's checks built it (else it is built here).
DriveLayout LayOutDrive(const Design& design, const SprocketRun& driver,
                        std::optional<SprocketRun> driven = std::nullopt);

// path turned by turn radians about the origin, then moved by offset.
Path Placed(const Path& path, double turn, Point offset);

}  // namespace toothwright
