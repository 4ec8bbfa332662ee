#include "panel_rules_helpers.h"
#include "params/core/panel_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace quorvane;
using quorvane::testing::colourSetup;

namespace {

using Row = std::array<std::uint16_t, kTeachCells>;

} // namespace

TEST(PanelRulesTeach, HeadingsByCalculationAndEvaluationMode) {
  using H = std::array<std::string_view, kTeachCells>;
  struct Case {
    std::uint16_t calc, eval;
    H want;
  };
  const Case cases[] = {
      {0, 0, {"X", "Y", "CTO", "INT", "ITO"}}, {1, 2, {"s", "i", "siTO", "M", "MTO"}},
      {2, 1, {"X", "Y", "INT", "TOL", ""}},    {3, 3, {"s", "i", "M", "TOL", ""}},
      {0, 4, {"THD", "", "", "", ""}},         {3, 6, {"THD", "", "", "", ""}},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(teachGridHeadings(c.calc, c.eval), c.want) << c.calc << " " << c.eval;

    SensorParameters p = colourSetup();
    p.calculationMode = c.calc;
    p.evaluationMode = c.eval;
    PanelView v;
    v.para = p;
    applyCalculationModeRules(v);
    for (std::size_t i = 0; i < kTeachCells; ++i)
      EXPECT_EQ(v.teach.headings[i], c.want[i]);
  }
}

TEST(PanelRulesTeach, SortTableToleranceMovesBetweenFamiliesOnly) {
  struct Case {
    std::uint16_t from, to;
    Row before, after;
  };
  const Case cases[] = {
      {0, 2, {10, 20, 30, 40, 50}, {10, 20, 40, 30, 1}},
      {1, 3, {10, 20, 30, 40, 50}, {10, 20, 40, 30, 1}},
      {2, 0, {10, 20, 40, 30, 1}, {10, 20, 30, 40, 30}},
      {3, 1, {10, 20, 40, 30, 1}, {10, 20, 30, 40, 30}},
      {0, 1, {10, 20, 30, 40, 50}, {10, 20, 30, 40, 50}},
      {2, 3, {10, 20, 40, 30, 1}, {10, 20, 40, 30, 1}},
      {2, 2, {10, 20, 40, 30, 1}, {10, 20, 40, 30, 1}},
      {0, 9, {10, 20, 30, 40, 50}, {10, 20, 30, 40, 50}}, // unknown mode: leave the numbers
  };
  for (const auto &c : cases) {
    TeachTable t{};
    for (std::size_t r = 0; r < kTeachRows; ++r) {
      t[r].cell = c.before;
      t[r].cell[0] = static_cast<std::uint16_t>(r);
      t[r].group = 1;
      t[r].hold = 7;
      t[r].reserved = 0xBEEF;
    }
    moveTolerances(c.from, c.to, t);
    for (std::size_t r = 0; r < kTeachRows; ++r) {
      Row want = c.after;
      want[0] = static_cast<std::uint16_t>(r);
      EXPECT_EQ(t[r].cell, want) << c.from << "->" << c.to << " row " << r;
      EXPECT_EQ(t[r].group, 1);
      EXPECT_EQ(t[r].hold, 7);
      EXPECT_EQ(t[r].reserved, 0xBEEF);
    }
  }
  // There and back keeps the pair tolerance and the intensity.
  TeachTable t{};
  t[5].cell = {1, 2, 3, 4, 5};
  moveTolerances(0, 3, t);
  moveTolerances(3, 1, t);
  EXPECT_EQ(t[5].cell, (Row{1, 2, 3, 4, 3}));
}

TEST(PanelRulesPass, OnePassWarnsOnceAndLeavesASettledPanel) {
  struct Case {
    const char *name;
    SensorParameters para;
    std::uint16_t rejectedGroup;
    std::vector<std::string_view> warnings;
  };
  auto with = [](auto change) {
    SensorParameters p = colourSetup();
    change(p);
    return p;
  };
  const Case cases[] = {
      {"analog mismatch and too many colours",
       with([](auto &p) {
         p.calculationMode = 1;
         p.maxVecNo = 5;
       }),
       0,
       {kAnalogOutmodeWarning, kMaxVecNoWarning}},
      {"group too high", with([](auto &p) { p.colorGroup = 1; }), 2, {kColorGroupWarning}},
      {"LED OFF with DYN1",
       with([](auto &p) {
         p.ledMode = 2;
         p.externTeach = 3;
       }),
       0,
       {}},
      {"external trigger read together with DYN1",
       with([](auto &p) {
         p.analogOutmode = 1;
         p.trigger = 2;
         p.externTeach = 3;
         p.powerMode = 1;
       }),
       0,
       {}},
      {"outputs off",
       with([](auto &p) {
         p.digitalOutmode = 0;
         p.maxVecNo = 5;
         p.trigger = 6;
         p.analogOutmode = 3;
       }),
       0,
       {}},
      {"threshold",
       with([](auto &p) {
         p.evaluationMode = 5;
         p.calculationMode = 3;
         p.intLim = 9;
       }),
       0,
       {}},
      {"siM REF with X Y INT",
       with([](auto &p) {
         p.analogOutmode = 5;
         p.trigger = 6;
       }),
       0,
       {kAnalogOutmodeWarning}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    PanelView v;
    v.para = c.para;
    v.groups[3] = c.rejectedGroup;
    v.paraSet = 1;
    applyPanelRules(v);
    std::vector<std::string_view> texts;
    for (const auto &w : v.requests.warnings)
      texts.emplace_back(w.text);
    EXPECT_EQ(texts, c.warnings);

    PanelView again = v;
    applyPanelRules(again);
    EXPECT_TRUE(again.requests.warnings.empty());
    EXPECT_EQ(again.para, v.para);
    EXPECT_EQ(again.groups, v.groups);
    EXPECT_EQ(again.triggerItems, v.triggerItems);
    EXPECT_EQ(again.paraSet, v.paraSet);
    EXPECT_EQ(again.controls, v.controls);
    EXPECT_EQ(again.measurement, v.measurement);
    EXPECT_EQ(again.teach.headings, v.teach.headings);
    EXPECT_EQ(again.teach.rowMark, v.teach.rowMark);
  }
}

TEST(PanelRulesPass, ContradictoryTriggerAndExternTeachSettleInOnePass) {
  SensorParameters p = colourSetup();
  p.analogOutmode = 1;
  p.trigger = 2;     // EXT1 ...
  p.externTeach = 3; // ... cannot go with DYN1
  p.powerMode = 1;
  PanelView v;
  v.para = p;
  v.triggerItems = {0, 1};
  applyPanelRules(v);
  EXPECT_EQ(v.para.trigger, 2);
  EXPECT_EQ(v.para.externTeach, 0);
  EXPECT_FALSE(v.controls.externTeachEnabled);
  // POWER MODE no longer held by DYN1.
  EXPECT_TRUE(v.controls.powerModeEnabled);
  EXPECT_TRUE(v.controls.powerEnabled);
  EXPECT_FALSE(v.controls.dynwinEnabled);
  EXPECT_EQ(v.triggerItems, (std::vector<std::uint16_t>{0, 1, 2, 3, 4, 5, 6}));
}

TEST(PanelRulesPass, DigitalOutputsOffSkipTheEvaluationRules) {
  SensorParameters p = colourSetup();
  p.digitalOutmode = 0;
  p.maxVecNo = 5;
  p.trigger = 1;
  p.externTeach = 1;
  p.evaluationMode = 3;
  PanelView v;
  v.para = p;
  v.measurement.evaluationVisible = v.measurement.groupVisible = true;
  v.teach.headings = {"a", "b", "c", "d", "e"};
  applyPanelRules(v);
  EXPECT_EQ(v.para.trigger, 0);
  EXPECT_EQ(v.para.externTeach, 0);
  EXPECT_EQ(v.para.maxVecNo, 5); // no limit check, no warning
  EXPECT_TRUE(v.requests.warnings.empty());
  EXPECT_FALSE(v.measurement.evaluationVisible);
  EXPECT_FALSE(v.measurement.groupVisible);
  EXPECT_TRUE(v.requests.closeColourNumberPanel);
  EXPECT_TRUE(v.requests.closeGroupPanel);
  EXPECT_EQ(v.teach.headings[0], "a");

  // Switching the outputs on brings the displays back.
  v.para.digitalOutmode = 2;
  v.para.colorGroup = 1;
  applyPanelRules(v);
  EXPECT_TRUE(v.measurement.evaluationVisible);
  EXPECT_TRUE(v.measurement.groupVisible);
  EXPECT_FALSE(v.requests.closeGroupPanel);
  EXPECT_EQ(v.teach.headings[0], "X");
}

TEST(PanelRulesPass, ColourGroupsShowOrCloseTheGroupDisplay) {
  for (std::uint16_t group : {0, 1}) {
    PanelView v;
    v.para = colourSetup();
    v.para.colorGroup = group;
    v.measurement.groupVisible = group == 0;
    applyPanelRules(v);
    EXPECT_EQ(v.measurement.groupVisible, group == 1);
    EXPECT_EQ(v.requests.closeGroupPanel, group == 0);
  }
}

TEST(PanelRulesPass, ThresholdModesHideTheRowChoiceOfTheTeachPage) {
  struct Case {
    std::uint16_t eval;
    bool colourModes;
  };
  for (const auto &c : {Case{0, true}, Case{3, true}, Case{4, false}, Case{6, false}}) {
    PanelView v;
    v.para = colourSetup();
    v.para.evaluationMode = c.eval;
    v.teach.rowNumberVisible = v.teach.assistantsEnabled = !c.colourModes;
    applyPanelRules(v);
    EXPECT_EQ(v.teach.rowNumberVisible, c.colourModes) << c.eval;
    EXPECT_EQ(v.teach.assistantsEnabled, c.colourModes) << c.eval;
  }
}

TEST(PanelRulesPass, DisplayNamesAndAxesFollowTheCalculationMode) {
  struct Case {
    std::uint16_t calc;
    std::array<std::string, 3> names;
    std::array<AxisRange, 3> axes;
  };
  const std::array<AxisRange, 3> rgb{AxisRange{0, 4096}, AxisRange{0, 4096}, AxisRange{0, 4096}};
  const std::array<AxisRange, 3> sim{AxisRange{0, 10000}, AxisRange{0, 5000}, AxisRange{0, 1200}};
  const Case cases[] = {{0, {"X", "Y", "INT"}, rgb},
                        {1, {"s", "i", "M"}, sim},
                        {2, {"X", "Y", "INT"}, rgb},
                        {3, {"s", "i", "M"}, sim}};
  const std::array<AxisRange, 3> custom{AxisRange{1, 2}, AxisRange{3, 4}, AxisRange{5, 6}};
  for (const auto &c : cases) {
    for (bool autoScale : {false, true}) {
      PanelView v;
      v.para = colourSetup();
      v.para.calculationMode = c.calc;
      v.para.analogOutmode = 1;
      v.axes3DAutoScale = autoScale;
      v.measurement.axes3D = custom;
      applyPanelRules(v);
      EXPECT_EQ(v.measurement.valueNames, c.names) << c.calc;
      EXPECT_EQ(v.measurement.axes3D, autoScale ? custom : c.axes) << c.calc;
    }
  }
  PanelView xy, si;
  si.para.calculationMode = 1;
  applyValueNames(xy);
  applyValueNames(si);
  EXPECT_NE(xy.measurement.valueColours, si.measurement.valueColours);
}

TEST(PanelRulesPass, StartsWithNoRequestsFromThePreviousPass) {
  PanelView v;
  v.para = colourSetup();
  v.para.colorGroup = 1; // nothing to close
  v.requests.warnings.push_back({"INFO!", std::string(kMaxVecNoWarning), PanelPage::Parameters});
  v.requests.closeColourNumberPanel = true;
  applyPanelRules(v);
  EXPECT_EQ(v.requests, PanelRequests{});
}
