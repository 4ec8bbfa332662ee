#pragma once
// The comment field of the scope page: a right double click clears it. Its right-click
// help waits out the double-click interval, so a double click does not also pop it up.
#include <QPlainTextEdit>
#include <QTimer>

namespace quorvane {

class Dialogs;

class CommentBox : public QPlainTextEdit {
  Q_OBJECT
public:
  static constexpr int kMaxLength = 1023; // characters

  CommentBox(const QString &name, const QString &help, Dialogs &dialogs, QWidget *parent = nullptr);

  // The right double click: the comment is cleared.
  void commentRightDoubleClicked();

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void limitLength();

  QString help_;
  Dialogs &dialogs_;
  QTimer helpDelay_;
};

} // namespace quorvane
