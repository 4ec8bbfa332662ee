#pragma once
// The connection page of the main panel: protocol, serial port and baud rate or server
// address and port, the connection buttons, the sensor identification and the log.
// The page reads and shows values; connecting is done by the actions it is given.
#include "link/sensor_link.h"

#include <QCoroTask>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quorvane {

class Dialogs;
class Shell;

// What the page's buttons start; the application carries them out.
class ConnectionActions {
public:
  virtual ~ConnectionActions() = default;
  virtual QCoro::Task<> onTryToConnect() = 0;
  virtual void onDisconnect() = 0;
  // Resumes with whether the busy lock may be released (not after OFFLINE or CLOSE).
  virtual QCoro::Task<bool> onChangeBaudrate() = 0;
  virtual void onStorePanelSettings() = 0;
  virtual void onGenerateHwInfoFile() = 0;
  virtual void onPanelIdCommitted(const QString &id) = 0;
};

class ConnectionPage : public QWidget {
  Q_OBJECT
public:
  static constexpr int kMaxIpAddresses = 10;
  static constexpr int kMaxPanelIdLength = 99;    // 100-byte field with its terminator
  static constexpr int kMaxIpAddressLength = 255; // 256-byte field
  static constexpr int kMaxPortNumberLength = 31; // 32-byte field

  explicit ConnectionPage(Dialogs &dialogs, QWidget *parent = nullptr);

  // Connects the buttons to the shell's busy lock and the link's state.
  void attach(Shell &shell, const SensorLink &link, ConnectionActions &actions);

  // The five values of the page (COM port number and device path together).
  [[nodiscard]] CommunicationSettings readSettings() const;
  void writeSettings(const CommunicationSettings &settings);
  // Shows the controls of the protocol selected on the page.
  void showProtocolControls();

  // The IP address list, newest first.
  [[nodiscard]] QStringList ipAddresses() const;
  void setIpAddresses(const QStringList &addresses);

  [[nodiscard]] QString panelId() const;
  void setPanelId(const QString &id);

  void appendLog(const QString &text);
  [[nodiscard]] QString logText() const;

  // Offline work: TRY TO CONNECT and the baud-rate selector stay usable.
  void setOfflineControlsEnabled();
  // After an attempt that failed past the handshake: another attempt, or DISCONNECT.
  void setRetryControlsEnabled();
  // Accept, change-baud-rate and hardware-info-file: usable only after a handshake.
  void setVerifiedLinkButtonsDimmed(bool dimmed);

  // --- callbacks ---
  QCoro::Task<> tryToConnectClicked();
  void disconnectClicked();
  void acceptClicked();
  QCoro::Task<> changeBaudrateClicked();
  void hardwareInfoFileClicked();
  void protocolChanged();
  void comPortChanged();
  void baudRateChanged();
  void ipAddressCommitted();
  void portNumberEdited();
  void panelIdCommitted();

  // --- controls ---
  QComboBox *protocolSelector() const { return protocol_; }
  QComboBox *comPortSelector() const { return comPort_; }
  QComboBox *baudRateSelector() const { return baudRate_; }
  QComboBox *ipAddressList() const { return ipAddress_; }
  QLineEdit *portNumberField() const { return portNumber_; }
  QLineEdit *panelIdField() const { return panelId_; }
  QPlainTextEdit *log() const { return log_; }
  QPushButton *tryToConnectButton() const { return tryToConnect_; }
  QPushButton *disconnectButton() const { return disconnect_; }
  QPushButton *acceptButton() const { return accept_; }
  QPushButton *changeBaudrateButton() const { return changeBaudrate_; }
  QPushButton *hardwareInfoButton() const { return hardwareInfo_; }

private:
  void buildControls();
  void installPageHelp();
  void fillSerialDevices();
  void connectCallbacks();

  Dialogs &dialogs_;
  Shell *shell_ = nullptr;
  const SensorLink *link_ = nullptr;
  ConnectionActions *actions_ = nullptr;
  // The number kept for a device whose name does not carry one.
  std::uint16_t comPortNumber_ = 1;

  QLabel *comPortLabel_ = nullptr;
  QLabel *baudRateLabel_ = nullptr;
  QLabel *ipAddressLabel_ = nullptr;
  QLabel *portNumberLabel_ = nullptr;
  QComboBox *protocol_ = nullptr;
  QComboBox *comPort_ = nullptr;
  QComboBox *baudRate_ = nullptr;
  QComboBox *ipAddress_ = nullptr;
  QLineEdit *portNumber_ = nullptr;
  QLineEdit *panelId_ = nullptr;
  QPlainTextEdit *log_ = nullptr;
  QPushButton *tryToConnect_ = nullptr;
  QPushButton *disconnect_ = nullptr;
  QPushButton *accept_ = nullptr;
  QPushButton *changeBaudrate_ = nullptr;
  QPushButton *hardwareInfo_ = nullptr;
};

} // namespace quorvane
