#include "app/connection_status_box.h"

#include "ui/help.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace quorvane {
namespace {

QLineEdit *displayField(const QString &name, QWidget *parent) {
  auto *field = new QLineEdit(parent);
  field->setReadOnly(true);
  field->setAccessibleName(name);
  field->setFocusPolicy(Qt::ClickFocus);
  return field;
}

} // namespace

ConnectionStatusBox::ConnectionStatusBox(Dialogs &dialogs, QWidget *parent) : QWidget(parent) {
  comPortLabel_ = new QLabel(QStringLiteral("COM PORT"), this);
  comPort_ = displayField(QStringLiteral("COM PORT"), this);
  comPort_->setMaximumWidth(160);
  ipAddressLabel_ = new QLabel(QStringLiteral("IP ADDRESS"), this);
  ipAddress_ = displayField(QStringLiteral("IP ADDRESS"), this);
  ipAddress_->setMaximumWidth(180);
  auto *statusLabel = new QLabel(QStringLiteral("SENSOR"), this);
  status_ = displayField(QStringLiteral("SENSOR"), this);

  auto *row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(comPortLabel_);
  row->addWidget(comPort_);
  row->addWidget(ipAddressLabel_);
  row->addWidget(ipAddress_);
  row->addSpacing(8);
  row->addWidget(statusLabel);
  row->addWidget(status_, 1);

  installHelp({{comPort_, QStringLiteral("Serial port of the connected sensor.")},
               {ipAddress_, QStringLiteral("Server name or IP address of the connected sensor.")},
               {status_, QStringLiteral("Firmware of the connected sensor, or the state of the "
                                        "connection. \nRest the mouse on it for the full "
                                        "firmware text.")}},
              dialogs);
  showSerialFields(true);
}

void ConnectionStatusBox::setComPort(const QString &text) {
  comPort_->setText(text);
}
void ConnectionStatusBox::setIpAddress(const QString &text) {
  ipAddress_->setText(text);
}

void ConnectionStatusBox::showSerialFields(bool serial) {
  comPortLabel_->setVisible(serial);
  comPort_->setVisible(serial);
  ipAddressLabel_->setVisible(!serial);
  ipAddress_->setVisible(!serial);
}

void ConnectionStatusBox::setStatus(const QString &text) {
  status_->setText(text);
  status_->setCursorPosition(0);
}

void ConnectionStatusBox::setStatusToolTip(const QString &text) {
  status_->setToolTip(text);
}

QString ConnectionStatusBox::status() const {
  return status_->text();
}

} // namespace quorvane
