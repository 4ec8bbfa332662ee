#include "service/password_panel.h"

#include "service/core/service_orders.h"
#include "service/core/service_texts.h"
#include "service/service_help.h"
#include "ui/dialogs.h"
#include "ui/help.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QVBoxLayout>

namespace quorvane {
namespace {

// The field shows "*" for every character, whatever the platform's mask character is.
class StarMaskStyle : public QProxyStyle {
public:
  int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                QStyleHintReturn *returnData) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return '*';
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

QString qs(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

PasswordPanel::PasswordPanel(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs) {
  setWindowTitle(QStringLiteral("PASSWORD"));
  setAccessibleName(QStringLiteral("PASSWORD"));
  setWindowModality(Qt::ApplicationModal);
  auto *column = new QVBoxLayout(this);
  column->addWidget(new QLabel(QStringLiteral("PASSWORD"), this));
  field_ = new QLineEdit(this);
  field_->setAccessibleName(QStringLiteral("PASSWORD"));
  field_->setMaxLength(static_cast<int>(kPasswordMaxLength));
  auto *style = new StarMaskStyle;
  style->setParent(field_);
  field_->setStyle(style);
  field_->setEchoMode(QLineEdit::Password);
  field_->setMinimumWidth(200);
  column->addWidget(field_);
  installHelp(field_, service_help::kPassword, dialogs_);
  connect(field_, &QLineEdit::returnPressed, this, &PasswordPanel::passwordEntered);
}

void PasswordPanel::open() {
  field_->clear();
  show();
  raise();
  activateWindow();
  field_->setFocus();
}

void PasswordPanel::passwordEntered() {
  if (!passwordMatches(field_->text().toStdString())) {
    dialogs_.message(qs(servicetext::kWrongPassword.title), qs(servicetext::kWrongPassword.text));
    field_->clear();
    return;
  }
  field_->clear();
  close();
  Q_EMIT unlocked();
}

void PasswordPanel::keyPressEvent(QKeyEvent *event) {
  // Escape closes the popup and changes nothing.
  if (event->key() == Qt::Key_Escape) {
    field_->clear();
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

} // namespace quorvane
