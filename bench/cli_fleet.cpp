// Sensors per minute for "send --verify" with the line program on N simulator programs at
// once (N = 1, 4, 16): one process, one link per sensor, all on one event loop.
#include "link_sim_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <vector>

using quorvane::bench::SimProcess;

namespace {

// Runs the line program; its exit status, or -1 when it did not end normally.
int runCli(const QStringList &args, QByteArray *err = nullptr) {
  QProcess p;
  p.start(QStringLiteral(QUORVANE_CLI_PATH), args);
  if (!p.waitForFinished(120000)) return -1;
  if (err) *err = p.readAllStandardError();
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  constexpr int kRounds = 3;
  constexpr int kReplyDelayMs = 10;
  std::vector<std::unique_ptr<SimProcess>> sims;
  QStringList addresses;
  for (int i = 0; i < 16; ++i) {
    // Each sensor answers 10 ms after a request, as a sensor busy measuring does; the run is
    // then bound by waiting for replies, which is what running side by side should hide.
    sims.push_back(std::make_unique<SimProcess>(
        QStringList{QStringLiteral("--tcp-port"), QStringLiteral("0"), QStringLiteral("--delay-ms"),
                    QString::number(kReplyDelayMs)}));
    const auto port = sims.back()->line("TCP PORT ");
    if (!port) {
      std::fprintf(stderr, "simulator %d did not start\n", i);
      return 1;
    }
    addresses << QStringLiteral("127.0.0.1:") + *port;
  }
  const QString file = dir.filePath(QStringLiteral("line.par"));
  if (runCli({QStringLiteral("get"), QStringLiteral("-o"), file, QStringLiteral("--tcp"),
              addresses[0]}) != 0) {
    std::fprintf(stderr, "could not read the parameter set\n");
    return 1;
  }

  std::printf("send --verify (EEPROM, set 0) with quorvane-ana-cli, sensors answering after "
              "%d ms, best of %d runs\n",
              kReplyDelayMs, kRounds);
  std::printf("%8s %12s %18s %16s\n", "sensors", "run (ms)", "sensors per minute", "time vs one");
  double single = 0;
  for (int n : {1, 4, 16}) {
    QStringList args{QStringLiteral("send"),     file,
                     QStringLiteral("--memory"), QStringLiteral("eeprom"),
                     QStringLiteral("--set"),    QStringLiteral("0"),
                     QStringLiteral("--verify"), QStringLiteral("--json")};
    for (int i = 0; i < n; ++i)
      args << QStringLiteral("--tcp") << addresses[i];
    qint64 best = -1;
    for (int round = 0; round < kRounds; ++round) {
      QElapsedTimer clock;
      clock.start();
      QByteArray err;
      const int status = runCli(args, &err);
      const qint64 ms = clock.elapsed();
      if (status != 0) {
        std::fprintf(stderr, "N=%d: exit status %d\n%s", n, status, err.constData());
        return 1;
      }
      if (best < 0 || ms < best) best = ms;
    }
    if (n == 1) single = static_cast<double>(best);
    std::printf("%8d %12lld %18.0f %15.2fx\n", n, static_cast<long long>(best),
                n * 60000.0 / static_cast<double>(best), static_cast<double>(best) / single);
  }
  return 0;
}
