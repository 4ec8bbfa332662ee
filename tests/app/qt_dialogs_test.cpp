// The real popups: texts exactly as given, buttons in order; Escape and the close box give the
// answer that changes nothing.
#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace quorvane {
namespace {

struct Seen {
  QString title;
  QString text;
  Qt::TextFormat format = Qt::AutoText;
  QStringList buttons;
};

// Runs `open`, and once its message box is up records it and lets `act` close it.
Seen whileOpen(const std::function<void()> &open, const std::function<void(QMessageBox &)> &act) {
  Seen seen;
  QTimer::singleShot(0, [&] {
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.format = box->textFormat();
    for (QAbstractButton *b : box->buttons())
      seen.buttons << b->text();
    act(*box);
  });
  open();
  return seen;
}

TEST(QtDialogs, TextsLookingLikeMarkupAreShownAsTheyStand) {
  QtDialogs dialogs;
  const QString text = QStringLiteral("<b>Parameter.ini</b> \n&lt;x&gt;");
  const Seen message =
      whileOpen([&] { dialogs.message("INFO!", text); }, [](QMessageBox &box) { box.accept(); });
  EXPECT_EQ(message.title, "INFO!");
  EXPECT_EQ(message.text, text);
  EXPECT_EQ(message.format, Qt::PlainText);

  bool yes = true;
  const Seen confirm = whileOpen([&] { yes = dialogs.confirm("ATTENTION!", text); },
                                 [](QMessageBox &box) { box.reject(); });
  EXPECT_EQ(confirm.format, Qt::PlainText);
  EXPECT_FALSE(yes);
}

TEST(QtDialogs, ChoiceKeepsButtonOrderAndEscapeGivesTheHarmlessAnswer) {
  QtDialogs dialogs;
  const QStringList buttons = {QStringLiteral("CLOSE"), QStringLiteral("OFFLINE")};
  struct Case {
    int click; // -1: closed by its close box, -2: Escape
    int result;
  };
  for (const Case c : {Case{0, 0}, Case{1, 1}, Case{-1, 1}, Case{-2, 1}}) {
    int result = -3;
    const Seen seen = whileOpen(
        [&] {
          result = dialogs.choice("ATTENTION!", "Could not establish connection!", buttons, 1);
        },
        [&](QMessageBox &box) {
          if (c.click == -1)
            box.close();
          else if (c.click == -2)
            QTest::keyClick(&box, Qt::Key_Escape);
          else
            box.buttons().at(c.click)->click();
        });
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.buttons, buttons);
    EXPECT_EQ(result, c.result) << c.click;
  }
}

// The save dialog asks before replacing a file unless the caller asks its own question.
TEST(QtDialogs, ReplaceQuestionOnlyWhereTheCallerDoesNotAskItself) {
  QtDialogs dialogs;
  for (const auto &[mode, asks] : {std::pair{FileDialogMode::Save, true},
                                   std::pair{FileDialogMode::SaveCallerConfirms, false}}) {
    QTimer::singleShot(0, [asks = asks] {
      auto *files = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
      ASSERT_NE(files, nullptr);
      EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptSave);
      EXPECT_EQ(files->testOption(QFileDialog::DontConfirmOverwrite), !asks);
      files->close();
    });
    EXPECT_EQ(dialogs.selectFile(QString(), "RecordFile.dat", "*.dat", "FILENAME!", mode).result,
              FileSelectResult::Cancelled);
  }
}

} // namespace
} // namespace quorvane
