// Fuzzes the whole run on arbitrary field texts. Fields, separated by NUL bytes: pitch,
// teeth, roller, depth, feed, units, offset (ticked when its text is not empty), then the
// options: seat clearance, tip diameter, tool diameter, depth per pass, tabs, tab width, tab
// height, safe Z, spindle, program end (ticked when not empty), bore, keyway width, keyway
// depth, bolt holes, bolt hole diameter, bolt circle.
// A run yields one of the validation messages, or results whose texts hold no "inf" or "nan"
// and whose program a controller reads as meant: every word one the program may write, each
// number plain; per contour (holes, then the outline) a rapid move above the part to its
// start, passes ever deeper down to the full depth, each pass a closed chain of moves whose
// arcs keep their radius, rising over the tabs on the outline, then a retract. With no option
// set the program has 3N+4 lines (3N+7 with the entry point, "G42" and "G40"). The program
// reads back into the moves the toolpath picture and the cut figures are made from.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "design_file/design_file.h"
#include "fuzz_input.h"
#include "numbers/numbers.h"
#include "output/cut_statistics.h"
#include "output/drawing_svg.h"
#include "output/toolpath_contours.h"
#include "run/run.h"

namespace {

using toothwright::FieldError;
using toothwright::FieldTexts;
using toothwright::FormatReal;
using toothwright::ParseReal;
using toothwright::RunResults;

// A failed property names its line before the fuzzer records the input.
void Require(bool condition, int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "property failed: fuzz_run.cpp:%d\n", line);
  std::abort();
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (size_t start = 0; start < text.size();) {
    const size_t end = text.find("\r\n", start);
    Require(end != std::string_view::npos);  // every line ends in CR LF
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

bool HasNonNumber(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

bool Blank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// A number as a controller reads it: surrounding spaces, an optional sign, digits with at
// most one point. An exponent's E would be a word of its own.
bool PlainNumber(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  if (text.front() == '+' || text.front() == '-') text.remove_prefix(1);
  bool digit = false, point = false;
  for (char c : text) {
    if (c == '.' && !point) {
      point = true;
    } else if (c >= '0' && c <= '9') {
      digit = true;
    } else {
      return false;
    }
  }
  return digit;
}

double Value(std::string_view text) {
  const std::optional<double> value = ParseReal(text);
  Require(value.has_value());
  return *value;
}

struct Point {
  double x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

// One line of the program: its G or M code, the letters of the words that follow it in
// order ("XY", "Z", "XYIJ", "S" or none) and their values; whether it ended in the feed.
struct Line {
  std::string code;  // "G0" ... "G42", "M2", "M3", "M5"
  std::string letters;
  std::vector<double> values;
  bool fed = false;
  std::string_view move;  // the line without its feed, to compare passes
  double operator[](char letter) const { return values[letters.find(letter)]; }
};

Line ParseLine(std::string_view text, const FieldTexts& f, std::string_view feed_suffix) {
  Line line;
  if (!feed_suffix.empty() && text.starts_with("G") && text.ends_with(feed_suffix)) {
    text.remove_suffix(feed_suffix.size());
    line.fed = true;
  }
  line.move = text;
  if (text.starts_with("M3 S")) {
    // The speed is copied as typed.
    Require(text.substr(4) == f.spindle && PlainNumber(f.spindle));
    line.code = "M3";
    line.letters = "S";
    line.values = {Value(f.spindle)};
    return line;
  }
  for (size_t at = 0; at < text.size();) {
    if (text[at] == ' ') {
      ++at;
      continue;
    }
    const size_t end = std::min(text.find(' ', at), text.size());
    const std::string_view word = text.substr(at, end - at);
    at = end;
    Require(word.size() > 1);
    if (line.code.empty()) {
      line.code = word;
      static constexpr std::string_view kCodes[] = {"G0",  "G1",  "G2", "G3", "G20", "G21",
                                                    "G40", "G42", "M2", "M3", "M5"};
      Require(std::find(std::begin(kCodes), std::end(kCodes), word) != std::end(kCodes));
      continue;
    }
    Require(std::string_view("XYZIJ").find(word[0]) != std::string_view::npos);
    Require(PlainNumber(word.substr(1)));
    line.letters += word[0];
    line.values.push_back(Value(word.substr(1)));
  }
  Require(!line.code.empty());
  return line;
}

// How far an arc's end may lie off its radius: a run accepts a construction whose tooth-1
// points lie within 1e-3 + 1 % of their circles (the closed-form intersections lose
// precision on steep lines and large sizes); start and end may each be off that much, plus
// the four-decimal rounding and a relative 1e-9 of the sprocket's size for the turning. The
// cutter's path keeps each arc's centre and the holes are exact circles, so the same bound
// holds for them.
double RadiusTolerance(double sprocket_radius, double arc_radius) {
  return 2.5e-3 + 0.02 * arc_radius + 1e-9 * sprocket_radius;
}

// Heights are written with 15 significant digits: a written one is the same as its field's
// value when it lies within the rounding of the 15th digit.
constexpr double kWrittenDigits = 1e-14;

bool Same(double written, double value) {
  return std::fabs(written - value) <= kWrittenDigits * std::fabs(value);
}

// An arc whose ends meet is a full circle to a controller, and one whose centre offsets are
// both 0 has no radius. A bare roller's seats smaller than the coordinates show come out so,
// and are written as they always were: the cutter barely moves there. Any larger such arc
// would cut a circle of real size.
constexpr double kUnseenArc = 5e-4;

constexpr double kPi = 3.14159265358979323846;

// The counter-clockwise turn from angle a0 to angle a1, in [0, 2 pi).
double Sweep(double a0, double a1) {
  const double turn = std::fmod(a1 - a0, 2 * kPi);
  return turn < 0 ? turn + 2 * kPi : turn;
}

// Distance from p to a segment of the part's outline or of a hole, less how far the segment's
// own ends lie off its circle: the cutter's path is offset from those ends, and a run accepts
// a construction whose points lie off their circles by up to 1e-3 + 1 % of the radius.
double DistanceTo(Point p, const toothwright::Segment& s) {
  const Point a{s.start.x, s.start.y}, b{s.end.x, s.end.y};
  const double to_ends =
      std::min(std::hypot(p.x - a.x, p.y - a.y), std::hypot(p.x - b.x, p.y - b.y));
  if (!IsArc(s)) {
    const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
    if (length2 == 0) return to_ends;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
  }
  const double cx = s.centre.x, cy = s.centre.y;
  const bool ccw = s.kind == toothwright::SegmentKind::CounterClockwiseArc;
  const Point first = ccw ? a : b, last = ccw ? b : a;
  const double a0 = std::atan2(first.y - cy, first.x - cx);
  const double at = Sweep(a0, std::atan2(p.y - cy, p.x - cx));
  if (at > Sweep(a0, std::atan2(last.y - cy, last.x - cx))) return to_ends;
  const double off = std::max(std::fabs(std::hypot(a.x - cx, a.y - cy) - s.radius),
                              std::fabs(std::hypot(b.x - cx, b.y - cy) - s.radius));
  return std::fabs(std::hypot(p.x - cx, p.y - cy) - s.radius) - off;
}

// How near the cutter's edge may come to the part: the slack of the arcs' radii (on the
// cutter's radius), the rounding of both paths, and a relative 1e-8 of the sprocket's size:
// on sprockets far beyond any machine (pitch 9e9, roller 2e6) the flanks' huge radii leave
// the seats' ends and the cutter's corners a few hundred millionths of the size astray.
double GougeTolerance(double sprocket_radius, double tool_radius) {
  return RadiusTolerance(sprocket_radius, tool_radius) + 2e-4 + 1e-8 * sprocket_radius;
}

// Beyond this many point-segment distances a run's cutter path is not measured, so that
// large sprockets do not slow the fuzzing down.
constexpr size_t kMostDistances = 200000;

// Every sampled point of the cutter's centre stays a cutter's radius away from the contour it
// cuts: the computed path makes no loop that cuts into the part.
void CheckClearance(const std::vector<Point>& samples, const toothwright::Path& contour,
                    double tool_radius, double sprocket_radius) {
  if (samples.size() * contour.segments.size() > kMostDistances) return;
  for (const Point& p : samples) {
    double nearest = std::numeric_limits<double>::infinity();
    for (const auto& s : contour.segments) nearest = std::min(nearest, DistanceTo(p, s));
    Require(nearest >= tool_radius - GougeTolerance(sprocket_radius, tool_radius));
  }
}

// What the fields ask of the program, read independently of the run.
struct Expected {
  bool english = false;
  bool offset = false;
  size_t contours = 0;
  double depth = 0;                  // the full depth's magnitude
  std::optional<double> per_pass;    // the depth per pass
  std::optional<std::string> tab_z;  // the tabs' height as the program writes it, "-" less
  int tabs = 0;
  std::optional<double> safe_z;
  bool tool = false;  // a computed cutter path: the program goes up before its first move across
  bool spindle = false;
  bool program_end = false;
  double sprocket_radius = 0;
};

// One contour's passes as the program writes them.
struct Pass {
  double depth = 0;
  std::vector<std::string_view> moves;
  int rises = 0;
  std::vector<Point> samples;  // every move's end and every arc's middle
};

class ProgramCheck {
 public:
  // feed: whether every feed move carries the feed.
  ProgramCheck(const std::vector<Line>& lines, const Expected& e, bool feed)
      : lines_(lines), e_(e), feed_(feed) {}

  // Walks the whole program; returns the passes of each contour.
  std::vector<std::vector<Pass>> Walk() {
    Require(Next().code == (e_.english ? "G20" : "G21") && Last().letters.empty());
    if (e_.safe_z || e_.tool || e_.offset) Retract();
    std::vector<std::vector<Pass>> contours;
    bool spindle_on = false;
    while (at_ < lines_.size() && lines_[at_].code.starts_with("G")) {
      if (e_.offset) Rapid();  // the entry point along the first segment's tangent
      if (e_.offset) Require(Next().code == "G42" && Last().letters.empty());
      const Point start = Rapid();
      if (e_.spindle && !spindle_on) {
        Require(Next().code == "M3");
        spindle_on = true;
      }
      std::vector<Pass> passes;
      previous_depth_ = -1;
      while (Peek("G1") && lines_[at_].letters == "Z") passes.push_back(CutPass(start));
      Require(!passes.empty() && Same(passes.back().depth, e_.depth));
      Retract();
      if (e_.offset) Rapid();  // on along the last cut's tangent
      if (e_.offset) Require(Next().code == "G40" && Last().letters.empty());
      contours.push_back(std::move(passes));
    }
    Require(spindle_on == e_.spindle);
    if (e_.spindle) Require(Next().code == "M5" && Last().letters.empty());
    if (e_.program_end) Require(Next().code == "M2" && Last().letters.empty());
    Require(at_ == lines_.size() && contours.size() == e_.contours);
    return contours;
  }

 private:
  const Line& Next() {
    Require(at_ < lines_.size());
    return lines_[at_++];
  }
  const Line& Last() const { return lines_[at_ - 1]; }
  bool Peek(std::string_view code) const { return at_ < lines_.size() && lines_[at_].code == code; }

  // A rapid move across, only with the cutter above the part or before any height is set.
  Point Rapid() {
    const Line& l = Next();
    Require(l.code == "G0" && l.letters == "XY" && !l.fed);
    Require(!z_ || *z_ > 0);
    at_point_ = {l['X'], l['Y']};
    return *at_point_;
  }

  void Retract() {
    const Line& l = Next();
    Require(l.code == "G0" && l.letters == "Z" && !l.fed);
    Require(l['Z'] > 0 && (!e_.safe_z || Same(l['Z'], *e_.safe_z)));
    z_ = l['Z'];
  }

  // A feed move in Z, at the point the cutter stands on.
  double FeedZ() {
    const Line& l = Next();
    Require(l.code == "G1" && l.letters == "Z" && l.fed == feed_);
    Require(l.move.starts_with("G1 Z-"));
    z_ = l['Z'];
    return -*z_;
  }

  // One pass: down at the contour's start, round it back to the start, rising over tabs.
  Pass CutPass(Point start) {
    Require(at_point_ == start);
    Pass pass;
    pass.depth = FeedZ();
    Require((pass.depth <= e_.depth || Same(pass.depth, e_.depth)) &&
            (previous_depth_ < 0 || pass.depth > previous_depth_));
    if (e_.per_pass) {
      const double step = *e_.per_pass * (1 + kStepSlack);
      Require(pass.depth - std::max(previous_depth_, 0.0) <= step);
    }
    previous_depth_ = pass.depth;
    bool risen = false;
    while (at_ < lines_.size()) {
      const Line& l = lines_[at_];
      if (l.code == "G1" && l.letters == "Z") {
        const std::string_view z = l.move.substr(5);
        if (risen) {
          Require(FeedZ() == pass.depth);
          risen = false;
        } else if (e_.tab_z && z == *e_.tab_z && Value(*e_.tab_z) < pass.depth) {
          FeedZ();
          risen = true;
          ++pass.rises;
        } else {
          break;  // the next pass
        }
        continue;
      }
      if (l.code != "G1" && l.code != "G2" && l.code != "G3") break;
      Cut(Next(), pass);
      pass.moves.push_back(l.move);
    }
    Require(!risen && at_point_ == start && !pass.moves.empty());
    return pass;
  }

  void Cut(const Line& l, Pass& pass) {
    Require(l.fed == feed_ && z_ && *z_ <= 0);
    const Point end{l['X'], l['Y']};
    if (l.code == "G1") {
      Require(l.letters == "XY");
    } else {
      Require(l.letters == "XYIJ");
      const Point from = *at_point_;
      const Point centre{from.x + l['I'], from.y + l['J']};
      const double r0 = std::hypot(from.x - centre.x, from.y - centre.y);
      const double r1 = std::hypot(end.x - centre.x, end.y - centre.y);
      if (end == from || r0 == 0) Require(std::max(r0, r1) <= kUnseenArc);
      Require(std::fabs(r1 - r0) <= RadiusTolerance(e_.sprocket_radius, r0));
      if (r0 > 0) {
        const double a0 = std::atan2(from.y - centre.y, from.x - centre.x);
        const double sweep = Sweep(a0, std::atan2(end.y - centre.y, end.x - centre.x));
        const double middle = l.code == "G3" ? a0 + sweep / 2 : a0 - (2 * kPi - sweep) / 2;
        pass.samples.push_back(
            {centre.x + r0 * std::cos(middle), centre.y + r0 * std::sin(middle)});
      }
    }
    pass.samples.push_back(end);
    at_point_ = end;
  }

  // Passes k * step may lie a rounding above the step apart.
  static constexpr double kStepSlack = 1e-9;

  const std::vector<Line>& lines_;
  const Expected& e_;
  const bool feed_;
  size_t at_ = 0;
  std::optional<double> z_;
  std::optional<Point> at_point_;
  double previous_depth_ = -1;  // of the contour's pass before, -1 before its first
};

bool AnyOption(const FieldTexts& f) {
  for (const std::string* text :
       {&f.seat_clearance, &f.tip_diameter, &f.tool_diameter, &f.depth_per_pass, &f.tabs,
        &f.tab_width, &f.tab_height, &f.safe_z, &f.spindle, &f.bore, &f.keyway_width,
        &f.keyway_depth, &f.bolt_holes, &f.bolt_hole_diameter, &f.bolt_circle}) {
    if (!Blank(*text)) return true;
  }
  return f.program_end;
}

void CheckProgram(const RunResults& r, const FieldTexts& f) {
  const std::vector<std::string_view> texts = Lines(r.gcode);
  if (!AnyOption(f)) {
    Require(texts.size() == static_cast<size_t>(3 * r.job.sprocket.N) + (f.offset ? 9 : 4));
  }
  // A feed that is not blank is copied as typed.
  const bool feed = !Blank(f.feed);
  if (feed) Require(PlainNumber(f.feed));
  const std::string suffix = feed ? " F" + f.feed : "";
  std::vector<Line> lines;
  for (std::string_view text : texts) {
    lines.push_back(ParseLine(text, f, suffix));
    Require(!HasNonNumber(lines.back().move));
  }

  Expected e;
  e.english = f.units == "English";
  e.offset = f.offset;
  e.contours = r.job.sprocket.holes.size() + 1;
  e.depth = Blank(f.depth) ? 0 : std::fabs(Value(f.depth));
  e.spindle = !Blank(f.spindle);
  e.program_end = f.program_end;
  e.sprocket_radius = Value(r.job.sprocket.outside_diameter_text) / 2;
  if (!Blank(f.depth_per_pass)) e.per_pass = Value(f.depth_per_pass);
  if (!Blank(f.tabs)) {
    e.tabs = static_cast<int>(Value(f.tabs));
    e.tab_z = FormatReal(e.depth - Value(f.tab_height));
  }
  if (!Blank(f.safe_z)) e.safe_z = Value(f.safe_z);
  const bool tool = !Blank(f.tool_diameter);
  e.tool = tool;
  const std::vector<std::vector<Pass>> contours = ProgramCheck(lines, e, feed).Walk();

  for (size_t c = 0; c < contours.size(); ++c) {
    const bool outline = c + 1 == contours.size();
    const toothwright::Path& contour = outline ? r.job.sprocket.outline : r.job.sprocket.holes[c];
    const size_t segments = contour.segments.size();
    if (tool) {
      CheckClearance(contours[c].front().samples, contour, Value(f.tool_diameter) / 2,
                     e.sprocket_radius);
    }
    for (const Pass& pass : contours[c]) {
      // Every pass follows the same path; only the outline has tabs, one rise each.
      Require(pass.moves == contours[c].front().moves);
      Require(pass.rises == (outline && e.tab_z && Value(*e.tab_z) < pass.depth ? e.tabs : 0));
      const size_t moves = pass.moves.size();
      if (!tool) Require(moves >= segments && moves <= segments + 2 * static_cast<size_t>(e.tabs));
    }
  }
}

bool Finite(const toothwright::PreviewCall& c) {
  for (float v : {c.x, c.y, c.radius, c.start, c.end, c.x2, c.y2}) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

void CheckPreview(const RunResults& r) {
  size_t expected = 1 + (r.job.sprocket.mounting.bore ? 0 : 1);
  for (const auto& s : r.job.sprocket.outline.segments) expected += IsArc(s) ? 1 : 0;
  for (const auto& hole : r.job.sprocket.holes) expected += hole.segments.size();
  Require(r.preview.size() == expected);
  Require(std::all_of(r.preview.begin(), r.preview.end(), Finite));
}

// The job's moves: one contour per hole and the outline, each cut across from its entry, tabs
// only on the outline (the last), a finite cut length and, with a feed, a finite cut time.
void CheckToolpath(const RunResults& r) {
  namespace t = toothwright;
  const std::vector<t::ContourCut> contours = t::FindContours(r.job.moves);
  Require(contours.size() == r.job.sprocket.holes.size() + 1);
  for (size_t k = 0; k < contours.size(); ++k) {
    Require(contours[k].first_across.has_value());
    Require(contours[k].tabs.empty() || k + 1 == contours.size());
  }
  const t::CutStatistics stats = t::MeasureCut(r.job.moves);
  Require(std::isfinite(stats.length) && stats.length > 0);
  const bool feed = r.gcode.find(" F") != std::string::npos;
  Require(feed == stats.minutes.has_value() && (!feed || std::isfinite(*stats.minutes)));
}

bool IsMessage(const std::string& text) {
  namespace t = toothwright;
  for (const char* message : {t::kPitchMessage,
                              t::kTeethMessage,
                              t::kRollerMessage,
                              t::kDepthMessage,
                              t::kFeedMessage,
                              t::kSeatClearanceMessage,
                              t::kTipDiameterMessage,
                              t::kToolDiameterMessage,
                              t::kDepthPerPassMessage,
                              t::kTabsMessage,
                              t::kTabWidthMessage,
                              t::kTabHeightMessage,
                              t::kSafeZMessage,
                              t::kSpindleMessage,
                              t::kBoreMessage,
                              t::kKeywayWidthMessage,
                              t::kKeywayDepthMessage,
                              t::kBoltHolesMessage,
                              t::kBoltHoleDiameterMessage,
                              t::kBoltCircleMessage}) {
    if (text == message) return true;
  }
  return false;
}

// Whether every text of the fields is ASCII and the units are those a design file may hold:
// such fields come back from a file exactly (other bytes may be replaced on writing).
bool FileKeepsExactly(const FieldTexts& f) {
  const auto ascii = [](const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  };
  for (const toothwright::OptionRow& field : toothwright::kTextFields) {
    if (!ascii(f.*(field.text))) return false;
  }
  return f.units == "English" || f.units == "Metric";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> parts = SplitAtNul(data, size);
  parts.resize(23);
  // The feed and the spindle speed are one-line fields: they cannot hold a line break.
  for (size_t one_line : {4, 15}) {
    std::erase_if(parts[one_line], [](char c) { return c == '\r' || c == '\n'; });
  }
  FieldTexts f{.pitch = parts[0],
               .teeth = parts[1],
               .roller = parts[2],
               .units = parts[5],
               .depth = parts[3],
               .feed = parts[4],
               .offset = !parts[6].empty(),
               .seat_clearance = parts[7],
               .tip_diameter = parts[8],
               .tool_diameter = parts[9],
               .depth_per_pass = parts[10],
               .tabs = parts[11],
               .tab_width = parts[12],
               .tab_height = parts[13],
               .safe_z = parts[14],
               .spindle = parts[15],
               .program_end = !parts[16].empty(),
               .bore = parts[17],
               .keyway_width = parts[18],
               .keyway_depth = parts[19],
               .bolt_holes = parts[20],
               .bolt_hole_diameter = parts[21],
               .bolt_circle = parts[22]};
  // A design file keeps the fields as typed: written and read back, they are the same fields.
  if (FileKeepsExactly(f)) {
    const auto reread = toothwright::ReadDesignFile(toothwright::WriteDesignFile(f), "fuzz");
    const auto* fields = std::get_if<FieldTexts>(&reread);
    Require(fields != nullptr && *fields == f);
  }
  const auto result = toothwright::RunDesign(f);
  if (const auto* error = std::get_if<FieldError>(&result)) {
    Require(IsMessage(error->message) && error->message == toothwright::MessageOf(error->field));
    return 0;
  }
  const RunResults& r = std::get<RunResults>(result);
  Require(!HasNonNumber(r.dxf) && !HasNonNumber(toothwright::WriteDrawingSvg(r.job)) &&
          !HasNonNumber(r.job.sprocket.pitch_diameter_text) &&
          !HasNonNumber(r.job.sprocket.outside_diameter_text));
  Lines(r.dxf);
  CheckProgram(r, f);
  CheckPreview(r);
  CheckToolpath(r);
  return 0;
}
