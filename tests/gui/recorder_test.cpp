// The RECORDER page in the main window: recordings ended by a page switch, the window closing
// or a lost link, and the record file remembered for the next run.
#include "app_fixture.h"
#include "link_loss.h"
#include "support/record_lines.h"

#include "recorder/recorder_subsystem.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QTest>

namespace quorvane::testing {
namespace {

constexpr int kMeasure = 8;
constexpr int kAutoSend = 30;

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
  std::vector<QStringList> lines() { return recordLines(file()); }
  void expectLinesAreSentFrames(const std::vector<MeasuredValues> &sent) {
    quorvane::testing::expectLinesAreSentFrames(file(), sent);
  }
  std::vector<MeasuredValues> sentFrames() { return model().sentMeasurements(); }
};

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

// The file chosen last is "RECORDER FILE" of the settings, and the next run records to it.
TEST_F(RecorderTest, TheRecordFileIsRememberedForTheNextRun) {
  startConnected();
  selectNewFile();
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
