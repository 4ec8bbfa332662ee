// The RECORDER page and its controller against the simulated sensor: the record file read
// back field by field against the frames the sensor sent, every record mode, the file
// selection and the lines a file does not take.
#include "live/frame_publisher.h"
#include "recorder/core/record_modes.h"
#include "recorder/recorder_controller.h"
#include "recorder/recorder_page.h"
#include "support/record_lines.h"
#include "support/sensor_rig.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace quorvane::testing {
namespace {

constexpr int kMeasure = 8;
constexpr int kAutoSend = 30;

struct RecorderTest : ::testing::Test, SensorRig {
  QTemporaryDir dir;
  FramePublisher frames;
  RecorderPage page{dialogs};
  RecorderController recorder{link, shell, dialogs, page, frames};
  std::vector<MeasuredValues> published;

  RecorderTest() {
    QObject::connect(&frames, &FramePublisher::frame,
                     [this](const MeasuredValues &m) { published.push_back(m); });
    recorder.setPanelId(QStringLiteral("Line 7"));
  }

  QString shown(const char *name) { return page.display(name)->text(); }
  QString file() { return dir.filePath(QStringLiteral("rec.dat")); }
  std::vector<QStringList> lines() { return recordLines(file()); }
  void expectLinesAreSent() { expectLinesAreSentFrames(file(), model().sentMeasurements()); }
  void chooseMode(int mode) {
    page.setMode(mode);
    Q_EMIT page.modeSelector()->activated(mode);
  }
  void selectNewFile() {
    dialogs.answerFile(FileSelectResult::NewFile, file());
    page.selectFileButton()->click();
  }
  // Presses a START and waits until the recording has ended.
  void start(QPushButton *button) {
    dialogs.answerConfirm(true);
    button->click();
    settleUntil([this] { return link.idle(); });
  }
};

TEST_F(RecorderTest, TenFramesAtTooShortAnIntervalTakeTheMinimumAndWriteExactlyTenLines) {
  connect();
  selectNewFile();
  chooseMode(0);
  page.intervalEdit()->setValue(0.1);
  Q_EMIT page.intervalEdit()->editingFinished();
  page.framesEdit()->setValue(10);
  Q_EMIT page.framesEdit()->editingFinished();
  EXPECT_EQ(page.interval(), 0.25);
  EXPECT_EQ(QStringList({shown("recordTimeDays"), shown("recordTimeHours"),
                         shown("recordTimeMinutes"), shown("recordTimeSeconds")}),
            QStringList({"0", "0", "0", "2.5"}));

  start(page.startButton());

  EXPECT_EQ(countOrder(kMeasure), 10);
  ASSERT_EQ(lines().size(), 10u);
  expectLinesAreSent();
  EXPECT_EQ(shown("recordedCount"), "10");
  EXPECT_EQ(shown("remainingCount"), "0");
  EXPECT_EQ(published.size(), 10u) << "recorded frames are shown live";
  EXPECT_TRUE(popped("ATTENTION!", "Are you sure, that you have selected the right file name?"));
  EXPECT_TRUE(popped("ATTENTION!", "Make sure, that the file is not opened by any other program."));
  EXPECT_EQ(dialogs.popups().back().text, "File has been saved!");
  EXPECT_TRUE(page.startButton()->isEnabled());
}

TEST_F(RecorderTest, SteppedIntervalOrValuesShowTheNewEstimateAtOnce) {
  page.show();
  QAbstractSpinBox *interval = page.intervalEdit();
  QAbstractSpinBox *frames = page.framesEdit();
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
  EXPECT_EQ(page.interval(), 0.25);
}

TEST_F(RecorderTest, TriggeredRecordingWritesEveryFrameTheSensorSent) {
  sim::SimOptions options;
  options.triggerPeriodMs = 5;
  connect(options);
  selectNewFile();
  chooseMode(3);
  when([&] { return recorder.progress().frameCounter() >= 40; },
       [&] { page.stopButton()->click(); });

  start(page.startTriggeredButton());
  // The stop can end the recording with a frame on its way; the sensor takes it a little later.
  settleUntil([this] { return !model().autoSendActive(); });

  std::vector<std::pair<int, int>> requests;
  for (const sim::ReceivedRequest &r : model().requests())
    requests.emplace_back(r.order, r.argument);
  EXPECT_EQ(requests, (std::vector<std::pair<int, int>>{{kAutoSend, 1}, {kAutoSend, 0}}));
  EXPECT_EQ(lines().size(), static_cast<std::size_t>(recorder.progress().frameCounter()));
  EXPECT_GE(lines().size(), 40u);
  expectLinesAreSent();
  EXPECT_EQ(shown("frameCounter"), QString::number(lines().size()));
  EXPECT_EQ(dialogs.popups().back().text, "File has been saved!");
  EXPECT_TRUE(link.linkOk());
}

TEST_F(RecorderTest, EachModeShowsItsControlsAndAModeChangeEndsTheRecording) {
  connect();
  selectNewFile();
  for (int mode : {0, 1, 2, 3}) {
    chooseMode(mode);
    const RecordControls c = recordControlsFor(mode);
    EXPECT_EQ(page.intervalEdit()->isVisibleTo(&page), c.interval) << mode;
    EXPECT_EQ(page.framesEdit()->isVisibleTo(&page), c.numberOfFrames) << mode;
    EXPECT_EQ(page.display("frameCounter")->isVisibleTo(&page), c.frameCounter);
    EXPECT_EQ(page.startButton()->isVisibleTo(&page), c.start) << mode;
    EXPECT_EQ(page.manualButton()->isVisibleTo(&page), c.recordOneFrame) << mode;
    EXPECT_EQ(page.startTriggeredButton()->isVisibleTo(&page), c.startTriggered) << mode;
  }
  chooseMode(1);
  when([&] { return lines().size() >= 2; }, [&] { chooseMode(2); });

  start(page.startButton());

  EXPECT_FALSE(link.acquisitionRunning());
  EXPECT_EQ(lines().size(), static_cast<std::size_t>(countOrder(kMeasure)));
  expectLinesAreSent();
  EXPECT_EQ(shown("recordedCount"), "0");
  EXPECT_TRUE(page.manualButton()->isVisibleTo(&page));
  EXPECT_EQ(dialogs.popups().back().text, "File has been saved!");
}

TEST_F(RecorderTest, RecordOneValueAppendsTheLastFrameAgainWithoutAsking) {
  connect();
  selectNewFile();
  chooseMode(2);
  page.manualButton()->click();
  EXPECT_TRUE(lines().empty()) << "nothing measured yet";
  EXPECT_TRUE(popped("ATTENTION!", "No value has been measured yet!"));
  MeasuredValues first, last;
  first.red = 11;
  last.red = 12;
  last.temperature = 31;
  frames.publish(first);
  frames.publish(last);

  page.manualButton()->click();
  page.manualButton()->click();

  EXPECT_EQ(countOrder(kMeasure), 0) << "no exchange";
  EXPECT_EQ(lines().size(), 2u);
  expectLinesAreSentFrames(file(), {last, last});
  EXPECT_EQ(shown("recordedCount"), "2");
}

TEST_F(RecorderTest, LinesTheFileDoesNotTakeAreShownAndNotReportedAsSaved) {
  connect();
  recorder.setRecordFilePath(dir.path()); // a directory takes no line
  chooseMode(0);
  page.intervalEdit()->setValue(0.25);
  page.framesEdit()->setValue(3);

  start(page.startButton());

  EXPECT_EQ(published.size(), 3u) << "the recording still runs and shows its frames";
  QLabel *warning = page.display("writeTrouble");
  EXPECT_TRUE(warning->isVisibleTo(&page));
  EXPECT_TRUE(warning->text().contains("3 not written")) << warning->text().toStdString();
  EXPECT_TRUE(warning->text().contains("Is a directory"));
  EXPECT_EQ(dialogs.popups().back().title, "ATTENTION!");
  EXPECT_TRUE(dialogs.popups().back().text.contains("3 of 3 records could not be written"));
  EXPECT_FALSE(popped("INFO!", "File has been saved!"));
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
  const QString before = recorder.recordFilePath();
  for (const Case &c : cases) {
    QFile::remove(file());
    if (c.result == FileSelectResult::ExistingFile) {
      QFile f(file());
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("old");
    }
    recorder.setRecordFilePath(before);
    dialogs.clear();
    dialogs.answerFile(c.result, file());
    if (c.result == FileSelectResult::ExistingFile) dialogs.answerConfirm(c.confirm);

    page.selectFileButton()->click();

    QFile f(file());
    const QByteArray content = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    const QByteArray header = "\nRECORD RESULTS OF: QUORVANE ANA Scope V1.3\r\nPANEL ID: Line "
                              "7\r\n\r\nDATE\tTIME\tRED\tGREEN\tBLUE\tX s\tY i\tINT M\tdelta "
                              "C\tCOLOR\tGROUP\tTRIGGER\tTEMP\r\n";
    EXPECT_EQ(content == header, c.headerWritten) << content.toStdString();
    EXPECT_EQ(recorder.recordFilePath(), c.headerWritten ? file() : before);
    EXPECT_EQ(shown("recordFile"), recorder.recordFilePath());
    EXPECT_TRUE(c.popup.isEmpty() ? dialogs.popups().size() == 1 : popped("ATTENTION!", c.popup));
    // The file dialog leaves the replace question to the recorder's own.
    EXPECT_EQ(dialogs.fileModes.last(), FileDialogMode::SaveCallerConfirms);
  }
}

} // namespace
} // namespace quorvane::testing
