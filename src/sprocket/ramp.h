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
// A ramp between two tabs that needs more legs than this goes straight down instead.
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

// Every pass of toolpath, depths ascending (each > 0, the last the full depth), starting at its
// start point at Z0. A pass that does not rise over tabs goes down along the path from where
// the last one ended at slope (depth per unit of length, > 0), winding round as often as it
// needs, then cuts one whole turn at its depth, ending past the ramp's start so the slope is
// cut away; it ends where it reached its depth. A pass deeper than tab_depth starts behind a
// tab (moving there level when it is not deeper than the tabs yet), and between two tabs goes
// down in legs back and forth within the stretch (may_reverse) and then cuts the stretch at
// its depth: a ramp never runs across a tab; it rises over each tab straight up. Without
// may_reverse (the controller's compensation, which a reversal would put on the other side)
// such passes go straight down at their start and after each tab, as without a ramp, and so
// does a stretch that would need more than kMostRampLegs legs.
// The moves are handed to `move` one by one, in order, as they are made.
void RampedPasses(const Toolpath& toolpath, const std::vector<double>& depths, double slope,
                  std::optional<double> tab_depth, bool may_reverse,
                  const std::function<void(const RampMove&)>& move);

// One turn of toolpath from its start, where the cutter already stands at `depth`: level,
// rising over each tab deeper than tab_depth straight up and going down again after it along
// the stretch that follows (as RampedPasses does), ending at the start.
void RampedTurn(const Toolpath& toolpath, double depth, double slope,
                std::optional<double> tab_depth, const std::function<void(const RampMove&)>& move);

// Goes down from from_depth to to_depth along `lead` (an open path such as an entry arc) at
// slope, back and forth as often as needed, then on to its end at to_depth; straight down at
// its start when that would take more than kMostRampLegs legs.
void RampAlong(const Path& lead, double from_depth, double to_depth, double slope,
               const std::function<void(const RampMove&)>& move);

}  // namespace toothwright
