#pragma once
// The hardware information block of the simulated sensor (order 194).
//
// Words (little-endian): 0 the magic 0x7C19, 1 the serial number, 2 the hardware revision
// 0x0103, 3-5 the calibration factors, 6-8 the offsets, 9-11 the dark levels, 12-14 the
// channel sensitivities in thousandths; bytes 32-103 the firmware text (zero padded);
// the rest reads 0xFF like erased flash. The block is cut to the requested length.
#include "model/scene.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quorvane::sim {

inline constexpr std::size_t kHardwareInfoBytes = 512;

[[nodiscard]] std::vector<std::uint8_t> hardwareInfoBlock(std::uint16_t serialNumber,
                                                          std::string_view firmware,
                                                          const Calibration &cal,
                                                          std::size_t length);

} // namespace quorvane::sim
