#pragma once
// A window that is not there: the loops under measurement run without drawing a main panel.
#include "ui/shell.h"

namespace quorvane::bench {

class BenchShell : public Shell {
public:
  explicit BenchShell(MainPage page) : page_(page) {}
  void setBusy(bool, bool) override {}
  void addBusyControl(QWidget *, BusyGroup) override {}
  void showChildPanel(ChildPanel) override {}
  ChildPanel currentChildPanel() const override { return ChildPanel::Measurement; }
  void showPage(MainPage) override {}
  MainPage currentPage() const override { return page_; }
  void appendConnectionLog(const QString &) override {}
  void setConnectionStatus(const QString &) override {}

private:
  MainPage page_;
};

} // namespace quorvane::bench
