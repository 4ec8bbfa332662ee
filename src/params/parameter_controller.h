#pragma once
// The parameter pages over the parameter data: each edit on a page goes into the data at
// once, and the pages show what changes in it. Transfers to and from the sensor (SendPara,
// GetPara) or the parameter file, and the main window's SEND, GET, memory and parameter-set
// buttons.
#include "params/parameter_data.h"
#include "params/parameter_exchange.h"
#include "params/parameter_file_io.h"
#include "params/parameter_transfer.h"

#include <QObject>

#include <functional>

class QAbstractButton;
class QColor;
class QMenu;
class QRect;

namespace quorvane {

class Dialogs;
class GroupHoldPage;
struct PanelView;
class ParameterPage;
class RulePass;
class SensorLink;
class Shell;
class TeachTablePage;

// The main window's controls this controller drives.
struct MainParamControls {
  QAbstractButton *send = nullptr;
  QAbstractButton *get = nullptr;
  QAbstractButton *ram = nullptr;
  QAbstractButton *eeprom = nullptr;
  QAbstractButton *file = nullptr;
  QAbstractButton *paraSet0 = nullptr;
  QAbstractButton *paraSet1 = nullptr;
};

class ParameterController : public QObject, public PanelTransfer, public ParameterTransfer {
  Q_OBJECT
public:
  // `rules` runs the rule pass whenever the controller asks for one.
  ParameterController(ParameterData &data, SensorLink &link, Shell &shell, Dialogs &dialogs,
                      ParameterPage &parameters, GroupHoldPage &groupHold, TeachTablePage &teach,
                      RulePass &rules, QObject *parent = nullptr);

  // Connects the main window's buttons and shortcuts (SEND F9, GET F10) and shows the
  // current memory target and parameter set on them.
  void wire(const MainParamControls &controls);

  // The data's fields onto the pages: EXTERN TEACH and its TRIGGER choices first, then every
  // field. The data's own change signal does this for every change made outside the pages.
  void showParameters();
  // The rule pass (re-entry from the rules' own changes is ignored).
  void applyPanelRules() override;
  void redrawGraphs() override;

  QCoro::Task<bool> sendParameters() override;
  QCoro::Task<bool> readParameters(ParameterMemory from) override;
  // CALCULATION MODE as the parameter page shows it now.
  int calculationMode() const override;

  void sendClicked();
  void getClicked();
  void memorySelected(ParameterMemory memory);
  void paraSetSelected(int paraSet);
  // A teach row's indicator colour, in the teach grid and in the group and hold tables.
  void showRowColour(int row, const QColor &colour);
  // The teach grid's context menu (it stays its owner's) and the grid's selected rectangle
  // of cells (x = column, y = row, both from 0; null when none).
  void setTeachGridMenu(QMenu *menu);
  [[nodiscard]] QRect teachGridSelection() const;
  // Puts the radio buttons in line with the records (after goOffline or a rule changed them).
  void showMemory();
  void showParaSet();

  // The parameters' part of a rule pass: the pages and the parameter set into `view`; and
  // back: the pages, the parameter-set buttons (dimmed unless TRIGGER is PARA) and the
  // warnings, each after bringing its page to the front. The measurement panel's part is
  // its owner's.
  void readView(PanelView &view) const;
  void applyView(const PanelView &view);
  // The values the rules settled on into the data (applyView does this first, too).
  void takeView(const PanelView &view);
  // The rule pass moved CALCULATION MODE from `previous` into the other family: the teach
  // cells take the new layout, exactly as for the operator's change.
  void rearrangeTeachCells(std::uint16_t previous, std::uint16_t settled);

  ParameterFileIo &fileIo() { return fileIo_; }
  ParameterData &data() { return data_; }

Q_SIGNALS:
  // The teach table changed: the live graphs are rebuilt and redrawn.
  void tableChanged();
  // A rule pass has been applied.
  void rulesApplied();

private:
  // An edit on a page into the data; the pages already show it.
  void takeEdit(const std::function<void()> &write);
  // Teach row `row` (its cells, group and hold) onto the pages.
  void showRow(int row);
  void onCalculationModeCommitted();
  void onGroupEdited();
  void onCellEdited();
  // SEND or GET as the operator asked for it: a whole between two steps of a running
  // acquisition, else at once behind the busy lock.
  void runTransfer(std::function<QCoro::Task<bool>()> transfer);
  void finishTyping(QAbstractButton *button);

  ParameterData &data_;
  SensorLink &link_;
  Shell &shell_;
  Dialogs &dialogs_;
  ParameterPage &parameters_;
  GroupHoldPage &groupHold_;
  TeachTablePage &teach_;
  ParameterFileIo fileIo_;
  MainParamControls controls_;
  RulePass &rules_;
  bool inRules_ = false;
  bool settingPanel_ = false;
  bool takingEdit_ = false;
  // CALCULATION MODE before the operator's change: the tolerances move from its layout.
  std::uint16_t previousCalculationMode_ = 0;
};

} // namespace quorvane
