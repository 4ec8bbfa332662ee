#pragma once
// A benchmark waits for the tool as an operator would: the event loop runs until the work it
// started has ended. Only benchmarks and tests spin the loop like this; the tool never does.
#include <QCoreApplication>
#include <QEventLoop>

namespace quorvane::bench {

// Handles events, asleep between them, until `done` holds.
template <typename Done> void runUntil(Done done) {
  while (!done())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace quorvane::bench
