// The steps of the whole-face construction (solid_model.cpp) that the sector construction
// (sector_solid.cpp) builds on. Each throws Standard_Failure when the kernel fails.
#pragma once

#include <Message_ProgressIndicator.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shape.hxx>
#include <TopoDS_Wire.hxx>

#include "geometry/path.h"
#include "solid/solid_part.h"

namespace toothwright {

// A closed wire through the path's points in the plane z = 0: lines, and circles about the
// stored centres with the stored radii; each vertex's tolerance bridges the gap between its
// point and the curves' ends.
TopoDS_Wire WireOf(const Path& path);

// The face extruded from z = bottom to z = top.
TopoDS_Shape Prism(const TopoDS_Face& face, double bottom, double top);

// The face extruded past both sides, less the part's rotational profile's outside (below the
// first side but for the hub, above the last row, between rows beyond the web, the chamfers):
// the whole-face construction, for the outline's face or any face within it. The part's outline
// sets where the chamfers start and end. breaker may break the cut off, which then throws.
TopoDS_Shape ShapedSolid(const SolidPart& part, const TopoDS_Face& face,
                         const Handle(Message_ProgressIndicator) & breaker);

}  // namespace toothwright
