// The chain drive drawn to scale: this sprocket's holes and outline about the origin, the
// driven sprocket's outline about (C, 0) turned so that its seats meet the chain, the chain's
// pitch line and a circle of the roller diameter at each roller, in the design's unit.
#pragma once

#include <string>

#include "sprocket/job.h"

namespace toothwright {

// The DXF drawing, every line ending in CR LF: a HEADER stating the unit ($INSUNITS,
// $MEASUREMENT), then the outlines as ARC and LINE entities on layer 0, the pitch line in blue
// (colour 5) and the rollers as CIRCLE entities in red (colour 1), in chain order.
// job.drive is set.
std::string WriteDriveDxf(const Job& job);

// The SVG document: sized to the drawing's box in the unit, so that it opens at true size, y
// up as in the DXF; the outlines black, the pitch line blue and dashed, the rollers red
// <circle> elements in chain order. job.drive is set.
std::string WriteDriveSvg(const Job& job);

}  // namespace toothwright
