// Fuzzes reading a milling program back: any bytes are read or refused with a line inside the
// text, never a crash; what is read gives contours whose indices lie within the moves, a cut
// length that is not NaN, a cut time text, a toolpath drawn on a recording canvas and an SVG
// document.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "output/cut_statistics.h"
#include "output/program_contours.h"
#include "output/recording_canvas.h"
#include "output/toolpath_preview.h"
#include "output/toolpath_svg.h"

namespace {

// A square part for the SVG document to draw beneath the toolpath.
toothwright::Path Square() {
  toothwright::Path path;
  const toothwright::Point corners[] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  for (int k = 0; k < 4; ++k) {
    toothwright::Segment s;
    s.start = corners[k];
    s.end = corners[(k + 1) % 4];
    path.segments.push_back(s);
  }
  return path;
}

void CheckContour(const toothwright::ContourCut& c, size_t moves) {
  if (!(c.first < c.last && c.last <= moves)) std::abort();
  if (c.entry < c.first || c.entry >= c.last) std::abort();
  if (c.deepest < c.first || c.deepest >= c.last) std::abort();
  if (c.first_across && (*c.first_across < c.entry || *c.first_across >= c.last)) std::abort();
  for (const toothwright::TabCrossing& tab : c.tabs) {
    if (!(c.deepest <= tab.rise && tab.rise < tab.fall && tab.fall < c.last)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace toothwright;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = ReadProgramMoves(text);
  if (const auto* error = std::get_if<ProgramError>(&read)) {
    if (error->line == 0 || error->reason.empty()) std::abort();
    return 0;
  }
  const ProgramMoves& program = std::get<ProgramMoves>(read);
  const std::vector<ContourCut> contours = FindContours(program);
  for (const ContourCut& c : contours) CheckContour(c, program.moves.size());
  const CutStatistics stats = MeasureCut(program);
  if (std::isnan(stats.length)) std::abort();
  if (FormatCutTime(stats.minutes).find("NaN") != std::string::npos) std::abort();
  RecordingCanvas canvas;
  DrawToolpath(program, contours, 3, canvas, 0.125);
  const std::string svg = WriteToolpathSvg(Square(), {}, LengthUnit::Inch, program, contours,
                                           std::optional<double>(0.125));
  if (svg.find("</svg>") == std::string::npos) std::abort();
  return 0;
}
