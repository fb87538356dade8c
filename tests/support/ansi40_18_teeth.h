// The field texts of an ANSI 40 chain, 18 teeth, with depth, feed and the tool offset: the
// case the core, output and window tests share.
#pragma once

#include "sprocket/run.h"

namespace toothwright {

// ANSI 40 chain, 18 teeth, depth 0.125, feed 10, the tool offset ticked.
inline const FieldTexts kAnsi40EighteenTeeth{.pitch = "0.5",
                                             .teeth = "18",
                                             .roller = "0.3125",
                                             .units = "English",
                                             .depth = "0.125",
                                             .feed = "10",
                                             .offset = true};

}  // namespace toothwright
