// Panel <-> record copying, the operator's commits, the table resets and the transfer
// buttons' local behaviour.
#include "params_fixture.h"
#include "ui/value_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoroSignal>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

namespace quorvane::testing {
namespace {

using PanelTransferTest = ParamsFixture;

TEST_F(PanelTransferTest, PagesShowEveryFieldCellGroupAndHoldOfTheData) {
  data.setPara(distinctParameters());
  data.setTable(distinctTable());

  const SensorParameters p = distinctParameters();
  for (std::size_t i = 0; i < kParameterCount; ++i)
    if (ParameterPage::showsField(i))
      EXPECT_EQ(parameters.fieldValue(i), p.*kParameterFields[i].member) << "field " << i;
  const TeachTable expected = distinctTable();
  for (int r = 0; r < static_cast<int>(kTeachRows); ++r) {
    const TeachVector &row = expected[static_cast<std::size_t>(r)];
    for (int c = 0; c < static_cast<int>(kTeachCells); ++c)
      EXPECT_EQ(teach.cell(r, c), row.cell[static_cast<std::size_t>(c)]) << "row " << r;
    EXPECT_EQ(groupHold.group(r), row.group) << "row " << r;
    EXPECT_EQ(groupHold.hold(r), row.hold) << "row " << r;
  }
  EXPECT_EQ(groupHold.holdFail(), 33);
  EXPECT_EQ(groupHold.colorGroup(), 1);
}

TEST_F(PanelTransferTest, ColorGroupKeepsTheValueReadUntilTheOperatorSwitches) {
  struct Case {
    std::uint16_t read;
    int clicks;
    std::uint16_t taken;
  };
  for (const Case c : {Case{2, 0, 2}, Case{7, 0, 7}, Case{2, 2, 1}, Case{2, 1, 0}, Case{0, 1, 1}}) {
    data.setField(field::kColorGroup, c.read);
    for (int i = 0; i < c.clicks; ++i)
      groupHold.colorGroupSwitch()->click();
    EXPECT_EQ(state.para.colorGroup, c.taken) << c.read << " clicked " << c.clicks;
  }
}

TEST_F(PanelTransferTest, RingsShowTheValueNames) {
  struct Case {
    std::size_t field;
    std::uint16_t value;
    const char *label;
  };
  const Case cases[] = {
      {field::kPowerMode, 1, "DYN"},
      {field::kEvaluationMode, 0, "FIRST HIT"},
      {field::kEvaluationMode, 6, "THD Green Blue"},
      {field::kDigitalOutmode, 1, "DIRECT LO"},
      {field::kDigitalOutmode, 2, "BINARY"},
      {field::kDigitalOutmode, 3, "DIRECT HI"},
      {field::kTrigger, 5, "TRANS"},
      {field::kExternTeach, 3, "DYN1"},
      {field::kCalculationMode, 1, "s i   M - 2D"},
      {field::kCalculationMode, 2, "X Y INT - 3D"},
      {field::kLedMode, 2, "OFF"},
      {field::kLedMode, 3, "PULSE"},
      {field::kGain, 0, "AMP1"},
      {field::kGain, 7, "AMP8"},
      {field::kAnalogOutmode, 3, "s i M"},
      {field::kAnalogOutmode, 5, "siM REF"},
      {field::kAnalogOut, 1, "IN0 L->H"},
  };
  for (const Case &c : cases) {
    parameters.setFieldValue(c.field, c.value);
    EXPECT_EQ(parameters.ring(c.field)->currentText(), QString::fromLatin1(c.label))
        << "field " << c.field << " value " << c.value;
    EXPECT_EQ(parameters.fieldValue(c.field), c.value);
  }
}

TEST_F(PanelTransferTest, EveryControlIsNamedAfterItsField) {
  for (std::size_t i = 0; i < kParameterCount; ++i) {
    if (!ParameterPage::showsField(i)) {
      EXPECT_EQ(parameters.control(i), nullptr);
      continue;
    }
    ASSERT_NE(parameters.control(i), nullptr) << i;
    EXPECT_EQ(parameters.control(i)->accessibleName().toStdString(), kParameterFields[i].key);
    EXPECT_FALSE(parameters.control(i)->accessibleDescription().isEmpty()) << "help of " << i;
  }
}

TEST_F(PanelTransferTest, RingValueItDoesNotOfferRoundTripsAndGoesAwayAgain) {
  QComboBox *trigger = parameters.ring(field::kTrigger);
  parameters.setFieldValue(field::kTrigger, 9);
  EXPECT_EQ(parameters.fieldValue(field::kTrigger), 9);
  EXPECT_EQ(trigger->count(), 8);
  parameters.setFieldValue(field::kTrigger, 2);
  EXPECT_EQ(parameters.fieldValue(field::kTrigger), 2);
  EXPECT_EQ(trigger->count(), 7);
}

TEST_F(PanelTransferTest, ExternTeachIsSetAndItsRuleRunBeforeTrigger) {
  parameters.setFieldValue(field::kTrigger, 6);
  std::uint16_t externTeachSeen = 99;
  std::uint16_t triggerSeen = 99;
  rules.exteach = [&] {
    externTeachSeen = parameters.fieldValue(field::kExternTeach);
    triggerSeen = parameters.fieldValue(field::kTrigger);
    if (externTeachSeen != 0) parameters.trimTriggerRing();
  };
  SensorParameters read = state.para;
  read.externTeach = 1;
  read.trigger = 1;
  data.setPara(read);
  EXPECT_EQ(externTeachSeen, 1);
  EXPECT_EQ(triggerSeen, 6); // not yet set when the rule ran
  EXPECT_EQ(parameters.ring(field::kTrigger)->count(), 2);
  EXPECT_EQ(parameters.ring(field::kTrigger)->currentText(), "SELF");

  parameters.restoreTriggerRing();
  QStringList labels;
  for (int i = 0; i < parameters.ring(field::kTrigger)->count(); ++i)
    labels << parameters.ring(field::kTrigger)->itemText(i);
  EXPECT_EQ(labels, QStringList({"CONT", "SELF", "EXT1", "EXT2", "EXT3", "TRANS", "PARA"}));
}

TEST_F(PanelTransferTest, OnlyTheOperatorsChangeOfAModeControlRunsTheRules) {
  struct Case {
    std::size_t field;
    bool runsRules;
  };
  const Case cases[] = {
      {field::kPowerMode, true},      {field::kLedMode, true},        {field::kAnalogOutmode, true},
      {field::kAnalogOut, true},      {field::kDigitalOutmode, true}, {field::kMaxVecNo, true},
      {field::kEvaluationMode, true}, {field::kExternTeach, true},    {field::kTrigger, true},
      {field::kAverage, false},       {field::kGain, false},          {field::kIntegral, false},
      {field::kDynwinLo, false},      {field::kIntLim, false},        {field::kAnalogZoom, false},
  };
  for (const Case &c : cases) {
    rulePasses = 0;
    QWidget *control = parameters.control(c.field);
    // A program change is no commit.
    parameters.setFieldValue(c.field, 1);
    EXPECT_EQ(rulePasses, 0) << "field " << c.field;
    QTest::keyClick(control, Qt::Key_Down);
    QTest::keyClick(control, Qt::Key_Up);
    EXPECT_EQ(rulePasses > 0, c.runsRules) << "field " << c.field;
  }
}

TEST_F(PanelTransferTest, RuleChangesDuringTheRulePassAreNoCommits) {
  rules.pass = [this] {
    ++rulePasses;
    // A rule corrects MAX VEC NO and the TRIGGER ring while it runs.
    parameters.spinBox(field::kMaxVecNo)->setValue(2);
    QTest::keyClick(parameters.ring(field::kTrigger), Qt::Key_Down);
  };
  QTest::keyClick(parameters.control(field::kLedMode), Qt::Key_Down);
  EXPECT_EQ(rulePasses, 1);
}

TEST_F(PanelTransferTest, CalculationModeChangeMovesTheTolerancesThenRunsTheRules) {
  const std::array<std::uint16_t, 5> row{10, 20, 30, 40, 50};
  for (int c = 0; c < 5; ++c)
    data.setCell(4, c, row[static_cast<std::size_t>(c)]);
  QComboBox *calc = parameters.ring(field::kCalculationMode);
  calc->setCurrentIndex(1);
  QTest::keyClick(calc, Qt::Key_Down); // to "X Y INT - 3D" by the operator

  EXPECT_EQ(state.para.calculationMode, 2);
  const std::array<std::uint16_t, 5> expected{10, 20, 40, 30, 1};
  for (int c = 0; c < 5; ++c)
    EXPECT_EQ(teach.cell(4, c), expected[static_cast<std::size_t>(c)]);
  EXPECT_EQ(state.table[4].cell, expected);
  EXPECT_EQ(rulePasses, 1);
  EXPECT_EQ(graphRedraws, 1);
}

TEST_F(PanelTransferTest, CalculationModeTheRulesPutBackLeavesTheCellsWhereTheyWere) {
  struct Case {
    int from, chosen, settled; // mode before, chosen by the operator, left by the rules
    std::array<std::uint16_t, 5> before, after;
  };
  const Case cases[] = {
      {0, 2, 0, {10, 20, 30, 40, 50}, {10, 20, 30, 40, 50}},
      {1, 3, 1, {10, 20, 30, 40, 50}, {10, 20, 30, 40, 50}},
      {2, 0, 2, {10, 20, 40, 30, 1}, {10, 20, 40, 30, 1}},
      {0, 2, 3, {10, 20, 30, 40, 50}, {10, 20, 40, 30, 1}}, // still 3D: moved
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.from << " -> " << c.chosen << " -> " << c.settled);
    rules.pass = [&] { // as the rule pass does: the data, then the page
      ++rulePasses;
      data.setField(field::kCalculationMode, static_cast<std::uint16_t>(c.settled));
      parameters.setFieldValue(field::kCalculationMode, static_cast<std::uint16_t>(c.settled));
    };
    data.setField(field::kCalculationMode, static_cast<std::uint16_t>(c.from));
    for (int col = 0; col < 5; ++col)
      data.setCell(4, col, c.before[static_cast<std::size_t>(col)]);
    QComboBox *calc = parameters.ring(field::kCalculationMode);
    // The operator steps onto the chosen mode from its neighbour.
    calc->setCurrentIndex(c.chosen == 0 ? 1 : c.chosen - 1);
    QTest::keyClick(calc, c.chosen == 0 ? Qt::Key_Up : Qt::Key_Down);

    for (int col = 0; col < 5; ++col)
      EXPECT_EQ(teach.cell(4, col), c.after[static_cast<std::size_t>(col)]) << "column " << col;
    EXPECT_EQ(state.table[4].cell, c.after);
    EXPECT_EQ(state.para.calculationMode, c.settled);
  }
}

TEST_F(PanelTransferTest, TypedGroupRerunsTheRulesAndShowsTheGroupPage) {
  QTableWidget *table = groupHold.groupTable();
  auto *delegate = qobject_cast<UInt16Delegate *>(table->itemDelegateForColumn(0));
  ASSERT_NE(delegate, nullptr);
  QSpinBox editor;
  editor.setRange(0, 65535);
  editor.setValue(2);
  delegate->setModelData(&editor, table->model(), table->model()->index(7, 0));

  EXPECT_EQ(groupHold.group(7), 2);
  EXPECT_EQ(rulePasses, 1);
  ASSERT_FALSE(shell.pagesShown.empty());
  EXPECT_EQ(shell.pagesShown.back(), MainPage::ColorGroups);

  // The rules' own table updates are no edits.
  groupHold.setGroup(8, 1);
  EXPECT_EQ(rulePasses, 1);
}

TEST_F(PanelTransferTest, CellTypedWithF2ReachesTheRecordAndTheGraphs) {
  QTableWidget *grid = teach.grid();
  teach.show();
  QApplication::setActiveWindow(&teach);
  grid->setFocus();
  grid->setCurrentCell(3, 2);
  QTest::keyClick(grid, Qt::Key_F2);
  auto *editor = qobject_cast<QSpinBox *>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "65535");
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents(); // the view commits the editor on its next turn

  EXPECT_EQ(teach.cell(3, 2), 65535);
  EXPECT_EQ(state.table[3].cell[2], 65535);
  EXPECT_EQ(graphRedraws, 1);
}

TEST_F(PanelTransferTest, ColourColumnIsNotEditable) {
  EXPECT_FALSE(teach.grid()->item(0, 5)->flags() & Qt::ItemIsEditable);
  EXPECT_TRUE(teach.grid()->item(0, 4)->flags() & Qt::ItemIsEditable);
  EXPECT_EQ(teach.columnHeadings(), QStringList({"X", "Y", "CTO", "INT", "ITO"}));
}

TEST_F(PanelTransferTest, ResetButtonsAskFirstAndResetTheirTableOnly) {
  const QString confirm = QStringLiteral("ATTENTION!|Do you really want to reset the table?");
  struct Case {
    const char *name;
    QPushButton *button;
    bool yes;
  };
  int plotClears = 0;
  QObject::connect(&data, &ParameterData::teachTableReset, [&] { ++plotClears; });
  const Case cases[] = {{"group no", groupHold.groupResetButton(), false},
                        {"group yes", groupHold.groupResetButton(), true},
                        {"hold no", groupHold.holdResetButton(), false},
                        {"hold yes", groupHold.holdResetButton(), true},
                        {"teach no", teach.resetButton(), false},
                        {"teach yes", teach.resetButton(), true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    data.setPara(distinctParameters());
    data.setTable(distinctTable());
    groupHold.setGroupBackground(2, QColor(0xFF0000));
    data.setRowNumber(9);
    groupHold.resetHoldValue()->setValue(77);
    plotClears = 0;
    dialogs.clear();
    dialogs.answerConfirm(c.yes);
    c.button->click();
    ASSERT_EQ(popupTexts(), std::vector<QString>{confirm});
    const TeachTable before = distinctTable();
    const bool groupReset = c.yes && c.button == groupHold.groupResetButton();
    const bool holdReset = c.yes && c.button == groupHold.holdResetButton();
    const bool teachReset = c.yes && c.button == teach.resetButton();
    EXPECT_EQ(state.para.holdFail, holdReset ? 77 : 33);
    for (std::size_t r = 0; r < kTeachRows; ++r) {
      EXPECT_EQ(state.table[r].group, groupReset ? 0 : before[r].group);
      EXPECT_EQ(state.table[r].hold, holdReset ? 77 : before[r].hold);
      for (std::size_t k = 0; k < kTeachCells; ++k)
        EXPECT_EQ(state.table[r].cell[k], teachReset ? 1 : before[r].cell[k]);
    }
    EXPECT_EQ(groupHold.groupTable()->item(2, 0)->background().color(),
              groupReset ? QColor(0xFFFFFF) : QColor(0xFF0000));
    EXPECT_EQ(teach.currentRow(), teachReset ? 0 : 9);
    EXPECT_EQ(plotClears, teachReset ? 1 : 0);
  }
}

TEST_F(PanelTransferTest, MemoryAndSetButtonsFollowEachOther) {
  EXPECT_TRUE(buttons.ram->isChecked());
  EXPECT_TRUE(buttons.paraSet0->isChecked());
  buttons.eeprom->click();
  EXPECT_EQ(state.memory, ParameterMemory::Eeprom);
  EXPECT_FALSE(buttons.ram->isChecked());
  buttons.paraSet1->click();
  EXPECT_EQ(state.paraSet, 1);
  EXPECT_FALSE(buttons.paraSet0->isChecked());

  // goOffline moves the target to FILE through the same callback.
  controller.memorySelected(ParameterMemory::File);
  EXPECT_TRUE(buttons.file->isChecked());
  EXPECT_FALSE(buttons.eeprom->isChecked());
  controller.paraSetSelected(0);
  EXPECT_TRUE(buttons.paraSet0->isChecked());
  EXPECT_FALSE(buttons.paraSet1->isChecked());

  EXPECT_EQ(buttons.send->shortcut(), QKeySequence(Qt::Key_F9));
  EXPECT_EQ(buttons.get->shortcut(), QKeySequence(Qt::Key_F10));
}

TEST_F(PanelTransferTest, DuringAcquisitionSendAndGetWaitForTheLoop) {
  QSignalSpy failures(&link, &SensorLink::failed);
  // A loop whose next step begins after both presses.
  link.setAcquisitionTask(Acquisition::Live, [this]() -> QCoro::Task<> {
    co_await qCoro(buttons.get, &QAbstractButton::clicked);
    co_await link.servePending();
  });
  ASSERT_TRUE(link.startAcquisition(Acquisition::Live));
  buttons.send->click();
  buttons.get->click();
  EXPECT_EQ(failures.count(), 0) << "nothing goes out before the loop serves it";
  settleUntil([this] { return link.idle(); });
  // No sensor: SEND and GET each fail once they are served.
  EXPECT_EQ(failures.count(), 2);
  EXPECT_TRUE(shell.dims.empty()) << "the loop holds the busy lock";
}

TEST_F(PanelTransferTest, FailedFirstExchangeStopsAndLeavesThePanel) {
  // No transport is open: the first exchange fails (reported once by the link).
  QSignalSpy failures(&link, &SensorLink::failed);
  parameters.setFieldValue(field::kPower, 321);

  clickAndSettle(buttons.send);
  EXPECT_EQ(failures.count(), 1);
  EXPECT_EQ(shell.dims, (std::vector<std::pair<bool, bool>>{{false, true}, {false, false}}));

  clickAndSettle(buttons.get);
  EXPECT_EQ(failures.count(), 2);
  EXPECT_EQ(parameters.fieldValue(field::kPower), 321);
  EXPECT_EQ(rulePasses, 0);
  EXPECT_EQ(graphRedraws, 0);
}

} // namespace
} // namespace quorvane::testing

namespace quorvane::testing {
namespace {

TEST_F(PanelTransferTest, ShortcutTakesANumberStillBeingTyped) {
  // Pages and buttons in one window, as in the main window.
  parameters.setParent(&buttons.host);
  teach.setParent(&buttons.host);
  parameters.move(0, 60);
  teach.move(300, 60);
  parameters.show();
  teach.show();
  buttons.host.show();
  QApplication::setActiveWindow(&buttons.host);
  QSpinBox *average = parameters.spinBox(field::kAverage);
  average->setFocus();
  average->selectAll();
  QTest::keyClicks(average, "42");
  QTableWidget *grid = teach.grid();
  grid->setCurrentCell(6, 1);
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_F2);
  auto *editor = qobject_cast<QSpinBox *>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "4711");

  // As its F9 shortcut does, a click without moving the focus. With no sensor, SEND reads
  // the panel and then its first exchange fails.
  clickAndSettle(buttons.send);
  EXPECT_EQ(state.para.average, 42);
  EXPECT_EQ(state.table[6].cell[1], 4711);
  EXPECT_EQ(shell.dims.size(), 2u);

  parameters.setParent(nullptr);
  teach.setParent(nullptr);
}

} // namespace
} // namespace quorvane::testing
