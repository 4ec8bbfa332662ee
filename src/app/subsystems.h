#pragma once
// The subsystems placed into the main window and joined to each other: the parameter pages
// with their transfer controller and the rule pass over every panel the rules touch, and
// the measurement panel with the live loop.
#include "params/core/panel_rules.h"

#include <QString>

#include <memory>

namespace quorvane {

class Dialogs;
class GroupHoldPage;
class LiveController;
class MainWindow;
class MeasurementPanel;
class ParameterController;
class ParameterPage;
class SensorLink;
class TeachTablePage;
struct ParameterState;

class Subsystems {
public:
  Subsystems(SensorLink &link, ParameterState &params, MainWindow &window, Dialogs &dialogs);
  ~Subsystems();
  Subsystems(const Subsystems &) = delete;
  Subsystems &operator=(const Subsystems &) = delete;

  ParameterPage &parameterPage() { return *parameterPage_; }
  GroupHoldPage &groupHoldPage() { return *groupHoldPage_; }
  TeachTablePage &teachTablePage() { return *teachPage_; }
  ParameterController &parameters() { return *parameters_; }
  MeasurementPanel &measurementPanel() { return *panel_; }
  LiveController &live() { return *live_; }
  // The state of the last rule pass (kept for the whole run).
  const PanelView &panelView() const { return view_; }

  // InitPanelCtrlAttr over the parameter pages, the parameter-set buttons and the
  // measurement panel, with the record taking the corrected values.
  void applyPanelRules();
  // The sensor identification on the big read-outs.
  void showIdentification(const QString &id);
  // The 3D view of the measurement panel in front, when the rules show it.
  void showStartGraphPage();

private:
  void wireParameters(MainWindow &window);
  void wireLive(MainWindow &window);
  void initExteach();
  void clearTaughtPlots();

  SensorLink &link_;
  ParameterState &params_;
  ParameterPage *parameterPage_ = nullptr; // the pages and the panel are the window's
  GroupHoldPage *groupHoldPage_ = nullptr;
  TeachTablePage *teachPage_ = nullptr;
  MeasurementPanel *panel_ = nullptr;
  std::unique_ptr<ParameterController> parameters_;
  std::unique_ptr<LiveController> live_;
  // One view for the whole run: a rule that does not run in a pass leaves its controls as
  // the last pass that ran it decided.
  PanelView view_;
};

} // namespace quorvane
