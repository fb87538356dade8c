#include "cli/model_stages.h"

#include <utility>

namespace toothwright {

TerminalStages::TerminalStages(std::ostream& err, StageFileNames names,
                               std::chrono::milliseconds quiet_time)
    : err_(err), names_(std::move(names)), speaking_(quiet_time <= quiet_time.zero()) {
  if (speaking_) return;
  timer_ = std::thread([this, quiet_time] {
    std::unique_lock lock(mutex_);
    if (wake_.wait_for(lock, quiet_time, [this] { return ended_; })) return;
    speaking_ = true;
    if (current_) Print(*current_);
  });
}

TerminalStages::~TerminalStages() {
  {
    const std::lock_guard lock(mutex_);
    ended_ = true;
  }
  wake_.notify_one();
  if (timer_.joinable()) timer_.join();
}

void TerminalStages::StageStarted(ModelStage stage) noexcept {
  const std::lock_guard lock(mutex_);
  current_ = stage;
  if (speaking_) Print(stage);
}

void TerminalStages::Print(ModelStage stage) {
  const std::string* name = nullptr;
  switch (stage) {
    case ModelStage::StepFile:
      name = &names_.step;
      break;
    case ModelStage::StlFile:
      name = &names_.stl;
      break;
    case ModelStage::ThreeMfFile:
      name = &names_.three_mf;
      break;
    case ModelStage::DriveStepFile:
      name = &names_.drive_step;
      break;
    case ModelStage::Solid:
    case ModelStage::Mesh:
      break;
  }
  err_ << StageText(stage, name ? *name : std::string()) << std::endl;
}

}  // namespace toothwright
