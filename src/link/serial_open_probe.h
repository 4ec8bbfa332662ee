#pragma once
// Asks the system why a serial device could not be opened: does it exist, may this user
// write to it, which processes hold it.
#include "link/core/serial_diagnosis.h"

#include <QString>

namespace quorvane {

[[nodiscard]] SerialOpenProbe probeSerialOpenFailure(const QString &device);

} // namespace quorvane
