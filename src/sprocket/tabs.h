// Where holding tabs sit on a sprocket's path (the outline, or the cutter's path made from
// it): centred on tooth tips, where a file cleans the stub up most easily.
#pragma once

#include <optional>
#include <vector>

#include "geometry/path.h"

namespace toothwright {

// The centres of `count` tabs as lengths along the path from its start, ascending. Tab k
// (0 <= k < count) sits on tooth 1 + floor(k * N / count), N the highest tooth of the path:
// at the middle of the tooth's Top segment when it has one, else at the middle of the stretch
// between its two flanks (the rounding arc about the tip on a cutter's path, the tip point on
// the outline). Empty for a path without teeth. 1 <= count <= N.
std::vector<double> TabCentres(const Path& path, int count);

// The shortest part of the path between two seats among the teeth that carry a tab: the
// length of the tooth's segments that are not seats. A tab must be shorter than this to stay
// clear of the seats and of the next tab. Infinite for a path without teeth.
double RoomForTabs(const Path& path, int count);

// The tooth that carries tab k of count on a sprocket of N teeth.
int TabTooth(int k, int count, int N);

// The middle of tooth (1..N) along the path, where a tab on it is centred (see TabCentres):
// the middle of its top, or of the stretch between its flanks. nullopt when the path has no
// such tooth.
std::optional<double> ToothMiddle(const Path& path, int tooth);

}  // namespace toothwright
