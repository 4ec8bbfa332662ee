// The scope in the main window: BREAK, STOP, the connection tab, closing the window and a closed
// server end the wait for the trigger.
#include "app_fixture.h"
#include "link_loss.h"

#include "link/sensor_link.h"
#include "scope/scope_subsystem.h"
#include "ui/graph_widget.h"

#include <QTest>

#include <functional>

namespace quorvane::testing {
namespace {

constexpr int kScopeOrder = 110;
constexpr std::uint16_t kPreTrigger = 20;
constexpr std::uint16_t kNeverReached = 65535;

struct ScopeTest : AppFixture {
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
  std::vector<Request> scopeRequests() {
    std::vector<Request> out;
    for (const sim::ReceivedRequest &r : model().requests())
      if (r.order == kScopeOrder) out.push_back({r.order, r.argument, r.payload.size()});
    return out;
  }
};

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

} // namespace
} // namespace quorvane::testing
