#pragma once
// One measurement frame: 23 signed 16-bit values, 46 bytes little-endian.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quorvane {

inline constexpr std::size_t kMeasuredValuesBytes = 46;

struct MeasuredValues {
  std::int16_t red = 0;
  std::int16_t green = 0;
  std::int16_t blue = 0;
  std::int16_t x = 0;         // s in the s/i/M calculation modes
  std::int16_t y = 0;         // i
  std::int16_t intensity = 0; // M
  std::int16_t deltaC = 0;
  std::int16_t colorNumber = 0;
  std::int16_t group = 0;
  std::int16_t trigger = 0;
  std::int16_t temperature = 0;
  std::int16_t rawRed = 0;
  std::int16_t rawGreen = 0;
  std::int16_t rawBlue = 0;
  std::array<std::int16_t, 3> extremesFirst{};
  std::array<std::int16_t, 3> extremesSecond{};
  std::array<std::int16_t, 3> auxiliary{};

  bool operator==(const MeasuredValues &) const = default;
};

using MeasuredValuesBytes = std::array<std::uint8_t, kMeasuredValuesBytes>;

[[nodiscard]] MeasuredValuesBytes encodeMeasuredValues(const MeasuredValues &m);
// Reads up to 46 bytes; bytes missing from a short frame read as zero.
[[nodiscard]] MeasuredValues decodeMeasuredValues(std::span<const std::uint8_t> bytes);

} // namespace quorvane
