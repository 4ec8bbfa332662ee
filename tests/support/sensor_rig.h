#pragma once
// A subsystem's surroundings without the main window: the simulated sensor in this process
// (over TCP loopback or a pseudo terminal), a verified link to it, a main-window stand-in
// and scripted popups.
#include "link/sensor_link.h"
#include "support/fake_shell.h"
#include "support/scripted_dialogs.h"
#include "support/settle.h"
#include "transport/sim_pty.h"
#include "transport/sim_tcp_server.h"

#include <QCoroTask>
#include <QHostAddress>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace quorvane::testing {

enum class Wire { Tcp, Pty };

struct SensorRig {
  SensorRig() {
    QObject::connect(&link, &SensorLink::failed,
                     [this](const QString &message) { failures.push_back(message); });
  }
  ~SensorRig() { EXPECT_TRUE(dialogs.allAnswersUsed()); }

  // Starts the simulator and connects the link to it; the request log starts empty.
  void connect(sim::SimOptions options = {}, Wire wire = Wire::Tcp) {
    CommunicationSettings cs = link.settings();
    if (wire == Wire::Tcp) {
      tcp = std::make_unique<sim::SimTcpServer>(std::move(options));
      ASSERT_TRUE(tcp->listen(QHostAddress::LocalHost, 0)) << tcp->errorString().toStdString();
      cs.protocol = Protocol::Tcp;
      cs.ipAddress = "127.0.0.1";
      cs.portNumber = std::to_string(tcp->serverPort());
    } else {
      pty = std::make_unique<sim::SimPty>(std::move(options));
      ASSERT_TRUE(pty->open()) << pty->errorString().toStdString();
      cs.protocol = Protocol::Rs232;
      cs.comDevice = pty->slavePath().toStdString();
    }
    link.setSettings(cs);
    ASSERT_GE(wire == Wire::Tcp ? QCoro::waitFor(link.connectTcp()) : link.openSerialPort(), 0)
        << link.errorText().toStdString();
    link.markVerified();
  }
  sim::SensorModel &model() { return tcp ? tcp->model() : pty->model(); }

  int countOrder(int order) {
    int n = 0;
    for (const sim::ReceivedRequest &r : model().requests())
      n += r.order == order;
    return n;
  }
  // Runs `action` once from the event loop as soon as `condition` holds (a loop is waiting).
  void when(std::function<bool()> condition, std::function<void()> action) {
    auto *timer = new QTimer(&timers);
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, condition, action] {
      if (!condition()) return;
      timer->stop();
      action();
    });
    timer->start();
  }
  bool popped(const QString &title, const QString &text) const {
    for (const Popup &p : dialogs.popups())
      if (p.title == title && p.text.contains(text)) return true;
    return false;
  }

  std::unique_ptr<sim::SimTcpServer> tcp;
  std::unique_ptr<sim::SimPty> pty;
  ScriptedDialogs dialogs;
  FakeShell shell;
  SensorLink link;
  std::vector<QString> failures;
  QObject timers; // parent of the `when` timers; they go before the link
};

} // namespace quorvane::testing
