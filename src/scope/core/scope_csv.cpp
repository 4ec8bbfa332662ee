#include "scope/core/scope_csv.h"

namespace quorvane {

std::array<std::string_view, 3> scopeSignalNames(int recordedSignal) {
  switch (recordedSignal) {
  case 1:
    return {"X s", "Y i", "INT M"};
  case 2:
    return {"ANALOG OUT 1", "ANALOG OUT 2", "ANALOG OUT 3"};
  default:
    return {"RED", "GREEN", "BLUE"};
  }
}

std::string scopeCsvText(const ScopeBuffers &buffers, int recordedSignal) {
  std::string out = "SAMPLE";
  for (std::string_view name : scopeSignalNames(recordedSignal))
    out.append(",").append(name);
  out += ",DIGITAL 0,DIGITAL 1\r\n";
  for (std::size_t i = 0; i < kScopeSamples; ++i) {
    out += std::to_string(i);
    for (const ScopeTrace &trace : buffers.analog)
      out += "," + std::to_string(trace[i]);
    out += "," + std::to_string(buffers.digital[i] & 1U);
    out += "," + std::to_string((buffers.digital[i] >> 1) & 1U);
    out += "\r\n";
  }
  return out;
}

} // namespace quorvane
