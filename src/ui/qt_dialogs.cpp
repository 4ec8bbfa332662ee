#include "ui/dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace quorvane {

namespace {

// Texts are shown as they stand: a file name or a sensor text that looks like markup must
// not be rendered as HTML.
void showPlain(QMessageBox &box) {
  box.setTextFormat(Qt::PlainText);
}

} // namespace

void QtDialogs::message(const QString &title, const QString &text) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent_);
  showPlain(box);
  box.exec();
}

bool QtDialogs::confirm(const QString &title, const QString &text) {
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent_);
  showPlain(box);
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

int QtDialogs::choice(const QString &title, const QString &text, const QStringList &buttons,
                      int escapeIndex) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent_);
  showPlain(box);
  QList<QPushButton *> added;
  for (const QString &caption : buttons) {
    QPushButton *b = box.addButton(caption, QMessageBox::ActionRole);
    b->setAccessibleName(caption);
    added.append(b);
  }
  if (escapeIndex >= 0 && escapeIndex < added.size()) box.setEscapeButton(added.at(escapeIndex));
  box.exec();
  const int index =
      static_cast<int>(added.indexOf(qobject_cast<QPushButton *>(box.clickedButton())));
  return index < 0 ? escapeIndex : index;
}

std::optional<QString> QtDialogs::prompt(const QString &title, const QString &text, int maxLength) {
  QInputDialog dialog(parent_);
  dialog.setWindowTitle(title);
  dialog.setLabelText(text);
  dialog.setInputMode(QInputDialog::TextInput);
  if (auto *edit = dialog.findChild<QLineEdit *>()) edit->setMaxLength(maxLength);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue().left(maxLength);
}

FileSelection QtDialogs::selectFile(const QString &directory, const QString &defaultName,
                                    const QString &filter, const QString &title,
                                    FileDialogMode mode) {
  const QString start = QDir(directory).filePath(defaultName);
  const QString nameFilter = QStringLiteral("%1 (%1);;All files (*)").arg(filter);
  const QFileDialog::Options options = mode == FileDialogMode::SaveCallerConfirms
                                           ? QFileDialog::DontConfirmOverwrite
                                           : QFileDialog::Options();
  QString path =
      mode == FileDialogMode::Open
          ? QFileDialog::getOpenFileName(parent_, title, start, nameFilter, nullptr, options)
          : QFileDialog::getSaveFileName(parent_, title, start, nameFilter, nullptr, options);
  FileSelection s;
  if (path.isEmpty()) return s;
  s.path = path;
  s.result = QFileInfo::exists(path) ? FileSelectResult::ExistingFile : FileSelectResult::NewFile;
  return s;
}

bool QtDialogs::selectPrinter(QPrinter &printer) {
  QPrintDialog dialog(&printer, parent_);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<QColor> QtDialogs::selectColour(const QColor &initial, const QString &title) {
  const QColor chosen = QColorDialog::getColor(initial, parent_, title);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}

} // namespace quorvane
