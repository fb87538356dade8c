// The milling program written from the job's moves, one line each: the plan holds every
// number as it is written, so this only chooses the words and their number forms.
#include "output/gcode.h"

#include "numbers/numbers.h"
#include "numbers/units.h"
#include "output/decimal_text.h"
#include "sprocket/process_fields.h"

namespace toothwright {
namespace {

// Every line of the program, the last included, ends in CR LF.
constexpr std::string_view kLineEnd = "\r\n";
// Room for one arc line's words and line end (13 characters) and its four numbers of up to
// 16 characters each; the feed suffix comes on top.
constexpr size_t kArcLineReserve = 80;

// The words the moves name: the comment's text and the typed feeds and spindle speed.
struct Words {
  std::string preamble;
  std::string feed;    // " F<feed>"
  std::string plunge;  // " F<plunge feed>"
  std::string_view spindle;
  std::string_view power;  // a laser's, after "M4 S"
  std::string_view delay;  // a pierce's seconds, after "G4 P"
  LengthUnit unit = LengthUnit::Inch;
};

// The preamble as a comment: a ")" inside would end it early and hand the rest to the
// controller as words, a "(" would open a nested comment that some controllers refuse, and a
// line break would start a line of its own.
void AppendComment(std::string& out, std::string_view text) {
  out += '(';
  for (char ch : text) {
    if (ch == '(') {
      out += '[';
    } else if (ch == ')') {
      out += ']';
    } else if (static_cast<unsigned char>(ch) < ' ' || ch == '\x7f') {
      out += ' ';
    } else {
      out += ch;
    }
  }
  out += ')';
}

// X and Y are absolute and hold four decimals: written as stored, two blanks before Y.
void AppendEndpoint(std::string& out, Point end) {
  out += " X";
  AppendFourDecimals(out, end.x);
  out += "  Y";
  AppendFourDecimals(out, end.y);
}

void AppendOffset(std::string& out, double value, int decimals) {
  if (decimals == 4) {
    AppendFourDecimals(out, value);
  } else {
    AppendFixedDecimals(out, value, decimals);
  }
}

// A move's height word; depths are written as magnitudes after "Z-".
void AppendHeight(std::string& out, const Move& m) {
  switch (m.height) {
    case HeightWord::None:
      return;
    case HeightWord::Depth:
      out += " Z-";
      out += FormatReal(-m.z_to);
      return;
    case HeightWord::RampDepth:
      out += " Z-";
      if (-m.z_to < kLargestFixedDepth) {
        AppendFixedDecimals(out, -m.z_to, kRampDepthDecimals);
      } else {
        out += FormatReal(-m.z_to);
      }
      return;
    case HeightWord::Height:
      out += " Z";
      out += FormatReal(m.z_to);
      return;
    case HeightWord::TwoUnitsUp:
      out += " Z2.00";
      return;
  }
}

// G0 to G3: the motion word, the endpoint across, the height, an arc's I and J, the feed.
void AppendMotion(std::string& out, const Move& m, const Words& words) {
  constexpr std::string_view kMotion[] = {"G0", "G1", "G2", "G3"};
  out += kMotion[static_cast<int>(m.kind) - static_cast<int>(MoveKind::Rapid)];
  if (m.across) AppendEndpoint(out, m.end);
  AppendHeight(out, m);
  if (IsArc(m)) {
    out += " I";
    AppendOffset(out, m.offsets.i, m.offsets.decimals);
    out += " J";
    AppendOffset(out, m.offsets.j, m.offsets.decimals);
  }
  if (m.feed_word == FeedWord::Cutting) out += words.feed;
  if (m.feed_word == FeedWord::Plunge) out += words.plunge;
}

void AppendLine(std::string& out, const Move& m, const Words& words) {
  switch (m.kind) {
    case MoveKind::Comment:
      AppendComment(out, words.preamble);
      break;
    case MoveKind::Units:
      out += words.unit == LengthUnit::Inch ? "G20" : "G21";
      break;
    case MoveKind::Modes:
      out += "G17 G90 G94";  // XY plane, absolute distances, feed in units per minute
      break;
    case MoveKind::Rapid:
    case MoveKind::Line:
    case MoveKind::ClockwiseArc:
    case MoveKind::CounterClockwiseArc:
      AppendMotion(out, m, words);
      break;
    case MoveKind::CompensationRight:
      out += "G42";
      break;
    case MoveKind::CompensationLeft:
      out += "G41";
      break;
    case MoveKind::CompensationOff:
      out += "G40";
      break;
    case MoveKind::SpindleOn:
      out += "M3";
      // The speed as typed, like the feed; a torch started without one has none.
      if (!words.spindle.empty()) {
        out += " S";
        out += words.spindle;
      }
      break;
    case MoveKind::LaserOn:
      out += "M4 S";
      out += words.power;
      break;
    case MoveKind::Dwell:
      out += "G4 P";
      out += words.delay;
      break;
    case MoveKind::SpindleOff:
      out += "M5";
      break;
    case MoveKind::ProgramEnd:
      out += "M2";
      break;
  }
  out += kLineEnd;
}

}  // namespace

std::string PartDescription(const Job& job) {
  const Design& d = job.design;
  const std::string unit = std::string(" ") + UnitName(d.unit);
  std::string text = d.chain ? std::string(d.chain->name)
                             : "pitch " + FormatReal(d.tooth.pitch) + unit + ", roller " +
                                   FormatReal(d.tooth.roller) + unit;
  text += ", " + std::to_string(d.tooth.teeth) + " teeth";
  if (IsBeam(d.machining)) text += std::string(", ") + ProcessWord(d.machining.process);
  if (d.machining.tool_diameter) {
    text += IsBeam(d.machining) ? ", kerf " : ", tool ";
    text += FormatReal(*d.machining.tool_diameter) + unit;
  }
  if (d.machining.depth > 0) text += ", depth " + FormatReal(d.machining.depth) + unit;
  return text;
}

std::string WriteGCode(const Job& job, std::string_view program) {
  const Design& d = job.design;
  Words words{.feed = " F" + d.feed,
              .plunge = " F" + d.machining.plunge_feed,
              .spindle = d.machining.spindle,
              .power = d.machining.beam.power,
              .delay = d.machining.beam.pierce_delay,
              .unit = d.unit};
  if (d.preamble) words.preamble = std::string(program) + ": " + PartDescription(job);
  std::string out;
  out.reserve(job.moves.size() * (kArcLineReserve + words.feed.size()) + words.preamble.size());
  for (const Move& m : job.moves) AppendLine(out, m, words);
  return out;
}

}  // namespace toothwright
