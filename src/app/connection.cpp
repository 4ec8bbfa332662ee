#include "app/connection.h"

#include "link/core/connection_texts.h"
#include "link/core/firmware.h"
#include "link/core/link_messages.h"
#include "link/sensor_connect.h"
#include "link/sensor_link.h"
#include "params/parameter_data.h"
#include "params/parameter_transfer.h"
#include "ui/dialogs.h"
#include "ui/shell.h"
#include "ui/wait_cursor.h"

namespace quorvane {

namespace {

QString text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

Connection::Connection(SensorLink &link, Shell &shell, Dialogs &dialogs, ParameterData &params,
                       ParameterTransfer &transfer, QObject *parent)
    : QObject(parent), link_(link), shell_(shell), dialogs_(dialogs), params_(params),
      transfer_(transfer) {}

QCoro::Task<ConnectOutcome> Connection::tryToConnect() {
  link_.closeSerial();
  shell_.setConnectionStatus(text(connecttext::kTryToConnectStatus));
  shell_.appendConnectionLog(text(connecttext::kTryToConnectLog));
  const CommunicationSettings s = link_.settings();
  Q_EMIT transportChosen(s.protocol, s.comPort, QString::fromStdString(s.ipAddress));
  int result = 0;
  {
    // A connect may take seconds; a serial open is immediate.
    std::optional<WaitCursor> cursor;
    if (s.protocol == Protocol::Tcp) cursor.emplace();
    result = co_await openTransport(link_);
  }
  if (result >= 0) co_return co_await runHandshake();
  if (const QString diagnosis = serialOpenDiagnosisLine(link_, result); !diagnosis.isEmpty())
    shell_.appendConnectionLog(diagnosis);
  co_return failureDialog(text(connecttext::kConnectionFailed));
}

QCoro::Task<ConnectOutcome> Connection::runHandshake() {
  const SensorIdentification id = co_await identifySensor(link_);
  if (!id.answered) co_return failureDialog(text(connecttext::kConnectionFailed));

  const std::string &firmware = id.firmware;
  Q_EMIT firmwareIdentified(QString::fromLatin1(link_.firmwareText()));
  serialNumber_ = id.serialNumber;

  const FirmwareParts &parts = id.parts;
  if (!id.matches)
    co_return failureDialog(
        QString::fromLatin1(connecttext::firmwareMismatch(firmwareVersion(parts), serialNumber_)));

  const QString display = QString::fromLatin1(firmwareDisplayText(parts));
  shell_.setConnectionStatus(display);
  shell_.appendConnectionLog(display);
  shell_.appendConnectionLog(QString::fromLatin1(connecttext::serialNumberLog(serialNumber_)));
  // Said before GetPara and before any SEND: the operator's table may belong to the other.
  const connecttext::SensorIdentity identity{firmware, serialNumber_};
  if (knownSensor_) {
    const std::string changed = connecttext::sensorChangedLog(*knownSensor_, identity);
    if (!changed.empty()) shell_.appendConnectionLog(QString::fromLatin1(changed));
  }
  knownSensor_ = identity;
  link_.markVerified();
  co_await transfer_.readParameters(params_.memory());
  if (link_.linkOk()) Q_EMIT linkVerified();
  co_return ConnectOutcome::Connected;
}

ConnectOutcome Connection::failureDialog(const QString &message) {
  const int pressed =
      dialogs_.choice(text(connecttext::kDialogTitle), message,
                      {text(connecttext::kCloseButton), text(connecttext::kOfflineButton)},
                      1); // OFFLINE ends nothing: the settings changed so far are kept
  if (pressed == 1) {
    goOffline();
    return ConnectOutcome::Offline;
  }
  Q_EMIT closeRequested();
  return ConnectOutcome::CloseRequested;
}

void Connection::goOffline() {
  shell_.setBusy(false, true);
  // A loop still running would only time out against the closed port.
  link_.stopAcquisition();
  link_.closeSerial();
  if (link_.tcpConnected()) link_.disconnectTcp();
  shell_.setConnectionStatus(text(connecttext::kNoSensorStatus));
  shell_.appendConnectionLog(text(connecttext::kNoSensorLog));
  params_.setMemory(ParameterMemory::File);
  link_.markOffline();
  Q_EMIT offline();
}

QCoro::Task<> Connection::changeBaudRate() {
  // The sensor's TCP side has no line speed; the page offers this for RS-232 only.
  if (link_.settings().protocol != Protocol::Rs232) co_return;
  const std::uint16_t newCode = link_.settings().baudCode;
  shell_.appendConnectionLog(text(connecttext::kTryChangeBaudrateLog));
  // Still at the old speed: the port keeps it until it is reopened.
  if (!co_await link_.request(Order::SetBaudRate, newCode)) co_return;
  shell_.appendConnectionLog(text(connecttext::kSuccessLog));
  (void)link_.openSerialPort();
  link_.markVerified();
  co_await tryToConnect();
  if (link_.linkOk()) shell_.appendConnectionLog(text(connecttext::kConfirmBaudrateLog));
}

} // namespace quorvane
