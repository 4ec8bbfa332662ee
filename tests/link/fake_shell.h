#pragma once
// A main window stand-in that records what the link and the connection show.
#include "app/shell.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace quorvane::testing {

class FakeShell : public Shell {
public:
  void SetButtonsDimmed(bool keepMainButtons, bool dimmed) override {
    dimCalls.emplace_back(keepMainButtons, dimmed);
  }
  void ShowChildPanelDisp(ChildPanel panel) override { child = panel; }
  ChildPanel currentChildPanel() const override { return child; }
  void showPage(MainPage p) override { page = p; }
  MainPage currentPage() const override { return page; }
  void appendConnectionLog(const QString &text) override { log += text; }
  void setConnectionStatus(const QString &text) override { status = text; }

  std::vector<std::pair<bool, bool>> dimCalls;
  ChildPanel child = ChildPanel::Measurement;
  MainPage page = MainPage::Parameters;
  QString log;
  QString status;
};

} // namespace quorvane::testing
