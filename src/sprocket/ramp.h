// Passes that go down along the cutter's path at a slope instead of plunging straight down:
// the moves of every pass of one contour, ready to be written.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "geometry/path.h"
#include "sprocket/toolpath.h"

namespace toothwright {

// A piece shorter than this is cut level, never on a slope: the slope of a move a few rounded
// digits long is not what its numbers say.
inline constexpr double kShortestRampPiece = 1e-3;
// Each ramp is planned this share shallower than its slope allows, so that the rounding of
// its pieces' ends cannot make a move steeper than the slope.
inline constexpr double kRampSlack = 0.01;
// A ramp that needs more legs (or, winding round a path, more turns) than this is not made.
inline constexpr int kMostRampLegs = 200;

struct RampMove {
  bool vertical = false;  // straight up or down at the current point to `depth`
  Segment piece;          // otherwise: along the toolpath, a whole segment or part of one
  // The depth (magnitude below Z0) at the move's end when it changes there; the pass's depth
  // when it is reached exactly.
  std::optional<double> depth;
  bool down = false;  // the move goes deeper
  // The index of the toolpath's segment when the piece is all of it, travelled forwards.
  std::optional<size_t> whole;
};

// Where a ramp had too little room.
enum class RampRoom : unsigned char {
  EntryArc,     // the entry arc it goes down along
  BetweenTabs,  // the stretch of the path between two tabs (or a tab and where the pass starts)
  Path,         // the whole path, of pieces too short to go down on
};

// A ramp that cannot be made at its slope within kMostRampLegs legs. The moves planned for it
// go straight down instead, and are not to be cut: a ramp is asked for to avoid just that.
struct RampShortfall {
  RampRoom where = RampRoom::EntryArc;
  double drop = 0;  // how far the ramp goes down
  double room = 0;  // the length of path it had to do so in
};

// Every pass of toolpath, depths ascending (each > 0, the last the full depth), starting at its
// start point at Z0. A pass that does not rise over tabs goes down along the path from where
// the last one ended at slope (depth per unit of length, > 0), winding round as often as it
// needs, then cuts one whole turn at its depth, ending past the ramp's start so the slope is
// cut away; it ends where it reached its depth. A pass deeper than tab_depth starts behind a
// tab (moving there level when it is not deeper than the tabs yet), and between two tabs goes
// down in legs back and forth within the stretch and then cuts the stretch at its depth: a
// ramp never runs across a tab; it rises over each tab straight up.
// Under the controller's compensation (compensated), which a reversal would put on the other
// side and a short piece before a concave corner stops, a ramp ends where a segment of the
// path ends, going down over the whole of the segment it reaches its depth on; tabs are then
// not taken (their stretches would need reversals).
// The moves are handed to `move` one by one, in order, as they are made. Returns the first
// ramp that could not be made, if any.
std::optional<RampShortfall> RampedPasses(const Toolpath& toolpath,
                                          const std::vector<double>& depths, double slope,
                                          std::optional<double> tab_depth, bool compensated,
                                          const std::function<void(const RampMove&)>& move);

// One turn of toolpath from its start, where the cutter already stands at `depth`: level,
// rising over each tab deeper than tab_depth straight up and going down again after it along
// the stretch that follows (as RampedPasses does), ending at the start.
std::optional<RampShortfall> RampedTurn(const Toolpath& toolpath, double depth, double slope,
                                        std::optional<double> tab_depth,
                                        const std::function<void(const RampMove&)>& move);

// Goes down from from_depth to to_depth along `lead` (an open path such as an entry arc) at
// slope, back and forth as often as needed, then on to its end at to_depth.
std::optional<RampShortfall> RampAlong(const Path& lead, double from_depth, double to_depth,
                                       double slope,
                                       const std::function<void(const RampMove&)>& move);

// The least room (a length of path) in which a ramp at slope goes down `drop` within
// kMostRampLegs legs.
double LeastRampRoom(double drop, double slope);

// The least slope at which a ramp goes down `drop` within kMostRampLegs legs in `room`;
// infinity when no slope does.
double LeastRampSlope(double drop, double room);

}  // namespace toothwright
