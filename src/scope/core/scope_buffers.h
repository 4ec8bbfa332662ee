#pragma once
// The four buffers of a completed scan in display order, and what the graphs draw from them.
#include "scope/core/scope_settings.h"

#include <array>
#include <cstdint>

namespace quorvane {

using ScopeTrace = std::array<std::uint16_t, kScopeSamples>;

inline constexpr std::array<std::uint32_t, 3> kScopeSignalColours = {0xFF0000, 0x00FF00, 0x0000FF};
inline constexpr std::uint32_t kScopeDigitalColour = 0x808080;

struct ScopeBuffers {
  std::array<ScopeTrace, 3> analog{}; // first (red line), second (green), third (blue)
  ScopeTrace digital{};               // bit 0 and bit 1 of each sample
  bool operator==(const ScopeBuffers &) const = default;
};

// The samples of one block in display order. The sensor stores them in a ring whose slot
// `ringIndex` holds the trigger sample; the display starts `preTrigger` samples before it,
// so the trigger lands at position `preTrigger`. Single shot (trigger mode 0) arrives in
// time order and is not rotated. Indices are taken modulo 128, so no value reads outside.
[[nodiscard]] ScopeTrace rotateScopeBlock(const ScopeTrace &ring, std::uint16_t ringIndex,
                                          std::uint16_t preTrigger, std::uint16_t triggerMode);

struct DigitalTraces {
  std::array<double, kScopeSamples> a{}; // bit 0, lifted by 2 so the traces do not overlap
  std::array<double, kScopeSamples> b{}; // bit 1
};

[[nodiscard]] DigitalTraces digitalTraces(const ScopeTrace &digital);

// The signal selector of the scope panel: 0 all three lines, 1 only the first, 2 only the
// second, 3 only the third. Any other value shows all three.
[[nodiscard]] std::array<bool, 3> scopeSignalsShown(int selector);

// One signal as graph values (x = sample index 0..127).
[[nodiscard]] std::array<double, kScopeSamples> scopeTraceValues(const ScopeTrace &trace);

} // namespace quorvane
