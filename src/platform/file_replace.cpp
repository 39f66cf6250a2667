#include "platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <atomic>
#include <string>

namespace celvaro {
namespace {

namespace fs = std::filesystem;

std::string resolveLink(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  fs::path target = fs::read_symlink(path, error);
  if (error) return path;
  if (target.is_relative()) target = fs::path(path).parent_path() / target;
  return target.string();
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// The replacement keeps the mode of the file it replaces; a new file gets
// the mode its creation under the process umask gave it.
bool keepMode(int fd, const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return true;
  return ::fchmod(fd, info.st_mode & 07777) == 0;
}

// A temporary file beside `path` that did not exist before.
int createTemporary(const std::string& path, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Something that exists and is not a regular file: a FIFO or a device.
bool isSpecialFile(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

// Writes into what is there, as it is: no new file, no truncation.
bool writeInPlace(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  const bool written = writeAll(fd, bytes);
  const int error = errno;
  const bool closed = ::close(fd) == 0;
  if (!written) errno = error;  // the write's reason, not the close's
  return written && closed;
}

void syncDirectory(const std::string& path) {
  std::string dir = fs::path(path).parent_path().string();
  int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool replaceFileContents(const std::string& requestedPath, std::string_view bytes,
                         RenameFunction renameFile) {
  const std::string path = resolveLink(requestedPath);
  if (isSpecialFile(path)) return writeInPlace(path, bytes);
  std::string tempPath;
  int fd = createTemporary(path, tempPath);
  if (fd < 0) return false;
  bool ok = writeAll(fd, bytes) && keepMode(fd, path) && ::fsync(fd) == 0;
  int error = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) ok = false, error = errno;
  if (ok && (renameFile ? renameFile : std::rename)(tempPath.c_str(), path.c_str()) != 0) ok = false, error = errno;
  if (!ok) {
    ::unlink(tempPath.c_str());
    errno = error;  // the reason of the step that failed, not of the clean-up
    return false;
  }
  syncDirectory(path);
  return true;
}

bool writeOutputFile(const std::string& path, std::string_view bytes) {
  return path == "-" ? writeAll(STDOUT_FILENO, bytes) : replaceFileContents(path, bytes);
}

}  // namespace celvaro
