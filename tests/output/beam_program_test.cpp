// Cutting by laser, plasma and waterjet: which fields each process refuses and why, and the
// program's discipline over the beam, read line by line as a controller reads it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/cut_path.h"
#include "output/cut_statistics.h"
#include "output/gcode.h"
#include "output_test_support.h"

namespace toothwright {
namespace {

TEST(BeamFields, RefusalsNameTheFieldAndWhatToDo) {
  struct Case {
    const char* name;
    FieldTexts texts;
    Field field;
    const char* reason_start;
  };
  const auto with = [](FieldTexts f, std::string FieldTexts::*text, const char* value) {
    f.*text = value;
    return f;
  };
  FieldTexts offset = BeamLaser();
  offset.offset = true;
  const Case cases[] = {
      {"unknown process", with(BeamLaser(), &FieldTexts::process, "drill"), Field::Process,
       "mill, laser"},
      {"laser depth", with(BeamLaser(), &FieldTexts::depth, "0.1"), Field::Depth,
       "A laser cuts without depth: leave Depth of Cut empty"},
      {"plasma ramp", with(BeamPlasma(), &FieldTexts::ramp_angle, "5"), Field::RampAngle,
       "A plasma torch cuts without depth"},
      {"waterjet tool", with(BeamPlate("waterjet"), &FieldTexts::tool_diameter, "0.1"),
       Field::ToolDiameter, "A waterjet's cut is as wide as its kerf"},
      {"laser offset", offset, Field::Process, "A laser's cut is as wide as its kerf: untick"},
      {"laser safe Z", with(BeamLaser(), &FieldTexts::safe_z, "1"), Field::SafeZ,
       "A laser program has no heights"},
      {"mill kerf", with(kAnsi40EighteenTeeth, &FieldTexts::kerf, "0.01"), Field::Kerf,
       "A mill cuts as wide as its tool"},
      {"plasma power", with(BeamPlasma(), &FieldTexts::power, "5"), Field::Power,
       "A plasma torch has no beam power"},
      {"mill passes", with(kAnsi40EighteenTeeth, &FieldTexts::passes, "2"), Field::Passes,
       "A mill"},
      {"laser pierce", with(BeamLaser(), &FieldTexts::pierce_height, "0.1"), Field::PierceHeight,
       "A laser does not pierce"},
      {"kerf too wide", with(BeamLaser(), &FieldTexts::kerf, "0.3"), Field::Kerf,
       "The largest kerf that fits"},
      {"laser without power", with(BeamLaser(), &FieldTexts::power, ""), Field::Power,
       "A laser needs its power"},
      {"power with an exponent", with(BeamLaser(), &FieldTexts::power, "1e3"), Field::Power, ""},
      {"51 passes", with(BeamLaser(), &FieldTexts::passes, "51"), Field::Passes, "From 1 to 50"},
      {"no feed", with(BeamLaser(), &FieldTexts::feed, ""), Field::Feed, "A laser moves at a feed"},
      {"waterjet without delay", BeamPlate("waterjet"), Field::PierceDelay,
       "A waterjet needs the seconds it dwells"},
      {"negative delay", with(BeamPlasma(), &FieldTexts::pierce_delay, "-1"), Field::PierceDelay,
       ""},
      {"plasma without pierce height", with(BeamPlasma(), &FieldTexts::pierce_height, ""),
       Field::PierceHeight, "A plasma torch needs"},
      {"pierce above travel", with(BeamPlasma(), &FieldTexts::pierce_height, "2"),
       Field::PierceHeight, "The torch pierces below the height it travels at (2 in"},
      {"cut above pierce", with(BeamPlasma(), &FieldTexts::cut_height, "0.2"), Field::CutHeight,
       "The torch cuts at or below the height it pierces at (0.15 in)"},
      {"plasma without kerf or lead-in", with(BeamPlasma(), &FieldTexts::kerf, ""), Field::Kerf,
       "The torch pierces in the waste"},
      {"lead-in too large for the bore", with(BeamPlasma(), &FieldTexts::lead_in, "0.4"),
       Field::LeadIn, "The lead-in arcs must fit"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto job = MakeJob(c.texts);
    ASSERT_TRUE(std::holds_alternative<FieldError>(job));
    const FieldError& error = std::get<FieldError>(job);
    EXPECT_EQ(error.field, c.field) << error.message;
    EXPECT_EQ(error.message, MessageOf(c.field));
    EXPECT_TRUE(error.reason.starts_with(c.reason_start)) << error.reason;
  }
}

// Every line of each beam's program: no move across with the beam on but a feed move, no
// feed move with it off; a laser writes no height; a torch starts only at its pierce height,
// dwells, then goes down to its cut height.
TEST(BeamProgram, TheBeamIsOnForEveryCutAndOnlyForCuts) {
  FieldTexts waterjet = BeamPlate("waterjet", {.pierce_delay = "1"});
  waterjet.lead_in = "0.05";
  for (const FieldTexts& f : {BeamLaser(), BeamPlasma(), waterjet}) {
    SCOPED_TRACE(f.process);
    const std::vector<std::string> lines = SplitCrLf(WriteGCode(JobOf(f)));
    const bool laser = f.process == "laser";
    bool on = false;
    int starts = 0;
    for (size_t k = 0; k < lines.size(); ++k) {
      const std::string& line = lines[k];
      if (laser) {
        EXPECT_EQ(line.find('Z'), std::string::npos) << line;
      }
      if (line == "M4 S800" || line == "M3") {
        EXPECT_EQ(line, laser ? "M4 S800" : "M3");
        EXPECT_FALSE(on);
        on = true;
        ++starts;
        if (f.process == "plasma") {
          EXPECT_EQ(lines[k - 1], "G0 Z0.15");
          EXPECT_EQ(lines[k + 1], "G4 P0.5");
          EXPECT_EQ(lines[k + 2], "G1 Z0.06 F60");
        }
      } else if (line == "M5") {
        EXPECT_TRUE(on);
        on = false;
      } else if (line.starts_with("G0 X")) {
        EXPECT_FALSE(on) << line;
      } else if (line.starts_with("G1 ") || line.starts_with("G2 ") || line.starts_with("G3 ")) {
        EXPECT_TRUE(on) << line;
      }
    }
    EXPECT_FALSE(on);
    // The bore, then the outline: once each, and again after each of the two tabs on every
    // time round (twice for the laser).
    EXPECT_EQ(starts, 2 + 2 * (laser ? 2 : 1));
  }
}

TEST(BeamProgram, CutTimeCountsEveryPierce) {
  FieldTexts slow = BeamPlasma();
  slow.pierce_delay = "1.5";
  const CutStatistics quick = MeasureCut(JobOf(BeamPlasma()).moves);
  const CutStatistics longer = MeasureCut(JobOf(slow).moves);
  EXPECT_EQ(quick.length, longer.length);
  ASSERT_TRUE(quick.minutes && longer.minutes);
  EXPECT_NEAR(*longer.minutes - *quick.minutes, 4 * 1.0 / 60, 1e-12);  // four pierces
}

// The cut path lies half the kerf off the part: outside the outline, inside the bore.
TEST(CutPath, LiesHalfTheKerfOffThePart) {
  FieldTexts f = BeamLaser();
  f.keyway_width = f.keyway_depth = f.tabs = f.tab_width = "";
  const Job job = JobOf(f);
  ASSERT_TRUE(HasCutPath(job));
  const Box part = Extent(job);
  const std::string svg = WriteCutPathSvg(job);
  const size_t width = svg.find("width=\"") + 7;
  EXPECT_NEAR(ParseLeadingReal(svg.substr(width)), part.max_x - part.min_x + 0.03, 1e-9);
  for (const Segment& s : job.ProgramPath(0).segments) EXPECT_NEAR(s.radius, 0.375 - 0.015, 1e-9);
  f.kerf = "";
  EXPECT_FALSE(HasCutPath(JobOf(f)));
}

}  // namespace
}  // namespace toothwright
