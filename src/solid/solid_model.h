// The part as one closed solid: an exact boundary representation whose faces are planes,
// cylinders and, with the tooth side chamfer, tori, built once and handed to the STEP writer
// and the mesher.
#pragma once

#include <memory>
#include <string>
#include <variant>

#include "solid/model_progress.h"
#include "solid/solid_part.h"

namespace toothwright {

// A built solid; cheap to copy, never changed after it is built.
class SolidModel {
 public:
  struct Shape;  // the kernel's shape, known to the writers only
  explicit SolidModel(std::shared_ptr<const Shape> shape) : shape_(std::move(shape)) {}

  const Shape& shape() const { return *shape_; }

 private:
  std::shared_ptr<const Shape> shape_;
};

// Why a part could not be built as one valid solid.
struct SolidError {
  std::string reason;
  bool operator==(const SolidError&) const = default;
};

// The part built as one solid. Without chamfer, hub or several strands it is the outline's
// face (holes out) extruded by the thickness. Otherwise the face is extruded past every side
// and one boolean cut shapes it: the rotational profile of what lies outside the part (below
// the side z = 0 but for the hub, above the last row, between the rows beyond the web radius,
// and the chamfers at every tooth side) revolved about the part's axis and removed. The cut
// breaks off, with an error, once progress (may be null) asks the build to stop.
std::variant<SolidModel, SolidError> BuildSolid(const SolidPart& part,
                                                const ModelProgress* progress = nullptr);

// The solid's volume in the part's unit cubed, from its exact faces.
double Volume(const SolidModel& model);

}  // namespace toothwright
