// GO and STOP through the main window against the simulated sensor: moving values, STOP
// during a wait, link failures, transfers deferred by the loop, and page switches.
#include "app_fixture.h"

#include "app/connection_status_box.h"
#include "ui/graph_widget.h"

#include <QLabel>

#include <set>

namespace quorvane::testing {
namespace {

constexpr int kMeasure = 8;

struct LiveTest : AppFixture {
  QString shown(const char *name) {
    const auto *label = panel().findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
  }
  std::uint64_t frames() { return live().framesShown(); }
};

TEST_F(LiveTest, GoShowsMovingValuesWithTheTransferButtonsUsable) {
  sim::SimOptions options;
  options.delayMs = 2; // each frame from a new instant of the moving scene
  startConnected(options);
  window().showPage(MainPage::TeachTable);
  std::vector<bool> enabledDuring;
  when([&] { return frames() >= 1; },
       [&] {
         for (QWidget *w : std::initializer_list<QWidget *>{
                  window().goButton(), window().sendButton(), window().getButton(),
                  window().memoryButton(ParameterMemory::Eeprom), window().stopButton()})
           enabledDuring.push_back(w->isEnabled());
       });
  when([&] { return frames() >= 25; }, [&] { window().stopButton()->click(); });

  pressGo();

  EXPECT_EQ(enabledDuring, (std::vector<bool>{false, true, true, true, true}));
  EXPECT_GE(frames(), 25u);
  EXPECT_EQ(countOrder(kMeasure), static_cast<int>(frames()));
  EXPECT_EQ(window().currentChildPanel(), ChildPanel::Measurement);
  EXPECT_EQ(shown("CBF_DispRED"), QString::number(live().measuredValues().red));
  EXPECT_EQ(shown("CBF_DispX"), QString::number(live().measuredValues().x));
  const std::vector<double> red = panel().graphRgb()->stripValues(0);
  ASSERT_GE(red.size(), 25u);
  EXPECT_EQ(red.back(), live().measuredValues().red);
  const std::set<double> lastReds(red.end() - 25, red.end());
  EXPECT_GT(lastReds.size(), 3u) << "the values move";
  EXPECT_TRUE(window().goButton()->isEnabled());
  EXPECT_FALSE(app->link().acquisitionRunning());
  EXPECT_TRUE(dialogs.popups().empty());
}

TEST_F(LiveTest, StopDuringAWaitShowsThatReplyThenEnds) {
  sim::SimOptions options;
  options.delayMs = 150;
  startConnected(options);
  int requestedAtStop = -1;
  when([&] { return countOrder(kMeasure) == 3 && frames() == 2; },
       [&] {
         requestedAtStop = countOrder(kMeasure);
         window().stopButton()->click();
       });

  pressGo();

  EXPECT_EQ(requestedAtStop, 3);
  EXPECT_EQ(frames(), 3u) << "the reply in flight is shown";
  EXPECT_EQ(countOrder(kMeasure), 3) << "no request after STOP";
  EXPECT_TRUE(app->link().linkOk);
}

TEST_F(LiveTest, LinkFailureShowsTimeoutAndEndsTheLoop) {
  sim::SimOptions options;
  options.corruptDataEvery = 8; // counted over every reply, the start-up ones included
  startConnected(options);

  pressGo();

  EXPECT_EQ(countOrder(kMeasure), static_cast<int>(frames()) + 1) << "the failed one shows nothing";
  EXPECT_GE(frames(), 1u);
  EXPECT_EQ(window().connectionStatusBox()->status(), "TIMEOUT!");
  EXPECT_EQ(window().currentPage(), MainPage::Connection);
  EXPECT_TRUE(app->connectionPage().logText().endsWith(app->link().errorText + "\n\n"));
  EXPECT_FALSE(app->link().linkOk);
  EXPECT_FALSE(app->link().acquisitionRunning());
  EXPECT_FALSE(app->connectionPage().acceptButton()->isEnabled());
}

TEST_F(LiveTest, SendAndGetDuringTheLoopAreServedBeforeTheNextMeasurement) {
  sim::SimOptions options;
  options.delayMs = 20;
  startConnected(options);
  std::vector<int> ordersAtPress;
  when([&] { return frames() >= 3; },
       [&] {
         window().sendButton()->click();
         window().getButton()->click();
         ordersAtPress = orders();
       });
  when([&] { return countOrder(2) == 2 && frames() >= 6; },
       [&] { window().stopButton()->click(); });

  pressGo();

  EXPECT_EQ(ordersAtPress, std::vector<int>(ordersAtPress.size(), kMeasure))
      << "nothing was sent at once";
  const std::vector<int> all = orders();
  const auto first = std::find(all.begin(), all.end(), 1);
  ASSERT_NE(first, all.end());
  const std::vector<int> around(first - 1, first + 6);
  EXPECT_EQ(around, (std::vector<int>{kMeasure, 1, 1, 2, 2, kMeasure, kMeasure}));
  EXPECT_EQ(countOrder(1), 2);
  EXPECT_FALSE(app->params().deferredSend);
  EXPECT_FALSE(app->params().deferredGet);
}

TEST_F(LiveTest, SwitchingToTheConnectionOrScopePageStopsTheLoop) {
  for (const MainPage page : {MainPage::Connection, MainPage::Scope}) {
    SCOPED_TRACE(static_cast<int>(page));
    sim::SimOptions options;
    options.delayMs = 5;
    startConnected(options);
    // The operator's tab change (showPage is the program's and stops nothing).
    when([&] { return frames() >= 3; },
         [&, page] { window().tabs()->setCurrentIndex(static_cast<int>(page)); });

    pressGo();

    EXPECT_EQ(countOrder(kMeasure), static_cast<int>(frames()));
    EXPECT_EQ(window().currentPage(), page);
    EXPECT_TRUE(app->link().linkOk);
    EXPECT_TRUE(window().goButton()->isEnabled());
    timers = std::make_unique<QObject>();
    app.reset();
  }
}

TEST_F(LiveTest, AnEepromGetWithAPlausibilityWordKeepsTheLoopRunning) {
  sim::SimOptions options;
  options.delayMs = 2;
  options.plausibilityWord = 2;
  startConnected(options);
  window().memoryButton(ParameterMemory::Eeprom)->click();
  const int loads = countOrder(4);
  bool runningAfterGet = false;
  when([&] { return frames() >= 2; }, [&] { window().getButton()->click(); });
  when([&] { return countOrder(4) > loads && frames() >= 6; },
       [&] {
         runningAfterGet = app->link().acquisitionRunning();
         window().stopButton()->click();
       });

  pressGo();

  EXPECT_TRUE(runningAfterGet);
  EXPECT_EQ(window().currentPage(), MainPage::Connection);
  EXPECT_TRUE(app->connectionPage().logText().endsWith(eepromPlausibilityMessage(2)));
  // The page was shown by the program, not clicked: the link's buttons are not dimmed (the
  // busy lock keeps CHANGE BAUDRATE and HARDWARE INFO FILE for the next handshake).
  EXPECT_TRUE(app->connectionPage().acceptButton()->isEnabled());
}

TEST_F(LiveTest, ClosingTheWindowDuringTheLoopEndsItAndStoresTheSettings) {
  sim::SimOptions options;
  options.delayMs = 5;
  startConnected(options);
  QFile::remove(settingsPath());
  when([&] { return frames() >= 2; }, [&] { window().close(); });

  pressGo();

  EXPECT_TRUE(app->quitRequested());
  EXPECT_FALSE(app->link().acquisitionRunning());
  EXPECT_TRUE(QFile::exists(settingsPath()));
  app->shutdown();
}

} // namespace
} // namespace quorvane::testing
