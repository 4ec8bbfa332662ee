// The RECORDER page through the main window against the simulated sensor: the record file
// read back field by field against the frames the sensor sent, every record mode, the
// file selection, and recordings ended by STOP, a mode change, a page switch, the window
// closing or a lost link.
#include "app_fixture.h"
#include "link_loss.h"

#include "recorder/core/record_modes.h"
#include "recorder/recorder_subsystem.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

namespace quorvane::testing {
namespace {

constexpr int kMeasure = 8;
constexpr int kAutoSend = 30;
const QString kRightName =
    QStringLiteral("Are you sure, that you have selected the right file name?");
const QString kNotOpen = QStringLiteral(
    " Make sure, that the file is not opened by any other program. \n Otherwise it can not be "
    "saved.");

struct RecorderTest : AppFixture {
  RecorderPage &page() { return app->recorder().page(); }
  RecorderController &recorder() { return app->recorder().controller(); }
  QString shown(const char *name) { return page().display(name)->text(); }
  QString file() { return dir.filePath(QStringLiteral("rec.dat")); }

  void chooseMode(int mode) {
    page().setMode(mode);
    Q_EMIT page().modeSelector()->activated(mode);
  }
  void selectNewFile() {
    dialogs.answerFile(FileSelectResult::NewFile, file());
    page().selectFileButton()->click();
  }
  // Presses a START and waits until the recording has ended; one still running after 20 s
  // is stopped and reported.
  void start(QPushButton *button) {
    dialogs.answerConfirm(true);
    button->click();
    if (!QTest::qWaitFor([this] { return app->idle(); }, 20000)) {
      ADD_FAILURE() << "the recording did not end";
      page().stopButton()->click();
      settle();
    }
  }
  // The stop order of a triggered recording can end the recording with a frame that was on
  // its way for its reply; the sensor (in this process) takes the order a little later.
  void letTheSensorTakeTheStop() {
    settleUntil([this] { return !model().autoSendActive(); });
  }
  // The record lines after the header, split into their fields.
  std::vector<QStringList> lines() {
    QFile f(file());
    if (!f.open(QIODevice::ReadOnly)) return {};
    QList<QByteArray> all = f.readAll().split('\n');
    std::vector<QStringList> out;
    for (const QByteArray &l : all)
      if (QRegularExpression(QStringLiteral("^\\d\\d-\\d\\d-\\d{4}\t")).match(l).hasMatch()) {
        EXPECT_TRUE(l.endsWith('\r')) << "every line is ended by CR LF";
        out.push_back(QString::fromLatin1(l.chopped(1)).split('\t'));
      }
    return out;
  }
  // Every line holds the time and the 11 values of the frame sent at the same position.
  void expectLinesAreSentFrames(const std::vector<MeasuredValues> &sent) {
    const auto got = lines();
    ASSERT_LE(got.size(), sent.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      const MeasuredValues &m = sent[i];
      ASSERT_EQ(got[i].size(), 13) << "line " << i;
      EXPECT_TRUE(
          QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(got[i][1]).hasMatch());
      QStringList want;
      for (int v : {m.red, m.green, m.blue, m.x, m.y, m.intensity, m.deltaC, m.colorNumber, m.group,
                    m.trigger, m.temperature})
        want << QString::number(v);
      EXPECT_EQ(got[i].mid(2), want) << "line " << i;
    }
  }
  std::vector<MeasuredValues> sentFrames() { return model().sentMeasurements(); }
  bool popped(const QString &title, const QString &text) {
    for (const Popup &p : dialogs.popups())
      if (p.title == title && p.text.contains(text)) return true;
    return false;
  }
};

TEST_F(RecorderTest, TenFramesAtTooShortAnIntervalTakeTheMinimumAndWriteExactlyTenLines) {
  startConnected();
  selectNewFile();
  chooseMode(0);
  page().intervalEdit()->setValue(0.1);
  Q_EMIT page().intervalEdit()->editingFinished();
  page().framesEdit()->setValue(10);
  Q_EMIT page().framesEdit()->editingFinished();
  EXPECT_EQ(page().interval(), 0.25);
  EXPECT_EQ(QStringList({shown("recordTimeDays"), shown("recordTimeHours"),
                         shown("recordTimeMinutes"), shown("recordTimeSeconds")}),
            QStringList({"0", "0", "0", "2.5"}));

  start(page().startButton());

  EXPECT_EQ(countOrder(kMeasure), 10);
  ASSERT_EQ(lines().size(), 10u);
  expectLinesAreSentFrames(sentFrames());
  EXPECT_EQ(shown("recordedCount"), "10");
  EXPECT_EQ(shown("remainingCount"), "0");
  EXPECT_EQ(live().framesShown(), 10u) << "recorded frames are shown live";
  EXPECT_TRUE(popped("ATTENTION!", kRightName) && popped("ATTENTION!", kNotOpen));
  EXPECT_EQ(dialogs.popups().back().text, "File has been saved!");
  EXPECT_TRUE(page().startButton()->isEnabled());
}

TEST_F(RecorderTest, SteppedIntervalOrValuesShowTheNewEstimateAtOnce) {
  startOffline();
  window().show();
  window().showPage(MainPage::Recorder);
  QAbstractSpinBox *interval = page().intervalEdit();
  QAbstractSpinBox *frames = page().framesEdit();
  // The spin arrows sit at the right edge, up above down.
  const auto arrow = [](QAbstractSpinBox *box, bool up) {
    QTest::mouseClick(box, Qt::LeftButton, {},
                      QPoint(box->width() - 6, up ? box->height() / 4 : box->height() * 3 / 4));
  };
  struct Case {
    std::function<void()> step;
    std::string shown; // remaining, days, hours, minutes, seconds
  };
  const Case cases[] = {
      {[&] { QTest::keyClick(frames, Qt::Key_Up); }, "101 0 0 1 41"},
      {[&] { QTest::keyClick(interval, Qt::Key_Up); }, "101 0 0 2 6.25"},
      {[&] { arrow(frames, false); }, "100 0 0 2 5"},
      {[&] { arrow(interval, true); }, "100 0 0 2 30"},
      // Ten steps down end below the minimum interval, which is corrected.
      {[&] { QTest::keyClick(interval, Qt::Key_PageDown); }, "100 0 0 0 25"},
  };
  for (const Case &c : cases) {
    c.step();
    EXPECT_EQ(
        QStringList({shown("remainingCount"), shown("recordTimeDays"), shown("recordTimeHours"),
                     shown("recordTimeMinutes"), shown("recordTimeSeconds")})
            .join(' ')
            .toStdString(),
        c.shown);
  }
  EXPECT_EQ(page().interval(), 0.25);
}

TEST_F(RecorderTest, TriggeredRecordingWritesEveryFrameTheSensorSent) {
  sim::SimOptions options;
  options.triggerPeriodMs = 5;
  startConnected(options);
  selectNewFile();
  chooseMode(3);
  when([&] { return recorder().progress().frameCounter() >= 40; },
       [&] { page().stopButton()->click(); });

  start(page().startTriggeredButton());
  letTheSensorTakeTheStop();

  EXPECT_EQ(requests(), (std::vector<Request>{{kAutoSend, 1, 0}, {kAutoSend, 0, 0}}));
  EXPECT_FALSE(model().autoSendActive());
  EXPECT_EQ(lines().size(), static_cast<std::size_t>(recorder().progress().frameCounter()));
  EXPECT_GE(lines().size(), 40u);
  expectLinesAreSentFrames(sentFrames());
  EXPECT_EQ(shown("frameCounter"), QString::number(lines().size()));
  EXPECT_EQ(dialogs.popups().back().text, "File has been saved!");
  EXPECT_TRUE(app->link().linkOk());
}

TEST_F(RecorderTest, EachModeShowsItsControlsAndAModeChangeEndsTheRecording) {
  startConnected();
  selectNewFile();
  for (int mode : {0, 1, 2, 3}) {
    chooseMode(mode);
    const RecordControls c = recordControlsFor(mode);
    EXPECT_EQ(page().intervalEdit()->isVisibleTo(&page()), c.interval) << mode;
    EXPECT_EQ(page().framesEdit()->isVisibleTo(&page()), c.numberOfFrames) << mode;
    EXPECT_EQ(page().display("frameCounter")->isVisibleTo(&page()), c.frameCounter);
    EXPECT_EQ(page().startButton()->isVisibleTo(&page()), c.start) << mode;
    EXPECT_EQ(page().manualButton()->isVisibleTo(&page()), c.recordOneFrame) << mode;
    EXPECT_EQ(page().startTriggeredButton()->isVisibleTo(&page()), c.startTriggered) << mode;
  }
  chooseMode(1);
  when([&] { return lines().size() >= 2; }, [&] { chooseMode(2); });

  start(page().startButton());

  EXPECT_FALSE(app->link().acquisitionRunning());
  EXPECT_EQ(lines().size(), static_cast<std::size_t>(countOrder(kMeasure)));
  expectLinesAreSentFrames(sentFrames());
  EXPECT_EQ(shown("recordedCount"), "0");
  EXPECT_TRUE(page().manualButton()->isVisibleTo(&page()));
  EXPECT_EQ(dialogs.popups().back().text, "File has been saved!");
}

TEST_F(RecorderTest, RecordOneValueAppendsTheLastFrameAgainWithoutAsking) {
  startConnected();
  selectNewFile();
  chooseMode(2);
  page().manualButton()->click();
  EXPECT_TRUE(lines().empty()) << "nothing measured yet";
  EXPECT_TRUE(popped("ATTENTION!", "No value has been measured yet!"));
  when([&] { return live().framesShown() >= 3; }, [&] { window().stopButton()->click(); });
  pressGo();
  const int measured = countOrder(kMeasure);

  page().manualButton()->click();
  page().manualButton()->click();

  EXPECT_EQ(countOrder(kMeasure), measured) << "no exchange";
  expectLinesAreSentFrames({live().measuredValues(), live().measuredValues()});
  EXPECT_EQ(lines().size(), 2u);
  EXPECT_EQ(shown("recordedCount"), "2");
}

TEST_F(RecorderTest, LinesTheFileDoesNotTakeAreShownAndNotReportedAsSaved) {
  startConnected();
  recorder().setRecordFilePath(dir.path()); // a directory takes no line
  chooseMode(0);
  page().intervalEdit()->setValue(0.25);
  page().framesEdit()->setValue(3);

  start(page().startButton());

  EXPECT_EQ(live().framesShown(), 3u) << "the recording still runs and shows its frames";
  QLabel *warning = page().display("writeTrouble");
  EXPECT_TRUE(warning->isVisibleTo(&page()));
  EXPECT_TRUE(warning->text().contains("3 not written")) << warning->text().toStdString();
  EXPECT_TRUE(warning->text().contains("Is a directory"));
  EXPECT_EQ(dialogs.popups().back().title, "ATTENTION!");
  EXPECT_TRUE(dialogs.popups().back().text.contains("3 of 3 records could not be written"));
  EXPECT_FALSE(popped("INFO!", "File has been saved!"));
}

TEST_F(RecorderTest, ZeroFramesRecordUntilStop) {
  startConnected();
  selectNewFile();
  chooseMode(0);
  page().intervalEdit()->setValue(0.25);
  page().framesEdit()->setValue(0);
  when([&] { return countOrder(kMeasure) >= 4; }, [&] { page().stopButton()->click(); });

  start(page().startButton());

  EXPECT_GE(lines().size(), 4u);
  EXPECT_EQ(lines().size(), static_cast<std::size_t>(countOrder(kMeasure)));
  EXPECT_EQ(shown("recordedCount"), QString::number(lines().size()));
}

// The server goes away in the middle of a recording: every line written stays, whole.
TEST_F(RecorderTest, ALostLinkKeepsEveryLineWritten) {
  for (int mode : {1, 3}) {
    SCOPED_TRACE(mode);
    sim::SimOptions options;
    options.triggerPeriodMs = 5;
    startConnected(options);
    selectNewFile();
    chooseMode(mode);
    page().intervalEdit()->setValue(0.25);
    std::vector<MeasuredValues> sent;
    const quint16 port = sensor->serverPort();
    when([&] { return lines().size() >= 3; },
         [&] {
           sent = sentFrames();
           sensor.reset();
         });

    start(mode == 1 ? page().startButton() : page().startTriggeredButton());

    EXPECT_GE(lines().size(), 3u);
    expectLinesAreSentFrames(sent);
    EXPECT_EQ(live().framesShown(), lines().size());
    EXPECT_FALSE(app->link().linkOk());
    EXPECT_TRUE(app->connectionPage().logText().contains("SERVER HAS CLOSED CONNECTION!"));
    EXPECT_EQ(dialogs.popups().back().text, "File has been saved!");
    expectOneLossReportAndReconnect(*app, sensor, port, "SERVER HAS CLOSED CONNECTION!");
    app.reset();
    dialogs.clear();
  }
}

// A page switch, the window closing or a mode change ends a recording as STOP does: at
// once, every frame taken is a line, auto-send is off again, the end message follows and
// START is back.
TEST_F(RecorderTest, APageSwitchClosingOrModeChangeEndsTheRecordingWhole) {
  const auto connectionPage = [this] { clickTab(MainPage::Connection); };
  const auto scopePage = [this] { clickTab(MainPage::Scope); };
  const auto closeWindow = [this] { window().close(); };
  struct Case {
    const char *name;
    int mode;
    std::function<void()> end;
  };
  const Case cases[] = {
      {"interval, connection page", 1, connectionPage},
      {"interval, scope page", 1, scopePage},
      {"interval, window closed", 1, closeWindow},
      {"triggered, connection page", 3, connectionPage},
      {"triggered, scope page", 3, scopePage},
      {"triggered, window closed", 3, closeWindow},
      {"triggered, mode change", 3, [this] { chooseMode(1); }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    sim::SimOptions options;
    options.triggerPeriodMs = 5;
    startConnected(options);
    selectNewFile();
    window().showPage(MainPage::Recorder);
    chooseMode(c.mode);
    page().intervalEdit()->setValue(0.25);
    int measuredAtEnd = -1;
    when([&] { return lines().size() >= 2; },
         [&] {
           c.end();
           measuredAtEnd = countOrder(kMeasure);
         });
    QPushButton *button = c.mode == 3 ? page().startTriggeredButton() : page().startButton();

    start(button);
    if (c.mode == 3) letTheSensorTakeTheStop();

    EXPECT_FALSE(recorder().recording());
    EXPECT_EQ(countOrder(kMeasure), measuredAtEnd) << "no request after the end";
    if (c.mode == 3) {
      EXPECT_EQ(requests().back(), (Request{kAutoSend, 0, 0}));
      EXPECT_EQ(lines().size(), static_cast<std::size_t>(recorder().progress().frameCounter()));
    } else {
      EXPECT_EQ(lines().size(), static_cast<std::size_t>(measuredAtEnd));
    }
    expectLinesAreSentFrames(sentFrames());
    EXPECT_EQ(dialogs.popups().back().text, "File has been saved!");
    EXPECT_TRUE(button->isEnabled());
    EXPECT_TRUE(app->link().linkOk());
    app.reset();
    dialogs.clear();
  }
}

TEST_F(RecorderTest, SelectingTheRecordFile) {
  struct Case {
    FileSelectResult result;
    bool confirm;
    bool headerWritten;
    QString popup;
  };
  const Case cases[] = {
      {FileSelectResult::Cancelled, false, false, "No filename was selected!"},
      {FileSelectResult::ExistingFile, false, false, "Do you want to select existing file?"},
      {FileSelectResult::ExistingFile, true, true, "Make sure, that the file is not opened"},
      {FileSelectResult::NewFile, false, true, QString()},
  };
  startConnected();
  const QString before = recorder().recordFilePath();
  for (const Case &c : cases) {
    QFile::remove(file());
    if (c.result == FileSelectResult::ExistingFile) {
      QFile f(file());
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("old");
    }
    recorder().setRecordFilePath(before);
    dialogs.clear();
    dialogs.answerFile(c.result, file());
    if (c.result == FileSelectResult::ExistingFile) dialogs.answerConfirm(c.confirm);

    page().selectFileButton()->click();

    QFile f(file());
    const QByteArray content = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    const QByteArray header = "\nRECORD RESULTS OF: QUORVANE ANA Scope V1.3\r\nPANEL ID: Line "
                              "7\r\n\r\nDATE\tTIME\tRED\tGREEN\tBLUE\tX s\tY i\tINT M\tdelta "
                              "C\tCOLOR\tGROUP\tTRIGGER\tTEMP\r\n";
    EXPECT_EQ(content == header, c.headerWritten) << content.toStdString();
    EXPECT_EQ(recorder().recordFilePath(), c.headerWritten ? file() : before);
    EXPECT_EQ(shown("recordFile"), recorder().recordFilePath());
    EXPECT_TRUE(c.popup.isEmpty() ? dialogs.popups().size() == 1 : popped("ATTENTION!", c.popup));
    // The file dialog leaves the replace question to the recorder's own.
    EXPECT_EQ(dialogs.fileModes.last(), FileDialogMode::SaveCallerConfirms);
  }
  // The file chosen last is "RECORDER FILE" of the settings, and the next run records to it.
  app->storePanelSettings();
  QFile settings(settingsPath());
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
  const QByteArray entry = "RECORDER FILE = \"" + file().toUtf8() + "\"\r\n";
  EXPECT_TRUE(settings.readAll().contains(entry));
  app.reset();
  writeSettings(sensor->serverPort(), "[DIRECTORIES]\r\n" + entry + "\r\n");
  create();
  app->startUp();
  settleUntil([this] { return app->idle(); });
  EXPECT_EQ(shown("recordFile"), file());
  EXPECT_EQ(shown("panelId"), "Line 7");
}

} // namespace
} // namespace quorvane::testing
