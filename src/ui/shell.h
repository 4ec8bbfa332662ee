#pragma once
// What the main window offers every subsystem: the busy lock, page and child-panel
// switching, and the connection page's log and status field. Subsystems talk to the main
// window only through this interface, so each can be built and tested on its own.
#include "ui/core/busy_lock_rules.h"

#include <QString>

class QWidget;

namespace quorvane {

// Pages of the main tab control, in tab order.
enum class MainPage {
  Connection = 0,
  Parameters = 1,
  ColorGroups = 2,
  TeachTable = 3,
  Recorder = 4,
  Calibration = 5,
  RowColours = 6,
  Scope = 7,
  Offset = 8,
};
inline constexpr int kMainPageCount = 9;

// The five child panels that share one place beside the tabs (numbers of the original layout).
enum class ChildPanel {
  Measurement = 2,
  Graph = 3,
  MeanTeach = 8,
  RecordedTeach = 9,
  ScopeDisplay = 7,
};

class Shell {
public:
  virtual ~Shell() = default;
  // The busy lock: dims the action controls (SEND/GET/memory selection only when
  // keepMainButtons is false) and draws the change at once.
  virtual void SetButtonsDimmed(bool keepMainButtons, bool dimmed) = 0;
  // A control that SetButtonsDimmed dims and undims according to its group.
  virtual void addBusyControl(QWidget *control, BusyGroup group) = 0;
  virtual void ShowChildPanelDisp(ChildPanel panel) = 0;
  virtual ChildPanel currentChildPanel() const = 0;
  virtual void showPage(MainPage page) = 0;
  virtual MainPage currentPage() const = 0;
  // Connection page log (text is appended as it stands).
  virtual void appendConnectionLog(const QString &text) = 0;
  // Connection status field of the measurement panel.
  virtual void setConnectionStatus(const QString &text) = 0;
};

} // namespace quorvane
