// The milling program as a list of moves, one per line it writes: what the cutter does and the
// words around it, each holding its numbers as the program writes them, so that whoever walks
// the list (the program's writer, the toolpath pictures, the cut's length and time) sees what
// a reader of the program sees.
#pragma once

#include <optional>

#include "geometry/path.h"
#include "sprocket/arc_offsets.h"

namespace toothwright {

enum class MoveKind : unsigned char {
  Comment,              // the opening comment: what the program makes
  Units,                // the units line (G20 for inches, G21 for millimetres)
  Modes,                // plane, distance and feed modes (G17 G90 G94)
  Rapid,                // G0: across to `end`, or to the height z_to
  Line,                 // G1: across to `end`, or straight up or down to z_to
  ClockwiseArc,         // G2, seen from +Z
  CounterClockwiseArc,  // G3
  CompensationRight,    // G42: the controller offsets the cutter to the right of its travel
  CompensationLeft,     // G41: to the left
  CompensationOff,      // G40
  SpindleOn,            // M3 and the spindle speed: a mill's spindle, a torch or a waterjet
  SpindleOff,           // M5: the spindle, the beam or the torch off
  LaserOn,              // M4 and the power: a laser's beam on, its power following the speed
  Dwell,                // G4 and the seconds: the torch pierces the plate where it stands
  ProgramEnd,           // M2
};

// How a move's height is written.
enum class HeightWord : unsigned char {
  None,        // no Z: a move across at the height it stands at
  Depth,       // "Z-" and the depth to 15 significant digits (FormatReal)
  RampDepth,   // across and down at once: "Z-" and the depth to kRampDepthDecimals decimals
  Height,      // "Z" and the height to 15 significant digits (a safe height)
  TwoUnitsUp,  // "Z2.00": the retract height when no safe height is set
};

// Which feed a feed move names after " F".
enum class FeedWord : unsigned char {
  None,     // no F word: the feed in effect stays
  Cutting,  // the cutting feed, as typed
  Plunge,   // the plunge feed, as typed
};

// A ramp's heights hold this many decimals: enough for the slope of its shortest piece, never
// an exponent.
inline constexpr int kRampDepthDecimals = 8;
// Ramp depths from here up are written to 15 significant digits (no such depth is ever cut).
inline constexpr double kLargestFixedDepth = 1e10;

// One line of the program. Coordinates are absolute, in the part's unit, as written: X and Y
// hold four decimals, heights the digits their word writes. Z is 0 at the part's top face and
// negative below it; a program starts at Z 0.
struct Move {
  MoveKind kind = MoveKind::Rapid;
  // A move across writes X and Y: the cutter travels from `start` (where the previous move
  // left it; `end` itself for the first move across) to `end`. Otherwise both are where the
  // cutter stands.
  bool across = false;
  Point start, end;
  double z_from = 0, z_to = 0;  // the height before and after the move
  HeightWord height = HeightWord::None;
  // Arcs: I and J as written (from `start` to the centre) and their decimals; the centre is
  // start + (I, J), as a controller takes it.
  ArcOffsets offsets;
  Point centre;
  FeedWord feed_word = FeedWord::None;
  // The feed in effect for the move (units per minute): its own F word's, else the last one
  // written before it; none before the first.
  std::optional<double> feed;
  double seconds = 0;  // a dwell's length, as written
};

inline bool IsFeedMove(const Move& m) {
  return m.kind == MoveKind::Line || m.kind == MoveKind::ClockwiseArc ||
         m.kind == MoveKind::CounterClockwiseArc;
}
inline bool IsArc(const Move& m) {
  return m.kind == MoveKind::ClockwiseArc || m.kind == MoveKind::CounterClockwiseArc;
}
// Travels in X or Y: an arc always does (one whose ends meet is a full circle).
inline bool MovesAcross(const Move& m) {
  return IsArc(m) || ((IsFeedMove(m) || m.kind == MoveKind::Rapid) && m.start != m.end);
}
// A feed move that travels in X or Y: what a toolpath picture draws of a pass.
inline bool CutsAcross(const Move& m) {
  return IsFeedMove(m) && MovesAcross(m);
}
inline bool IsRapidAcross(const Move& m) {
  return m.kind == MoveKind::Rapid && m.start != m.end;
}

// The move as seen from above: a line, or an arc about its centre with the radius from the
// centre to its start, as a controller takes it. Role and tooth are left at their defaults.
Segment Across(const Move& m);

// Length of the move in space: a line's chord, a helix's (arc with Z) sqrt(across^2 + dz^2).
double MoveLength(const Move& m);

}  // namespace toothwright
