#include "scope/core/scope_buffers.h"

namespace quorvane {

ScopeTrace rotateScopeBlock(const ScopeTrace &ring, std::uint16_t ringIndex,
                            std::uint16_t preTrigger, std::uint16_t triggerMode) {
  if (triggerMode == 0) return ring;
  const std::size_t start =
      (ringIndex % kScopeSamples + kScopeSamples - preTrigger % kScopeSamples) % kScopeSamples;
  ScopeTrace out{};
  for (std::size_t k = 0; k < kScopeSamples; ++k)
    out[k] = ring[(start + k) % kScopeSamples];
  return out;
}

DigitalTraces digitalTraces(const ScopeTrace &digital) {
  DigitalTraces t;
  for (std::size_t k = 0; k < kScopeSamples; ++k) {
    t.a[k] = (digital[k] & 1) + 2;
    t.b[k] = (digital[k] >> 1) & 1;
  }
  return t;
}

std::array<bool, 3> scopeSignalsShown(int selector) {
  switch (selector) {
  case 1:
    return {true, false, false};
  case 2:
    return {false, true, false};
  case 3:
    return {false, false, true};
  default:
    return {true, true, true};
  }
}

std::array<double, kScopeSamples> scopeTraceValues(const ScopeTrace &trace) {
  std::array<double, kScopeSamples> v{};
  for (std::size_t k = 0; k < kScopeSamples; ++k)
    v[k] = trace[k];
  return v;
}

} // namespace quorvane
