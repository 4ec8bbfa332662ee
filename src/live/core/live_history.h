#pragma once
// The histories behind the live strip charts: the last 100 frames, oldest first. They start
// as zeros and only ever scroll, so a fresh start shows zeros at the left of every chart.
#include "live/core/measured_values.h"

#include <array>
#include <cstddef>

namespace quorvane {

inline constexpr std::size_t kHistorySamples = 100;
inline constexpr std::size_t kRgbTraces = 3;
inline constexpr std::size_t kRgbHistoryValues = kHistorySamples * kRgbTraces;

struct LiveHistory {
  // Red, green, blue interleaved in that order.
  std::array<double, kRgbHistoryValues> rgb{};
  std::array<double, kHistorySamples> x{};
  std::array<double, kHistorySamples> y{};
  std::array<double, kHistorySamples> intensity{};

  // Drops the oldest sample of every history and appends `m` at the end.
  void scroll(const MeasuredValues &m);
};

// One colour of the RGB history (0 red, 1 green, 2 blue), oldest first.
[[nodiscard]] std::array<double, kHistorySamples>
rgbTrace(const std::array<double, kRgbHistoryValues> &rgb, std::size_t trace);

} // namespace quorvane
