// The chain drive as one STEP file: this sprocket's solid, the driven sprocket's and a cylinder
// per roller, each a solid of its own, where the drive's drawing puts them.
#pragma once

#include <string>
#include <variant>

#include "solid/model_progress.h"
#include "solid/solid_model.h"
#include "solid/solid_part.h"
#include "sprocket/job.h"

namespace toothwright {

// The driven sprocket's part: driver's sizes across the teeth (thickness, chamfer, strands),
// the driven outline about its own centre, no holes and no hub.
SolidPart DrivenPart(const Job& job, const SolidPart& driver);

// The assembly of a job with a drive, driver being this sprocket's built solid and part: the
// sprockets turned and placed as in the drawing, the rollers as cylinders of the roller diameter
// standing on the rows' middle and spanning the chain's inner width (the thickness for a chain
// without one) across every strand. The STEP file is AP214 in the part's unit.
std::variant<std::string, SolidError> WriteDriveStep(const Job& job, const SolidPart& driver_part,
                                                     const SolidModel& driver,
                                                     const ModelProgress* progress = nullptr);

}  // namespace toothwright
