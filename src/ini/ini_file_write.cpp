// Atomic replacement of an INI file: temporary file beside the target, written through a
// 16 KB buffer, synced, then renamed over the target.
#include "ini/ini_text.h"
#include "ini/ini_writer.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {
namespace {

constexpr std::size_t kWriteBufferSize = 16 * 1024;

class FdWriter {
public:
  explicit FdWriter(int fd) : fd_(fd) {}

  bool append(std::string_view text) {
    while (!text.empty()) {
      const std::size_t n = std::min(text.size(), buffer_.size() - used_);
      std::memcpy(buffer_.data() + used_, text.data(), n);
      used_ += n;
      text.remove_prefix(n);
      if (used_ == buffer_.size() && !flush()) return false;
    }
    return true;
  }

  bool flush() {
    std::size_t done = 0;
    while (done < used_) {
      const ssize_t n = ::write(fd_, buffer_.data() + done, used_ - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        error_ = errno;
        return false;
      }
      done += static_cast<std::size_t>(n);
    }
    used_ = 0;
    return true;
  }

  int error() const { return error_; }

private:
  int fd_;
  std::array<char, kWriteBufferSize> buffer_{};
  std::size_t used_ = 0;
  int error_ = 0;
};

std::string directoryOf(const std::string &path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string fileNameOf(const std::string &path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A symbolic link is written through, so a linked settings file stays linked.
std::string resolveTarget(const std::string &path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
  }
  return path;
}

// Opens a new file with a name nobody else uses, in the target's directory.
int createTemporary(const std::string &target, std::string &tempPath) {
  std::random_device seed;
  std::mt19937_64 rng((static_cast<std::uint64_t>(seed()) << 32) ^ seed() ^
                      static_cast<std::uint64_t>(::getpid()));
  const std::string prefix = directoryOf(target) + "/." + fileNameOf(target) + ".tmp-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = prefix + std::to_string(rng() % 1000000000000ULL);
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

void syncDirectory(const std::string &target) {
  const int dir = ::open(directoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  ::fsync(dir); // the rename itself is done; this only makes it durable sooner
  ::close(dir);
}

} // namespace

int iniWriteErrorCode(int errnoValue) {
  switch (errnoValue) {
  case EACCES:
  case EPERM:
  case EROFS:
  case EISDIR:
  case ETXTBSY:
    return kIniAccessDenied;
  case ENOSPC:
  case EDQUOT:
    return kIniDiskFull;
  case ENOMEM:
    return kIniOutOfMemory;
  default:
    return kIniWriteError;
  }
}

int IniText::writeToFile(const std::string &path) const {
  if (path.empty()) return kIniWriteError;
  try {
    const std::string target = resolveTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT) return iniWriteErrorCode(errno);
    // A read-only or non-regular target is refused before anything is created.
    if (exists && (!S_ISREG(existing.st_mode) || ::access(target.c_str(), W_OK) != 0)) {
      return kIniAccessDenied;
    }

    std::string tempPath;
    const int fd = createTemporary(target, tempPath);
    if (fd < 0) return iniWriteErrorCode(errno);
    if (exists) ::fchmod(fd, existing.st_mode & 07777); // keep the file's permissions

    FdWriter writer(fd);
    bool ok = false;
    int error = 0;
    try {
      ok = emitIniText(*this, [&writer](std::string_view s) { return writer.append(s); }) &&
           writer.flush();
      error = writer.error();
    } catch (const std::bad_alloc &) {
      error = ENOMEM;
    }
    if (ok && ::fsync(fd) != 0) {
      ok = false;
      error = errno;
    }
    if (::close(fd) != 0 && ok) {
      ok = false;
      error = errno;
    }
    if (ok && ::rename(tempPath.c_str(), target.c_str()) != 0) {
      ok = false;
      error = errno;
    }
    if (!ok) {
      ::unlink(tempPath.c_str());
      return iniWriteErrorCode(error);
    }
    syncDirectory(target);
    return 0;
  } catch (const std::bad_alloc &) {
    return kIniOutOfMemory;
  }
}

} // namespace quorvane
