#pragma once
// The whole window (offscreen) connected over TCP loopback to a simulator program, as an
// operator starts it: the settings point at the simulator, start-up connects.
#include "app/application.h"
#include "link/sensor_link.h"
#include "link_sim_process.h"
#include "run_until.h"
#include "ui/dialogs.h"

#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace quorvane::bench {

// Nobody clicks in a benchmark: a message (e.g. a rule's note on a mode change) is printed
// instead of waiting for its OK.
class PrintedMessages : public QtDialogs {
public:
  void message(const QString &title, const QString &text) override {
    std::fprintf(stderr, "message: %s: %s\n", qPrintable(title), qPrintable(text));
  }
};

struct WindowRig {
  explicit WindowRig(const QStringList &simArguments) : sim(simArguments) {}
  SimProcess sim;
  QTemporaryDir dir;
  PrintedMessages dialogs;
  std::unique_ptr<Application> app;
};

// Starts the simulator with `simArguments` (a TCP port of its choice is added) and the
// window connected to it; null, with the reason printed, when either fails.
inline std::unique_ptr<WindowRig> connectedWindow(QStringList simArguments) {
  simArguments << QStringLiteral("--tcp-port") << QStringLiteral("0");
  auto rig = std::make_unique<WindowRig>(simArguments);
  const quint16 port =
      static_cast<quint16>(rig->sim.line("TCP PORT ").value_or(QString()).toUInt());
  if (port == 0) {
    std::fprintf(stderr, "could not start the simulator %s\n", QUORVANE_SIM_PATH);
    return nullptr;
  }
  rig->app = std::make_unique<Application>(rig->dialogs, ApplicationOptions{rig->dir.path()});
  QString error;
  if (rig->app->panelSettings().setTcpTarget(QStringLiteral("127.0.0.1:%1").arg(port), error) < 0) {
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return nullptr;
  }
  rig->app->startUp();
  runUntil([&] { return rig->app->idle(); }); // the first connection attempt
  if (!rig->app->link().linkOk()) {
    std::fprintf(stderr, "could not connect\n");
    return nullptr;
  }
  return rig;
}

} // namespace quorvane::bench
