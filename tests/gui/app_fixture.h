#pragma once
// The whole tool as main() builds it, against the simulated sensor in-process over TCP
// loopback, with scripted popups and a settings file of its own.
#include "app/application.h"
#include "app/connection.h"
#include "app/connection_page.h"
#include "app/main_window.h"
#include "live/live_controller.h"
#include "live/measurement_panel.h"
#include "params/core/panel_rules.h"
#include "params/group_hold_page.h"
#include "params/parameter_controller.h"
#include "params/parameter_page.h"
#include "params/parameter_subsystem.h"
#include "params/teach_table_page.h"
#include "support/scripted_dialogs.h"
#include "support/settle.h"
#include "transport/sim_tcp_server.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

namespace quorvane::testing {

struct Request {
  int order;
  int argument;
  std::size_t payloadBytes;
  bool operator==(const Request &) const = default;
};

inline std::ostream &operator<<(std::ostream &os, const Request &r) {
  return os << "{order " << r.order << ", argument " << r.argument << ", " << r.payloadBytes
            << " bytes}";
}

class AppFixture : public ::testing::Test {
protected:
  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<sim::SimTcpServer> sensor;
  std::unique_ptr<Application> app;
  // Parent of the timers that act while a loop runs; they go before the application.
  std::unique_ptr<QObject> timers = std::make_unique<QObject>();

  void TearDown() override {
    timers.reset();
    EXPECT_TRUE(dialogs.allAnswersUsed());
  }

  QString settingsPath() const { return dir.filePath("PanelSettings.cfg"); }

  void startSensor(sim::SimOptions options = {}) {
    options.tcpPort = 0;
    sensor = std::make_unique<sim::SimTcpServer>(std::move(options));
    ASSERT_TRUE(sensor->listen(QHostAddress::LocalHost, 0));
  }
  static quint16 closedPort() {
    QTcpServer probe;
    EXPECT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    return probe.serverPort(); // nothing listens once the probe is gone
  }
  void writeSettings(quint16 port, const QByteArray &directories = {}) {
    QFile f(settingsPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings\"\r\nPANEL ID: = \"Line 7\"\r\n\r\n" +
            directories +
            "[COMMUNICATION SETTINGS]\r\nCOMPROTOCOL = 1\r\nIP ADRESS = \"127.0.0.1\"\r\n"
            "PORT NUMBER = \"" +
            QByteArray::number(port) + "\"\r\n\r\n");
  }
  void create() { app = std::make_unique<Application>(dialogs, ApplicationOptions{dir.path()}); }
  // Start-up against the simulator; the request log starts empty afterwards.
  void startConnected(sim::SimOptions options = {}) {
    startSensor(std::move(options));
    writeSettings(sensor->serverPort());
    create();
    app->startUp();
    settle();
    ASSERT_TRUE(app->link().linkOk());
    sensor->model().clearRequests();
  }
  // Start-up without a sensor, OFFLINE chosen.
  void startOffline() {
    writeSettings(closedPort());
    dialogs.answerChoice(1);
    create();
    app->startUp();
    settle();
    ASSERT_FALSE(app->link().linkOk());
    dialogs.clear();
  }

  // Runs the event loop until the tool has nothing under way: no connection attempt,
  // acquisition, job or exchange.
  void settle(int limitMs = 20000) {
    settleUntil([this] { return app->idle(); }, limitMs);
  }
  // Clicks `button` and waits until what it started has ended.
  void clickAndSettle(QAbstractButton *button) {
    button->click();
    settle();
  }

  MainWindow &window() { return app->mainWindow(); }
  // The operator clicks the tab of `page` (MainWindow::showPage is the program's switch).
  void clickTab(MainPage page) {
    QTabBar *bar = window().tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(window().tabIndex(page)).center());
  }
  ParameterSubsystem &parameterSubsystem() { return app->subsystem<ParameterSubsystem>(); }
  ParameterPage &parameterPage() { return parameterSubsystem().parameterPage(); }
  GroupHoldPage &groupPage() { return parameterSubsystem().groupHoldPage(); }
  TeachTablePage &teachPage() { return parameterSubsystem().teachTablePage(); }
  MeasurementPanel &panel() { return app->measurementPanel(); }
  LiveController &live() { return app->live(); }
  sim::SensorModel &model() { return sensor->model(); }

  std::vector<Request> requests() const {
    std::vector<Request> out;
    for (const sim::ReceivedRequest &r : sensor->model().requests())
      out.push_back({r.order, r.argument, r.payload.size()});
    return out;
  }
  std::vector<int> orders() const {
    std::vector<int> out;
    for (const sim::ReceivedRequest &r : sensor->model().requests())
      out.push_back(r.order);
    return out;
  }
  int countOrder(int order) const {
    int n = 0;
    for (const sim::ReceivedRequest &r : sensor->model().requests())
      n += r.order == order;
    return n;
  }

  // The operator picks the item of `value` in a ring of the parameter page.
  void choose(std::size_t field, std::uint16_t value) {
    QComboBox *ring = parameterPage().ring(field);
    ASSERT_NE(ring, nullptr);
    ASSERT_TRUE(ring->isEnabled()) << ring->accessibleName().toStdString() << " is dimmed";
    const int index = ring->findData(int{value});
    ASSERT_GE(index, 0) << ring->accessibleName().toStdString() << " offers no " << value;
    ring->setCurrentIndex(index);
    Q_EMIT ring->activated(index);
  }
  // The operator types a number into a spin box of the parameter page.
  void type(std::size_t field, int value) {
    QSpinBox *box =
        field == field::kPower ? parameterPage().powerNumber() : parameterPage().spinBox(field);
    ASSERT_NE(box, nullptr);
    box->setValue(value);
  }
  std::vector<std::uint16_t> triggerItems() { return parameterPage().triggerItems(); }

  // Runs `action` once from the event loop as soon as `condition` holds (a loop is waiting).
  void when(std::function<bool()> condition, std::function<void()> action) {
    auto *timer = new QTimer(timers.get());
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, condition, action] {
      if (!condition()) return;
      timer->stop();
      action();
    });
    timer->start();
  }
  // Presses GO and waits until the loop has ended; one still running after 20 s is stopped
  // and reported.
  void pressGo() {
    window().goButton()->click();
    if (!QTest::qWaitFor([this] { return app->idle(); }, 20000)) {
      ADD_FAILURE() << "the live loop did not end";
      window().stopButton()->click();
      settle();
    }
  }
};

} // namespace quorvane::testing
