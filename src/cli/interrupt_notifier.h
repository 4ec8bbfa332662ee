#pragma once
// Ctrl+C as an event of the program's loop: the signal handler only writes a byte into a
// pipe that a socket notifier watches. A second Ctrl+C ends the program at once.
#include <QObject>

class QSocketNotifier;

namespace quorvane::cli {

class InterruptNotifier : public QObject {
  Q_OBJECT
public:
  explicit InterruptNotifier(QObject *parent = nullptr);
  ~InterruptNotifier() override;

  [[nodiscard]] bool interrupted() const { return interrupted_; }

Q_SIGNALS:
  void interrupt();

private:
  void readPipe();

  QSocketNotifier *notifier_ = nullptr;
  bool interrupted_ = false;
};

} // namespace quorvane::cli
