#include "recorder/core/record_file.h"
#include "recorder/core/record_progress.h"
#include "recorder/core/record_time.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace quorvane {
namespace {

TEST(RecordFileText, HeaderWithAndWithoutPanelId) {
  const std::string columns = "DATE\tTIME\tRED\tGREEN\tBLUE\tX s\tY i\tINT M\tdelta C\tCOLOR\tGROUP"
                              "\tTRIGGER\tTEMP\r\n";
  EXPECT_EQ(recordFileHeaderText(""),
            "\nRECORD RESULTS OF: QUORVANE ANA Scope V1.3\r\n\r\n" + columns);
  EXPECT_EQ(recordFileHeaderText("LINE 4 / LEFT"),
            "\nRECORD RESULTS OF: QUORVANE ANA Scope V1.3\r\nPANEL ID: LINE 4 / LEFT\r\n\r\n" +
                columns);
}

TEST(RecordFileText, OneLinePerFrame) {
  MeasuredValues m;
  m.red = 4095;
  m.green = 0;
  m.blue = -32768;
  m.x = 1234;
  m.y = -5;
  m.intensity = 32767;
  m.deltaC = 17;
  m.colorNumber = -1; // no colour hit
  m.group = 255;      // failure condition
  m.trigger = 1;
  m.temperature = 38;
  m.rawRed = 999; // raw values, extremes and outputs are not recorded
  m.auxiliary = {1, 2, 3};
  const struct {
    RecordTimestamp t;
    std::string dateTime;
  } cases[] = {
      {{2024, 3, 7, 9, 5, 1}, "03-07-2024\t09:05:01"},
      {{1999, 12, 31, 23, 59, 59}, "12-31-1999\t23:59:59"},
      {{2100, 1, 1, 0, 0, 0}, "01-01-2100\t00:00:00"},
      // A broken clock must not overflow the sign handling.
      {{INT_MIN, 1, 1, 0, 0, 0}, "01-01--2147483648\t00:00:00"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(recordLineText(c.t, m),
              c.dateTime + "\t4095\t0\t-32768\t1234\t-5\t32767\t17\t-1\t255\t1\t38\r\n");
}

TEST(RecordTime, IntervalCorrectionAndEstimate) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double interval;
    std::uint16_t frames;
    double usedInterval;
    bool corrected;
    std::int64_t days;
    int hours, minutes;
    std::string seconds;
  } cases[] = {
      {0.1, 10, 0.25, true, 0, 0, 0, "2.5"},
      {0.0, 3, 0.25, true, 0, 0, 0, "0.75"},
      {-4.0, 1, 0.25, true, 0, 0, 0, "0.25"},
      {nan, 4, 0.25, true, 0, 0, 0, "1"},
      {1.0, 0, 1.0, false, 0, 0, 0, "0"},
      {1.0, 3661, 1.0, false, 0, 1, 1, "1"},
      {2.0, 43200, 2.0, false, 1, 0, 0, "0"},
      {65.5, 65535, 65.5, false, 49, 16, 22, "22.5"},
      // 0.3 x 7 is 2.0999999999999996 in doubles; the display still says 2.1.
      {0.3, 7, 0.3, false, 0, 0, 0, "2.1"},
      // Just under a minute stays under a minute instead of showing 60 seconds.
      {59.9999999, 1, 59.9999999, false, 0, 0, 1, "0"},
      {0.2500001, 1, 0.2500001, false, 0, 0, 0, "0.25"},
      {0.333333, 3, 0.333333, false, 0, 0, 0, "0.999999"},
      // Absurd intervals give a bounded estimate instead of overflowing.
      {inf, 2, inf, false, 104166666, 16, 0, "0"},
  };
  for (const auto &c : cases) {
    const RecordTimeEstimate e = estimateRecordTime(c.interval, c.frames);
    SCOPED_TRACE(::testing::Message() << c.interval << " x " << c.frames);
    EXPECT_EQ(e.interval.seconds, c.usedInterval);
    EXPECT_EQ(e.interval.corrected, c.corrected);
    EXPECT_EQ(e.days, c.days);
    EXPECT_EQ(e.hours, c.hours);
    EXPECT_EQ(e.minutes, c.minutes);
    EXPECT_EQ(e.secondsText, c.seconds);
    EXPECT_LT(e.seconds, 60.0);
  }
  EXPECT_DOUBLE_EQ(estimateRecordTime(0.1, 10).seconds, 2.5);
}

TEST(RecordProgress, CountedRecordingEndsAtItsNumberOfFrames) {
  RecordProgress p(10);
  for (int i = 1; i <= 10; ++i) {
    EXPECT_FALSE(p.finished()) << i;
    p.countAttempt(0);
    EXPECT_EQ(p.recordedCount(), i);
    EXPECT_EQ(p.remainingCount(), 10 - i);
  }
  EXPECT_TRUE(p.finished());
  EXPECT_EQ(p.frameCounter(), 0.0);
}

TEST(RecordProgress, ZeroFramesRunsUntilStopPastTheSixteenBitWrap) {
  RecordProgress p(0);
  for (int i = 0; i < 65536 * 2 + 3; ++i) {
    p.countAttempt(0);
    ASSERT_FALSE(p.finished()) << i;
  }
  // The displays wrap as 16-bit counts do.
  EXPECT_EQ(p.recordedCount(), 3);
  EXPECT_EQ(p.remainingCount(), 65533);
}

TEST(RecordProgress, OtherModesCountTheirOwnWay) {
  RecordProgress p(5);
  p.countAttempt(1);
  p.countAttempt(1);
  p.countTriggered();
  EXPECT_EQ(p.frameCounter(), 3.0);
  EXPECT_EQ(p.recordedCount(), 0);
  p.countManual();
  EXPECT_EQ(p.recordedCount(), 1);
  // Interval passes in modes without a count (a mode change mid-loop) change nothing.
  p.countAttempt(2);
  p.countAttempt(3);
  EXPECT_EQ(p.recordedCount(), 1);
  EXPECT_EQ(p.frameCounter(), 3.0);
  EXPECT_FALSE(p.finished());
}

} // namespace
} // namespace quorvane
