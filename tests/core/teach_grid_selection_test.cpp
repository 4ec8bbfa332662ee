// The teach grid's context menu: prompt replies, set / increment / reset over a selection.
#include "teach/core/grid_selection.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace quorvane;

namespace {

// A grid numbered 1, 2, 3, ... line by line.
CellGrid numbered(int lines, int columns) {
  CellGrid g(lines, columns);
  std::uint16_t v = 1;
  for (int l = 1; l <= lines; ++l)
    for (int c = 1; c <= columns; ++c)
      g.setValue(l, c, v++);
  return g;
}

std::vector<std::uint16_t> line(const CellGrid &g, int l) {
  std::vector<std::uint16_t> out;
  for (int c = 1; c <= g.columns(); ++c)
    out.push_back(g.value(l, c));
  return out;
}

} // namespace

TEST(TeachGridSelection, PromptReplyReadsALeadingInteger) {
  struct Case {
    const char *reply;
    std::optional<int> want;
  };
  const Case cases[] = {
      {"5", 5},
      {"  -12", -12},
      {"+7", 7},
      {"42abc", 42},
      {"999999999", 999999999},
      {"-99999999", -99999999},
      {"1234567890", 123456789}, // only nine characters are read
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"-", std::nullopt},
      {"   ", std::nullopt},
      {"- 5", std::nullopt},
      {"0x10", 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.reply);
    EXPECT_EQ(parsePromptInteger(c.reply), c.want);
  }
}

TEST(TeachGridSelection, IncrementFillsLineByLineFromTheTopLeftValue) {
  CellGrid g(4, 6);
  g.setValue(2, 2, 100);
  ASSERT_TRUE(canIncrementSelection(g, {2, 2, 2, 3}));
  EXPECT_EQ(incrementSelection(g, {2, 2, 2, 3}, 5), 6);
  EXPECT_EQ(line(g, 2), (std::vector<std::uint16_t>{0, 100, 105, 110, 0, 0}));
  EXPECT_EQ(line(g, 3), (std::vector<std::uint16_t>{0, 115, 120, 125, 0, 0}));
  EXPECT_EQ(line(g, 1), std::vector<std::uint16_t>(6, 0));
}

TEST(TeachGridSelection, IncrementWrapsAndSkipsCellsThatAreNotEditable) {
  struct Case {
    std::uint16_t start;
    int increment;
    std::vector<std::uint16_t> want; // line 1, columns 1..4; column 3 not editable
  };
  const Case cases[] = {
      {65534, 1, {65534, 65535, 9, 0}},
      {2, -3, {2, 65535, 9, 65532}},
      {0, 65536, {0, 0, 9, 0}},
      {10, INT_MIN, {10, 10, 9, 10}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.increment);
    CellGrid g(1, 4);
    g.setValue(1, 1, c.start);
    g.setValue(1, 3, 9);
    g.setEditable(1, 3, false);
    incrementSelection(g, {1, 1, 1, 4}, c.increment);
    EXPECT_EQ(line(g, 1), c.want);
  }
}

TEST(TeachGridSelection, IncrementNeedsAnEditableTopLeftCell) {
  CellGrid g = numbered(2, 3);
  g.setEditable(1, 1, false);
  EXPECT_FALSE(canIncrementSelection(g, {1, 1, 2, 3}));
  EXPECT_EQ(incrementSelection(g, {1, 1, 2, 3}, 5), 0);
  EXPECT_EQ(line(g, 1), (std::vector<std::uint16_t>{1, 2, 3}));
  EXPECT_TRUE(canIncrementSelection(g, {1, 2, 2, 2}));
}

TEST(TeachGridSelection, SetAndResetTouchOnlyEditableCellsInsideTheGrid) {
  CellGrid g = numbered(3, 3);
  g.setEditable(2, 2, false);
  EXPECT_EQ(setSelectionTo(g, {2, 1, 5, 9}, 70000), 5); // runs off the grid: clipped
  EXPECT_EQ(line(g, 1), (std::vector<std::uint16_t>{1, 2, 3}));
  EXPECT_EQ(line(g, 2), (std::vector<std::uint16_t>{65535, 5, 65535}));
  EXPECT_EQ(line(g, 3), (std::vector<std::uint16_t>{65535, 65535, 65535}));
  setSelectionTo(g, {1, 1, 1, 1}, -4);
  EXPECT_EQ(g.value(1, 1), 0);
  EXPECT_EQ(resetSelection(g, {1, 1, 3, 3}), 8);
  EXPECT_EQ(line(g, 2), (std::vector<std::uint16_t>{1, 5, 1}));
}

TEST(TeachGridSelection, UnusableSelectionsChangeNothing) {
  const GridSelection selections[] = {
      {0, 1, 2, 2},  {1, 0, 2, 2}, {-1, -1, 0, 0}, {1, 1, 0, 3},
      {1, 1, 3, -2}, {4, 1, 1, 1}, {1, 4, 1, 1},   {INT_MAX, INT_MAX, INT_MAX, INT_MAX}};
  for (const GridSelection &s : selections) {
    SCOPED_TRACE(::testing::Message()
                 << s.top << "," << s.left << "," << s.lines << "," << s.columns);
    CellGrid g = numbered(3, 3);
    EXPECT_EQ(setSelectionTo(g, s, 0), 0);
    EXPECT_EQ(incrementSelection(g, s, 1), 0);
    EXPECT_EQ(resetSelection(g, s), 0);
    for (int l = 1; l <= 3; ++l)
      EXPECT_EQ(g.value(l, 1), 3 * l - 2);
  }
}

TEST(TeachGridSelection, HugeSelectionIsClippedToTheGrid) {
  CellGrid g = numbered(3, 3);
  g.setValue(2, 2, 40);
  EXPECT_EQ(incrementSelection(g, {2, 2, INT_MAX, INT_MAX}, 1), 4);
  EXPECT_EQ(line(g, 2), (std::vector<std::uint16_t>{4, 40, 41}));
  EXPECT_EQ(line(g, 3), (std::vector<std::uint16_t>{7, 42, 43}));
}

TEST(TeachGridSelection, TeachGridEditabilityFollowsTheCalculationMode) {
  TeachTable t{};
  for (std::size_t r = 0; r < kTeachRows; ++r)
    for (std::size_t c = 0; c < kTeachCells; ++c)
      t[r].cell[c] = static_cast<std::uint16_t>(r + c);
  for (std::uint16_t calc : {0, 1, 2, 3}) {
    SCOPED_TRACE(calc);
    CellGrid g = teachCellGrid(t, calc);
    ASSERT_EQ(g.lines(), 31);
    ASSERT_EQ(g.columns(), 6);
    EXPECT_EQ(resetSelection(g, {1, 1, 31, 6}), calc >= 2 ? 31 * 4 : 31 * 5);
    TeachTable back = t;
    storeTeachCellGrid(g, back);
    EXPECT_EQ(back[30].cell[3], 1);
    EXPECT_EQ(back[30].cell[4], calc >= 2 ? 34 : 1);
    EXPECT_EQ(back[30].group, t[30].group);
  }
}
