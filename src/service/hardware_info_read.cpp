#include "service/hardware_info_read.h"

#include "link/sensor_link.h"

namespace quorvane {

QCoro::Task<std::optional<PartialCalibrationData>> readCalibrationData(SensorLink &link) {
  const LinkReply reply = co_await link.request(kGetCFOrder.order, kGetCFOrder.argument);
  if (!reply) co_return std::nullopt;
  co_return decodePartialCalibrationData(reply.payload);
}

QCoro::Task<std::optional<std::vector<std::uint8_t>>> readHardwareInfoBlock(SensorLink &link) {
  LinkReply reply = co_await link.request(kHardwareInfoOrder.order, kHardwareInfoOrder.argument);
  if (!reply) co_return std::nullopt;
  co_return std::move(reply.payload);
}

} // namespace quorvane
