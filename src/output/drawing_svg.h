// The part drawn to scale as a standalone SVG document, for a laser cutter or a vector
// editor: the outline and every hole as a path of true arcs and lines, no fill, a thin stroke.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "geometry/extent.h"
#include "geometry/path.h"
#include "numbers/units.h"
#include "sprocket/job.h"

namespace toothwright {

// The document for the outline and the holes (each hole in the order given, then the outline,
// one <path> each). Its width and height are the drawing's bounding box in the unit given, so it
// opens at true size; its view box is that box in drawing units, and the drawing's y points up as
// in the DXF drawing. The outline holds at least one segment.
std::string WriteDrawingSvg(const Path& outline, const std::vector<Path>& holes, LengthUnit unit);

// The job's part: its outline and holes within the job's extent.
std::string WriteDrawingSvg(const Job& job);

// For a drawing to scale of its own: the XML declaration and the opening <svg> element, sized
// to box in unit, its view box being box seen y up (for a group turned by scale(1,-1)).
void AppendSvgDrawingHead(std::string& doc, const Box& box, LengthUnit unit);

// The stroke width of a drawing's lines, in unit: about one screen pixel at true size.
std::string_view SvgHairline(LengthUnit unit);

}  // namespace toothwright
