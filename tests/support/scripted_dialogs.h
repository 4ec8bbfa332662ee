#pragma once
// Popups for tests: every popup is recorded (title and text, byte for byte) and answered
// from a queue; a question nobody scripted fails the test. A message has only OK, so it
// needs no answer: tests check the recorded popups for it, and expectMessage() keeps a
// message's place in the queue between two scripted answers.
#include "ui/dialogs.h"

#include <QPrinter>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <variant>
#include <vector>

namespace quorvane::testing {

struct Popup {
  QString kind; // "message", "confirm", "choice", "prompt", "file", "printer"
  QString title;
  QString text;
};

class ScriptedDialogs : public Dialogs {
public:
  using Answer = std::variant<std::monostate, bool, int, std::optional<QString>, FileSelection,
                              std::optional<QColor>>;

  void expectMessage() { answers_.push_back(std::monostate{}); }
  void answerConfirm(bool yes) { answers_.push_back(yes); }
  void answerChoice(int index) { answers_.push_back(index); }
  void answerPrompt(std::optional<QString> reply) { answers_.push_back(std::move(reply)); }
  void answerFile(FileSelectResult r, const QString &path) {
    answers_.push_back(FileSelection{r, path});
  }
  void answerPrinter(bool ok) { answers_.push_back(ok); }
  void answerColour(std::optional<QColor> colour) { answers_.push_back(colour); }
  // The operator picks "print to file" with this PDF path.
  void answerPrinterPdf(const QString &path) {
    pdfPath_ = path;
    answers_.push_back(true);
  }

  const std::vector<Popup> &popups() const { return popups_; }
  // The mode and the start directory of each file dialog, in order.
  QList<FileDialogMode> fileModes;
  QStringList fileDirectories;
  void clear() { popups_.clear(); }
  bool allAnswersUsed() const { return answers_.empty(); }
  std::size_t pendingAnswers() const { return answers_.size(); }

  void message(const QString &title, const QString &text) override {
    popups_.push_back({"message", title, text});
    if (!answers_.empty() && std::holds_alternative<std::monostate>(answers_.front()))
      answers_.pop_front();
  }
  // Runs while a confirmation is shown (what the window shows behind it).
  std::function<void()> whileConfirmShown;
  bool confirm(const QString &title, const QString &text) override {
    popups_.push_back({"confirm", title, text});
    if (whileConfirmShown) whileConfirmShown();
    return take<bool>(false);
  }
  int choice(const QString &title, const QString &text, const QStringList &, int) override {
    popups_.push_back({"choice", title, text});
    return take<int>(0);
  }
  std::optional<QString> prompt(const QString &title, const QString &text, int) override {
    popups_.push_back({"prompt", title, text});
    return take<std::optional<QString>>(std::nullopt);
  }
  FileSelection selectFile(const QString &directory, const QString &, const QString &,
                           const QString &title, FileDialogMode mode) override {
    popups_.push_back({"file", title, QString()});
    fileDirectories << directory;
    fileModes << mode;
    return take<FileSelection>(FileSelection{});
  }
  bool selectPrinter(QPrinter &printer) override {
    popups_.push_back({"printer", QString(), QString()});
    const bool ok = take<bool>(false);
    if (ok && !pdfPath_.isEmpty()) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdfPath_);
      pdfPath_.clear();
    }
    return ok;
  }
  std::optional<QColor> selectColour(const QColor &, const QString &title) override {
    popups_.push_back({"colour", title, QString()});
    return take<std::optional<QColor>>(std::nullopt);
  }

private:
  template <typename T> T take(T fallback) {
    if (answers_.empty() || !std::holds_alternative<T>(answers_.front())) {
      ADD_FAILURE() << "unexpected popup: " << popups_.back().kind.toStdString() << " \""
                    << popups_.back().title.toStdString() << "\" "
                    << popups_.back().text.toStdString();
      return fallback;
    }
    T value = std::get<T>(answers_.front());
    answers_.pop_front();
    return value;
  }

  std::deque<Answer> answers_;
  QString pdfPath_;
  std::vector<Popup> popups_;
};

} // namespace quorvane::testing
