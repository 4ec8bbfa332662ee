#include "teach/core/row_colours.h"

#include <algorithm>

namespace quorvane {

std::uint32_t clampRowColor(long long value) {
  return static_cast<std::uint32_t>(std::clamp<long long>(value, 0, kMaxRowColor));
}

std::string cutRowSpecification(std::string_view text) {
  if (text.size() <= kRowSpecificationMaxBytes) return std::string(text);
  std::size_t end = kRowSpecificationMaxBytes;
  // Back off over continuation bytes (10xxxxxx) to the start of the cut character.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    --end;
  return std::string(text.substr(0, end));
}

bool SetRowColor(TableAttributes &attributes, int row, long long color) {
  if (row < 0 || row >= static_cast<int>(kTeachRows)) return false;
  attributes.colors[static_cast<std::size_t>(row)] = clampRowColor(color);
  return true;
}

} // namespace quorvane
