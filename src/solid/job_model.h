// The job's part as a solid, written in the 3-D formats asked for: the one call the window's
// "Save 3-D Model" and the CLI's --step, --stl and --3mf make. The solid is built once, and
// meshed once when a mesh format is asked for.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "sprocket/fields.h"
#include "sprocket/job.h"

namespace toothwright {

struct ModelFormats {
  bool step = false;
  bool stl = false;
  bool three_mf = false;
};

// The files' bytes, each set when asked for.
struct ModelFiles {
  std::optional<std::string> step;      // AP214 in the part's unit
  std::optional<std::string> stl;       // binary, millimetres
  std::optional<std::string> three_mf;  // one object, its unit set
};

// The solid of the job in the formats asked for. Refused with the thickness field when the
// design has no thickness (every 3-D output needs one), or when the kernel cannot make one
// valid solid of it (the reason says why).
std::variant<ModelFiles, FieldError> WriteModels(const Job& job, const ModelFormats& formats);

}  // namespace toothwright
