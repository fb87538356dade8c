// The document is read with nlohmann-json into an ordered tree, then each key is looked up in
// the field tables: the tables are the schema, so a new field is one row there.
#include "design_file/design_file.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>

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

const TextField* TextFieldOf(std::string_view key) {
  for (const TextField& f : kTextFields) {
    if (key == f.key) return &f;
  }
  return nullptr;
}

const TickField* TickFieldOf(std::string_view key) {
  for (const TickField& t : kTickFields) {
    if (key == t.key) return &t;
  }
  return nullptr;
}

}  // namespace

std::string WriteDesignFile(const FieldTexts& fields) {
  Json doc;
  doc[kDesignVersionKey] = kDesignVersion;
  doc[kUnitsKey] = fields.units;
  doc[kChainKey] = fields.chain;
  for (const TextField& f : kTextFields) doc[f.key] = fields.*(f.text);
  for (const TickField& t : kTickFields) doc[t.key] = fields.*(t.ticked);
  // Texts that are not UTF-8 (a byte pasted from elsewhere) are written as U+FFFD rather than
  // refused, so that saving never fails for a design the window holds.
  return doc.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::variant<FieldTexts, DesignFileError> ReadDesignFile(std::string_view text,
                                                         std::string_view name) {
  if (text.size() > kLargestDesignFile) {
    return Refused(name, "too large for a design file (more than 1 MiB)");
  }
  Json doc;
  try {
    doc = Json::parse(text);
  } catch (const Json::parse_error& e) {
    return Refused(name, "not a design file: invalid JSON at line " +
                             std::to_string(LineOf(text, e.byte == 0 ? 0 : e.byte - 1)));
  } catch (const Json::exception&) {
    // A number beyond the double range, which no design holds.
    return Refused(name, "not a design file: a number out of range");
  }
  if (!doc.is_object()) return Refused(name, "not a design file: no JSON object");
  const auto version = doc.find(kDesignVersionKey);
  if (version == doc.end()) {
    return Refused(name, std::string("not a design file: no \"") + kDesignVersionKey + "\" key");
  }
  if (!version->is_number_integer() || version->get<long long>() < 1) {
    return Refused(name, std::string("\"") + kDesignVersionKey + "\" must be a version number");
  }
  if (version->get<long long>() > kDesignVersion) {
    return Refused(name, "made by a newer version of the program (design version " +
                             std::to_string(version->get<long long>()) + "; this one reads " +
                             std::to_string(kDesignVersion) + ")");
  }
  FieldTexts fields;
  for (const auto& [key, value] : doc.items()) {
    if (key == kDesignVersionKey) continue;
    const std::string quoted = "\"" + key + "\"";
    if (key == kUnitsKey) {
      if (!value.is_string() || (value != "English" && value != "Metric")) {
        return Refused(name, quoted + " must be \"English\" or \"Metric\"");
      }
      fields.units = value.get<std::string>();
    } else if (key == kChainKey) {
      if (!value.is_string()) return Refused(name, quoted + " must be a text, such as \"ANSI 40\"");
      fields.chain = value.get<std::string>();
    } else if (const TextField* f = TextFieldOf(key)) {
      if (!value.is_string()) return Refused(name, quoted + " must be a text, such as \"18\"");
      fields.*(f->text) = value.get<std::string>();
    } else if (const TickField* t = TickFieldOf(key)) {
      if (!value.is_boolean()) return Refused(name, quoted + " must be true or false");
      fields.*(t->ticked) = value.get<bool>();
    } else {
      return Refused(name, "unknown key " + quoted);
    }
  }
  return fields;
}

}  // namespace toothwright
