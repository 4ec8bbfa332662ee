#include "live/core/live_history.h"
#include "support/measured_frame.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(LiveHistory, StartsAsZeros) {
  LiveHistory h;
  for (double v : h.rgb)
    EXPECT_EQ(v, 0.0);
  for (const auto *a : {&h.x, &h.y, &h.intensity})
    for (double v : *a)
      EXPECT_EQ(v, 0.0);
}

TEST(LiveHistory, FirstSampleLandsAtTheRightEndWithZerosBeforeIt) {
  LiveHistory h;
  h.scroll(quorvane::testing::measuredFrame(1, 2, 3, 4, 5, 6));
  for (std::size_t i = 0; i < kRgbHistoryValues - 3; ++i)
    ASSERT_EQ(h.rgb[i], 0.0) << i;
  EXPECT_EQ(h.rgb[297], 1.0);
  EXPECT_EQ(h.rgb[298], 2.0);
  EXPECT_EQ(h.rgb[299], 3.0);
  for (std::size_t i = 0; i < kHistorySamples - 1; ++i) {
    ASSERT_EQ(h.x[i], 0.0);
    ASSERT_EQ(h.y[i], 0.0);
    ASSERT_EQ(h.intensity[i], 0.0);
  }
  EXPECT_EQ(h.x[99], 4.0);
  EXPECT_EQ(h.y[99], 5.0);
  EXPECT_EQ(h.intensity[99], 6.0);
}

TEST(LiveHistory, NinetyNineSamplesLeaveOneZeroAtTheLeft) {
  LiveHistory h;
  for (int n = 1; n <= 99; ++n)
    h.scroll(quorvane::testing::measuredFrame(static_cast<std::int16_t>(n), 0, 0,
                                              static_cast<std::int16_t>(n), 0, 0));
  EXPECT_EQ(h.x[0], 0.0);
  EXPECT_EQ(h.x[1], 1.0);
  EXPECT_EQ(h.x[99], 99.0);
  const auto red = rgbTrace(h.rgb, 0);
  EXPECT_EQ(red[0], 0.0);
  EXPECT_EQ(red[1], 1.0);
  EXPECT_EQ(red[99], 99.0);
}

TEST(LiveHistory, OldestSampleFallsOffAfterAHundred) {
  LiveHistory h;
  for (int n = 1; n <= 150; ++n) {
    const auto v = static_cast<std::int16_t>(n);
    h.scroll(quorvane::testing::measuredFrame(v, static_cast<std::int16_t>(-v),
                                              static_cast<std::int16_t>(2 * v), v, v, v));
  }
  // Samples 51..150 remain, oldest first, colours still interleaved in order.
  for (std::size_t i = 0; i < kHistorySamples; ++i) {
    const double n = 51.0 + static_cast<double>(i);
    ASSERT_EQ(h.rgb[3 * i], n);
    ASSERT_EQ(h.rgb[3 * i + 1], -n);
    ASSERT_EQ(h.rgb[3 * i + 2], 2 * n);
    ASSERT_EQ(h.intensity[i], n);
  }
}

TEST(LiveHistory, ExtremeChannelValuesAreKeptExactly) {
  LiveHistory h;
  h.scroll(quorvane::testing::measuredFrame(-32768, 32767, 4095, -1, -32768, 32767));
  EXPECT_EQ(h.rgb[297], -32768.0);
  EXPECT_EQ(h.rgb[298], 32767.0);
  EXPECT_EQ(h.rgb[299], 4095.0);
  EXPECT_EQ(h.x[99], -1.0);
  EXPECT_EQ(h.y[99], -32768.0);
  EXPECT_EQ(h.intensity[99], 32767.0);
}

TEST(LiveHistory, TraceSplitsTheInterleavedHistory) {
  std::array<double, kRgbHistoryValues> rgb{};
  for (std::size_t i = 0; i < rgb.size(); ++i)
    rgb[i] = static_cast<double>(i);
  const struct {
    std::size_t trace;
    double first, last;
  } cases[] = {{0, 0, 297}, {1, 1, 298}, {2, 2, 299}};
  for (const auto &c : cases) {
    const auto t = rgbTrace(rgb, c.trace);
    EXPECT_EQ(t.front(), c.first) << c.trace;
    EXPECT_EQ(t.back(), c.last) << c.trace;
  }
  // A trace number out of range yields zeros rather than reading past the history.
  for (double v : rgbTrace(rgb, 3))
    EXPECT_EQ(v, 0.0);
}

} // namespace
} // namespace quorvane
