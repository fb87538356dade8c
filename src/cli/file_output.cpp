// Output files through POSIX calls: the file type decides between replacing the file through
// a temporary file and a rename (atomic within one folder), and writing straight through.
#include "cli/file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <system_error>
#include <utility>
#include <variant>

namespace toothwright {
namespace {

// How many temporary names are tried before giving up when each one is taken.
constexpr int kTemporaryNameAttempts = 100;
// Permissions of a new file, before the umask.
constexpr mode_t kNewFileMode = 0666;
// The permission bits of a mode, copied from a file that is replaced.
constexpr mode_t kPermissionBits = 07777;
// How many symbolic links in a row are followed before the path counts as a loop (the limit
// Linux itself applies).
constexpr int kLinkHops = 40;

std::string ErrorText(int error) {
  return std::generic_category().message(error);
}

// Owns an open file descriptor; Close() reports what closing found.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
  // Closes the descriptor; returns 0, or the error number of a failed close (data that the
  // system could not write out yet can fail here).
  int Close() { return ::close(std::exchange(fd_, -1)) == 0 ? 0 : errno; }

 private:
  int fd_;
};

// A temporary file that is removed again unless Keep() is called.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!kept_) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& path() const { return path_; }
  void Keep() { kept_ = true; }

 private:
  std::string path_;
  bool kept_ = false;
};

// Writes all of bytes, resuming after partial writes and interruptions; 0 or an error number.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return EIO;  // no progress: give up rather than spin
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

std::optional<std::string> WriteStraightThrough(const std::string& path, std::string_view bytes) {
  Descriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) return ErrorText(errno);
  if (const int error = WriteAll(fd.get(), bytes)) return ErrorText(error);
  if (const int error = fd.Close()) return ErrorText(error);
  return std::nullopt;
}

// The folder a path names its file in.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Writes bytes into a new temporary file beside target and renames it over target. mode: the
// permissions to give the file, or nullopt for a new file's (0666 less the umask).
std::optional<std::string> ReplaceThroughTemporary(const std::string& target,
                                                   std::optional<mode_t> mode,
                                                   std::string_view bytes) {
  const std::string stem = FolderOf(target) + "/.toothwright-" + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    TemporaryFile temporary(stem + std::to_string(attempt) + ".tmp");
    Descriptor fd(
        ::open(temporary.path().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode));
    if (fd.get() < 0) {
      const int error = errno;
      temporary.Keep();  // not ours to remove
      if (error == EEXIST) continue;
      return ErrorText(error);
    }
    if (mode && ::fchmod(fd.get(), *mode) != 0) return ErrorText(errno);
    if (const int error = WriteAll(fd.get(), bytes)) return ErrorText(error);
    // On disk before the rename, so that a crash cannot leave an empty file in its place.
    if (::fsync(fd.get()) != 0) return ErrorText(errno);
    if (const int error = fd.Close()) return ErrorText(error);
    if (::rename(temporary.path().c_str(), target.c_str()) != 0) return ErrorText(errno);
    temporary.Keep();
    return std::nullopt;
  }
  return ErrorText(EEXIST);
}

// The file a symbolic link finally points to, so that replacing it keeps the link.
std::optional<std::string> ResolveLink(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                       &std::free);
  if (!resolved) return std::nullopt;
  return std::string(resolved.get());
}

// The path a chain of symbolic links names when its last target does not exist yet (a
// dangling link), read link by link since the system cannot resolve it; a relative target is
// read from its link's folder. A path that is no link, or cannot be examined, is returned as
// it is (the write that follows reports its failure). Returns the path, or an error number
// (ELOOP beyond kLinkHops links).
std::variant<std::string, int> FollowDanglingLinks(std::string path) {
  for (int hop = 0; hop <= kLinkHops; ++hop) {
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0 || !S_ISLNK(entry.st_mode)) return path;
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0) return errno;
    target.resize(static_cast<size_t>(length));
    path = target.front() == '/' ? target : FolderOf(path) + "/" + target;
  }
  return ELOOP;
}

}  // namespace

std::optional<std::string> WriteOutputFile(const std::string& path, std::string_view bytes) {
  if (path.empty()) return ErrorText(ENOENT);
  struct stat target {};
  if (::stat(path.c_str(), &target) != 0) {
    if (errno != ENOENT) return ErrorText(errno);
    // A new file: at path itself, or where a dangling link points, so that the link stays.
    const std::variant<std::string, int> file = FollowDanglingLinks(path);
    if (const int* error = std::get_if<int>(&file)) return ErrorText(*error);
    return ReplaceThroughTemporary(std::get<std::string>(file), std::nullopt, bytes);
  }
  if (!S_ISREG(target.st_mode)) return WriteStraightThrough(path, bytes);
  struct stat link {};
  std::string file = path;
  if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    const std::optional<std::string> resolved = ResolveLink(path);
    if (!resolved) return ErrorText(errno);
    file = *resolved;
  }
  return ReplaceThroughTemporary(file, target.st_mode & kPermissionBits, bytes);
}

}  // namespace toothwright
