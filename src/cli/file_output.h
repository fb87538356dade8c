// Writing an output file so that a failure never leaves a damaged or half-written file behind.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace toothwright {

// Writes bytes as the whole content of the file at path. A regular file, or a path that does
// not exist yet, is written through a temporary file in the same folder that then replaces
// it, so that on any failure an existing file keeps its content; a replaced file keeps its
// permissions. A symbolic link stays a link: its target is replaced, or created when it does
// not exist yet (a dangling link). Anything else that exists at path (a device such as
// /dev/null or /dev/stdout, a pipe, a FIFO, a socket) is opened and written straight through,
// never replaced. Returns nullopt on success, otherwise the reason for the failure (a system
// error text).
std::optional<std::string> WriteOutputFile(const std::string& path, std::string_view bytes);

}  // namespace toothwright
