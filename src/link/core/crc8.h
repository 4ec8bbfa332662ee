#pragma once
// CRC-8 of the sensor link: the reflected 1-Wire polynomial (0x8C), start value 0xAA,
// no final XOR. Running it over a range followed by its own CRC gives 0.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quorvane {

using Crc8TableType = std::array<std::uint8_t, 256>;

constexpr Crc8TableType makeCrc8Table() {
  Crc8TableType table{};
  for (int i = 0; i < 256; ++i) {
    std::uint8_t crc = static_cast<std::uint8_t>(i);
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1) ? static_cast<std::uint8_t>((crc >> 1) ^ 0x8C) : static_cast<std::uint8_t>(crc >> 1);
    table[static_cast<std::size_t>(i)] = crc;
  }
  return table;
}

inline constexpr Crc8TableType Crc8Table = makeCrc8Table();
inline constexpr std::uint8_t kCrc8Start = 0xAA;

// CRC of buffer[offset, offset + length) with start value 0xAA.
[[nodiscard]] std::uint8_t crc8Update(const std::uint8_t *buffer, std::size_t offset,
                                      std::size_t length, const Crc8TableType &table = Crc8Table);

[[nodiscard]] inline std::uint8_t crc8(std::span<const std::uint8_t> bytes) {
  return crc8Update(bytes.data(), 0, bytes.size());
}

} // namespace quorvane
