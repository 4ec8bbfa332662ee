#include "params/parameter_controller.h"

#include "link/sensor_link.h"
#include "params/core/modes.h"
#include "params/core/panel_rules.h"
#include "params/group_hold_page.h"
#include "params/panel_view_io.h"
#include "params/parameter_page.h"
#include "params/rule_participant.h"
#include "params/teach_table_page.h"
#include "ui/dialogs.h"
#include "ui/shell.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QSignalBlocker>

namespace quorvane {
namespace {

constexpr int kRows = static_cast<int>(kTeachRows);
constexpr int kCells = static_cast<int>(kTeachCells);

// Switches `on` on and the others off without re-entering the selection callbacks.
void selectOnly(QAbstractButton *on, std::initializer_list<QAbstractButton *> all) {
  for (QAbstractButton *b : all) {
    if (!b) continue;
    const QSignalBlocker block(b);
    b->setChecked(b == on);
  }
}

} // namespace

ParameterController::ParameterController(ParameterState &state, SensorLink &link, Shell &shell,
                                         Dialogs &dialogs, ParameterPage &parameters,
                                         GroupHoldPage &groupHold, TeachTablePage &teach,
                                         RulePass &rules, QObject *parent)
    : QObject(parent), state_(state), link_(link), shell_(shell), dialogs_(dialogs),
      parameters_(parameters), groupHold_(groupHold), teach_(teach), fileIo_(state, dialogs, *this),
      rules_(rules) {
  connect(&parameters_, &ParameterPage::modeCommitted, this,
          &ParameterController::InitPanelCtrlAttr);
  connect(&parameters_, &ParameterPage::calculationModeCommitted, this,
          &ParameterController::onCalculationModeCommitted);
  connect(&groupHold_, &GroupHoldPage::colorGroupCommitted, this,
          &ParameterController::InitPanelCtrlAttr);
  connect(&groupHold_, &GroupHoldPage::groupEdited, this, &ParameterController::onGroupEdited);
  connect(&teach_, &TeachTablePage::cellEdited, this, &ParameterController::onCellEdited);
}

void ParameterController::wire(const MainParamControls &controls) {
  controls_ = controls;
  if (controls_.send) {
    if (controls_.send->shortcut().isEmpty()) controls_.send->setShortcut(Qt::Key_F9);
    connect(controls_.send, &QAbstractButton::clicked, this, &ParameterController::CBF_ButtonSend);
  }
  if (controls_.get) {
    if (controls_.get->shortcut().isEmpty()) controls_.get->setShortcut(Qt::Key_F10);
    connect(controls_.get, &QAbstractButton::clicked, this, &ParameterController::CBF_ButtonGet);
  }
  const auto onMemory = [this](QAbstractButton *button, ParameterMemory memory) {
    if (!button) return;
    connect(button, &QAbstractButton::toggled, this, [this, memory](bool on) {
      if (on) CBF_SelectMem(memory);
    });
  };
  onMemory(controls_.ram, ParameterMemory::Ram);
  onMemory(controls_.eeprom, ParameterMemory::Eeprom);
  onMemory(controls_.file, ParameterMemory::File);
  const auto onSet = [this](QAbstractButton *button, int set) {
    if (!button) return;
    connect(button, &QAbstractButton::toggled, this, [this, set](bool on) {
      if (on) CBF_SelectParaSet(set);
    });
  };
  onSet(controls_.paraSet0, 0);
  onSet(controls_.paraSet1, 1);
  showMemory();
  showParaSet();
}

void ParameterController::GetPanelValues() {
  for (std::size_t i = 0; i < kParameterCount; ++i) {
    std::uint16_t value = 0;
    if (ParameterPage::showsField(i))
      value = parameters_.fieldValue(i);
    else if (i == field::kHoldFail)
      value = groupHold_.holdFail();
    else if (i == field::kColorGroup)
      value = groupHold_.colorGroup();
    state_.para.*kParameterFields[i].member = value;
  }
  for (int r = 0; r < kRows; ++r) {
    TeachVector &row = state_.table[static_cast<std::size_t>(r)];
    row.group = groupHold_.group(r);
    row.hold = groupHold_.hold(r);
    for (int c = 0; c < kCells; ++c)
      row.cell[static_cast<std::size_t>(c)] = teach_.cell(r, c);
  }
}

void ParameterController::SetPanelValues() {
  settingPanel_ = true;
  // TRIGGER can only take a value that the EXTERN TEACH choice leaves in its ring.
  parameters_.setFieldValue(field::kExternTeach, state_.para.externTeach);
  rules_.runExteach();
  for (std::size_t i = 0; i < kParameterCount; ++i) {
    const std::uint16_t value = state_.para.*kParameterFields[i].member;
    if (ParameterPage::showsField(i))
      parameters_.setFieldValue(i, value);
    else if (i == field::kHoldFail)
      groupHold_.setHoldFail(value);
    else if (i == field::kColorGroup)
      groupHold_.setColorGroup(value);
  }
  for (int r = 0; r < kRows; ++r) {
    const TeachVector &row = state_.table[static_cast<std::size_t>(r)];
    groupHold_.setGroup(r, row.group);
    groupHold_.setHold(r, row.hold);
    for (int c = 0; c < kCells; ++c)
      teach_.setCell(r, c, row.cell[static_cast<std::size_t>(c)]);
  }
  settingPanel_ = false;
}

void ParameterController::InitPanelCtrlAttr() {
  // The rules change controls themselves; those changes are not the operator's commits.
  if (inRules_ || settingPanel_) return;
  inRules_ = true;
  rules_.runRules();
  inRules_ = false;
  showParaSet();
  Q_EMIT rulesApplied();
}

int ParameterController::calculationMode() const {
  return parameters_.fieldValue(field::kCalculationMode);
}

void ParameterController::redrawGraphs() {
  Q_EMIT tableChanged();
}

void ParameterController::onCalculationModeCommitted() {
  if (inRules_ || settingPanel_) return;
  // The tolerances move between the 2D and 3D column layouts before the rules relabel them.
  const std::uint16_t previous = state_.para.calculationMode;
  GetPanelValues();
  const TeachTable unsorted = state_.table;
  SortTableTolerance(previous, state_.para.calculationMode, state_.table);
  showCells(state_.table);
  InitPanelCtrlAttr();
  // With the digital outputs off the analog output decides the mode, so the rules may put it
  // back into the previous family: the cells then go back to the layout they had, or the
  // tolerances would sit under the wrong headings and one of them would be lost.
  const std::uint16_t settled = parameters_.fieldValue(field::kCalculationMode);
  if (unsorted != state_.table && is3D(settled) == is3D(previous)) showCells(unsorted);
  GetPanelValues();
  redrawGraphs();
}

void ParameterController::rearrangeTeachCells(std::uint16_t previous, std::uint16_t settled) {
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCells; ++c)
      state_.table[static_cast<std::size_t>(r)].cell[static_cast<std::size_t>(c)] =
          teach_.cell(r, c);
  SortTableTolerance(previous, settled, state_.table);
  showCells(state_.table);
}

void ParameterController::showCells(const TeachTable &table) {
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCells; ++c)
      teach_.setCell(r, c, table[static_cast<std::size_t>(r)].cell[static_cast<std::size_t>(c)]);
}

void ParameterController::onGroupEdited() {
  if (inRules_ || settingPanel_) return;
  InitPanelCtrlAttr();
  shell_.showPage(MainPage::ColorGroups);
}

void ParameterController::onCellEdited() {
  if (inRules_ || settingPanel_) return;
  GetPanelValues();
  redrawGraphs();
}

QCoro::Task<bool> ParameterController::sendParameters() {
  GetPanelValues();
  co_return (co_await writeParameterSet(link_, state_.paraSet, state_.para, state_.table,
                                        state_.memory == ParameterMemory::Eeprom))
      .has_value();
}

QCoro::Task<bool> ParameterController::readParameters(ParameterMemory from) {
  const std::optional<ParameterSetRead> read =
      co_await readParameterSet(link_, from, state_.paraSet, [this](std::uint16_t n) {
        shell_.showPage(MainPage::Connection);
        shell_.appendConnectionLog(eepromPlausibilityMessage(n));
      });
  if (!read) co_return false;
  state_.para = read->para;
  state_.table = read->table;

  SetPanelValues();
  InitPanelCtrlAttr();
  redrawGraphs();
  co_return true;
}

void ParameterController::CBF_ButtonSend() {
  finishTyping(controls_.send);
  if (state_.memory == ParameterMemory::File) {
    fileIo_.SendParaToFile();
    return;
  }
  runTransfer([this] { return sendParameters(); });
}

void ParameterController::CBF_ButtonGet() {
  finishTyping(controls_.get);
  if (state_.memory == ParameterMemory::File) {
    fileIo_.ReadParaFromFile();
    return;
  }
  runTransfer([this] { return readParameters(state_.memory); });
}

void ParameterController::runTransfer(std::function<QCoro::Task<bool>()> transfer) {
  if (link_.acquisitionRunning()) {
    // Served by the running loop before its next measurement.
    link_.runOnLine([transfer]() -> QCoro::Task<> { co_await transfer(); });
    return;
  }
  shell_.SetButtonsDimmed(false, true);
  link_.runOnLine([this, transfer]() -> QCoro::Task<> {
    co_await transfer();
    shell_.SetButtonsDimmed(false, false);
  });
}

void ParameterController::finishTyping(QAbstractButton *button) {
  // F9 and F10 leave the focus where it was: a number still being typed or a table cell
  // still being edited would not be taken. Moving the focus commits them, as a click does.
  if (button && button->isVisible() && !button->hasFocus()) button->setFocus(Qt::OtherFocusReason);
}

void ParameterController::CBF_SelectMem(ParameterMemory memory) {
  state_.memory = memory;
  showMemory();
}

void ParameterController::CBF_SelectParaSet(int paraSet) {
  state_.paraSet = paraSet == 1 ? 1 : 0;
  showParaSet();
}

void ParameterController::showMemory() {
  QAbstractButton *on = state_.memory == ParameterMemory::Ram      ? controls_.ram
                        : state_.memory == ParameterMemory::Eeprom ? controls_.eeprom
                                                                   : controls_.file;
  selectOnly(on, {controls_.ram, controls_.eeprom, controls_.file});
}

void ParameterController::showParaSet() {
  selectOnly(state_.paraSet == 1 ? controls_.paraSet1 : controls_.paraSet0,
             {controls_.paraSet0, controls_.paraSet1});
}

void ParameterController::readView(PanelView &view) const {
  readPanelView(view, {parameters_, groupHold_, teach_});
  view.paraSet = state_.paraSet;
}

void ParameterController::applyView(const PanelView &view) {
  applyPanelView(view, {parameters_, groupHold_, teach_});
  state_.paraSet = view.paraSet;
  for (QAbstractButton *b : {controls_.paraSet0, controls_.paraSet1})
    if (b) b->setEnabled(view.controls.paraSetEnabled);
  showParaSet();
  for (const PanelWarning &w : view.requests.warnings) {
    if (w.page == PanelPage::Parameters) shell_.showPage(MainPage::Parameters);
    if (w.page == PanelPage::ColorGroups) shell_.showPage(MainPage::ColorGroups);
    dialogs_.message(QString::fromStdString(w.title), QString::fromStdString(w.text));
  }
}

} // namespace quorvane
