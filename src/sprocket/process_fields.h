// What cuts the part, and the options that belong to it: the process word, the options no
// other process takes, and a beam's power, passes, pierce and heights.
#pragma once

#include <optional>
#include <string_view>
#include <variant>

#include "numbers/units.h"
#include "sprocket/fields.h"
#include "sprocket/machining.h"

namespace toothwright {

// "mill", "laser", "plasma" or "waterjet" in any case, blanks and tabs ignored; blank is the
// mill. nullopt for any other word.
std::optional<Process> ReadProcess(std::string_view text);

// The process as typed in its field: "mill", "laser", "plasma", "waterjet".
const char* ProcessWord(Process process);

// How reasons name the process's machine: "A mill", "A laser", "A plasma torch", "A waterjet".
const char* MachineOf(Process process);

// The first option given (a text not blank, a tick ticked), in field order, that the process
// does not take, refused on its own field with a reason naming what to do: depth of cut, depth
// per pass, tab height, ramp angle, plunge feed, tool diameter and the controller's offset
// belong to the mill; kerf to the beams; power and passes to the laser; pierce delay, pierce
// height and cut height to plasma and waterjet; safe Z and spindle speed to all but the laser.
std::optional<FieldError> RefuseForeignOptions(const FieldTexts& fields, Process process);

// Whether the process takes the option of field: false exactly for the options
// RefuseForeignOptions refuses for it, true for every other (the process itself among them).
bool ProcessTakes(Process process, Field field);

// A beam's power, passes, pierce delay and heights, read after every other machining option,
// in that order. A laser needs its power; plasma and waterjet their pierce delay, plasma its
// pierce and cut heights, and travels at the
// safe Z or else the mill's 2 units; a waterjet writes only the heights given and travels at
// the highest of them. Each height lies at or below the one before it, and the pierce below
// the travel height.
std::variant<BeamOptions, FieldError> ReadBeam(const FieldTexts& fields, Process process,
                                               std::optional<double> safe_z, LengthUnit unit);

}  // namespace toothwright
