#pragma once
// What a recording managed to write, and the message that ends it. A line the file did not
// take is not passed over in silence: the end message says so instead of "saved".
#include "recorder/core/line_append.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

inline constexpr std::string_view kRecordSavedTitle = "INFO!";
inline constexpr std::string_view kRecordSaved = "File has been saved!";
inline constexpr std::string_view kRecordIncompleteTitle = "ATTENTION!";

class RecordTally {
public:
  void add(const FileWriteResult &r);

  [[nodiscard]] std::uint64_t written() const { return written_; }
  [[nodiscard]] std::uint64_t failed() const { return failed_; }
  [[nodiscard]] bool complete() const { return failed_ == 0; }
  // "INFO!" / "File has been saved!" when every line went in, else "ATTENTION!" and how
  // many lines are missing, with the first failure's reason.
  [[nodiscard]] std::string_view endTitle() const;
  [[nodiscard]] std::string endMessage() const;

private:
  std::uint64_t written_ = 0;
  std::uint64_t failed_ = 0;
  FileWriteResult firstFailure_;
};

} // namespace quorvane
