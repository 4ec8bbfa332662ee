#pragma once
// The moving scene in front of the simulated sensor and the measurement chain that turns it
// into a measurement frame. Everything here is a pure function of the sensor's memory, the
// seed and the clock, so a frame can be recomputed for any time (the scope samples it).
//
// Scene: a cycle of stations, 2 s each (1.5 s dwell, 0.5 s blend into the next): the colours
// of the active teach rows of the active parameter set (decoded from their cells with the
// CALCULATION MODE), then two colours off the table. In the threshold modes a fixed palette
// of red, green, blue and yellow is shown instead.
//
// Chain, per channel: light = scene x POWER / 500 x 1.4^(GAIN - 5) + noise (amplitude
// 12 / sqrt(AVERAGE) digits); raw = light x sensitivity + dark level; calibrated =
// (raw - offset) x factor / 1024; each clamped to 0 .. 4095. POWER MODE DYN regulates the
// power so that the brightest channel sits in the middle of DYNWIN LO .. HI and reports the
// power in the INT/M field. LED MODE OFF, or TRIGGER TRANS while IN0 is low, leaves only
// ambient light.
//
// IN0 is a square wave with the trigger period: high in the first half of each period,
// rising at every multiple of the period.
#include "live/core/measured_values.h"
#include "model/colour_space.h"
#include "model/evaluation.h"
#include "params/core/sensor_parameters.h"
#include "params/core/teach_table.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvane::sim {

// One memory image (RAM or EEPROM) of the sensor: both parameter sets.
struct SensorMemory {
  std::array<SensorParameters, 2> params{};
  std::array<TeachTable, 2> teach{};

  bool operator==(const SensorMemory &) const = default;
};

// Optics of the simulated sensor: per-channel sensitivity and dark level, and the
// calibration that compensates them.
inline constexpr std::array<double, 3> kSensitivity{0.92, 1.00, 1.08};
inline constexpr std::array<std::uint16_t, 3> kDarkLevel{12, 9, 15};

struct Calibration {
  std::array<std::uint16_t, 3> factors{1113, 1024, 948};
  std::array<std::uint16_t, 3> offsets = kDarkLevel;

  bool operator==(const Calibration &) const = default;
};

struct SceneConfig {
  std::uint64_t seed = 1;
  std::uint32_t triggerPeriodMs = 100;
};

inline constexpr std::uint64_t kStationMs = 2000;
inline constexpr std::uint64_t kBlendMs = 500;

struct Sample {
  MeasuredValues values; // extremes are left zero; the stateful part is the model's
  Evaluation evaluation;
  Rgb calibrated;
  bool in0 = false;
  std::size_t activeSet = 0;
};

[[nodiscard]] bool in0At(const SceneConfig &config, std::uint64_t t);
// The parameter set in use: set 1 only with TRIGGER PARA (set 0's) while IN0 is high.
[[nodiscard]] std::size_t activeSetAt(const SensorMemory &ram, const SceneConfig &config,
                                      std::uint64_t t);
// The scene colour, before light level and noise.
[[nodiscard]] Rgb sceneColour(const SensorParameters &p, const TeachTable &table, std::uint64_t t);
// The raw channels without noise (what a long average would give), for the calibrations.
[[nodiscard]] Rgb rawWithoutNoise(const SensorMemory &ram, const SceneConfig &config,
                                  std::uint64_t t);

[[nodiscard]] Sample measure(const SensorMemory &ram, const Calibration &cal,
                             const SceneConfig &config, std::uint64_t t);

} // namespace quorvane::sim
