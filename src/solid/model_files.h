// The solid built from a job and written in the formats asked for: the work behind
// WriteModels, in the module that holds the geometry kernel.
#pragma once

#include <variant>

#include "solid/job_model.h"

namespace toothwright {

// WriteModels' result, built with the kernel in this process.
std::variant<ModelFiles, FieldError> BuildModelFiles(const Job& job, const ModelFormats& formats);

// The name the module exports BuildModelFiles under, for the loader to look up.
inline constexpr const char* kModelFilesSymbol = "toothwright_build_model_files";
using ModelFilesEntry = void (*)(const Job& job, const ModelFormats& formats,
                                 std::variant<ModelFiles, FieldError>& result);

}  // namespace toothwright
