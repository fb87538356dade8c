// The solid built from a job and written in the formats asked for: the work behind
// WriteModels, in the module that holds the geometry kernel.
#pragma once

#include <variant>

#include "solid/job_model.h"

namespace toothwright {

using BuiltModelFiles = std::variant<ModelFiles, FieldError, ModelsStopped>;

// WriteModels' result, built with the kernel in this process on the calling thread.
BuiltModelFiles BuildModelFiles(const Job& job, const ModelFormats& formats,
                                ModelProgress* progress = nullptr);

// The name the module exports BuildModelFiles under, for the loader to look up. It changes
// whenever the entry's parameters do, so that a module of another version is refused when it
// is loaded instead of being called with the wrong arguments.
inline constexpr const char* kModelFilesSymbol = "toothwright_build_model_files_3";
using ModelFilesEntry = void (*)(const Job& job, const ModelFormats& formats,
                                 ModelProgress* progress, BuiltModelFiles& result);

}  // namespace toothwright
