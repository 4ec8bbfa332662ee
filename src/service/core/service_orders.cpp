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
  if (payload.size() < kCalibrationDataBytes) return std::nullopt;
  return CalibrationData{wordsAt(payload.data()), wordsAt(payload.data() + 6)};
}

std::optional<SelfCalibrationResult> decodeSelfCalibration(std::span<const std::uint8_t> payload) {
  if (payload.size() < kSelfCalibrationBytes) return std::nullopt;
  return SelfCalibrationResult{wordsAt(payload.data()), getLe16(payload.data() + 6),
                               getLe16(payload.data() + 8)};
}

} // namespace quorvane
