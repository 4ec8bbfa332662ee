// The two teach assistants through the real window against the simulator: the mean-value
// panel on the live loop and the recorded-values panel with its own loop, each teaching a
// row that the next SEND carries to the sensor, and the recorded run's every way to end.
#include "app_fixture.h"

#include "link/sensor_link.h"
#include "teach/teach_subsystem.h"
#include "ui/graph_widget.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>

namespace quorvane::testing {
namespace {

struct TeachAssistTest : AppFixture {
  TeachSubsystem &teach() { return app->teach(); }
  MeanTeachPanel &mean() { return teach().meanPanel(); }
  RecordedTeachPanel &recorded() { return teach().recordedPanel(); }
  std::vector<int> cells(int row) {
    std::vector<int> out;
    for (int c = 0; c < 5; ++c)
      out.push_back(teachPage().cell(row, c));
    return out;
  }
  std::vector<int> sensorRow(int row) {
    const auto &cell = model().ramTeachTable(0)[static_cast<std::size_t>(row)].cell;
    return {cell.begin(), cell.end()};
  }
  // Runs `during` from the event loop once `frames` more frames were shown, then CLOSE.
  template <typename Open>
  void runAssistant(Open open, std::uint64_t frames, std::function<void()> during) {
    const std::uint64_t start = live().framesShown();
    when([&, frames, start] { return live().framesShown() >= start + frames; }, during);
    open();
    if (!QTest::qWaitFor([this] { return app->idle(); }, 20000)) {
      ADD_FAILURE() << "the loop did not end";
      app->link().stopAcquisition();
      settle();
    }
  }
};

TEST_F(TeachAssistTest, MeanValuesTaughtFromCapturedFramesReachTheSensor) {
  startConnected();
  choose(field::kDigitalOutmode, 1);
  choose(field::kEvaluationMode, 0);
  choose(field::kCalculationMode, 0);
  dialogs.clear(); // the rules' notes on the mode changes
  window().showPage(MainPage::TeachTable);
  ASSERT_TRUE(teach().meanButton()->isEnabled());
  app->parameters().data().setRowNumber(4);
  teachPage().autoIncrementButton()->setChecked(true);

  std::vector<MeasuredValues> captured;
  runAssistant([&] { teach().meanButton()->click(); }, 3,
               [&] {
                 EXPECT_EQ(window().currentChildPanel(), ChildPanel::MeanTeach);
                 EXPECT_TRUE(app->link().acquisition() == Acquisition::Live);
                 for (int i = 0; i < 3; ++i) {
                   captured.push_back(live().measuredValues());
                   mean().captureButton()->click();
                 }
                 EXPECT_EQ(mean().liveNumber(0)->text().toInt(), live().measuredValues().red);
                 mean().closeButton()->click();
               });
  EXPECT_FALSE(app->link().acquisitionRunning());
  EXPECT_EQ(window().currentChildPanel(), ChildPanel::Measurement);
  ASSERT_EQ(captured.size(), 3u);
  EXPECT_EQ(mean().counter()->text(), QStringLiteral("3"));
  const MeanValues &m = teach().meanTeach().means();
  int sumX = 0;
  for (const MeasuredValues &v : captured)
    sumX += std::max<int>(v.x, 0);
  EXPECT_EQ(m.mean[3], sumX / 3);

  // CTO = spread + 20, ITO = value 7.
  mean().toleranceRing(0)->setCurrentIndex(2);
  mean().toleranceValue(0)->setValue(20);
  mean().toleranceRing(1)->setCurrentIndex(0);
  mean().toleranceValue(1)->setValue(7);
  mean().teachButton()->click();
  const std::vector<int> want{m.mean[3], m.mean[4], static_cast<int>(m.spread) + 20, m.mean[5], 7};
  EXPECT_EQ(cells(4), want);
  EXPECT_EQ(teachPage().currentRow(), 5);
  window().sendButton()->click();
  settle();
  EXPECT_EQ(sensorRow(4), want);
  for (const auto &p : dialogs.popups())
    ADD_FAILURE() << p.title.toStdString() << ": " << p.text.toStdString();
}

TEST_F(TeachAssistTest, RecordedPointPickedWithCursorIsTaughtAndSent) {
  startConnected();
  choose(field::kDigitalOutmode, 1);
  choose(field::kEvaluationMode, 0);
  choose(field::kCalculationMode, 0);
  teach().recordedButton()->click();
  EXPECT_EQ(window().currentChildPanel(), ChildPanel::RecordedTeach);
  EXPECT_EQ(recorded().graphTitle(1)->text(), QStringLiteral("X/INT"));

  RecordedTeachController &c = teach().recordedTeach();
  runAssistant([&] { recorded().startButton()->click(); }, 20,
               [&] {
                 EXPECT_TRUE(c.recording());
                 EXPECT_FALSE(recorded().startButton()->isEnabled()) << "the busy lock";
                 window().stopButton()->click();
               });
  EXPECT_FALSE(c.recording());
  const std::size_t n = c.points().counter();
  ASSERT_GE(n, 20u);
  EXPECT_EQ(recorded().counter()->text(), QString::number(n));
  EXPECT_EQ(countOrder(8), static_cast<int>(n));

  // The mouse: the cursor snaps onto the drawn point nearest to where it was dropped.
  const auto &points = c.points().points();
  const std::size_t pick = n / 2;
  const RecordedPoint p = points[pick];
  c.snapCursor(0, p.x + 0.3, p.y - 0.2);
  const auto first = c.points().findAtCursor(0, {p.x, p.y});
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(recorded().display(0)->text().toInt(), std::max<int>(int(points[*first].x), 0));
  EXPECT_EQ(recorded().graph(1)->cursorPosition(0),
            QPointF(points[*first].x, points[*first].intensity));
  // Off every point: point 0.
  c.selectPointAtCursor(2, -1000.5, 3);
  EXPECT_EQ(recorded().display(2)->text().toInt(), std::max<int>(int(points[0].intensity), 0));
  // The keyboard: Right from point 0 goes to the (first point at the place of) point 1.
  recorded().graph(0)->setFocus();
  c.snapCursor(0, points[0].x, points[0].y);
  QTest::keyClick(recorded().graph(0), Qt::Key_Right);
  const auto second = c.points().findAtCursor(0, {points[1].x, points[1].y});
  EXPECT_EQ(recorded().graph(0)->cursorPosition(0), QPointF(points[*second].x, points[*second].y));

  // Only TEACH DATA TO sets a row's colour, also in automatic mode.
  teach().rowColoursPage().modeRing()->setCurrentIndex(1);
  Q_EMIT teach().rowColoursPage().modeRing()->activated(1);
  app->parameters().data().setRowNumber(9);
  recorded().teachButton()->click();
  const auto shown = recorded().displays();
  EXPECT_EQ(cells(9)[0], shown[0]);
  EXPECT_EQ(cells(9)[1], shown[1]);
  EXPECT_EQ(cells(9)[3], shown[2]);
  EXPECT_EQ(teach().rowColours().rowColors()[9], DefaultRowColors[9]);
  window().sendButton()->click();
  settle();
  EXPECT_EQ(sensorRow(9), cells(9));

  // RESET empties graphs and counter; TEACH then teaches what the displays show.
  dialogs.answerConfirm(true);
  recorded().resetButton()->click();
  EXPECT_EQ(c.points().counter(), 0u);
  EXPECT_EQ(recorded().counter()->text(), QStringLiteral("0"));
  app->parameters().data().setRowNumber(10);
  recorded().teachButton()->click();
  EXPECT_EQ(cells(10)[0], shown[0]);

  // START with a full store records nothing and says why.
  while (!c.points().full())
    c.takeRecordedPoint(MeasuredValues{});
  recorded().startButton()->click();
  EXPECT_EQ(dialogs.popups().back().text, "The store of recorded values is full (60000 values). "
                                          "\nPress RESET to empty it, then START again.");
  EXPECT_EQ(countOrder(8), static_cast<int>(n));
  recorded().closeButton()->click();
  EXPECT_EQ(window().currentChildPanel(), ChildPanel::Measurement);
}

TEST_F(TeachAssistTest, RecordedValuesRunEndsOnEveryCause) {
  enum class Cause { ConnectionPage, ScopePage, PanelClose, WindowClose };
  for (const Cause cause :
       {Cause::ConnectionPage, Cause::ScopePage, Cause::PanelClose, Cause::WindowClose}) {
    SCOPED_TRACE(static_cast<int>(cause));
    startConnected();
    teach().recordedButton()->click();
    RecordedTeachController &c = teach().recordedTeach();
    runAssistant([&] { recorded().startButton()->click(); }, 3,
                 [&] {
                   switch (cause) {
                   case Cause::ConnectionPage:
                     clickTab(MainPage::Connection);
                     break;
                   case Cause::ScopePage:
                     clickTab(MainPage::Scope);
                     break;
                   case Cause::PanelClose:
                     recorded().closeButton()->click();
                     break;
                   case Cause::WindowClose:
                     window().close();
                     break;
                   }
                 });
    EXPECT_FALSE(c.recording());
    // Every measurement order taken became a point: none was left on the line.
    EXPECT_EQ(countOrder(8), static_cast<int>(c.points().counter()));
    EXPECT_TRUE(app->link().linkOk());
    EXPECT_EQ(app->quitRequested(), cause == Cause::WindowClose);
    app->shutdown();
    app.reset();
    dialogs.clear();
  }
}

} // namespace
} // namespace quorvane::testing
