#include "app/side_tab_widget.h"

#include <QStyleOptionTab>
#include <QStylePainter>

namespace quorvane {

QSize SideTabBar::tabSizeHint(int index) const {
  // The style sizes a side tab for rotated text; the title is drawn upright instead.
  QSize size = QTabBar::tabSizeHint(index);
  size.transpose();
  return size.expandedTo(QSize(0, 30));
}

void SideTabBar::paintEvent(QPaintEvent *) {
  QStylePainter painter(this);
  QStyleOptionTab option;
  for (int i = 0; i < count(); ++i) {
    if (!isTabVisible(i)) continue;
    initStyleOption(&option, i);
    painter.drawControl(QStyle::CE_TabBarTabShape, option);
    // The label is drawn as the style would draw a rotated one, turned back upright.
    painter.save();
    QSize upright = option.rect.size();
    upright.transpose();
    QRect labelRect(QPoint(), upright);
    labelRect.moveCenter(option.rect.center());
    option.rect = labelRect;
    const QPointF centre = QRectF(tabRect(i)).center();
    painter.translate(centre);
    painter.rotate(90);
    painter.translate(-centre);
    painter.drawControl(QStyle::CE_TabBarTabLabel, option);
    painter.restore();
  }
}

SideTabWidget::SideTabWidget(QWidget *parent) : QTabWidget(parent) {
  setTabBar(new SideTabBar(this));
  setTabPosition(QTabWidget::West);
}

} // namespace quorvane
