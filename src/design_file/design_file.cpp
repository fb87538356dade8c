// The document is read with nlohmann-json into an ordered tree, then each key is looked up in
// the option table: the table is the schema, so a new field is one row there.
#include "design_file/design_file.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "numbers/numbers.h"

namespace toothwright {
namespace {

using Json = nlohmann::ordered_json;

DesignFileError Refused(std::string_view name, const std::string& what) {
  std::string message(name);
  message += ": ";
  message += what;
  return {message};
}

// The line (from 1) of a byte offset into text.
size_t LineOf(std::string_view text, size_t offset) {
  offset = std::min(offset, text.size());
  return 1 + static_cast<size_t>(
                 std::count(text.begin(), text.begin() + static_cast<long>(offset), '\n'));
}

// The document parsed, or why it is not one.
std::variant<Json, std::string> ParseDocument(std::string_view text) {
  try {
    return Json::parse(text);
  } catch (const Json::parse_error& e) {
    return "not a design file: invalid JSON at line " +
           std::to_string(LineOf(text, e.byte == 0 ? 0 : e.byte - 1));
  } catch (const Json::exception&) {
    // A number beyond the double range, which no design holds.
    return std::string("not a design file: a number out of range");
  }
}

// Why doc is not a design file this program reads, or nullopt when it is one.
std::optional<std::string> VersionFault(const Json& doc) {
  if (!doc.is_object()) return "not a design file: no JSON object";
  const auto version = doc.find(kDesignVersionKey);
  if (version == doc.end()) {
    return std::string("not a design file: no \"") + kDesignVersionKey + "\" key";
  }
  if (!version->is_number_integer() || version->get<long long>() < 1) {
    return std::string("\"") + kDesignVersionKey + "\" must be a version number";
  }
  if (version->get<long long>() > kDesignVersion) {
    return "made by a newer version of the program (design version " +
           std::to_string(version->get<long long>()) + "; this one reads " +
           std::to_string(kDesignVersion) + ")";
  }
  return std::nullopt;
}

// Sets the field of fields that key names to value; why not, when value does not fit the key
// or no field has that key.
std::optional<std::string> ReadEntry(const std::string& key, const Json& value,
                                     FieldTexts& fields) {
  const std::string quoted = "\"" + key + "\"";
  if (key == kUnitsKey) {
    if (!value.is_string() || (value != "English" && value != "Metric")) {
      return quoted + " must be \"English\" or \"Metric\"";
    }
    fields.units = value.get<std::string>();
  } else if (key == kChainKey) {
    if (!value.is_string()) return quoted + " must be a text, such as \"ANSI 40\"";
    fields.chain = value.get<std::string>();
  } else if (const OptionRow* row = FindOption(key); row == nullptr) {
    return "unknown key " + quoted;
  } else if (row->text != nullptr) {
    if (!value.is_string()) return quoted + " must be a text, such as \"18\"";
    fields.*(row->text) = value.get<std::string>();
  } else {
    if (!value.is_boolean()) return quoted + " must be true or false";
    fields.*(row->ticked) = value.get<bool>();
  }
  return std::nullopt;
}

}  // namespace

std::string WriteDesignFile(const FieldTexts& fields) {
  Json doc;
  doc[kDesignVersionKey] = kDesignVersion;
  doc[kUnitsKey] = fields.units;
  doc[kChainKey] = fields.chain;
  for (const OptionRow& row : kOptionRows) {
    if (row.text != nullptr) {
      if (!row.saved_blank && (fields.*(row.text)).empty()) continue;
      doc[row.key] = fields.*(row.text);
    } else {
      doc[row.key] = fields.*(row.ticked);
    }
  }
  // Texts that are not UTF-8 (a byte pasted from elsewhere) are written as U+FFFD rather than
  // refused, so that saving never fails for a design the window holds.
  return doc.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::variant<FieldTexts, DesignFileError> ReadDesignFile(std::string_view text,
                                                         std::string_view name) {
  if (text.size() > kLargestDesignFile) {
    return Refused(name, "too large for a design file (more than 1 MiB)");
  }
  auto parsed = ParseDocument(text);
  if (const auto* fault = std::get_if<std::string>(&parsed)) return Refused(name, *fault);
  const Json& doc = std::get<Json>(parsed);
  if (auto fault = VersionFault(doc)) return Refused(name, *fault);
  FieldTexts fields;
  for (const auto& [key, value] : doc.items()) {
    if (key == kDesignVersionKey) continue;
    if (auto fault = ReadEntry(key, value, fields)) return Refused(name, *fault);
  }
  return fields;
}

}  // namespace toothwright
