// Argument handling and output of toothwright-cli.
#include "cli/cli.h"

#include <optional>
#include <ostream>
#include <string_view>
#include <variant>

#include "cli/file_output.h"
#include "output/pipeline.h"
#include "output/recording_canvas.h"
#include "output/svg_canvas.h"
#include "sprocket/chain_sizes.h"
#include "sprocket/run.h"

namespace toothwright {
namespace {

constexpr const char* kVersion = "toothwright-cli 2.0";

constexpr const char* kUsage =
    "usage: toothwright-cli [--chain NAME] [--pitch TEXT] [--roller TEXT] [--teeth TEXT]\n"
    "                       [--units English|Metric] [--depth TEXT] [--feed TEXT] [--offset]\n"
    "                       [--gcode FILE] [--dxf FILE] [--svg FILE] [--preview-ops FILE]\n"
    "       toothwright-cli --list-chains | --help | --version\n";

constexpr const char* kHelp =
    "Computes an all-arc roller-chain sprocket outline, prints its pitch and outside\n"
    "diameters and writes the milling program, the drawing and the preview. Texts are read\n"
    "as the window reads its fields.\n"
    "\n"
    "  --chain NAME     a standard chain (see --list-chains); fills pitch and roller\n"
    "  --pitch TEXT     chain pitch, in the current unit\n"
    "  --roller TEXT    roller diameter, in the current unit\n"
    "  --teeth TEXT     number of teeth (4 to 10000)\n"
    "  --units UNIT     English (inches, default) or Metric (millimetres)\n"
    "  --depth TEXT     depth of cut (its leading number, sign dropped)\n"
    "  --feed TEXT      feed rate, copied into the program as typed\n"
    "  --offset         include the tool offset right code (G42, cancelled by G40)\n"
    "  --gcode FILE     write the G-code program, as \"Save G-Code\" saves it\n"
    "  --dxf FILE       write the DXF drawing, as \"Save DXF File\" saves it\n"
    "  --svg FILE       write the preview picture as an SVG document\n"
    "  --preview-ops FILE\n"
    "                   write the preview's drawing calls, one per line\n"
    "  --list-chains    print the standard chains in the current unit\n"
    "  --help           print this help\n"
    "  --version        print the version\n"
    "\n"
    "FILE \"-\" is standard output; the diameters are then not printed. An existing file is\n"
    "replaced only once the new content is complete.\n"
    "\n"
    "Exit status: 0 done, 1 invalid input, 2 usage error, 3 a file could not be written.\n";

// Where each output goes: a path, "-" for standard output, or nowhere.
struct OutputPaths {
  std::optional<std::string> gcode;
  std::optional<std::string> dxf;
  std::optional<std::string> svg;
  std::optional<std::string> preview_ops;
};

// The name that stands for standard output in place of a file.
constexpr std::string_view kStandardOutput = "-";

struct Options {
  FieldTexts fields;
  std::optional<std::string> chain;
  OutputPaths outputs;
  bool pitch_given = false;
  bool roller_given = false;
  bool list_chains = false;
  bool help = false;
  bool version = false;
};

struct UsageError {
  std::string message;
};

// Options that take a value, and where each one's value goes.
std::string* ValueTarget(std::string_view name, Options& o) {
  if (name == "--pitch") return &o.fields.pitch;
  if (name == "--roller") return &o.fields.roller;
  if (name == "--teeth") return &o.fields.teeth;
  if (name == "--units") return &o.fields.units;
  if (name == "--depth") return &o.fields.depth;
  if (name == "--feed") return &o.fields.feed;
  if (name == "--chain") return &o.chain.emplace();
  if (name == "--gcode") return &o.outputs.gcode.emplace();
  if (name == "--dxf") return &o.outputs.dxf.emplace();
  if (name == "--svg") return &o.outputs.svg.emplace();
  if (name == "--preview-ops") return &o.outputs.preview_ops.emplace();
  return nullptr;
}

bool SetFlag(std::string_view name, Options& o) {
  if (name == "--offset") return o.fields.offset = true;
  if (name == "--list-chains") return o.list_chains = true;
  if (name == "--help" || name == "-h") return o.help = true;
  if (name == "--version") return o.version = true;
  return false;
}

std::string ChainNames() {
  std::string names;
  for (const ChainSize& row : ChainSizeTable) {
    names += names.empty() ? "" : ", ";
    names += row.name;
  }
  return names;
}

// Fills pitch and roller from --chain as the chain-size selector does, in the chosen unit.
std::optional<UsageError> ApplyChain(Options& o) {
  if (!o.chain) return std::nullopt;
  if (o.pitch_given || o.roller_given) {
    return UsageError{"--chain cannot be combined with --pitch or --roller"};
  }
  const std::optional<ChainSize> row = FindChainSize(*o.chain);
  if (!row) return UsageError{"unknown chain \"" + *o.chain + "\"; known: " + ChainNames()};
  const LengthTexts texts = SetChainSize(row->pitch, row->roller, o.fields.units);
  o.fields.pitch = texts.pitch;
  o.fields.roller = texts.roller;
  return std::nullopt;
}

std::variant<Options, UsageError> ParseArguments(const std::vector<std::string>& args) {
  Options o;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string_view name = args[i];
    std::optional<std::string> inline_value;
    if (const size_t eq = name.find('='); name.starts_with("--") && eq != std::string_view::npos) {
      inline_value = std::string(name.substr(eq + 1));
      name = name.substr(0, eq);
    }
    if (std::string* target = ValueTarget(name, o)) {
      if (!inline_value && i + 1 >= args.size()) {
        return UsageError{"option " + std::string(name) + " needs a value"};
      }
      *target = inline_value ? *inline_value : args[++i];
      o.pitch_given = o.pitch_given || name == "--pitch";
      o.roller_given = o.roller_given || name == "--roller";
    } else if (inline_value || !SetFlag(name, o)) {
      return UsageError{"unknown option \"" + args[i] + "\""};
    }
  }
  if (o.fields.units != "English" && o.fields.units != "Metric") {
    return UsageError{"--units must be English or Metric"};
  }
  // The feed is copied into every move line; like the window's one-line field it cannot
  // hold a line break, which would split the program's lines.
  if (o.fields.feed.find_first_of("\r\n") != std::string::npos) {
    return UsageError{"--feed must be one line"};
  }
  if (auto error = ApplyChain(o)) return *error;
  return o;
}

void ListChains(const std::string& units, std::ostream& out) {
  for (const ChainSize& row : ChainSizeTable) {
    const LengthTexts texts = SetChainSize(row.pitch, row.roller, units);
    out << row.name << "\tpitch " << texts.pitch << "\troller " << texts.roller << '\n';
  }
}

bool AnyToStandardOutput(const OutputPaths& paths) {
  for (const auto* path : {&paths.gcode, &paths.dxf, &paths.svg, &paths.preview_ops}) {
    if (*path == kStandardOutput) return true;
  }
  return false;
}

// One output and its content.
struct Output {
  const std::optional<std::string>& path;
  std::string bytes;
};

// The outputs that were asked for, in a fixed order, each as the bytes its file holds.
std::vector<Output> OutputsOf(const OutputPaths& paths, const RunResults& results) {
  // "Save G-Code" and "Save DXF File" write the box's text and one more line break.
  constexpr std::string_view kSavedLineEnd = "\r\n";
  std::vector<Output> outputs;
  if (paths.gcode) outputs.push_back({paths.gcode, results.gcode + std::string(kSavedLineEnd)});
  if (paths.dxf) outputs.push_back({paths.dxf, results.dxf + std::string(kSavedLineEnd)});
  if (paths.svg) {
    SvgCanvas canvas;
    ReplayPreviewCalls(results.preview, canvas);
    outputs.push_back({paths.svg, canvas.Document()});
  }
  if (paths.preview_ops) {
    outputs.push_back({paths.preview_ops, FormatPreviewCalls(results.preview)});
  }
  return outputs;
}

// Writes every output; a failure is reported by name and does not stop the others.
int WriteOutputs(const std::vector<Output>& outputs, std::ostream& out, std::ostream& err) {
  int status = kExitOk;
  for (const Output& output : outputs) {
    const std::string& path = *output.path;
    if (path == kStandardOutput) {
      out.write(output.bytes.data(), static_cast<std::streamsize>(output.bytes.size()));
      if (!out.flush()) {
        err << "toothwright-cli: cannot write to standard output\n";
        status = kExitWriteFailed;
      }
    } else if (const auto failure = WriteOutputFile(path, output.bytes)) {
      err << "toothwright-cli: cannot write " << path << ": " << *failure << '\n';
      status = kExitWriteFailed;
    }
  }
  return status;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto parsed = ParseArguments(args);
  if (const auto* error = std::get_if<UsageError>(&parsed)) {
    err << "toothwright-cli: " << error->message << '\n' << kUsage;
    return kExitUsage;
  }
  const Options& o = std::get<Options>(parsed);
  if (o.help) {
    out << kUsage << '\n' << kHelp;
    return kExitOk;
  }
  if (o.version) {
    out << kVersion << '\n';
    return kExitOk;
  }
  if (o.list_chains) {
    ListChains(o.fields.units, out);
    return kExitOk;
  }
  const auto run = Run(o.fields);
  if (const auto* message = std::get_if<ValidationMessage>(&run)) {
    err << message->text << '\n';
    return kExitInvalidInput;  // before any file is touched
  }
  const RunResults& results = std::get<RunResults>(run);
  if (!AnyToStandardOutput(o.outputs)) {
    // Flushed before any file is written, in case a file is standard output under another
    // name (/dev/stdout).
    out << "Pitch Diameter: " << results.sprocket.pitch_diameter_text << '\n'
        << "Outside Diameter: " << results.sprocket.outside_diameter_text << '\n'
        << std::flush;
  }
  return WriteOutputs(OutputsOf(o.outputs, results), out, err);
}

}  // namespace toothwright
