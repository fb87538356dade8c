// The CLI's options: the option table's rows and the CLI's own, merged in --help's order, which
// is also the order getopt_long is given them (it names ambiguous possibilities in that order).
#include "cli/cli_options.h"

#include <getopt.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

#include "design_file/design_file.h"

namespace toothwright {
namespace {

// One option of the command line: its long name, its value's name in --help (null: it takes
// none), its one-letter form (0: none), its description and place in --help, and what it does:
// fill the field of its row, or apply for the CLI's own options.
struct CliOption {
  const char* name;
  const char* value_name;
  char letter;
  const char* help;
  Place<HelpGroup> place;
  const OptionRow* row;
  void (*apply)(Options& o, const char* value);
};

// The options that are not fields of a design. Each sits in --help among the table's rows by
// its place.
constexpr std::array kOwnOptions = {
    CliOption{"chain",
              "NAME",
              0,
              "a standard chain, such as \"ANSI 40\" (see --list-chains);\n"
              "it sets pitch and roller, so it excludes both",
              {HelpGroup::Chain, 10},
              nullptr,
              [](Options& o, const char* v) { o.chain = v; }},
    CliOption{"units",
              "UNIT",
              0,
              "English (inches, the default) or Metric (millimetres);\n"
              "a standard chain's sizes are given in this unit",
              {HelpGroup::Chain, 50},
              nullptr,
              [](Options& o, const char* v) { o.fields.units = v; }},
    CliOption{"list-chains",
              nullptr,
              0,
              "list the standard chains with pitch and roller diameter",
              {HelpGroup::Chain, 60},
              nullptr,
              [](Options& o, const char*) { o.list_chains = true; }},
    CliOption{"gcode",
              "FILE",
              0,
              "the milling program: the holes, then the outline, each\n"
              "one closed contour; lines end in CR LF",
              {HelpGroup::Outputs, 10},
              nullptr,
              [](Options& o, const char* v) { o.outputs.gcode = v; }},
    CliOption{"dxf",
              "FILE",
              0,
              "the drawing of the outline and holes, made of arcs\n"
              "(and the keyway's straight sides)",
              {HelpGroup::Outputs, 20},
              nullptr,
              [](Options& o, const char* v) { o.outputs.dxf = v; }},
    CliOption{"svg",
              "FILE",
              0,
              "the part drawn to scale (outline and holes, true arcs),\n"
              "sized in in or mm by --units, for a laser cutter or a\n"
              "vector editor",
              {HelpGroup::Outputs, 30},
              nullptr,
              [](Options& o, const char* v) { o.outputs.svg = v; }},
    CliOption{"cut-path-dxf",
              "FILE",
              0,
              "with --kerf or --tool-diameter: the path the program\n"
              "follows (half the width off the part) as a DXF of closed\n"
              "loops of arcs and lines, for software that does not\n"
              "offset",
              {HelpGroup::Outputs, 52},
              nullptr,
              [](Options& o, const char* v) { o.outputs.cut_path_dxf = v; }},
    CliOption{"cut-path-svg",
              "FILE",
              0,
              "the same path drawn to scale as SVG",
              {HelpGroup::Outputs, 54},
              nullptr,
              [](Options& o, const char* v) { o.outputs.cut_path_svg = v; }},
    CliOption{"step",
              "FILE",
              0,
              "the part as a solid (STEP AP214), in the unit of --units",
              {HelpGroup::Outputs, 60},
              nullptr,
              [](Options& o, const char* v) { o.outputs.step = v; }},
    CliOption{"stl",
              "FILE",
              0,
              "the part's mesh as binary STL, in millimetres whatever\n"
              "--units says (what slicers assume)",
              {HelpGroup::Outputs, 70},
              nullptr,
              [](Options& o, const char* v) { o.outputs.stl = v; }},
    CliOption{"3mf",
              "FILE",
              0,
              "the same mesh as a 3MF package, in millimetres too",
              {HelpGroup::Outputs, 80},
              nullptr,
              [](Options& o, const char* v) { o.outputs.three_mf = v; }},
    CliOption{"preview-svg",
              "FILE",
              0,
              "the preview picture, the outline in red, as SVG",
              {HelpGroup::Outputs, 90},
              nullptr,
              [](Options& o, const char* v) { o.outputs.preview_svg = v; }},
    CliOption{"preview-ops",
              "FILE",
              0,
              "the preview's drawing calls, one per line",
              {HelpGroup::Outputs, 100},
              nullptr,
              [](Options& o, const char* v) { o.outputs.preview_ops = v; }},
    CliOption{"toolpath-svg",
              "FILE",
              0,
              "the program's toolpath over the part, to scale, as SVG:\n"
              "the cutter's path (its deepest pass), rapid moves dashed,\n"
              "each entry and tab marked",
              {HelpGroup::Outputs, 110},
              nullptr,
              [](Options& o, const char* v) { o.outputs.toolpath_svg = v; }},
    CliOption{"stats",
              nullptr,
              0,
              "print the cut length (every feed move, over all passes)\n"
              "and the cut time at the feed rate after the diameters",
              {HelpGroup::Outputs, 120},
              nullptr,
              [](Options& o, const char*) { o.stats = true; }},
    // The chain drive's outputs.
    CliOption{"drive-stats",
              nullptr,
              0,
              "print the drive's figures after the diameters: chain\n"
              "length, centre distance, ratio, wrap, speeds, slack",
              {HelpGroup::Drive, 50},
              nullptr,
              [](Options& o, const char*) { o.drive_stats = true; }},
    CliOption{"drive-svg",
              "FILE",
              0,
              "the drive drawn to scale as SVG: both sprockets, the\n"
              "chain's pitch line and its rollers",
              {HelpGroup::Drive, 60},
              nullptr,
              [](Options& o, const char* v) { o.outputs.drive_svg = v; }},
    CliOption{"drive-dxf",
              "FILE",
              0,
              "the same drawing as DXF, stating its unit",
              {HelpGroup::Drive, 70},
              nullptr,
              [](Options& o, const char* v) { o.outputs.drive_dxf = v; }},
    CliOption{"drive-step",
              "FILE",
              0,
              "the drive as a STEP assembly: both sprockets and a\n"
              "cylinder per roller, one solid each; needs --thickness",
              {HelpGroup::Drive, 80},
              nullptr,
              [](Options& o, const char* v) { o.outputs.drive_step = v; }},
    CliOption{"design",
              "FILE",
              0,
              "read the fields from a design file, as written by\n"
              "--save-design or the window's Save Design; options after\n"
              "it override its fields, options before it are replaced",
              {HelpGroup::DesignFiles, 10},
              nullptr,
              [](Options& o, const char* v) { o.design_to_read = v; }},
    CliOption{"save-design",
              "FILE",
              0,
              "write the fields in effect to a design file, along with\n"
              "the other outputs",
              {HelpGroup::DesignFiles, 20},
              nullptr,
              [](Options& o, const char* v) { o.outputs.design = v; }},
    CliOption{"help",
              nullptr,
              'h',
              "print this help and stop",
              {HelpGroup::Information, 10},
              nullptr,
              [](Options& o, const char*) { o.help = true; }},
    CliOption{"version",
              nullptr,
              'V',
              "print the version and stop",
              {HelpGroup::Information, 20},
              nullptr,
              [](Options& o, const char*) { o.version = true; }},
};

constexpr bool Before(const CliOption& a, const CliOption& b) {
  return a.place.group != b.place.group ? a.place.group < b.place.group
                                        : a.place.order < b.place.order;
}

// Every option: the table's rows and the CLI's own, in the order --help lists them.
constexpr auto MergedOptions() {
  std::array<CliOption, kOptionRows.size() + kOwnOptions.size()> all{};
  size_t n = 0;
  for (const OptionRow& row : kOptionRows) {
    all[n++] = {row.key, row.value_name, 0, row.help, row.help_place, &row, nullptr};
  }
  for (const CliOption& own : kOwnOptions) all[n++] = own;
  std::sort(all.begin(), all.end(), Before);
  return all;
}

constexpr auto kOptions = MergedOptions();

// No two options share a place, so the order is the one the places give.
constexpr bool PlacesDistinct() {
  for (size_t i = 1; i < kOptions.size(); ++i) {
    if (!Before(kOptions[i - 1], kOptions[i])) return false;
  }
  return true;
}
static_assert(PlacesDistinct());

void Apply(const CliOption& option, Options& o, const char* value) {
  if (option.row == nullptr) {
    option.apply(o, value);
  } else if (option.row->ticked != nullptr) {
    o.fields.*(option.row->ticked) = true;
  } else {
    o.fields.*(option.row->text) = value;
    // --chain excludes both, whenever they were given.
    if (option.row->field == Field::Pitch) o.pitch_given = true;
    if (option.row->field == Field::Roller) o.roller_given = true;
    if (option.row->field == Field::Teeth) o.teeth_given = true;
  }
}

constexpr const char* kHelpIntro = R"(
Works out the outline of a roller-chain sprocket with all-arc teeth, prints its
pitch and outside diameters, and writes the milling program (G-code), a DXF
drawing, a drawing to scale and preview pictures (SVG), a picture of the
toolpath, the part as a 3-D model (STEP, STL, 3MF) and its design file.

Needed: --teeth, and the chain: either --chain, or both --pitch and --roller.
Every other option may be left out; an option given an empty value ("") counts
as left out. Lengths are in inches, or in millimetres with --units Metric.
Numbers are plain decimals with a point: 0.5 or 12.7, not 0.5in, 1/2 or 12,7.
A long option may be shortened while it stays unique (--pit for --pitch), and
its value may follow an equals sign (--pitch=0.5).

)";

// A group of --help: its heading line (none for the last), then its options, then what follows
// them: examples, notes and the blank line before the next group.
struct HelpSection {
  HelpGroup group;
  const char* heading;
  const char* after;
};

constexpr HelpSection kHelpSections[] = {
    {HelpGroup::Chain, "Chain:", R"(  Example: toothwright-cli --chain "ANSI 40" --teeth 18

)"},
    {HelpGroup::ToothForm, "Tooth form:",
     R"(  Example: toothwright-cli --chain "ANSI 40" --teeth 18 --seat-clearance ANSI \
             --tip-diameter ANSI --dxf sprocket.dxf

)"},
    {HelpGroup::Machining,
     "Machining:", R"(  Example: toothwright-cli --chain "ANSI 40" --teeth 18 --depth 0.25 \
             --feed 10 --tool-diameter 0.25 --depth-per-pass 0.1 --tabs 3 \
             --tab-width 0.2 --tab-height 0.05 --safe-z 0.5 --spindle 3000 \
             --program-end --gcode sprocket.ngc
  Example: toothwright-cli --chain "ANSI 40" --teeth 18 --depth 0.25 \
             --feed 30 --tool-diameter 0.125 --plunge-feed 10 --ramp-angle 5 \
             --lead-in 0.1 --direction climb --preamble --gcode sprocket.nc

)"},
    {HelpGroup::Mounting,
     "Mounting:", R"(  Example: toothwright-cli --chain "ANSI 40" --teeth 18 --bore 0.75 \
             --keyway-width 0.1875 --keyway-depth 0.0938 --bolt-holes 4 \
             --bolt-hole-diameter 0.257 --bolt-circle 1.75 --dxf sprocket.dxf

)"},
    {HelpGroup::Solid, "Solid (for --step, --stl and --3mf; lengths in the unit of --units):",
     R"(  Example: toothwright-cli --chain "ANSI 40" --teeth 18 --thickness ANSI \
             --tooth-chamfer --bore 0.75 --step sprocket.step

)"},
    {HelpGroup::Drive, "Chain drive (a second sprocket on the same chain):",
     R"(  Notes on standard error name the handbooks' rules a drive breaks: wrap under
  120 degrees, a sprocket under 17 teeth, a ratio over 7, a centre distance
  outside 30 to 50 pitches, an odd number of links.
  Example: toothwright-cli --chain "ANSI 40" --teeth 18 --driven-teeth 45 \
             --centre-distance 20 --speed 500 --drive-stats \
             --drive-svg drive.svg

)"},
    {HelpGroup::Outputs, "Outputs (without one, only the two diameters are printed):",
     R"(  A FILE of - is standard output, and the diameters are then not printed. An
  existing file is replaced only once the new content is complete.
  Example: toothwright-cli --chain "ANSI 40" --teeth 18 --gcode sprocket.ngc \
             --dxf sprocket.dxf --svg sprocket.svg

)"},
    {HelpGroup::DesignFiles,
     "Design files (the fields as typed, the units and the ticks, in JSON):",
     R"(  Example: toothwright-cli --chain "ANSI 40" --teeth 18 --bore 0.75 \
             --save-design sprocket.toothwright
  Example: toothwright-cli --design sprocket.toothwright --teeth 20 \
             --gcode sprocket.ngc

)"},
    {HelpGroup::Information, "", R"(
Exit status: 0 done; 1 a value is not valid (the message names it, and nothing
is written); 2 the command line is wrong, or a design file cannot be read; 3 a
file could not be written.
)"},
};

// The column descriptions start at; a longer option and value name stand on a line of their own.
constexpr size_t kDescriptionColumn = 24;

// An option's lines in --help: "  --name VALUE" then its description from the column on.
void AppendHelpLines(std::string& text, const CliOption& option) {
  std::string head = "  ";
  if (option.letter != 0) head += std::string{'-', option.letter, ',', ' '};
  head += "--";
  head += option.name;
  if (option.value_name != nullptr) {
    head += ' ';
    head += option.value_name;
  }
  text += head;
  if (head.size() < kDescriptionColumn) {
    text.append(kDescriptionColumn - head.size(), ' ');
  } else {
    text += '\n';
    text.append(kDescriptionColumn, ' ');
  }
  for (const char c : std::string_view(option.help)) {
    text += c;
    if (c == '\n') text.append(kDescriptionColumn, ' ');
  }
  text += '\n';
}

// getopt_long reports long option i as kFirstLongCode + i, above every one-letter code.
constexpr int kFirstLongCode = 256;

std::string LongName(int code) {
  return std::string("--") + kOptions[static_cast<size_t>(code - kFirstLongCode)].name;
}

// The message for an option getopt_long refused with '?', in glibc's words. code is its
// optopt: a long option's code when that option was given a value it does not take, a
// letter for an unknown one-letter option, 0 for an unknown or ambiguous long option;
// word is the argument that was refused.
std::string RefusedOptionMessage(int code, std::string_view word) {
  if (code >= kFirstLongCode) return "option '" + LongName(code) + "' doesn't allow an argument";
  if (code != 0) return "invalid option -- '" + std::string(1, static_cast<char>(code)) + "'";
  const std::string_view name = word.substr(2, word.find('=') - 2);
  std::string possibilities;
  int matches = 0;
  for (const CliOption& rule : kOptions) {
    if (std::string_view(rule.name).starts_with(name)) {
      possibilities += std::string(" '--") + rule.name + "'";
      ++matches;
    }
  }
  if (matches > 1) {
    return "option '" + std::string(word) + "' is ambiguous; possibilities:" + possibilities;
  }
  return "unrecognized option '" + std::string(word) + "'";
}

std::string UnexpectedArgumentMessage(std::string_view word) {
  return "unexpected argument '" + std::string(word) +
         "'; a value with spaces needs quotes, as in --chain \"ANSI 40\"";
}

// Why a file could not be read.
struct ReadFailure {
  std::string reason;
};

// The bytes of the file at path, "-" for standard input; at most limit + 1 of them, so that a
// file over the limit is known to be one without reading it all.
std::variant<std::string, ReadFailure> ReadInputFile(const std::string& path, size_t limit) {
  std::ifstream file;
  std::istream* in = &std::cin;
  if (path != kStandardOutput) {
    file.open(path, std::ios::binary);
    if (!file) return ReadFailure{std::strerror(errno)};
    in = &file;
  }
  std::string bytes(limit + 1, '\0');
  in->read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  // A short read ends at the end of the file; anything else is a failure (a folder, say).
  if (in->bad() || (in->fail() && !in->eof())) return ReadFailure{"read error"};
  bytes.resize(static_cast<size_t>(in->gcount()));
  return bytes;
}

// Replaces the fields with those of the design file at path. Whatever the command line gave
// before is overridden, a chain included; options after it override the file's fields.
std::optional<UsageError> LoadDesign(Options& o, const std::string& path) {
  auto bytes = ReadInputFile(path, kLargestDesignFile);
  if (auto* failure = std::get_if<ReadFailure>(&bytes)) {
    return UsageError{"cannot read " + path + ": " + failure->reason};
  }
  auto read = ReadDesignFile(std::get<std::string>(bytes),
                             path == kStandardOutput ? "standard input" : path);
  if (auto* error = std::get_if<DesignFileError>(&read)) return UsageError{error->message};
  o.fields = std::get<FieldTexts>(std::move(read));
  o.chain.reset();
  o.pitch_given = false;
  o.roller_given = false;
  o.design_given = true;
  return std::nullopt;
}

// What getopt_long is given: every option by its code, and the one-letter forms.
struct GetoptTables {
  std::vector<option> longs;
  std::string letters;
};

GetoptTables MakeGetoptTables() {
  // "-": other arguments come back in order as code 1; ":": a missing value comes back as
  // ':' rather than '?'.
  GetoptTables tables{{}, "-:"};
  for (size_t i = 0; i < kOptions.size(); ++i) {
    const CliOption& rule = kOptions[i];
    tables.longs.push_back({rule.name, rule.value_name ? required_argument : no_argument, nullptr,
                            kFirstLongCode + static_cast<int>(i)});
    if (rule.letter != 0) tables.letters += rule.letter;
  }
  tables.longs.push_back({});
  return tables;
}

// The option getopt_long reported as code, long or one-letter; null for none.
const CliOption* OptionOfCode(int code) {
  for (size_t i = 0; i < kOptions.size(); ++i) {
    if (code == kFirstLongCode + static_cast<int>(i) || code == kOptions[i].letter) {
      return &kOptions[i];
    }
  }
  return nullptr;
}

}  // namespace

std::string HelpText() {
  std::string text = kHelpIntro;
  for (const HelpSection& section : kHelpSections) {
    if (*section.heading != '\0') {
      text += section.heading;
      text += '\n';
    }
    for (const CliOption& option : kOptions) {
      if (option.place.group == section.group) AppendHelpLines(text, option);
    }
    text += section.after;
  }
  return text;
}

// getopt_long keeps its state in globals; they are set here and read nowhere else.
std::variant<Options, UsageError> ReadOptions(const std::vector<std::string>& args) {
  // getopt_long takes a C argument vector headed by the program name. It may reorder the
  // pointers but never writes to the texts.
  std::vector<std::string> texts{std::string(kCommandName)};
  texts.insert(texts.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(texts.size());
  const GetoptTables tables = MakeGetoptTables();

  optind = 0;  // 0, not 1: glibc then forgets everything about an earlier parse
  opterr = 0;  // the messages go to the caller's stream, with the program's name
  Options o;
  int code = 0;
  while ((code = getopt_long(argc, argv.data(), tables.letters.c_str(), tables.longs.data(),
                             nullptr)) != -1) {
    if (code == 1) return UsageError{UnexpectedArgumentMessage(optarg)};
    if (code == ':') return UsageError{"option '" + LongName(optopt) + "' requires an argument"};
    // After '?' for a long option, optind has already moved past the refused argument.
    if (code == '?') return UsageError{RefusedOptionMessage(optopt, argv[optind - 1])};
    if (const CliOption* rule = OptionOfCode(code)) Apply(*rule, o, optarg);
    o.any = true;
    if (o.design_to_read) {
      if (auto error = LoadDesign(o, *o.design_to_read)) return *error;
      o.design_to_read.reset();
    }
  }
  // Whatever follows "--" is left over.
  if (optind < argc) return UsageError{UnexpectedArgumentMessage(argv[optind])};
  return o;
}

}  // namespace toothwright
