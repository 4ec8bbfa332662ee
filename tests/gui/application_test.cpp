// The whole tool against the simulated sensor: start-up, offline work, closing, the
// link-failure display and page switches.
#include "app/application.h"

#include "app/connection_page.h"
#include "app/connection_status_box.h"
#include "app/logo_band.h"
#include "support/scripted_dialogs.h"
#include "support/settle.h"
#include "transport/sim_tcp_server.h"

#include <QComboBox>
#include <QFile>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using testing::ScriptedDialogs;

const QString kFirmware = "QUORVANE ANA V1.3.7 TEST BUILD";

quint16 closedPort() {
  QTcpServer probe;
  EXPECT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
  return probe.serverPort(); // nothing listens once the probe is gone
}

class ApplicationTest : public ::testing::Test {
protected:
  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<sim::SimTcpServer> sensor;
  std::unique_ptr<Application> app;

  QString settingsPath() const { return dir.filePath("PanelSettings.cfg"); }

  void startSensor(const QString &firmware = kFirmware) {
    sim::SimOptions options;
    options.tcpPort = 0;
    options.firmware = firmware.toStdString();
    options.serialNumber = 4711;
    sensor = std::make_unique<sim::SimTcpServer>(options);
    ASSERT_TRUE(sensor->listen(QHostAddress::LocalHost, 0));
  }
  void writeSettings(quint16 port, const QByteArray &extra = {}) {
    QFile f(settingsPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings\"\r\nPANEL ID: = \"Line 7\"\r\n\r\n" +
            extra +
            "[IP ADDRESSES]\r\nLIST ITEMS = 1\r\nIP ADDR0 = \"127.0.0.1\"\r\n\r\n"
            "[COMMUNICATION SETTINGS]\r\nCOMPROTOCOL = 1\r\nIP ADRESS = \"127.0.0.1\"\r\n"
            "PORT NUMBER = \"" +
            QByteArray::number(port) + "\"\r\n\r\n");
  }
  QByteArray settingsBytes() const {
    QFile f(settingsPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void start() {
    app = std::make_unique<Application>(dialogs, ApplicationOptions{dir.path()});
    app->startUp();
    testing::settleUntil([this] { return app->idle(); });
  }
  ConnectionPage &page() { return app->connectionPage(); }
  MainWindow &window() { return app->mainWindow(); }
  void settle() {
    testing::settleUntil([this] { return app->idle(); });
  }
};

TEST_F(ApplicationTest, StartsConnectedToTheSensor) {
  startSensor();
  writeSettings(sensor->serverPort());
  start();

  EXPECT_TRUE(dialogs.popups().empty());
  EXPECT_FALSE(app->quitRequested());
  EXPECT_TRUE(app->link().linkOk());
  EXPECT_TRUE(app->link().tcpConnected());
  EXPECT_EQ(page().logText(),
            "TRY TO CONNECT!\nQUORVANE ANA V1.3TEST BUILD\nSERIAL NUMBER: 4711\n\n");
  ConnectionStatusBox *status = window().connectionStatusBox();
  EXPECT_EQ(status->status(), "QUORVANE ANA V1.3TEST BUILD");
  EXPECT_EQ(status->statusField()->toolTip(), kFirmware);
  EXPECT_TRUE(status->ipAddressField()->isVisible());
  EXPECT_FALSE(status->comPortField()->isVisible());
  EXPECT_EQ(status->ipAddressField()->text(), "127.0.0.1");

  // Start-up state: parameters page in front, measurement panel beside it, all usable.
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(window().currentPage(), MainPage::Parameters);
  EXPECT_EQ(window().currentChildPanel(), ChildPanel::Measurement);
  EXPECT_FALSE(window().isPageVisible(MainPage::Offset));
  // The pages and child panels the subsystems declare, in tab order.
  const QStringList titles = {"CONNECTION",  "PARAMETER", "GROUP / HOLD",
                              "TEACH TABLE", "RECORDER",  "CALIBRATION",
                              "ROW COLORS",  "SCOPE",     "OFFSET"};
  ASSERT_EQ(window().tabs()->count(), titles.size());
  for (int i = 0; i < titles.size(); ++i)
    EXPECT_EQ(window().tabs()->tabText(i), titles[i]);
  for (ChildPanel p : {ChildPanel::Measurement, ChildPanel::Graph, ChildPanel::MeanTeach,
                       ChildPanel::RecordedTeach, ChildPanel::ScopeDisplay})
    EXPECT_NE(window().childPanel(p), nullptr) << p.name;
  EXPECT_EQ(app->params().memory, ParameterMemory::Ram);
  EXPECT_TRUE(window().memoryButton(ParameterMemory::Ram)->isChecked());
  for (QWidget *w :
       {static_cast<QWidget *>(window().goButton()), static_cast<QWidget *>(window().sendButton()),
        static_cast<QWidget *>(page().acceptButton()),
        static_cast<QWidget *>(page().hardwareInfoButton()),
        static_cast<QWidget *>(page().tryToConnectButton())})
    EXPECT_TRUE(w->isEnabled()) << w->accessibleName().toStdString();
  EXPECT_EQ(page().panelId(), "Line 7");
  EXPECT_EQ(page().ipAddresses(), QStringList{"127.0.0.1"});
  EXPECT_EQ(sensor->model().requests().front().order, 7);
}

TEST_F(ApplicationTest, WrongFirmwareOffersCloseOrOffline) {
  startSensor("QUORVANE ANA V1.4.0 NEXT");
  writeSettings(sensor->serverPort());
  dialogs.answerChoice(1);
  start();
  ASSERT_EQ(dialogs.popups().size(), 1u);
  EXPECT_EQ(dialogs.popups()[0].title, "ATTENTION!");
  EXPECT_EQ(dialogs.popups()[0].text,
            "Sensor firmware and scope version do not match! \nFirmware of connected sensor is: "
            "QUORVANE ANA V1.4\nThe serial number is: 4711\n\nClose window or work in offline "
            "mode!");
  EXPECT_FALSE(app->link().linkOk());
  EXPECT_EQ(window().connectionStatusBox()->status(), "NO SENSOR CONNECTED!");
}

TEST_F(ApplicationTest, AFailedParameterReadAtConnectLeavesTheConnectionPageUsable) {
  sim::SimOptions options;
  options.tcpPort = 0;
  options.firmware = kFirmware.toStdString();
  options.errorOn = 2; // the parameter read
  options.errorReplyWord = 1;
  sensor = std::make_unique<sim::SimTcpServer>(options);
  ASSERT_TRUE(sensor->listen(QHostAddress::LocalHost, 0));
  writeSettings(sensor->serverPort());
  start();

  EXPECT_FALSE(app->link().linkOk());
  EXPECT_EQ(window().connectionStatusBox()->status(), "TIMEOUT!");
  EXPECT_TRUE(page().tryToConnectButton()->isEnabled());
  EXPECT_TRUE(page().disconnectButton()->isEnabled());
  EXPECT_FALSE(window().goButton()->isEnabled());

  sensor->model().clearRequests();
  page().tryToConnectButton()->click();
  settle();
  EXPECT_FALSE(sensor->model().requests().empty()) << "another attempt was made";
  EXPECT_TRUE(page().tryToConnectButton()->isEnabled());
}

TEST_F(ApplicationTest, NoSensorAndCloseEndsWithoutStoringSettings) {
  writeSettings(closedPort());
  const QByteArray before = settingsBytes();
  dialogs.answerChoice(0);
  start();

  ASSERT_EQ(dialogs.popups().size(), 1u);
  EXPECT_EQ(dialogs.popups()[0].kind, "choice");
  EXPECT_EQ(dialogs.popups()[0].title, "ATTENTION!");
  EXPECT_EQ(dialogs.popups()[0].text,
            "Could not establish connection! \nClose window or work in offline mode!");
  EXPECT_TRUE(app->quitRequested());
  app->shutdown();
  EXPECT_EQ(settingsBytes(), before);
}

TEST_F(ApplicationTest, NoSensorAndOfflineWorksOnTheFile) {
  writeSettings(closedPort());
  dialogs.answerChoice(1);
  start();

  EXPECT_FALSE(app->quitRequested());
  EXPECT_FALSE(app->link().linkOk());
  EXPECT_EQ(app->params().memory, ParameterMemory::File);
  EXPECT_TRUE(window().memoryButton(ParameterMemory::File)->isChecked());
  EXPECT_FALSE(window().memoryButton(ParameterMemory::Ram)->isChecked());
  EXPECT_EQ(window().connectionStatusBox()->status(), "NO SENSOR CONNECTED!");
  EXPECT_TRUE(page().logText().startsWith("TRY TO CONNECT!\n"));
  EXPECT_TRUE(page().logText().endsWith("NO SENSOR CONNECTED!\n\n"));

  struct Expect {
    QWidget *w;
    bool enabled;
  };
  const Expect expected[] = {
      {page().tryToConnectButton(), true},
      {page().baudRateSelector(), true},
      {window().sendButton(), true},
      {window().getButton(), true},
      {window().stopButton(), true},
      {window().goButton(), false},
      {page().disconnectButton(), false},
      {page().acceptButton(), false},
      {page().changeBaudrateButton(), false},
      {page().hardwareInfoButton(), false},
      {window().memoryButton(ParameterMemory::Ram), false},
  };
  for (const Expect &e : expected)
    EXPECT_EQ(e.w->isEnabled(), e.enabled) << e.w->accessibleName().toStdString();
}

TEST_F(ApplicationTest, OfflineThenTryToConnectSucceeds) {
  startSensor();
  writeSettings(closedPort());
  dialogs.answerChoice(1);
  start();
  ASSERT_FALSE(app->link().linkOk());

  page().portNumberField()->setText(QString::number(sensor->serverPort()));
  page().tryToConnectButton()->click();
  settle();
  EXPECT_TRUE(app->link().linkOk());
  EXPECT_TRUE(window().goButton()->isEnabled());
  EXPECT_TRUE(page().acceptButton()->isEnabled());
  EXPECT_FALSE(app->offline());
}

// The row colours and texts close the file: default colours, no texts.
QByteArray rowSections() {
  const std::uint32_t colours[15] = {0xFF0000, 0x80FF00, 0x0000FF, 0x000000, 0xFF80C0,
                                     0xFFFF00, 0x808000, 0x800080, 0x80FFFF, 0xFF0080,
                                     0x400080, 0xFF00FF, 0x008000, 0x408080, 0x800000};
  QByteArray out;
  for (int r = 0; r < 31; ++r)
    out += "[TABLE ATTR OF TEACH VECTOR " + QByteArray::number(r) +
           "]\r\nRow color = " + QByteArray::number(colours[r % 15]) +
           "\r\nRow specification = \"\"\r\n\r\n";
  return out;
}

TEST_F(ApplicationTest, ClosingWritesTheSettingsFileInItsLayout) {
  startSensor();
  writeSettings(sensor->serverPort());
  start();
  window().setGeometry(QRect(12, 34, 800, 560));
  page().setPanelId("Line \"7\"");
  window().close();
  EXPECT_TRUE(app->quitRequested());

  const QString d = dir.path();
  const QByteArray expected =
      "[GENERAL INFO]\r\n"
      "FILE TYPE: = \"Panel Settings\"\r\n"
      "SCOPE VERSION: = \"QUORVANE ANA Scope V1.3\"\r\n"
      "PANEL ID: = \"Line \\\"7\\\"\"\r\n"
      "\r\n"
      "[PANEL POSITION]\r\n"
      "MAINPANEL FULLSCREEN = 0\r\n"
      "MAINPANEL LEFT = 12\r\n"
      "MAINPANEL TOP = 34\r\n"
      "MAINPANEL WIDTH = 800\r\n"
      "MAINPANEL HEIGHT = 560\r\n"
      "\r\n"
      "[DIRECTORIES]\r\n"
      // Keys missing from the file read was: the directory alone, except the record file.
      "PARAMETER FILE = \"" +
      d.toUtf8() +
      "\"\r\n"
      "RECORDER FILE = \"" +
      d.toUtf8() +
      "/RecordFile.dat\"\r\n"
      "HARDWARE INI FILE = \"" +
      d.toUtf8() +
      "\"\r\n"
      "TABLE ATTRIBUTES FILE = \"" +
      d.toUtf8() +
      "\"\r\n"
      "\r\n"
      "[IP ADDRESSES]\r\n"
      "LIST ITEMS = 1\r\n"
      "IP ADDR0 = \"127.0.0.1\"\r\n"
      "\r\n"
      "[COMMUNICATION SETTINGS]\r\n"
      "COMPROTOCOL = 1\r\n"
      "COMPORT = 1\r\n"
      "BAUDRATE = 4\r\n"
      "IP ADRESS = \"127.0.0.1\"\r\n"
      "PORT NUMBER = \"" +
      QByteArray::number(sensor->serverPort()) +
      "\"\r\n"
      "COMPORT DEVICE = \"/dev/ttyS0\"\r\n"
      "\r\n" +
      rowSections();
  EXPECT_EQ(settingsBytes().toStdString(), expected.toStdString());
}

TEST_F(ApplicationTest, AcceptStoresTheSettingsAndShowsTheParameterPage) {
  startSensor();
  writeSettings(sensor->serverPort());
  start();
  QFile::remove(settingsPath());
  window().showPage(MainPage::Connection);
  page().setVerifiedLinkButtonsDimmed(false);
  page().acceptButton()->click();
  EXPECT_TRUE(QFile::exists(settingsPath()));
  EXPECT_EQ(window().currentPage(), MainPage::Parameters);
}

TEST_F(ApplicationTest, RightDoubleClickRestoresTheDefaultSizeCentred) {
  startSensor();
  writeSettings(sensor->serverPort());
  start();
  for (const QRect &before : {QRect(0, 0, 1000, 700), QRect(300, 200, 640, 480)}) {
    window().setGeometry(before);
    QTest::mouseDClick(window().logoBand(), Qt::RightButton, Qt::NoModifier, QPoint(760, 50));
    EXPECT_EQ(window().size(), QSize(790, 548));
    const QRect area = window().screen()->availableGeometry();
    EXPECT_LE(std::abs(window().frameGeometry().center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(window().frameGeometry().center().y() - area.center().y()), 1);
  }
  EXPECT_TRUE(dialogs.popups().empty());
}

TEST_F(ApplicationTest, PageSwitchesStopTheRunningLoop) {
  startSensor();
  writeSettings(sensor->serverPort());
  start();

  ASSERT_TRUE(app->link().startAcquisition(Acquisition::Live));
  window().tabs()->setCurrentIndex(window().tabIndex(MainPage::Connection));
  EXPECT_FALSE(app->link().acquisitionRunning());
  EXPECT_FALSE(page().acceptButton()->isEnabled());
  EXPECT_FALSE(page().changeBaudrateButton()->isEnabled());
  EXPECT_FALSE(page().hardwareInfoButton()->isEnabled());

  settle(); // the stopped loop ends with the reply it waits for
  ASSERT_TRUE(app->link().startAcquisition(Acquisition::Live));
  window().tabs()->setCurrentIndex(window().tabIndex(MainPage::TeachTable));
  EXPECT_TRUE(app->link().acquisitionRunning());
  window().tabs()->setCurrentIndex(window().tabIndex(MainPage::Scope));
  EXPECT_FALSE(app->link().acquisitionRunning());
  EXPECT_EQ(window().currentChildPanel(), ChildPanel::ScopeDisplay);
}

TEST_F(ApplicationTest, LinkFailureBringsTheConnectionPageWithTheMessage) {
  startSensor();
  writeSettings(sensor->serverPort());
  start();
  ASSERT_TRUE(app->link().startAcquisition(Acquisition::Live));
  app->link().report("ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!");
  EXPECT_EQ(window().connectionStatusBox()->status(), "TIMEOUT!");
  EXPECT_TRUE(page().logText().endsWith("ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!\n\n"));
  EXPECT_EQ(window().currentPage(), MainPage::Connection);
  EXPECT_FALSE(app->link().linkOk());
  EXPECT_FALSE(app->link().acquisitionRunning());
  EXPECT_FALSE(page().acceptButton()->isEnabled());
  EXPECT_FALSE(page().changeBaudrateButton()->isEnabled());
  EXPECT_FALSE(page().hardwareInfoButton()->isEnabled());
}

TEST_F(ApplicationTest, SensorGoingAwayIsReported) {
  startSensor();
  writeSettings(sensor->serverPort());
  start();
  sensor.reset();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !app->link().tcpConnected(); }, 3000));
  EXPECT_FALSE(app->link().linkOk());
  EXPECT_TRUE(page().logText().endsWith("SERVER HAS CLOSED CONNECTION!\n\n"));
  EXPECT_EQ(window().currentPage(), MainPage::Connection);
}

TEST_F(ApplicationTest, ShutdownClosesTheLink) {
  startSensor();
  writeSettings(sensor->serverPort());
  start();
  ASSERT_TRUE(app->link().tcpConnected());
  app->shutdown();
  EXPECT_FALSE(app->link().tcpConnected());
  app->shutdown(); // twice is harmless
}

} // namespace
} // namespace quorvane
