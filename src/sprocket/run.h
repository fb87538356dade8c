// The sprocket part of a run: the field texts in, either the one validation message or the
// pitch diameter text, the derived dimensions, the tooth profile and the outside diameter
// text out. No window is involved; the window and the CLI place the results.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "sprocket/tooth_profile.h"

namespace toothwright {

// The texts of the window's fields as a run reads them.
struct FieldTexts {
  std::string pitch;              // txtPitch, current length unit
  std::string teeth;              // txtNumberofTeeth
  std::string roller;             // txtRollerDiameter, current length unit
  std::string units = "English";  // ComboUnits: "English" (inches), anything else millimetres
  std::string depth;              // txtCutDepth
  std::string feed;               // txtFeedRate
  bool offset = false;            // Check1 ticked: "Include Tool Offset Right Code"
};

inline constexpr const char* kPitchMessage = "Not a valid value for pitch";
inline constexpr const char* kTeethMessage = "Not a valid value for number of teeth";
inline constexpr const char* kRollerMessage = "Not a valid value for roller diameter";
inline constexpr const char* kDepthMessage = "Not a valid value for depth of cut";

// The largest tooth count a run accepts.
inline constexpr int kMaxTeeth = 10000;

struct ValidationMessage {
  std::string text;  // one of the k*Message texts
  bool operator==(const ValidationMessage&) const = default;
};

// The checks a run makes before it changes anything, in the order pitch, number of teeth,
// roller diameter, depth of cut; returns the first failure's message, or nullopt.
std::optional<ValidationMessage> CheckFields(const FieldTexts& fields);

// What the sprocket part of a successful run yields.
struct SprocketRun {
  std::string pitch_diameter_text;  // for txtPitchDiameter
  double ToothAngle = 0;            // degrees
  double RollerRadius = 0;
  double FlankRadius = 0;
  double T = 0;  // the real tooth count; bounds the tooth loops
  int N = 0;     // the whole tooth count: top array index and the closing tooth
  ToothProfile profile;
  std::string outside_diameter_text;  // for txtOutsideDiameter
};

// Checks the fields and, when they pass, computes the sprocket.
std::variant<SprocketRun, ValidationMessage> RunSprocket(const FieldTexts& fields);

}  // namespace toothwright
