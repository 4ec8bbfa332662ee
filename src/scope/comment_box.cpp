#include "scope/comment_box.h"

#include "ui/dialogs.h"
#include "ui/help.h"

#include <QApplication>
#include <QMouseEvent>

namespace quorvane {

CommentBox::CommentBox(const QString &name, const QString &help, Dialogs &dialogs, QWidget *parent)
    : QPlainTextEdit(parent), help_(help), dialogs_(dialogs) {
  setAccessibleName(name);
  setObjectName(QStringLiteral("CBF_EditScopeComment"));
  setTabChangesFocus(true);
  installHelp(this, help_, dialogs_);
  // Installed after the help filter, so it sees the right clicks first.
  installEventFilter(this);
  viewport()->installEventFilter(this);
  helpDelay_.setSingleShot(true);
  helpDelay_.setInterval(QApplication::doubleClickInterval());
  connect(&helpDelay_, &QTimer::timeout, this, [this] { dialogs_.message(kHelpTitle, help_); });
  connect(this, &QPlainTextEdit::textChanged, this, &CommentBox::limitLength);
}

void CommentBox::CBF_EditScopeComment() {
  helpDelay_.stop();
  clear();
}

void CommentBox::limitLength() {
  const QString text = toPlainText();
  if (text.size() <= kMaxLength) return;
  setPlainText(text.left(kMaxLength));
  moveCursor(QTextCursor::End);
}

bool CommentBox::eventFilter(QObject *watched, QEvent *event) {
  if (watched != this && watched != viewport()) return QPlainTextEdit::eventFilter(watched, event);
  switch (event->type()) {
  case QEvent::ContextMenu:
    helpDelay_.start();
    return true;
  case QEvent::MouseButtonDblClick:
    if (static_cast<QMouseEvent *>(event)->button() != Qt::RightButton) return false;
    CBF_EditScopeComment();
    return true;
  default:
    return false;
  }
}

} // namespace quorvane
