// Sprockets and text helpers shared by the output tests.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "numbers/numbers.h"
#include "sprocket/machining.h"
#include "support/sprockets.h"

namespace toothwright {

// The lines of a text in which every line, the last included, ends in CR LF. A lone CR or LF,
// or a last line without its CR LF, fails the calling test.
inline std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    const size_t end = text.find("\r\n", begin);
    if (end == std::string::npos) {
      ADD_FAILURE() << "last line without CR LF: " << text.substr(begin);
      break;
    }
    const std::string line = text.substr(begin, end - begin);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line break in " << line;
    lines.push_back(line);
    begin = end + 2;
  }
  return lines;
}

// The field texts of `base` with the machining options of m written in: what a person types to
// have the program cut that way.
inline FieldTexts WithMachining(FieldTexts f, const MachiningOptions& m) {
  const auto text = [](std::optional<double> v) { return v ? FormatReal(*v) : std::string(); };
  f.depth = FormatReal(m.depth);
  f.tool_diameter = text(m.tool_diameter);
  f.depth_per_pass = text(m.depth_per_pass);
  if (m.tabs) {
    f.tabs = std::to_string(m.tabs->count);
    f.tab_width = FormatReal(m.tabs->width);
    f.tab_height = FormatReal(m.tabs->height);
  }
  f.safe_z = text(m.safe_z);
  f.spindle = m.spindle;
  f.program_end = m.program_end;
  f.plunge_feed = m.plunge_feed;
  f.ramp_angle = text(m.ramp_angle);
  f.lead_in = text(m.lead_in);
  f.direction = m.direction == CutDirection::Climb ? "climb" : "";
  return f;
}

// A plate for a beam to cut: ANSI 40, 18 teeth, feed 60, a bore with a keyway and two tabs, cut
// with a kerf of 0.03; the process's own options in `beam`.
inline FieldTexts BeamPlate(const char* process, FieldTexts beam = {}) {
  beam.pitch = "0.5";
  beam.teeth = "18";
  beam.roller = "0.3125";
  beam.feed = "60";
  beam.tabs = "2";
  beam.tab_width = "0.05";
  beam.bore = "0.75";
  beam.keyway_width = "0.1875";
  beam.keyway_depth = "0.09375";
  beam.process = process;
  beam.kerf = "0.03";
  return beam;
}

// Laser power 800, twice round; plasma piercing at 0.15 for half a second, cutting at 0.06.
inline FieldTexts BeamLaser() {
  return BeamPlate("laser", {.power = "800", .passes = "2"});
}

inline FieldTexts BeamPlasma() {
  return BeamPlate("plasma",
                   {.pierce_delay = "0.5", .pierce_height = "0.15", .cut_height = "0.06"});
}

}  // namespace toothwright
