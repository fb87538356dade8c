// Argument handling and output of toothwright-cli.
#include "cli/cli.h"

#include <getopt.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <ostream>
#include <string_view>
#include <variant>

#include "cli/file_output.h"
#include "design_file/design_file.h"
#include "numbers/numbers.h"
#include "output/cut_statistics.h"
#include "output/drawing_svg.h"
#include "output/pipeline.h"
#include "output/recording_canvas.h"
#include "output/svg_canvas.h"
#include "output/toolpath_svg.h"
#include "solid/job_model.h"
#include "sprocket/chain_sizes.h"
#include "sprocket/fields.h"

namespace toothwright {
namespace {

constexpr std::string_view kProgramName = "toothwright-cli";
constexpr const char* kVersion = "toothwright-cli 2.0";

constexpr const char* kUsage =
    "Usage: toothwright-cli --teeth N --chain NAME [OPTION]...\n"
    "       toothwright-cli --teeth N --pitch P --roller D [OPTION]...\n"
    "       toothwright-cli --list-chains [--units UNIT]\n"
    "       toothwright-cli --help | --version\n";

constexpr const char* kTryHelp = "Try 'toothwright-cli --help' for more information.\n";

constexpr const char* kHelp = R"(
Works out the outline of a roller-chain sprocket with all-arc teeth, prints its
pitch and outside diameters, and writes the milling program (G-code), a DXF
drawing and a preview picture of it.

Needed: --teeth, and the chain: either --chain, or both --pitch and --roller.
Every other option may be left out; an option given an empty value ("") counts
as left out. Lengths are in inches, or in millimetres with --units Metric.
Numbers are plain decimals with a point: 0.5 or 12.7, not 0.5in, 1/2 or 12,7.
A long option may be shortened while it stays unique (--pit for --pitch), and
its value may follow an equals sign (--pitch=0.5).

Chain:
  --chain NAME          a standard chain, such as "ANSI 40" (see --list-chains);
                        it sets pitch and roller, so it excludes both
  --pitch LENGTH        chain pitch: from one roller's centre to the next one's
  --roller DIAMETER     roller diameter, less than the pitch
  --teeth N             number of teeth, a whole number from 4 to 10000
  --units UNIT          English (inches, the default) or Metric (millimetres);
                        a standard chain's sizes are given in this unit
  --list-chains         list the standard chains with pitch and roller diameter
  Example: toothwright-cli --chain "ANSI 40" --teeth 18

Tooth form:
  --seat-clearance LENGTH
                        room added to the roller's radius in every seat (0 or
                        more), or ANSI for the chain standard's seating curve;
                        left out, each seat fits the roller exactly
  --tip-diameter DIAMETER
                        the teeth are topped at this diameter, or ANSI for the
                        standard's outside diameter; left out, the tips are
                        pointed
  Example: toothwright-cli --chain "ANSI 40" --teeth 18 --seat-clearance ANSI \
             --tip-diameter ANSI --dxf sprocket.dxf

Machining:
  --depth LENGTH        depth of cut: the cutter plunges to Z minus this (a sign
                        is ignored); left out, the plunge goes to Z-0 (work
                        zero, usually the top of the stock)
  --feed RATE           feed rate in units per minute, written after F exactly
                        as typed on the plunge and every cut; left out, the
                        lines carry no F word and the controller's feed holds
  --offset              cutter compensation to the right (G42) for the contour,
                        cancelled (G40) at the end; the controller then offsets
                        the path by the radius in its tool table
  --tool-diameter DIAMETER
                        the program moves the cutter's centre, half this
                        diameter away from the part's edges, for controllers
                        without cutter compensation; excludes --offset
  --depth-per-pass LENGTH
                        cut in passes, each this much deeper than the one
                        before, down to the full depth; left out, one pass
  --tabs N              leave N holding tabs on the outline so that the part
                        stays in the stock; see the next two options
  --tab-width LENGTH    length of the part's edge each tab leaves attached
  --tab-height LENGTH   height of each tab above the full depth
  --safe-z HEIGHT       height for the rapid moves at the start and at the end;
                        left out, the cutter rises to Z2.00 at the end
  --spindle RPM         spindle speed in revolutions per minute, written after S
                        exactly as typed
  --program-end         end the program with M2
  --plunge-feed RATE    feed of every move down (plunges, pass steps, after
                        tabs), written as typed; needs --feed
  --ramp-angle DEGREES  go down along the path at this angle (1 to 45) instead
                        of straight down, and cut past the ramp's start
  --lead-in RADIUS      with --tool-diameter: enter and leave each contour along
                        a tangent arc of this radius in the waste
  --direction WAY       conventional (the default: outline counter-clockwise,
                        holes clockwise, cutter on the right) or climb
  --preamble            open the program with a comment naming the part, and
                        set plane, distances and feed mode (G17 G90 G94)
  Example: toothwright-cli --chain "ANSI 40" --teeth 18 --depth 0.25 \
             --feed 10 --tool-diameter 0.25 --depth-per-pass 0.1 --tabs 3 \
             --tab-width 0.2 --tab-height 0.05 --safe-z 0.5 --spindle 3000 \
             --program-end --gcode sprocket.ngc
  Example: toothwright-cli --chain "ANSI 40" --teeth 18 --depth 0.25 \
             --feed 30 --tool-diameter 0.125 --plunge-feed 10 --ramp-angle 5 \
             --lead-in 0.1 --direction climb --preamble --gcode sprocket.nc

Mounting:
  --bore DIAMETER       bore through the centre, for the shaft
  --keyway-width LENGTH width of a keyway cut into the bore's edge on +Y; needs
                        --bore
  --keyway-depth LENGTH from the bore's edge to the keyway's far side
  --bolt-holes N        number of bolt holes, evenly spaced on the bolt circle
  --bolt-hole-diameter DIAMETER
                        diameter of each bolt hole
  --bolt-circle DIAMETER
                        diameter of the circle through the bolt holes' centres
  Example: toothwright-cli --chain "ANSI 40" --teeth 18 --bore 0.75 \
             --keyway-width 0.1875 --keyway-depth 0.0938 --bolt-holes 4 \
             --bolt-hole-diameter 0.257 --bolt-circle 1.75 --dxf sprocket.dxf

Solid (for --step, --stl and --3mf; lengths in the unit of --units):
  --thickness WIDTH     the tooth width, or ANSI for the chain standard's (a
                        standard chain only); every 3-D output needs it
  --tooth-chamfer       give each tooth's sides the standard's side profile:
                        a side radius of the pitch, narrowing the tips
  --hub-diameter DIAMETER
                        a plain hub on one side, bored through; with
                        --hub-length
  --hub-length LENGTH   how far the hub stands off the part's side
  --strands N           rows of teeth at the chain's transverse pitch, 1 to 8
  --mesh-tolerance LENGTH
                        the STL and 3MF mesh's chord tolerance (0.0004 in or
                        0.01 mm when left out)
  Example: toothwright-cli --chain "ANSI 40" --teeth 18 --thickness ANSI \
             --tooth-chamfer --bore 0.75 --step sprocket.step

Outputs (without one, only the two diameters are printed):
  --gcode FILE          the milling program: the holes, then the outline, each
                        one closed contour; lines end in CR LF
  --dxf FILE            the drawing of the outline and holes, made of arcs
                        (and the keyway's straight sides)
  --svg FILE            the part drawn to scale (outline and holes, true arcs),
                        sized in in or mm by --units, for a laser cutter or a
                        vector editor
  --dxf-units           the DXF states its unit (a HEADER with $INSUNITS), so
                        CAD programs import it at true size
  --dxf-polyline        the DXF draws each closed loop as one LWPOLYLINE with
                        bulges, in place of separate arcs and lines
  --step FILE           the part as a solid (STEP AP214), in the unit of --units
  --stl FILE            the part's mesh as binary STL, in millimetres whatever
                        --units says (what slicers assume)
  --3mf FILE            the same mesh as a 3MF package, its unit set
  --preview-svg FILE    the preview picture, the outline in red, as SVG
  --preview-ops FILE    the preview's drawing calls, one per line
  --toolpath-svg FILE   the program's toolpath over the part, to scale, as SVG:
                        the cutter's path (its deepest pass), rapid moves dashed,
                        each entry and tab marked
  --stats               print the cut length (every feed move, over all passes)
                        and the cut time at the feed rate after the diameters
  A FILE of - is standard output, and the diameters are then not printed. An
  existing file is replaced only once the new content is complete.
  Example: toothwright-cli --chain "ANSI 40" --teeth 18 --gcode sprocket.ngc \
             --dxf sprocket.dxf --svg sprocket.svg

Design files (the fields as typed, the units and the ticks, in JSON):
  --design FILE         read the fields from a design file, as written by
                        --save-design or the window's Save Design; options after
                        it override its fields, options before it are replaced
  --save-design FILE    write the fields in effect to a design file, along with
                        the other outputs
  Example: toothwright-cli --chain "ANSI 40" --teeth 18 --bore 0.75 \
             --save-design sprocket.toothwright
  Example: toothwright-cli --design sprocket.toothwright --teeth 20 \
             --gcode sprocket.ngc

  -h, --help            print this help and stop
  -V, --version         print the version and stop

Exit status: 0 done; 1 a value is not valid (the message names it, and nothing
is written); 2 the command line is wrong, or a design file cannot be read; 3 a
file could not be written.
)";

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
  bool stats = false;                         // print the cut length and time after the diameters
  bool any = false;                           // at least one option was given
  std::optional<std::string> design_to_read;  // a --design just given, read before the next option
};

struct UsageError {
  std::string message;
};

// One option: its long name, whether it takes a value, its one-letter form (0: none) and
// what it does with the value (null for an option without one).
struct OptionSpec {
  const char* name;
  bool takes_value;
  char letter;
  void (*apply)(Options& o, const char* value);
};

// Every option. Each value is kept as typed; the run reads and checks the field texts.
constexpr std::array kOptions = {
    // Chain.
    OptionSpec{"chain", true, 0, [](Options& o, const char* v) { o.chain = v; }},
    OptionSpec{"pitch", true, 0,
               [](Options& o, const char* v) {
                 o.fields.pitch = v;
                 o.pitch_given = true;
               }},
    OptionSpec{"roller", true, 0,
               [](Options& o, const char* v) {
                 o.fields.roller = v;
                 o.roller_given = true;
               }},
    OptionSpec{"teeth", true, 0, [](Options& o, const char* v) { o.fields.teeth = v; }},
    OptionSpec{"units", true, 0, [](Options& o, const char* v) { o.fields.units = v; }},
    OptionSpec{"list-chains", false, 0, [](Options& o, const char*) { o.list_chains = true; }},
    // Tooth form.
    OptionSpec{"seat-clearance", true, 0,
               [](Options& o, const char* v) { o.fields.seat_clearance = v; }},
    OptionSpec{"tip-diameter", true, 0,
               [](Options& o, const char* v) { o.fields.tip_diameter = v; }},
    // Machining.
    OptionSpec{"depth", true, 0, [](Options& o, const char* v) { o.fields.depth = v; }},
    OptionSpec{"feed", true, 0, [](Options& o, const char* v) { o.fields.feed = v; }},
    OptionSpec{"offset", false, 0, [](Options& o, const char*) { o.fields.offset = true; }},
    OptionSpec{"tool-diameter", true, 0,
               [](Options& o, const char* v) { o.fields.tool_diameter = v; }},
    OptionSpec{"depth-per-pass", true, 0,
               [](Options& o, const char* v) { o.fields.depth_per_pass = v; }},
    OptionSpec{"tabs", true, 0, [](Options& o, const char* v) { o.fields.tabs = v; }},
    OptionSpec{"tab-width", true, 0, [](Options& o, const char* v) { o.fields.tab_width = v; }},
    OptionSpec{"tab-height", true, 0, [](Options& o, const char* v) { o.fields.tab_height = v; }},
    OptionSpec{"safe-z", true, 0, [](Options& o, const char* v) { o.fields.safe_z = v; }},
    OptionSpec{"spindle", true, 0, [](Options& o, const char* v) { o.fields.spindle = v; }},
    OptionSpec{"program-end", false, 0,
               [](Options& o, const char*) { o.fields.program_end = true; }},
    OptionSpec{"plunge-feed", true, 0, [](Options& o, const char* v) { o.fields.plunge_feed = v; }},
    OptionSpec{"ramp-angle", true, 0, [](Options& o, const char* v) { o.fields.ramp_angle = v; }},
    OptionSpec{"lead-in", true, 0, [](Options& o, const char* v) { o.fields.lead_in = v; }},
    OptionSpec{"direction", true, 0, [](Options& o, const char* v) { o.fields.direction = v; }},
    OptionSpec{"preamble", false, 0, [](Options& o, const char*) { o.fields.preamble = true; }},
    // Mounting.
    OptionSpec{"bore", true, 0, [](Options& o, const char* v) { o.fields.bore = v; }},
    OptionSpec{"keyway-width", true, 0,
               [](Options& o, const char* v) { o.fields.keyway_width = v; }},
    OptionSpec{"keyway-depth", true, 0,
               [](Options& o, const char* v) { o.fields.keyway_depth = v; }},
    OptionSpec{"bolt-holes", true, 0, [](Options& o, const char* v) { o.fields.bolt_holes = v; }},
    OptionSpec{"bolt-hole-diameter", true, 0,
               [](Options& o, const char* v) { o.fields.bolt_hole_diameter = v; }},
    OptionSpec{"bolt-circle", true, 0, [](Options& o, const char* v) { o.fields.bolt_circle = v; }},
    // Solid.
    OptionSpec{"thickness", true, 0, [](Options& o, const char* v) { o.fields.thickness = v; }},
    OptionSpec{"tooth-chamfer", false, 0,
               [](Options& o, const char*) { o.fields.tooth_chamfer = true; }},
    OptionSpec{"hub-diameter", true, 0,
               [](Options& o, const char* v) { o.fields.hub_diameter = v; }},
    OptionSpec{"hub-length", true, 0, [](Options& o, const char* v) { o.fields.hub_length = v; }},
    OptionSpec{"strands", true, 0, [](Options& o, const char* v) { o.fields.strands = v; }},
    OptionSpec{"mesh-tolerance", true, 0,
               [](Options& o, const char* v) { o.fields.mesh_tolerance = v; }},
    // Outputs.
    OptionSpec{"gcode", true, 0, [](Options& o, const char* v) { o.outputs.gcode = v; }},
    OptionSpec{"dxf", true, 0, [](Options& o, const char* v) { o.outputs.dxf = v; }},
    OptionSpec{"svg", true, 0, [](Options& o, const char* v) { o.outputs.svg = v; }},
    OptionSpec{"dxf-units", false, 0, [](Options& o, const char*) { o.fields.dxf_units = true; }},
    OptionSpec{"dxf-polyline", false, 0,
               [](Options& o, const char*) { o.fields.dxf_polyline = true; }},
    OptionSpec{"step", true, 0, [](Options& o, const char* v) { o.outputs.step = v; }},
    OptionSpec{"stl", true, 0, [](Options& o, const char* v) { o.outputs.stl = v; }},
    OptionSpec{"3mf", true, 0, [](Options& o, const char* v) { o.outputs.three_mf = v; }},
    OptionSpec{"preview-svg", true, 0,
               [](Options& o, const char* v) { o.outputs.preview_svg = v; }},
    OptionSpec{"preview-ops", true, 0,
               [](Options& o, const char* v) { o.outputs.preview_ops = v; }},
    OptionSpec{"toolpath-svg", true, 0,
               [](Options& o, const char* v) { o.outputs.toolpath_svg = v; }},
    OptionSpec{"stats", false, 0, [](Options& o, const char*) { o.stats = true; }},
    // Design files.
    OptionSpec{"design", true, 0, [](Options& o, const char* v) { o.design_to_read = v; }},
    OptionSpec{"save-design", true, 0, [](Options& o, const char* v) { o.outputs.design = v; }},
    // Information.
    OptionSpec{"help", false, 'h', [](Options& o, const char*) { o.help = true; }},
    OptionSpec{"version", false, 'V', [](Options& o, const char*) { o.version = true; }},
};

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
  for (const OptionSpec& rule : kOptions) {
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
  return std::nullopt;
}

// Reads the options with getopt_long, in order; a later value replaces an earlier one.
// getopt_long keeps its state in globals; they are set here and read nowhere else.
std::variant<Options, UsageError> ReadOptions(const std::vector<std::string>& args) {
  // getopt_long takes a C argument vector headed by the program name. It may reorder the
  // pointers but never writes to the texts.
  std::vector<std::string> texts{std::string(kProgramName)};
  texts.insert(texts.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(texts.size());

  std::vector<option> longs;
  // "-": other arguments come back in order as code 1; ":": a missing value comes back as
  // ':' rather than '?'.
  std::string letters = "-:";
  for (size_t i = 0; i < kOptions.size(); ++i) {
    const OptionSpec& rule = kOptions[i];
    longs.push_back({rule.name, rule.takes_value ? required_argument : no_argument, nullptr,
                     kFirstLongCode + static_cast<int>(i)});
    if (rule.letter != 0) letters += rule.letter;
  }
  longs.push_back({});

  optind = 0;  // 0, not 1: glibc then forgets everything about an earlier parse
  opterr = 0;  // the messages go to the caller's stream, with the program's name
  Options o;
  int code = 0;
  while ((code = getopt_long(argc, argv.data(), letters.c_str(), longs.data(), nullptr)) != -1) {
    if (code == 1) return UsageError{UnexpectedArgumentMessage(optarg)};
    if (code == ':') return UsageError{"option '" + LongName(optopt) + "' requires an argument"};
    // After '?' for a long option, optind has already moved past the refused argument.
    if (code == '?') return UsageError{RefusedOptionMessage(optopt, argv[optind - 1])};
    for (size_t i = 0; i < kOptions.size(); ++i) {
      if (code == kFirstLongCode + static_cast<int>(i) || code == kOptions[i].letter) {
        kOptions[i].apply(o, optarg);
      }
    }
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
  o.fields.chain = row->name;
  return std::nullopt;
}

// The checks that concern the command line rather than a field's value.
std::optional<UsageError> CheckOptions(Options& o) {
  if (o.fields.units != "English" && o.fields.units != "Metric") {
    return UsageError{"--units must be English or Metric"};
  }
  // The feed and the spindle speed are copied into program lines; like the window's one-line
  // fields they cannot hold a line break, which would split the program's lines.
  if (o.fields.feed.find_first_of("\r\n") != std::string::npos) {
    return UsageError{"--feed must be one line"};
  }
  if (o.fields.spindle.find_first_of("\r\n") != std::string::npos) {
    return UsageError{"--spindle must be one line"};
  }
  if (o.fields.plunge_feed.find_first_of("\r\n") != std::string::npos) {
    return UsageError{"--plunge-feed must be one line"};
  }
  // Compensation by the controller on top of a path already offset by the tool's radius
  // would leave the part undersize by a whole radius.
  if (o.fields.offset && !IsBlank(o.fields.tool_diameter)) {
    return UsageError{
        "--offset cannot be combined with --tool-diameter: the program already follows "
        "the cutter's centre, and the controller must not offset it again"};
  }
  return ApplyChain(o);
}

void ListChains(const std::string& units, std::ostream& out) {
  for (const ChainSize& row : ChainSizeTable) {
    const LengthTexts texts = SetChainSize(row.pitch, row.roller, units);
    out << row.name << "\tpitch " << texts.pitch << "\troller " << texts.roller << '\n';
  }
}

bool AnyToStandardOutput(const OutputPaths& paths) {
  for (const auto* path :
       {&paths.gcode, &paths.dxf, &paths.svg, &paths.preview_svg, &paths.preview_ops, &paths.design,
        &paths.toolpath_svg, &paths.step, &paths.stl, &paths.three_mf}) {
    if (*path == kStandardOutput) return true;
  }
  return false;
}

// One output and its content.
struct Output {
  const std::optional<std::string>& path;
  std::string bytes;
};

std::string PreviewSvg(const RunResults& results) {
  SvgCanvas canvas;
  ReplayPreviewCalls(results.preview, canvas);
  return canvas.Document();
}

// The outputs that were asked for, in a fixed order, each as the bytes its file holds.
std::vector<Output> OutputsOf(const OutputPaths& paths, const RunResults& results,
                              const FieldTexts& fields, ModelFiles& models) {
  // "Save G-Code" and "Save DXF File" write the box's text and one more line break.
  constexpr std::string_view kSavedLineEnd = "\r\n";
  std::vector<Output> outputs;
  if (paths.gcode) outputs.push_back({paths.gcode, results.gcode + std::string(kSavedLineEnd)});
  if (paths.dxf) outputs.push_back({paths.dxf, results.dxf + std::string(kSavedLineEnd)});
  if (paths.svg) {
    outputs.push_back({paths.svg, WriteDrawingSvg(results.job)});
  }
  if (paths.preview_svg) outputs.push_back({paths.preview_svg, PreviewSvg(results)});
  if (paths.preview_ops) {
    outputs.push_back({paths.preview_ops, FormatPreviewCalls(results.preview)});
  }
  if (paths.toolpath_svg) {
    outputs.push_back({paths.toolpath_svg, WriteToolpathSvg(results.job)});
  }
  if (paths.step) outputs.push_back({paths.step, std::move(*models.step)});
  if (paths.stl) outputs.push_back({paths.stl, std::move(*models.stl)});
  if (paths.three_mf) outputs.push_back({paths.three_mf, std::move(*models.three_mf)});
  if (paths.design) outputs.push_back({paths.design, WriteDesignFile(fields)});
  return outputs;
}

// A message on standard error, headed by the program's name.
std::ostream& Complain(std::ostream& err) {
  return err << kProgramName << ": ";
}

// Writes every output; a failure is reported by name and does not stop the others.
int WriteOutputs(const std::vector<Output>& outputs, std::ostream& out, std::ostream& err) {
  int status = kExitOk;
  for (const Output& output : outputs) {
    const std::string& path = *output.path;
    if (path == kStandardOutput) {
      out.write(output.bytes.data(), static_cast<std::streamsize>(output.bytes.size()));
      if (!out.flush()) {
        Complain(err) << "cannot write to standard output\n";
        status = kExitWriteFailed;
      }
    } else if (const auto failure = WriteOutputFile(path, output.bytes)) {
      Complain(err) << "cannot write " << path << ": " << *failure << '\n';
      status = kExitWriteFailed;
    }
  }
  return status;
}

// A refused field: its message, then the reason on a line of its own.
int Refused(const FieldError& error, std::ostream& err) {
  Complain(err) << error.message << '\n';
  if (!error.reason.empty()) Complain(err) << error.reason << '\n';
  return kExitInvalidInput;
}

// The 3-D files the outputs ask for (none when they ask for no 3-D output), or the exit status
// once the reason they cannot be made is said.
std::variant<ModelFiles, int> MakeModels(const Job& job, const OutputPaths& outputs,
                                         std::ostream& err) {
  const ModelFormats formats{.step = outputs.step.has_value(),
                             .stl = outputs.stl.has_value(),
                             .three_mf = outputs.three_mf.has_value()};
  if (!formats.step && !formats.stl && !formats.three_mf) return ModelFiles{};
  auto written = WriteModels(job, formats);
  if (const auto* error = std::get_if<FieldError>(&written)) return Refused(*error, err);
  if (const auto* missing = std::get_if<ModelsUnavailable>(&written)) {
    Complain(err) << missing->message << '\n';
    return kExitWriteFailed;
  }
  return std::get<ModelFiles>(std::move(written));
}

int UsageFailure(const std::string& message, std::ostream& err) {
  Complain(err) << message << '\n';
  err << kTryHelp;
  return kExitUsage;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto read = ReadOptions(args);
  if (const auto* error = std::get_if<UsageError>(&read)) {
    return UsageFailure(error->message, err);
  }
  Options& o = std::get<Options>(read);
  if (!o.any) {
    err << kUsage << kTryHelp;
    return kExitUsage;
  }
  if (o.help) {
    out << kUsage << kHelp;
    return kExitOk;
  }
  if (o.version) {
    out << kVersion << '\n';
    return kExitOk;
  }
  if (const auto error = CheckOptions(o)) return UsageFailure(error->message, err);
  if (o.list_chains) {
    ListChains(o.fields.units, out);
    return kExitOk;
  }
  const auto run = Run(o.fields);
  if (const auto* error = std::get_if<FieldError>(&run)) {
    return Refused(*error, err);  // before any file is touched
  }
  const RunResults& results = std::get<RunResults>(run);
  // The solid is built only when a 3-D output is asked for, and before anything is written.
  auto models = MakeModels(results.job, o.outputs, err);
  if (const int* status = std::get_if<int>(&models)) return *status;
  if (!AnyToStandardOutput(o.outputs)) {
    // Flushed before any file is written, in case a file is standard output under another
    // name (/dev/stdout).
    out << "Pitch Diameter: " << results.job.sprocket.pitch_diameter_text << '\n'
        << "Outside Diameter: " << results.job.sprocket.outside_diameter_text << '\n';
    if (o.stats) {
      const CutStatistics cut = MeasureCut(results.job.moves);
      out << "Cut Length: " << FormatCutLength(cut.length, results.job.design.unit) << '\n'
          << "Cut Time: " << FormatCutTime(cut.minutes) << '\n';
    }
    out << std::flush;
  }
  return WriteOutputs(OutputsOf(o.outputs, results, o.fields, std::get<ModelFiles>(models)), out,
                      err);
}

}  // namespace toothwright
