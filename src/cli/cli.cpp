// Argument handling and output of toothwright-cli.
#include "cli/cli.h"

#include <optional>
#include <ostream>
#include <string_view>
#include <variant>

#include "sprocket/chain_sizes.h"
#include "sprocket/run.h"

namespace toothwright {
namespace {

constexpr const char* kVersion = "toothwright-cli 2.0";

constexpr const char* kUsage =
    "usage: toothwright-cli [--chain NAME] [--pitch TEXT] [--roller TEXT] [--teeth TEXT]\n"
    "                       [--units English|Metric]\n"
    "       toothwright-cli --list-chains | --help | --version\n";

constexpr const char* kHelp =
    "Computes an all-arc roller-chain sprocket outline and prints its pitch and outside\n"
    "diameters. Texts are read as the window reads its fields.\n"
    "\n"
    "  --chain NAME     a standard chain (see --list-chains); fills pitch and roller\n"
    "  --pitch TEXT     chain pitch, in the current unit\n"
    "  --roller TEXT    roller diameter, in the current unit\n"
    "  --teeth TEXT     number of teeth (4 to 10000)\n"
    "  --units UNIT     English (inches, default) or Metric (millimetres)\n"
    "  --list-chains    print the standard chains in the current unit\n"
    "  --help           print this help\n"
    "  --version        print the version\n"
    "\n"
    "Exit status: 0 done, 1 invalid input, 2 usage error, 3 a file could not be written.\n";

struct Options {
  FieldTexts fields;
  std::optional<std::string> chain;
  bool pitch_given = false;
  bool roller_given = false;
  bool list_chains = false;
  bool help = false;
  bool version = false;
};

struct UsageError {
  std::string message;
};

// Options that take a value, and the field text each one fills.
std::string* ValueTarget(std::string_view name, Options& o) {
  if (name == "--pitch") return &o.fields.pitch;
  if (name == "--roller") return &o.fields.roller;
  if (name == "--teeth") return &o.fields.teeth;
  if (name == "--units") return &o.fields.units;
  return nullptr;
}

bool SetFlag(std::string_view name, Options& o) {
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
    std::string* target = name == "--chain" ? nullptr : ValueTarget(name, o);
    if (target != nullptr || name == "--chain") {
      if (!inline_value && i + 1 >= args.size()) {
        return UsageError{"option " + std::string(name) + " needs a value"};
      }
      std::string value = inline_value ? *inline_value : args[++i];
      if (name == "--chain") {
        o.chain = std::move(value);
      } else {
        *target = std::move(value);
      }
      o.pitch_given = o.pitch_given || name == "--pitch";
      o.roller_given = o.roller_given || name == "--roller";
    } else if (inline_value || !SetFlag(name, o)) {
      return UsageError{"unknown option \"" + args[i] + "\""};
    }
  }
  if (o.fields.units != "English" && o.fields.units != "Metric") {
    return UsageError{"--units must be English or Metric"};
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
  const auto run = RunSprocket(o.fields);
  if (const auto* message = std::get_if<ValidationMessage>(&run)) {
    err << message->text << '\n';
    return kExitInvalidInput;
  }
  const SprocketRun& sprocket = std::get<SprocketRun>(run);
  out << "Pitch Diameter: " << sprocket.pitch_diameter_text << '\n'
      << "Outside Diameter: " << sprocket.outside_diameter_text << '\n';
  return kExitOk;
}

}  // namespace toothwright
