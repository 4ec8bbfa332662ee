#include "app/logo_band.h"

#include <QPainter>

namespace quorvane {

LogoBand::LogoBand(QWidget *parent) : QWidget(parent) {
  setFixedHeight(kHeight);
  setAccessibleName(QStringLiteral("TITLE"));
}

void LogoBand::setBandColour(const QColor &colour) {
  colour_ = colour;
  update();
}

void LogoBand::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.fillRect(rect(), colour_);
}

} // namespace quorvane
