#pragma once
// Every popup of the tool goes through this interface so that tests can script them.
#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;
class QWidget;

namespace quorvane {

// Save lets the dialog ask before a chosen file is replaced; SaveCallerConfirms leaves that
// question to the caller, which asks its own, so the operator is asked once.
enum class FileDialogMode { Open, Save, SaveCallerConfirms };

// Result of a file selection: 0 cancelled, 1 an existing file, 2 a new file.
enum class FileSelectResult { Cancelled = 0, ExistingFile = 1, NewFile = 2 };

struct FileSelection {
  FileSelectResult result = FileSelectResult::Cancelled;
  QString path;
};

class Dialogs {
public:
  virtual ~Dialogs() = default;
  // A modal message with one OK button.
  virtual void message(const QString &title, const QString &text) = 0;
  // Yes/No; true for Yes. Escape and the close box answer No.
  virtual bool confirm(const QString &title, const QString &text) = 0;
  // Buttons in order; returns the index of the one pressed. Escape and the close box give
  // `escapeIndex`: the choice that ends nothing and changes nothing.
  virtual int choice(const QString &title, const QString &text, const QStringList &buttons,
                     int escapeIndex) = 0;
  // Typed reply of at most maxLength characters; nullopt when cancelled.
  virtual std::optional<QString> prompt(const QString &title, const QString &text,
                                        int maxLength) = 0;
  virtual FileSelection selectFile(const QString &directory, const QString &defaultName,
                                   const QString &filter, const QString &title,
                                   FileDialogMode mode) = 0;
  // Lets the operator pick a printer (or PDF file) into `printer`; false when cancelled.
  virtual bool selectPrinter(QPrinter &printer) = 0;
  // A colour chosen from a colour picker that starts at `initial`; nullopt when cancelled.
  virtual std::optional<QColor> selectColour(const QColor &initial, const QString &title) = 0;
};

// The real popups, parented to `parent` (may be null).
class QtDialogs : public Dialogs {
public:
  explicit QtDialogs(QWidget *parent = nullptr) : parent_(parent) {}
  void setParent(QWidget *parent) { parent_ = parent; }

  void message(const QString &title, const QString &text) override;
  bool confirm(const QString &title, const QString &text) override;
  int choice(const QString &title, const QString &text, const QStringList &buttons,
             int escapeIndex) override;
  std::optional<QString> prompt(const QString &title, const QString &text, int maxLength) override;
  FileSelection selectFile(const QString &directory, const QString &defaultName,
                           const QString &filter, const QString &title,
                           FileDialogMode mode) override;
  bool selectPrinter(QPrinter &printer) override;
  std::optional<QColor> selectColour(const QColor &initial, const QString &title) override;

private:
  QWidget *parent_;
};

} // namespace quorvane
