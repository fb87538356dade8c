// A process refuses every option it would ignore, so that no field typed for one machine is
// silently dropped from another's program.
#include "sprocket/process_fields.h"

#include <array>
#include <string>

#include "numbers/numbers.h"

namespace toothwright {
namespace {

constexpr std::array<const char*, 4> kProcessWords = {"mill", "laser", "plasma", "waterjet"};
// How the reasons name each process's machine.
constexpr std::array<const char*, 4> kMachines = {"A mill", "A laser", "A plasma torch",
                                                  "A waterjet"};
// The heights a torch's program writes without a safe Z: the mill's retract, "Z2.00".
constexpr double kTwoUnitsUp = 2;

// What a foreign option says of the machine, for the options that are not the machine's own.
enum class Why : unsigned char { NoDepth, Kerf, NoKerf, LaserOnly, NoPierce, NoHeight, Power };

struct ForeignRule {
  Field field;
  std::array<bool, 4> taken;  // by mill, laser, plasma, waterjet
  Why why;
};

constexpr ForeignRule kRules[] = {
    {Field::Depth, {true, false, false, false}, Why::NoDepth},
    {Field::ToolDiameter, {true, false, false, false}, Why::Kerf},
    {Field::DepthPerPass, {true, false, false, false}, Why::NoDepth},
    {Field::TabHeight, {true, false, false, false}, Why::NoDepth},
    {Field::SafeZ, {true, false, true, true}, Why::NoHeight},
    {Field::Spindle, {true, false, true, true}, Why::Power},
    {Field::PlungeFeed, {true, false, false, false}, Why::NoDepth},
    {Field::RampAngle, {true, false, false, false}, Why::NoDepth},
    {Field::Kerf, {false, true, true, true}, Why::NoKerf},
    {Field::Power, {false, true, false, false}, Why::LaserOnly},
    {Field::Passes, {false, true, false, false}, Why::LaserOnly},
    {Field::PierceDelay, {false, false, true, true}, Why::NoPierce},
    {Field::PierceHeight, {false, false, true, true}, Why::NoPierce},
    {Field::CutHeight, {false, false, true, true}, Why::NoPierce},
    {Field::Offset, {true, false, false, false}, Why::Kerf},
};

bool Given(const FieldTexts& fields, const OptionRow& row) {
  return row.text != nullptr ? !IsBlank(fields.*row.text) : fields.*row.ticked;
}

std::string ForeignReason(const OptionRow& row, Process process, Why why) {
  const std::string machine = MachineOf(process);
  const std::string leave = row.text != nullptr ? std::string(": leave ") + row.caption + " empty"
                                                : std::string(": untick ") + row.caption;
  switch (why) {
    case Why::NoDepth:
      return machine + " cuts without depth" + leave;
    case Why::Kerf:
      return machine + "'s cut is as wide as its kerf" + leave + ", and give the Kerf";
    case Why::NoKerf:
      return machine + " cuts as wide as its tool" + leave + ", and give the Tool Diameter";
    case Why::LaserOnly:
      return machine + " has no beam power or passes" + leave;
    case Why::NoPierce:
      return machine + " does not pierce" + leave;
    case Why::NoHeight:
      return machine + " program has no heights" + leave;
    case Why::Power:
      return machine + "'s S word is its power" + leave + ", and give the Power";
  }
  return {};
}

// A height the program writes: above 0 and without an exponent; blank is none.
std::variant<std::optional<double>, FieldError> ReadHeight(const FieldTexts& fields, Field field) {
  const std::string& text = fields.*FieldOf(field).text;
  if (IsBlank(text)) return std::nullopt;
  const std::optional<double> value = PlainHeight(text);
  if (!value) return Refuse(field, NumberReason(text));
  return value;
}

// The torch's heights: travel >= pierce >= cut, the pierce strictly below the travel height
// for plasma, whose torch comes down to it.
std::optional<FieldError> ReadHeights(const FieldTexts& fields, Process process,
                                      std::optional<double> safe_z, LengthUnit unit,
                                      BeamOptions& beam) {
  auto pierce = ReadHeight(fields, Field::PierceHeight);
  if (auto* error = std::get_if<FieldError>(&pierce)) return std::move(*error);
  beam.pierce_height = std::get<std::optional<double>>(pierce);
  const bool plasma = process == Process::Plasma;
  if (plasma && !beam.pierce_height) {
    return Refuse(Field::PierceHeight, "A plasma torch needs the height it pierces at");
  }
  beam.travel_height = safe_z;
  if (plasma && !safe_z) {
    beam.travel_height = kTwoUnitsUp;
    beam.travel_two_units = true;
  }
  if (beam.pierce_height && beam.travel_height) {
    const bool below = plasma ? *beam.pierce_height < *beam.travel_height
                              : *beam.pierce_height <= *beam.travel_height;
    if (!below) {
      return Refuse(Field::PierceHeight, "The torch pierces below the height it travels at (" +
                                             LengthText(*beam.travel_height, unit) +
                                             (safe_z ? ", the Safe Z" : ", without a Safe Z") +
                                             "): give a lower " +
                                             "Pierce Height or a higher Safe Z");
    }
  }
  auto cut = ReadHeight(fields, Field::CutHeight);
  if (auto* error = std::get_if<FieldError>(&cut)) return std::move(*error);
  beam.cut_height = std::get<std::optional<double>>(cut);
  if (plasma && !beam.cut_height) {
    return Refuse(Field::CutHeight, "A plasma torch needs the height it cuts at");
  }
  const std::optional<double> above = beam.pierce_height ? beam.pierce_height : beam.travel_height;
  if (beam.cut_height && above && !(*beam.cut_height <= *above)) {
    return Refuse(Field::CutHeight, std::string("The torch cuts at or below the height it ") +
                                        (beam.pierce_height ? "pierces" : "travels") + " at (" +
                                        LengthText(*above, unit) + ")");
  }
  // A waterjet without a safe Z travels at the highest height it was given.
  if (!beam.travel_height)
    beam.travel_height = beam.pierce_height ? beam.pierce_height : beam.cut_height;
  return std::nullopt;
}

}  // namespace

std::optional<Process> ReadProcess(std::string_view text) {
  const std::string word = TypedWord(text);
  if (word.empty()) return Process::Mill;
  for (size_t k = 0; k < kProcessWords.size(); ++k) {
    if (word == kProcessWords[k]) return static_cast<Process>(k);
  }
  return std::nullopt;
}

const char* ProcessWord(Process process) {
  return kProcessWords[static_cast<size_t>(process)];
}

const char* MachineOf(Process process) {
  return kMachines[static_cast<size_t>(process)];
}

std::optional<FieldError> RefuseForeignOptions(const FieldTexts& fields, Process process) {
  for (const ForeignRule& rule : kRules) {
    const OptionRow& row = FieldOf(rule.field);
    if (!rule.taken[static_cast<size_t>(process)] && Given(fields, row)) {
      // A tick has no message of its own: the process it does not fit is refused.
      return Refuse(row.text != nullptr ? rule.field : Field::Process,
                    ForeignReason(row, process, rule.why));
    }
  }
  return std::nullopt;
}

bool ProcessTakes(Process process, Field field) {
  for (const ForeignRule& rule : kRules) {
    if (rule.field == field) return rule.taken[static_cast<size_t>(process)];
  }
  return true;
}

std::variant<BeamOptions, FieldError> ReadBeam(const FieldTexts& fields, Process process,
                                               std::optional<double> safe_z, LengthUnit unit) {
  BeamOptions beam;
  if (process == Process::Laser) {
    if (IsBlank(fields.power)) {
      return Refuse(Field::Power, "A laser needs its power, written after M4 S");
    }
    if (!CopiedPlain(fields.power)) return Refuse(Field::Power, NumberReason(fields.power));
    beam.power = fields.power;
    if (!IsBlank(fields.passes)) {
      const std::optional<int> passes = ParseCount(fields.passes, 1, kMostBeamPasses);
      if (!passes) {
        return Refuse(Field::Passes, "From 1 to " + std::to_string(kMostBeamPasses) + " passes");
      }
      beam.passes = *passes;
    }
    return beam;
  }
  // Every start of a torch or a jet dwells while it pierces the plate.
  if (IsBlank(fields.pierce_delay)) {
    return Refuse(Field::PierceDelay, std::string(MachineOf(process)) +
                                          " needs the seconds it dwells to pierce the plate");
  }
  if (!CopiedPlain(fields.pierce_delay)) {
    return Refuse(Field::PierceDelay, NumberReason(fields.pierce_delay));
  }
  beam.pierce_delay = fields.pierce_delay;
  beam.delay_seconds = ParseReal(fields.pierce_delay).value_or(0);
  if (auto error = ReadHeights(fields, process, safe_z, unit, beam)) return std::move(*error);
  return beam;
}

}  // namespace toothwright
