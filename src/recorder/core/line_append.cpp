#include "recorder/core/line_append.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {
namespace {

FileWriteResult failure(FileWriteResult::Status status, int error) {
  return {status, error};
}

// One write call; retried only when a signal interrupted it before anything was written.
ssize_t writeOnce(int fd, std::string_view bytes) {
  ssize_t n;
  do {
    n = ::write(fd, bytes.data(), bytes.size());
  } while (n < 0 && errno == EINTR);
  return n;
}

} // namespace

std::string FileWriteResult::message() const {
  std::string what;
  switch (status) {
  case Status::Ok:
    return "ok";
  case Status::CannotOpen:
    what = "cannot open";
    break;
  case Status::WriteFailed:
    what = "cannot write";
    break;
  case Status::CannotRemove:
    what = "cannot delete";
    break;
  }
  return error != 0 ? what + ": " + std::strerror(error) : what;
}

FileWriteResult appendLineToFile(const std::string &path, std::string_view line) {
  // Non-blocking, so that a FIFO of that name fails at once instead of hanging the tool.
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
  if (fd < 0) return failure(FileWriteResult::Status::CannotOpen, errno);
  struct stat st {};
  const int error = ::fstat(fd, &st) != 0 ? errno : S_ISREG(st.st_mode) ? 0 : EINVAL;
  if (error != 0) {
    ::close(fd);
    return failure(FileWriteResult::Status::CannotOpen, error);
  }
  FileWriteResult result;
  const ssize_t n = line.empty() ? 0 : writeOnce(fd, line);
  if (n < 0 || static_cast<std::size_t>(n) != line.size()) {
    result = failure(FileWriteResult::Status::WriteFailed, n < 0 ? errno : ENOSPC);
    // A short write left a fragment at the end; cut it off.
    if (n > 0 && ::ftruncate(fd, st.st_size) != 0) result.error = errno;
  }
  if (::close(fd) != 0 && result.ok())
    result = failure(FileWriteResult::Status::WriteFailed, errno);
  return result;
}

FileWriteResult startFileWith(const std::string &path, std::string_view header) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT)
    return failure(FileWriteResult::Status::CannotRemove, errno);
  return appendLineToFile(path, header);
}

} // namespace quorvane
