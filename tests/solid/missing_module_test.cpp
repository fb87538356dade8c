// A program whose solid module is missing says so and writes nothing, instead of refusing a
// field: the CLI copied into a folder of its own, away from the module.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/temp_dir.h"

namespace toothwright {
namespace {

TEST(MissingModule, TheCliSaysSoExitsThreeAndWritesNothing) {
  TempDir dir;
  const std::string cli = dir / "toothwright-cli";
  std::filesystem::copy_file(TOOTHWRIGHT_CLI_PATH, cli);
  const std::string command = cli + " --chain 'ANSI 40' --teeth 18 --thickness 0.25 --stl " +
                              dir / "part.stl" + " --gcode " + dir / "part.ngc" +
                              " 2>&1 >/dev/null; echo status $?";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string said;
  std::array<char, 4096> buffer{};
  for (size_t count; (count = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
    said.append(buffer.data(), count);
  }
  pclose(pipe);
  EXPECT_TRUE(said.starts_with("toothwright-cli: 3-D output is not available: ")) << said;
  EXPECT_TRUE(said.ends_with("\nstatus 3\n")) << said;
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"toothwright-cli"});
}

}  // namespace
}  // namespace toothwright
