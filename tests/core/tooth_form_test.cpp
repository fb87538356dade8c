// Seat clearance and tip topping: how the fields are read and refused, and the outline they
// give as properties over many chains: closed, every arc's ends on its circle, the seats at
// their radius, the tops on the top circle, every tooth tooth 1 turned.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <variant>

#include "sprocket/chain_sizes.h"
#include "support/sprockets.h"

namespace toothwright {
namespace {

// Points hold four decimals and the teeth are turned from tooth 1's rounded points.
constexpr double kRoundingSlack = 3e-4;

FieldTexts Ansi40(std::string clearance, std::string tip, std::string units = "English") {
  const bool english = units == "English";
  return {.pitch = english ? "0.5" : "12.7",
          .teeth = "18",
          .roller = english ? "0.3125" : "7.9375",
          .units = units,
          .seat_clearance = std::move(clearance),
          .tip_diameter = std::move(tip)};
}

TEST(ToothForm, FieldsReadOrRefused) {
  struct Case {
    const char* name;
    FieldTexts fields;
    std::string outcome;  // a message, or the outside diameter text
  };
  const Case cases[] = {
      {"pointed", Ansi40("", ""), "3.30754316676291"},
      {"zero clearance is none", Ansi40("0", ""), "3.30754316676291"},
      {"ANSI words", Ansi40(" ansi ", "AnSi"), "3.13564090980885"},
      {"typed top shown as read", Ansi40("", "3.10"), "3.1"},
      {"negative clearance", Ansi40("-0.001", ""), kSeatClearanceMessage},
      {"clearance with a unit", Ansi40("0.01in", ""), kSeatClearanceMessage},
      {"seat reaching half the pitch", Ansi40("0.09375", ""), kSeatClearanceMessage},
      {"tip not a number", Ansi40("", "3,1"), kTipDiameterMessage},
      {"tip at the pointed diameter", Ansi40("", "3.30754316676291"), kTipDiameterMessage},
      {"tip below the seats", Ansi40("", "2.6"), kTipDiameterMessage},
      {"top arcs ending where they start", Ansi40("", "3.30754"), kTipDiameterMessage},
      {"flanks too short to write on a tiny chain",
       {.pitch = "0.001", .teeth = "18", .roller = "0.0006", .seat_clearance = "0.00019"},
       kSeatClearanceMessage},
      {"roller checked first",
       {.pitch = "0.5", .teeth = "18", .roller = "0.5", .seat_clearance = "x"},
       kRollerMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto run = RunSprocket(c.fields);
    if (const auto* message = std::get_if<FieldError>(&run)) {
      EXPECT_EQ(message->message, c.outcome);
    } else {
      EXPECT_EQ(std::get<SprocketRun>(run).outside_diameter_text.substr(0, c.outcome.size()),
                c.outcome);
    }
  }
}

Point Turned(Point p, double angle) {
  return {p.x * std::cos(angle) - p.y * std::sin(angle),
          p.x * std::sin(angle) + p.y * std::cos(angle)};
}

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

TEST(ToothForm, OutlineProperties) {
  for (const ChainSize& chain : ChainSizeTable) {
    for (const char* units : {"English", "Metric"}) {
      for (const char* teeth : {"4", "9", "18", "41", "120"}) {
        for (const char* clearance : {"", "ANSI"}) {
          for (const char* tip : {"", "ANSI"}) {
            const LengthTexts lengths = SetChainSize(chain.pitch, chain.roller, UnitOf(units));
            const FieldTexts fields{.pitch = lengths.pitch,
                                    .teeth = teeth,
                                    .roller = lengths.roller,
                                    .units = units,
                                    .seat_clearance = clearance,
                                    .tip_diameter = tip};
            SCOPED_TRACE(std::string(chain.name) + " " + units + " " + teeth + " clearance '" +
                         clearance + "' tip '" + tip + "'");
            const auto result = RunSprocket(fields);
            if (std::holds_alternative<FieldError>(result)) {
              // ANSI topping lies outside the pointed teeth of very few teeth.
              EXPECT_EQ(std::get<FieldError>(result).message, kTipDiameterMessage);
              continue;
            }
            const SprocketRun& run = std::get<SprocketRun>(result);
            const auto& segments = run.outline.segments;
            const size_t per_tooth = run.TopDiameter ? 4 : 3;
            ASSERT_EQ(segments.size(), per_tooth * static_cast<size_t>(run.N));
            const double step = 2 * std::numbers::pi / run.N;
            for (size_t k = 0; k < segments.size(); ++k) {
              const Segment& s = segments[k];
              EXPECT_EQ(s.end, segments[(k + 1) % segments.size()].start);
              EXPECT_NEAR(Distance(s.start, s.centre), s.radius, kRoundingSlack);
              EXPECT_NEAR(Distance(s.end, s.centre), s.radius, kRoundingSlack);
              if (s.role == SegmentRole::Seat) {
                EXPECT_EQ(s.radius, run.SeatRadius);
              }
              if (run.TopDiameter) {
                EXPECT_LE(Distance(s.end, {}), *run.TopDiameter / 2 + 1e-4);
              }
              const Segment& first = segments[k % per_tooth];
              const double turn = step * static_cast<double>(k / per_tooth);
              EXPECT_LT(Distance(Turned(first.end, turn), s.end), kRoundingSlack);
              EXPECT_LT(Distance(Turned(first.centre, turn), s.centre), kRoundingSlack);
            }
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace toothwright
