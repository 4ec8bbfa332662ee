#pragma once
// Connecting to the sensor: open the chosen transport, identify the sensor, refuse other
// firmware, fall back to offline work, and change the serial line speed.
//
// The connection page hands its controls to SensorLink::setSettings before calling in here;
// what the page and the main window must show in return arrives through Shell and the
// signals below.
#include "link/core/communication_settings.h"
#include "link/core/connection_texts.h"

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

namespace quorvane {

class Dialogs;
class ParameterTransfer;
class SensorLink;
class Shell;
class ParameterData;

// How a connection attempt ended.
enum class ConnectOutcome {
  Connected,      // matching firmware answered (the parameter read may still have failed)
  Offline,        // the operator chose OFFLINE after a failure
  CloseRequested, // the operator chose CLOSE after a failure: the program is to end
};

class Connection : public QObject {
  Q_OBJECT
public:
  // After a good handshake `transfer` reads the sensor's parameters and teach table
  // (GetPara); it reports its own failures through the link, which clears linkOk.
  Connection(SensorLink &link, Shell &shell, Dialogs &dialogs, ParameterData &params,
             ParameterTransfer &transfer, QObject *parent = nullptr);

  QCoro::Task<ConnectOutcome> tryToConnect();
  // The handshake on an open transport.
  QCoro::Task<ConnectOutcome> runHandshake();
  // Closes the transports and enters offline work: memory target FILE.
  void goOffline();
  // Sends the selected speed (settings.baudCode) to the sensor at the old speed, then
  // reopens the port at the new one and connects again. Serial line only.
  QCoro::Task<> changeBaudRate();

  // Serial number reported by the last good handshake.
  std::uint16_t serialNumber() const { return serialNumber_; }

Q_SIGNALS:
  // A connection attempt chose its transport: the measurement panel shows the COM port
  // (protocol 0) or the IP address (protocol 1) beside the status field.
  void transportChosen(Protocol protocol, int comPort, const QString &ipAddress);
  // The firmware text of the identification reply: tool tip of the status field.
  void firmwareIdentified(const QString &firmwareText);
  // A matching sensor answered and its parameters were read (linkOk set): undim ACCEPT,
  // CHANGE BAUDRATE and HARDWARE INFO FILE.
  void linkVerified();
  // Offline work began: FILE selected (already set in the parameter data), every action dimmed
  // but TRY TO CONNECT, the baud-rate selector, SEND and GET.
  void offline();
  // CLOSE was chosen: end the program without storing the panel settings.
  void closeRequested();

private:
  ConnectOutcome failureDialog(const QString &text);

  SensorLink &link_;
  Shell &shell_;
  Dialogs &dialogs_;
  ParameterData &params_;
  ParameterTransfer &transfer_;
  std::uint16_t serialNumber_ = 0;
  // The sensor of the last verified handshake; a reconnect compares against it.
  std::optional<connecttext::SensorIdentity> knownSensor_;
};

} // namespace quorvane
