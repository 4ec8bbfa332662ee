#include "live/big_display_panel.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace quorvane {

BigDisplayPanel::BigDisplayPanel(Kind kind, QWidget *parent)
    : QWidget(parent, Qt::Window), kind_(kind) {
  const bool colour = kind == Kind::ColourNumber;
  setWindowTitle(colour ? QStringLiteral("COLOR ROW") : QStringLiteral("GROUP"));
  setAccessibleName(windowTitle());
  setObjectName(colour ? QStringLiteral("COLBIGP") : QStringLiteral("GRPBIGP"));
  // An open read-out must not keep the program alive once the main window is closed.
  setAttribute(Qt::WA_QuitOnClose, false);

  identification_ = new QLabel(this);
  identification_->setAccessibleName(QStringLiteral("PANEL ID"));
  identification_->setAlignment(Qt::AlignCenter);
  QFont idFont = identification_->font();
  idFont.setPointSize(14);
  identification_->setFont(idFont);

  caption_ = new QLabel(colour ? QStringLiteral("C-No:") : QStringLiteral("GROUP:"), this);
  caption_->setAlignment(Qt::AlignCenter);
  QFont captionFont = caption_->font();
  captionFont.setPointSize(18);
  captionFont.setBold(true);
  caption_->setFont(captionFont);

  value_ = new QLabel(QStringLiteral("0"), this);
  value_->setAccessibleName(caption_->text());
  value_->setAlignment(Qt::AlignCenter);
  value_->setFrameShape(QFrame::Panel);
  value_->setFrameShadow(QFrame::Sunken);
  value_->setAutoFillBackground(true);
  QPalette p = value_->palette();
  p.setColor(QPalette::Window, Qt::white);
  value_->setPalette(p);
  QFont valueFont = value_->font();
  valueFont.setPointSize(96);
  valueFont.setBold(true);
  value_->setFont(valueFont);
  value_->setMinimumWidth(value_->fontMetrics().horizontalAdvance(QStringLiteral("0000")));

  auto *layout = new QVBoxLayout(this);
  layout->addWidget(identification_);
  layout->addWidget(caption_);
  layout->addWidget(value_, 1);
  resize(360, 300);
}

void BigDisplayPanel::setIdentification(const QString &text) {
  identification_->setText(text);
}

QString BigDisplayPanel::identification() const {
  return identification_->text();
}

void BigDisplayPanel::showValue(std::string_view text) {
  const QString t = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  if (value_->text() != t) value_->setText(t);
}

QString BigDisplayPanel::valueText() const {
  return value_->text();
}

void BigDisplayPanel::panelEvent(QEvent *event) {
  switch (event->type()) {
  case QEvent::MouseButtonPress:
    if (static_cast<QMouseEvent *>(event)->button() != Qt::RightButton) return;
    break;
  case QEvent::ContextMenu:
  case QEvent::Close:
    break;
  default:
    return;
  }
  event->accept();
  hide();
}

void BigDisplayPanel::mousePressEvent(QMouseEvent *event) {
  panelEvent(event);
}

void BigDisplayPanel::contextMenuEvent(QContextMenuEvent *event) {
  panelEvent(event);
}

void BigDisplayPanel::closeEvent(QCloseEvent *event) {
  panelEvent(event);
}

} // namespace quorvane
