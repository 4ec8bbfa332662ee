#include "model/scope_scan.h"
#include "sim_test_helpers.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace quorvane::sim;
using namespace quorvane::sim::test;

namespace {

struct Scan {
  std::vector<Frame> startReply;
  std::vector<Frame> blocks;
  std::uint64_t arrivedMs = 0;
};

// Starts a scan at startMs and follows nextDueMs until four blocks arrived (or a minute passed).
Scan runScan(SensorModel &model, const ScopeSettings &s, std::uint64_t startMs = 1000) {
  Scan scan;
  scan.startReply =
      exchange(model, Order::ScopeScan, 1,
               words({s.triggerLevel, s.triggerMode, s.preTrigger, s.scanRate, s.signal}), startMs);
  std::uint64_t now = startMs;
  while (scan.blocks.size() < 4 && now < startMs + 60000) {
    const auto due = model.nextDueMs();
    if (!due) break;
    now = std::max(now, *due);
    for (auto &f : parseFrames(joined(model.poll(now))))
      scan.blocks.push_back(std::move(f));
    scan.arrivedMs = now;
  }
  return scan;
}

std::uint16_t sampleOf(const Frame &block, std::size_t slot) {
  return getLe16(&block.payload[2 * slot]);
}

std::uint16_t ringOf(const Frame &block) {
  return getLe16(&block.payload[256]);
}

// The tool's rotation: the display starts at (ring + 128 - pre-trigger) mod 128.
std::vector<std::uint16_t> rotated(const Frame &block, std::uint16_t preTrigger, bool singleShot) {
  const std::size_t start = singleShot ? 0 : (ringOf(block) + 128u - preTrigger) % 128u;
  std::vector<std::uint16_t> out(128);
  for (std::size_t k = 0; k < 128; ++k)
    out[k] = sampleOf(block, (start + k) % 128);
  return out;
}

} // namespace

TEST(SimScope, RotationPutsTheTriggerSampleAtThePreTriggerPosition) {
  struct Case {
    std::uint16_t mode;
    std::uint16_t level;
    std::uint16_t preTrigger;
    std::uint16_t scanRate;
  };
  const std::vector<Case> cases = {
      {1, 1500, 20, 1}, {1, 1500, 1, 3}, {1, 1500, 127, 1}, {1, 1500, 0, 2}, {2, 1500, 64, 1},
      {2, 1500, 20, 5}, {4, 0, 20, 1},   {4, 0, 100, 2},    {4, 0, 0, 1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "mode " << c.mode << " pre " << c.preTrigger << " rate " << c.scanRate);
    SensorModel model;
    const Scan scan = runScan(model, {c.level, c.mode, c.preTrigger, c.scanRate, 0});
    ASSERT_EQ(scan.startReply.size(), 1u);
    EXPECT_EQ(scan.startReply[0].header.order, 110);
    EXPECT_EQ(scan.startReply[0].header.dataLength, 0);
    ASSERT_EQ(scan.blocks.size(), 4u);
    for (const auto &b : scan.blocks) {
      EXPECT_EQ(b.header.order, 110);
      ASSERT_EQ(b.payload.size(), kScopeBlockBytes);
      EXPECT_TRUE(b.headerOk && b.dataOk);
      EXPECT_EQ(ringOf(b), ringOf(scan.blocks[0]));
    }
    const std::size_t pre = c.preTrigger;
    if (c.mode == 4) {
      const auto digital = rotated(scan.blocks[3], c.preTrigger, false);
      EXPECT_EQ(digital[pre] & 1, 1);
      if (pre > 0) {
        EXPECT_EQ(digital[pre - 1] & 1, 0);
      }
    } else {
      const auto blue = rotated(scan.blocks[2], c.preTrigger, false);
      if (c.mode == 1) {
        EXPECT_GE(blue[pre], c.level);
        if (pre > 0) {
          EXPECT_LT(blue[pre - 1], c.level);
        }
      } else {
        EXPECT_LE(blue[pre], c.level);
        if (pre > 0) {
          EXPECT_GT(blue[pre - 1], c.level);
        }
      }
    }
    EXPECT_FALSE(model.scopeWaiting());
  }
}

TEST(SimScope, RingIndexIsTheSlotOfTheTriggerSampleForEveryMode) {
  SensorModel model;
  const SampleAt sampleAt = [&](std::uint64_t t) { return model.sampleAt(t); };
  for (std::uint16_t mode = 1; mode <= 4; ++mode) {
    for (const std::uint16_t pre : {0, 10, 127}) {
      SCOPED_TRACE(::testing::Message() << "mode " << mode << " pre " << pre);
      ScopeScan scan({1500, mode, pre, 1, 0}, 333);
      std::uint64_t now = 333;
      while (!scan.completionMs() && now < 60000) {
        now = scan.nextDueMs();
        scan.advance(sampleAt, now);
      }
      ASSERT_TRUE(scan.completionMs());
      const std::uint64_t dt = scan.sampleIntervalMs();
      const std::uint64_t trigger = *scan.completionMs() - (127 - pre) * dt;
      const Sample at = model.sampleAt(trigger);
      const Sample before = model.sampleAt(trigger - dt);
      switch (mode) {
      case 1:
        EXPECT_TRUE(before.values.blue < 1500 && at.values.blue >= 1500);
        break;
      case 2:
        EXPECT_TRUE(before.values.blue > 1500 && at.values.blue <= 1500);
        break;
      case 3:
        EXPECT_TRUE(before.values.colorNumber != 0 && at.values.colorNumber == 0);
        break;
      default:
        EXPECT_TRUE(!before.in0 && at.in0);
      }
      // Armed only once the pre-trigger samples are in.
      EXPECT_GE(trigger, 333 + pre * dt);
      const auto blocks = scan.blocks(sampleAt);
      EXPECT_EQ(scan.ringIndex(), (trigger / dt) % 128);
      EXPECT_EQ(getLe16(&blocks[0][2 * scan.ringIndex()]), at.values.red);
    }
  }
}

TEST(SimScope, SingleShotRecordsAtOnceInTimeOrder) {
  SensorModel model;
  const std::uint16_t rate = 3; // one sample every 6 ms
  const Scan scan = runScan(model, {0, 0, 50, rate, 0}, 1001);
  ASSERT_EQ(scan.blocks.size(), 4u);
  const std::uint64_t first = 1002; // the first multiple of 6 ms from the start
  EXPECT_EQ(scan.arrivedMs, first + 127 * 6);
  for (const auto &b : scan.blocks)
    EXPECT_EQ(ringOf(b), 0);
  const auto red = rotated(scan.blocks[0], 50, true);
  for (std::size_t k = 0; k < 128; ++k) {
    const Sample s = model.sampleAt(first + 6 * k);
    ASSERT_EQ(red[k], s.values.red) << k;
    ASSERT_EQ(sampleOf(scan.blocks[3], k), (s.in0 ? 1 : 0) | (s.values.colorNumber != 255 ? 2 : 0));
  }
}

TEST(SimScope, RecordedSignalSelectsTheTriple) {
  SensorModel model;
  model.ram().params[0].calculationMode = 1;
  model.ram().params[0].analogOutmode = 3;
  for (std::uint16_t signal = 0; signal < 3; ++signal) {
    const std::uint64_t start = 5000 + 1000u * signal;
    const Scan scan = runScan(model, {0, 0, 0, 1, signal}, start);
    ASSERT_EQ(scan.blocks.size(), 4u);
    const Sample s = model.sampleAt(start);
    const MeasuredValues &m = s.values;
    const std::int16_t expected[3][3] = {{m.red, m.green, m.blue},
                                         {m.x, m.y, m.intensity},
                                         {m.auxiliary[0], m.auxiliary[1], m.auxiliary[2]}};
    for (std::size_t k = 0; k < 3; ++k)
      EXPECT_EQ(sampleOf(scan.blocks[k], 0), expected[signal][k]) << signal;
  }
}

TEST(SimScope, BreakCancelsAWaitingScan) {
  SensorModel model;
  // Level 5000 is never reached: the scan waits.
  (void)exchange(model, Order::ScopeScan, 1, words({5000, 1, 10, 1, 0}), 100);
  EXPECT_TRUE(model.scopeWaiting());
  EXPECT_TRUE(model.poll(20000).empty());
  const auto reply = exchange(model, Order::ScopeScan, 0, 20001);
  ASSERT_EQ(reply.size(), 1u);
  EXPECT_EQ(reply[0].header.order, 110);
  EXPECT_EQ(reply[0].header.dataLength, 0);
  EXPECT_FALSE(model.scopeWaiting());
  EXPECT_EQ(model.nextDueMs(), std::nullopt);
  EXPECT_TRUE(model.poll(90000).empty());
}

TEST(SimScope, WaitingScanAsksToBeCalledAheadNotContinuously) {
  SensorModel model;
  (void)exchange(model, Order::ScopeScan, 1, words({5000, 1, 0, 1, 0}), 100);
  for (std::uint64_t now = 100; now < 2000;) {
    const auto due = model.nextDueMs();
    ASSERT_TRUE(due);
    EXPECT_GT(*due, now);
    now = *due;
    (void)model.poll(now);
  }
}
