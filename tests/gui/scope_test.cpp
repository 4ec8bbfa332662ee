// The scope through the main window against the simulated sensor, over TCP and over its
// pseudo terminal: scans in every trigger mode, each way the wait for the trigger ends, the
// cursor measurement and the print-out.
#include "app_fixture.h"
#include "link_loss.h"

#include "link/core/link_messages.h"
#include "link/sensor_link.h"
#include "live/live_widgets.h"
#include "scope/comment_box.h"
#include "scope/scope_subsystem.h"
#include "transport/sim_pty.h"
#include "ui/graph_widget.h"

#include <qcustomplot.h>

#include <QLabel>
#include <QTest>

#include <algorithm>
#include <functional>

namespace quorvane::testing {
namespace {

constexpr int kCycleTimeOrder = 105;
constexpr int kScopeOrder = 110;
constexpr std::uint16_t kPreTrigger = 20;
constexpr std::uint16_t kNeverReached = 65535;

struct ScopeTest : AppFixture {
  std::unique_ptr<sim::SimPty> pty;

  void startConnectedOverPty(sim::SimOptions options = {}) {
    pty = std::make_unique<sim::SimPty>(std::move(options));
    ASSERT_TRUE(pty->open()) << pty->errorString().toStdString();
    QFile f(settingsPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings\"\r\n\r\n"
            "[COMMUNICATION SETTINGS]\r\nCOMPROTOCOL = 0\r\nCOMPORT = 1\r\nCOMPORT DEVICE = \"" +
            pty->slavePath().toUtf8() + "\"\r\nBAUDRATE = 4\r\n\r\n");
    f.close();
    create();
    app->startUp();
    settleUntil([this] { return app->idle(); });
    ASSERT_TRUE(app->link().linkOk());
    pty->model().clearRequests();
  }
  sim::SensorModel &sensorModel() { return pty ? pty->model() : sensor->model(); }

  ScopePage &page() { return app->scope().page(); }
  ScopePanel &scopePanel() { return app->scope().panel(); }
  ScopeController &scope() { return app->scope().controller(); }

  void pick(QComboBox *ring, int value) {
    ring->setCurrentIndex(ring->findData(value));
    Q_EMIT ring->activated(ring->currentIndex());
  }
  void setTrigger(std::uint16_t mode, std::uint16_t level) {
    pick(page().triggerModeRing(), mode);
    page().triggerLevelBox()->setValue(level);
    page().preTriggerBox()->setValue(kPreTrigger);
  }
  // Presses SCAN and waits until the scan has ended; one still waiting after 20 s is broken
  // and reported.
  ScanEnd pressScan() {
    page().scanButton()->click();
    if (!QTest::qWaitFor([this] { return app->idle(); }, 20000)) {
      ADD_FAILURE() << "the scan did not end";
      page().breakButton()->click();
      settle();
    }
    return scope().lastScanEnd();
  }
  // The scan waits for the sensor's blocks: BREAK is offered.
  bool scanWaiting() {
    return app->link().acquisition() == Acquisition::Scope && page().breakButton()->isEnabled();
  }
  // A level the third signal of the moving scene crosses both ways.
  std::uint16_t crossedLevel() {
    int low = 65535, high = 0;
    for (std::uint64_t t = 0; t < 20000; t += 2) {
      const int blue = std::max<int>(sensorModel().sampleAt(t).values.blue, 0);
      low = std::min(low, blue);
      high = std::max(high, blue);
    }
    return static_cast<std::uint16_t>((low + high) / 2);
  }
  std::vector<Request> scopeRequests() {
    std::vector<Request> out;
    for (const sim::ReceivedRequest &r : sensorModel().requests())
      if (r.order == kScopeOrder) out.push_back({r.order, r.argument, r.payload.size()});
    return out;
  }
  QString shown(NumberDisplay *d) { return d->text(); }
  std::vector<QColor> scopeLineColours() {
    std::vector<QColor> out;
    QCustomPlot *plot = scopePanel().scopeGraph()->plot();
    for (int i = 0; i < plot->graphCount(); ++i)
      out.push_back(plot->graph(i)->pen().color());
    return out;
  }

  // One scan in each trigger mode, each with the trigger sample at the pre-trigger position.
  void scanInEveryTriggerMode() {
    const std::uint16_t level = crossedLevel();
    for (std::uint16_t mode = 0; mode <= 4; ++mode) {
      SCOPED_TRACE(mode);
      setTrigger(mode, level);
      ASSERT_EQ(pressScan(), ScanEnd::Drawn);
      const ScopeBuffers &b = scope().buffers();
      const auto &blue = b.analog[2];
      switch (mode) {
      case 1:
        EXPECT_LT(blue[kPreTrigger - 1], level);
        EXPECT_GE(blue[kPreTrigger], level);
        break;
      case 2:
        EXPECT_GT(blue[kPreTrigger - 1], level);
        EXPECT_LE(blue[kPreTrigger], level);
        break;
      case 3:
        EXPECT_TRUE(b.digital[kPreTrigger] & 2) << "a colour is detected at the trigger";
        break;
      case 4:
        EXPECT_EQ(b.digital[kPreTrigger - 1] & 1, 0);
        EXPECT_EQ(b.digital[kPreTrigger] & 1, 1);
        break;
      default:
        break;
      }
      EXPECT_EQ(scopePanel().scopeGraph()->plotCount(), 3);
      EXPECT_EQ(scopePanel().digitalGraph()->plotCount(), 2);
    }
    EXPECT_EQ(scopeRequests(), std::vector<Request>(5, Request{kScopeOrder, 1, 10}));
    EXPECT_FALSE(scopePanel().scanRunningShown());
    EXPECT_TRUE(page().scanButton()->isEnabled());
    EXPECT_FALSE(page().breakButton()->isEnabled());
    EXPECT_FALSE(app->link().acquisitionRunning());
    EXPECT_TRUE(dialogs.popups().empty());
  }
};

TEST_F(ScopeTest, ScansInEveryTriggerModeOverTcp) {
  startConnected();
  clickTab(MainPage::Scope);
  EXPECT_EQ(window().currentChildPanel(), ChildPanel::ScopeDisplay);
  scanInEveryTriggerMode();
}

TEST_F(ScopeTest, ScansInEveryTriggerModeOverThePseudoTerminal) {
  startConnectedOverPty();
  clickTab(MainPage::Scope);
  scanInEveryTriggerMode();
}

TEST_F(ScopeTest, AStalledBlockTimesOutOverTcpAndThePseudoTerminal) {
  for (const bool overPty : {false, true}) {
    SCOPED_TRACE(overPty ? "pty" : "tcp");
    app.reset();
    sim::SimOptions stalling;
    stalling.stallScopeEvery = 2;
    overPty ? startConnectedOverPty(stalling) : startConnected(stalling);
    app->link().setFrameTimeoutSeconds(0.3);
    clickTab(MainPage::Scope);
    ASSERT_EQ(pressScan(), ScanEnd::Drawn);
    const ScopeBuffers previous = scope().buffers();
    EXPECT_EQ(pressScan(), ScanEnd::Stopped);
    EXPECT_EQ(scope().buffers(), previous);
    EXPECT_EQ(app->connectionPage().logText().count(QString::fromUtf8(linktext::kTimeout)), 1);
    EXPECT_FALSE(app->link().linkOk());
  }
}

// BREAK, STOP, the connection tab and closing the window end the wait for the trigger: nothing
// drawn, the previous scan stays, the sensor's scan is broken and the link stays good.
TEST_F(ScopeTest, EachStopEndsTheWaitWithoutDrawingAndBreaksTheSensorsScan) {
  const struct {
    const char *cause;
    std::function<void()> act;
  } causes[] = {{"BREAK", [this] { page().breakButton()->click(); }},
                {"STOP", [this] { window().stopButton()->click(); }},
                {"connection tab", [this] { clickTab(MainPage::Connection); }},
                {"window closed", [this] { window().close(); }}};
  for (const auto &c : causes) {
    SCOPED_TRACE(c.cause);
    app.reset();
    startConnected();
    clickTab(MainPage::Scope);
    setTrigger(0, 0);
    ASSERT_EQ(pressScan(), ScanEnd::Drawn);
    const ScopeBuffers previous = scope().buffers();
    model().clearRequests();
    setTrigger(1, kNeverReached);
    bool breakUsable = false, scanUsable = true, running = false;
    when([&] { return scanWaiting(); },
         [&] {
           breakUsable = page().breakButton()->isEnabled();
           scanUsable = page().scanButton()->isEnabled();
           running = scopePanel().scanRunningShown();
           c.act();
         });

    EXPECT_EQ(pressScan(), ScanEnd::Stopped);

    EXPECT_TRUE(breakUsable);
    EXPECT_FALSE(scanUsable);
    EXPECT_TRUE(running);
    EXPECT_EQ(scope().buffers(), previous);
    EXPECT_EQ(scopeRequests(), (std::vector<Request>{{kScopeOrder, 1, 10}, {kScopeOrder, 0, 0}}));
    EXPECT_FALSE(model().scopeWaiting());
    EXPECT_TRUE(page().scanButton()->isEnabled());
    EXPECT_FALSE(page().breakButton()->isEnabled());
    EXPECT_FALSE(scopePanel().scanRunningShown());
    EXPECT_TRUE(app->link().linkOk());
    EXPECT_TRUE(dialogs.popups().empty());
  }
}

TEST_F(ScopeTest, AServerClosingDuringTheWaitKeepsThePreviousScan) {
  startConnected();
  clickTab(MainPage::Scope);
  setTrigger(0, 0);
  ASSERT_EQ(pressScan(), ScanEnd::Drawn);
  const ScopeBuffers previous = scope().buffers();
  setTrigger(1, kNeverReached);
  const quint16 port = sensor->serverPort();
  when([&] { return scanWaiting(); }, [&] { sensor.reset(); });

  EXPECT_EQ(pressScan(), ScanEnd::Stopped);

  EXPECT_EQ(scope().buffers(), previous);
  EXPECT_EQ(scopePanel().scopeGraph()->plotCount(), 3);
  EXPECT_TRUE(app->connectionPage().logText().contains("SERVER HAS CLOSED CONNECTION!"));
  EXPECT_EQ(window().currentPage(), MainPage::Connection);
  EXPECT_FALSE(app->link().linkOk());
  EXPECT_FALSE(app->link().acquisitionRunning());
  EXPECT_TRUE(dialogs.popups().empty());
  expectOneLossReportAndReconnect(*app, sensor, port, "SERVER HAS CLOSED CONNECTION!");
}

TEST_F(ScopeTest, SettingsControlsFollowTheirRules) {
  startConnected();
  clickTab(MainPage::Scope);
  const struct {
    int mode;
    bool preTrigger, level;
  } modes[] = {
      {0, false, false}, {1, true, true}, {2, true, true}, {3, true, false}, {4, true, false}};
  for (const auto &m : modes) {
    pick(page().triggerModeRing(), m.mode);
    EXPECT_EQ(page().preTriggerBox()->isEnabled(), m.preTrigger) << m.mode;
    EXPECT_EQ(page().triggerLevelBox()->isEnabled(), m.level) << m.mode;
  }
  for (int signal : {0, 1, 2}) {
    pick(page().recordedSignalRing(), signal);
    EXPECT_EQ(scopePanel().voltsDisplay()->isVisibleTo(&scopePanel()), signal == 2) << signal;
  }
}

TEST_F(ScopeTest, SignalSelectorTwoDrawsOnlyTheGreenLine) {
  startConnected();
  clickTab(MainPage::Scope);
  setTrigger(0, 0);
  ASSERT_EQ(pressScan(), ScanEnd::Drawn);
  EXPECT_EQ(scopeLineColours(),
            (std::vector<QColor>{QColor(0xFF0000), QColor(0x00FF00), QColor(0x0000FF)}));

  pick(scopePanel().signalSelectorRing(), 2);

  EXPECT_EQ(scopeLineColours(), std::vector<QColor>{QColor(0x00FF00)});
  EXPECT_EQ(scopePanel().digitalGraph()->plotCount(), 2);
}

TEST_F(ScopeTest, CycleTimeAndCursorDeltas) {
  startConnected();
  clickTab(MainPage::Scope);
  clickAndSettle(page().getCycleTimeButton());
  EXPECT_EQ(countOrder(kCycleTimeOrder), 1);
  EXPECT_EQ(shown(page().frequencyDisplay()), "500.0");
  EXPECT_EQ(shown(page().cycleTimeDisplay()), "2.000");

  page().scanRateBox()->setValue(3);
  GraphWidget *graph = scopePanel().scopeGraph();
  graph->setCursorPosition(0, 10.0, 100.9);
  graph->setCursorPosition(1, 50.0, 1100.2);
  Q_EMIT graph->cursorMoved(1, 50.0, 1100.2);

  EXPECT_EQ(shown(scopePanel().deltaXDisplay()), "240.000");
  EXPECT_EQ(shown(scopePanel().deltaYDisplay()), "1000");
  EXPECT_EQ(shown(scopePanel().voltsDisplay()), "2.44140625");
  EXPECT_EQ(scopePanel().digitalGraph()->cursorPosition(0).x(), 10.0);
  EXPECT_EQ(scopePanel().digitalGraph()->cursorPosition(1).x(), 50.0);
}

TEST_F(ScopeTest, PrintOutToAPdfFile) {
  startConnected();
  clickTab(MainPage::Scope);
  setTrigger(0, 0);
  ASSERT_EQ(pressScan(), ScanEnd::Drawn);
  page().commentBox()->setPlainText("Line 7, belt at full speed");
  const QString pdf = dir.filePath("scope.pdf");
  const QString unwritable = dir.filePath("missing/folder/scope.pdf");
  const struct {
    QString path; // empty: the print dialog is cancelled
    QString result;
  } cases[] = {{QString(), QString()},
               {pdf, QStringLiteral("Print successful!")},
               {unwritable, QStringLiteral("Print error")}};
  for (const auto &c : cases) {
    dialogs.clear();
    if (c.path.isEmpty())
      dialogs.answerPrinter(false);
    else
      dialogs.answerPrinterPdf(c.path);
    page().printButton()->click();
    ASSERT_FALSE(dialogs.popups().empty());
    EXPECT_EQ(dialogs.popups().front().kind, "printer");
    if (c.result.isEmpty()) {
      EXPECT_EQ(dialogs.popups().size(), 1u) << "a cancelled print says nothing";
      continue;
    }
    ASSERT_EQ(dialogs.popups().size(), 2u);
    EXPECT_EQ(dialogs.popups()[1].title, "Info!");
    EXPECT_EQ(dialogs.popups()[1].text, c.result);
  }
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5).startsWith("%PDF-"));
  EXPECT_GT(file.size(), 10000);
  EXPECT_TRUE(page().printButton()->isEnabled());
}

TEST_F(ScopeTest, TheCommentKeepsWholeCharactersAndARightDoubleClickClearsIt) {
  startConnected();
  clickTab(MainPage::Scope);
  CommentBox *comment = page().commentBox();
  const QString face = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
  comment->setPlainText(face.repeated(1024));
  EXPECT_EQ(page().comment(), face.repeated(1023));
  comment->setPlainText("first run");
  QTest::mouseDClick(comment->viewport(), Qt::LeftButton);
  EXPECT_EQ(comment->toPlainText(), "first run");
  QTest::mouseDClick(comment->viewport(), Qt::RightButton);
  EXPECT_TRUE(comment->toPlainText().isEmpty());
  EXPECT_TRUE(dialogs.popups().empty());
}

} // namespace
} // namespace quorvane::testing
