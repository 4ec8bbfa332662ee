#pragma once
// The password panel of the service functions: a masked field (at most 20 characters,
// each shown as "*"). The right password unlocks the offset compensation page.
#include <QWidget>

class QLineEdit;

namespace quorvane {

class Dialogs;

class PasswordPanel : public QWidget {
  Q_OBJECT
public:
  explicit PasswordPanel(Dialogs &dialogs, QWidget *parent = nullptr);

  // Clears the field and shows the panel as a modal popup.
  void open();
  // The field was committed: the right password unlocks and closes the panel, a wrong one
  // is reported and cleared.
  void passwordEntered();

  QLineEdit *field() const { return field_; }

Q_SIGNALS:
  void unlocked();

protected:
  void keyPressEvent(QKeyEvent *event) override;

private:
  Dialogs &dialogs_;
  QLineEdit *field_ = nullptr;
};

} // namespace quorvane
