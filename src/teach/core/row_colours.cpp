#include "teach/core/row_colours.h"

#include "ini/utf8_cut.h"

#include <algorithm>

namespace quorvane {

std::uint32_t clampRowColor(long long value) {
  return static_cast<std::uint32_t>(std::clamp<long long>(value, 0, kMaxRowColor));
}

std::string cutRowSpecification(std::string_view text) {
  return std::string(utf8Prefix(text, kRowSpecificationMaxBytes));
}

bool setRowColour(TableAttributes &attributes, int row, long long color) {
  if (row < 0 || row >= static_cast<int>(kTeachRows)) return false;
  attributes.colors[static_cast<std::size_t>(row)] = clampRowColor(color);
  return true;
}

} // namespace quorvane
