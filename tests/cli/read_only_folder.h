// A folder in which the test process cannot create files, holding a file it can write: the
// place where a save must fail without touching the file that is already there. A folder
// without write permission serves an ordinary user; root writes into it all the same and
// gets the process's own folder under /proc instead, which accepts no new files from anyone.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>

namespace toothwright {

class ReadOnlyFolder {
 public:
  // Makes the folder at path, inside a folder of the test's own that is removed afterwards.
  explicit ReadOnlyFolder(const std::string& path)
      : own_folder_(path), folder_(own_folder_), existing_file_(own_folder_ + "/kept.cam") {
    ::mkdir(own_folder_.c_str(), kWritable);
    std::ofstream(existing_file_, std::ios::binary) << "the previous program\r\n";
    made_read_only_ = ::chmod(own_folder_.c_str(), kReadOnly) == 0;
    reason_ = CreationFailure(folder_);
    if (!reason_) {
      // Permissions do not stop this process. comm holds the process's name and is writable.
      folder_ = "/proc/" + std::to_string(::getpid());
      existing_file_ = folder_ + "/comm";
      reason_ = CreationFailure(folder_);
    }
    content_ = Read(existing_file_);
  }
  ~ReadOnlyFolder() {
    // The test's cleanup removes the folder; a user who is not root needs write permission.
    if (made_read_only_) ::chmod(own_folder_.c_str(), kWritable);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  // False when no such folder could be found; the other members are then meaningless.
  bool usable() const { return reason_.has_value(); }
  const std::string& folder() const { return folder_; }
  // A file in the folder that this process could write, and its content before the test.
  const std::string& existing_file() const { return existing_file_; }
  const std::string& content() const { return content_; }
  // What the system says when a file is created in the folder ("Permission denied").
  const std::string& reason() const { return *reason_; }
  // The whole content of the file at path; empty when it cannot be read.
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  static constexpr mode_t kWritable = 0755;
  static constexpr mode_t kReadOnly = 0555;

  // Tries to create a file in folder; the system's reason when it cannot, else nullopt.
  static std::optional<std::string> CreationFailure(const std::string& folder) {
    const std::string probe = folder + "/.probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) return std::generic_category().message(errno);
    ::close(fd);
    ::unlink(probe.c_str());
    return std::nullopt;
  }

  std::string own_folder_;  // made inside the test's folder, whether used or not
  std::string folder_;
  std::string existing_file_;
  std::string content_;
  std::optional<std::string> reason_;
  bool made_read_only_ = false;
};

}  // namespace toothwright
