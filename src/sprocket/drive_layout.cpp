// The pitch line is two arcs and two outer tangents; the rollers are found by walking it a
// chord at a time: from each roller, the first point further along the line a pitch away.
// Along a pitch circle that chord spans exactly one tooth angle, so rollers that come on a
// sprocket in a seat stay in seats.
#include "sprocket/drive_layout.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace toothwright {
namespace {

constexpr double kTurn = 2 * std::numbers::pi;

Point Polar(Point centre, double radius, double angle) {
  return {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)};
}

Point Turned(Point p, double turn, Point offset) {
  const double c = std::cos(turn);
  const double s = std::sin(turn);
  return {offset.x + c * p.x - s * p.y, offset.y + s * p.x + c * p.y};
}

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// A piece of the pitch line: a clockwise arc of `sweep` radians from angle `from`, or a line
// from a to b. Its parameter runs from 0 to End(): the angle turned, or the distance along.
struct Piece {
  bool arc = false;
  Point centre;
  double radius = 0, from = 0, sweep = 0;
  Point a, b;

  double End() const { return arc ? sweep : Distance(a, b); }
  Point At(double t) const {
    if (arc) return Polar(centre, radius, from - t);
    const double length = Distance(a, b);
    const double share = length > 0 ? t / length : 0;
    return {a.x + (b.x - a.x) * share, a.y + (b.y - a.y) * share};
  }
};

// Where a roller stands: its piece and the parameter on it, and how many times the walk has
// gone round.
struct LoopPlace {
  size_t piece = 0;
  double t = 0;
  int lap = 0;
};

// The parameter in [from, piece.End()] of the first point a pitch from q, the distance being
// below it at from and at least it at the end; it grows along the piece there.
double Crossing(const Piece& piece, Point q, double from, double pitch) {
  if (!piece.arc) {
    const double length = piece.End();
    const Point e{(piece.b.x - piece.a.x) / length, (piece.b.y - piece.a.y) / length};
    const Point w{piece.a.x - q.x, piece.a.y - q.y};
    const double along = w.x * e.x + w.y * e.y;
    const double root = along * along - (w.x * w.x + w.y * w.y) + pitch * pitch;
    return std::clamp(-along + std::sqrt(std::max(root, 0.0)), from, length);
  }
  // |centre + R u(angle) - q| = pitch: u(angle) . d = k with d = centre - q.
  const Point d{piece.centre.x - q.x, piece.centre.y - q.y};
  const double reach = std::hypot(d.x, d.y);
  const double k = (pitch * pitch - reach * reach - piece.radius * piece.radius) /
                   (2 * piece.radius * std::max(reach, 1e-300));
  const double gamma = std::acos(std::clamp(k, -1.0, 1.0));
  const double beta = std::atan2(d.y, d.x);
  double best = piece.End();
  for (const double angle : {beta + gamma, beta - gamma}) {
    double t = std::fmod(piece.from - angle, kTurn);
    if (t < 0) t += kTurn;
    if (t > from && t < best) best = t;
  }
  return best;
}

// The place of the first point past `at` along the loop a pitch from the point there.
LoopPlace NextRoller(const std::vector<Piece>& loop, LoopPlace at, double pitch) {
  const Point q = loop[at.piece].At(at.t);
  for (size_t step = 0; step <= loop.size(); ++step) {
    const Piece& piece = loop[at.piece];
    if (at.t < piece.End() && Distance(piece.At(piece.End()), q) >= pitch) {
      at.t = Crossing(piece, q, at.t, pitch);
      return at;
    }
    at.piece = (at.piece + 1) % loop.size();
    at.t = 0;
    if (at.piece == 0) ++at.lap;
  }
  return at;  // a loop shorter than two pitches: no point along it is a pitch away
}

Path PitchLine(Point low1, Point up1, double r1, Point up2, Point low2, Point c2, double r2) {
  Path line;
  const auto add = [&line](SegmentKind kind, Point start, Point end, Point centre, double radius) {
    line.segments.push_back(
        {.kind = kind, .start = start, .end = end, .centre = centre, .radius = radius});
  };
  add(SegmentKind::ClockwiseArc, low1, up1, {}, r1);
  add(SegmentKind::Line, up1, up2, {}, 0);
  add(SegmentKind::ClockwiseArc, up2, low2, c2, r2);
  add(SegmentKind::Line, low2, low1, {}, 0);
  return line;
}

}  // namespace

Path Placed(const Path& path, double turn, Point offset) {
  Path placed = path;
  for (Segment& s : placed.segments) {
    s.start = Turned(s.start, turn, offset);
    s.end = Turned(s.end, turn, offset);
    s.centre = Turned(s.centre, turn, offset);
  }
  return placed;
}

DriveLayout LayOutDrive(const Design& design, const SprocketRun& driver,
                        std::optional<SprocketRun> driven) {
  const DriveNumbers& drive = *design.drive;
  const double pitch = design.tooth.pitch;
  const double r1 = design.tooth.pitch_diameter / 2;
  const double r2 = drive.driven.pitch_diameter / 2;
  const double c = drive.centre_distance;
  DriveLayout layout;
  layout.driven = driven ? std::move(*driven) : BuildSprocket(drive.driven);
  layout.driven_centre = {c, 0};

  // The outer tangents touch both circles at angles pi/2 + delta and -(pi/2 + delta).
  const double delta = std::asin((r2 - r1) / c);
  const double upper = std::numbers::pi / 2 + delta;
  const double lower = kTurn - upper;  // where the lower span comes on this sprocket
  const Point up1 = Polar({}, r1, upper);
  const Point low1 = Polar({}, r1, lower);
  const Point up2 = Polar(layout.driven_centre, r2, upper);
  const Point low2 = Polar(layout.driven_centre, r2, -upper);
  layout.pitch_line = PitchLine(low1, up1, r1, up2, low2, layout.driven_centre, r2);

  // Roller 1: the first seat of this sprocket's wrap, met going clockwise from where the chain
  // comes on. A wrap too short to hold a seat has the sprocket turned to put one there.
  const double tooth1 = kTurn / design.tooth.teeth;
  double first = std::floor(lower / tooth1) * tooth1;
  if (first < upper) {
    layout.driver_turn = lower - first;
    first = lower;
  }
  const std::vector<Piece> loop{
      {.arc = true, .centre = {}, .radius = r1, .from = first, .sweep = first - upper},
      {.a = up1, .b = up2},
      {.arc = true,
       .centre = layout.driven_centre,
       .radius = r2,
       .from = upper,
       .sweep = 2 * upper},
      {.a = low2, .b = low1},
      {.arc = true, .centre = {}, .radius = r1, .from = lower, .sweep = lower - first}};
  constexpr size_t kDrivenArc = 2;

  LoopPlace at;
  bool driven_seated = false;
  layout.rollers.reserve(static_cast<size_t>(drive.links));
  for (int i = 0; i < drive.links; ++i) {
    if (i > 0) at = NextRoller(loop, at, pitch);
    const Point roller = loop[at.piece].At(at.t);
    layout.rollers.push_back(roller);
    // The first roller on the driven pitch circle sits in a seat: the sprocket is turned so.
    if (at.piece == kDrivenArc && !driven_seated) {
      const double tooth2 = kTurn / drive.driven.teeth;
      const double angle = std::atan2(roller.y, roller.x - c);
      layout.driven_turn = std::fmod(std::fmod(angle, tooth2) + tooth2, tooth2);
      driven_seated = true;
    }
  }
  const double closing = Distance(layout.rollers.back(), layout.rollers.front());
  layout.slack = at.lap == 0 ? closing - pitch : -closing - pitch;

  for (const Path& hole : driver.holes) {
    layout.driver_paths.push_back(Placed(hole, layout.driver_turn, {}));
  }
  layout.driver_paths.push_back(Placed(driver.outline, layout.driver_turn, {}));
  layout.driven_outline = Placed(layout.driven.outline, layout.driven_turn, layout.driven_centre);
  return layout;
}

}  // namespace toothwright
