// Parameter sets compared by the names the panels show, the rule pass on a set no panel
// shows, and a scan as CSV.
#include "params/core/parameter_diff.h"
#include "params/core/record_rules.h"
#include "scope/core/scope_csv.h"

#include <gtest/gtest.h>

using namespace quorvane;

namespace {

TEST(ParameterDiff, NamesEachFieldAsThePanelsShowIt) {
  struct Case {
    std::uint16_t calc, eval;
    void (*change)(SensorParameters &, TeachTable &);
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {0, 1, [](SensorParameters &, TeachTable &) {}, {}},
      {0, 1, [](SensorParameters &p, TeachTable &) { p.gain = 7; }, {"GAIN: 5 -> 7"}},
      {0,
       1,
       [](SensorParameters &, TeachTable &t) { t[7].cell[0] = 99; },
       {"teach row 7 \"X\": 0 -> 99"}},
      {1,
       1,
       [](SensorParameters &, TeachTable &t) { t[0].cell[2] = 9; },
       {"teach row 0 \"siTO\": 0 -> 9"}},
      // THD modes head only the first column; the others go by their file keys.
      {0,
       4,
       [](SensorParameters &, TeachTable &t) { t[30].cell[4] = 2; },
       {"teach row 30 \"CELL 4\": 0 -> 2"}},
      {0,
       1,
       [](SensorParameters &, TeachTable &t) {
         t[3].group = 1;
         t[3].hold = 20;
       },
       {"teach row 3 \"GROUP\": 0 -> 1", "teach row 3 \"HOLD\": 0 -> 20"}},
      // The reserved word is neither shown nor compared.
      {0, 1, [](SensorParameters &, TeachTable &t) { t[1].reserved = 5; }, {}},
  };
  for (const Case &c : cases) {
    SensorParameters p;
    p.calculationMode = c.calc;
    p.evaluationMode = c.eval;
    TeachTable t{};
    SensorParameters p2 = p;
    TeachTable t2 = t;
    c.change(p2, t2);
    std::vector<std::string> texts;
    for (const FieldDifference &d : diffParameterSets(p, t, p2, t2))
      texts.push_back(differenceText(d));
    EXPECT_EQ(texts, c.texts);
  }
}

TEST(RecordRules, ListsWhatThePassChangesAndLeavesASettledSetAlone) {
  SensorParameters settled;
  settled.digitalOutmode = 1;
  settled.analogOutmode = 2;
  TeachTable table{};
  const RecordRuleOutcome none = applyPanelRules(settled, table, 0);
  EXPECT_TRUE(none.changes.empty());
  EXPECT_EQ(none.paraSet, 0);

  SensorParameters dark = settled;
  dark.ledMode = 2; // OFF: nothing to power
  const RecordRuleOutcome off = applyPanelRules(dark, table, 0);
  ASSERT_FALSE(off.changes.empty());
  EXPECT_EQ(differenceText(off.changes.front()), "POWER: 500 -> 0");
  EXPECT_EQ(off.para.power, 0);

  // Parameter set 1 is offered with TRIGGER PARA only.
  EXPECT_EQ(applyPanelRules(settled, table, 1).paraSet, 0);
}

TEST(ScopeCsv, OneLinePerSampleWithBothDigitalBits) {
  ScopeBuffers b{};
  b.analog[0][5] = 4095;
  b.digital[5] = 3;
  b.digital[6] = 2;
  const std::string csv = scopeCsvText(b, 1);
  EXPECT_EQ(csv.substr(0, csv.find('\n') + 1), "SAMPLE,X s,Y i,INT M,DIGITAL 0,DIGITAL 1\r\n");
  EXPECT_NE(csv.find("\r\n5,4095,0,0,1,1\r\n6,0,0,0,0,1\r\n"), std::string::npos);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 129);
}

} // namespace
