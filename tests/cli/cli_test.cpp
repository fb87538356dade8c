// toothwright-cli: texts, exit statuses and usage errors.
#include "cli/cli.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace toothwright {
namespace {

struct Outcome {
  int status;
  std::string out, err;
};

Outcome Cli(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int status = RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(Cli, PrintsBothDiameters) {
  const Outcome o = Cli({"--pitch", "0.5", "--teeth", "18", "--roller", "0.3125"});
  EXPECT_EQ(o.status, kExitOk);
  EXPECT_EQ(o.out, "Pitch Diameter: 2.87938524157182\nOutside Diameter: 3.30754316676291\n");
  EXPECT_EQ(o.err, "");
}

TEST(Cli, ChainFillsPitchAndRollerInTheChosenUnit) {
  const Outcome metric = Cli({"--chain", "ANSI 35", "--units", "Metric", "--teeth", "18"});
  const Outcome typed = Cli({"--pitch", "9.525", "--roller", "5.08", "--teeth", "18"});
  EXPECT_EQ(metric.status, kExitOk);
  EXPECT_EQ(metric.out, typed.out);
  EXPECT_EQ(Cli({"--chain=ANSI 40", "--teeth=18"}).out,
            "Pitch Diameter: 2.87938524157182\nOutside Diameter: 3.30754316676291\n");
}

TEST(Cli, ValidationFailuresExitOneWithTheMessage) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {{}, "Not a valid value for pitch\n"},
      {{"--pitch", "0.5in", "--teeth", "18", "--roller", "0.3"}, "Not a valid value for pitch\n"},
      {{"--pitch", "0.5", "--teeth", "13.5", "--roller", "0.3"},
       "Not a valid value for number of teeth\n"},
      {{"--pitch", "0.5", "--teeth", "10001", "--roller", "0.3"},
       "Not a valid value for number of teeth\n"},
      {{"--pitch", "0.5", "--teeth", "18", "--roller", "0.5"},
       "Not a valid value for roller diameter\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const Outcome o = Cli(c.args);
    EXPECT_EQ(o.status, kExitInvalidInput);
    EXPECT_EQ(o.err, c.message);
    EXPECT_EQ(o.out, "");
  }
}

TEST(Cli, UsageErrorsExitTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus"},
      {"--pitch"},
      {"--units", "metric"},
      {"--chain", "ANSI 99"},
      {"--chain", "ANSI 40", "--pitch", "0.5"},
      {"--version=1"},
      {"stray"},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args[0]);
    const Outcome o = Cli(args);
    EXPECT_EQ(o.status, kExitUsage);
    EXPECT_NE(o.err.find("usage: toothwright-cli"), std::string::npos);
  }
  EXPECT_NE(Cli({"--chain", "nope"}).err.find("Bike 630"), std::string::npos);
}

TEST(Cli, InformationalOptions) {
  EXPECT_EQ(Cli({"--version"}).out, "toothwright-cli 2.0\n");
  const Outcome help = Cli({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  EXPECT_NE(help.out.find("--list-chains"), std::string::npos);
  const Outcome list = Cli({"--list-chains", "--units", "Metric"});
  EXPECT_NE(list.out.find("ANSI 60\tpitch 19.05\troller 11.90625\n"), std::string::npos);
}

// The built program, run as a user runs it.
TEST(CliProgram, RunsFromTheShell) {
  const std::string command = std::string(TOOTHWRIGHT_CLI_PATH) +
                              " --pitch 0.5 --teeth 18 --roller 0.3125 2>&1; echo status $?";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string text;
  std::array<char, 256> buffer{};
  while (fgets(buffer.data(), buffer.size(), pipe) != nullptr) text += buffer.data();
  pclose(pipe);
  EXPECT_EQ(text,
            "Pitch Diameter: 2.87938524157182\nOutside Diameter: 3.30754316676291\nstatus 0\n");
}

}  // namespace
}  // namespace toothwright
