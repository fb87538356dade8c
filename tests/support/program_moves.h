// A reader of milling programs for the tests: the moves of a program read back from its text,
// as a controller would make them, to hold the job's moves and the program written from them
// against. Reads the
// words this tool writes: G0 to G3 with any of X Y Z I J F, G17 G90 G94, G20 G21, G40 G41 G42,
// M0 to M9 and M30, S and T words, N line numbers, "( ... )" and ";" comments and "%" lines.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "geometry/path.h"
#include "sprocket/move.h"

namespace toothwright {

enum class ProgramMoveKind : unsigned char {
  Rapid,                // G0: straight, at the machine's traverse rate
  Line,                 // G1: straight, at the feed
  ClockwiseArc,         // G2, seen from +Z
  CounterClockwiseArc,  // G3
};

enum class ProgramCompensation : unsigned char { Off, Left, Right };  // G40, G41, G42

enum class ProgramUnits : unsigned char { Inches, Millimetres };  // G20, G21

// One move, absolute, in the program's unit. Where the program starts the tool is not known:
// Z is taken as 0, the part's top face, as an interpreter started afresh takes it, so the first
// move down is measured through the part; a rapid move that makes X and Y known starts where it
// ends in each one not known before, so it does not travel there; a rapid move after which X
// or Y is still unknown ("G0 Z1" first) is no move of the list and only sets what it gives.
struct ProgramMove {
  ProgramMoveKind kind = ProgramMoveKind::Rapid;
  Point start, end;  // X and Y
  double z_from = 0, z_to = 0;
  Point centre;  // arcs: the start plus I and J (each 0 when not written)
  // The feed in effect (units per minute): this move's F, else the last one before it; none
  // before the first F.
  std::optional<double> feed;
  bool feed_word = false;  // the move's own line carries the F
  ProgramCompensation compensation = ProgramCompensation::Off;
  size_t line = 0;  // 1-based line of the program text
};

inline bool IsFeedMove(const ProgramMove& m) {
  return m.kind != ProgramMoveKind::Rapid;
}
inline bool IsArc(const ProgramMove& m) {
  return m.kind == ProgramMoveKind::ClockwiseArc || m.kind == ProgramMoveKind::CounterClockwiseArc;
}
struct ProgramMoves {
  std::vector<ProgramMove> moves;     // in program order
  std::optional<ProgramUnits> units;  // none when the program writes neither G20 nor G21
};

// Why a program could not be read: the 1-based line and what stopped the reading there.
struct ProgramError {
  size_t line = 0;
  std::string reason;
  bool operator==(const ProgramError&) const = default;
};

// Reads program (lines ending in LF or CR LF). Refused, with the line: a word, G or M code
// outside those above (G91, G18, M98, R, ...), two motion codes on one line, a number with an
// exponent or without digits, an unclosed comment, coordinates before any motion code, I or J
// without an arc, an arc with neither I nor J, a feed move before X and Y are known,
// units changed after they were set.
// Letters are read in either case; blanks between a letter and its number are skipped.
std::variant<ProgramMoves, ProgramError> ReadProgramMoves(std::string_view program);

// The moves read as a job holds them: each move across, with a compensation word before each
// move whose compensation differs from the one before it.
std::vector<Move> JobMoves(const ProgramMoves& program);

}  // namespace toothwright
