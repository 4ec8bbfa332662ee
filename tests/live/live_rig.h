#pragma once
// The live subsystem as the application builds it, against the simulated sensor in-process:
// the link over real TCP loopback, a main-window stand-in, scripted popups.
#include "app/shell.h"
#include "link/sensor_link.h"
#include "live/live_controller.h"
#include "live/measurement_panel.h"
#include "params/parameter_state.h"
#include "support/scripted_dialogs.h"
#include "transport/sim_tcp_server.h"

#include <QHostAddress>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace quorvane::testing {

class LiveShell : public Shell {
public:
  std::vector<std::pair<bool, bool>> dims; // (keepMainButtons, dimmed) in call order
  std::vector<ChildPanel> childrenShown;
  ChildPanel child = ChildPanel::Measurement;
  MainPage page = MainPage::Parameters;

  void SetButtonsDimmed(bool keepMainButtons, bool dimmed) override {
    dims.emplace_back(keepMainButtons, dimmed);
  }
  void ShowChildPanelDisp(ChildPanel panel) override {
    childrenShown.push_back(panel);
    child = panel;
  }
  ChildPanel currentChildPanel() const override { return child; }
  void showPage(MainPage p) override { page = p; }
  MainPage currentPage() const override { return page; }
  void appendConnectionLog(const QString &) override {}
  void setConnectionStatus(const QString &) override {}
};

struct LiveRig {
  explicit LiveRig(sim::SimOptions options = {})
      : server(std::move(options)), panel(dialogs), controller(link, shell, parameters, panel) {
    QObject::connect(&link, &SensorLink::failed,
                     [this](const QString &message) { failures.push_back(message); });
  }

  // Listens on an ephemeral port and connects the link to it.
  void connect() {
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0)) << server.errorString().toStdString();
    link.settings.protocol = 1;
    link.settings.ipAddress = QStringLiteral("127.0.0.1");
    link.settings.portNumber = QString::number(server.serverPort());
    ASSERT_GE(link.InitTCP_IP(), 0) << link.errorText.toStdString();
    link.linkOk = true;
  }

  // Orders the simulator received, in order.
  std::vector<std::uint8_t> orders() const {
    std::vector<std::uint8_t> out;
    for (const auto &r : server.model().requests())
      out.push_back(r.order);
    return out;
  }

  // Presses STOP once `frames` frames have been shown.
  void stopAfter(std::uint64_t frames) {
    controller.hooks().showTemperature = [this, frames](std::int16_t) {
      if (controller.framesShown() + 1 >= frames) controller.CBF_ButtonStop();
    };
  }

  mutable sim::SimTcpServer server;
  ScriptedDialogs dialogs;
  LiveShell shell;
  SensorLink link;
  ParameterState parameters;
  MeasurementPanel panel;
  LiveController controller;
  std::vector<QString> failures;
};

} // namespace quorvane::testing
