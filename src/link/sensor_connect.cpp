#include "link/sensor_connect.h"

#include "link/core/link_messages.h"
#include "link/core/serial_diagnosis.h"
#include "link/sensor_link.h"
#include "link/serial_open_probe.h"

namespace quorvane {

QCoro::Task<int> openTransport(SensorLink &link) {
  if (link.settings().protocol == Protocol::Rs232) co_return link.openSerialPort();
  co_return co_await link.connectTcp();
}

QString serialOpenDiagnosisLine(const SensorLink &link, int result) {
  if (link.settings().protocol != Protocol::Rs232) return {};
  if (result != linktext::rs232::kNoSerialPort && result != linktext::rs232::kCannotOpenPort)
    return {};
  const QString device = link.serialDevice();
  if (device.isEmpty()) return {};
  return QString::fromStdString(serialOpenDiagnosis(probeSerialOpenFailure(device)));
}

QCoro::Task<SensorIdentification> identifySensor(SensorLink &link) {
  SensorIdentification id;
  const LinkReply reply = co_await link.requestIdentity();
  if (!reply) co_return id;
  id.answered = true;
  id.firmware = link.firmwareText().toStdString();
  id.serialNumber = reply.header.argument;
  id.parts = splitFirmware(id.firmware);
  id.matches = firmwareMatches(id.parts);
  co_return id;
}

} // namespace quorvane
