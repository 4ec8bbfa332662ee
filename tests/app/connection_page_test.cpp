// The connection page: its values, the IP address list, which buttons each change dims,
// the callbacks' busy lock and the help texts.
#include "app/connection_page.h"
#include "support/fake_shell.h"

#include "support/scripted_dialogs.h"
#include "ui/shell.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using testing::ScriptedDialogs;

using RecordingShell = testing::FakeShell;

struct FakeActions : ConnectionActions {
  std::function<void()> tryToConnect, disconnect, storePanelSettings, generateHwInfoFile;
  std::function<bool()> changeBaudrate = [] { return true; };
  std::function<void(const QString &)> panelIdCommitted;
  QCoro::Task<> onTryToConnect() override {
    call(tryToConnect);
    co_return;
  }
  void onDisconnect() override { call(disconnect); }
  QCoro::Task<bool> onChangeBaudrate() override { co_return changeBaudrate(); }
  void onStorePanelSettings() override { call(storePanelSettings); }
  void onGenerateHwInfoFile() override { call(generateHwInfoFile); }
  void onPanelIdCommitted(const QString &id) override {
    if (panelIdCommitted) panelIdCommitted(id);
  }
  static void call(const std::function<void()> &f) {
    if (f) f();
  }
};

class ConnectionPageTest : public ::testing::Test {
protected:
  ScriptedDialogs dialogs;
  ConnectionPage page{dialogs};

  void commitAddress(const QString &text) {
    page.ipAddressList()->setEditText(text);
    page.ipAddressCommitted();
  }
  void rightClick(QWidget *w) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), w->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(w, &event);
  }
};

TEST_F(ConnectionPageTest, IpAddressListIsMostRecentFirstWithoutDuplicates) {
  struct Step {
    QString typed;
    QStringList expected;
  };
  const Step steps[] = {
      {"10.0.0.1", {"10.0.0.1"}},
      {"10.0.0.2", {"10.0.0.2", "10.0.0.1"}},
      {"10.0.0.1", {"10.0.0.1", "10.0.0.2"}},                // moves to the top
      {"10.0.0.1", {"10.0.0.1", "10.0.0.2"}},                // already on top
      {"  10.0.0.3 ", {"10.0.0.3", "10.0.0.1", "10.0.0.2"}}, // blanks trimmed
      {"", {"10.0.0.3", "10.0.0.1", "10.0.0.2"}},            // nothing to remember
      {"Sensor", {"Sensor", "10.0.0.3", "10.0.0.1", "10.0.0.2"}},
      {"sensor", {"sensor", "Sensor", "10.0.0.3", "10.0.0.1", "10.0.0.2"}}, // case counts
  };
  for (const Step &s : steps) {
    commitAddress(s.typed);
    EXPECT_EQ(page.ipAddresses(), s.expected) << s.typed.toStdString();
  }
}

TEST_F(ConnectionPageTest, EleventhAddressDropsTheOldest) {
  for (int i = 0; i < 11; ++i)
    commitAddress(QStringLiteral("192.168.0.%1").arg(i));
  const QStringList list = page.ipAddresses();
  ASSERT_EQ(list.size(), 10);
  EXPECT_EQ(list.front(), "192.168.0.10");
  EXPECT_EQ(list.back(), "192.168.0.1");
  // An address from the middle moves up; nothing drops.
  commitAddress("192.168.0.5");
  EXPECT_EQ(page.ipAddresses().size(), 10);
  EXPECT_EQ(page.ipAddresses().front(), "192.168.0.5");
  EXPECT_TRUE(page.ipAddresses().contains("192.168.0.1"));
}

TEST_F(ConnectionPageTest, EnterInTheAddressFieldCommits) {
  page.ipAddressList()->setEditText("172.16.1.1");
  QTest::keyClick(page.ipAddressList()->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(page.ipAddresses(), QStringList{"172.16.1.1"});
}

TEST_F(ConnectionPageTest, SetIpAddressesKeepsAtMostTen) {
  QStringList many;
  for (int i = 0; i < 15; ++i)
    many << QStringLiteral("h%1").arg(i);
  page.setIpAddresses(many);
  EXPECT_EQ(page.ipAddresses(), many.mid(0, 10));
}

TEST_F(ConnectionPageTest, SettingsRoundTrip) {
  struct Case {
    CommunicationSettings in;
    std::uint16_t expectedBaud;
    QString expectedDevice;
    std::uint16_t expectedPort;
  };
  CommunicationSettings tcp;
  tcp.protocol = Protocol::Tcp;
  tcp.ipAddress = "10.1.2.3";
  tcp.portNumber = "502";
  CommunicationSettings com3;
  com3.comPort = 3;
  com3.baudCode = 7;
  CommunicationSettings usb;
  usb.comPort = 5;
  usb.comDevice = "/dev/ttyUSB0";
  usb.baudCode = 12; // outside the table: 115200
  const Case cases[] = {
      {tcp, 4, "/dev/ttyS0", 1},
      {com3, 7, "/dev/ttyS2", 3},
      {usb, 4, "/dev/ttyUSB0", 5},
  };
  for (const Case &c : cases) {
    page.writeSettings(c.in);
    const CommunicationSettings out = page.readSettings();
    EXPECT_EQ(out.protocol, c.in.protocol);
    EXPECT_EQ(out.comPort, c.expectedPort);
    EXPECT_EQ(out.comDevice, c.expectedDevice.toStdString());
    EXPECT_EQ(out.baudCode, c.expectedBaud);
    EXPECT_EQ(out.ipAddress, c.in.ipAddress);
    EXPECT_EQ(out.portNumber, c.in.portNumber);
  }
}

TEST_F(ConnectionPageTest, TypedDeviceKeepsTheComPortNumber) {
  CommunicationSettings s;
  s.comPort = 4;
  page.writeSettings(s);
  page.comPortSelector()->setEditText("/dev/pts/7");
  EXPECT_EQ(page.readSettings().comDevice, "/dev/pts/7");
  EXPECT_EQ(page.readSettings().comPort, 4);
  page.comPortSelector()->setEditText("/dev/ttyS9");
  EXPECT_EQ(page.readSettings().comPort, 10);
}

TEST_F(ConnectionPageTest, ProtocolShowsItsControls) {
  page.show();
  for (int protocol : {1, 0}) {
    page.protocolSelector()->setCurrentIndex(protocol);
    page.showProtocolControls();
    const bool serial = protocol == 0;
    EXPECT_EQ(page.comPortSelector()->isVisible(), serial);
    EXPECT_EQ(page.baudRateSelector()->isVisible(), serial);
    EXPECT_EQ(page.changeBaudrateButton()->isVisible(), serial);
    EXPECT_EQ(page.ipAddressList()->isVisible(), !serial);
    EXPECT_EQ(page.portNumberField()->isVisible(), !serial);
  }
}

TEST_F(ConnectionPageTest, EachChangeDimsItsButtons) {
  struct Case {
    const char *name;
    std::function<void(ConnectionPage &)> change;
    bool acceptDimmed, changeBaudDimmed, hwInfoDimmed;
  };
  const Case cases[] = {
      {"protocol", [](ConnectionPage &p) { p.protocolChanged(); }, true, true, true},
      {"com port", [](ConnectionPage &p) { p.comPortChanged(); }, true, true, true},
      {"baud rate", [](ConnectionPage &p) { p.baudRateChanged(); }, true, false, false},
      {"ip address", [](ConnectionPage &p) { p.ipAddressCommitted(); }, true, false, false},
      {"port number", [](ConnectionPage &p) { p.portNumberEdited(); }, true, false, false},
      {"typed port", [](ConnectionPage &p) { QTest::keyClicks(p.portNumberField(), "1"); }, true,
       false, false},
  };
  for (const Case &c : cases) {
    page.setVerifiedLinkButtonsDimmed(false);
    c.change(page);
    EXPECT_EQ(!page.acceptButton()->isEnabled(), c.acceptDimmed) << c.name;
    EXPECT_EQ(!page.changeBaudrateButton()->isEnabled(), c.changeBaudDimmed) << c.name;
    EXPECT_EQ(!page.hardwareInfoButton()->isEnabled(), c.hwInfoDimmed) << c.name;
  }
}

TEST_F(ConnectionPageTest, TryToConnectReleasesTheLockOnlyWithAVerifiedLink) {
  RecordingShell shell;
  SensorLink link;
  for (bool ok : {false, true}) {
    shell.dims.clear();
    FakeActions actions;
    actions.tryToConnect = [&link, ok] { ok ? link.markVerified() : link.markOffline(); };
    page.attach(shell, link, actions);
    page.tryToConnectButton()->click();
    const std::vector<std::pair<bool, bool>> expected =
        ok ? std::vector<std::pair<bool, bool>>{{false, true}, {false, false}}
           : std::vector<std::pair<bool, bool>>{{false, true}};
    EXPECT_EQ(shell.dims, expected) << "linkOk " << ok;
  }
}

TEST_F(ConnectionPageTest, ChangeBaudrateDimsTheVerifiedButtonsAndAsksBeforeReleasing) {
  RecordingShell shell;
  SensorLink link;
  for (bool release : {true, false}) {
    shell.dims.clear();
    page.setVerifiedLinkButtonsDimmed(false);
    bool dimmedDuring = false;
    FakeActions actions;
    actions.changeBaudrate = [&] {
      dimmedDuring = !page.acceptButton()->isEnabled() &&
                     !page.changeBaudrateButton()->isEnabled() &&
                     !page.hardwareInfoButton()->isEnabled();
      return release;
    };
    page.attach(shell, link, actions);
    QCoro::waitFor(page.changeBaudrateClicked());
    EXPECT_TRUE(dimmedDuring);
    EXPECT_EQ(shell.dims.size(), release ? 2u : 1u);
  }
}

TEST_F(ConnectionPageTest, AcceptStoresAndShowsTheParameterPage) {
  RecordingShell shell;
  SensorLink link;
  int stored = 0;
  FakeActions actions;
  actions.storePanelSettings = [&] { ++stored; };
  page.attach(shell, link, actions);
  page.acceptButton()->click();
  EXPECT_EQ(stored, 1);
  EXPECT_EQ(shell.pagesShown, std::vector<MainPage>{MainPage::Parameters});
}

TEST_F(ConnectionPageTest, PanelIdCommitIsPassedOn) {
  RecordingShell shell;
  SensorLink link;
  QString committed;
  FakeActions actions;
  actions.panelIdCommitted = [&](const QString &id) { committed = id; };
  page.attach(shell, link, actions);
  page.panelIdField()->setText("Line 7 left");
  QTest::keyClick(page.panelIdField(), Qt::Key_Return);
  EXPECT_EQ(committed, "Line 7 left");
  EXPECT_EQ(page.panelIdField()->maxLength(), 99);
}

TEST_F(ConnectionPageTest, LogAppendsTextAsItStands) {
  page.appendLog("TRY TO CONNECT!\n");
  page.appendLog("A\n\n");
  EXPECT_EQ(page.logText(), "TRY TO CONNECT!\nA\n\n");
  EXPECT_TRUE(page.log()->isReadOnly());
}

TEST_F(ConnectionPageTest, RightClickShowsTheHelpText) {
  struct Case {
    QWidget *control;
    QString text;
  };
  const Case cases[] = {
      {page.tryToConnectButton(), "Try to connect sensor."},
      {page.disconnectButton(), "Disconnect from sensor.!"},
      {page.acceptButton(), "Accept settings for communication \nand switch to parapanel. "},
      {page.changeBaudrateButton(),
       "Save selected Baudrate to sensor. \n\nConfirm new baudrate with EEPROM and SEND."},
      {page.hardwareInfoButton(),
       "Save Hardware Initial File to disk. \nSend this file to your supplier for assistance."},
      {page.protocolSelector(), "Select RS232 or TCP/IP Interface. "},
      {page.comPortSelector(), "Select a serial COM-PORT."},
      {page.comPortSelector()->lineEdit(), "Select a serial COM-PORT."},
      {page.baudRateSelector(), "Select the Baudrate for data transfer. \n\nAttention! Sensor "
                                "and user surface \nmust work with the same Baudrate. "},
      {page.ipAddressList(), "Select a Server by name or IP address."},
      {page.ipAddressList()->lineEdit(), "Select a Server by name or IP address."},
      {page.portNumberField(), "Select a port number."},
      {page.panelIdField(), "Insert sensor identification. \nThis ID will be displayed in some "
                            "panels of the software."},
  };
  for (const Case &c : cases) {
    dialogs.clear();
    rightClick(c.control);
    ASSERT_EQ(dialogs.popups().size(), 1u) << c.text.toStdString();
    EXPECT_EQ(dialogs.popups()[0].title, "INFO!");
    EXPECT_EQ(dialogs.popups()[0].text, c.text);
  }
}

TEST_F(ConnectionPageTest, ControlsCarryTheirNames) {
  const std::pair<QWidget *, QString> names[] = {
      {page.tryToConnectButton(), "TRY TO CONNECT"},
      {page.disconnectButton(), "DISCONNECT"},
      {page.acceptButton(), "ACCEPT"},
      {page.changeBaudrateButton(), "CHANGE BAUDRATE"},
      {page.hardwareInfoButton(), "HARDWARE INFO FILE"},
      {page.protocolSelector(), "PROTOCOL"},
      {page.comPortSelector(), "COM PORT"},
      {page.baudRateSelector(), "BAUDRATE"},
      {page.ipAddressList(), "IP ADDRESS"},
      {page.portNumberField(), "PORT NUMBER"},
      {page.panelIdField(), "PANEL ID"},
      {page.log(), "CONNECTION LOG"},
  };
  for (const auto &[w, name] : names)
    EXPECT_EQ(w->accessibleName(), name);
  EXPECT_EQ(page.baudRateSelector()->count(), 8);
  EXPECT_EQ(page.baudRateSelector()->itemText(0), "9600");
  EXPECT_EQ(page.baudRateSelector()->itemText(7), "921600");
  EXPECT_EQ(page.protocolSelector()->itemText(0), "RS232");
  EXPECT_EQ(page.protocolSelector()->itemText(1), "TCP/IP");
}

} // namespace
} // namespace quorvane
