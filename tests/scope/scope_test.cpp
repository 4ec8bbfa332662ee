// The scope page, panel and controller against the simulated sensor, over TCP and over its
// pseudo terminal: scans in every trigger mode, a stalled block, the settings controls, the
// cursor measurement, the print-out and the comment.
#include "link/core/link_messages.h"
#include "params/parameter_state.h"
#include "scope/comment_box.h"
#include "scope/scope_controller.h"
#include "scope/scope_page.h"
#include "scope/scope_panel.h"
#include "support/fake_transfer.h"
#include "support/sensor_rig.h"
#include "ui/display_widgets.h"
#include "ui/graph_widget.h"

#include <qcustomplot.h>

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace quorvane::testing {
namespace {

constexpr int kCycleTimeOrder = 105;
constexpr int kScopeOrder = 110;
constexpr std::uint16_t kPreTrigger = 20;

struct ScopeTest : ::testing::Test, SensorRig {
  ParameterState parameters;
  FakeTransfer transfer{parameters};
  ScopePage page{dialogs};
  ScopePanel panel{dialogs};
  ScopeController scope{link, shell, dialogs, transfer, page, panel};

  void pick(QComboBox *ring, int value) {
    ring->setCurrentIndex(ring->findData(value));
    Q_EMIT ring->activated(ring->currentIndex());
  }
  void setTrigger(std::uint16_t mode, std::uint16_t level) {
    pick(page.triggerModeRing(), mode);
    page.triggerLevelBox()->setValue(level);
    page.preTriggerBox()->setValue(kPreTrigger);
  }
  // Presses SCAN and waits until the scan has ended.
  ScanEnd pressScan() {
    page.scanButton()->click();
    settleUntil([this] { return link.idle(); });
    return scope.lastScanEnd();
  }
  // A level the third signal of the moving scene crosses both ways.
  std::uint16_t crossedLevel() {
    int low = 65535, high = 0;
    for (std::uint64_t t = 0; t < 20000; t += 2) {
      const int blue = std::max<int>(model().sampleAt(t).values.blue, 0);
      low = std::min(low, blue);
      high = std::max(high, blue);
    }
    return static_cast<std::uint16_t>((low + high) / 2);
  }
  std::vector<QColor> scopeLineColours() {
    std::vector<QColor> out;
    QCustomPlot *plot = panel.scopeGraph()->plot();
    for (int i = 0; i < plot->graphCount(); ++i)
      out.push_back(plot->graph(i)->pen().color());
    return out;
  }
};

// Over TCP and over the pseudo terminal.
struct ScopeWireTest : ScopeTest, ::testing::WithParamInterface<Wire> {};
INSTANTIATE_TEST_SUITE_P(Wires, ScopeWireTest, ::testing::Values(Wire::Tcp, Wire::Pty),
                         [](const auto &info) { return info.param == Wire::Tcp ? "Tcp" : "Pty"; });

// One scan in each trigger mode, each with the trigger sample at the pre-trigger position.
TEST_P(ScopeWireTest, ScansInEveryTriggerMode) {
  connect({}, GetParam());
  const std::uint16_t level = crossedLevel();
  for (std::uint16_t mode = 0; mode <= 4; ++mode) {
    SCOPED_TRACE(mode);
    setTrigger(mode, level);
    ASSERT_EQ(pressScan(), ScanEnd::Drawn);
    const ScopeBuffers &b = scope.buffers();
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
    EXPECT_EQ(panel.scopeGraph()->plotCount(), 3);
    EXPECT_EQ(panel.digitalGraph()->plotCount(), 2);
  }
  EXPECT_EQ(countOrder(kScopeOrder), 5);
  for (const sim::ReceivedRequest &r : model().requests())
    EXPECT_TRUE(r.order != kScopeOrder || (r.argument == 1 && r.payload.size() == 10));
  EXPECT_EQ(shell.child, ChildPanel::ScopeDisplay);
  EXPECT_FALSE(panel.scanRunningShown());
  EXPECT_TRUE(page.scanButton()->isEnabled());
  EXPECT_FALSE(page.breakButton()->isEnabled());
  EXPECT_FALSE(link.acquisitionRunning());
  EXPECT_TRUE(dialogs.popups().empty());
}

TEST_P(ScopeWireTest, AStalledBlockTimesOut) {
  sim::SimOptions stalling;
  stalling.stallScopeEvery = 2;
  connect(stalling, GetParam());
  link.setFrameTimeoutSeconds(0.3);
  ASSERT_EQ(pressScan(), ScanEnd::Drawn);
  const ScopeBuffers previous = scope.buffers();
  EXPECT_EQ(pressScan(), ScanEnd::Stopped);
  EXPECT_EQ(scope.buffers(), previous);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_TRUE(failures[0].contains(QString::fromUtf8(linktext::kTimeout)));
  EXPECT_FALSE(link.linkOk());
}

TEST_F(ScopeTest, SettingsControlsFollowTheirRules) {
  const struct {
    int mode;
    bool preTrigger, level;
  } modes[] = {
      {0, false, false}, {1, true, true}, {2, true, true}, {3, true, false}, {4, true, false}};
  for (const auto &m : modes) {
    pick(page.triggerModeRing(), m.mode);
    EXPECT_EQ(page.preTriggerBox()->isEnabled(), m.preTrigger) << m.mode;
    EXPECT_EQ(page.triggerLevelBox()->isEnabled(), m.level) << m.mode;
  }
  for (int signal : {0, 1, 2}) {
    pick(page.recordedSignalRing(), signal);
    EXPECT_EQ(panel.voltsDisplay()->isVisibleTo(&panel), signal == 2) << signal;
  }
}

TEST_F(ScopeTest, SignalSelectorTwoDrawsOnlyTheGreenLine) {
  connect();
  setTrigger(0, 0);
  ASSERT_EQ(pressScan(), ScanEnd::Drawn);
  EXPECT_EQ(scopeLineColours(),
            (std::vector<QColor>{QColor(0xFF0000), QColor(0x00FF00), QColor(0x0000FF)}));

  pick(panel.signalSelectorRing(), 2);

  EXPECT_EQ(scopeLineColours(), std::vector<QColor>{QColor(0x00FF00)});
  EXPECT_EQ(panel.digitalGraph()->plotCount(), 2);
}

TEST_F(ScopeTest, CycleTimeAndCursorDeltas) {
  connect();
  page.getCycleTimeButton()->click();
  settleUntil([this] { return link.idle(); });
  EXPECT_EQ(countOrder(kCycleTimeOrder), 1);
  EXPECT_EQ(page.frequencyDisplay()->text(), "500.0");
  EXPECT_EQ(page.cycleTimeDisplay()->text(), "2.000");

  page.scanRateBox()->setValue(3);
  GraphWidget *graph = panel.scopeGraph();
  graph->setCursorPosition(0, 10.0, 100.9);
  graph->setCursorPosition(1, 50.0, 1100.2);
  Q_EMIT graph->cursorMoved(1, 50.0, 1100.2);

  EXPECT_EQ(panel.deltaXDisplay()->text(), "240.000");
  EXPECT_EQ(panel.deltaYDisplay()->text(), "1000");
  EXPECT_EQ(panel.voltsDisplay()->text(), "2.44140625");
  EXPECT_EQ(panel.digitalGraph()->cursorPosition(0).x(), 10.0);
  EXPECT_EQ(panel.digitalGraph()->cursorPosition(1).x(), 50.0);
}

TEST_F(ScopeTest, PrintOutToAPdfFile) {
  connect();
  setTrigger(0, 0);
  ASSERT_EQ(pressScan(), ScanEnd::Drawn);
  page.commentBox()->setPlainText("Line 7, belt at full speed");
  QTemporaryDir dir;
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
    page.printButton()->click();
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
  EXPECT_TRUE(page.printButton()->isEnabled());
}

TEST_F(ScopeTest, TheCommentKeepsWholeCharactersAndARightDoubleClickClearsIt) {
  CommentBox *comment = page.commentBox();
  const QString face = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
  comment->setPlainText(face.repeated(1024));
  EXPECT_EQ(page.comment(), face.repeated(1023));
  comment->setPlainText("first run");
  QTest::mouseDClick(comment->viewport(), Qt::LeftButton);
  EXPECT_EQ(comment->toPlainText(), "first run");
  QTest::mouseDClick(comment->viewport(), Qt::RightButton);
  EXPECT_TRUE(comment->toPlainText().isEmpty());
  EXPECT_TRUE(dialogs.popups().empty());
}

} // namespace
} // namespace quorvane::testing
