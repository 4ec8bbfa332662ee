#include "live/core/current_colour.h"

#include <algorithm>

namespace quorvane {

std::uint32_t CurrentColour::displayRgb() const {
  auto c = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
  return (c(red) << 16) | (c(green) << 8) | c(blue);
}

CurrentColour currentColourOf(const MeasuredValues &m) {
  // C++ integer division truncates toward zero, as the colour rule wants.
  return {m.red / 16, m.green / 16, m.blue / 16};
}

} // namespace quorvane
