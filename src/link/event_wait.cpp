#include "link/event_wait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QTimer>

namespace quorvane {

bool EventWait::until(const std::function<bool()> &done,
                      std::optional<std::chrono::nanoseconds> timeout) {
  if (done()) return true;
  // A precise timer: a coarse one may fire up to 5 % late, which a 3 s limit would notice.
  QDeadlineTimer deadline(Qt::PreciseTimer);
  if (timeout)
    deadline.setPreciseRemainingTime(0, timeout->count(), Qt::PreciseTimer);
  else
    deadline = QDeadlineTimer(QDeadlineTimer::Forever, Qt::PreciseTimer);
  QTimer alarm;
  alarm.setSingleShot(true);
  alarm.setTimerType(Qt::PreciseTimer);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    if (timeout && !alarm.isActive()) {
      // Round up so the alarm never fires before the deadline and leaves a busy remainder.
      const qint64 ns = deadline.remainingTimeNSecs();
      alarm.start(static_cast<int>((ns + 999'999) / 1'000'000));
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

void EventWait::wake() {
  QCoreApplication::postEvent(this, new QEvent(QEvent::User));
}

} // namespace quorvane
