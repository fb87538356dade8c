// The field texts of an ANSI 40 chain, 18 teeth, with depth, feed and the tool offset: the
// case the core, output and window tests share.
#pragma once

#include "sprocket/fields.h"

namespace toothwright {

// ANSI 40 chain, 18 teeth, depth 0.125, feed 10, the tool offset ticked.
inline const FieldTexts kAnsi40EighteenTeeth{.pitch = "0.5",
                                             .teeth = "18",
                                             .roller = "0.3125",
                                             .units = "English",
                                             .depth = "0.125",
                                             .feed = "10",
                                             .offset = true};

// The machined part the toolpath's checks share: ANSI 40, 18 teeth, tool 0.125, depth 0.25
// in four passes of 0.0625, feed 10, four tabs of 0.2 by 0.05, bore 0.75 and four bolt
// holes of 0.257 on 1.75.
inline const FieldTexts kAnsi40Machined{.pitch = "0.5",
                                        .teeth = "18",
                                        .roller = "0.3125",
                                        .depth = "0.25",
                                        .feed = "10",
                                        .tool_diameter = "0.125",
                                        .depth_per_pass = "0.0625",
                                        .tabs = "4",
                                        .tab_width = "0.2",
                                        .tab_height = "0.05",
                                        .bore = "0.75",
                                        .bolt_holes = "4",
                                        .bolt_hole_diameter = "0.257",
                                        .bolt_circle = "1.75"};

// ANSI 40, 18 teeth, ANSI seats and tips, a bore of 0.75 with a 0.1875 by 0.09375 keyway.
inline const FieldTexts kAnsi40Bored{.pitch = "0.5",
                                     .teeth = "18",
                                     .roller = "0.3125",
                                     .seat_clearance = "ANSI",
                                     .tip_diameter = "ANSI",
                                     .bore = "0.75",
                                     .keyway_width = "0.1875",
                                     .keyway_depth = "0.09375"};

// The mounted part the solid's checks share: kAnsi40Bored with four bolt holes of 0.25 on 1.6.
inline const FieldTexts kAnsi40Mounted = [] {
  FieldTexts fields = kAnsi40Bored;
  fields.bolt_holes = "4";
  fields.bolt_hole_diameter = "0.25";
  fields.bolt_circle = "1.6";
  return fields;
}();

}  // namespace toothwright
