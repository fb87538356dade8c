// A pass starts with a descent to a depth no earlier move of its contour reached; a tab is a
// rise off the deepest pass's depth followed by a descent back to it. Ramps (moves across and
// down at once, perhaps several in a row) start a pass just as a plunge does. Rapid moves
// inside a contour (a retract and a return between passes) start nothing.
#include "output/toolpath_contours.h"

#include <algorithm>
#include <vector>

namespace toothwright {
namespace {

bool GoesDown(const Move& m) {
  return m.z_to < m.z_from;
}

// Where the contour first goes down, and its first move across from there.
void FindEntry(std::span<const Move> moves, ContourCut& c) {
  c.entry = c.first;
  for (size_t k = c.first; k < c.last; ++k) {
    if (IsFeedMove(moves[k]) && GoesDown(moves[k])) {
      c.entry = k;
      break;
    }
  }
  for (size_t k = c.entry; k < c.last && !c.first_across; ++k) {
    if (CutsAcross(moves[k])) c.first_across = k;
  }
}

// The deepest pass begins with the run of moves down, each deeper than every move before it,
// that first reaches the lowest Z. A descent back onto a depth already cut (after a tab) is no
// such move, so it never starts a pass. Returns the move that first reaches the lowest Z.
size_t FindDeepest(std::span<const Move> moves, ContourCut& c) {
  const size_t first = c.first, last = c.last;
  c.depth = moves[first].z_to;
  for (size_t k = first; k < last; ++k) c.depth = std::min(c.depth, moves[k].z_to);
  size_t reached = first;
  while (moves[reached].z_to != c.depth) ++reached;
  // lowest[k - first]: the lowest Z before move k.
  std::vector<double> lowest(last - first);
  double low = moves[first].z_from;
  for (size_t k = first; k < last; ++k) {
    lowest[k - first] = low;
    low = std::min(low, moves[k].z_to);
  }
  c.deepest = reached;
  while (c.deepest > first) {
    const Move& before = moves[c.deepest - 1];
    if (!IsFeedMove(before) || !GoesDown(before) ||
        !(before.z_to < lowest[c.deepest - 1 - first])) {
      break;
    }
    --c.deepest;
  }
  return reached;
}

// Tabs: off the depth and back, on the deepest pass after `reached`. A rise with no descent
// after it (a lead-out) is no tab.
void FindTabs(std::span<const Move> moves, size_t reached, ContourCut& c) {
  bool risen = false;
  size_t rise = 0;
  for (size_t k = reached + 1; k < c.last; ++k) {
    const Move& m = moves[k];
    if (!IsFeedMove(m)) continue;  // a retract between passes
    if (!risen && m.z_from == c.depth && m.z_to > m.z_from) {
      risen = true;
      rise = k;
    } else if (risen && m.z_to == c.depth && GoesDown(m)) {
      c.tabs.push_back({rise, k});
      risen = false;
    }
  }
}

ContourCut Describe(std::span<const Move> moves, size_t first, size_t last) {
  ContourCut c;
  c.first = first;
  c.last = last;
  FindEntry(moves, c);
  FindTabs(moves, FindDeepest(moves, c), c);
  return c;
}

}  // namespace

std::vector<ContourCut> FindContours(std::span<const Move> moves) {
  std::vector<ContourCut> contours;
  size_t k = 0;
  while (k < moves.size()) {
    if (!IsFeedMove(moves[k])) {
      ++k;
      continue;
    }
    const size_t first = k;
    while (k < moves.size() && IsFeedMove(moves[k])) ++k;
    // Passes entered again at the first one's start, after a retract, are the same contour.
    if (!contours.empty() && moves[first].start == moves[contours.back().first].start) {
      contours.back() = Describe(moves, contours.back().first, k);
    } else {
      contours.push_back(Describe(moves, first, k));
    }
  }
  return contours;
}

bool Compensated(std::span<const Move> moves) {
  bool on = false;
  for (const Move& m : moves) {
    if (m.kind == MoveKind::CompensationRight || m.kind == MoveKind::CompensationLeft) on = true;
    if (m.kind == MoveKind::CompensationOff) on = false;
    if (on && IsFeedMove(m)) return true;
  }
  return false;
}

}  // namespace toothwright
