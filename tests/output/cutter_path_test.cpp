// The computed cutter path over many sprockets (chains, both units, tooth counts, pointed,
// topped and with seat clearance): every point lies half the tool's diameter from the
// outline, the path is continuous and closed, and each convex corner is rounded once.
#include "sprocket/cutter_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/segment.h"
#include "sprocket/chain_sizes.h"
#include "support/sprockets.h"

namespace toothwright {
namespace {

// Every point of both paths holds four decimals (up to 0.71e-4 off), and the tangent
// junctions of the outline keep kinks of about 1e-4 rad.
constexpr double kRoundingSlack = 3e-4;

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// Turn from direction a to direction b counter-clockwise, in [0, 2*pi).
double CounterClockwiseTurn(double a, double b) {
  const double turn = std::fmod(b - a, 2 * std::numbers::pi);
  return turn < 0 ? turn + 2 * std::numbers::pi : turn;
}

// Shortest distance from p to the segment as drawn (its arc, not its whole circle).
double DistanceTo(const Segment& s, Point p) {
  const double to_ends = std::min(Distance(p, s.start), Distance(p, s.end));
  if (!IsArc(s)) return to_ends;  // the outlines here are all arcs
  const auto angle = [&](Point q) { return std::atan2(q.y - s.centre.y, q.x - s.centre.x); };
  double sweep = CounterClockwiseTurn(angle(s.start), angle(s.end));
  double at = CounterClockwiseTurn(angle(s.start), angle(p));
  if (s.kind == SegmentKind::ClockwiseArc) {
    sweep = CounterClockwiseTurn(angle(s.end), angle(s.start));
    at = CounterClockwiseTurn(angle(s.end), angle(p));
  }
  if (at > sweep) return to_ends;
  return std::fabs(Distance(p, s.centre) - s.radius);
}

double DistanceTo(const Path& path, Point p) {
  double nearest = std::numeric_limits<double>::infinity();
  for (const Segment& s : path.segments) nearest = std::min(nearest, DistanceTo(s, p));
  return nearest;
}

struct Sprocket {
  std::string name;
  SprocketRun run;
  bool topped = false;
};

std::vector<Sprocket> ManySprockets() {
  const char* chains[] = {"ANSI 25", "ANSI 40", "ANSI 80", "Bicycle", "Bike 530"};
  struct Form {
    const char *name, *clearance, *tip;
  };
  const Form forms[] = {{"pointed", "", ""},
                        {"topped", "", "ANSI"},
                        {"clearance", "ANSI", ""},
                        {"both", "ANSI", "ANSI"}};
  std::vector<Sprocket> out;
  for (const char* units : {"English", "Metric"}) {
    for (const char* chain : chains) {
      const ChainSize size = *FindChainSize(chain);
      const LengthTexts lengths = SetChainSize(size.pitch, size.roller, UnitOf(units));
      for (const char* teeth : {"4", "7", "18", "41"}) {
        for (const Form& form : forms) {
          const auto run = RunSprocket({.pitch = lengths.pitch,
                                        .teeth = teeth,
                                        .roller = lengths.roller,
                                        .units = units,
                                        .seat_clearance = form.clearance,
                                        .tip_diameter = form.tip});
          if (!std::holds_alternative<SprocketRun>(run)) continue;  // form refused for the chain
          out.push_back({std::string(chain) + ", " + units + ", " + teeth + " teeth, " + form.name,
                         std::get<SprocketRun>(run), *form.tip != '\0'});
        }
      }
    }
  }
  return out;
}

TEST(CutterPath, EveryPointHalfTheToolFromTheOutlineContinuousAndClosed) {
  const std::vector<Sprocket> sprockets = ManySprockets();
  ASSERT_GE(sprockets.size(), 100u);
  for (const Sprocket& s : sprockets) {
    for (double share : {0.2, 0.95}) {  // of the seat's diameter
      const double tool = share * 2 * s.run.SeatRadius;
      SCOPED_TRACE(s.name + ", tool " + std::to_string(tool));
      const auto path = CutterPath(s.run.outline, tool);
      ASSERT_TRUE(path);
      const std::vector<Segment>& segments = path->segments;
      int roundings = 0;
      for (size_t k = 0; k < segments.size(); ++k) {
        const Segment& c = segments[k];
        EXPECT_EQ(c.end, segments[(k + 1) % segments.size()].start) << "gap after " << k;
        EXPECT_NE(c.start, c.end) << "a full circle at " << k;
        roundings += c.role == SegmentRole::Rounding;
        EXPECT_NEAR(Distance(c.start, c.centre), c.radius, kRoundingSlack) << k;
        EXPECT_NEAR(Distance(c.end, c.centre), c.radius, kRoundingSlack) << k;
        for (Point p : {c.start, PointAlong(c, SegmentLength(c) / 2)}) {
          EXPECT_NEAR(DistanceTo(s.run.outline, p), tool / 2, kRoundingSlack) << k;
        }
      }
      // A pointed tip is one convex corner, a topped tooth has two.
      EXPECT_EQ(roundings, (s.topped ? 2 : 1) * s.run.N);
    }
  }
}

}  // namespace
}  // namespace toothwright
