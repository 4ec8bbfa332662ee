#include "scope/comment_box.h"

#include "ini/utf8_cut.h"
#include "ui/dialogs.h"
#include "ui/help.h"

#include <QApplication>
#include <QMouseEvent>

#include <string_view>

namespace quorvane {

CommentBox::CommentBox(const QString &name, const QString &help, Dialogs &dialogs, QWidget *parent)
    : QPlainTextEdit(parent), help_(help), dialogs_(dialogs) {
  setAccessibleName(name);
  setObjectName(QStringLiteral("scopeComment"));
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

void CommentBox::commentRightDoubleClicked() {
  helpDelay_.stop();
  clear();
}

void CommentBox::limitLength() {
  const QString text = toPlainText();
  if (text.size() <= kMaxLength) return; // fewer UTF-16 units than that: fewer characters too
  // Counted in characters, so a character outside the basic plane is never cut in half.
  const QByteArray utf8 = text.toUtf8();
  const std::string_view kept = utf8CharPrefix(
      std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), kMaxLength);
  if (kept.size() == static_cast<std::size_t>(utf8.size())) return;
  setPlainText(QString::fromUtf8(kept.data(), static_cast<qsizetype>(kept.size())));
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
    commentRightDoubleClicked();
    return true;
  default:
    return false;
  }
}

} // namespace quorvane
