// quorvane-sensor-sim: a simulated colour sensor on TCP and/or a pseudo terminal.
#include "model/sim_options.h"
#include "transport/sim_pty.h"
#include "transport/sim_tcp_server.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>
#include <vector>

using namespace quorvane::sim;

namespace {

void printLine(const std::string &line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

void printError(const std::string &message) {
  std::fputs(("quorvane-sensor-sim: " + message + "\n").c_str(), stderr);
}

std::optional<QHostAddress> bindAddress(const std::string &text) {
  if (text == "localhost") return QHostAddress(QHostAddress::LocalHost);
  if (text == "any") return QHostAddress(QHostAddress::Any);
  QHostAddress address;
  if (!address.setAddress(QString::fromStdString(text))) return std::nullopt;
  return address;
}

void attachLog(SensorModel &model, const std::string &name) {
  model.setLogger([name](std::string_view line) {
    std::fprintf(stderr, "[%s] %.*s\n", name.c_str(), static_cast<int>(line.size()), line.data());
  });
}

sigset_t quitSignals() {
  sigset_t quitSet;
  sigemptyset(&quitSet);
  sigaddset(&quitSet, SIGINT);
  sigaddset(&quitSet, SIGTERM);
  sigaddset(&quitSet, SIGHUP);
  return quitSet;
}

// Ends the event loop on SIGINT, SIGTERM or SIGHUP, read from a signalfd so that the
// destructors run (and remove the pty link). The signals are blocked before.
std::unique_ptr<QSocketNotifier> quitOnSignals(int &fd) {
  const sigset_t quitSet = quitSignals();
  fd = signalfd(-1, &quitSet, SFD_CLOEXEC | SFD_NONBLOCK);
  if (fd < 0) return nullptr;
  auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  QObject::connect(notifier.get(), &QSocketNotifier::activated, [fd] {
    signalfd_siginfo info;
    while (::read(fd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
    }
    QCoreApplication::quit();
  });
  return notifier;
}

} // namespace

int main(int argc, char **argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  const ParsedOptions parsed = parseSimOptions(args);
  if (!parsed.error.empty()) {
    printError(parsed.error);
    return 2;
  }
  if (parsed.showHelp) {
    std::fputs(std::string(simHelpText()).c_str(), stdout);
    return 0;
  }
  const SimOptions &options = parsed.options;

  // Block the signals before Qt starts any thread of its own.
  const sigset_t quitSet = quitSignals();
  const bool signalsBlocked = sigprocmask(SIG_BLOCK, &quitSet, nullptr) == 0;
  int signalFd = -1;
  QCoreApplication app(argc, argv);
  const auto signalNotifier = signalsBlocked ? quitOnSignals(signalFd) : nullptr;

  std::unique_ptr<SimTcpServer> tcp;
  if (!options.noTcp) {
    const auto address = bindAddress(options.bind);
    if (!address) {
      printError("--bind expects an IP address, 'localhost' or 'any', not '" + options.bind + "'");
      return 2;
    }
    tcp = std::make_unique<SimTcpServer>(options);
    if (options.verbose) attachLog(tcp->model(), "tcp");
    if (!tcp->listen(*address, options.tcpPort)) {
      printError("cannot listen on " + options.bind + " port " + std::to_string(options.tcpPort) +
                 ": " + tcp->errorString().toStdString());
      return 1;
    }
    printLine("TCP PORT " + std::to_string(tcp->serverPort()));
    // Lets a benchmark compare what it received with what went out.
    SimTcpServer *server = tcp.get();
    QObject::connect(server, &SimTcpServer::clientDisconnected, [server] {
      printLine("MEASUREMENT FRAMES SENT " +
                std::to_string(server->model().sentMeasurementCount()));
    });
  }

  std::unique_ptr<SimPty> pty;
  if (options.pty) {
    pty = std::make_unique<SimPty>(options);
    if (options.verbose) attachLog(pty->model(), "pty");
    if (!pty->open()) {
      printError(pty->errorString().toStdString());
      return 1;
    }
    printLine("PTY " + pty->path().toStdString());
  }

  const int result = app.exec();
  if (signalFd >= 0) ::close(signalFd);
  return result;
}
