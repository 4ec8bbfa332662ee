#include "link/core/crc8.h"

namespace quorvane {

std::uint8_t crc8Update(const std::uint8_t *buffer, std::size_t offset, std::size_t length,
                        const Crc8TableType &table) {
  std::uint8_t crc = kCrc8Start;
  for (std::size_t i = 0; i < length; ++i) crc = table[crc ^ buffer[offset + i]];
  return crc;
}

} // namespace quorvane
