#include "transport/output_drain.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace quorvane::sim;

namespace {

Emission emission(std::size_t size, bool disconnect = false, bool byteByByte = false) {
  Emission e;
  e.bytes.assign(size, 0x42);
  e.disconnect = disconnect;
  e.byteByByte = byteByByte;
  return e;
}

} // namespace

TEST(SimOutputDrain, WritesInOrderOneByteAtATimeWhenSplit) {
  std::vector<qint64> writes;
  std::vector<std::uint8_t> received;
  OutputDrain drain(
      [&](const std::uint8_t *bytes, qint64 n) {
        writes.push_back(n);
        received.insert(received.end(), bytes, bytes + n);
        return n;
      },
      false);
  std::vector<Emission> batch;
  batch.push_back(emission(3, false, true));
  batch.push_back(emission(2, false, true));
  batch[1].bytes = {7, 8};
  drain.push(std::move(batch));
  EXPECT_EQ(writes.size(), 1u) << "the next byte waits for an event-loop turn";
  EXPECT_TRUE(QTest::qWaitFor([&] { return drain.idle(); }, 2000));
  EXPECT_EQ(writes, (std::vector<qint64>{1, 1, 1, 1, 1}));
  EXPECT_EQ(received, (std::vector<std::uint8_t>{0x42, 0x42, 0x42, 7, 8}));
}

TEST(SimOutputDrain, AStalledSinkCannotMakeItGrowWithoutBound) {
  bool full = true;
  std::size_t taken = 0;
  bool disconnected = false;
  OutputDrain drain(
      [&](const std::uint8_t *, qint64 n) -> qint64 {
        if (full) return 0;
        taken += static_cast<std::size_t>(n);
        return n;
      },
      false);
  QObject::connect(&drain, &OutputDrain::disconnectRequested, [&] { disconnected = true; });
  for (int i = 0; i < 100; ++i) {
    std::vector<Emission> batch;
    batch.push_back(emission(64 * 1024));
    drain.push(std::move(batch));
  }
  EXPECT_LE(drain.pendingBytes(), kMaxPendingBytes);
  EXPECT_EQ(drain.pendingBytes() + drain.discardedBytes(), 100u * 64 * 1024);
  // A disconnection is never lost, even when its bytes are.
  std::vector<Emission> last;
  last.push_back(emission(1000, true));
  drain.push(std::move(last));
  full = false;
  drain.sinkWritable();
  EXPECT_TRUE(QTest::qWaitFor([&] { return disconnected; }, 2000));
  EXPECT_EQ(taken, kMaxPendingBytes);
  EXPECT_EQ(drain.pendingBytes(), 0u);
}
