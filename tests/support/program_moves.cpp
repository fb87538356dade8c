// A line is read in two steps, as a controller does: its words are collected first, then
// executed in the controller's order (feed, units, compensation, motion), so "G42 G1 X1" is a
// compensated move whatever the order of its words.
#include "support/program_moves.h"

#include <charconv>
#include <cmath>

#include "geometry/segment.h"
#include "numbers/numbers.h"

namespace toothwright {
namespace {

// The words of one line.
struct Words {
  std::optional<ProgramMoveKind> motion;
  std::optional<ProgramUnits> units;
  std::optional<ProgramCompensation> compensation;
  std::optional<double> x, y, z, i, j, f;
};

// Where the tool is: X and Y unknown until the program gives them, Z from the top face.
struct Position {
  std::optional<double> x, y;
  double z = 0;
};

// What a line leaves behind for the next: the G and F words are modal.
struct Modes {
  std::optional<ProgramMoveKind> motion;
  std::optional<ProgramUnits> units;
  ProgramCompensation compensation = ProgramCompensation::Off;
  std::optional<double> feed;
};

bool IsBlankChar(char c) {
  return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// A word's number at text[at]: optional sign, digits with at most one '.', at least one digit.
// Advances at past it; nullopt when there is no such number. An exponent is no part of it: a
// controller reads "1E-05" as 1 and an E word.
std::optional<double> ReadNumber(std::string_view text, size_t& at) {
  while (at < text.size() && IsBlankChar(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  const size_t begin = at;
  bool digits = false, point = false;
  for (; at < text.size(); ++at) {
    if (IsDigit(text[at])) {
      digits = true;
    } else if (text[at] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return std::nullopt;
  double value = 0;
  const auto result =
      std::from_chars(text.data() + begin, text.data() + at, value, std::chars_format::fixed);
  if (result.ec != std::errc() || result.ptr != text.data() + at) return std::nullopt;
  return negative ? -value : value;
}

// "G91 not read here": a code refused, as the program writes it.
std::string NotRead(char letter, double code) {
  std::string reason(1, letter);
  reason += FormatReal(code);
  reason += " not read here";
  return reason;
}

// The G codes read, by number; every value here is exact in binary.
std::optional<std::string> ApplyGCode(double code, Words& words) {
  auto motion = [&](ProgramMoveKind kind) -> std::optional<std::string> {
    if (words.motion) return "two motion codes on one line";
    words.motion = kind;
    return std::nullopt;
  };
  if (code == 0) return motion(ProgramMoveKind::Rapid);
  if (code == 1) return motion(ProgramMoveKind::Line);
  if (code == 2) return motion(ProgramMoveKind::ClockwiseArc);
  if (code == 3) return motion(ProgramMoveKind::CounterClockwiseArc);
  if (code == 20) words.units = ProgramUnits::Inches;
  if (code == 21) words.units = ProgramUnits::Millimetres;
  if (code == 40) words.compensation = ProgramCompensation::Off;
  if (code == 41) words.compensation = ProgramCompensation::Left;
  if (code == 42) words.compensation = ProgramCompensation::Right;
  // The X-Y plane, absolute distances and feed per minute are how every move is read here.
  const bool known = code == 17 || code == 20 || code == 21 || code == 40 || code == 41 ||
                     code == 42 || code == 90 || code == 94;
  if (!known) return NotRead('G', code);
  return std::nullopt;
}

// Collects the words of one line, comments left out; a reason when the line cannot be read.
std::variant<Words, std::string> ReadWords(std::string_view line) {
  Words words;
  size_t at = 0;
  while (at < line.size()) {
    const char c = Upper(line[at]);
    if (IsBlankChar(c)) {
      ++at;
      continue;
    }
    if (c == ';') break;  // the rest of the line is a comment
    if (c == '(') {
      const size_t close = line.find(')', at);
      if (close == std::string_view::npos) return std::string("comment not closed");
      at = close + 1;
      continue;
    }
    ++at;
    const std::optional<double> number = ReadNumber(line, at);
    if (!number) return std::string("no number after ") + c;
    switch (c) {
      case 'G':
        if (auto reason = ApplyGCode(*number, words)) return *reason;
        break;
      case 'X':
        words.x = number;
        break;
      case 'Y':
        words.y = number;
        break;
      case 'Z':
        words.z = number;
        break;
      case 'I':
        words.i = number;
        break;
      case 'J':
        words.j = number;
        break;
      case 'F':
        words.f = number;
        break;
      case 'M':
        // Stops, program ends, spindle, tool change and coolant move nothing; a subprogram
        // call (M98) would, and is not followed here.
        if (!(*number == 30 || (*number >= 0 && *number <= 9 && *number == std::floor(*number)))) {
          return NotRead('M', *number);
        }
        break;
      case 'S':  // spindle speed
      case 'N':  // line number
      case 'T':  // tool number
        break;
      default:
        return std::string("word ") + c + " not read here";
    }
  }
  return words;
}

// Executes one line's words: modes first, then the move, if any, appended to out.
std::optional<std::string> Execute(const Words& w, size_t line, Modes& modes, Position& at,
                                   ProgramMoves& out) {
  if (w.f) modes.feed = w.f;
  if (w.units) {
    if (modes.units && *modes.units != *w.units) return "units changed";
    modes.units = w.units;
    out.units = w.units;
  }
  if (w.compensation) modes.compensation = *w.compensation;
  if (w.motion) modes.motion = w.motion;

  const bool axes = w.x || w.y || w.z;
  const bool centre = w.i || w.j;
  if (!axes && !centre) return std::nullopt;
  if (!modes.motion) return "coordinates before any motion code";
  ProgramMove m;
  m.kind = *modes.motion;
  m.line = line;
  m.feed = modes.feed;
  m.feed_word = w.f.has_value();
  m.compensation = modes.compensation;
  const bool arc = IsArc(m);
  if (centre && !arc) return "I or J without an arc";
  if (arc && !centre) return "arc without I or J";

  const Position to{w.x ? w.x : at.x, w.y ? w.y : at.y, w.z.value_or(at.z)};
  if (m.kind == ProgramMoveKind::Rapid) {
    if (!to.x || !to.y) {
      at = to;  // only what the line gives becomes known
      return std::nullopt;
    }
  } else if (!at.x || !at.y) {
    return "feed move before X and Y are known";
  }
  m.end = {*to.x, *to.y};
  m.start = {at.x.value_or(*to.x), at.y.value_or(*to.y)};
  m.z_from = at.z;
  m.z_to = to.z;
  if (arc) m.centre = {m.start.x + w.i.value_or(0), m.start.y + w.j.value_or(0)};
  out.moves.push_back(m);
  at = to;
  return std::nullopt;
}

}  // namespace

std::variant<ProgramMoves, ProgramError> ReadProgramMoves(std::string_view program) {
  ProgramMoves out;
  Modes modes;
  Position at;
  size_t line_number = 0;
  size_t begin = 0;
  while (begin < program.size()) {
    size_t end = program.find('\n', begin);
    if (end == std::string_view::npos) end = program.size();
    std::string_view line = program.substr(begin, end - begin);
    begin = end + 1;
    ++line_number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line == "%") continue;  // the tape's start and end mark
    auto words = ReadWords(line);
    if (auto* reason = std::get_if<std::string>(&words)) {
      return ProgramError{line_number, std::move(*reason)};
    }
    if (auto reason = Execute(std::get<Words>(words), line_number, modes, at, out)) {
      return ProgramError{line_number, std::move(*reason)};
    }
  }
  return out;
}

std::vector<Move> JobMoves(const ProgramMoves& program) {
  constexpr MoveKind kKinds[] = {MoveKind::Rapid, MoveKind::Line, MoveKind::ClockwiseArc,
                                 MoveKind::CounterClockwiseArc};
  constexpr MoveKind kWords[] = {MoveKind::CompensationOff, MoveKind::CompensationLeft,
                                 MoveKind::CompensationRight};
  std::vector<Move> moves;
  ProgramCompensation compensation = ProgramCompensation::Off;
  for (const ProgramMove& m : program.moves) {
    if (m.compensation != compensation) {
      compensation = m.compensation;
      moves.push_back({.kind = kWords[static_cast<int>(compensation)]});
    }
    moves.push_back({.kind = kKinds[static_cast<int>(m.kind)],
                     .across = true,
                     .start = m.start,
                     .end = m.end,
                     .z_from = m.z_from,
                     .z_to = m.z_to,
                     .centre = m.centre,
                     .feed = m.feed});
  }
  return moves;
}

}  // namespace toothwright
