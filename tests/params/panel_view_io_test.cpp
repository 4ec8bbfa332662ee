// The rule pass run on the real pages: the operator's change, the rules' decision and what
// the controls show afterwards.
#include "params/core/panel_rules.h"
#include "params_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

namespace quorvane::testing {
namespace {

struct PanelRulesOnPagesTest : ParamsFixture {
  PanelView view;

  PanelRulesOnPagesTest() {
    rules.pass = [this] {
      ++rulePasses;
      controller.readView(view);
      applyPanelRules(view);
      controller.applyView(view);
    };
  }
  static QString warning(std::string_view text) {
    return QStringLiteral("INFO!|") + QString::fromUtf8(text.data(), qsizetype(text.size()));
  }
  // The operator picks `value` in a ring.
  void choose(std::size_t index, int value) {
    QComboBox *ring = parameters.ring(index);
    ring->setCurrentIndex(ring->findData(value) - 1);
    QTest::keyClick(ring, Qt::Key_Down);
    ASSERT_EQ(parameters.fieldValue(index), value);
  }
  QStringList triggerLabels() const {
    QStringList labels;
    for (int i = 0; i < parameters.ring(field::kTrigger)->count(); ++i)
      labels << parameters.ring(field::kTrigger)->itemText(i);
    return labels;
  }
};

TEST_F(PanelRulesOnPagesTest, ExternTeachNarrowsAndRestoresTheTriggerChoices) {
  choose(field::kDigitalOutmode, 2); // with the outputs off, EXTERN TEACH stays OFF
  choose(field::kTrigger, 1);
  choose(field::kExternTeach, 1);
  EXPECT_EQ(triggerLabels(), QStringList({"CONT", "SELF"}));
  EXPECT_EQ(parameters.ring(field::kTrigger)->currentText(), "SELF");
  choose(field::kExternTeach, 0);
  EXPECT_EQ(triggerLabels(),
            QStringList({"CONT", "SELF", "EXT1", "EXT2", "EXT3", "TRANS", "PARA"}));
}

TEST_F(PanelRulesOnPagesTest, LedOffEndsDynamicExternTeachAndDimsPower) {
  choose(field::kDigitalOutmode, 2);
  choose(field::kExternTeach, 3);
  EXPECT_FALSE(parameters.powerSlider()->isEnabled());
  data.setField(field::kPower, 800);
  choose(field::kLedMode, 2);
  EXPECT_EQ(parameters.fieldValue(field::kExternTeach), 0);
  EXPECT_EQ(parameters.fieldValue(field::kPower), 0);
  EXPECT_FALSE(parameters.powerSlider()->isEnabled());
  EXPECT_FALSE(parameters.powerNumber()->isEnabled());
  EXPECT_FALSE(parameters.control(field::kPowerMode)->isEnabled());
  EXPECT_FALSE(parameters.control(field::kDynwinLo)->isEnabled());
}

TEST_F(PanelRulesOnPagesTest, GroupsAboveTheOutputModesLimitAreZeroedAndPainted) {
  data.setGroup(5, 2);
  choose(field::kDigitalOutmode, 1);
  groupHold.colorGroupSwitch()->click();
  EXPECT_EQ(groupHold.group(5), 0);
  EXPECT_EQ(groupHold.groupTable()->item(5, 0)->background().color(), QColor(0xFF0000));
  EXPECT_EQ(groupHold.groupTable()->item(4, 0)->background().color(), QColor(0xFFFFFF));
  EXPECT_EQ(popupTexts(), std::vector<QString>{warning(kColorGroupWarning)});
  EXPECT_EQ(shell.pagesShown.back(), MainPage::ColorGroups);
}

TEST_F(PanelRulesOnPagesTest, TooManyVectorsForBinaryOutputAreCutToThree) {
  data.setField(field::kMaxVecNo, 5);
  choose(field::kDigitalOutmode, 2);
  EXPECT_EQ(parameters.fieldValue(field::kMaxVecNo), 3);
  EXPECT_EQ(popupTexts(), std::vector<QString>{warning(kMaxVecNoWarning)});
  EXPECT_EQ(shell.pagesShown.back(), MainPage::Parameters);
  // Rows 0..2 are active, the others not.
  EXPECT_EQ(teach.grid()->verticalHeaderItem(2)->foreground().color(), QColor(0x008000));
  EXPECT_EQ(teach.grid()->verticalHeaderItem(3)->foreground().color(), QColor(0xFF0000));
  EXPECT_EQ(groupHold.holdTable()->verticalHeaderItem(3)->foreground().color(), QColor(0x008000));
  EXPECT_EQ(groupHold.holdTable()->verticalHeaderItem(3)->text(), "2");
}

TEST_F(PanelRulesOnPagesTest, ParameterSetsOnlyWithTriggerPara) {
  choose(field::kDigitalOutmode, 2);
  choose(field::kTrigger, 6);
  EXPECT_TRUE(buttons.paraSet1->isEnabled());
  buttons.paraSet1->click();
  EXPECT_EQ(state.paraSet, 1);
  choose(field::kTrigger, 2);
  EXPECT_EQ(state.paraSet, 0);
  EXPECT_TRUE(buttons.paraSet0->isChecked());
  EXPECT_FALSE(buttons.paraSet0->isEnabled());
  EXPECT_FALSE(buttons.paraSet1->isEnabled());
}

TEST_F(PanelRulesOnPagesTest, HeadingsFollowTheCalculationAndEvaluationModes) {
  choose(field::kDigitalOutmode, 2);
  choose(field::kCalculationMode, 2);
  EXPECT_EQ(teach.columnHeadings(), QStringList({"X", "Y", "INT", "TOL", ""}));
  choose(field::kEvaluationMode, 4);
  EXPECT_EQ(teach.columnHeadings(), QStringList({"THD", "", "", "", ""}));
  EXPECT_FALSE(teach.rowNumber()->isVisibleTo(&teach));
}

} // namespace
} // namespace quorvane::testing
