#pragma once
// The colour of the last measurement, as 8-bit components of the 12-bit channels. Channels
// can be negative (offset compensation), so the components are kept as they are computed;
// only the packed value used for painting is clamped to 0..255.
#include "live/core/measured_values.h"

#include <cstdint>

namespace quorvane {

struct CurrentColour {
  int red = 0;
  int green = 0;
  int blue = 0;

  // 0xRRGGBB with each component clamped to 0..255.
  [[nodiscard]] std::uint32_t displayRgb() const;

  bool operator==(const CurrentColour &) const = default;
};

// Each channel divided by 16, truncating toward zero.
[[nodiscard]] CurrentColour currentColourOf(const MeasuredValues &m);

} // namespace quorvane
