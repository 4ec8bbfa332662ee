#pragma once
// The settings of one scope scan, the start request that carries them, and the rules of
// the scope page's setting controls.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvane {

inline constexpr std::size_t kScopeSamples = 128;
inline constexpr std::size_t kScopeStartPayloadBytes = 10;
// Order 110 arguments.
inline constexpr std::uint16_t kScopeStartArgument = 1;
inline constexpr std::uint16_t kScopeBreakArgument = 0;

enum class ScopeTriggerMode : std::uint16_t {
  SingleShot = 0,
  RisingEdge = 1,
  FallingEdge = 2,
  InternalColourZero = 3,
  ExternalIn0 = 4,
};

inline constexpr std::array<std::string_view, 5> kScopeTriggerModeNames = {
    "SINGLE SHOT", "RISING EDGE", "FALLING EDGE", "INTERNAL C-No.0", "EXTERNAL IN0"};

struct ScopeSettings {
  std::uint16_t triggerLevel = 0;
  std::uint16_t triggerMode = 0;
  std::uint16_t preTrigger = 0;
  std::uint16_t scanRate = 1;
  std::uint16_t recordedSignal = 0; // 0 red/green/blue, 1 X/Y/INT (s/i/M), 2 analog outputs

  bool operator==(const ScopeSettings &) const = default;
};

// Trigger level, trigger mode, pre-trigger count, scan rate, recorded signal; 16 bits each,
// little-endian.
[[nodiscard]] std::array<std::uint8_t, kScopeStartPayloadBytes>
encodeScopeStart(const ScopeSettings &s);

// The pre-trigger count places the trigger inside the 128 samples, so it cannot exceed 127
// where a trigger is awaited (every mode but single shot).
inline constexpr std::string_view kPreTriggerOutOfRange =
    "Pre-trigger count must be between 0 and 127! \nScan will not be done! ";

// Empty when a scan can start with these settings, otherwise the message to show.
[[nodiscard]] std::string_view checkScopeSettings(const ScopeSettings &s);

struct ScopeTriggerControls {
  bool preTriggerUsable = true;
  bool triggerLevelUsable = true;
  bool operator==(const ScopeTriggerControls &) const = default;
};

// Single shot uses neither; the edge modes both; the colour and IN0 triggers only the
// pre-trigger count.
[[nodiscard]] ScopeTriggerControls scopeTriggerControlsFor(int triggerMode);

// Only the analog outputs (recorded signal 2) have a meaning in volts.
[[nodiscard]] constexpr bool scopeVoltsShown(int recordedSignal) {
  return recordedSignal == 2;
}

} // namespace quorvane
