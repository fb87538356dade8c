// The chain drive: the handbooks' formulas, the figures and notes, the refusals, and the layout's
// rollers on the pitch line a pitch apart and in the seats.
#include "sprocket/drive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <variant>
#include <vector>

#include "sprocket/drive_layout.h"
#include "sprocket/job.h"

namespace toothwright {
namespace {

FieldTexts Ansi40(std::string teeth, std::string driven) {
  FieldTexts f;
  f.pitch = "0.5";
  f.roller = "0.3125";
  f.teeth = std::move(teeth);
  f.driven_teeth = std::move(driven);
  return f;
}

Job JobOf(const FieldTexts& f) {
  auto job = MakeJob(f);
  if (auto* error = std::get_if<FieldError>(&job)) ADD_FAILURE() << error->reason;
  return std::get<Job>(std::move(job));
}

TEST(Drive, FormulasInvertEachOther) {
  for (const int n1 : {9, 18, 40}) {
    for (const int n2 : {9, 45, 120}) {
      for (const double links : {150.0, 213.0, 400.0}) {
        SCOPED_TRACE(std::to_string(n1) + "/" + std::to_string(n2) + " " + std::to_string(links));
        const std::optional<double> c = CentreDistanceFor(0.5, n1, n2, links);
        ASSERT_TRUE(c.has_value());
        EXPECT_NEAR(ChainLength(0.5, n1, n2, *c), links, 1e-9);
      }
    }
  }
  EXPECT_EQ(LinksFor(0.5, 18, 45, 20), 112);  // 111.04 rounded up to even
  EXPECT_FALSE(CentreDistanceFor(0.5, 18, 45, 30).has_value());
}

TEST(Drive, FiguresInEitherUnit) {
  FieldTexts f = Ansi40("18", "45");
  f.centre_distance = "20";
  f.speed = "500";
  Job job = JobOf(f);
  std::vector<std::string> lines = DriveFigureLines(job.design, *job.design.drive, 0.01234);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "Chain Length: 112 links (56 in)", "Centre Distance: 20.0096 in",
                       "Ratio: 2.5", "Wrap: 167.7 degrees on the 18-tooth sprocket",
                       "Chain Speed: 375 ft/min", "Driven Speed: 200 rpm", "Slack: 0.0123 in"}));
  FieldTexts metric = Ansi40("45", "18");
  metric.units = "Metric";
  metric.pitch = "12.7";
  metric.roller = "7.9375";
  metric.links = "112";
  metric.speed = "200";
  job = JobOf(metric);
  lines = DriveFigureLines(job.design, *job.design.drive, 0);
  EXPECT_EQ(lines[0], "Chain Length: 112 links (1422.4 mm)");
  EXPECT_EQ(lines[1], "Centre Distance: 508.245 mm");
  EXPECT_EQ(lines[2], "Ratio: 0.4");
  EXPECT_EQ(lines[3], "Wrap: 167.7 degrees on the 18-tooth sprocket");
  EXPECT_EQ(lines[4], "Chain Speed: 1.905 m/s");  // 45 x 12.7 mm x 200 / min
  EXPECT_EQ(lines[5], "Driven Speed: 500 rpm");
}

TEST(Drive, NotesNameTheRulesBroken) {
  struct Case {
    const char* name;
    const char* teeth;
    const char* driven;
    const char* links;
    std::vector<std::string> notes;
  };
  const Case cases[] = {
      {"none", "18", "45", "112", {}},
      {"short and odd",
       "17",
       "18",
       "57",
       {"The centre distance is 19.7 pitches: 30 to 50 is the rule, 80 at most",
        "An odd number of links (57) needs an offset link"}},
      {"small, steep and long",
       "9",
       "80",
       "300",
       {"A sprocket of 9 teeth runs rough and wears the chain: 17 or more is the rule",
        "A ratio of 8.8889 is over 7: the handbooks take two stages beyond it",
        "The centre distance is 127.2 pitches: 30 to 50 is the rule, 80 at most, and a long "
        "span needs a guide or idler"}},
      {"little wrap",
       "17",
       "120",
       "140",
       {"The chain wraps 117.3 degrees of the 17-tooth sprocket, under the 120 the handbooks "
        "ask for",
        "A ratio of 7.0588 is over 7: the handbooks take two stages beyond it"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FieldTexts f = Ansi40(c.teeth, c.driven);
    f.links = c.links;
    const Job job = JobOf(f);
    EXPECT_EQ(DriveNotes(job.design, *job.design.drive), c.notes);
  }
}

TEST(Drive, Refusals) {
  struct Case {
    const char* name;
    FieldTexts fields;
    Field field;
    std::string reason;
  };
  const auto with = [](auto change) {
    FieldTexts f = Ansi40("18", "45");
    f.centre_distance = "20";
    change(f);
    return f;
  };
  const Case cases[] = {
      {"driven teeth fractional", with([](FieldTexts& f) { f.driven_teeth = "45.5"; }),
       Field::DrivenTeeth, "A whole number from 4 to 10000"},
      {"driven teeth topped above their tips", with([](FieldTexts& f) {
         f.driven_teeth = "4";
         f.tip_diameter = "3.3";
       }),
       Field::DrivenTeeth,
       "The driven sprocket of 4 teeth topped at 1.1277 in: Not a valid value for tip diameter; It "
       "must lie between "
       "the flanks' feet and the pointed tips: from 0.5342 in to 0.9718 in"},
      {"distance without driven teeth", with([](FieldTexts& f) { f.driven_teeth = ""; }),
       Field::CentreDistance, "A centre distance needs driven teeth"},
      {"speed without driven teeth", with([](FieldTexts& f) {
         f.driven_teeth = "";
         f.centre_distance = "";
         f.speed = "5";
       }),
       Field::Speed, "A speed needs driven teeth"},
      {"neither length", with([](FieldTexts& f) { f.centre_distance = " "; }),
       Field::CentreDistance, "A drive needs a centre distance or a number of links"},
      {"both lengths", with([](FieldTexts& f) { f.links = "112"; }), Field::Links,
       "Give a centre distance or a number of links, not both"},
      {"outside diameters overlap", with([](FieldTexts& f) { f.centre_distance = "5"; }),
       Field::CentreDistance,
       "The sprockets' outside diameters touch or overlap: a centre distance above 5.4649 in"},
      {"chain too short", with([](FieldTexts& f) {
         f.centre_distance = "";
         f.links = "52";
       }),
       Field::Links, "Too short for the two sprockets to clear each other: at least 56 links"},
      {"links fractional", with([](FieldTexts& f) {
         f.centre_distance = "";
         f.links = "112.5";
       }),
       Field::Links, "A whole number from 1 to 100000"},
      {"distance too long", with([](FieldTexts& f) { f.centre_distance = "30000"; }),
       Field::CentreDistance, "The chain would be over 100000 links long: at most 24992.1249 in"},
      {"speed zero", with([](FieldTexts& f) { f.speed = "0"; }), Field::Speed,
       "A speed above 0 rpm"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto job = MakeJob(c.fields);
    ASSERT_TRUE(std::holds_alternative<FieldError>(job));
    const FieldError& error = std::get<FieldError>(job);
    EXPECT_EQ(error.field, c.field);
    EXPECT_EQ(error.message, MessageOf(c.field));
    EXPECT_EQ(error.reason, c.reason);
  }
}

// Distance from p to the nearest point of the path's segments.
double DistanceToPath(const Path& path, Point p) {
  double best = INFINITY;
  for (const Segment& s : path.segments) {
    if (IsArc(s)) {
      best = std::min(best, std::fabs(std::hypot(p.x - s.centre.x, p.y - s.centre.y) - s.radius));
      continue;
    }
    const double dx = s.end.x - s.start.x, dy = s.end.y - s.start.y;
    const double t = std::clamp(
        ((p.x - s.start.x) * dx + (p.y - s.start.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    best = std::min(best, std::hypot(p.x - s.start.x - t * dx, p.y - s.start.y - t * dy));
  }
  return best;
}

// How far angle lies from the nearest multiple of step, radians.
double OffSeat(double angle, double step) {
  const double rest = std::fmod(std::fmod(angle, step) + step, step);
  return std::min(rest, step - rest);
}

TEST(DriveLayout, RollersAPitchApartOnThePitchLineAndInTheSeats) {
  struct Case {
    const char* teeth;
    const char* driven;
    const char* links;
  };
  constexpr double kOnLine = 1e-9;
  constexpr double kInSeat = 1e-9;  // radians
  for (const Case& c : {Case{"18", "45", "112"}, Case{"45", "18", "113"}, Case{"25", "25", "90"},
                        Case{"9", "80", "140"}, Case{"4", "7", "40"}}) {
    SCOPED_TRACE(std::string(c.teeth) + "/" + c.driven);
    FieldTexts f = Ansi40(c.teeth, c.driven);
    f.links = c.links;
    const Job job = JobOf(f);
    const DriveLayout& d = *job.drive;
    const double pitch = 0.5;
    ASSERT_EQ(d.rollers.size(), static_cast<size_t>(std::stoi(c.links)));
    const double tooth1 = 2 * std::numbers::pi / job.design.tooth.teeth;
    const double tooth2 = 2 * std::numbers::pi / job.design.drive->driven.teeth;
    const double r1 = job.design.tooth.pitch_diameter / 2;
    const double r2 = job.design.drive->driven.pitch_diameter / 2;
    EXPECT_LT(OffSeat(std::atan2(d.rollers[0].y, d.rollers[0].x) - d.driver_turn, tooth1), kInSeat);
    for (size_t i = 0; i < d.rollers.size(); ++i) {
      const Point p = d.rollers[i];
      const Point next = d.rollers[(i + 1) % d.rollers.size()];
      const double gap = std::hypot(next.x - p.x, next.y - p.y);
      EXPECT_NEAR(gap, i + 1 < d.rollers.size() ? pitch : pitch + d.slack, 1e-9) << i;
      EXPECT_LT(DistanceToPath(d.pitch_line, p), kOnLine) << i;
      if (std::fabs(std::hypot(p.x - d.driven_centre.x, p.y) - r2) < kOnLine) {
        EXPECT_LT(OffSeat(std::atan2(p.y, p.x - d.driven_centre.x) - d.driven_turn, tooth2),
                  kInSeat)
            << i;
      }
      if (std::fabs(std::hypot(p.x, p.y) - r1) < kOnLine && p.x < 0) {
        EXPECT_LT(OffSeat(std::atan2(p.y, p.x) - d.driver_turn, tooth1), kInSeat) << i;
      }
    }
  }
}

// The driven sprocket the design's checks built stands in the layout only where it is the one
// the driven numbers build: with seats widened (which the checks build an outline for) and
// topped or pointed teeth.
TEST(DriveLayout, TheDrivenSprocketIsTheOneItsNumbersBuild) {
  struct Case {
    const char* seat_clearance;
    const char* tip_diameter;
  };
  for (const Case& c : {Case{"", ""}, Case{"0.005", ""}, Case{"ANSI", ""}, Case{"ANSI", "ANSI"},
                        Case{"0.002", "ANSI"}}) {
    SCOPED_TRACE(std::string(c.seat_clearance) + "/" + c.tip_diameter);
    FieldTexts f = Ansi40("18", "45");
    f.links = "112";
    f.seat_clearance = c.seat_clearance;
    f.tip_diameter = c.tip_diameter;
    const Job job = JobOf(f);
    const Path& laid = job.drive->driven.outline;
    const Path built = BuildSprocket(job.design.drive->driven).outline;
    ASSERT_EQ(laid.segments.size(), built.segments.size());
    for (size_t i = 0; i < built.segments.size(); ++i) {
      const Segment& a = laid.segments[i];
      const Segment& b = built.segments[i];
      EXPECT_TRUE(a.kind == b.kind && a.start == b.start && a.end == b.end &&
                  a.centre == b.centre && a.radius == b.radius)
          << i;
    }
  }
}

}  // namespace
}  // namespace toothwright
