#pragma once
// What the main window offers every subsystem: the busy lock, page and child-panel
// switching, and the connection page's log and status field. Subsystems talk to the main
// window only through this interface, so each can be built and tested on its own.
#include "ui/core/busy_lock_rules.h"

#include <QString>

#include <string_view>

class QWidget;

namespace quorvane {

// Names a page of the main tab control. The subsystem that declares a page names it and
// gives its title and place; the names below are those the program switches to. A new page
// may take a name of its own (any text no other page uses).
struct MainPage {
  std::string_view name;
  constexpr bool operator==(const MainPage &) const = default;

  static const MainPage Connection, Parameters, ColorGroups, TeachTable, Recorder, Calibration,
      RowColours, Scope, Offset;
};
inline constexpr MainPage MainPage::Connection{"connection"};
inline constexpr MainPage MainPage::Parameters{"parameters"};
inline constexpr MainPage MainPage::ColorGroups{"color groups"};
inline constexpr MainPage MainPage::TeachTable{"teach table"};
inline constexpr MainPage MainPage::Recorder{"recorder"};
inline constexpr MainPage MainPage::Calibration{"calibration"};
inline constexpr MainPage MainPage::RowColours{"row colours"};
inline constexpr MainPage MainPage::Scope{"scope"};
inline constexpr MainPage MainPage::Offset{"offset"};

// Names a child panel: the panels that share one place beside the tabs, one shown at a time.
struct ChildPanel {
  std::string_view name;
  constexpr bool operator==(const ChildPanel &) const = default;

  static const ChildPanel Measurement, Graph, MeanTeach, RecordedTeach, ScopeDisplay;
};
inline constexpr ChildPanel ChildPanel::Measurement{"measurement"};
inline constexpr ChildPanel ChildPanel::Graph{"graph"};
inline constexpr ChildPanel ChildPanel::MeanTeach{"mean teach"};
inline constexpr ChildPanel ChildPanel::RecordedTeach{"recorded teach"};
inline constexpr ChildPanel ChildPanel::ScopeDisplay{"scope display"};

// A page a subsystem puts into the main tab control.
struct PageDeclaration {
  MainPage id;
  QString title;       // tab text and accessible name
  int place = 0;       // the tabs are in the order of their places
  QWidget *widget;     // the window takes it
  bool hidden = false; // until the program shows it
};

// A child panel a subsystem puts beside the tabs.
struct ChildPanelDeclaration {
  ChildPanel id;
  QString name;    // accessible name of its place
  QWidget *widget; // the window takes it
};

class Shell {
public:
  virtual ~Shell() = default;
  // The busy lock: dims the action controls (SEND/GET/memory selection only when
  // keepMainButtons is false) and draws the change at once.
  virtual void setBusy(bool keepMainButtons, bool dimmed) = 0;
  // A control that setBusy dims and undims according to its group.
  virtual void addBusyControl(QWidget *control, BusyGroup group) = 0;
  virtual void showChildPanel(ChildPanel panel) = 0;
  virtual ChildPanel currentChildPanel() const = 0;
  virtual void showPage(MainPage page) = 0;
  virtual MainPage currentPage() const = 0;
  // Connection page log (text is appended as it stands).
  virtual void appendConnectionLog(const QString &text) = 0;
  // Connection status field of the measurement panel.
  virtual void setConnectionStatus(const QString &text) = 0;
};

} // namespace quorvane
