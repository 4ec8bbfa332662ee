#pragma once
// A main window stand-in for subsystem tests: records what is dimmed, shown and logged.
#include "ui/shell.h"

#include <QString>

#include <utility>
#include <vector>

namespace quorvane::testing {

class FakeShell : public Shell {
public:
  std::vector<std::pair<bool, bool>> dims; // (keepMainButtons, dimmed) in call order
  std::vector<MainPage> pagesShown;
  std::vector<ChildPanel> childrenShown;
  std::vector<std::pair<QWidget *, BusyGroup>> busyControls;
  ChildPanel child = ChildPanel::Measurement;
  MainPage page = MainPage::Parameters;
  QString log;
  QString status;

  void setBusy(bool keepMainButtons, bool dimmed) override {
    dims.emplace_back(keepMainButtons, dimmed);
  }
  void addBusyControl(QWidget *control, BusyGroup group) override {
    busyControls.emplace_back(control, group);
  }
  void showChildPanel(ChildPanel panel) override {
    childrenShown.push_back(panel);
    child = panel;
  }
  ChildPanel currentChildPanel() const override { return child; }
  void showPage(MainPage p) override {
    pagesShown.push_back(p);
    page = p;
  }
  MainPage currentPage() const override { return page; }
  void appendConnectionLog(const QString &text) override { log += text; }
  void setConnectionStatus(const QString &text) override { status = text; }
};

} // namespace quorvane::testing
