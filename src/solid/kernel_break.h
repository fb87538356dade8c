// The kernel's long operations (the booleans, the mesher, the STEP translation) ask a progress
// indicator now and then whether to break off; a build's ModelProgress answers through one.
#pragma once

#include <Message_ProgressIndicator.hxx>

#include "solid/model_progress.h"

namespace toothwright {

// An indicator that shows nothing and breaks the kernel's work off once progress asks the
// build to stop; null without progress, and Message_ProgressIndicator::Start of a null handle
// gives a range that never breaks.
Handle(Message_ProgressIndicator) KernelBreakFor(const ModelProgress* progress);

}  // namespace toothwright
