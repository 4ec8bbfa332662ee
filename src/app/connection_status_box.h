#pragma once
// The connection status fields at the top of the measurement panel: the COM port or the
// server address in use, and the status text (the sensor's firmware once connected,
// "TIMEOUT!" after a link failure).
#include <QWidget>

class QLabel;
class QLineEdit;

namespace quorvane {

class Dialogs;

class ConnectionStatusBox : public QWidget {
  Q_OBJECT
public:
  explicit ConnectionStatusBox(Dialogs &dialogs, QWidget *parent = nullptr);

  void setComPort(const QString &text);
  void setIpAddress(const QString &text);
  // RS-232 shows the COM port field, TCP/IP the address field.
  void showSerialFields(bool serial);
  void setStatus(const QString &text);
  void setStatusToolTip(const QString &text);

  QString status() const;
  QLineEdit *statusField() const { return status_; }
  QLineEdit *comPortField() const { return comPort_; }
  QLineEdit *ipAddressField() const { return ipAddress_; }

private:
  QLabel *comPortLabel_;
  QLineEdit *comPort_;
  QLabel *ipAddressLabel_;
  QLineEdit *ipAddress_;
  QLineEdit *status_;
};

} // namespace quorvane
