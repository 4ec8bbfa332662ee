#pragma once
// The one way the tool waits: asleep in the event loop until a condition holds, a
// deadline passes or someone wakes it. Control callbacks and transport data run in the
// meantime; no thread, no polling.
#include <QObject>

#include <chrono>
#include <functional>
#include <optional>

namespace quorvane {

class EventWait : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;

  // Processes events until `done` holds or `timeout` has passed (no timeout: until `done`).
  // Returns `done` as it stands at the end.
  bool until(const std::function<bool()> &done,
             std::optional<std::chrono::nanoseconds> timeout = std::nullopt);

  // Makes every running wait return from its sleep and re-check its condition.
  void wake();
};

} // namespace quorvane
