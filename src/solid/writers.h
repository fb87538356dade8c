// The solid's files as bytes; the caller decides where they go.
#pragma once

#include <string>
#include <variant>

#include "solid/mesh.h"
#include "solid/model_progress.h"
#include "solid/solid_model.h"

namespace toothwright {

// A STEP file (ISO 10303-21, AP214) of the exact solid in the part's unit, which the file
// states. The header's time stamp is fixed, so that the same part gives the same bytes.
// Not to be called from two threads at once: the kernel keeps its writer settings globally.
// The translation breaks off, with an error, once progress (may be null) asks the build to
// stop. The product is called product; a compound of solids is written a solid each.
std::variant<std::string, SolidError> WriteStep(const SolidModel& model,
                                                const ModelProgress* progress = nullptr,
                                                const char* product = "Sprocket");

// A binary STL file: an 80-byte header, the triangle count and each triangle's normal and
// corners as little-endian 32-bit floats, in millimetres whatever the part's unit, which is
// what every slicer assumes.
std::string WriteStl(const TriangleMesh& mesh);

// A 3MF package holding the mesh as one object in one build item, in millimetres whatever the
// part's unit, which the package states: some slicers ignore the unit and take millimetres.
// The package is a plain ZIP (no ZIP64 records, every entry dated 1980-01-01 00:00).
std::variant<std::string, SolidError> Write3mf(const TriangleMesh& mesh);

}  // namespace toothwright
