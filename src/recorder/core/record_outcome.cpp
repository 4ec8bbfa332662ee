#include "recorder/core/record_outcome.h"

namespace quorvane {

void RecordTally::add(const FileWriteResult &r) {
  if (r.ok()) {
    ++written_;
    return;
  }
  if (failed_ == 0) firstFailure_ = r;
  ++failed_;
}

std::string_view RecordTally::endTitle() const {
  return complete() ? kRecordSavedTitle : kRecordIncompleteTitle;
}

std::string RecordTally::endMessage() const {
  if (complete()) return std::string(kRecordSaved);
  return "File has not been saved completely! \n" + std::to_string(failed_) + " of " +
         std::to_string(written_ + failed_) + " records could not be written (" +
         firstFailure_.message() + ").";
}

} // namespace quorvane
