// What the solid is made from: the part's outline and holes as the 2-D outputs draw them, and
// the sizes across the teeth. Lengths are in the part's unit, the part's centre at the origin, y
// up; the part's side is the plane z = 0 and its rows of teeth stand towards +z.
#pragma once

#include <optional>
#include <vector>

#include "geometry/path.h"
#include "numbers/units.h"
#include "sprocket/solid_fields.h"

namespace toothwright {

struct SolidPart {
  Path outline;             // closed, counter-clockwise
  std::vector<Path> holes;  // closed, clockwise, inside the outline and apart from each other
  // Tooth 1 of the outline before its points were rounded (UnroundedTooth): the outline's teeth
  // are it turned through each tooth angle, each within 1e-4. Empty: the outline alone counts.
  Path tooth;
  double thickness = 0;  // one row's tooth width, > 0
  // Each row's two tooth sides get the chain standard's side profile: a side radius of the
  // pitch that narrows the tip circle's width by chamfer_share * pitch on each side.
  bool chamfer = false;
  double pitch = 0;              // > 0
  double chamfer_share = 0.125;  // ChamferShare of the chain's standard
  // A hub on the side z = 0, from z = -length to 0; bored with every hole that lies inside
  // its diameter (the bore and keyway), while the bolt holes lie outside it.
  std::optional<Hub> hub;
  int strands = 1;                     // rows of teeth, >= 1
  double transverse_pitch = 0;         // from one row to the next, above the thickness; strands > 1
  double web_radius = 0;               // the body joining the rows (WebRadius); strands > 1
  LengthUnit unit = LengthUnit::Inch;  // of every length here
  double mesh_tolerance = 0;           // the mesh's chord tolerance, > 0
};

}  // namespace toothwright
