// The stages of a long 3-D build named on standard error when it is a terminal, so that a
// person waiting for a large part sees what it is doing. A build that ends within the quiet
// time says nothing.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <thread>

#include "solid/model_progress.h"

namespace toothwright {

// The time a 3-D build runs before its stages are named.
inline constexpr std::chrono::milliseconds kStageQuietTime{1000};

// The files the build's stages write, by the names shown: each path's file name, "standard
// output" for "-"; empty when that format is not asked for.
struct StageFileNames {
  std::string step;
  std::string stl;
  std::string three_mf;
  std::string drive_step;
};

// Once quiet_time has passed since it was made, prints on err (one line each, StageText) the
// stage then running and every stage that begins after it; with no quiet time, every stage as
// it begins. Never asks the build to stop.
class TerminalStages : public ModelProgress {
 public:
  TerminalStages(std::ostream& err, StageFileNames names,
                 std::chrono::milliseconds quiet_time = kStageQuietTime);
  // Prints nothing more, without waiting for the quiet time to end.
  ~TerminalStages() override;
  TerminalStages(const TerminalStages&) = delete;
  TerminalStages& operator=(const TerminalStages&) = delete;

  void StageStarted(ModelStage stage) noexcept override;
  bool StopRequested() const noexcept override { return false; }

 private:
  void Print(ModelStage stage);  // with mutex_ held

  std::ostream& err_;
  const StageFileNames names_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<ModelStage> current_;  // the stage running, once one has begun
  bool speaking_;                      // the quiet time has passed
  bool ended_ = false;                 // the build is over
  std::thread timer_;
};

}  // namespace toothwright
