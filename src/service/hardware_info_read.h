#pragma once
// The service reads that the hardware initial file needs, free of pages: the calibration
// data and the sensor's hardware information block.
#include "service/core/service_orders.h"

#include <QCoroTask>

#include <cstdint>
#include <optional>
#include <vector>

namespace quorvane {

class SensorLink;

// Calibration factors and offsets (order 102) as far as the reply goes. Empty when the
// exchange failed (reported by the link).
QCoro::Task<std::optional<PartialCalibrationData>> readCalibrationData(SensorLink &link);

// The hardware information block (order 194), its announced length. Empty when the
// exchange failed (reported by the link).
QCoro::Task<std::optional<std::vector<std::uint8_t>>> readHardwareInfoBlock(SensorLink &link);

} // namespace quorvane
