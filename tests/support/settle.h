#pragma once
// Tests wait for the engine as an operator would: the event loop runs until the awaited
// work is done. Only tests spin the loop like this; the tool itself never does.
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace quorvane::testing {

// Runs the event loop until `done` holds; a test failure after `limitMs`.
inline void settleUntil(const std::function<bool()> &done, int limitMs = 20000) {
  if (!QTest::qWaitFor(done, limitMs)) ADD_FAILURE() << "the awaited work did not end";
}

} // namespace quorvane::testing
