// Fuzzes toothwright-cli's argument handling with arbitrary argument vectors (NUL-separated):
// the exit status is always 0, 1, 2 or 3 and nothing crashes. File arguments are mapped onto
// a few safe places (standard output, /dev/null, /dev/full, a scratch folder, a missing
// folder) so that fuzzing never writes anywhere else.
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli.h"
#include "fuzz_input.h"

namespace {

enum class FileUse { None, Output, Input };

// Whether arg could name a file option: "--" and the beginning of a file option's name, the
// way getopt_long accepts it, with or without "=FILE". Mapping more arguments than getopt
// takes as file options only changes values that are then refused or ignored. The design
// file is read; every other file option is written.
FileUse TakesFile(const std::string& arg) {
  if (!arg.starts_with("--")) return FileUse::None;
  const std::string name = arg.substr(0, arg.find('='));
  for (const std::string option :
       {"--gcode", "--dxf", "--svg", "--preview-svg", "--preview-ops", "--save-design"}) {
    if (option.starts_with(name)) return FileUse::Output;
  }
  return std::string("--design").starts_with(name) ? FileUse::Input : FileUse::None;
}

// A scratch folder for this fuzzing process, removed when it exits.
struct ScratchFolder {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("toothwright-fuzz-" + std::to_string(getpid()));
  ScratchFolder() { std::filesystem::create_directories(path); }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

// A place to read or write; standard input is never read, since it may wait for a terminal.
std::string SafePath(const std::string& wanted, FileUse use) {
  static const ScratchFolder folder;
  const std::filesystem::path& scratch = folder.path;
  const std::array<std::string, 6> places = {"-",
                                             "/dev/null",
                                             "/dev/full",
                                             (scratch / "out").string(),
                                             (scratch / "missing" / "out").string(),
                                             scratch.string()};
  size_t pick = 0;
  for (unsigned char c : wanted) pick = pick * 31 + c;
  if (use == FileUse::Input) return places[1 + pick % (places.size() - 1)];
  return places[pick % places.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args = SplitAtNul(data, size);
  for (size_t i = 0; i < args.size(); ++i) {
    const FileUse use = TakesFile(args[i]);
    if (use == FileUse::None) continue;
    if (const size_t eq = args[i].find('='); eq != std::string::npos) {
      args[i] = args[i].substr(0, eq + 1) + SafePath(args[i].substr(eq + 1), use);
    } else if (i + 1 < args.size()) {
      args[i + 1] = SafePath(args[i + 1], use);
      ++i;
    }
  }
  std::ostringstream out, err;
  const int status = toothwright::RunCli(args, out, err);
  if (status < 0 || status > 3) std::abort();
  return 0;
}
