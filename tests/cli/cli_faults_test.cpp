// toothwright-cli against places it cannot write: a read-only folder and a full device. Each
// gives exit status 3 and the path with the system's reason on standard error; what is at the
// path stays as it was, with no temporary file left beside it, and the other outputs are
// still written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "read_only_folder.h"
#include "temp_dir.h"

namespace toothwright {
namespace {

// What is at a path: its type, its device numbers and its inode, to tell whether it was
// replaced.
struct Node {
  mode_t type = 0;
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const Node&) const = default;
};

Node NodeAt(const std::string& path) {
  struct stat s {};
  if (::lstat(path.c_str(), &s) != 0) return {};
  return {s.st_mode & S_IFMT, s.st_rdev, s.st_ino};
}

// The names in folder that the CLI's temporary files would have.
std::vector<std::string> Temporaries(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename();
    if (name.starts_with(".toothwright-")) names.push_back(name);
  }
  return names;
}

TEST(CliFaults, UnwritablePlacesExitThreeAndKeepWhatIsThere) {
  TempDir dir;
  const ReadOnlyFolder read_only(dir / "read-only");
  ASSERT_TRUE(read_only.usable()) << "no folder refuses new files to this process";
  struct Case {
    const char* name;
    std::string path;
    std::string reason;
    std::optional<std::string> content;  // what must still be in the file afterwards
  };
  const Case cases[] = {
      {"read-only folder", read_only.existing_file(), read_only.reason(), read_only.content()},
      {"full device", "/dev/full", "No space left on device", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Node node = NodeAt(c.path);
    const std::string folder = std::filesystem::path(c.path).parent_path();
    std::ostringstream out, err;
    const std::string drawing = dir / (std::string(c.name) + ".dxf");
    const int status = RunCli(
        {"--chain", "ANSI 40", "--teeth", "18", "--gcode", c.path, "--dxf", drawing}, out, err);
    EXPECT_EQ(status, kExitWriteFailed);
    EXPECT_EQ(err.str(), "toothwright-cli: cannot write " + c.path + ": " + c.reason + "\n");
    EXPECT_EQ(NodeAt(c.path), node);
    if (c.content) {
      EXPECT_EQ(ReadFile(c.path), *c.content);
    }
    EXPECT_EQ(Temporaries(folder), std::vector<std::string>{});
    EXPECT_TRUE(ReadFile(drawing).ends_with("EOF\r\n\r\n"));
  }
}

}  // namespace
}  // namespace toothwright
