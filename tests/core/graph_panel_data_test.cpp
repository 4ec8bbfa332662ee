#include "live/core/graph_panel_data.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

// A frame whose seven signals all hold `v`.
MeasuredValues signals(std::int16_t v) {
  MeasuredValues m;
  m.red = m.green = m.blue = m.x = m.y = m.intensity = m.temperature = v;
  return m;
}

TEST(GraphPanel, SelectorItemsFollowTheCalculationMode) {
  using Names = std::array<std::string_view, kPanelGraphs>;
  EXPECT_EQ(panelSignalNames(0), (Names{"RED", "GREEN", "BLUE", "X", "Y", "INT", "TEMP"}));
  EXPECT_EQ(panelSignalNames(1), (Names{"RED", "GREEN", "BLUE", "s", "i", "M", "TEMP"}));
  EXPECT_EQ(panelSignalNames(3), (Names{"RED", "GREEN", "BLUE", "s", "i", "M", "TEMP"}));
}

TEST(GraphPanel, SelectorShowsOneGraphAndRedForAnythingElse) {
  const struct {
    int selector;
    std::size_t shown;
  } cases[] = {{0, 0}, {3, 3}, {6, 6}, {7, 0}, {-1, 0}, {65535, 0}};
  for (const auto &c : cases)
    EXPECT_EQ(panelGraphShown(c.selector), c.shown) << c.selector;
}

TEST(GraphPanel, SignalsInGraphOrder) {
  MeasuredValues m;
  m.red = 1;
  m.green = 2;
  m.blue = 3;
  m.x = 4;
  m.y = 5;
  m.intensity = 6;
  m.deltaC = 99;
  m.temperature = -7;
  EXPECT_EQ(panelSignalValues(m), (std::array<std::int16_t, kPanelGraphs>{1, 2, 3, 4, 5, 6, -7}));
}

TEST(GraphPanel, EachFrameAddsASegmentFromThePreviousPoint) {
  PanelGraphState s;
  restartGraphPanel(s, signals(500)); // the values before recording starts
  EXPECT_EQ(s.pointIndex, 0);
  EXPECT_EQ(s.index, (PanelGraphPair{0, 0}));
  EXPECT_EQ(s.values[6], (PanelGraphPair{500, 500}));

  const struct {
    std::int16_t value;
    PanelGraphSegment segment;
    bool startsOver;
  } steps[] = {
      // The first frame is a single point: its previous value is its own, not the one
      // held from before recording.
      {100, {0, 100, 0, 100}, true},
      {200, {0, 100, 1, 200}, false},
      {150, {1, 200, 2, 150}, false},
      // Values are plotted as unsigned 16-bit: -1 is drawn at the top of the scale.
      {-1, {2, 150, 3, 65535}, false},
      {-32768, {3, 65535, 4, 32768}, false},
  };
  for (const auto &step : steps) {
    const PanelGraphFrame f = addGraphPanelFrame(s, signals(step.value));
    EXPECT_EQ(f.startsOver, step.startsOver) << step.value;
    for (std::size_t g = 0; g < kPanelGraphs; ++g) {
      EXPECT_EQ(f.segments[g], step.segment) << "value " << step.value << " graph " << g;
      EXPECT_EQ(f.numbers[g], step.value);
    }
  }
  EXPECT_EQ(s.pointIndex, 5);
}

TEST(GraphPanel, WrappedIndexStartsOverInsteadOfDrawingBackAcrossTheGraph) {
  PanelGraphState s;
  restartGraphPanel(s, signals(0));
  s.pointIndex = 65535;
  s.index = {65533, 65534};
  for (auto &pair : s.values)
    pair = {7, 8};

  const PanelGraphFrame last = addGraphPanelFrame(s, signals(9));
  EXPECT_FALSE(last.startsOver);
  EXPECT_EQ(last.segments[0], (PanelGraphSegment{65534, 8, 65535, 9}));
  EXPECT_EQ(s.pointIndex, 0);

  const PanelGraphFrame wrapped = addGraphPanelFrame(s, signals(10));
  EXPECT_TRUE(wrapped.startsOver);
  EXPECT_EQ(wrapped.segments[0], (PanelGraphSegment{0, 10, 0, 10}));
  const PanelGraphFrame next = addGraphPanelFrame(s, signals(11));
  EXPECT_EQ(next.segments[0], (PanelGraphSegment{0, 10, 1, 11}));
}

} // namespace
} // namespace quorvane
