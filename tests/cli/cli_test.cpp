// toothwright-cli: texts, output files, exit statuses and usage errors.
#include "cli/cli.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <streambuf>
#include <string>
#include <variant>
#include <vector>

#include "output/pipeline.h"
#include "output/recording_canvas.h"
#include "temp_dir.h"

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
      {"--pitch", "0.5", "--teeth", "18", "--roller", "0.3", "--feed", "10\nM30"},
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

const std::vector<std::string> kAnsi40 = {"--chain", "ANSI 40", "--teeth", "18"};
const FieldTexts kAnsi40Fields{.pitch = "0.5", .teeth = "18", .roller = "0.3125"};

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

RunResults Results(const FieldTexts& fields) {
  return std::get<RunResults>(toothwright::Run(fields));
}

// "-" sends an output to standard output, in place of the diameter lines.
TEST(Cli, OutputsToStandardOutput) {
  const RunResults r = Results(kAnsi40Fields);
  struct Case {
    const char* option;
    std::string bytes;
  };
  const Case cases[] = {
      {"--gcode", r.gcode + "\r\n"},  // as "Save G-Code" writes it
      {"--dxf", r.dxf + "\r\n"},      // as "Save DXF File" writes it
      {"--preview-ops", FormatPreviewCalls(r.preview)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option);
    const Outcome o = Cli(With(kAnsi40, {c.option, "-"}));
    EXPECT_EQ(o.status, kExitOk);
    EXPECT_EQ(o.out, c.bytes);
    EXPECT_EQ(o.err, "");
  }
  const Outcome svg = Cli(With(kAnsi40, {"--svg=-"}));
  EXPECT_TRUE(svg.out.starts_with("<?xml")) << svg.out.substr(0, 80);
  EXPECT_TRUE(svg.out.ends_with("</svg>\n"));
}

TEST(Cli, PreviewCallsOnePerLine) {
  const Outcome o = Cli(With(kAnsi40, {"--preview-ops", "-"}));
  EXPECT_TRUE(
      o.out.starts_with("Clear\n"
                        "DrawCircle 1897.5 1897.5 161.3223 255\n"
                        "DrawArc 3036.3982 941.8953 354.9348 255 5.2360454 5.9925365\n"));
  EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 56);
}

TEST(Cli, FieldOptionsReachTheProgram) {
  const Outcome o = Cli(With(kAnsi40, {"--depth=-0.25mm", "--feed", " 7", "--offset", "--units",
                                       "Metric", "--gcode", "-"}));
  EXPECT_EQ(o.status, kExitOk);
  EXPECT_TRUE(o.out.starts_with("G21\r\nG42\r\nG0 X")) << o.out.substr(0, 80);
  EXPECT_NE(o.out.find("\r\nG1 Z-0.25 F 7\r\n"), std::string::npos);
  // The chain is filled in millimetres under Metric: ANSI 40's 0.5 inches become 12.7.
  EXPECT_EQ(o.out, Results({.pitch = "12.7",
                            .teeth = "18",
                            .roller = "7.9375",
                            .units = "Metric",
                            .depth = "-0.25mm",
                            .feed = " 7",
                            .offset = true})
                           .gcode +
                       "\r\n");
  EXPECT_TRUE(o.out.ends_with("G0 Z2.00\r\nG40\r\n\r\n"));
}

TEST(Cli, FilesHoldWhatTheSavesWrite) {
  TempDir dir;
  const RunResults r = Results(kAnsi40Fields);
  MakeFile(dir / "old.cam", "an earlier program");
  const Outcome o = Cli(With(kAnsi40, {"--gcode", dir / "old.cam", "--dxf", dir / "s.dxf", "--svg",
                                       dir / "s.svg", "--preview-ops", dir / "s.ops"}));
  EXPECT_EQ(o.status, kExitOk);
  EXPECT_EQ(o.out, "Pitch Diameter: 2.87938524157182\nOutside Diameter: 3.30754316676291\n");
  EXPECT_EQ(ReadFile(dir / "old.cam"), r.gcode + "\r\n");
  EXPECT_EQ(ReadFile(dir / "s.dxf"), r.dxf + "\r\n");
  EXPECT_TRUE(ReadFile(dir / "s.dxf").ends_with("EOF\r\n\r\n"));
  EXPECT_EQ(ReadFile(dir / "s.ops"), FormatPreviewCalls(r.preview));
  EXPECT_TRUE(ReadFile(dir / "s.svg").starts_with("<?xml"));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"old.cam", "s.dxf", "s.ops", "s.svg"}));
}

TEST(Cli, ValidationFailureWritesNoFile) {
  TempDir dir;
  MakeFile(dir / "kept.cam", "kept");
  const Outcome o = Cli({"--pitch", "0.5", "--teeth", "3", "--roller", "0.3", "--gcode",
                         dir / "kept.cam", "--dxf", dir / "new.dxf", "--svg", "-"});
  EXPECT_EQ(o.status, kExitInvalidInput);
  EXPECT_EQ(o.err, "Not a valid value for number of teeth\n");
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(ReadFile(dir / "kept.cam"), "kept");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"kept.cam"});
  const Outcome depth = Cli(With(kAnsi40, {"--depth", "1e999", "--gcode", dir / "new.cam"}));
  EXPECT_EQ(depth.status, kExitInvalidInput);
  EXPECT_EQ(depth.err, "Not a valid value for depth of cut\n");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"kept.cam"});
}

// A file that cannot be written is named on standard error; the other outputs are still written.
TEST(Cli, WriteFailureExitsThreeAndNamesThePath) {
  TempDir dir;
  const std::string missing = dir / "missing/out.cam";
  const Outcome o = Cli(With(kAnsi40, {"--gcode", missing, "--dxf", dir / "out.dxf"}));
  EXPECT_EQ(o.status, kExitWriteFailed);
  EXPECT_EQ(o.err, "toothwright-cli: cannot write " + missing + ": No such file or directory\n");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.dxf"});
}

// A stream buffer that takes nothing, like a full disk behind standard output.
class RefusingBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(Cli, StandardOutputFailureExitsThree) {
  RefusingBuffer refusing;
  std::ostream out(&refusing);
  std::ostringstream err;
  EXPECT_EQ(RunCli(With(kAnsi40, {"--dxf", "-"}), out, err), kExitWriteFailed);
  EXPECT_EQ(err.str(), "toothwright-cli: cannot write to standard output\n");
}

TEST(Cli, OutputOptionsNeedAPath) {
  for (const char* option : {"--gcode", "--dxf", "--svg", "--preview-ops", "--depth", "--feed"}) {
    SCOPED_TRACE(option);
    const Outcome o = Cli(With(kAnsi40, {option}));
    EXPECT_EQ(o.status, kExitUsage);
    EXPECT_NE(o.err.find("needs a value"), std::string::npos);
  }
  EXPECT_EQ(Cli(With(kAnsi40, {"--offset=1"})).status, kExitUsage);
}

// The built program, run as a user runs it through the shell; returns its output and status.
std::string Shell(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  EXPECT_NE(pipe, nullptr);
  if (pipe == nullptr) return "";
  std::string text;
  std::array<char, 4096> buffer{};
  size_t count = 0;
  while ((count = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    text.append(buffer.data(), count);
  pclose(pipe);
  return text;
}

const std::string kProgram =
    std::string(TOOTHWRIGHT_CLI_PATH) + " --pitch 0.5 --teeth 18 --roller 0.3125";

TEST(CliProgram, RunsFromTheShell) {
  EXPECT_EQ(Shell(kProgram + " 2>&1; echo status $?"),
            "Pitch Diameter: 2.87938524157182\nOutside Diameter: 3.30754316676291\nstatus 0\n");
}

TEST(CliProgram, WritesTheSavedBytesToStandardOutput) {
  const RunResults r = Results(kAnsi40Fields);
  EXPECT_EQ(Shell(kProgram + " --dxf -"), r.dxf + "\r\n");
  EXPECT_EQ(
      Shell(kProgram + " --gcode /dev/stdout"),
      "Pitch Diameter: 2.87938524157182\nOutside Diameter: 3.30754316676291\n" + r.gcode + "\r\n");
}

TEST(CliProgram, WriteFailures) {
  TempDir dir;
  const std::string kept = dir / "kept.dxf";
  MakeFile(kept, "the previous drawing");
  struct Case {
    const char* name;
    std::string command;
    std::string output;
  };
  const Case cases[] = {
      {"a full device", kProgram + " --gcode /dev/full 2>&1 >/dev/null; echo status $?",
       "toothwright-cli: cannot write /dev/full: No space left on device\nstatus 3\n"},
      {"standard output on a full device", kProgram + " --gcode - 2>&1 >/dev/full; echo status $?",
       "toothwright-cli: cannot write to standard output\nstatus 3\n"},
      // The file size limit stops the write half way; the old file must survive.
      {"a write stopped half way",
       "(ulimit -f 1; trap '' XFSZ; " + kProgram + " --dxf " + kept +
           " 2>&1 >/dev/null; echo status $?)",
       "toothwright-cli: cannot write " + kept + ": File too large\nstatus 3\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Shell(c.command), c.output);
  }
  EXPECT_EQ(ReadFile(kept), "the previous drawing");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"kept.dxf"});
}

}  // namespace
}  // namespace toothwright
