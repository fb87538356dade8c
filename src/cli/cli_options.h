// The command line of toothwright-cli read into options. The fields' options come from the
// option table's rows; the CLI adds its own for the chain, the units, the outputs, the design
// files and the information options, and --help lists them all in the table's groups.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sprocket/fields.h"

namespace toothwright {

inline constexpr std::string_view kCommandName = "toothwright-cli";

// The name that stands for standard output (or input) in place of a file.
inline constexpr std::string_view kStandardOutput = "-";

// Where each output goes: a path, "-" for standard output, or nowhere.
struct OutputPaths {
  std::optional<std::string> gcode;
  std::optional<std::string> dxf;
  std::optional<std::string> svg;
  std::optional<std::string> preview_svg;
  std::optional<std::string> preview_ops;
  std::optional<std::string> design;
  std::optional<std::string> toolpath_svg;
  std::optional<std::string> step;
  std::optional<std::string> stl;
  std::optional<std::string> three_mf;
  std::optional<std::string> cut_path_dxf;
  std::optional<std::string> cut_path_svg;
  // The chain drive's drawings and assembly.
  std::optional<std::string> drive_svg;
  std::optional<std::string> drive_dxf;
  std::optional<std::string> drive_step;
};

struct Options {
  FieldTexts fields;
  std::optional<std::string> chain;
  OutputPaths outputs;
  bool pitch_given = false;
  bool roller_given = false;
  bool teeth_given = false;
  bool design_given = false;  // a design file gave every field
  bool list_chains = false;
  bool help = false;
  bool version = false;
  bool stats = false;                         // print the cut length and time after the diameters
  bool drive_stats = false;                   // print the drive's figures after them
  bool any = false;                           // at least one option was given
  std::optional<std::string> design_to_read;  // a --design just given, read before the next option
};

struct UsageError {
  std::string message;
};

// Reads the options in order (args without the program name); a later value replaces an
// earlier one, and a --design replaces every field given before it. Each value is kept as
// typed: the run reads and checks the field texts. Refused, in glibc's words: an unknown or
// ambiguous option, a value missing or not allowed, an argument that is not an option, and a
// design file that cannot be read.
std::variant<Options, UsageError> ReadOptions(const std::vector<std::string>& args);

// What --help prints after the usage lines: every option with its description, by group.
std::string HelpText();

}  // namespace toothwright
