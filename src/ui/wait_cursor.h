#pragma once
// The wait cursor for as long as an object of this class lives (only where there is a
// screen to show it).
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace quorvane {

class WaitCursor {
public:
  WaitCursor() : shown_(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr) {
    if (shown_) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  }
  ~WaitCursor() {
    if (shown_) QGuiApplication::restoreOverrideCursor();
  }
  WaitCursor(const WaitCursor &) = delete;
  WaitCursor &operator=(const WaitCursor &) = delete;

private:
  bool shown_;
};

} // namespace quorvane
