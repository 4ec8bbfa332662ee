#pragma once
// Serial line speeds by the code the sensor and the settings file use.
#include <array>
#include <cstdint>

namespace quorvane {

inline constexpr std::array<std::int32_t, 8> kBaudRates = {9600,   19200,  38400,  57600,
                                                           115200, 230400, 460800, 921600};
inline constexpr std::uint16_t kDefaultBaudCode = 4;

// Codes outside the table fall back to the default speed, as the sensor does after a reset.
[[nodiscard]] constexpr std::int32_t baudRateForCode(unsigned code) {
  return code < kBaudRates.size() ? kBaudRates[code] : kBaudRates[kDefaultBaudCode];
}

} // namespace quorvane
