#include "link/core/firmware.h"

#include <algorithm>

namespace quorvane {

namespace {

// strtok over a private copy: returns nothing once the text is exhausted, and stays so.
class Tokenizer {
public:
  explicit Tokenizer(std::string_view text) : text_(text) {}

  std::string next(std::string_view delimiters) {
    if (done_) return {};
    const std::size_t first = delimiters.empty() ? pos_ : text_.find_first_not_of(delimiters, pos_);
    if (first == std::string_view::npos || first >= text_.size()) {
      done_ = true;
      return {};
    }
    const std::size_t end = text_.find_first_of(delimiters, first); // npos for no delimiters
    if (end == std::string_view::npos) {
      done_ = true; // the token ran to the end; nothing follows it
      return std::string(text_.substr(first));
    }
    pos_ = end + 1;
    return std::string(text_.substr(first, end - first));
  }

private:
  std::string_view text_;
  std::size_t pos_ = 0;
  bool done_ = false;
};

} // namespace

FirmwareParts splitFirmware(std::string_view text) {
  Tokenizer tokens(text);
  FirmwareParts parts;
  parts.name = tokens.next(".");
  parts.major = tokens.next(".");
  parts.build = tokens.next(" ");
  parts.comment = tokens.next("");
  return parts;
}

std::string firmwareVersion(const FirmwareParts &parts) {
  return parts.name + "." + parts.major;
}

bool firmwareMatches(const FirmwareParts &parts) {
  return firmwareVersion(parts) == kExpectedFirmware;
}

std::string firmwareDisplayText(const FirmwareParts &parts) {
  return firmwareVersion(parts) + parts.comment;
}

std::string firmwareTextFromPayload(const std::uint8_t *payload, std::size_t size) {
  const std::size_t limit = std::min(size, kFirmwareTextBytes);
  const std::uint8_t *end = std::find(payload, payload + limit, std::uint8_t{0});
  return std::string(payload, end);
}

} // namespace quorvane
