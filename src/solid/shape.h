// The kernel's side of a SolidModel, shared by the builder, the mesher and the STEP writer.
#pragma once

#include <TopoDS_Shape.hxx>

#include "numbers/units.h"
#include "solid/solid_model.h"

namespace toothwright {

struct SolidModel::Shape {
  TopoDS_Shape solid;                  // one closed, valid solid
  LengthUnit unit = LengthUnit::Inch;  // of the coordinates
  double mesh_tolerance = 0;           // chord tolerance in the part's unit
};

// Keeps the kernel from printing: its default messenger writes the STEP translator's
// statistics to standard output, where a CLI that writes a file to "-" puts the file itself.
// The library reports through its results instead. Idempotent; called before kernel work.
void SilenceKernel();

}  // namespace toothwright
