// The geometry kernel's module: loaded only by a run that asks for a 3-D model, so that the
// kernel's libraries cost every other run nothing. It exports one unmangled entry point.
#include "solid/model_files.h"

extern "C" __attribute__((visibility("default"))) void toothwright_build_model_files_3(
    const toothwright::Job& job, const toothwright::ModelFormats& formats,
    toothwright::ModelProgress* progress, toothwright::BuiltModelFiles& result) {
  result = toothwright::BuildModelFiles(job, formats, progress);
}
