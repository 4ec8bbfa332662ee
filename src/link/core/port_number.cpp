#include "link/core/port_number.h"

#include <limits>

namespace quorvane {

long portNumberFromText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  constexpr long kLimit = std::numeric_limits<long>::max() / 10 - 9;
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value < kLimit ? value * 10 + (text[i] - '0') : std::numeric_limits<long>::max();
  return negative ? -value : value;
}

} // namespace quorvane
