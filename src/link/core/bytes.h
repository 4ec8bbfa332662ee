#pragma once
// Little-endian helpers shared by every wire and file codec.
#include <cstddef>
#include <cstdint>

namespace quorvane {

inline void putLe16(std::uint8_t *out, std::uint16_t v) {
  out[0] = static_cast<std::uint8_t>(v & 0xFF);
  out[1] = static_cast<std::uint8_t>(v >> 8);
}

inline std::uint16_t getLe16(const std::uint8_t *in) {
  return static_cast<std::uint16_t>(in[0] | (in[1] << 8));
}

inline std::int32_t getLe32s(const std::uint8_t *in) {
  const std::uint32_t u = static_cast<std::uint32_t>(in[0]) | (static_cast<std::uint32_t>(in[1]) << 8) |
                          (static_cast<std::uint32_t>(in[2]) << 16) |
                          (static_cast<std::uint32_t>(in[3]) << 24);
  return static_cast<std::int32_t>(u);
}

inline void putLe32(std::uint8_t *out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

} // namespace quorvane
