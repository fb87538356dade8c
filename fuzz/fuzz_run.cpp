// Fuzzes the whole run on arbitrary field texts. Fields, separated by NUL bytes: pitch,
// teeth, roller, depth, feed, units, and offset (ticked when its text is not empty).
// A run yields one of the validation messages, or results whose numbers hold no "inf" or
// "nan", whose program has 3N+4 lines (3N+6 with "G42" and "G40"), and whose arcs join into
// one closed contour.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "fuzz_input.h"
#include "output/pipeline.h"
#include "sprocket/numbers.h"

namespace {

using toothwright::FieldTexts;
using toothwright::RunResults;
using toothwright::ValidationMessage;

void Require(bool condition) {
  if (!condition) std::abort();
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

struct Point {
  double x = 0, y = 0;
};

// The number after word (" X", "  Y", " I", " J") up to the next blank.
double Word(std::string_view line, std::string_view word) {
  const size_t at = line.find(word);
  Require(at != std::string_view::npos);
  const size_t from = at + word.size();
  const auto value = toothwright::ParseReal(line.substr(from, line.find(' ', from) - from));
  Require(value.has_value());
  return *value;
}

// How far an arc's end may lie off its radius: a run accepts a construction whose tooth-1
// points lie within 1e-3 + 1 % of their circles (the closed-form intersections lose
// precision on steep lines and large sizes); start and end may each be off that much, plus
// the four-decimal rounding and a relative 1e-9 of the sprocket's size for the turning.
double RadiusTolerance(double sprocket_radius, double arc_radius) {
  return 2.5e-3 + 0.02 * arc_radius + 1e-9 * sprocket_radius;
}

// Every arc starts where the move before it ended and keeps its radius within the rounding
// of the stored points; the last arc ends on the rapid move's point.
void CheckContour(const std::vector<std::string_view>& lines, size_t rapid_line,
                  double sprocket_radius) {
  const Point start{Word(lines[rapid_line], " X"), Word(lines[rapid_line], "  Y")};
  Point at = start;
  size_t arcs = 0;
  for (std::string_view line : lines) {
    if (!line.starts_with("G2 X") && !line.starts_with("G3 X")) continue;
    const Point centre{at.x + Word(line, " I"), at.y + Word(line, " J")};
    const Point end{Word(line, " X"), Word(line, "  Y")};
    const double r0 = std::hypot(at.x - centre.x, at.y - centre.y);
    const double r1 = std::hypot(end.x - centre.x, end.y - centre.y);
    Require(std::fabs(r1 - r0) <= RadiusTolerance(sprocket_radius, r0));
    at = end;
    ++arcs;
  }
  Require(arcs > 0 && at.x == start.x && at.y == start.y);
}

void CheckProgram(const RunResults& r, const FieldTexts& f) {
  const int n = r.sprocket.N;
  const std::vector<std::string_view> lines = Lines(r.gcode);
  Require(lines.size() == static_cast<size_t>(3 * n) + (f.offset ? 6 : 4));
  Require(lines[0] == (f.units == "English" ? "G20" : "G21"));
  Require(!f.offset || (lines[1] == "G42" && lines.back() == "G40"));
  // Everything but the copied feed text is made by the program and must be a plain number.
  const bool feed = f.feed > std::string_view(" ");
  const std::string suffix = " F" + f.feed;
  for (std::string_view line : lines) {
    if (feed && line.ends_with(suffix)) line.remove_suffix(suffix.size());
    Require(!HasNonNumber(line));
  }
  CheckContour(lines, f.offset ? 2 : 1,
               *toothwright::ParseReal(r.sprocket.outside_diameter_text) / 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> parts = SplitAtNul(data, size);
  parts.resize(7);
  // The feed is a one-line field: it cannot hold a line break.
  std::erase_if(parts[4], [](char c) { return c == '\r' || c == '\n'; });
  FieldTexts f{.pitch = parts[0],
               .teeth = parts[1],
               .roller = parts[2],
               .units = parts[5],
               .depth = parts[3],
               .feed = parts[4],
               .offset = !parts[6].empty()};
  const auto result = toothwright::Run(f);
  if (const auto* message = std::get_if<ValidationMessage>(&result)) {
    Require(message->text == toothwright::kPitchMessage ||
            message->text == toothwright::kTeethMessage ||
            message->text == toothwright::kRollerMessage ||
            message->text == toothwright::kDepthMessage);
    return 0;
  }
  const RunResults& r = std::get<RunResults>(result);
  Require(!HasNonNumber(r.dxf) && !HasNonNumber(r.sprocket.pitch_diameter_text) &&
          !HasNonNumber(r.sprocket.outside_diameter_text));
  CheckProgram(r, f);
  Require(r.preview.size() == static_cast<size_t>(3 * r.sprocket.N) + 2);
  return 0;
}
