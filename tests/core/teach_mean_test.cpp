// The mean-value teach assistant: captures, means, spreads and the row TEACH writes.
#include "teach/core/mean_teach.h"
#include "teach/core/teach_panel_labels.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quorvane;

namespace {

using Frame = std::array<int, 6>; // R, G, B, X, Y, INT

MeasuredValues frame(const Frame &f) {
  MeasuredValues m;
  m.red = static_cast<std::int16_t>(f[0]);
  m.green = static_cast<std::int16_t>(f[1]);
  m.blue = static_cast<std::int16_t>(f[2]);
  m.x = static_cast<std::int16_t>(f[3]);
  m.y = static_cast<std::int16_t>(f[4]);
  m.intensity = static_cast<std::int16_t>(f[5]);
  return m;
}

CaptureTable captured(const std::vector<Frame> &frames) {
  CaptureTable t;
  for (const Frame &f : frames)
    captureFrame(t, frame(f));
  return t;
}

// A table filled directly with 16-bit values (as edited by hand), beyond what a frame holds.
CaptureTable edited(const std::vector<CapturedFrame> &frames) {
  CaptureTable t;
  for (std::size_t i = 0; i < frames.size(); ++i)
    t.frames[i] = frames[i];
  t.counter = static_cast<int>(frames.size());
  return t;
}

} // namespace

TEST(TeachMean, MeansTruncateAndSpreadsFollowTheCalculationMode) {
  struct Case {
    const char *name;
    CaptureTable table;
    std::uint16_t calc;
    CapturedFrame mean;
    std::uint32_t spread, spreadInt;
  };
  const Case cases[] = {
      {"three X",
       captured({{1, 2, 3, 100, 50, 9}, {1, 2, 3, 110, 50, 9}, {1, 2, 3, 120, 50, 9}}),
       0,
       {1, 2, 3, 110, 50, 9},
       10,
       0},
      {"truncation",
       captured({{1, 1, 1, 1, 1, 1}, {2, 2, 2, 2, 2, 2}}),
       0,
       {1, 1, 1, 1, 1, 1},
       1,
       1},
      // One frame 3 off in X, 4 in Y and 12 in INT from the mean of the other three.
      {"3-4-12 in 3D",
       captured({{0, 0, 0, 13, 24, 112},
                 {0, 0, 0, 10, 20, 100},
                 {0, 0, 0, 10, 20, 100},
                 {0, 0, 0, 7, 16, 88}}),
       2,
       {0, 0, 0, 10, 20, 100},
       13,
       12},
      {"3-4-12 in 2D",
       captured({{0, 0, 0, 13, 24, 112},
                 {0, 0, 0, 10, 20, 100},
                 {0, 0, 0, 10, 20, 100},
                 {0, 0, 0, 7, 16, 88}}),
       0,
       {0, 0, 0, 10, 20, 100},
       5,
       12},
      {"empty", CaptureTable{}, 2, {}, 0, 0},
      // Squares beyond 32 bits: 65535^2 * 3 needs 64-bit sums.
      {"16-bit limit",
       edited({{0, 0, 0, 0, 0, 0}, {0, 0, 0, 65535, 65535, 65535}}),
       3,
       {0, 0, 0, 32767, 32767, 32767},
       56755,
       32768},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const MeanValues m = calculateMeans(c.table, c.calc);
    EXPECT_EQ(m.mean, c.mean);
    EXPECT_EQ(m.spread, c.spread);
    EXPECT_EQ(m.spreadInt, c.spreadInt);
  }
}

TEST(TeachMean, IntegerSquareRootTruncates) {
  EXPECT_EQ(integerSqrt(0), 0u);
  EXPECT_EQ(integerSqrt(168), 12u);
  EXPECT_EQ(integerSqrt(169), 13u);
  EXPECT_EQ(integerSqrt(12884508675ULL), 113509u); // 3 x 65535^2
  EXPECT_EQ(integerSqrt(UINT64_MAX), 4294967295ULL);
}

TEST(TeachMean, CaptureUndoAndResetKeepCounterAndActiveLine) {
  CaptureTable t;
  undoCapture(t); // empty: stays 0
  EXPECT_EQ(t.counter, 0);
  EXPECT_EQ(t.activeLine, 1);
  for (int i = 1; i <= 101; ++i)
    captureFrame(t, frame({i, 0, 0, 0, 0, -5}));
  EXPECT_EQ(t.counter, 100);
  EXPECT_EQ(t.activeLine, 100);
  EXPECT_EQ(t.frames[99][0], 101); // the 101st capture replaced line 100
  EXPECT_EQ(t.frames[98][0], 99);
  EXPECT_EQ(t.frames[0][5], 0); // negative INT captured as 0
  undoCapture(t);
  EXPECT_EQ(t.counter, 99);
  EXPECT_EQ(t.activeLine, 94);
  EXPECT_EQ(t.frames[99], CapturedFrame{});
  EXPECT_EQ(t.frames[98][0], 99);
  for (int i = 0; i < 94; ++i)
    undoCapture(t);
  EXPECT_EQ(t.counter, 5);
  EXPECT_EQ(t.activeLine, 1);
  resetCaptureTable(t);
  EXPECT_EQ(t, CaptureTable{});
}

TEST(TeachMean, CorruptCounterNeverReachesPastTheTable) {
  for (int counter : {-7, 101, 5000}) {
    SCOPED_TRACE(counter);
    CaptureTable t = captured({{1, 1, 1, 1, 1, 1}});
    t.counter = counter;
    const MeanValues m = calculateMeans(t, 0); // clamped: no read past line 100
    EXPECT_EQ(m.mean[0], 0);
    undoCapture(t);
    EXPECT_GE(t.counter, 0);
    EXPECT_LE(t.counter, 99);
    captureFrame(t, frame({2, 2, 2, 2, 2, 2}));
    EXPECT_LE(t.counter, 100);
  }
}

TEST(TeachMean, ToleranceChoices) {
  struct Case {
    int ring;
    std::uint32_t spread;
    std::uint16_t value, cell, want;
  };
  const Case cases[] = {{0, 30, 20, 7, 20},         {1, 30, 20, 7, 30},      {2, 30, 20, 7, 50},
                        {3, 30, 20, 7, 7},          {4, 30, 20, 7, 0},       {-1, 30, 20, 7, 0},
                        {2, 65000, 1000, 7, 65535}, {1, 113509, 0, 7, 65535}};
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "ring " << c.ring << " spread " << c.spread);
    EXPECT_EQ(chosenTolerance(c.ring, c.spread, c.value, c.cell), c.want);
  }
}

TEST(TeachMean, TeachWritesMeansAndTolerancesIntoTheRow) {
  using Cells = std::array<std::uint16_t, kTeachCells>;
  struct Case {
    std::uint16_t calc, eval;
    int ring1, ring2;
    Cells want; // row 3 holding 1, 2, 3, 4, 5 before
  };
  const Case cases[] = {
      {0, 0, 2, 1, {110, 220, 50, 330, 12}},
      {0, 2, 2, 0, {110, 220, 40, 330, 9}}, // MIN DIST: 40 whatever the ring
      {1, 1, 3, 3, {110, 220, 3, 330, 5}},  // keep the table's tolerances
      {2, 0, 1, 1, {110, 220, 330, 30, 5}}, // 3D: fifth cell untouched
      {3, 2, 0, 0, {110, 220, 330, 40, 5}},
      {2, 1, 3, 0, {110, 220, 330, 4, 5}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "calc " << c.calc << " eval " << c.eval);
    TeachTable table{};
    table[3].cell = {1, 2, 3, 4, 5};
    MeanTeachInput in;
    in.means.mean = {0, 0, 0, 110, 220, 330};
    in.means.spread = 30;
    in.means.spreadInt = 12;
    in.calcMode = c.calc;
    in.evalMode = c.eval;
    in.ring1 = c.ring1;
    in.ring2 = c.ring2;
    in.value1 = 20;
    in.value2 = 9;
    in.currentRow = 3;
    in.autoIncrement = true;
    const TeachResult r = teachRowFromMeans(in, table);
    applyCellWrites(r.writes, table);
    EXPECT_EQ(table[3].cell, c.want);
    EXPECT_EQ(table[4].cell, Cells{});
    EXPECT_EQ(r.nextRow, 4);
    EXPECT_FALSE(r.rowColour.has_value());
  }
}

TEST(TeachMean, PanelLabelsHideTheIntensityIn3DAndDimTheToleranceInMinDist) {
  for (std::uint16_t calc : {0, 1, 2, 3}) {
    SCOPED_TRACE(calc);
    const MeanPanelLabels l = meanPanelLabels(calc, 0);
    EXPECT_EQ(l.spreadIntVisible, calc < 2);
    EXPECT_EQ(l.tolerance2.visible, calc < 2);
    EXPECT_TRUE(l.tolerance1.enabled);
    EXPECT_FALSE(meanPanelLabels(calc, 2).tolerance1.enabled);
  }
  EXPECT_EQ(meanPanelLabels(3, 0).tolerance1.items[2], "d (s/i/INT)+VALUE TOL");
  EXPECT_EQ(meanPanelLabels(1, 0).columns[5], "M");
}
