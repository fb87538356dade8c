#include "output/toolpath_drawing.h"

namespace toothwright {

void DrawToolpath(std::span<const Move> moves, ToolpathCanvas& canvas) {
  for (const Move& m : moves) {
    if (IsRapidAcross(m)) canvas.Rapid(m.start, m.end);
  }
  const std::vector<ContourCut> contours = FindContours(moves);
  std::vector<Segment> across;
  for (const ContourCut& c : contours) {
    across.clear();
    for (size_t k = c.deepest; k < c.last; ++k) {
      if (CutsAcross(moves[k])) across.push_back(Across(moves[k]));
    }
    canvas.Pass(moves[c.deepest].start, across);
  }
  for (const ContourCut& c : contours) {
    if (const auto entry = EntryMark(moves, c)) canvas.Entry(*entry);
    for (const TabCrossing& tab : c.tabs) {
      if (const auto mark = TabMark(moves, c, tab)) canvas.Tab(*mark);
    }
  }
}

}  // namespace toothwright
