#pragma once
// The TCP port as typed: converted like the C library's decimal conversion (leading
// blanks, an optional sign, then digits; 0 when there are none).
#include <string_view>

namespace quorvane {

// Saturates instead of overflowing for absurdly long digit runs.
[[nodiscard]] long portNumberFromText(std::string_view text);

// A port a connection can be made to.
[[nodiscard]] constexpr bool isUsablePort(long port) {
  return port >= 1 && port <= 65535;
}

} // namespace quorvane
