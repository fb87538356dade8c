// A build without Open CASCADE writes no 3-D model: every request is refused with the
// thickness field's message and the reason, so that nothing is written.
#include "solid/job_model.h"

namespace toothwright {

ModelsWritten WriteModels(const Job&, const ModelFormats&, ModelProgress*) {
  return Refuse(Field::Thickness, "This build of the program writes no 3-D models");
}

}  // namespace toothwright
