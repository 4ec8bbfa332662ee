#include "link/wake_list.h"

#include <QMetaObject>

#include <utility>

namespace quorvane {

void WakeList::wakeAll() {
  if (posted_ || sleeping_.empty()) return;
  posted_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        posted_ = false;
        // Sleepers that go back to sleep while these run wait for the next wake.
        const auto woken = std::exchange(sleeping_, {});
        for (std::coroutine_handle<> h : woken)
          h.resume();
      },
      Qt::QueuedConnection);
}

void WakeList::wakeAllNow() {
  const auto woken = std::exchange(sleeping_, {});
  for (std::coroutine_handle<> h : woken)
    h.resume();
}

} // namespace quorvane
