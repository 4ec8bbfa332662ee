#include "scope/core/scope_buffers.h"
#include "scope/core/scope_measure.h"
#include "scope/core/scope_settings.h"

#include <gtest/gtest.h>

#include <limits>
#include <numeric>
#include <vector>

namespace quorvane {
namespace {

TEST(ScopeRotation, DisplayStartsPreTriggerSamplesBeforeTheRingIndex) {
  ScopeTrace ring{};
  std::iota(ring.begin(), ring.end(), std::uint16_t{0}); // each slot holds its own index
  const struct {
    std::uint16_t ringIndex, preTrigger, triggerMode;
    std::uint16_t firstShown;
  } cases[] = {
      {10, 50, 0, 0}, // single shot arrives in time order
      {10, 20, 1, 118},
      {0, 0, 1, 0},
      {5, 0, 3, 5},
      {127, 127, 2, 0},
      {0, 127, 4, 1},
      {127, 0, 1, 127},
      // Values a caller should never pass still stay inside the ring.
      {300, 400, 1, (300 % 128 + 128 - 400 % 128) % 128},
  };
  for (const auto &c : cases) {
    const ScopeTrace shown = rotateScopeBlock(ring, c.ringIndex, c.preTrigger, c.triggerMode);
    for (std::size_t k = 0; k < kScopeSamples; ++k)
      ASSERT_EQ(shown[k], (c.firstShown + k) % kScopeSamples)
          << c.ringIndex << "/" << c.preTrigger << "/" << c.triggerMode << " at " << k;
  }
}

TEST(ScopeBuffers, DigitalTracesAndSignalSelector) {
  ScopeTrace digital{};
  const std::uint16_t states[] = {0, 1, 2, 3, 0xFFFC, 0xFFFF};
  std::copy(std::begin(states), std::end(states), digital.begin());
  const DigitalTraces t = digitalTraces(digital);
  const double a[] = {2, 3, 2, 3, 2, 3};
  const double b[] = {0, 0, 1, 1, 0, 1};
  for (std::size_t k = 0; k < std::size(states); ++k) {
    EXPECT_EQ(t.a[k], a[k]) << k;
    EXPECT_EQ(t.b[k], b[k]) << k;
  }
  EXPECT_EQ(t.a[127], 2.0);
  EXPECT_EQ(t.b[127], 0.0);

  const struct {
    int selector;
    std::array<bool, 3> shown;
  } cases[] = {{0, {true, true, true}},
               {1, {true, false, false}},
               {2, {false, true, false}},
               {3, {false, false, true}},
               {9, {true, true, true}}};
  for (const auto &c : cases)
    EXPECT_EQ(scopeSignalsShown(c.selector), c.shown) << c.selector;
}

TEST(ScopeSettings, StartPayloadAndChecks) {
  const ScopeSettings s{0x0102, 3, 0x0405, 0x0607, 2};
  const std::array<std::uint8_t, 10> expected = {0x02, 0x01, 0x03, 0x00, 0x05,
                                                 0x04, 0x07, 0x06, 0x02, 0x00};
  EXPECT_EQ(encodeScopeStart(s), expected);

  const struct {
    std::uint16_t mode, preTrigger;
    bool accepted;
  } cases[] = {{0, 0, true},      {0, 500, true}, {1, 127, true}, {1, 128, false},
               {2, 65535, false}, {3, 0, true},   {4, 128, false}};
  for (const auto &c : cases) {
    ScopeSettings t;
    t.triggerMode = c.mode;
    t.preTrigger = c.preTrigger;
    EXPECT_EQ(checkScopeSettings(t).empty(), c.accepted) << c.mode << "/" << c.preTrigger;
  }
}

TEST(ScopeCycleTime, FrequencyAndCycleTimeTexts) {
  const struct {
    std::int32_t count, timeValue;
    double hz, ms;
    const char *hzText, *msText;
  } cases[] = {
      {500, 100, 500.0, 2.0, "500.0", "2.000"},
      {1500, 100, 1500.0, 1000.0 / 1500.0, "1500", "0.667"},
      {10000, 100, 10000.0, 0.1, "10000", "0.100"},
      {20000, 100, 20000.0, 0.05, "20000", "0.050000"},
      {2000000, 100, 2e6, 0.0005, "2000000", "0.000500"},
      {1, 100, 1.0, 1000.0, "1.00", "1000"},
      {3, 200, 1.5, 1000.0 / 1.5, "1.5", "666.667"},
      // No usable time base: 0, as after a failed read.
      {0, 100, 0.0, 0.0, "0.00", "0"},
      {500, 0, 0.0, 0.0, "0.00", "0"},
      {-500, 100, 0.0, 0.0, "0.00", "0"},
  };
  for (const auto &c : cases) {
    const CycleTime t = cycleTimeFrom(c.count, c.timeValue);
    SCOPED_TRACE(::testing::Message() << c.count << " / " << c.timeValue);
    EXPECT_DOUBLE_EQ(t.frequencyHz, c.hz);
    EXPECT_DOUBLE_EQ(t.cycleTimeMs, c.ms);
    EXPECT_EQ(t.frequencyText, c.hzText);
    EXPECT_EQ(t.cycleTimeText, c.msText);
  }
  const std::vector<std::uint8_t> reply = {0xF4, 0x01, 0x00, 0x00, 0x64, 0x00, 0x00, 0x00};
  EXPECT_EQ(cycleTimeFromReply(reply), cycleTimeFrom(500, 100));
  EXPECT_EQ(cycleTimeFromReply(std::span(reply).first(7)), CycleTime{});
}

TEST(ScopeCursors, DeltaXYTexts) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    ScopeCursorPosition c1, c2;
    double cycleMs;
    std::uint16_t scanRate;
    std::int64_t dx;
    const char *msText;
    std::int64_t dy;
    const char *voltsText;
  } cases[] = {
      {{10, 0}, {50, 1000}, 2.0, 3, 40, "240.000", 1000, "2.44140625"},
      // The x difference is truncated, then made positive; y values are truncated first.
      {{50.9, 1000.7}, {10.2, 0.2}, 2.0, 3, 40, "240.000", 1000, "2.44140625"},
      {{10.2, -0.5}, {50.9, 0.5}, 2.0, 3, 40, "240.000", 0, "0"},
      {{0, 4096}, {128, 0}, 10.0, 1, 128, "1280", 4096, "10"},
      {{3, 1}, {2, 0}, 1.0, 1, 1, "1.000000", 1, "0.00244140625"},
      {{0, 0}, {1, 0}, 0.0005, 1, 1, "0.000500", 0, "0"},
      // Cycle time never read: delta X is 0.
      {{0, 0}, {100, 0}, 0.0, 5, 100, "0.000000", 0, "0"},
      {{nan, nan}, {20, 20}, 2.0, 1, 20, "40.000", 20, "0.048828125"},
  };
  for (const auto &c : cases) {
    const ScopeDelta d = measureCursorDeltas(c.c1, c.c2, c.cycleMs, c.scanRate);
    SCOPED_TRACE(::testing::Message() << c.c1.x << "," << c.c1.y << " " << c.c2.x << "," << c.c2.y);
    EXPECT_EQ(d.dxSamples, c.dx);
    EXPECT_EQ(d.deltaXText, c.msText);
    EXPECT_EQ(d.dyDigits, c.dy);
    EXPECT_EQ(d.dyText, std::to_string(c.dy));
    EXPECT_EQ(d.voltsText, c.voltsText);
  }
  EXPECT_DOUBLE_EQ(measureCursorDeltas({10, 0}, {50, 1000}, 2.0, 3).deltaXMs, 240.0);
  EXPECT_DOUBLE_EQ(measureCursorDeltas({10, 0}, {50, 1000}, 2.0, 3).volts, 2.44140625);
}

TEST(ScopeGraph, AxesFollowCalculationModeAndRecordedSignal) {
  const struct {
    int calculationMode, signal;
    double yMax;
  } cases[] = {{1, 1, 10000.0}, {3, 1, 10000.0}, {0, 1, 4100.0},
               {2, 1, 4100.0},  {1, 0, 4100.0},  {3, 2, 4100.0}};
  for (const auto &c : cases)
    EXPECT_EQ(scopeGraphAxes(c.calculationMode, c.signal), (ScopeAxes{0.0, 128.0, 0.0, c.yMax}))
        << c.calculationMode << "/" << c.signal;
}

} // namespace
} // namespace quorvane
