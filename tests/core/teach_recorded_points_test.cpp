// The recorded-values store and the search for the point under a graph cursor.
#include "teach/core/recorded_points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace quorvane;

namespace {

// Points 0..3; points 1 and 3 share X and INT, points 2 and 3 share (X, Y).
RecordedPoints sample() {
  RecordedPoints r;
  r.append(10, 20, 30);
  r.append(11, 21, 31);
  r.append(12, 22, 32);
  r.append(12, 22, 31);
  r.append(-5, 40, 2000);
  return r;
}

} // namespace

TEST(TeachRecordedPoints, CursorFindsTheFirstExactMatchElsePointZero) {
  struct Case {
    int graph;
    GraphPosition cursor;
    std::size_t want;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {0, {12, 22}, 2},   {1, {12, 31}, 3},      {2, {22, 31}, 3},   {1, {11, 31}, 1},
      {2, {21, 31}, 1},   {0, {-5, 40}, 4},      {2, {40, 2000}, 4}, {0, {12, 21}, 0},
      {0, {12.5, 22}, 0}, {0, {12, 22.0001}, 0}, {0, {nan, 22}, 0},  {0, {1e9, 22}, 0},
      {2, {20, 30}, 0},   {0, {10, 20}, 0},      {1, {-5, 2000}, 4},
  };
  const RecordedPoints r = sample();
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "graph " << c.graph << " at " << c.cursor.x << "," << c.cursor.y);
    EXPECT_EQ(r.findAtCursor(c.graph, c.cursor), c.want);
  }
}

TEST(TeachRecordedPoints, SelectionMovesEveryCursorOntoThePoint) {
  const RecordedPoints r = sample();
  const auto s = r.selectPointAtCursor(1, {12, 31});
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->index, 3u);
  EXPECT_EQ(s->displays, (std::array<std::uint16_t, 3>{12, 22, 31}));
  EXPECT_EQ(s->cursors[0], (GraphPosition{12, 22}));
  EXPECT_EQ(s->cursors[1], (GraphPosition{12, 31}));
  EXPECT_EQ(s->cursors[2], (GraphPosition{22, 31}));
  // A negative co-ordinate is shown as 0; the cursor stays on the plotted point.
  const auto n = r.selectPointAtCursor(0, {-5, 40});
  ASSERT_TRUE(n.has_value());
  EXPECT_EQ(n->displays[0], 0);
  EXPECT_EQ(n->cursors[0], (GraphPosition{-5, 40}));
}

TEST(TeachRecordedPoints, NothingRecordedOrUnknownGraphSelectsNothing) {
  RecordedPoints r;
  EXPECT_FALSE(r.selectPointAtCursor(0, {0, 0}).has_value());
  r = sample();
  EXPECT_FALSE(r.findAtCursor(3, {10, 20}).has_value());
  EXPECT_FALSE(r.findAtCursor(-1, {10, 20}).has_value());
  r.clear(); // RESET: the old points are gone from the search too
  EXPECT_EQ(r.counter(), 0u);
  EXPECT_FALSE(r.findAtCursor(0, {12, 22}).has_value());
  r.append(1, 2, 3);
  EXPECT_EQ(r.findAtCursor(0, {12, 22}), 0u);
  EXPECT_EQ(r.findAtCursor(2, {2, 3}), 0u);
}

TEST(TeachRecordedPoints, TheSixtyThousandthPointFillsTheStore) {
  RecordedPoints r;
  for (std::size_t i = 0; i + 1 < kMaxRecordedPoints; ++i) {
    ASSERT_TRUE(r.append(static_cast<std::int16_t>(i % 4096), static_cast<std::int16_t>(i / 4096),
                         static_cast<std::int16_t>(i % 7)));
  }
  EXPECT_FALSE(r.full());
  EXPECT_TRUE(r.append(4095, 4095, 4095));
  EXPECT_TRUE(r.full());
  EXPECT_EQ(r.counter(), 60000u);
  EXPECT_FALSE(r.append(1, 1, 1));
  EXPECT_EQ(r.counter(), 60000u);
  EXPECT_EQ(r.findAtCursor(0, {4095, 4095}), 59999u);
  EXPECT_EQ(r.findAtCursor(0, {1, 1}), 4097u);
}

TEST(TeachRecordedPoints, CursorSnapsToTheNearestDrawnPoint) {
  struct Case {
    int graph;
    GraphPosition at;
    double xScale;
    double yScale;
    std::size_t want;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {0, {12.4, 22.4}, 1, 1, 2}, // (12, 22) first at index 2, index 3 is a tie
      {0, {10.2, 19}, 1, 1, 0},   // nearest is point 0
      {1, {11.6, 31.2}, 1, 1, 3}, // (12, 31) in X/INT is point 3
      {2, {0, 1900}, 1, 1, 4},    // far out: still the nearest one
      {0, {11, 40}, 1, 0.001, 1}, // Y hardly counts: X decides
      {0, {11, 40}, 0.001, 1, 4}, // X hardly counts: Y decides
      {0, {10, 20}, inf, inf, 0}, // a degenerate axis scale still answers
  };
  const RecordedPoints r = sample();
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "graph " << c.graph << " at " << c.at.x << "," << c.at.y);
    EXPECT_EQ(r.nearestTo(c.graph, c.at, c.xScale, c.yScale), c.want);
  }
  EXPECT_EQ(RecordedPoints{}.nearestTo(0, {0, 0}, 1, 1), std::nullopt);
}
