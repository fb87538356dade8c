// The drive's drawings: the SVG sized to its box in the unit, the DXF stating its unit, a
// circle per roller in each.
#include "output/drive_drawing.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "geometry/extent.h"
#include "numbers/numbers.h"

namespace toothwright {
namespace {

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size()) ++n;
  return n;
}

TEST(DriveDrawing, TrueSizeAndARollerEach) {
  for (const char* units : {"English", "Metric"}) {
    SCOPED_TRACE(units);
    FieldTexts f;
    const bool inch = std::string(units) == "English";
    f.units = units;
    f.pitch = inch ? "0.5" : "12.7";
    f.roller = inch ? "0.3125" : "7.9375";
    f.teeth = "18";
    f.driven_teeth = "45";
    f.links = "112";
    const Job job = std::get<Job>(MakeJob(f));
    const std::string svg = WriteDriveSvg(job);
    // The box: this sprocket's left tips, the driven one's right tips, the widest of either.
    Box box;
    for (const Path& p : job.drive->driver_paths) box = Include(box, p);
    box = Include(box, job.drive->driven_outline);
    const std::string unit = inch ? "in" : "mm";
    EXPECT_NE(svg.find("width=\"" + FormatReal(box.max_x - box.min_x) + unit + "\""),
              std::string::npos);
    EXPECT_EQ(Count(svg, "<circle "), 112u);
    EXPECT_EQ(Count(svg, "<path "), 3u);  // two outlines and the pitch line
    const std::string dxf = WriteDriveDxf(job);
    EXPECT_EQ(Count(dxf, "0\r\nCIRCLE\r\n"), 112u);
    EXPECT_NE(dxf.find(inch ? "$INSUNITS\r\n70\r\n1\r\n" : "$INSUNITS\r\n70\r\n4\r\n"),
              std::string::npos);
    EXPECT_TRUE(dxf.ends_with("0\r\nEOF\r\n"));
  }
}

}  // namespace
}  // namespace toothwright
