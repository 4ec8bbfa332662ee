#pragma once
// A measurement frame with the six values tests set; the rest stays zero.
#include "live/core/measured_values.h"

#include <cstdint>

namespace quorvane::testing {

inline MeasuredValues measuredFrame(int red, int green, int blue, int x, int y, int intensity) {
  MeasuredValues m;
  m.red = static_cast<std::int16_t>(red);
  m.green = static_cast<std::int16_t>(green);
  m.blue = static_cast<std::int16_t>(blue);
  m.x = static_cast<std::int16_t>(x);
  m.y = static_cast<std::int16_t>(y);
  m.intensity = static_cast<std::int16_t>(intensity);
  return m;
}

} // namespace quorvane::testing
