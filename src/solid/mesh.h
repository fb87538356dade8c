// The solid as triangles: the surface the STL and 3MF writers write.
#pragma once

#include <array>
#include <cstdint>
#include <variant>
#include <vector>

#include "numbers/units.h"
#include "solid/model_progress.h"
#include "solid/solid_model.h"

namespace toothwright {

// A closed triangle surface: every edge is shared by exactly two triangles that run along it
// in opposite directions.
struct TriangleMesh {
  std::vector<std::array<double, 3>> vertices;          // in the part's unit
  std::vector<std::array<std::uint32_t, 3>> triangles;  // counter-clockwise seen from outside
  LengthUnit unit = LengthUnit::Inch;                   // of the vertices
};

// The solid meshed so that no facet lies farther than the part's mesh tolerance from the exact
// surface; the facets of neighbouring faces share their vertices. An error when the mesher
// leaves a face bare or the triangles do not close, rather than a mesh with a gap; the mesher
// breaks off, leaving faces bare, once progress (may be null) asks the build to stop.
std::variant<TriangleMesh, SolidError> MeshSolid(const SolidModel& model,
                                                 const ModelProgress* progress = nullptr);

}  // namespace toothwright
