// The stages a 3-D build announces, in order, and a stop asked for within each of them: the
// kernel asks while it works, and the build ends stopped, without the later stages.
#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "solid/model_files.h"
#include "sprocket/job.h"
#include "support/ansi40_18_teeth.h"

namespace toothwright {
namespace {

using enum ModelStage;

// Records the stages; once the stage stop_in has begun it asks the build to stop, and counts
// how often it is asked after that.
class Recorder : public ModelProgress {
 public:
  explicit Recorder(std::optional<ModelStage> stop_in) : stop_in_(stop_in) {}
  void StageStarted(ModelStage stage) noexcept override {
    stages.push_back(stage);
    if (stage == stop_in_) stop_ = true;
  }
  bool StopRequested() const noexcept override {
    if (stop_) ++asked_after_stop_;
    return stop_;
  }
  int AskedAfterStop() const { return asked_after_stop_; }

  std::vector<ModelStage> stages;

 private:
  std::optional<ModelStage> stop_in_;
  std::atomic<bool> stop_{false};
  mutable std::atomic<int> asked_after_stop_{0};
};

// A chamfered part, so that the solid needs the boolean cuts; small, with its bore and keyway
// but no bolt holes, to build quickly.
Job Chamfered() {
  FieldTexts fields = kAnsi40Bored;
  fields.teeth = "12";
  fields.thickness = "0.284625";
  fields.tooth_chamfer = true;
  return std::get<Job>(MakeJob(fields));
}

constexpr ModelFormats kAll{.step = true, .stl = true, .three_mf = true};

TEST(ModelProgress, StagesComeInOrderAndTheFilesAreThoseOfAnUnwatchedBuild) {
  const Job job = Chamfered();
  const auto unwatched = BuildModelFiles(job, kAll);
  ASSERT_TRUE(std::holds_alternative<ModelFiles>(unwatched));
  struct Case {
    const char* name;
    ModelFormats formats;
    std::vector<ModelStage> stages;
  };
  const Case cases[] = {
      {"STEP", {.step = true}, {Solid, StepFile}},
      {"STL", {.stl = true}, {Solid, Mesh, StlFile}},
      {"all three", kAll, {Solid, StepFile, Mesh, StlFile, ThreeMfFile}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Recorder recorder(std::nullopt);
    const auto built = BuildModelFiles(job, c.formats, &recorder);
    EXPECT_EQ(recorder.stages, c.stages);
    ASSERT_TRUE(std::holds_alternative<ModelFiles>(built));
    const ModelFiles& files = std::get<ModelFiles>(built);
    const ModelFiles& expected = std::get<ModelFiles>(unwatched);
    EXPECT_TRUE(!c.formats.step || files.step == expected.step);
    EXPECT_TRUE(!c.formats.stl || files.stl == expected.stl);
    EXPECT_TRUE(!c.formats.three_mf || files.three_mf == expected.three_mf);
  }
}

TEST(ModelProgress, AStopEndsTheBuildWithinItsStage) {
  const Job job = Chamfered();
  struct Case {
    const char* name;
    ModelStage stop_in;
    std::vector<ModelStage> stages;
    bool kernel_asks;  // the stage's kernel work asks whether to stop while it runs
  };
  const Case cases[] = {
      {"the solid's cuts", Solid, {Solid}, true},
      {"the STEP translation", StepFile, {Solid, StepFile}, true},
      {"the mesher", Mesh, {Solid, StepFile, Mesh}, true},
      {"the 3MF package", ThreeMfFile, {Solid, StepFile, Mesh, StlFile, ThreeMfFile}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Recorder recorder(c.stop_in);
    const auto built = BuildModelFiles(job, kAll, &recorder);
    EXPECT_TRUE(std::holds_alternative<ModelsStopped>(built));
    EXPECT_EQ(recorder.stages, c.stages);
    // Beyond the one check once the stage's work is done.
    EXPECT_EQ(recorder.AskedAfterStop() > 1, c.kernel_asks);
  }
}

}  // namespace
}  // namespace toothwright
