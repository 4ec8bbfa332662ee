#include "service/core/service_orders.h"

#include "link/core/bytes.h"

namespace quorvane {
namespace {

ChannelWords wordsAt(const std::uint8_t *p) {
  return {getLe16(p), getLe16(p + 2), getLe16(p + 4)};
}

} // namespace

CalibrationWrite calibrationWrite(CalibrationTarget target, const ChannelWords &values) {
  CalibrationWrite w;
  w.argument = static_cast<std::uint16_t>(target);
  for (std::size_t i = 0; i < values.size(); ++i) {
    putLe16(&w.payload[2 * i], values[i]);
  }
  return w;
}

std::optional<CalibrationData> decodeCalibrationData(std::span<const std::uint8_t> payload) {
  const PartialCalibrationData read = decodePartialCalibrationData(payload);
  if (!read.complete()) return std::nullopt;
  return read.data;
}

PartialCalibrationData decodePartialCalibrationData(std::span<const std::uint8_t> payload) {
  PartialCalibrationData read;
  read.receivedBytes = payload.size();
  for (std::size_t i = 0; i < read.wordsReceived(); ++i) {
    ChannelWords &triple = i < 3 ? read.data.factors : read.data.offsets;
    triple[i % 3] = getLe16(payload.data() + 2 * i);
  }
  return read;
}

std::optional<SelfCalibrationResult> decodeSelfCalibration(std::span<const std::uint8_t> payload) {
  if (payload.size() < kSelfCalibrationBytes) return std::nullopt;
  return SelfCalibrationResult{wordsAt(payload.data()), getLe16(payload.data() + 6),
                               getLe16(payload.data() + 8)};
}

} // namespace quorvane
