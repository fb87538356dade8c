// toothwright-cli: texts, output files, exit statuses and usage errors.
#include "cli/cli.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <streambuf>
#include <string>
#include <variant>
#include <vector>

#include "output/recording_canvas.h"
#include "run/run.h"
#include "support/sprockets.h"
#include "temp_dir.h"

namespace toothwright {
namespace {

struct Outcome {
  int status;
  std::string out, err;
  bool operator==(const Outcome&) const = default;
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

// The message line, then the reason on a line of its own.
TEST(Cli, ValidationFailuresExitOneWithTheMessage) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {{"--teeth", "", "--chain", "ANSI 40"},
       "toothwright-cli: Not a valid value for number of teeth\n"
       "toothwright-cli: A whole number from 4 to 10000\n"},
      {{"--pitch", "0.5in", "--teeth", "18", "--roller", "0.3"},
       "toothwright-cli: Not a valid value for pitch\n"
       "toothwright-cli: \"0.5in\" is not a plain decimal number, such as 0.125\n"},
      {{"--pitch", "0.5", "--teeth", "10001", "--roller", "0.3"},
       "toothwright-cli: Not a valid value for number of teeth\n"
       "toothwright-cli: A whole number from 4 to 10000\n"},
      {{"--chain", "ANSI 40", "--teeth", "18", "--tool-diameter", "0.375"},
       "toothwright-cli: Not a valid value for tool diameter\n"
       "toothwright-cli: The largest tool that fits is 0.3121 in\n"},
      {{"--chain", "ANSI 40", "--units", "Metric", "--teeth", "18", "--bore", "60",
        "--keyway-width", "80", "--keyway-depth", "1"},
       "toothwright-cli: Not a valid value for keyway width\n"
       "toothwright-cli: The keyway must be narrower than the bore (60 mm): at most 59.999 mm\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const Outcome o = Cli(c.args);
    EXPECT_EQ(o.status, kExitInvalidInput);
    EXPECT_EQ(o.err, c.message);
    EXPECT_EQ(o.out, "");
  }
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
  return std::get<RunResults>(RunDesign(fields));
}

const std::string kTryHelp = "Try 'toothwright-cli --help' for more information.\n";

// The command line read the GNU way. A row that runs prints a part of its text on standard
// output and nothing on standard error; a usage error prints nothing on standard output, and on
// standard error the usage or a message after the program's name, then where to find help.
TEST(Cli, CommandLine) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string text;  // a part of standard output, or the start of standard error
  };
  const std::string kUsage = "Usage: toothwright-cli --teeth N --chain NAME [OPTION]...\n";
  const std::string kDiameters = "Pitch Diameter: 2.87938524157182\n";
  const Case cases[] = {
      {"bare", {}, kExitUsage, kUsage},
      {"only the end of the options", {"--"}, kExitUsage, kUsage},
      {"the end of the options", With(kAnsi40, {"--"}), kExitOk, kDiameters},
      {"an option after the end of the options", With(kAnsi40, {"--", "--help"}), kExitUsage,
       "unexpected argument '--help'"},
      {"abbreviations", {"--pit", "0.5", "--tee", "18", "--rol", "0.3125"}, kExitOk, kDiameters},
      {"values after equals signs",
       {"--pitch=0.5", "--teeth=18", "--roller=0.3125"},
       kExitOk,
       kDiameters},
      {"a value that starts with a dash", With(kAnsi40, {"--depth", "-0.1"}), kExitOk, kDiameters},
      {"an abbreviated flag given a value", With(kAnsi40, {"--off=yes"}), kExitUsage,
       "option '--offset' doesn't allow an argument\n"},
      {"--version given a value", {"--version=1"}, kExitUsage, "option '--version' doesn't allow"},
      {"an ambiguous abbreviation",
       {"--pre", "1"},
       kExitUsage,
       "option '--pre' is ambiguous; possibilities: '--preamble' '--preview-svg' "
       "'--preview-ops'\n"},
      {"an abbreviated option without its value", With(kAnsi40, {"--gc"}), kExitUsage,
       "option '--gcode' requires an argument\n"},
      {"an unknown option", {"--bogus=1"}, kExitUsage, "unrecognized option '--bogus=1'\n"},
      {"an unknown letter", {"-x"}, kExitUsage, "invalid option -- 'x'\n"},
      {"a stray argument", With(kAnsi40, {"stray"}), kExitUsage, "unexpected argument 'stray'"},
      {"a chain name without quotes",
       {"--chain", "ANSI", "40"},
       kExitUsage,
       "unexpected argument '40'"},
      {"-V", {"-V"}, kExitOk, "toothwright-cli 2.0\n"},
      {"-h", {"-h"}, kExitOk, "\nMounting:\n"},
      {"the tool offset with a tool diameter",
       With(kAnsi40, {"--tool-diameter", "0.25", "--offset"}), kExitUsage,
       "--offset cannot be combined with --tool-diameter"},
      {"a line break in the spindle speed", With(kAnsi40, {"--spindle", "3000\nM30"}), kExitUsage,
       "--spindle must be one line\n"},
      {"a line break in the feed", With(kAnsi40, {"--feed", "10\r"}), kExitUsage,
       "--feed must be one line\n"},
      {"a unit in lower case",
       {"--units", "metric"},
       kExitUsage,
       "--units must be English or Metric\n"},
      {"an unknown chain",
       {"--chain", "ANSI 99"},
       kExitUsage,
       "unknown chain \"ANSI 99\"; known: ANSI 25, ANSI 35"},
      {"a chain with a pitch",
       {"--chain", "ANSI 40", "--pitch", "0.5"},
       kExitUsage,
       "--chain cannot be combined with --pitch or --roller\n"},
      {"no teeth", {"--chain", "ANSI 40"}, kExitUsage, "--teeth is required\n"},
      {"a cut path without a width", With(kAnsi40, {"--cut-path-svg", "-"}), kExitUsage,
       "--cut-path-svg needs --kerf or --tool-diameter\n"},
      {"no chain",
       {"--teeth", "18", "--units", "Metric"},
       kExitUsage,
       "a chain is required: --chain, or --pitch and --roller\n"},
      {"a pitch without a roller",
       {"--teeth", "18", "--pitch", "0.5"},
       kExitUsage,
       "a chain is required: --chain, or --pitch and --roller\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome o = Cli(c.args);
    EXPECT_EQ(o.status, c.status);
    if (c.status == kExitOk) {
      EXPECT_EQ(o.err, "");
      EXPECT_NE(o.out.find(c.text), std::string::npos) << o.out;
    } else {
      EXPECT_EQ(o.out, "");
      const std::string start = c.text == kUsage ? kUsage : "toothwright-cli: " + c.text;
      EXPECT_TRUE(o.err.starts_with(start)) << o.err;
      EXPECT_TRUE(o.err.ends_with(kTryHelp)) << o.err;
    }
  }
}

// What a run of these field texts gives the command: the program and the drawing, or the
// field's message.
Outcome Expected(const FieldTexts& fields) {
  const auto run = RunDesign(fields);
  if (const auto* error = std::get_if<FieldError>(&run)) {
    std::string err = "toothwright-cli: " + error->message + "\n";
    if (!error->reason.empty()) err += "toothwright-cli: " + error->reason + "\n";
    return {kExitInvalidInput, "", err};
  }
  const RunResults& r = std::get<RunResults>(run);
  return {kExitOk, r.gcode + "\r\n" + r.dxf + "\r\n", ""};
}

// Each tooth-form, machining and mounting option fills its own field, as typed.
TEST(Cli, NewOptionsReachTheirFields) {
  struct Case {
    const char* option;
    const char* value;
    std::string FieldTexts::*field;
  };
  const Case cases[] = {
      {"--seat-clearance", "0.01", &FieldTexts::seat_clearance},
      {"--tip-diameter", "3.2", &FieldTexts::tip_diameter},
      {"--tool-diameter", "0.25", &FieldTexts::tool_diameter},
      {"--depth-per-pass", "0.1", &FieldTexts::depth_per_pass},
      {"--tabs", "3", &FieldTexts::tabs},
      {"--tab-width", "0.2", &FieldTexts::tab_width},
      {"--tab-height", "0.05", &FieldTexts::tab_height},
      {"--safe-z", "0.5", &FieldTexts::safe_z},
      {"--spindle", " 3000", &FieldTexts::spindle},
      {"--bore", "0.75", &FieldTexts::bore},
      {"--keyway-width", "0.1875", &FieldTexts::keyway_width},
      {"--keyway-depth", "0.0938", &FieldTexts::keyway_depth},
      {"--bolt-holes", "4", &FieldTexts::bolt_holes},
      {"--bolt-hole-diameter", "0.25", &FieldTexts::bolt_hole_diameter},
      {"--bolt-circle", "1.75", &FieldTexts::bolt_circle},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.option) + " " + c.value);
    FieldTexts fields = kAnsi40Fields;
    fields.depth = "0.25";
    fields.*c.field = c.value;
    EXPECT_EQ(
        Cli(With(kAnsi40, {"--depth", "0.25", c.option, c.value, "--gcode", "-", "--dxf", "-"})),
        Expected(fields));
  }
  FieldTexts ended = kAnsi40Fields;
  ended.program_end = true;
  EXPECT_EQ(Cli(With(kAnsi40, {"--program-end", "--gcode", "-", "--dxf", "-"})), Expected(ended));
}

// The manual page beside the sources, data/toothwright-cli.1.
std::string ManualPage() {
  return ReadFile(std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
                  "data/toothwright-cli.1");
}

// The help and the manual page describe the same options, each one the command knows; an option
// the help shows with a value needs one.
TEST(Cli, ManualPageListsTheOptionsOfTheHelp) {
  const std::string help = Cli({"--help"}).out;
  const std::string manual = ManualPage();
  ASSERT_NE(manual, "");
  std::istringstream lines(help);
  int options = 0, with_values = 0;
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with("  --")) continue;
    const std::string option = line.substr(2, line.find(' ', 2) - 2);
    SCOPED_TRACE(option);
    // "  --pitch LENGTH", "  --offset     ..."
    const bool with_value = std::isupper(static_cast<unsigned char>(line[option.size() + 3]));
    std::string roff;  // as the page writes it, every "-" escaped
    for (const char c : option) roff += c == '-' ? std::string("\\-") : std::string(1, c);
    // An entry: ".BI \-\-pitch " LENGTH"", or ".B \-\-offset" for an option without a value.
    EXPECT_NE(manual.find(with_value ? "\n.BI " + roff + " \"" : "\n.B " + roff + "\n"),
              std::string::npos);
    EXPECT_EQ(Cli({option + "=x"}).err.find("unrecognized"), std::string::npos);
    if (with_value) {
      EXPECT_EQ(Cli(With(kAnsi40, {option})), (Outcome{kExitUsage, "",
                                                       "toothwright-cli: option '" + option +
                                                           "' requires an argument\n" + kTryHelp}));
      ++with_values;
    }
    ++options;
  }
  EXPECT_EQ(options, 67);  // and -h, -V
  EXPECT_EQ(with_values, 58);
}

// The words of a command as the shell splits them: at blanks and line continuations, with
// double quotes holding a value with spaces together.
std::vector<std::string> ShellWords(std::string_view command) {
  std::vector<std::string> words;
  std::optional<std::string> word;
  bool quoted = false;
  for (const char c : command) {
    if (c == '"') {
      quoted = !quoted;
      word = word.value_or("");
    } else if (quoted || (c != ' ' && c != '\\' && c != '\n')) {
      word = word.value_or("") + c;
    } else if (word) {
      words.push_back(*word);
      word.reset();
    }
  }
  if (word) words.push_back(*word);
  return words;
}

// Every example in the help runs as printed, its files written in a scratch folder.
TEST(Cli, HelpExamplesRun) {
  const std::string help = Cli({"--help"}).out;
  const std::string kExample = "Example: toothwright-cli ";
  TempDir dir;
  int examples = 0;
  for (size_t at = help.find(kExample); at != std::string::npos; at = help.find(kExample, at + 1)) {
    size_t end = help.find('\n', at);
    while (help[end - 1] == '\\') end = help.find('\n', end + 1);
    std::vector<std::string> args =
        ShellWords(help.substr(at + kExample.size(), end - at - kExample.size()));
    for (size_t i = 1; i < args.size(); ++i) {
      if (args[i - 1] == "--gcode" || args[i - 1] == "--dxf" || args[i - 1] == "--svg" ||
          args[i - 1] == "--preview-svg" || args[i - 1] == "--design" ||
          args[i - 1] == "--save-design" || args[i - 1] == "--step" ||
          args[i - 1] == "--drive-svg") {
        args[i] = dir / args[i];
      }
    }
    SCOPED_TRACE(help.substr(at, end - at));
    const Outcome o = Cli(args);
    EXPECT_EQ(o.status, kExitOk);
    EXPECT_EQ(o.err, "");
    ++examples;
  }
  EXPECT_EQ(examples, 10);  // one for each group of options, two for machining and design files
  EXPECT_EQ(dir.Names(),
            (std::vector<std::string>{"drive.svg", "sprocket.dxf", "sprocket.nc", "sprocket.ngc",
                                      "sprocket.step", "sprocket.svg", "sprocket.toothwright"}));
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
  const Outcome picture = Cli(With(kAnsi40, {"--preview-svg", "-"}));
  EXPECT_TRUE(picture.out.starts_with("<?xml"));
  EXPECT_NE(picture.out, svg.out);
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
  const Outcome o = Cli(With(
      kAnsi40, {"--depth=-0.25", "--feed", " 7", "--offset", "--units", "Metric", "--gcode", "-"}));
  EXPECT_EQ(o.status, kExitOk);
  EXPECT_TRUE(o.out.starts_with("G21\r\nG0 Z2.00\r\nG0 X")) << o.out.substr(0, 80);
  EXPECT_NE(o.out.find("\r\nG42\r\nG0 X"), std::string::npos);
  EXPECT_NE(o.out.find("\r\nG1 Z-0.25 F 7\r\n"), std::string::npos);
  // The chain is filled in millimetres under Metric: ANSI 40's 0.5 inches become 12.7.
  EXPECT_EQ(o.out, Results({.pitch = "12.7",
                            .teeth = "18",
                            .roller = "7.9375",
                            .units = "Metric",
                            .depth = "-0.25",
                            .feed = " 7",
                            .offset = true})
                           .gcode +
                       "\r\n");
  EXPECT_TRUE(o.out.ends_with("\r\nG40\r\n\r\n"));
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
  EXPECT_TRUE(o.err.starts_with("toothwright-cli: Not a valid value for number of teeth\n"));
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(ReadFile(dir / "kept.cam"), "kept");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"kept.cam"});
  const Outcome depth = Cli(With(kAnsi40, {"--depth", "1e999", "--gcode", dir / "new.cam"}));
  EXPECT_EQ(depth.status, kExitInvalidInput);
  EXPECT_TRUE(depth.err.starts_with("toothwright-cli: Not a valid value for depth of cut\n"));
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

namespace toothwright {
namespace {

// --stats adds the cut length and time after the diameters; the time needs a feed.
TEST(Cli, StatsFollowTheDiameters) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    const char* stats;
  };
  const Case cases[] = {
      {"feed of 10",
       {"--depth", "0.25", "--feed", "10", "--tool-diameter", "0.125"},
       "Cut Length: 19.8566 in\nCut Time: 1 min 59 s\n"},
      {"no feed",
       {"--depth", "0.25", "--tool-diameter", "0.125"},
       "Cut Length: 19.8566 in\nCut Time: -\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = {"--chain", "ANSI 40", "--teeth", "18", "--stats"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(args, out, err), kExitOk);
    EXPECT_EQ(out.str(), std::string("Pitch Diameter: 2.87938524157182\n"
                                     "Outside Diameter: 3.30754316676291\n") +
                             c.stats);
  }
}

}  // namespace
}  // namespace toothwright

namespace toothwright {
namespace {

// Each bad value of the solid's fields has its own message, and nothing is written.
TEST(Cli, SolidRefusalsWriteNothing) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {"thickness of 0", {"--thickness", "0"}, "Not a valid value for thickness"},
      {"thickness of letters", {"--thickness", "abc"}, "Not a valid value for thickness"},
      {"hub narrower than the bore",
       {"--thickness", "0.25", "--bore", "0.75", "--hub-diameter", "0.5", "--hub-length", "0.5"},
       "Not a valid value for hub diameter"},
      {"nine strands", {"--thickness", "0.25", "--strands", "9"}, "Not a valid value for strands"},
      {"no thickness", {}, "Not a valid value for thickness"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = With(kAnsi40, c.args);
    args.insert(args.end(),
                {"--step", dir / "p.step", "--stl", dir / "p.stl", "--gcode", dir / "p.cam"});
    const Outcome o = Cli(args);
    EXPECT_EQ(o.status, kExitInvalidInput);
    EXPECT_TRUE(o.err.starts_with("toothwright-cli: " + std::string(c.message) + "\n")) << o.err;
    EXPECT_TRUE(dir.Names().empty());
  }
  // A custom chain has no standard width.
  const Outcome custom = Cli({"--pitch", "0.5", "--roller", "0.3125", "--teeth", "18",
                              "--thickness", "ANSI", "--stl", dir / "p.stl"});
  EXPECT_TRUE(custom.err.starts_with("toothwright-cli: Not a valid value for thickness\n"));
  EXPECT_TRUE(dir.Names().empty());
}

}  // namespace
}  // namespace toothwright

namespace toothwright {
namespace {

// The drive's figures follow the diameters, its notes go to standard error without changing
// the status, and a refused drive writes nothing.
TEST(Cli, ChainDrive) {
  TempDir dir;
  const std::vector<std::string> drive = {
      "--chain",        "ANSI 40", "--teeth",       "18",          "--driven-teeth",  "45",
      "--speed",        "500",     "--drive-stats", "--drive-svg", dir / "drive.svg", "--drive-dxf",
      dir / "drive.dxf"};
  std::vector<std::string> args = drive;
  args.insert(args.end(), {"--centre-distance", "20"});
  Outcome o = Cli(args);
  EXPECT_EQ(o.status, kExitOk);
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(o.out,
            "Pitch Diameter: 2.87938524157182\nOutside Diameter: 3.30754316676291\n"
            "Chain Length: 112 links (56 in)\nCentre Distance: 20.0096 in\nRatio: 2.5\n"
            "Wrap: 167.7 degrees on the 18-tooth sprocket\nChain Speed: 375 ft/min\n"
            "Driven Speed: 200 rpm\nSlack: 0.0011 in\n");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"drive.dxf", "drive.svg"}));

  args = drive;
  args.insert(args.end(), {"--links", "113"});
  o = Cli(args);
  EXPECT_EQ(o.status, kExitOk);
  EXPECT_EQ(o.err, "toothwright-cli: Note: An odd number of links (113) needs an offset link\n");

  TempDir refused;
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"--links", "112", "--centre-distance", "20"},
        std::vector<std::string>{"--driven-teeth", "", "--drive-svg", refused / "d.svg"}}) {
    args = drive;
    args[10] = refused / "drive.svg";
    args[12] = refused / "drive.dxf";
    args.insert(args.end(), bad.begin(), bad.end());
    o = Cli(args);
    EXPECT_EQ(o.status, kExitInvalidInput);
    EXPECT_TRUE(refused.Names().empty());
  }
}

}  // namespace
}  // namespace toothwright
