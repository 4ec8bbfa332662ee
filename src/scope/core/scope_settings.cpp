#include "scope/core/scope_settings.h"

#include "link/core/bytes.h"

namespace quorvane {

std::array<std::uint8_t, kScopeStartPayloadBytes> encodeScopeStart(const ScopeSettings &s) {
  std::array<std::uint8_t, kScopeStartPayloadBytes> out{};
  putLe16(&out[0], s.triggerLevel);
  putLe16(&out[2], s.triggerMode);
  putLe16(&out[4], s.preTrigger);
  putLe16(&out[6], s.scanRate);
  putLe16(&out[8], s.recordedSignal);
  return out;
}

std::string_view checkScopeSettings(const ScopeSettings &s) {
  if (s.triggerMode != 0 && s.preTrigger >= kScopeSamples) return kPreTriggerOutOfRange;
  return {};
}

ScopeTriggerControls scopeTriggerControlsFor(int triggerMode) {
  switch (triggerMode) {
  case 0:
    return {false, false};
  case 3:
  case 4:
    return {true, false};
  default:
    return {true, true};
  }
}

} // namespace quorvane
