#pragma once
// Starts the simulator program for a benchmark and tells where it listens.
#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <optional>

namespace quorvane::bench {

class SimProcess {
public:
  explicit SimProcess(const QStringList &args) {
    process_.setProgram(QStringLiteral(QUORVANE_SIM_PATH));
    process_.setArguments(args);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
  }
  ~SimProcess() {
    process_.terminate();
    if (!process_.waitForFinished(3000)) process_.kill();
  }
  // The rest of the first output line that starts with `prefix` (waits up to 5 s).
  std::optional<QString> line(const QByteArray &prefix) {
    QByteArray out;
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired() && process_.waitForReadyRead(100)) {
      out += process_.readAllStandardOutput();
      for (const QByteArray &l : out.split('\n'))
        if (l.startsWith(prefix) && out.contains('\n'))
          return QString::fromLocal8Bit(l.mid(prefix.size())).trimmed();
    }
    return std::nullopt;
  }
  qint64 pid() const { return process_.processId(); }

private:
  QProcess process_;
};

} // namespace quorvane::bench
