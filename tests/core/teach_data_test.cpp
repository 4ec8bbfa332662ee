// TEACH DATA TO: cells written per mode, default tolerances, "No." stepping, row colour.
#include "support/measured_frame.h"
#include "teach/core/teach_data.h"

#include <gtest/gtest.h>

using namespace quorvane;

namespace {

TeachTable filled(std::uint16_t value) {
  TeachTable t{};
  for (auto &v : t)
    v.cell.fill(value);
  return t;
}

TeachTable taught(const TeachDataInput &in, TeachTable table = filled(7)) {
  applyCellWrites(teachRow(in).writes, table);
  return table;
}

} // namespace

TEST(TeachData, DefaultToleranceByEvaluationCalculationAndPowerMode) {
  struct Case {
    std::uint16_t eval, calc, power, t, u;
  };
  const Case cases[] = {
      {0, 0, 0, 100, 100}, {0, 0, 1, 100, 50},  {3, 0, 0, 100, 100}, {3, 0, 1, 100, 50},
      {1, 0, 0, 200, 200}, {1, 0, 1, 200, 100}, {2, 0, 0, 40, 200},  {2, 0, 1, 40, 100},
      {0, 1, 1, 100, 50},  {1, 1, 0, 200, 50},  {2, 1, 1, 40, 50},   {3, 1, 0, 100, 50},
      {0, 2, 1, 100, 1},   {1, 2, 0, 200, 1},   {2, 3, 1, 40, 1},    {3, 3, 0, 100, 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "eval " << c.eval << " calc " << c.calc << " power " << c.power);
    EXPECT_EQ(defaultTolerance(c.eval, c.calc, c.power), (DefaultTolerance{c.t, c.u}));
  }
}

TEST(TeachData, ColourModesWriteValuesAndToleranceIntoTheirColumns) {
  using Cells = std::array<std::uint16_t, kTeachCells>;
  struct Case {
    std::uint16_t calc, eval, power;
    bool tolerance;
    Cells want; // row 4 after teaching X 10, Y 20, INT 30 over cells of 7
  };
  const Case cases[] = {
      {0, 0, 0, true, {10, 20, 100, 30, 100}},
      {0, 2, 1, true, {10, 20, 40, 30, 100}}, // MIN DIST, DYN: CTO 40, ITO 100
      {1, 1, 0, true, {10, 20, 200, 30, 50}},
      {2, 1, 0, true, {10, 20, 30, 200, 1}},
      {3, 3, 1, true, {10, 20, 30, 100, 1}},
      {0, 0, 0, false, {10, 20, 7, 30, 7}},
      {2, 0, 0, false, {10, 20, 30, 7, 7}}, // columns 4 and 5 stay
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "calc " << c.calc << " eval " << c.eval);
    TeachDataInput in;
    in.measured = quorvane::testing::measuredFrame(1, 2, 3, 10, 20, 30);
    in.calcMode = c.calc;
    in.evalMode = c.eval;
    in.powerMode = c.power;
    in.currentRow = 4;
    in.teachTolerance = c.tolerance;
    const TeachTable t = taught(in);
    EXPECT_EQ(t[4].cell, c.want);
    EXPECT_EQ(t[3].cell, filled(7)[3].cell);
    EXPECT_EQ(t[5].cell, filled(7)[5].cell);
  }
}

TEST(TeachData, ThresholdModesWriteRowsZeroAndOneWhateverTheRow) {
  struct Case {
    std::uint16_t eval;
    std::uint16_t row0, row1;
  };
  const Case cases[] = {{4, 100, 200}, {5, 100, 300}, {6, 200, 300}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.eval);
    TeachDataInput in;
    in.measured = quorvane::testing::measuredFrame(100, 200, 300, 1, 2, 3);
    in.evalMode = c.eval;
    in.currentRow = 7;
    in.autoIncrement = true;
    const TeachResult r = teachRow(in);
    const TeachTable t = taught(in);
    EXPECT_EQ(t[0].cell, (std::array<std::uint16_t, 5>{c.row0, 7, 7, 7, 7}));
    EXPECT_EQ(t[1].cell, (std::array<std::uint16_t, 5>{c.row1, 7, 7, 7, 7}));
    EXPECT_EQ(t[7], filled(7)[7]);
    EXPECT_EQ(r.nextRow, 7); // no auto-increment
  }
}

TEST(TeachData, AutoIncrementStepsTheRowUpToThirty) {
  struct Case {
    int row;
    bool autoIncrement;
    int taughtRow, next;
  };
  const Case cases[] = {{0, true, 0, 1},     {29, true, 29, 30}, {30, true, 30, 30},
                        {12, false, 12, 12}, {-3, true, 0, 1},   {45, true, 30, 30}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.row);
    TeachDataInput in;
    in.measured = quorvane::testing::measuredFrame(0, 0, 0, 11, 22, 33);
    in.currentRow = c.row;
    in.autoIncrement = c.autoIncrement;
    const TeachResult r = teachRow(in);
    EXPECT_EQ(r.nextRow, c.next);
    for (const CellWrite &w : r.writes)
      EXPECT_EQ(w.row, c.taughtRow);
  }
}

TEST(TeachData, NegativeMeasurementsAreTaughtAsZero) {
  TeachDataInput in;
  in.measured = quorvane::testing::measuredFrame(-16, 5, 5, -1, 32767, -32768);
  EXPECT_EQ(taught(in)[0].cell, (std::array<std::uint16_t, 5>{0, 32767, 100, 0, 100}));
  in.evalMode = 4;
  EXPECT_EQ(taught(in)[0].cell[0], 0);
}

TEST(TeachData, RowColourOnlyInAutomaticModeAndFromTheCurrentColour) {
  TeachDataInput in;
  in.measured = quorvane::testing::measuredFrame(4095, 2048, 15, 1, 2, 3);
  in.currentRow = 9;
  in.autoIncrement = true;
  EXPECT_FALSE(teachRow(in).rowColour.has_value());
  in.automaticRowColour = true;
  TeachResult r = teachRow(in);
  ASSERT_TRUE(r.rowColour.has_value());
  EXPECT_EQ(*r.rowColour, 0xFF8000u);
  EXPECT_EQ(r.colourRow, 9); // the row taught, not the next one
  in.evalMode = 6;
  r = teachRow(in);
  EXPECT_EQ(r.colourRow, 9);
  EXPECT_TRUE(r.rowColour.has_value());
}
