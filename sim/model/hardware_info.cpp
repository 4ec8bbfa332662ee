#include "model/hardware_info.h"

#include "link/core/bytes.h"

#include <algorithm>
#include <cmath>

namespace quorvane::sim {

std::vector<std::uint8_t> hardwareInfoBlock(std::uint16_t serialNumber, std::string_view firmware,
                                            const Calibration &cal, std::size_t length) {
  constexpr std::size_t kFirmwareAt = 32;
  constexpr std::size_t kFirmwareBytes = 72;
  std::vector<std::uint8_t> block(std::max(length, kHardwareInfoBytes), 0xFF);
  std::size_t at = 0;
  const auto word = [&](std::uint16_t v) {
    putLe16(&block[at], v);
    at += 2;
  };
  word(0x7C19);
  word(serialNumber);
  word(0x0103);
  for (auto f : cal.factors)
    word(f);
  for (auto o : cal.offsets)
    word(o);
  for (auto d : kDarkLevel)
    word(d);
  for (auto s : kSensitivity)
    word(static_cast<std::uint16_t>(std::lround(s * 1000)));
  for (std::size_t i = 0; i < kFirmwareBytes; ++i)
    block[kFirmwareAt + i] = i < firmware.size() ? static_cast<std::uint8_t>(firmware[i]) : 0;
  block.resize(length);
  return block;
}

} // namespace quorvane::sim
