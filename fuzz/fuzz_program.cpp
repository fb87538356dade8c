// Fuzzes the tests' reader of milling programs and the walkers of a job's moves: any bytes are
// read or refused with a line inside the text, never a crash; the moves read, held as a job's,
// give contours whose indices lie within the moves, a cut length that is not NaN, a cut time
// text, a toolpath drawn on a recording canvas and an SVG document.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "output/cut_statistics.h"
#include "output/recording_canvas.h"
#include "output/toolpath_contours.h"
#include "output/toolpath_preview.h"
#include "output/toolpath_svg.h"
#include "support/program_moves.h"

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
  Job job;
  job.moves = JobMoves(std::get<ProgramMoves>(read));
  job.sprocket.outline = Square();
  job.sprocket.outside_diameter = 3;
  job.design.machining.tool_diameter = 0.125;
  for (const ContourCut& c : FindContours(job.moves)) CheckContour(c, job.moves.size());
  const CutStatistics stats = MeasureCut(job.moves);
  if (std::isnan(stats.length)) std::abort();
  if (FormatCutTime(stats.minutes).find("NaN") != std::string::npos) std::abort();
  RecordingCanvas canvas;
  DrawToolpath(job, canvas);
  const std::string svg = WriteToolpathSvg(job);
  if (svg.find("</svg>") == std::string::npos) std::abort();
  return 0;
}
