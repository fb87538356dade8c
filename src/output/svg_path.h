// A closed path of arcs and lines as the "d" of an SVG <path>, in the path's own coordinates
// (y up, for a group turned upside down by scale(1,-1)).
#pragma once

#include <string>

#include "geometry/path.h"
#include "output/decimal_text.h"

namespace toothwright {

// Appends `<path d="M... Z"/>` and a line feed: the start, then per segment "L x y" or
// "A r r 0 large sweep x y" (sweep 1 counter-clockwise), each number FormatReal's text.
// path holds at least one segment.
void AppendSvgPath(std::string& out, const Path& path, RadiusTexts& radii);

// Appends " L x y" for a line, " A r r 0 large sweep x y" for an arc whose ends differ: the
// segment from where the path stands to its end.
void AppendSvgSegment(std::string& out, const Segment& s, RadiusTexts& radii);

// Appends "x y", each FormatReal's text.
void AppendSvgPoint(std::string& out, Point p);

}  // namespace toothwright
