// The stages of a 3-D build as the command names them on a terminal: each by its text and
// file, and nothing for a build that ends within the quiet time.
#include "cli/model_stages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

namespace toothwright {
namespace {

using namespace std::chrono_literals;

TEST(TerminalStages, NamedOnlyOnceTheQuietTimeHasPassed) {
  struct Case {
    const char* name;
    std::chrono::milliseconds quiet_time;
    const char* said;
  };
  const Case cases[] = {
      {"no quiet time", 0ms,
       "Building the solid\nWriting part.step\nMeshing\nWriting standard output\n"
       "Writing part.3mf\n"},
      {"a build that ends within it", 1h, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::ostringstream err;
    {
      TerminalStages stages(err, {"part.step", "standard output", "part.3mf"}, c.quiet_time);
      for (ModelStage stage : {ModelStage::Solid, ModelStage::StepFile, ModelStage::Mesh,
                               ModelStage::StlFile, ModelStage::ThreeMfFile}) {
        stages.StageStarted(stage);
        EXPECT_FALSE(stages.StopRequested());
      }
    }
    EXPECT_EQ(err.str(), c.said);
  }
}

}  // namespace
}  // namespace toothwright
