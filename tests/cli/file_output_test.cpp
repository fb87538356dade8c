// Output files: regular files replaced only once complete, links kept, devices and FIFOs
// written straight through, and failures reported with the file left as it was.
#include "cli/file_output.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <future>
#include <string>

#include "temp_dir.h"

namespace toothwright {
namespace {

mode_t ModeOf(const std::string& path) {
  struct stat s {};
  EXPECT_EQ(::lstat(path.c_str(), &s), 0) << path;
  return s.st_mode;
}

TEST(WriteOutputFile, NewAndExistingRegularFiles) {
  TempDir dir;
  const std::string path = dir / "out.cam";
  EXPECT_EQ(WriteOutputFile(path, "G20\r\n"), std::nullopt);
  EXPECT_EQ(ReadFile(path), "G20\r\n");
  // A new file gets the permissions any program's new file gets, not a private temporary's.
  const std::string plain = dir / "plain";
  ::close(::open(plain.c_str(), O_WRONLY | O_CREAT, 0666));
  EXPECT_EQ(ModeOf(path) & 07777, ModeOf(plain) & 07777);

  ::chmod(path.c_str(), 0640);
  EXPECT_EQ(WriteOutputFile(path, "shorter"), std::nullopt);
  EXPECT_EQ(ReadFile(path), "shorter");
  EXPECT_EQ(ModeOf(path) & 07777, 0640u);
  EXPECT_EQ(WriteOutputFile(path, ""), std::nullopt);
  EXPECT_EQ(ReadFile(path), "");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"out.cam", "plain"}));  // no temporaries
}

// A symbolic link stays a link, whether its target exists or not yet (then it is created).
TEST(WriteOutputFile, LinksStayLinks) {
  struct Case {
    const char* name;
    const char* old_content;   // of target.dxf, or nullptr when the link dangles
    bool absolute;             // the link names its target by absolute path
    bool through_second_link;  // link.dxf -> middle.dxf -> target.dxf
  };
  const Case cases[] = {
      {"link to a regular file", "old", false, false},
      {"dangling link", nullptr, false, false},
      {"dangling absolute link", nullptr, true, false},
      {"dangling link through a second link", nullptr, false, true},
      {"link to a file through a second link", "old", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    if (c.old_content) MakeFile(dir / "target.dxf", c.old_content);
    const std::string target = c.absolute ? dir / "target.dxf" : "target.dxf";
    std::vector<std::string> names{"link.dxf", "target.dxf"};
    if (c.through_second_link) {
      ASSERT_EQ(::symlink(target.c_str(), (dir / "middle.dxf").c_str()), 0);
      ASSERT_EQ(::symlink("middle.dxf", (dir / "link.dxf").c_str()), 0);
      names.insert(names.begin() + 1, "middle.dxf");
    } else {
      ASSERT_EQ(::symlink(target.c_str(), (dir / "link.dxf").c_str()), 0);
    }
    EXPECT_EQ(WriteOutputFile(dir / "link.dxf", "new"), std::nullopt);
    EXPECT_TRUE(S_ISLNK(ModeOf(dir / "link.dxf")));
    EXPECT_EQ(ReadFile(dir / "target.dxf"), "new");
    EXPECT_EQ(dir.Names(), names);  // no temporaries
  }
}

TEST(WriteOutputFile, DevicesAndFifosAreWrittenStraightThrough) {
  EXPECT_EQ(WriteOutputFile("/dev/null", "anything"), std::nullopt);
  EXPECT_TRUE(S_ISCHR(ModeOf("/dev/null")));

  TempDir dir;
  const std::string fifo = dir / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto reader = std::async(std::launch::async, [&] { return ReadFile(fifo); });
  EXPECT_EQ(WriteOutputFile(fifo, "through the pipe"), std::nullopt);
  EXPECT_EQ(reader.get(), "through the pipe");
  EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
}

TEST(WriteOutputFile, FailuresAreReported) {
  TempDir dir;
  MakeFile(dir / "file", "x");
  ::symlink("missing/out.cam", (dir / "into-missing").c_str());
  ::symlink("loop", (dir / "loop").c_str());
  struct Case {
    const char* name;
    std::string path;
    const char* reason;
  };
  const Case cases[] = {
      {"missing folder", dir / "missing/out.cam", "No such file or directory"},
      {"a folder", dir / "", "Is a directory"},
      {"below a file", dir / "file/out.cam", "Not a directory"},
      {"a full device", "/dev/full", "No space left on device"},
      {"no name", "", "No such file or directory"},
      {"dangling link into a missing folder", dir / "into-missing", "No such file or directory"},
      {"link to itself", dir / "loop", "Too many levels of symbolic links"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(WriteOutputFile(c.path, "G20\r\n"), c.reason);
  }
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"file", "into-missing", "loop"}));
  EXPECT_EQ(ReadFile(dir / "file"), "x");
}

// A write that fails half way (here: the file size limit) leaves the old file as it was and
// no temporary file behind. Run in a child process, which alone gets the limit.
TEST(WriteOutputFile, ExistingFileKeptWhenTheWriteFails) {
  TempDir dir;
  const std::string path = dir / "drawing.dxf";
  MakeFile(path, "the previous drawing");
  constexpr rlim_t kSizeLimit = 64;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit limit{kSizeLimit, kSizeLimit};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_IGN);  // report EFBIG instead of ending the process
    const auto failure = WriteOutputFile(path, std::string(1000, 'x'));
    ::_exit(failure == "File too large" ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFile(path), "the previous drawing");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"drawing.dxf"});
}

}  // namespace
}  // namespace toothwright
