#pragma once
// One scope recording of the simulated sensor (order 110).
//
// The sensor samples every scan rate x 2 ms (its cycle is 2 ms). After the start it first
// records the pre-trigger samples, then looks for the trigger: mode 0 triggers on the first
// sample; 1 and 2 when the third recorded signal rises to / falls to the trigger level;
// 3 when colour 0 starts being detected; 4 on a rising edge of IN0. The recording ends
// 127 - pre-trigger samples after the trigger. Each of the four blocks holds the 128 samples
// in ring order (sample j in slot j mod 128) and the ring index, the slot of the trigger
// sample; in mode 0 the samples are in time order and the ring index is 0.
// Recorded signal 0 is red/green/blue, 1 the X/Y/INT (s/i/M) triple, 2 the three analog
// outputs; the digital block has IN0 in bit 0 and "a colour is detected" in bit 1.
#include "model/scene.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace quorvane::sim {

inline constexpr std::size_t kScopeSamples = 128;
inline constexpr std::size_t kScopeBlockBytes = 2 * kScopeSamples + 2;
inline constexpr std::uint64_t kSensorCycleMs = 2;
// Order 105: 500 cycles in a time value of 100 (x 10 ms) = 500 Hz, the 2 ms cycle above.
inline constexpr std::int32_t kCycleCount = 500;
inline constexpr std::int32_t kCycleTimeValue = 100;

struct ScopeSettings {
  std::uint16_t triggerLevel = 0;
  std::uint16_t triggerMode = 0;
  std::uint16_t preTrigger = 0;
  std::uint16_t scanRate = 1;
  std::uint16_t signal = 0;
};

using SampleAt = std::function<Sample(std::uint64_t t)>;

class ScopeScan {
public:
  ScopeScan(const ScopeSettings &settings, std::uint64_t startMs);

  // Looks for the trigger among the samples taken up to nowMs.
  void advance(const SampleAt &sampleAt, std::uint64_t nowMs);
  // When the recording is complete, once the trigger has been found.
  [[nodiscard]] std::optional<std::uint64_t> completionMs() const;
  // When advance() must be called next.
  [[nodiscard]] std::uint64_t nextDueMs() const;
  // The four 258-byte payloads: three signals, then the digital states.
  [[nodiscard]] std::array<std::vector<std::uint8_t>, 4> blocks(const SampleAt &sampleAt) const;

  [[nodiscard]] std::uint64_t sampleIntervalMs() const { return intervalMs_; }
  [[nodiscard]] std::uint16_t ringIndex() const;

private:
  [[nodiscard]] double triggerValue(const Sample &s) const;
  [[nodiscard]] bool fires(double previous, double current) const;

  ScopeSettings settings_;
  std::uint64_t intervalMs_;
  std::uint64_t preTrigger_;
  std::uint64_t nextSample_; // next sample index to examine
  std::optional<double> previous_;
  std::optional<std::uint64_t> triggerSample_;
};

} // namespace quorvane::sim
