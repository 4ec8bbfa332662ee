#pragma once
// Reaching the sensor, for every program that talks to it: open the transport the settings
// name, say why a serial device would not open, and identify the sensor that answers.
#include "link/core/firmware.h"

#include <QCoroTask>
#include <QString>

#include <cstdint>
#include <string>

namespace quorvane {

class SensorLink;

// Opens the serial port or connects to the TCP server of the link's settings. 0 or more on
// success; a negative code on failure, already reported through the link.
QCoro::Task<int> openTransport(SensorLink &link);

// After a failed serial open: the log line with the cause and the fix, empty when the
// result has no cause the system can name (a bad line speed or port number says itself).
[[nodiscard]] QString serialOpenDiagnosisLine(const SensorLink &link, int result);

// What the identification handshake told.
struct SensorIdentification {
  bool answered = false; // a reply came (a failure was reported through the link)
  std::string firmware;  // the firmware text, at most 72 bytes
  std::uint16_t serialNumber = 0;
  FirmwareParts parts;
  bool matches = false; // the firmware version is the one this tool works with
};

// The handshake (order 7) on an open transport.
QCoro::Task<SensorIdentification> identifySensor(SensorLink &link);

} // namespace quorvane
