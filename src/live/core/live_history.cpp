#include "live/core/live_history.h"

#include <algorithm>

namespace quorvane {
namespace {

template <std::size_t N, typename... V> void shiftIn(std::array<double, N> &values, V... newest) {
  constexpr std::size_t n = sizeof...(V);
  std::copy(values.begin() + n, values.end(), values.begin());
  std::size_t at = N - n;
  ((values[at++] = static_cast<double>(newest)), ...);
}

} // namespace

void LiveHistory::scroll(const MeasuredValues &m) {
  shiftIn(rgb, m.red, m.green, m.blue);
  shiftIn(x, m.x);
  shiftIn(y, m.y);
  shiftIn(intensity, m.intensity);
}

std::array<double, kHistorySamples> rgbTrace(const std::array<double, kRgbHistoryValues> &rgb,
                                             std::size_t trace) {
  std::array<double, kHistorySamples> out{};
  if (trace >= kRgbTraces) return out;
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = rgb[i * kRgbTraces + trace];
  return out;
}

} // namespace quorvane
