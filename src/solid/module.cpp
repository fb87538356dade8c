// The geometry kernel's module: loaded only by a run that asks for a 3-D model, so that the
// kernel's libraries cost every other run nothing. It exports one unmangled entry point.
#include "solid/model_files.h"

extern "C" __attribute__((visibility("default"))) void toothwright_build_model_files(
    const toothwright::Job& job, const toothwright::ModelFormats& formats,
    std::variant<toothwright::ModelFiles, toothwright::FieldError>& result) {
  result = toothwright::BuildModelFiles(job, formats);
}
