// Order-8 exchanges per second over loopback TCP against the simulator program, and the
// tool's CPU per exchange. Goal: at least 10,000 exchanges per second.
#include "link/sensor_link.h"
#include "link_sim_process.h"
#include "process_usage.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
  quorvane::bench::SimProcess sim({"--tcp-port", "0"});
  const auto port = sim.line("TCP PORT ");
  if (!port) {
    std::fprintf(stderr, "simulator did not start\n");
    return 1;
  }
  quorvane::SensorLink link;
  {
    CommunicationSettings cs = link.settings();
    cs.protocol = quorvane::Protocol::Tcp;
    cs.ipAddress = "127.0.0.1";
    cs.portNumber = port->toStdString();
    link.setSettings(cs);
  }
  if (link.InitTCP_IP() < 0) {
    std::fprintf(stderr, "connect failed: %s\n", qPrintable(link.errorText()));
    return 1;
  }
  for (int i = 0; i < 200; ++i) // warm-up
    if (link.exchange(quorvane::Order::ReadMeasurement, 0) != 1) return 1;

  const double cpu0 = quorvane::bench::cpuSeconds();
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i)
    if (link.exchange(quorvane::Order::ReadMeasurement, 0) != 1) {
      std::fprintf(stderr, "exchange %d failed: %s\n", i, qPrintable(link.errorText()));
      return 1;
    }
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  const double cpu = quorvane::bench::cpuSeconds() - cpu0;

  std::printf("order-8 exchanges over loopback TCP: %d in %.3f s\n", count, wall);
  std::printf("exchanges per second: %.0f (goal >= 10000)\n", count / wall);
  std::printf("tool CPU per exchange: %.1f us\n", cpu / count * 1e6);
  return 0;
}
