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
#include <QRect>
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

ParameterController::ParameterController(ParameterData &data, SensorLink &link, Shell &shell,
                                         Dialogs &dialogs, ParameterPage &parameters,
                                         GroupHoldPage &groupHold, TeachTablePage &teach,
                                         RulePass &rules, QObject *parent)
    : QObject(parent), data_(data), link_(link), shell_(shell), dialogs_(dialogs),
      parameters_(parameters), groupHold_(groupHold), teach_(teach), fileIo_(data, dialogs, *this),
      rules_(rules) {
  // Each edit goes into the data before the page's reaction to it runs.
  connect(&parameters_, &ParameterPage::fieldChanged, this, [this](std::size_t i) {
    if (i == field::kCalculationMode) previousCalculationMode_ = data_.para().calculationMode;
    takeEdit([this, i] { data_.setField(i, parameters_.fieldValue(i)); });
  });
  connect(&groupHold_, &GroupHoldPage::colorGroupCommitted, this, [this] {
    takeEdit([this] { data_.setField(field::kColorGroup, groupHold_.colorGroup()); });
  });
  connect(&groupHold_, &GroupHoldPage::groupEdited, this, [this](int row) {
    takeEdit([this, row] { data_.setGroup(row, groupHold_.group(row)); });
  });
  connect(&groupHold_, &GroupHoldPage::holdEdited, this, [this](int line) {
    takeEdit([this, line] {
      if (line == 0)
        data_.setField(field::kHoldFail, groupHold_.holdFail());
      else
        data_.setHold(line - 1, groupHold_.hold(line - 1));
    });
  });
  connect(&groupHold_, &GroupHoldPage::groupTableReset, this, [this] {
    takeEdit([this] {
      for (int r = 0; r < kRows; ++r)
        data_.setGroup(r, groupHold_.group(r));
    });
  });
  connect(&groupHold_, &GroupHoldPage::holdTableReset, this, [this] {
    takeEdit([this] {
      data_.setField(field::kHoldFail, groupHold_.holdFail());
      for (int r = 0; r < kRows; ++r)
        data_.setHold(r, groupHold_.hold(r));
    });
  });
  connect(&teach_, &TeachTablePage::cellEdited, this, [this](int row, int column) {
    takeEdit([this, row, column] { data_.setCell(row, column, teach_.cell(row, column)); });
  });
  connect(&teach_, &TeachTablePage::resetConfirmed, &data_, &ParameterData::resetTeachTable);
  // The operator's "No." is read at once: the intensity band follows it.
  connect(&teach_, &TeachTablePage::rowNumberCommitted, this, [this](int row) {
    data_.setRowNumber(row);
    data_.setCurrentRow(row);
  });
  connect(&teach_, &TeachTablePage::autoIncrementToggled, &data_, &ParameterData::setAutoIncrement);
  connect(&data_, &ParameterData::rowNumberChanged, &teach_, &TeachTablePage::showRowNumber);
  connect(&data_, &ParameterData::autoIncrementChanged, &teach_,
          &TeachTablePage::showAutoIncrement);
  connect(&data_, &ParameterData::typingCommitRequested, &teach_, &TeachTablePage::commitTyping);
  connect(&data_, &ParameterData::valueColumnEditableChanged, &teach_,
          &TeachTablePage::setValueColumnEditable);

  connect(&parameters_, &ParameterPage::modeCommitted, this, &ParameterController::applyPanelRules);
  connect(&parameters_, &ParameterPage::calculationModeCommitted, this,
          &ParameterController::onCalculationModeCommitted);
  connect(&groupHold_, &GroupHoldPage::colorGroupCommitted, this,
          &ParameterController::applyPanelRules);
  connect(&groupHold_, &GroupHoldPage::groupEdited, this, &ParameterController::onGroupEdited);
  connect(&teach_, &TeachTablePage::cellEdited, this, &ParameterController::onCellEdited);

  // What changes in the data from elsewhere (a GET, a file, a teach) the pages show. The rule
  // pass shows its outcome itself.
  connect(&data_, &ParameterData::paraChanged, this, [this] {
    if (!takingEdit_ && !inRules_ && !settingPanel_) showParameters();
  });
  connect(&data_, &ParameterData::rowChanged, this, [this](int row) {
    if (!takingEdit_) showRow(row);
  });
  connect(&data_, &ParameterData::memoryChanged, this, &ParameterController::showMemory);
  connect(&data_, &ParameterData::paraSetChanged, this, &ParameterController::showParaSet);
  for (int r = 0; r < kRows; ++r)
    showRow(r);
}

void ParameterController::wire(const MainParamControls &controls) {
  controls_ = controls;
  if (controls_.send) {
    if (controls_.send->shortcut().isEmpty()) controls_.send->setShortcut(Qt::Key_F9);
    connect(controls_.send, &QAbstractButton::clicked, this, &ParameterController::sendClicked);
  }
  if (controls_.get) {
    if (controls_.get->shortcut().isEmpty()) controls_.get->setShortcut(Qt::Key_F10);
    connect(controls_.get, &QAbstractButton::clicked, this, &ParameterController::getClicked);
  }
  const auto onMemory = [this](QAbstractButton *button, ParameterMemory memory) {
    if (!button) return;
    connect(button, &QAbstractButton::toggled, this, [this, memory](bool on) {
      if (on) memorySelected(memory);
    });
  };
  onMemory(controls_.ram, ParameterMemory::Ram);
  onMemory(controls_.eeprom, ParameterMemory::Eeprom);
  onMemory(controls_.file, ParameterMemory::File);
  const auto onSet = [this](QAbstractButton *button, int set) {
    if (!button) return;
    connect(button, &QAbstractButton::toggled, this, [this, set](bool on) {
      if (on) paraSetSelected(set);
    });
  };
  onSet(controls_.paraSet0, 0);
  onSet(controls_.paraSet1, 1);
  showMemory();
  showParaSet();
}

void ParameterController::takeEdit(const std::function<void()> &write) {
  const bool taking = takingEdit_;
  takingEdit_ = true;
  write();
  takingEdit_ = taking;
}

void ParameterController::showParameters() {
  const SensorParameters para = data_.para();
  settingPanel_ = true;
  // TRIGGER can only take a value that the EXTERN TEACH choice leaves in its ring.
  parameters_.setFieldValue(field::kExternTeach, para.externTeach);
  rules_.runExteach();
  for (std::size_t i = 0; i < kParameterCount; ++i) {
    const std::uint16_t value = para.*kParameterFields[i].member;
    if (ParameterPage::showsField(i))
      parameters_.setFieldValue(i, value);
    else if (i == field::kHoldFail)
      groupHold_.setHoldFail(value);
    else if (i == field::kColorGroup)
      groupHold_.setColorGroup(value);
  }
  settingPanel_ = false;
}

void ParameterController::showRow(int row) {
  if (row < 0 || row >= kRows) return;
  const TeachVector &vector = data_.table()[static_cast<std::size_t>(row)];
  groupHold_.setGroup(row, vector.group);
  groupHold_.setHold(row, vector.hold);
  for (int c = 0; c < kCells; ++c)
    teach_.setCell(row, c, vector.cell[static_cast<std::size_t>(c)]);
}

void ParameterController::applyPanelRules() {
  // The rules change controls themselves; those changes are not the operator's commits.
  if (inRules_ || settingPanel_) return;
  inRules_ = true;
  rules_.runRules();
  inRules_ = false;
  showParaSet();
  Q_EMIT rulesApplied();
}

int ParameterController::calculationMode() const {
  return data_.para().calculationMode;
}

void ParameterController::redrawGraphs() {
  Q_EMIT tableChanged();
}

void ParameterController::onCalculationModeCommitted() {
  if (inRules_ || settingPanel_) return;
  // The tolerances move between the 2D and 3D column layouts before the rules relabel them.
  const std::uint16_t previous = previousCalculationMode_;
  const std::uint16_t chosen = data_.para().calculationMode;
  const TeachTable unsorted = data_.table();
  TeachTable sorted = unsorted;
  moveTolerances(previous, chosen, sorted);
  data_.setTable(sorted);
  applyPanelRules();
  // With the digital outputs off the analog output decides the mode, so the rules may put it
  // back into the previous family: the cells then go back to the layout they had, or the
  // tolerances would sit under the wrong headings and one of them would be lost.
  const std::uint16_t settled = data_.para().calculationMode;
  if (unsorted != sorted && is3D(settled) == is3D(previous)) data_.setTable(unsorted);
  redrawGraphs();
}

void ParameterController::rearrangeTeachCells(std::uint16_t previous, std::uint16_t settled) {
  TeachTable table = data_.table();
  moveTolerances(previous, settled, table);
  data_.setTable(table);
}

void ParameterController::onGroupEdited() {
  if (inRules_ || settingPanel_) return;
  applyPanelRules();
  shell_.showPage(MainPage::ColorGroups);
}

void ParameterController::onCellEdited() {
  if (inRules_ || settingPanel_) return;
  redrawGraphs();
}

QCoro::Task<bool> ParameterController::sendParameters() {
  co_return (co_await writeParameterSet(link_, data_.paraSet(), data_.para(), data_.table(),
                                        data_.memory() == ParameterMemory::Eeprom))
      .has_value();
}

QCoro::Task<bool> ParameterController::readParameters(ParameterMemory from) {
  const std::optional<ParameterSetRead> read =
      co_await readParameterSet(link_, from, data_.paraSet(), [this](std::uint16_t n) {
        shell_.showPage(MainPage::Connection);
        shell_.appendConnectionLog(eepromPlausibilityMessage(n));
      });
  if (!read) co_return false;
  data_.setPara(read->para);
  data_.setTable(read->table);
  applyPanelRules();
  redrawGraphs();
  co_return true;
}

void ParameterController::sendClicked() {
  finishTyping(controls_.send);
  if (data_.memory() == ParameterMemory::File) {
    fileIo_.writeParameterFile();
    return;
  }
  runTransfer([this] { return sendParameters(); });
}

void ParameterController::getClicked() {
  finishTyping(controls_.get);
  if (data_.memory() == ParameterMemory::File) {
    fileIo_.readParameterFile();
    return;
  }
  runTransfer([this] { return readParameters(data_.memory()); });
}

void ParameterController::runTransfer(std::function<QCoro::Task<bool>()> transfer) {
  if (link_.acquisitionRunning()) {
    // Served by the running loop before its next measurement.
    link_.runOnLine([transfer]() -> QCoro::Task<> { co_await transfer(); });
    return;
  }
  shell_.setBusy(false, true);
  link_.runOnLine([this, transfer]() -> QCoro::Task<> {
    co_await transfer();
    shell_.setBusy(false, false);
  });
}

void ParameterController::finishTyping(QAbstractButton *button) {
  // F9 and F10 leave the focus where it was: a number still being typed or a table cell
  // still being edited would not be taken. Moving the focus commits them, as a click does.
  if (button && button->isVisible() && !button->hasFocus()) button->setFocus(Qt::OtherFocusReason);
}

void ParameterController::memorySelected(ParameterMemory memory) {
  data_.setMemory(memory);
  showMemory();
}

void ParameterController::paraSetSelected(int paraSet) {
  data_.setParaSet(paraSet);
  showParaSet();
}

void ParameterController::showRowColour(int row, const QColor &colour) {
  teach_.setRowColour(row, colour);
  groupHold_.setRowColour(row, colour);
}

void ParameterController::setTeachGridMenu(QMenu *menu) {
  teach_.setGridMenu(menu);
}

QRect ParameterController::teachGridSelection() const {
  return teach_.selectedCells();
}

void ParameterController::showMemory() {
  QAbstractButton *on = data_.memory() == ParameterMemory::Ram      ? controls_.ram
                        : data_.memory() == ParameterMemory::Eeprom ? controls_.eeprom
                                                                    : controls_.file;
  selectOnly(on, {controls_.ram, controls_.eeprom, controls_.file});
}

void ParameterController::showParaSet() {
  selectOnly(data_.paraSet() == 1 ? controls_.paraSet1 : controls_.paraSet0,
             {controls_.paraSet0, controls_.paraSet1});
}

void ParameterController::readView(PanelView &view) const {
  readPanelView(view, data_.record(), parameters_);
  view.paraSet = data_.paraSet();
}

void ParameterController::takeView(const PanelView &view) {
  data_.setPara(view.para);
  for (int r = 0; r < kRows; ++r)
    data_.setGroup(r, view.groups[static_cast<std::size_t>(r)]);
}

void ParameterController::applyView(const PanelView &view) {
  takeView(view);
  applyPanelView(view, {parameters_, groupHold_, teach_});
  data_.setParaSet(view.paraSet);
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
