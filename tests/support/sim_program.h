#pragma once
// The simulator program, started as a user would, for tests that lose the sensor the way a
// pulled cable or a crashed server does.
#include <QProcess>
#include <QStringList>
#include <QTest>

#include <optional>

#ifdef QUORVANE_SIM_PATH
namespace quorvane::testing {

// Prints where it can be reached on its first line.
class SimProgram {
public:
  explicit SimProgram(const QStringList &args) {
    process_.setProgram(QStringLiteral(QUORVANE_SIM_PATH));
    process_.setArguments(args);
    process_.start();
  }
  ~SimProgram() {
    process_.terminate();
    if (!process_.waitForFinished(3000)) process_.kill();
  }
  // The sensor gone at once, as when its cable is pulled: no orderly close.
  void kill() {
    process_.kill();
    process_.waitForFinished(3000);
  }
  // The rest of the first output line starting with `prefix`.
  std::optional<QString> line(const QString &prefix) {
    if (!QTest::qWaitFor([&] { return output_.contains('\n') || !running(); }, 5000) ||
        !output_.contains('\n'))
      return std::nullopt;
    for (const QByteArray &l : output_.split('\n'))
      if (l.startsWith(prefix.toLatin1())) return QString::fromLocal8Bit(l.mid(prefix.size()));
    return std::nullopt;
  }

private:
  bool running() {
    output_ += process_.readAllStandardOutput();
    return process_.state() != QProcess::NotRunning;
  }
  QProcess process_;
  QByteArray output_;
};

} // namespace quorvane::testing
#endif
