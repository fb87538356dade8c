// A design: the field texts read once, strictly and in the order of their messages, into the
// numbers every later stage works from. Nothing after the reader sees a field's text.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "geometry/path.h"
#include "numbers/units.h"
#include "sprocket/chain_sizes.h"
#include "sprocket/drive.h"
#include "sprocket/fields.h"
#include "sprocket/machining.h"
#include "sprocket/mounting.h"
#include "sprocket/run.h"
#include "sprocket/solid_fields.h"

namespace toothwright {

struct Design {
  ToothNumbers tooth;  // the chain and the tooth form
  LengthUnit unit = LengthUnit::Inch;
  std::string feed;            // written after F as typed; empty when the field is blank
  bool offset = false;         // G42 for the controller's cutter compensation
  MachiningOptions machining;  // the depth and the More panel's machining options
  Mounting mounting;           // bore, keyway and bolt circle; each unset when off
  SolidOptions solid;          // thickness (unset: no solid), hub, strands, mesh tolerance
  bool tooth_chamfer = false;  // the solid's teeth get the standard's side profile
  bool preamble = false;       // the program opens with a comment naming the part
  bool dxf_units = false;      // the DXF states its unit
  bool dxf_polyline = false;   // the DXF draws each loop as one closed polyline
  // The standard chain, when one was picked and pitch and roller still hold its sizes.
  std::optional<ChainSize> chain;
  std::optional<DriveNumbers> drive;  // a second sprocket on the chain; none without driven teeth
};

// What the checks built to measure the fields: the sprocket, when a machining option was
// judged on its outline, and the outline's cutter path, when a tool diameter was. A job takes
// them over instead of building them again.
struct DesignPaths {
  std::optional<SprocketRun> sprocket;
  std::optional<Path> outline_cutter_path;
  std::optional<std::vector<Path>> holes;  // built when a tool's fit was judged on them
  int outlines_built = 0;  // how many outlines the checks built, the sprocket's among them
  std::optional<SprocketRun> driven;  // the drive's driven sprocket, when its checks built it
};

struct ReadResult {
  Design design;
  DesignPaths paths;
};

// The fields read and checked in the order pitch, number of teeth, roller diameter, depth of
// cut, feed rate, seat clearance, tip diameter, the process (which refuses every option it does
// not take, RefuseForeignOptions, and a beam's missing feed), the machining options, the
// mounting fields (judged against the teeth), the solid's, the entry options, a beam's own
// (ReadBeam), then the drive's: the first failure, or the design with what its checks built.
// A beam's kerf stands for the tool diameter throughout. The tool diameter, the first machining
// option, is judged against everything it
// cuts round: the teeth's arcs and, once the mounting fields read, the holes' arcs and the
// keyway; a tool that does not fit them is refused on its own field before any machining or
// mounting field after it, its reason naming the largest that fits (LargestToolReason). Each
// reason names what to type where it names a limit. A 3-D output also needs a thickness, which
// the writer of the solid asks for.
std::variant<ReadResult, FieldError> ReadDesign(const FieldTexts& fields);

}  // namespace toothwright
