#pragma once
// Coroutines asleep until something they wait for may have changed (bytes arrived, a port
// failed, a deadline passed, the line became free, a stop was asked for). Each re-checks
// its own condition when woken, so a spurious wake costs one check.
#include <QObject>

#include <coroutine>
#include <vector>

namespace quorvane {

class WakeList : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;

  // co_await next(): sleeps until the next wakeAll().
  auto next() {
    struct Awaiter {
      WakeList &list;
      bool await_ready() const noexcept { return false; }
      void await_suspend(std::coroutine_handle<> h) { list.sleeping_.push_back(h); }
      void await_resume() const noexcept {}
    };
    return Awaiter{*this};
  }

  // Resumes every sleeper from the event loop, never inside the caller: a wake raised by
  // one coroutine must not run another in the middle of its step.
  void wakeAll();
  // Resumes every sleeper now. Only for a caller that is itself an event handler (bytes
  // arrived), never for code a coroutine runs: it saves a turn of the loop per frame.
  void wakeAllNow();

  // Forgets every sleeper without resuming it (the program is ending).
  void abandon() { sleeping_.clear(); }

  [[nodiscard]] bool empty() const { return sleeping_.empty(); }

private:
  std::vector<std::coroutine_handle<>> sleeping_;
  bool posted_ = false;
};

} // namespace quorvane
