#pragma once
// A tab widget with its tabs stacked down the left side and their titles written
// horizontally: nine page titles fit in the height of the window and stay readable,
// where a row of tabs above a narrow page area would hide most of them.
#include <QTabBar>
#include <QTabWidget>

namespace quorvane {

class SideTabBar : public QTabBar {
  Q_OBJECT
public:
  using QTabBar::QTabBar;

protected:
  QSize tabSizeHint(int index) const override;
  void paintEvent(QPaintEvent *event) override;
};

class SideTabWidget : public QTabWidget {
  Q_OBJECT
public:
  explicit SideTabWidget(QWidget *parent = nullptr);
};

} // namespace quorvane
