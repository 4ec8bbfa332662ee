#pragma once
// The parameter transfer: between the panel controls and the records (GetPanelValues,
// SetPanelValues), to and from the sensor (SendPara, GetPara) or the parameter file, and the
// main window's SEND, GET, memory and parameter-set buttons.
#include "params/parameter_exchange.h"
#include "params/parameter_file_io.h"
#include "params/parameter_state.h"
#include "params/parameter_transfer.h"

#include <QObject>

#include <functional>

class QAbstractButton;

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
  ParameterController(ParameterState &state, SensorLink &link, Shell &shell, Dialogs &dialogs,
                      ParameterPage &parameters, GroupHoldPage &groupHold, TeachTablePage &teach,
                      RulePass &rules, QObject *parent = nullptr);

  // Connects the main window's buttons and shortcuts (SEND F9, GET F10) and shows the
  // current memory target and parameter set on them.
  void wire(const MainParamControls &controls);

  // Panel -> records, in record order; the reserved word of each row is left alone.
  void GetPanelValues() override;
  // Records -> panel: EXTERN TEACH and its TRIGGER choices first, then every field.
  void SetPanelValues() override;
  // The rule pass (re-entry from the rules' own changes is ignored).
  void InitPanelCtrlAttr() override;
  void redrawGraphs() override;

  QCoro::Task<bool> sendParameters() override;
  QCoro::Task<bool> readParameters(ParameterMemory from) override;
  // CALCULATION MODE as the parameter page shows it now.
  int calculationMode() const override;

  void CBF_ButtonSend();
  void CBF_ButtonGet();
  void CBF_SelectMem(ParameterMemory memory);
  void CBF_SelectParaSet(int paraSet);
  // Puts the radio buttons in line with the records (after Disconnect or a rule changed them).
  void showMemory();
  void showParaSet();

  // The parameters' part of a rule pass: the pages and the parameter set into `view`; and
  // back: the pages, the parameter-set buttons (dimmed unless TRIGGER is PARA) and the
  // warnings, each after bringing its page to the front. The measurement panel's part is
  // its owner's.
  void readView(PanelView &view) const;
  void applyView(const PanelView &view);
  // The rule pass moved CALCULATION MODE from `previous` into the other family: the teach
  // cells take the new layout, exactly as for the operator's change.
  void rearrangeTeachCells(std::uint16_t previous, std::uint16_t settled);

  ParameterFileIo &fileIo() { return fileIo_; }
  ParameterState &state() { return state_; }

Q_SIGNALS:
  // The teach table changed: the live graphs are rebuilt and redrawn.
  void tableChanged();
  // A rule pass has been applied.
  void rulesApplied();

private:
  void onCalculationModeCommitted();
  void onGroupEdited();
  void onCellEdited();
  // The five value cells of every row into the teach grid.
  void showCells(const TeachTable &table);
  // SEND or GET as the operator asked for it: a whole between two steps of a running
  // acquisition, else at once behind the busy lock.
  void runTransfer(std::function<QCoro::Task<bool>()> transfer);
  void finishTyping(QAbstractButton *button);

  ParameterState &state_;
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
};

} // namespace quorvane
