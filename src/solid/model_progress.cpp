#include "solid/model_progress.h"

namespace toothwright {

std::string StageText(ModelStage stage, const std::string& file_name) {
  switch (stage) {
    case ModelStage::Solid:
      return "Building the solid";
    case ModelStage::Mesh:
      return "Meshing";
    case ModelStage::StepFile:
    case ModelStage::StlFile:
    case ModelStage::ThreeMfFile:
    case ModelStage::DriveStepFile:
      break;
  }
  return "Writing " + file_name;
}

}  // namespace toothwright
