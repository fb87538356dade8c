// The job's part as a solid, written in the 3-D formats asked for: the one call the window's
// "Save 3-D Model" and the CLI's --step, --stl and --3mf make. The solid is built once, and
// meshed once when a mesh format is asked for. The caller may watch the stages and stop the
// build (ModelProgress).
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "solid/model_progress.h"
#include "sprocket/fields.h"
#include "sprocket/job.h"

namespace toothwright {

struct ModelFormats {
  bool step = false;
  bool stl = false;
  bool three_mf = false;
  bool drive_step = false;  // the chain drive's assembly; the job has a drive
};

// The files' bytes, each set when asked for.
struct ModelFiles {
  std::optional<std::string> step;      // AP214 in the part's unit
  std::optional<std::string> stl;       // binary, millimetres
  std::optional<std::string> three_mf;  // one object, in millimetres
  // The drive as an assembly, AP214 in the part's unit: this sprocket, the driven one and a
  // cylinder per roller, one solid each, where the drive's drawing puts them.
  std::optional<std::string> drive_step;
};

// Why no 3-D output can be made at all: the module that holds the geometry kernel could not be
// loaded. No field is at fault, so it is not a refusal.
struct ModelsUnavailable {
  std::string message;  // "3-D output is not available: " and the loader's reason
};

// The build stopped because its watcher asked it to (ModelProgress::StopRequested) before the
// last file was made: no file is made.
struct ModelsStopped {};

using ModelsWritten = std::variant<ModelFiles, FieldError, ModelsUnavailable, ModelsStopped>;

// The solid of the job in the formats asked for. Refused with the thickness field when the
// design has no thickness (every 3-D output needs one), or when the kernel cannot make one
// valid solid of it (the reason says why); ModelsUnavailable when the kernel's module cannot
// be loaded. progress, when given, hears each stage begin on the calling thread and may stop
// the build: ModelsStopped then.
ModelsWritten WriteModels(const Job& job, const ModelFormats& formats,
                          ModelProgress* progress = nullptr);

}  // namespace toothwright
