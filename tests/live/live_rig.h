#pragma once
// The live subsystem as the application builds it, against the simulated sensor in-process:
// the link over real TCP loopback, a main-window stand-in, scripted popups.
#include "link/sensor_link.h"
#include "live/frame_publisher.h"
#include "live/graph_panel.h"
#include "live/live_controller.h"
#include "live/measurement_panel.h"
#include "params/parameter_state.h"
#include "support/fake_shell.h"
#include "support/fake_transfer.h"
#include "support/scripted_dialogs.h"
#include "support/settle.h"
#include "transport/sim_tcp_server.h"
#include "ui/shell.h"

#include <QHostAddress>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace quorvane::testing {

using LiveShell = FakeShell;

struct LiveRig {
  explicit LiveRig(sim::SimOptions options = {})
      : server(std::move(options)), panel(dialogs), graphPanel(dialogs),
        controller(link, shell, parameters, transfer, panel, graphPanel, frames) {
    QObject::connect(&link, &SensorLink::failed,
                     [this](const QString &message) { failures.push_back(message); });
  }

  // Listens on an ephemeral port and connects the link to it.
  void connect() {
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0)) << server.errorString().toStdString();
    {
      CommunicationSettings cs = link.settings();
      cs.protocol = Protocol::Tcp;
      cs.ipAddress = "127.0.0.1";
      cs.portNumber = std::to_string(server.serverPort());
      link.setSettings(cs);
    }
    ASSERT_GE(QCoro::waitFor(link.connectTcp()), 0) << link.errorText().toStdString();
    link.markVerified();
  }

  // Presses GO and waits until the loop, and what it served, has ended.
  void go() {
    controller.goClicked();
    settleUntil([this] { return link.idle(); });
  }

  // Orders the simulator received, in order.
  std::vector<std::uint8_t> orders() const {
    std::vector<std::uint8_t> out;
    for (const auto &r : server.model().requests())
      out.push_back(r.order);
    return out;
  }

  // Runs `f` on every published frame, after the panel showed it.
  template <typename F> void onFrame(F f) { QObject::connect(&frames, &FramePublisher::frame, f); }

  // Presses STOP once `count` frames have been shown.
  void stopAfter(std::uint64_t count) {
    onFrame([this, count](const MeasuredValues &) {
      if (controller.framesShown() >= count) controller.stopClicked();
    });
  }

  mutable sim::SimTcpServer server;
  ScriptedDialogs dialogs;
  LiveShell shell;
  SensorLink link;
  ParameterState parameters;
  FakeTransfer transfer{parameters};
  FramePublisher frames;
  MeasurementPanel panel;
  GraphPanel graphPanel;
  LiveController controller;
  std::vector<QString> failures;
};

} // namespace quorvane::testing
