// The DXF drawing: one ENTITIES section on layer 0, one entity per segment of the holes and
// the outline (ARC, or LINE for a straight segment), or one closed LWPOLYLINE per path; a
// HEADER section when the unit or the polylines' version is stated. Every line ends in CR LF.
#pragma once

#include <string>
#include <vector>

#include "geometry/path.h"
#include "numbers/units.h"
#include "output/decimal_text.h"
#include "sprocket/job.h"

namespace toothwright {

// How the drawing is written beyond its entities; all off gives the bare ENTITIES section.
struct DxfSettings {
  // A HEADER section stating the drawing's unit, so that CAD programs import it at true size:
  // $INSUNITS 1 (inches) or 4 (millimetres) and $MEASUREMENT 0 (English) or 1 (metric).
  bool units = false;
  LengthUnit unit = LengthUnit::Inch;  // of the lengths, stated when `units` is set
  // Each closed path as one closed LWPOLYLINE: a vertex at each segment's start, with the
  // bulge tan(sweep / 4) of an arc (negative for a clockwise one), in place of separate ARC
  // and LINE entities. LWPOLYLINE belongs to AutoCAD 2000 (AC1015): the HEADER then declares
  // that version and its handle seed, and each polyline carries a handle and its subclass
  // markers, without which readers take it as open or refuse it.
  bool polyline = false;
};

// The DXF text for the outline and the holes: each hole in the order given, then the outline,
// as the program cuts them; the entities of each closed path in the path's order, so each
// contour is a closed loop of entities. Each arc is written with the radius it was constructed
// with. Without holes the drawing is the outline alone.
std::string WriteDxf(const Path& outline, const std::vector<Path>& holes = {},
                     const DxfSettings& settings = {});

// The colour an entity is drawn in (group 62, AutoCAD's colour index); ByLayer writes none.
enum class DxfColour : unsigned char { ByLayer = 0, Red = 1, Blue = 5 };

// Appends an entity per segment of path, in its order: ARC, or LINE for a straight segment,
// on layer 0, in colour.
void AppendDxfPath(std::string& out, const Path& path, RadiusTexts& radii,
                   DxfColour colour = DxfColour::ByLayer);

// Appends a CIRCLE about centre, on layer 0, in colour.
void AppendDxfCircle(std::string& out, Point centre, const std::string& radius, DxfColour colour);

// For a drawing of entities of its own: the HEADER section stating unit, as DxfSettings::units
// writes it, then the opening of the ENTITIES section; and the lines that close both.
void AppendDxfOpening(std::string& out, LengthUnit unit);
void AppendDxfClosing(std::string& out);

// The job's drawing: its holes, then its outline, with the design's unit header and polylines
// when asked for.
std::string WriteDxf(const Job& job);

}  // namespace toothwright
