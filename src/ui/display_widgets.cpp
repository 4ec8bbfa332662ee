#include "ui/display_widgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace quorvane {

NumberDisplay::NumberDisplay(const QString &name, QWidget *parent) : QLabel(parent) {
  setAccessibleName(name);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  p.setColor(QPalette::WindowText, Qt::black);
  setPalette(p);
  // A fixed size keeps a new number from re-running the layout of the whole panel (and
  // resizing, so redrawing, the graphs beside it) on every frame.
  setFixedSize(fontMetrics().horizontalAdvance(QStringLiteral("-00000")) + 10,
               fontMetrics().height() + 6);
  setText(QStringLiteral("0"));
}

void NumberDisplay::showText(std::string_view text) {
  // Most frames repeat most numbers; compare before building a QString.
  const QString current = this->text();
  if (current.size() == static_cast<qsizetype>(text.size())) {
    bool same = true;
    for (qsizetype i = 0; i < current.size() && same; ++i)
      same = current[i] == QLatin1Char(text[static_cast<std::size_t>(i)]);
    if (same) return;
  }
  setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void NumberDisplay::showText(const QString &text) {
  if (this->text() != text) setText(text);
}

void NumberDisplay::setTextColour(QColor colour) {
  if (colour == textColour_) return;
  textColour_ = colour;
  QPalette p = palette();
  p.setColor(QPalette::WindowText, colour);
  setPalette(p);
}

void NumberDisplay::mouseDoubleClickEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton) Q_EMIT doubleClicked();
  QLabel::mouseDoubleClickEvent(event);
}

LedIndicator::LedIndicator(const QString &name, QColor onColour, QWidget *parent)
    : QWidget(parent), onColour_(onColour) {
  setAccessibleName(name);
  setFixedSize(sizeHint());
}

void LedIndicator::setOn(bool on) {
  if (on == on_) return;
  on_ = on;
  update();
}

void LedIndicator::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::darkGray, 1.0));
  p.setBrush(colour());
  p.drawEllipse(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}

ColourBox::ColourBox(const QString &name, QWidget *parent) : QFrame(parent) {
  setAccessibleName(name);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setMinimumSize(40, 24);
}

void ColourBox::setColour(QColor colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
}

void ColourBox::paintEvent(QPaintEvent *event) {
  {
    QPainter p(this);
    p.fillRect(contentsRect(), colour_);
  }
  QFrame::paintEvent(event);
}

} // namespace quorvane
