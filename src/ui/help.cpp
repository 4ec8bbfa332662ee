#include "ui/help.h"

#include "ui/dialogs.h"

#include <QAbstractScrollArea>
#include <QContextMenuEvent>
#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QWidget>

namespace quorvane {
namespace {

class HelpFilter : public QObject {
public:
  HelpFilter(QWidget *control, QString text, Dialogs &dialogs, QString title)
      : QObject(control), text_(std::move(text)), title_(std::move(title)), dialogs_(dialogs) {}

protected:
  bool eventFilter(QObject *, QEvent *event) override {
    switch (event->type()) {
    case QEvent::ContextMenu:
      dialogs_.message(title_, text_);
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
      // A right click must not also change the control's value.
      return static_cast<QMouseEvent *>(event)->button() == Qt::RightButton;
    default:
      return false;
    }
  }

private:
  QString text_;
  QString title_;
  Dialogs &dialogs_;
};

} // namespace

void installHelp(QWidget *control, const QString &text, Dialogs &dialogs, const QString &title) {
  if (!control) return;
  control->setContextMenuPolicy(Qt::DefaultContextMenu);
  control->setAccessibleDescription(text);
  auto *filter = new HelpFilter(control, text, dialogs, title);
  control->installEventFilter(filter);
  // Scroll areas (tables, text boxes) receive mouse events on their viewport.
  if (auto *area = qobject_cast<QAbstractScrollArea *>(control))
    area->viewport()->installEventFilter(filter);
}

void installHelp(std::initializer_list<HelpText> table, Dialogs &dialogs, const QString &title) {
  for (const HelpText &h : table)
    installHelp(h.control, h.text, dialogs, title);
}

} // namespace quorvane
