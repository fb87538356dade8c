// Fuzzes the design file reader with arbitrary bytes: it never crashes, and a file it accepts
// is written back as a document that reads to the same fields.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "design_file/design_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = toothwright::ReadDesignFile(text, "fuzz");
  const auto* fields = std::get_if<toothwright::FieldTexts>(&read);
  if (fields == nullptr) return 0;
  const auto again = toothwright::ReadDesignFile(toothwright::WriteDesignFile(*fields), "fuzz");
  const auto* same = std::get_if<toothwright::FieldTexts>(&again);
  if (same == nullptr || !(*same == *fields)) std::abort();
  return 0;
}
