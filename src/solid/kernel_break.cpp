#include "solid/kernel_break.h"

namespace toothwright {
namespace {

class KernelBreak : public Message_ProgressIndicator {
 public:
  explicit KernelBreak(const ModelProgress& progress) : progress_(progress) {}

 protected:
  // Called from the kernel's worker threads at once: StopRequested is safe there.
  Standard_Boolean UserBreak() override { return progress_.StopRequested(); }
  void Show(const Message_ProgressScope&, const Standard_Boolean) override {}

 private:
  const ModelProgress& progress_;
};

}  // namespace

Handle(Message_ProgressIndicator) KernelBreakFor(const ModelProgress* progress) {
  if (progress == nullptr) return nullptr;
  return new KernelBreak(*progress);
}

}  // namespace toothwright
