// Design files: written and read back to the same fields, each kind of fault refused with the
// file and the key or line named, and the CLI's --design and --save-design giving the bytes of
// the same fields typed.
#include "design_file/design_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "cli/cli.h"
#include "temp_dir.h"

namespace toothwright {
namespace {

TEST(DesignFile, WrittenFieldsReadBackUnchanged) {
  const FieldTexts cases[] = {
      {},
      {.pitch = " 0.5 ",
       .teeth = "18",
       .roller = "0.3125",
       .depth = "abc",
       .feed = "  ",
       .offset = true,
       .seat_clearance = "ansi",
       .bolt_circle = "1.75"},
      {.pitch = "12.7",
       .units = "Metric",
       .tool_diameter = "3.175",
       .tabs = "4",
       .spindle = "\"quoted\" \\ and \u00bd",
       .program_end = true},
      {.teeth = "18", .driven_teeth = "45", .links = "112", .speed = "500"},
  };
  for (const FieldTexts& fields : cases) {
    const auto read = ReadDesignFile(WriteDesignFile(fields), "d.toothwright");
    ASSERT_TRUE(std::holds_alternative<FieldTexts>(read));
    EXPECT_EQ(std::get<FieldTexts>(read), fields);
  }
  // Without a drive the document holds none of its keys, as before drives.
  const std::string without = WriteDesignFile(cases[1]);
  for (const char* key : {"driven-teeth", "centre-distance", "links", "speed"}) {
    EXPECT_EQ(without.find(std::string("\"") + key + "\""), std::string::npos) << key;
  }
}

TEST(DesignFile, FaultsAreNamed) {
  struct Case {
    const char* name;
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {"newer version", R"({"toothwright-design": 2, "teeth": "18"})",
       "d.toothwright: made by a newer version of the program (design version 2; this one "
       "reads 1)"},
      {"unknown key", R"({"toothwright-design": 1, "teeths": "18"})",
       "d.toothwright: unknown key \"teeths\""},
      {"a number for a text", R"({"toothwright-design": 1, "teeth": 18})",
       "d.toothwright: \"teeth\" must be a text, such as \"18\""},
      {"a text for a tick", R"({"toothwright-design": 1, "offset": "yes"})",
       "d.toothwright: \"offset\" must be true or false"},
      {"other units", R"({"toothwright-design": 1, "units": "Imperial"})",
       "d.toothwright: \"units\" must be \"English\" or \"Metric\""},
      {"broken JSON", "{\"toothwright-design\": 1,\n\"teeth\": \"18\"\n\"pitch\": \"0.5\"}",
       "d.toothwright: not a design file: invalid JSON at line 3"},
      {"no version", R"({"teeth": "18"})",
       "d.toothwright: not a design file: no \"toothwright-design\" key"},
      {"not an object", "[1, 2]", "d.toothwright: not a design file: no JSON object"},
      {"over 1 MiB", std::string(2 * 1024 * 1024, ' '),
       "d.toothwright: too large for a design file (more than 1 MiB)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto read = ReadDesignFile(c.text, "d.toothwright");
    ASSERT_TRUE(std::holds_alternative<DesignFileError>(read));
    EXPECT_EQ(std::get<DesignFileError>(read).message, c.message);
  }
}

struct Outcome {
  int status;
  std::string out, err;
};

Outcome Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

// A design saved with its outputs, then run alone, gives the same bytes.
TEST(DesignFile, SavedDesignRunsToTheSameOutputs) {
  const std::vector<std::vector<std::string>> cases = {
      {"--chain", "ANSI 40", "--teeth", "18"},
      {"--chain", "ANSI 40", "--teeth", "18", "--seat-clearance", "ANSI", "--tip-diameter", "ANSI"},
      {"--chain",  "ANSI 40", "--teeth",         "18",    "--depth",          "0.25",
       "--feed",   "30",      "--tool-diameter", "0.125", "--depth-per-pass", "0.1",
       "--tabs",   "4",       "--tab-width",     "0.2",   "--tab-height",     "0.05",
       "--safe-z", "0.5",     "--spindle",       "3000",  "--program-end"},
      {"--pitch", "0.5", "--roller", "0.3125", "--teeth", "18", "--offset", "--bore", "0.75",
       "--keyway-width", "0.1875", "--keyway-depth", "0.0938", "--bolt-holes", "4",
       "--bolt-hole-diameter", "0.257", "--bolt-circle", "1.75"},
      {"--chain", "ISO 08B", "--units", "Metric", "--teeth", "25", "--depth", "6"},
  };
  TempDir dir;
  for (const auto& args : cases) {
    SCOPED_TRACE(args[1]);
    std::vector<std::string> typed = args;
    typed.insert(typed.end(), {"--gcode", dir / "a.cam", "--dxf", dir / "a.dxf", "--svg",
                               dir / "a.svg", "--save-design", dir / "d.toothwright"});
    ASSERT_EQ(Cli(typed).status, kExitOk);
    const Outcome read = Cli({"--design", dir / "d.toothwright", "--gcode", dir / "b.cam", "--dxf",
                              dir / "b.dxf", "--svg", dir / "b.svg"});
    ASSERT_EQ(read.status, kExitOk) << read.err;
    for (const auto& [typed_file, read_file] :
         {std::pair{"a.cam", "b.cam"}, {"a.dxf", "b.dxf"}, {"a.svg", "b.svg"}}) {
      EXPECT_EQ(ReadFile(dir / read_file), ReadFile(dir / typed_file));
    }
  }
  // Options after the design override its fields.
  EXPECT_EQ(Cli({"--design", dir / "d.toothwright", "--teeth", "20"}).out,
            Cli({"--chain", "ISO 08B", "--units", "Metric", "--teeth", "20"}).out);
}

TEST(DesignFile, CliRefusesAFaultyFileWithItsName) {
  TempDir dir;
  MakeFile(dir / "n.toothwright", R"({"toothwright-design": 1, "teeth": 18})");
  const Outcome o = Cli({"--design", dir / "n.toothwright", "--gcode", dir / "out.cam"});
  EXPECT_EQ(o.status, kExitUsage);
  EXPECT_TRUE(o.err.starts_with("toothwright-cli: " + std::string(dir / "n.toothwright") +
                                ": \"teeth\" must be a text"))
      << o.err;
  EXPECT_EQ(Cli({"--design", dir / "missing.toothwright"}).status, kExitUsage);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"n.toothwright"});
}

}  // namespace
}  // namespace toothwright
