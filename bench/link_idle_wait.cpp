// CPU the tool uses while it waits 3 s for a sensor that never answers (the simulator with
// every reply dropped), over TCP and over a pseudo terminal. Goal: below 1 % of a core.
#include "link/sensor_link.h"
#include "link_sim_process.h"
#include "process_usage.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>

namespace {

bool measure(const char *name, const QStringList &args, const QByteArray &prefix, bool tcp) {
  quorvane::bench::SimProcess sim(args);
  const auto where = sim.line(prefix);
  if (!where) {
    std::fprintf(stderr, "%s: simulator did not start\n", name);
    return false;
  }
  quorvane::SensorLink link;
  {
    quorvane::CommunicationSettings cs = link.settings();
    cs.protocol = tcp ? quorvane::Protocol::Tcp : quorvane::Protocol::Rs232;
    cs.ipAddress = "127.0.0.1";
    cs.portNumber = QString(tcp ? *where : QString()).toStdString();
    cs.comDevice = QString(tcp ? QString() : *where).toStdString();
    link.setSettings(cs);
  }
  if ((tcp ? QCoro::waitFor(link.connectTcp()) : link.openSerialPort()) < 0) {
    std::fprintf(stderr, "%s: open failed: %s\n", name, qPrintable(link.errorText()));
    return false;
  }
  const double cpu0 = quorvane::bench::cpuSeconds();
  const auto t0 = std::chrono::steady_clock::now();
  // 1: answered, -1: no reply (the time-out reported)
  const int result = QCoro::waitFor(link.request(quorvane::Order::ReadMeasurement, 0)).ok ? 1 : -1;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  const double cpu = quorvane::bench::cpuSeconds() - cpu0;
  std::printf("%s: result %d after %.3f s, tool CPU %.3f ms = %.3f %% of a core (goal < 1 %%)\n",
              name, result, wall, cpu * 1e3, 100.0 * cpu / wall);
  return result == -1;
}

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const bool tcp = measure("TCP", {"--tcp-port", "0", "--drop-every", "1"}, "TCP PORT ", true);
  const bool pty = measure("pty", {"--no-tcp", "--pty", "--drop-every", "1"}, "PTY ", false);
  return tcp && pty ? 0 : 1;
}
