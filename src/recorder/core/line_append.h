#pragma once
// Appends whole lines to a text file that other programs may read between writes: the file
// is opened, appended to and closed again for every line, and a line is either written
// whole or not at all.
#include <string>
#include <string_view>

namespace quorvane {

struct FileWriteResult {
  enum class Status {
    Ok,
    CannotOpen,   // missing directory, no permission, a directory of that name, ...
    WriteFailed,  // disk full, file size limit, I/O error: the file is back to its old size
    CannotRemove, // an existing file could not be deleted for a fresh start
  };
  Status status = Status::Ok;
  int error = 0; // errno of the failing call

  [[nodiscard]] bool ok() const { return status == Status::Ok; }
  // A short operator-facing description, e.g. "cannot open: Permission denied".
  [[nodiscard]] std::string message() const;
};

// Appends `line` (which carries its own line end) with a single write. When the write
// comes up short the file is cut back to the size it had before, so the good lines are
// never followed by a fragment.
[[nodiscard]] FileWriteResult appendLineToFile(const std::string &path, std::string_view line);

// Deletes the file if it exists, then writes `header` as its first content.
[[nodiscard]] FileWriteResult startFileWith(const std::string &path, std::string_view header);

} // namespace quorvane
