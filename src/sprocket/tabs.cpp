// One walk along the path records, per tooth, where its flanks and top lie and how long its
// part between the seats is.
#include "sprocket/tabs.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <limits>

#include "geometry/segment.h"

namespace toothwright {
namespace {

struct ToothSpan {
  int flanks = 0;              // flanks seen so far
  double first_flank_end = 0;  // lengths along the path from its start
  double second_flank_start = 0;
  bool topped = false;
  double top_start = 0, top_end = 0;
  double between_seats = 0;  // length of the tooth's segments that are not seats
};

std::vector<ToothSpan> Teeth(const Path& path) {
  const int N = HighestTooth(path);
  std::vector<ToothSpan> teeth(static_cast<size_t>(N) + 1);
  if (N == 0) return teeth;
  double along = 0;
  for (const Segment& s : path.segments) {
    const double length = SegmentLength(s);
    ToothSpan& t = teeth[static_cast<size_t>(s.tooth)];
    if (s.role != SegmentRole::Seat) t.between_seats += length;
    if (s.role == SegmentRole::Flank) {
      if (t.flanks++ == 0) {
        t.first_flank_end = along + length;
      } else {
        t.second_flank_start = along;
      }
    }
    if (s.role == SegmentRole::Top) {
      t.topped = true;
      t.top_start = along;
      t.top_end = along + length;
    }
    along += length;
  }
  return teeth;
}

double Middle(const ToothSpan& t) {
  return t.topped ? (t.top_start + t.top_end) / 2 : (t.first_flank_end + t.second_flank_start) / 2;
}

}  // namespace

int TabTooth(int k, int count, int N) {
  // k * N stays within long long for any tooth and tab count a run accepts.
  return 1 + static_cast<int>(static_cast<long long>(k) * N / count);
}

std::optional<double> ToothMiddle(const Path& path, int tooth) {
  const std::vector<ToothSpan> teeth = Teeth(path);
  if (tooth < 1 || static_cast<size_t>(tooth) >= teeth.size()) return std::nullopt;
  const ToothSpan& t = teeth[static_cast<size_t>(tooth)];
  if (!t.topped && t.flanks < 2) return std::nullopt;
  return Middle(t);
}

std::vector<double> TabCentres(const Path& path, int count) {
  const std::vector<ToothSpan> teeth = Teeth(path);
  const int N = static_cast<int>(teeth.size()) - 1;
  std::vector<double> centres;
  if (N == 0) return centres;
  assert(count >= 1 && count <= N);
  centres.reserve(static_cast<size_t>(count));
  for (int k = 0; k < count; ++k) {
    const ToothSpan& t = teeth[static_cast<size_t>(TabTooth(k, count, N))];
    centres.push_back(Middle(t));
  }
  return centres;
}

double RoomForTabs(const Path& path, int count) {
  const std::vector<ToothSpan> teeth = Teeth(path);
  const int N = static_cast<int>(teeth.size()) - 1;
  double room = std::numeric_limits<double>::infinity();
  for (int k = 0; N > 0 && k < count; ++k) {
    room = std::min(room, teeth[static_cast<size_t>(TabTooth(k, count, N))].between_seats);
  }
  return room;
}

}  // namespace toothwright
