#include "scope/core/decimal_text.h"

#include <charconv>

namespace quorvane {

std::string fixedText(double value, int decimals) {
  // Room for the largest double in fixed notation (309 digits) and the decimals.
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (r.ec != std::errc{}) return "overflow";
  return {buf, r.ptr};
}

std::string shortestText(double value) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  if (r.ec != std::errc{}) return "overflow";
  return {buf, r.ptr};
}

} // namespace quorvane
