#include "panel_rules_helpers.h"
#include "params/core/panel_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorvane;
using quorvane::testing::colourSetup;
using quorvane::testing::viewOf;
using quorvane::testing::warningTexts;

namespace {

const std::vector<std::uint16_t> kFullTrigger{0, 1, 2, 3, 4, 5, 6};
const std::vector<std::uint16_t> kContSelf{0, 1};

} // namespace

TEST(PanelRules, PowerModeFollowsLedModeAndExternTeach) {
  struct Case {
    std::uint16_t ledMode, externTeach, powerMode;
    std::uint16_t wantExteach, wantPowerMode, wantPower;
    bool powerModeEnabled, powerEnabled, dynwinEnabled;
  };
  const Case cases[] = {
      {2, 3, 1, 0, 0, 0, false, false, false}, // LED OFF drops DYN1 and the power
      {2, 1, 1, 1, 0, 0, false, false, false}, // LED OFF keeps ON
      {0, 3, 1, 3, 0, 700, false, false, true}, {1, 2, 1, 2, 0, 700, false, true, false},
      {0, 0, 1, 0, 1, 700, true, false, true},  {3, 1, 0, 1, 0, 700, true, true, false},
  };
  for (const auto &c : cases) {
    SensorParameters p;
    p.ledMode = c.ledMode;
    p.externTeach = c.externTeach;
    p.powerMode = c.powerMode;
    p.power = 700;
    PanelView v = viewOf(p);
    applyPowerModeRules(v);
    SCOPED_TRACE(::testing::Message() << "led " << c.ledMode << " exteach " << c.externTeach
                                      << " pmode " << c.powerMode);
    EXPECT_EQ(v.para.externTeach, c.wantExteach);
    EXPECT_EQ(v.para.powerMode, c.wantPowerMode);
    EXPECT_EQ(v.para.power, c.wantPower);
    EXPECT_EQ(v.controls.powerModeEnabled, c.powerModeEnabled);
    EXPECT_EQ(v.controls.powerEnabled, c.powerEnabled);
    EXPECT_EQ(v.controls.dynwinEnabled, c.dynwinEnabled);
  }
}

TEST(PanelRules, LedOffWithDyn1InAFullPassSendsExteachOffAndPowerZero) {
  SensorParameters p = colourSetup();
  p.ledMode = 2;
  p.externTeach = 3;
  p.power = 800;
  PanelView v = viewOf(p);
  applyPanelRules(v);
  EXPECT_EQ(v.para.externTeach, 0);
  EXPECT_EQ(v.para.power, 0);
  // SEND reads the corrected controls.
  const auto bytes = encodeParameters(v.para);
  EXPECT_EQ(bytes[0], 0);
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(bytes[18], 0);
  EXPECT_EQ(bytes[19], 0);
}

TEST(PanelRules, ExternTeachTrimsAndRestoresTriggerChoices) {
  struct Step {
    std::uint16_t externTeach;
    std::vector<std::uint16_t> items;
    std::uint16_t trigger;
  };
  // SELF survives every toggle; the items come back once each, in order.
  const Step steps[] = {{1, kContSelf, 1}, {0, kFullTrigger, 1}, {0, kFullTrigger, 1},
                        {2, kContSelf, 1}, {3, kContSelf, 1},    {0, kFullTrigger, 1}};
  PanelView v;
  v.para.trigger = 1;
  for (const auto &s : steps) {
    v.para.externTeach = s.externTeach;
    applyExternalTeachRules(v);
    EXPECT_EQ(v.triggerItems, s.items) << "exteach " << s.externTeach;
    EXPECT_EQ(v.para.trigger, s.trigger) << "exteach " << s.externTeach;
  }
  std::vector<std::string> labels;
  for (auto item : v.triggerItems)
    labels.emplace_back(triggerItemLabel(item));
  EXPECT_EQ(labels,
            (std::vector<std::string>{"CONT", "SELF", "EXT1", "EXT2", "EXT3", "TRANS", "PARA"}));
  EXPECT_EQ(triggerItemLabel(7), "");

  // An external trigger cannot stay selected once only CONT and SELF are offered.
  for (std::uint16_t trigger : {2, 4, 6}) {
    PanelView w;
    w.para.trigger = trigger;
    w.para.externTeach = 1;
    applyExternalTeachRules(w);
    EXPECT_EQ(w.para.trigger, 0) << trigger;
    EXPECT_EQ(w.triggerItems, kContSelf);
  }
}

TEST(PanelRules, TriggerDecidesExternTeachAndParaSet) {
  struct Case {
    std::uint16_t trigger, analogOut, externTeach;
    bool exteachEnabledBefore;
    std::uint16_t wantExteach;
    bool exteachEnabled, paraSetEnabled;
    int wantParaSet;
  };
  const Case cases[] = {
      {1, 0, 2, false, 2, true, false, 0},  // SELF undims EXTERN TEACH
      {2, 0, 2, true, 0, false, false, 0},  // EXT1 clears it
      {5, 0, 1, true, 0, false, false, 0},  // TRANS
      {6, 0, 1, true, 0, false, true, 1},   // PARA: the only choice that keeps ParaSet1
      {0, 0, 1, false, 1, true, false, 0},  // CONT undims
      {0, 1, 0, false, 0, false, false, 0}, // CONT with ANALOG OUT 1 leaves it dimmed
      {0, 1, 0, true, 0, true, false, 0},   // ... or undimmed
  };
  for (const auto &c : cases) {
    PanelView v;
    v.para.trigger = c.trigger;
    v.para.analogOut = c.analogOut;
    v.para.externTeach = c.externTeach;
    v.controls.externTeachEnabled = c.exteachEnabledBefore;
    v.controls.paraSetEnabled = true;
    v.paraSet = 1;
    applyTriggerRules(v);
    SCOPED_TRACE(::testing::Message() << "trigger " << c.trigger << " aout " << c.analogOut);
    EXPECT_EQ(v.para.externTeach, c.wantExteach);
    EXPECT_EQ(v.controls.externTeachEnabled, c.exteachEnabled);
    EXPECT_EQ(v.controls.paraSetEnabled, c.paraSetEnabled);
    EXPECT_EQ(v.paraSet, c.wantParaSet);
  }
}

TEST(PanelRules, AnalogOutmodeCouplesCalculationModeAndWarnsOnce) {
  struct Case {
    const char *name;
    std::uint16_t digital, eval, calc, analogMode, analogOut;
    std::uint16_t wantCalc, wantAnalogMode, wantAnalogOut, wantTrigger;
    bool analogOutVisible, zoomVisible, simRefVisible, triggerEnabled, warned;
  };
  const Case cases[] = {
      {"outputs off: s i M output picks s i M", 0, 1, 2, 3, 0, 1, 3, 0, 3, true, false, false, true,
       false},
      {"outputs off: siM REF", 0, 1, 0, 5, 1, 1, 5, 0, 0, false, true, true, false, false},
      {"threshold mode: back to X Y INT 2D", 1, 5, 3, 2, 0, 0, 2, 0, 0, true, false, false, false,
       false},
      {"s i M calculation lifts X Y INT output", 1, 1, 1, 2, 0, 1, 3, 0, 3, true, false, false,
       true, true},
      // siM REF had already cleared TRIGGER; the corrected mode lets it be chosen again.
      {"X Y INT calculation lowers siM REF", 1, 1, 0, 5, 0, 0, 2, 0, 0, true, false, false, true,
       true},
      {"X Y INT 3D lowers s i M", 1, 0, 2, 3, 1, 2, 2, 1, 0, true, false, false, false, true},
      {"s i M 3D keeps siM REF", 1, 1, 3, 5, 1, 3, 5, 0, 0, false, true, true, false, false},
      {"RGB MM", 1, 1, 0, 4, 1, 0, 4, 0, 0, false, false, false, false, false},
      {"IN0 L->H output", 1, 1, 0, 1, 1, 0, 1, 1, 0, true, false, false, false, false},
  };
  for (const auto &c : cases) {
    SensorParameters p;
    p.digitalOutmode = c.digital;
    p.evaluationMode = c.eval;
    p.calculationMode = c.calc;
    p.analogOutmode = c.analogMode;
    p.analogOut = c.analogOut;
    p.trigger = 3;
    PanelView v = viewOf(p);
    applyAnalogOutputRules(v);
    SCOPED_TRACE(c.name);
    EXPECT_EQ(v.para.calculationMode, c.wantCalc);
    EXPECT_EQ(v.para.analogOutmode, c.wantAnalogMode);
    EXPECT_EQ(v.para.analogOut, c.wantAnalogOut);
    EXPECT_EQ(v.para.trigger, c.wantTrigger);
    EXPECT_EQ(v.controls.analogOutVisible, c.analogOutVisible);
    EXPECT_EQ(v.controls.analogZoomVisible, c.zoomVisible);
    EXPECT_EQ(v.measurement.simRefVisible, c.simRefVisible);
    EXPECT_EQ(v.controls.triggerEnabled, c.triggerEnabled);
    EXPECT_EQ(v.controls.externTeachEnabled, v.para.analogOut == 0);
    if (c.warned) {
      EXPECT_EQ(warningTexts(v), std::vector<std::string>{std::string(kAnalogOutmodeWarning)});
      EXPECT_EQ(v.requests.warnings[0].page, PanelPage::None);
    } else {
      EXPECT_TRUE(v.requests.warnings.empty());
    }
  }
  EXPECT_EQ(kAnalogOutmodeWarning,
            "ATTENTION! \nIf DIGITAL OUTMODE and ANALOG OUTMODE are enabled, \neither X Y INT or "
            "s i M can be calculated. \nANALOG OUTMODE will be set depending of CALCULATION "
            "MODE.");
}

TEST(PanelRules, MaxVecNoIsLimitedWithoutColourGroups) {
  struct Case {
    std::uint16_t digital, colorGroup, maxVecNo, want;
    bool warned;
  };
  const Case cases[] = {
      {2, 0, 5, 3, true},  {1, 0, 5, 2, true},    {3, 0, 5, 2, true},    {2, 0, 3, 3, false},
      {1, 0, 2, 2, false}, {1, 1, 31, 31, false}, {2, 1, 17, 17, false},
  };
  for (const auto &c : cases) {
    SensorParameters p = colourSetup();
    p.digitalOutmode = c.digital;
    p.colorGroup = c.colorGroup;
    p.maxVecNo = c.maxVecNo;
    PanelView v = viewOf(p);
    applyPanelRules(v);
    SCOPED_TRACE(::testing::Message()
                 << "digital " << c.digital << " group " << c.colorGroup << " max " << c.maxVecNo);
    EXPECT_EQ(v.para.maxVecNo, c.want);
    if (c.warned) {
      EXPECT_EQ(warningTexts(v), std::vector<std::string>{std::string(kMaxVecNoWarning)});
      EXPECT_EQ(v.requests.warnings[0].page, PanelPage::Parameters);
    } else {
      EXPECT_TRUE(v.requests.warnings.empty());
    }
  }
  EXPECT_EQ(kMaxVecNoWarning,
            "ATTENTION! \n\nMAXCOL-No. is too high. \n\nIf color group is disabled and "
            "OUMODE=DIRECT LO or \nDIRECT HI, the maximum number is 2. \nIf OUTMODE=BINARY, the "
            "maximum number is 3. \n\nIf color group is enabled, the maximum number is 31. "
            "\n\nMAXCOL-No. will be set to maximum value.");
}

TEST(PanelRules, GroupsAboveTheOutputsReachAreRejected) {
  struct Case {
    std::uint16_t digital;
    std::vector<std::pair<std::size_t, std::uint16_t>> groups; // row, group
    std::vector<std::size_t> rejectedRows;
  };
  const Case cases[] = {
      {1, {{4, 2}}, {4}},
      {3, {{0, 1}, {30, 7}}, {30}},
      {2, {{4, 2}, {5, 1}}, {}},
      {2, {{4, 3}, {9, 2}, {12, 65535}}, {4, 12}},
  };
  for (const auto &c : cases) {
    SensorParameters p = colourSetup();
    p.digitalOutmode = c.digital;
    p.colorGroup = 1;
    PanelView v = viewOf(p);
    v.teach.groupCellColour.fill(kGroupCellRejectedColour); // a previous rejection
    for (auto [row, group] : c.groups)
      v.groups[row] = group;
    applyPanelRules(v);
    SCOPED_TRACE(::testing::Message() << "digital " << c.digital);
    std::array<std::uint16_t, kTeachRows> wantGroups{};
    std::array<std::uint32_t, kTeachRows> wantColours{};
    wantColours.fill(0xFFFFFF);
    for (auto [row, group] : c.groups)
      wantGroups[row] = group;
    for (auto row : c.rejectedRows) {
      wantGroups[row] = 0;
      wantColours[row] = 0xFF0000;
    }
    EXPECT_EQ(v.groups, wantGroups);
    EXPECT_EQ(v.teach.groupCellColour, wantColours);
    if (c.rejectedRows.empty()) {
      EXPECT_TRUE(v.requests.warnings.empty());
    } else {
      EXPECT_EQ(warningTexts(v), std::vector<std::string>{std::string(kColorGroupWarning)});
      EXPECT_EQ(v.requests.warnings[0].page, PanelPage::ColorGroups);
    }
  }
  EXPECT_EQ(kColorGroupWarning,
            "ATTENTION! \nIf OUTMODE=DIRECT HI or DIRECT LO: \n2 groups are possible! GROUP 0 and "
            "1. \nIf OUTMODE=BINARY: \n3 groups are possible. GROUP 0,1,2. \n\n Cell will be set "
            "to 0.");
}

TEST(PanelRules, RowMarksFollowMaxVecNo) {
  for (std::uint16_t maxVecNo : {0, 1, 3, 30, 31, 40}) {
    SensorParameters p = colourSetup();
    p.colorGroup = 1;
    p.maxVecNo = maxVecNo;
    PanelView v = viewOf(p);
    applyRowCountRules(v);
    for (std::size_t r = 0; r < kTeachRows; ++r)
      EXPECT_EQ(v.teach.rowMark[r], r < maxVecNo ? 0x008000u : 0xFF0000u)
          << "max " << maxVecNo << " row " << r;
  }
}

TEST(PanelRules, EvaluationModeDimsAndColoursTheTolerance) {
  struct Case {
    std::uint16_t eval, calc;
    std::uint16_t wantMaxVecNo, wantIntLim;
    bool maxVecNoEnabled, closesColourPanel;
    std::uint32_t col3, col4;
  };
  constexpr std::uint32_t black = 0x000000, grey = 0x808080;
  const Case cases[] = {
      {0, 0, 9, 40, true, false, black, black},  {1, 2, 9, 40, true, false, black, black},
      {2, 0, 9, 40, true, false, grey, black},   {2, 1, 9, 40, true, false, grey, black},
      {2, 2, 9, 40, true, false, black, grey},   {2, 3, 9, 40, true, false, black, grey},
      {3, 0, 2, 40, false, false, black, black}, {4, 0, 2, 0, false, true, black, black},
      {6, 1, 2, 0, false, true, black, black},
  };
  for (const auto &c : cases) {
    SensorParameters p = colourSetup();
    p.evaluationMode = c.eval;
    p.calculationMode = c.calc;
    p.maxVecNo = 9;
    p.intLim = 40;
    PanelView v = viewOf(p);
    v.teach.columnTextColour.fill(grey);
    v.controls = {};
    v.controls.maxVecNoEnabled = v.controls.intLimEnabled = v.controls.calculationModeEnabled =
        v.controls.colorGroupEnabled = v.controls.groupTableEnabled = false;
    applyEvaluationModeRules(v);
    SCOPED_TRACE(::testing::Message() << "eval " << c.eval << " calc " << c.calc);
    EXPECT_EQ(v.para.maxVecNo, c.wantMaxVecNo);
    EXPECT_EQ(v.para.intLim, c.wantIntLim);
    EXPECT_EQ(v.controls.maxVecNoEnabled, c.maxVecNoEnabled);
    const bool undimmed = c.eval <= 2;
    EXPECT_EQ(v.controls.intLimEnabled, undimmed);
    EXPECT_EQ(v.controls.calculationModeEnabled, undimmed);
    EXPECT_EQ(v.controls.colorGroupEnabled, undimmed);
    EXPECT_EQ(v.controls.groupTableEnabled, undimmed);
    EXPECT_EQ(v.requests.closeColourNumberPanel, c.closesColourPanel);
    EXPECT_EQ(v.teach.columnTextColour[2], c.col3);
    EXPECT_EQ(v.teach.columnTextColour[3], c.col4);
    EXPECT_EQ(v.teach.columnTextColour[0], grey); // other columns are not the rule's
  }
}

TEST(PanelRules, TabPagesAndIntensityPage) {
  struct Case {
    std::uint16_t digital, eval, calc, analogMode;
    bool show2D, show3D;
    GraphPage active;
    bool intensity;
  };
  const Case cases[] = {
      {1, 0, 0, 1, true, false, GraphPage::View2D, true},
      {1, 3, 1, 0, true, false, GraphPage::View2D, true},
      {2, 1, 2, 1, false, true, GraphPage::View3D, true},
      {3, 2, 3, 4, false, true, GraphPage::View3D, true},
      {1, 4, 0, 1, false, false, GraphPage::Unchanged, false},
      {0, 1, 0, 0, false, false, GraphPage::Unchanged, false},
      {0, 1, 0, 2, false, false, GraphPage::Unchanged, true},
      {0, 1, 1, 3, false, false, GraphPage::Unchanged, true},
      {1, 5, 0, 5, false, false, GraphPage::Unchanged, true},
      {0, 1, 0, 4, false, false, GraphPage::Unchanged, false},
  };
  for (const auto &c : cases) {
    SensorParameters p;
    p.digitalOutmode = c.digital;
    p.evaluationMode = c.eval;
    p.calculationMode = c.calc;
    p.analogOutmode = c.analogMode;
    PanelView v = viewOf(p);
    applyPageVisibility(v);
    SCOPED_TRACE(::testing::Message() << c.digital << c.eval << c.calc << c.analogMode);
    EXPECT_EQ(v.measurement.graph2DVisible, c.show2D);
    EXPECT_EQ(v.measurement.graph3DVisible, c.show3D);
    EXPECT_EQ(v.measurement.activeGraph, c.active);
    EXPECT_EQ(v.measurement.intensityVisible, c.intensity);
  }
}

TEST(PanelRules, LedTrigVisibility) {
  struct Case {
    std::uint16_t analogMode, analogOut, digital, externTeach, trigger;
    bool shown;
  };
  const Case cases[] = {
      {4, 0, 0, 0, 0, true},  {5, 0, 0, 0, 0, true},  {1, 1, 0, 0, 0, true},
      {1, 0, 1, 1, 0, true},  {1, 0, 2, 0, 3, true},  {1, 0, 0, 1, 3, false},
      {1, 0, 1, 0, 0, false}, {3, 0, 0, 0, 0, false}, {0, 0, 3, 0, 6, true},
  };
  for (const auto &c : cases) {
    PanelView v;
    v.para.analogOutmode = c.analogMode;
    v.para.analogOut = c.analogOut;
    v.para.digitalOutmode = c.digital;
    v.para.externTeach = c.externTeach;
    v.para.trigger = c.trigger;
    v.measurement.ledTrigVisible = !c.shown;
    applyLedTrigVisibility(v);
    EXPECT_EQ(v.measurement.ledTrigVisible, c.shown)
        << c.analogMode << c.analogOut << c.digital << c.externTeach << c.trigger;
  }
}
