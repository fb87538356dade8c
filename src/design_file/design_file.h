// Design files: the field texts exactly as typed, the units and the ticks, as a small
// versioned JSON document, so that a design can be saved and come back byte for byte. The
// keys are the CLI's long option names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "sprocket/fields.h"

namespace toothwright {

// The file name extension of design files, with its dot.
inline constexpr const char* kDesignExtension = ".toothwright";
// The key that marks a design file and holds its version.
inline constexpr const char* kDesignVersionKey = "toothwright-design";
// The version this program writes; it reads this one and every earlier one.
inline constexpr int kDesignVersion = 1;
// A design file is a few hundred bytes; anything beyond this is not one.
inline constexpr size_t kLargestDesignFile = 1024 * 1024;

// The document for fields: the version key first, then "units" and "chain", every text field under
// its key in check order (a drive's only when not blank) and every tick as true or false;
// two-space indents, a final line feed.
std::string WriteDesignFile(const FieldTexts& fields);

// A file that was refused: the message names the file and the key or the line at fault.
struct DesignFileError {
  std::string message;
};

// The fields a document holds; keys left out keep their empty or unticked start. name is the
// file's name as the messages show it. Refused: text over kLargestDesignFile bytes, text that
// is not JSON or not an object, a missing or newer version, an unknown key, a field that is
// not a text (a number where "18" is meant), a tick that is not true or false, units other
// than English and Metric.
std::variant<FieldTexts, DesignFileError> ReadDesignFile(std::string_view text,
                                                         std::string_view name);

}  // namespace toothwright
