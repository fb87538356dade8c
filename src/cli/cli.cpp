// Argument handling and output of toothwright-cli.
#include "cli/cli.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string_view>
#include <variant>

#include "cli/cli_options.h"
#include "cli/file_output.h"
#include "cli/model_stages.h"
#include "design_file/design_file.h"
#include "numbers/numbers.h"
#include "output/cut_path.h"
#include "output/drive_drawing.h"
#include "run/run.h"
#include "solid/job_model.h"
#include "sprocket/chain_sizes.h"
#include "sprocket/fields.h"

namespace toothwright {
namespace {

constexpr const char* kVersion = "toothwright-cli 2.0";

constexpr const char* kUsage =
    "Usage: toothwright-cli --teeth N --chain NAME [OPTION]...\n"
    "       toothwright-cli --teeth N --pitch P --roller D [OPTION]...\n"
    "       toothwright-cli --list-chains [--units UNIT]\n"
    "       toothwright-cli --help | --version\n";

constexpr const char* kTryHelp = "Try 'toothwright-cli --help' for more information.\n";

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
  const LengthTexts texts = SetChainSize(row->pitch, row->roller, UnitOf(o.fields.units));
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

void ListChains(LengthUnit unit, std::ostream& out) {
  for (const ChainSize& row : ChainSizeTable) {
    const LengthTexts texts = SetChainSize(row.pitch, row.roller, unit);
    out << row.name << "\tpitch " << texts.pitch << "\troller " << texts.roller << '\n';
  }
}

bool AnyToStandardOutput(const OutputPaths& paths) {
  for (const auto* path :
       {&paths.gcode, &paths.dxf, &paths.svg, &paths.preview_svg, &paths.preview_ops, &paths.design,
        &paths.toolpath_svg, &paths.step, &paths.stl, &paths.three_mf, &paths.cut_path_dxf,
        &paths.cut_path_svg, &paths.drive_svg, &paths.drive_dxf, &paths.drive_step}) {
    if (*path == kStandardOutput) return true;
  }
  return false;
}

// One output and its content.
struct Output {
  const std::optional<std::string>& path;
  std::string bytes;
};

// The costly products of a run that the outputs ask for.
RunProducts ProductsFor(const OutputPaths& paths, bool stats) {
  return {.drawing_svg = paths.svg.has_value(),
          .preview_svg = paths.preview_svg.has_value(),
          .preview_ops = paths.preview_ops.has_value(),
          .toolpath = false,
          .toolpath_svg = paths.toolpath_svg.has_value(),
          .figures = stats};
}

// The outputs that were asked for, in a fixed order, each as the bytes its file holds.
std::vector<Output> OutputsOf(const OutputPaths& paths, RunResults& results,
                              const FieldTexts& fields, ModelFiles& models) {
  // "Save G-Code" and "Save DXF File" write the box's text and one more line break.
  constexpr std::string_view kSavedLineEnd = "\r\n";
  std::vector<Output> outputs;
  if (paths.gcode) outputs.push_back({paths.gcode, results.gcode + std::string(kSavedLineEnd)});
  if (paths.dxf) outputs.push_back({paths.dxf, results.dxf + std::string(kSavedLineEnd)});
  if (paths.svg) outputs.push_back({paths.svg, std::move(results.drawing_svg)});
  if (paths.cut_path_dxf) outputs.push_back({paths.cut_path_dxf, WriteCutPathDxf(results.job)});
  if (paths.cut_path_svg) outputs.push_back({paths.cut_path_svg, WriteCutPathSvg(results.job)});
  if (paths.preview_svg) outputs.push_back({paths.preview_svg, std::move(results.preview_svg)});
  if (paths.preview_ops) outputs.push_back({paths.preview_ops, std::move(results.preview_ops)});
  if (paths.toolpath_svg) {
    outputs.push_back({paths.toolpath_svg, std::move(results.toolpath_svg)});
  }
  if (paths.step) outputs.push_back({paths.step, std::move(*models.step)});
  if (paths.stl) outputs.push_back({paths.stl, std::move(*models.stl)});
  if (paths.three_mf) outputs.push_back({paths.three_mf, std::move(*models.three_mf)});
  if (paths.drive_svg) outputs.push_back({paths.drive_svg, WriteDriveSvg(results.job)});
  if (paths.drive_dxf) outputs.push_back({paths.drive_dxf, WriteDriveDxf(results.job)});
  if (paths.drive_step) outputs.push_back({paths.drive_step, std::move(*models.drive_step)});
  if (paths.design) outputs.push_back({paths.design, WriteDesignFile(fields)});
  return outputs;
}

// A message on standard error, headed by the program's name.
std::ostream& Complain(std::ostream& err) {
  return err << kCommandName << ": ";
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

// The name a build's stage shows for the file at path: its file name, or "standard output".
std::string StageFileName(const std::optional<std::string>& path) {
  if (!path) return {};
  if (*path == kStandardOutput) return "standard output";
  return std::filesystem::path(*path).filename().string();
}

// The 3-D files the outputs ask for (none when they ask for no 3-D output), or the exit status
// once the reason they cannot be made is said. With stages_on_err, a long build names its
// stages on err as it goes.
std::variant<ModelFiles, int> MakeModels(const Job& job, const OutputPaths& outputs,
                                         std::ostream& err, bool stages_on_err) {
  const ModelFormats formats{.step = outputs.step.has_value(),
                             .stl = outputs.stl.has_value(),
                             .three_mf = outputs.three_mf.has_value(),
                             .drive_step = outputs.drive_step.has_value()};
  if (!formats.step && !formats.stl && !formats.three_mf && !formats.drive_step) {
    return ModelFiles{};
  }
  std::optional<TerminalStages> stages;
  if (stages_on_err) {
    stages.emplace(err, StageFileNames{.step = StageFileName(outputs.step),
                                       .stl = StageFileName(outputs.stl),
                                       .three_mf = StageFileName(outputs.three_mf),
                                       .drive_step = StageFileName(outputs.drive_step)});
  }
  // The stages are only named: nothing stops the command's build.
  auto written = WriteModels(job, formats, stages ? &*stages : nullptr);
  stages.reset();
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

// What the command answers without a run: the usage without options, the help, the version, a
// command line refused, the chain list; nullopt when there is a run to make.
std::optional<int> AnswerWithoutRun(Options& o, std::ostream& out, std::ostream& err) {
  if (!o.any) {
    err << kUsage << kTryHelp;
    return kExitUsage;
  }
  if (o.help) {
    out << kUsage << HelpText();
    return kExitOk;
  }
  if (o.version) {
    out << kVersion << '\n';
    return kExitOk;
  }
  if (const auto error = CheckOptions(o)) return UsageFailure(error->message, err);
  if (o.list_chains) {
    ListChains(UnitOf(o.fields.units), out);
    return kExitOk;
  }
  // What the command cannot run without, unless a design file gave every field; a value given
  // but not valid is the run's to refuse.
  if (!o.design_given && !o.teeth_given) return UsageFailure("--teeth is required", err);
  if (!o.design_given && !o.chain && !(o.pitch_given && o.roller_given)) {
    return UsageFailure("a chain is required: --chain, or --pitch and --roller", err);
  }
  return std::nullopt;
}

// The drive's outputs need a drive; a drive's notes go to err. nullopt when the run goes on.
std::optional<int> CheckDrive(const Options& o, const Job& job, std::ostream& err) {
  const OutputPaths& p = o.outputs;
  if (!job.design.drive) {
    if (!o.drive_stats && !p.drive_svg && !p.drive_dxf && !p.drive_step) return std::nullopt;
    return Refused(Refuse(Field::DrivenTeeth,
                          "The drive's figures and outputs need driven teeth, and a centre "
                          "distance or a number of links"),
                   err);
  }
  for (const std::string& note : DriveNotes(job.design, *job.design.drive)) {
    Complain(err) << "Note: " << note << '\n';
  }
  return std::nullopt;
}

// Builds the solid when asked to, prints the diameters and the figures and writes every output
// of the run.
int WriteResults(const Options& o, RunResults& results, std::ostream& out, std::ostream& err,
                 bool stages_on_err) {
  if (const std::optional<int> status = CheckDrive(o, results.job, err)) return *status;
  // The solid is built only when a 3-D output is asked for, and before anything is written.
  auto models = MakeModels(results.job, o.outputs, err, stages_on_err);
  if (const int* status = std::get_if<int>(&models)) return *status;
  if (!AnyToStandardOutput(o.outputs)) {
    // Flushed before any file is written, in case a file is standard output under another
    // name (/dev/stdout).
    out << "Pitch Diameter: " << results.job.sprocket.pitch_diameter_text << '\n'
        << "Outside Diameter: " << results.job.sprocket.outside_diameter_text << '\n';
    if (o.stats) {
      out << "Cut Length: " << results.cut_length << '\n'
          << "Cut Time: " << results.cut_time << '\n';
    }
    if (o.drive_stats) {
      const Job& job = results.job;
      for (const std::string& line :
           DriveFigureLines(job.design, *job.design.drive, job.drive->slack)) {
        out << line << '\n';
      }
    }
    out << std::flush;
  }
  return WriteOutputs(OutputsOf(o.outputs, results, o.fields, std::get<ModelFiles>(models)), out,
                      err);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool err_is_terminal) {
  auto read = ReadOptions(args);
  if (const auto* error = std::get_if<UsageError>(&read)) {
    return UsageFailure(error->message, err);
  }
  Options& o = std::get<Options>(read);
  if (const std::optional<int> status = AnswerWithoutRun(o, out, err)) return *status;
  auto run = RunDesign(o.fields, ProductsFor(o.outputs, o.stats));
  if (const auto* error = std::get_if<FieldError>(&run)) {
    return Refused(*error, err);  // before any file is touched
  }
  // A cut path is the part's own drawing offset by a width; without one there is nothing to
  // draw that the part's drawings do not.
  if ((o.outputs.cut_path_dxf || o.outputs.cut_path_svg) &&
      !HasCutPath(std::get<RunResults>(run).job)) {
    return UsageFailure(std::string("--cut-path-") + (o.outputs.cut_path_dxf ? "dxf" : "svg") +
                            " needs --kerf or --tool-diameter",
                        err);
  }
  return WriteResults(o, std::get<RunResults>(run), out, err, err_is_terminal);
}

}  // namespace toothwright
