// toothwright-cli: the run without a window. The field texts come from options, exactly as a
// user would type them; the results go to standard output or to files.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace toothwright {

// Exit statuses of the command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitInvalidInput = 1;  // a field failed its check; nothing written
inline constexpr int kExitUsage = 2;         // the command line itself is wrong
inline constexpr int kExitWriteFailed = 3;   // an output file could not be written

// Runs the command with args (without the program name); returns the exit status. When
// err_is_terminal, a 3-D build that runs longer than a second names its stages on err.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool err_is_terminal = false);

}  // namespace toothwright
