// A ZIP archive rewritten in the plainest form, the one every reader takes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace toothwright {

// The entries of `archive` (a ZIP in any form) stored again into a fresh ZIP: the same names
// in the same order, each deflated, with no extra fields, ZIP64 records only where a size
// needs them (4 GiB and more), and every entry dated 1980-01-01 00:00, so that the same
// entries give the same bytes. Nothing when `archive` cannot be read or rewritten.
std::optional<std::string> PlainZip(std::string_view archive);

}  // namespace toothwright
