#pragma once
// The simulated sensor's plausibility check of written parameters. Every field that breaks
// its rule is set to its default (the defaults of the parameter table); the count of fields
// set is the reply word of the write.
//
// Scalar block:  POWER > 1000; POWER MODE > 1; EVALUATION MODE > 6; MAX VEC NO 0 or > 31;
//                DIGITAL OUTMODE > 3; TRIGGER > 6; EXTERN TEACH > 3; CALCULATION MODE > 3;
//                DYNWIN LO or DYNWIN HI > 4095; DYNWIN LO above DYNWIN HI (both reset);
//                COLOR GROUP > 1; LED MODE > 3; GAIN > 7; INTEGRAL > 250;
//                ANALOG OUTMODE > 5; ANALOG OUT > 1.
// Teach table:   a GROUP above 30 (reset to 0).
// Calibration:   a factor above 4096 (reset to 1024); an offset above 4095 (reset to 0).
#include "params/core/sensor_parameters.h"
#include "params/core/teach_table.h"

#include <array>
#include <cstdint>

namespace quorvane::sim {

inline constexpr std::uint16_t kMaxCalibrationFactor = 4096;
inline constexpr std::uint16_t kDefaultCalibrationFactor = 1024;
inline constexpr std::uint16_t kMaxOffset = 4095;

[[nodiscard]] std::uint16_t checkParameters(SensorParameters &p);
[[nodiscard]] std::uint16_t checkTeachTable(TeachTable &t);
[[nodiscard]] std::uint16_t checkFactors(std::array<std::uint16_t, 3> &factors);
[[nodiscard]] std::uint16_t checkOffsets(std::array<std::uint16_t, 3> &offsets);

} // namespace quorvane::sim
