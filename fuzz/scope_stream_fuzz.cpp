// The scope stream assembler on an arbitrary byte stream cut into arbitrary chunks.
#include "scope/core/scope_stream.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  using namespace quorvane;
  FuzzedDataProvider in(data, size);
  const auto transport = in.ConsumeBool() ? ScopeTransport::Tcp : ScopeTransport::Serial;
  ScopeSettings settings;
  settings.triggerLevel = in.ConsumeIntegral<std::uint16_t>();
  settings.triggerMode = in.ConsumeIntegralInRange<std::uint16_t>(0, 5);
  settings.preTrigger = in.ConsumeIntegralInRange<std::uint16_t>(0, 130);
  settings.scanRate = in.ConsumeIntegralInRange<std::uint16_t>(0, 20);
  settings.recordedSignal = in.ConsumeIntegralInRange<std::uint16_t>(0, 3);
  const std::size_t chunk = in.ConsumeIntegralInRange<std::size_t>(1, 300);
  const std::vector<std::uint8_t> stream = in.ConsumeRemainingBytes<std::uint8_t>();

  ScopeStreamAssembler scope(transport, settings);
  std::size_t at = 0;
  while (at < stream.size()) {
    const std::size_t n = std::min(chunk, stream.size() - at);
    const auto before = scope.state();
    const std::size_t used = scope.feed(std::span(stream).subspan(at, n));
    if (used > n) std::abort();
    if (before != ScopeStreamAssembler::State::Receiving && used != 0) std::abort();
    if (scope.state() == ScopeStreamAssembler::State::Receiving && used != n) std::abort();
    if (scope.blocksReceived() > kScopeBlocks) std::abort();
    if (scope.state() == ScopeStreamAssembler::State::Failed && scope.error().empty()) std::abort();
    at += used == 0 ? n : used;
  }
  if (scope.state() == ScopeStreamAssembler::State::Complete && scope.bytesMissing() != 0)
    std::abort();
  return 0;
}
