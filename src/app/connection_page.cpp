#include "app/connection_page.h"

#include "app/core/panel_settings.h"
#include "link/core/baud_rate.h"
#include "link/core/serial_device_names.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/shell.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSerialPortInfo>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvane {
namespace {

const QString kTryToConnectHelp = QStringLiteral("Try to connect sensor.");
const QString kDisconnectHelp = QStringLiteral("Disconnect from sensor.!");
const QString kAcceptHelp =
    QStringLiteral("Accept settings for communication \nand switch to parapanel. ");
const QString kChangeBaudrateHelp = QStringLiteral(
    "Save selected Baudrate to sensor. \n\nConfirm new baudrate with EEPROM and SEND.");
const QString kHardwareInfoHelp = QStringLiteral(
    "Save Hardware Initial File to disk. \nSend this file to your supplier for assistance.");
const QString kProtocolHelp = QStringLiteral("Select RS232 or TCP/IP Interface. ");
const QString kComPortHelp = QStringLiteral("Select a serial COM-PORT.");
const QString kBaudRateHelp =
    QStringLiteral("Select the Baudrate for data transfer. \n\nAttention! Sensor and user "
                   "surface \nmust work with the same Baudrate. ");
const QString kIpAddressHelp = QStringLiteral("Select a Server by name or IP address.");
const QString kPortNumberHelp = QStringLiteral("Select a port number.");
const QString kPanelIdHelp = QStringLiteral(
    "Insert sensor identification. \nThis ID will be displayed in some panels of the software.");
const QString kLogHelp =
    QStringLiteral("Messages of the connection: attempts, the firmware and serial number of the "
                   "connected sensor, and every communication error.");

QPushButton *pageButton(const QString &label, QWidget *parent) {
  auto *button = new QPushButton(label, parent);
  button->setAccessibleName(label);
  button->setMinimumHeight(28);
  return button;
}

QLabel *caption(const QString &text, QWidget *parent) {
  return new QLabel(text, parent);
}

} // namespace

ConnectionPage::ConnectionPage(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), dialogs_(dialogs) {
  setAccessibleName(QStringLiteral("CONNECTION"));
  buildControls();
  installPageHelp();
  connectCallbacks();
  showProtocolControls();
}

void ConnectionPage::buildControls() {
  protocol_ = new QComboBox(this);
  protocol_->addItems({QStringLiteral("RS232"), QStringLiteral("TCP/IP")});
  protocol_->setAccessibleName(QStringLiteral("PROTOCOL"));

  comPort_ = new QComboBox(this);
  comPort_->setEditable(true);
  comPort_->setInsertPolicy(QComboBox::NoInsert);
  comPort_->setAccessibleName(QStringLiteral("COM PORT"));
  comPort_->setMinimumContentsLength(14);
  fillSerialDevices();

  baudRate_ = new QComboBox(this);
  for (const std::int32_t rate : kBaudRates)
    baudRate_->addItem(QString::number(rate));
  baudRate_->setCurrentIndex(kDefaultBaudCode);
  baudRate_->setAccessibleName(QStringLiteral("BAUDRATE"));

  ipAddress_ = new QComboBox(this);
  ipAddress_->setEditable(true);
  ipAddress_->setInsertPolicy(QComboBox::NoInsert);
  ipAddress_->setMaxCount(kMaxIpAddresses);
  ipAddress_->lineEdit()->setMaxLength(kMaxIpAddressLength);
  ipAddress_->setAccessibleName(QStringLiteral("IP ADDRESS"));
  ipAddress_->setMinimumContentsLength(16);
  // The drop-down list of recent addresses sits on light grey.
  QPalette listPalette = ipAddress_->view()->palette();
  listPalette.setColor(QPalette::Base, QColor(0xE0, 0xE0, 0xE0));
  ipAddress_->view()->setPalette(listPalette);

  portNumber_ = new QLineEdit(QStringLiteral("10001"), this);
  portNumber_->setMaxLength(kMaxPortNumberLength);
  portNumber_->setAccessibleName(QStringLiteral("PORT NUMBER"));
  portNumber_->setMaximumWidth(90);

  tryToConnect_ = pageButton(QStringLiteral("TRY TO CONNECT"), this);
  disconnect_ = pageButton(QStringLiteral("DISCONNECT"), this);
  accept_ = pageButton(QStringLiteral("ACCEPT"), this);
  changeBaudrate_ = pageButton(QStringLiteral("CHANGE BAUDRATE"), this);
  hardwareInfo_ = pageButton(QStringLiteral("HARDWARE INFO FILE"), this);

  panelId_ = new QLineEdit(this);
  panelId_->setMaxLength(kMaxPanelIdLength);
  panelId_->setAccessibleName(QStringLiteral("PANEL ID"));

  log_ = new QPlainTextEdit(this);
  log_->setReadOnly(true);
  log_->setAccessibleName(QStringLiteral("CONNECTION LOG"));
  log_->setMinimumHeight(120);

  comPortLabel_ = caption(QStringLiteral("COM PORT"), this);
  baudRateLabel_ = caption(QStringLiteral("BAUDRATE"), this);
  ipAddressLabel_ = caption(QStringLiteral("IP ADDRESS"), this);
  portNumberLabel_ = caption(QStringLiteral("PORT NUMBER"), this);

  auto *settings = new QGridLayout;
  settings->setColumnStretch(1, 1);
  settings->addWidget(caption(QStringLiteral("PROTOCOL"), this), 0, 0);
  settings->addWidget(protocol_, 0, 1, Qt::AlignLeft);
  settings->addWidget(comPortLabel_, 1, 0);
  settings->addWidget(comPort_, 1, 1);
  settings->addWidget(baudRateLabel_, 2, 0);
  settings->addWidget(baudRate_, 2, 1, Qt::AlignLeft);
  settings->addWidget(ipAddressLabel_, 3, 0);
  settings->addWidget(ipAddress_, 3, 1);
  settings->addWidget(portNumberLabel_, 4, 0);
  settings->addWidget(portNumber_, 4, 1, Qt::AlignLeft);

  auto *buttons = new QGridLayout;
  buttons->addWidget(tryToConnect_, 0, 0);
  buttons->addWidget(disconnect_, 0, 1);
  buttons->addWidget(accept_, 0, 2);
  buttons->addWidget(hardwareInfo_, 1, 0);
  buttons->addWidget(changeBaudrate_, 1, 1);

  auto *id = new QHBoxLayout;
  id->addWidget(caption(QStringLiteral("PANEL ID"), this));
  id->addWidget(panelId_, 1);

  auto *column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addLayout(settings);
  column->addLayout(buttons);
  column->addLayout(id);
  column->addWidget(caption(QStringLiteral("CONNECTION LOG"), this));
  column->addWidget(log_, 1);
}

void ConnectionPage::installPageHelp() {
  installHelp({{tryToConnect_, kTryToConnectHelp},
               {disconnect_, kDisconnectHelp},
               {accept_, kAcceptHelp},
               {changeBaudrate_, kChangeBaudrateHelp},
               {hardwareInfo_, kHardwareInfoHelp},
               {protocol_, kProtocolHelp},
               {comPort_, kComPortHelp},
               {baudRate_, kBaudRateHelp},
               {ipAddress_, kIpAddressHelp},
               {portNumber_, kPortNumberHelp},
               {panelId_, kPanelIdHelp},
               {log_, kLogHelp}},
              dialogs_);
  // The editable combo boxes take right clicks on their text field.
  installHelp(comPort_->lineEdit(), kComPortHelp, dialogs_);
  installHelp(ipAddress_->lineEdit(), kIpAddressHelp, dialogs_);
}

void ConnectionPage::fillSerialDevices() {
  QList<QSerialPortInfo> ports;
  for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
    if (isListedSerialDevice(info.systemLocation().toStdString())) ports << info;
  std::sort(ports.begin(), ports.end(), [](const QSerialPortInfo &a, const QSerialPortInfo &b) {
    return a.systemLocation() < b.systemLocation();
  });
  // The path stays the item's value; what the system knows of the adapter is its tool tip.
  for (const QSerialPortInfo &info : ports) {
    comPort_->addItem(info.systemLocation());
    const std::string about =
        serialPortDescription(info.description().toStdString(), info.manufacturer().toStdString(),
                              info.serialNumber().toStdString());
    if (!about.empty())
      comPort_->setItemData(comPort_->count() - 1, QString::fromStdString(about), Qt::ToolTipRole);
  }
}

void ConnectionPage::connectCallbacks() {
  connect(tryToConnect_, &QPushButton::clicked, this, [this] { tryToConnectClicked(); });
  connect(disconnect_, &QPushButton::clicked, this, [this] { disconnectClicked(); });
  connect(accept_, &QPushButton::clicked, this, [this] { acceptClicked(); });
  connect(changeBaudrate_, &QPushButton::clicked, this, [this] { changeBaudrateClicked(); });
  connect(hardwareInfo_, &QPushButton::clicked, this, [this] { hardwareInfoFileClicked(); });
  // Only the operator's changes count; values written at start-up change nothing else.
  connect(protocol_, &QComboBox::activated, this, [this] { protocolChanged(); });
  connect(comPort_, &QComboBox::activated, this, [this] { comPortChanged(); });
  connect(comPort_, &QComboBox::currentIndexChanged, this, [this](int index) {
    comPort_->setToolTip(comPort_->itemData(index, Qt::ToolTipRole).toString());
  });
  connect(comPort_->lineEdit(), &QLineEdit::textEdited, this, [this] { comPortChanged(); });
  connect(baudRate_, &QComboBox::activated, this, [this] { baudRateChanged(); });
  connect(ipAddress_, &QComboBox::activated, this, [this] { ipAddressCommitted(); });
  connect(ipAddress_->lineEdit(), &QLineEdit::returnPressed, this,
          [this] { ipAddressCommitted(); });
  // A typed but not yet committed address is not the verified one either.
  connect(ipAddress_->lineEdit(), &QLineEdit::textEdited, this,
          [this] { accept_->setEnabled(false); });
  connect(portNumber_, &QLineEdit::textEdited, this, [this] { portNumberEdited(); });
  connect(panelId_, &QLineEdit::editingFinished, this, [this] { panelIdCommitted(); });
}

void ConnectionPage::attach(Shell &shell, const SensorLink &link, ConnectionActions &actions) {
  shell_ = &shell;
  link_ = &link;
  actions_ = &actions;
}

// --- values ---

CommunicationSettings ConnectionPage::readSettings() const {
  CommunicationSettings s;
  s.protocol = protocol_->currentIndex() == 1 ? Protocol::Tcp : Protocol::Rs232;
  s.comDevice = comPort_->currentText().trimmed().toStdString();
  s.comPort = comPortForDevice(s.comDevice, comPortNumber_);
  s.baudCode = static_cast<std::uint16_t>(std::max(0, baudRate_->currentIndex()));
  s.ipAddress = ipAddress_->currentText().trimmed().toStdString();
  s.portNumber = portNumber_->text().toStdString();
  return s;
}

void ConnectionPage::writeSettings(const CommunicationSettings &settings) {
  protocol_->setCurrentIndex(settings.protocol == Protocol::Tcp ? 1 : 0);
  comPortNumber_ = settings.comPort;
  const QString device = QString::fromStdString(
      settings.comDevice.empty() ? defaultSerialDevice(settings.comPort) : settings.comDevice);
  comPort_->setEditText(device);
  // Codes outside the table open the port at 115200; the selector shows that.
  baudRate_->setCurrentIndex(settings.baudCode < kBaudRates.size() ? settings.baudCode
                                                                   : kDefaultBaudCode);
  ipAddress_->setEditText(QString::fromStdString(settings.ipAddress).left(kMaxIpAddressLength));
  portNumber_->setText(QString::fromStdString(settings.portNumber).left(kMaxPortNumberLength));
}

void ConnectionPage::showProtocolControls() {
  const bool serial = protocol_->currentIndex() != 1;
  for (QWidget *w : {static_cast<QWidget *>(comPortLabel_), static_cast<QWidget *>(comPort_),
                     static_cast<QWidget *>(baudRateLabel_), static_cast<QWidget *>(baudRate_),
                     static_cast<QWidget *>(changeBaudrate_)})
    w->setVisible(serial);
  for (QWidget *w : {static_cast<QWidget *>(ipAddressLabel_), static_cast<QWidget *>(ipAddress_),
                     static_cast<QWidget *>(portNumberLabel_), static_cast<QWidget *>(portNumber_)})
    w->setVisible(!serial);
}

QStringList ConnectionPage::ipAddresses() const {
  QStringList list;
  for (int i = 0; i < ipAddress_->count(); ++i)
    list << ipAddress_->itemText(i);
  return list;
}

void ConnectionPage::setIpAddresses(const QStringList &addresses) {
  const QString typed = ipAddress_->currentText();
  ipAddress_->clear();
  ipAddress_->addItems(addresses.mid(0, kMaxIpAddresses));
  ipAddress_->setEditText(typed);
}

QString ConnectionPage::panelId() const {
  return panelId_->text();
}
void ConnectionPage::setPanelId(const QString &id) {
  panelId_->setText(id);
}

void ConnectionPage::appendLog(const QString &text) {
  QTextCursor cursor = log_->textCursor();
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(text);
  log_->setTextCursor(cursor);
  log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

QString ConnectionPage::logText() const {
  return log_->toPlainText();
}

void ConnectionPage::setVerifiedLinkButtonsDimmed(bool dimmed) {
  accept_->setEnabled(!dimmed);
  changeBaudrate_->setEnabled(!dimmed);
  hardwareInfo_->setEnabled(!dimmed);
}

void ConnectionPage::setOfflineControlsEnabled() {
  tryToConnect_->setEnabled(true);
  baudRate_->setEnabled(true);
}

void ConnectionPage::setRetryControlsEnabled() {
  setOfflineControlsEnabled();
  disconnect_->setEnabled(true);
}

// --- callbacks ---

QCoro::Task<> ConnectionPage::tryToConnectClicked() {
  if (!actions_) co_return;
  shell_->setBusy(false, true);
  co_await actions_->onTryToConnect();
  if (link_->linkOk()) shell_->setBusy(false, false);
}

void ConnectionPage::disconnectClicked() {
  if (actions_) actions_->onDisconnect();
}

void ConnectionPage::acceptClicked() {
  if (!actions_) return;
  actions_->onStorePanelSettings();
  shell_->showPage(MainPage::Parameters);
}

QCoro::Task<> ConnectionPage::changeBaudrateClicked() {
  if (!actions_) co_return;
  shell_->setBusy(false, true);
  setVerifiedLinkButtonsDimmed(true);
  if (co_await actions_->onChangeBaudrate()) shell_->setBusy(false, false);
}

void ConnectionPage::hardwareInfoFileClicked() {
  if (actions_) actions_->onGenerateHwInfoFile();
}

void ConnectionPage::protocolChanged() {
  showProtocolControls();
  setVerifiedLinkButtonsDimmed(true);
}

void ConnectionPage::comPortChanged() {
  setVerifiedLinkButtonsDimmed(true);
}

void ConnectionPage::baudRateChanged() {
  accept_->setEnabled(false);
}

void ConnectionPage::ipAddressCommitted() {
  accept_->setEnabled(false);
  const QString typed = ipAddress_->currentText().trimmed();
  if (typed.isEmpty()) return;
  std::vector<std::string> list;
  for (const QString &address : ipAddresses())
    list.push_back(address.toStdString());
  pushIpAddress(list, typed.toStdString());
  QStringList addresses;
  for (const std::string &address : list)
    addresses << QString::fromStdString(address);
  setIpAddresses(addresses);
  ipAddress_->setCurrentIndex(0);
}

void ConnectionPage::portNumberEdited() {
  accept_->setEnabled(false);
}

void ConnectionPage::panelIdCommitted() {
  if (actions_) actions_->onPanelIdCommitted(panelId_->text());
}

} // namespace quorvane
