// GO and STOP through the main window against the simulated sensor: moving values, STOP
// during a wait, link failures, transfers deferred by the loop, and page switches.
#include "app_fixture.h"

#include "app/connection_status_box.h"
#include "live/graph_panel.h"
#include "ui/display_widgets.h"
#include "ui/graph_widget.h"

#include <qcustomplot.h>

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

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
  GraphPanel &graphPanel() {
    auto *p = window().findChild<GraphPanel *>();
    EXPECT_NE(p, nullptr);
    return *p;
  }
};

// The ovals of a colour-space graph as (colour, box) in drawing order.
struct DrawnOval {
  QRgb colour;
  QRectF box;
  bool operator==(const DrawnOval &) const = default;
};

std::vector<DrawnOval> ovalsOf(GraphWidget *g) {
  std::vector<DrawnOval> out;
  for (int i = 0; i < g->plot()->itemCount(); ++i)
    if (auto *e = qobject_cast<QCPItemEllipse *>(g->plot()->item(i)))
      out.push_back({e->pen().color().rgb() & 0xFFFFFF,
                     QRectF(QPointF(e->topLeft->coords().x(), e->bottomRight->coords().y()),
                            QPointF(e->bottomRight->coords().x(), e->topLeft->coords().y()))});
  return out;
}

bool contains(const GraphRange &r, double v) {
  return r.lower <= v && v <= r.upper;
}

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
  EXPECT_EQ(shown("redValue"), QString::number(live().measuredValues().red));
  EXPECT_EQ(shown("xValue"), QString::number(live().measuredValues().x));
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
  EXPECT_TRUE(app->link().linkOk());
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
  EXPECT_TRUE(app->connectionPage().logText().endsWith(app->link().errorText() + "\n\n"));
  EXPECT_FALSE(app->link().linkOk());
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
}

TEST_F(LiveTest, SwitchingToTheConnectionOrScopePageStopsTheLoop) {
  for (const MainPage page : {MainPage::Connection, MainPage::Scope}) {
    SCOPED_TRACE(std::string(page.name));
    sim::SimOptions options;
    options.delayMs = 5;
    startConnected(options);
    // The operator's tab change (showPage is the program's and stops nothing).
    when([&] { return frames() >= 3; },
         [&, page] { window().tabs()->setCurrentIndex(window().tabIndex(page)); });

    pressGo();

    EXPECT_EQ(countOrder(kMeasure), static_cast<int>(frames()));
    EXPECT_EQ(window().currentPage(), page);
    EXPECT_TRUE(app->link().linkOk());
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

TEST_F(LiveTest, GoDrawsEveryRowInItsColourAndTheCursorMovesAmongThem) {
  sim::SimOptions options;
  options.delayMs = 2;
  startConnected(options); // the sensor holds a taught table
  std::set<std::pair<double, double>> cursors;
  for (const std::uint16_t mode : {0, 2}) {
    SCOPED_TRACE(mode);
    choose(field::kCalculationMode, mode);
    const auto &c = app->params().table[0].cell;
    const bool flat = mode < 2; // 2D layout: X Y CTO INT ITO; 3D: X Y INT TOL
    const int r = flat ? c[2] : c[3], c3 = flat ? c[3] : c[2], r3 = flat ? c[4] : c[3];
    GraphWidget *plane = flat ? panel().graph2D() : panel().graphs3D()[0];
    cursors.clear();
    auto track = QObject::connect(&app->frames(), &FramePublisher::frame, [&] {
      cursors.emplace(plane->cursorPosition(0).x(), plane->cursorPosition(0).y());
    });
    when([&] { return cursors.size() >= 5; }, [&] { window().stopButton()->click(); });
    pressGo();
    QObject::disconnect(track);

    const std::array<GraphWidget *, 4> views{panel().graph2D(), panel().graphs3D()[0],
                                             panel().graphs3D()[1], panel().graphs3D()[2]};
    for (GraphWidget *g : views) {
      const std::vector<DrawnOval> ovals = ovalsOf(g);
      ASSERT_EQ(ovals.size(), kTeachRows) << g->accessibleName().toStdString();
      for (std::size_t n = 0; n < kTeachRows; ++n)
        EXPECT_EQ(ovals[n].colour, live().rowColours()[n]) << "row " << n;
    }
    EXPECT_EQ(ovalsOf(views[0])[0].box, QRectF(c[0] - r, c[1] - r, 2 * r, 2 * r));
    EXPECT_EQ(ovalsOf(views[2])[0].box, QRectF(c[0] - r, c3 - r3, 2 * r, 2 * r3));
    EXPECT_EQ(ovalsOf(views[3])[0].box, QRectF(c[1] - r, c3 - r3, 2 * r, 2 * r3));

    // Fixed axes of equal width keep the current colour and the taught rows in view.
    const MeasuredValues &m = live().measuredValues();
    EXPECT_EQ(plane->cursorPosition(0), QPointF(m.x, m.y));
    const GraphRange x = plane->xRange(), y = plane->yRange();
    EXPECT_DOUBLE_EQ(x.upper - x.lower, y.upper - y.lower);
    EXPECT_TRUE(contains(x, m.x) && contains(y, m.y));
    EXPECT_TRUE(contains(x, c[0] - r) && contains(x, c[0] + r));
    EXPECT_FALSE(plane->xAutoScale() || plane->yAutoScale());
    if (!flat) {
      EXPECT_EQ(views[3]->cursorPosition(0), QPointF(m.y, m.intensity));
    }
  }
  EXPECT_TRUE(dialogs.popups().empty());
}

TEST_F(LiveTest, TableColourAndRowChangesRedrawTheViews) {
  startConnected();
  choose(field::kCalculationMode, 0);
  GraphWidget *plane = panel().graph2D();
  const std::array<std::uint16_t, 5> row4{3000, 2800, 100, 1000, 150};
  for (int c = 0; c < 5; ++c)
    app->parameters().data().setCell(4, c, row4[std::size_t(c)]);
  Q_EMIT teachPage().cellEdited(4, 4);
  EXPECT_EQ(ovalsOf(plane)[4].box, QRectF(2900, 2700, 200, 200));

  TeachRowColours colours = live().rowColours();
  colours[4] = 0x123456;
  live().setRowColours(colours);
  EXPECT_EQ(ovalsOf(panel().graphs3D()[2])[4].colour, 0x123456u);
  EXPECT_EQ(ovalsOf(plane).size(), kTeachRows) << "redrawn, not added";

  // The "No." field moves the intensity band to its row: I - D .. I + D.
  teachPage().rowNumber()->setValue(4);
  QCustomPlot *band = panel().graphIntensity2D()->plot();
  std::vector<const QCPItemRect *> rects;
  for (int i = 0; i < band->itemCount(); ++i)
    if (auto *r = qobject_cast<QCPItemRect *>(band->item(i))) rects.push_back(r);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0]->topLeft->coords().x(), 850);
  EXPECT_EQ(rects[0]->bottomRight->coords().x(), 1150);
}

TEST_F(LiveTest, AZoomedStripChartGetsItsTimeAxisBackWithTheNextFrame) {
  startOffline();
  std::vector<GraphWidget *> strips{panel().graphRgb(), panel().graph3DRgb()};
  strips.insert(strips.end(), panel().graphsValues().begin(), panel().graphsValues().end());
  for (GraphWidget *g : strips) {
    g->setXRange(40.0, 60.0); // as the operator's Ctrl + drag leaves it
    g->setYRange(100.0, 200.0);
  }
  for (const std::uint16_t mode : {0, 2}) { // the 3D page's chart is drawn in the 3D modes
    app->parameters().data().setField(field::kCalculationMode, mode);
    live().showFrame(MeasuredValues{});
  }
  for (GraphWidget *g : strips) {
    EXPECT_EQ(g->xRange(), (GraphRange{0.0, 100.0})) << g->accessibleName().toStdString();
    EXPECT_EQ(g->yRange(), (GraphRange{100.0, 200.0})) << "the value zoom stays";
  }
}

TEST_F(LiveTest, GraphPanelShowsRecordedSignalsOneAtATime) {
  startConnected();
  panel().findChild<QPushButton *>(QStringLiteral("showGraphButton"))->click();
  EXPECT_EQ(window().currentChildPanel(), ChildPanel::Graph);
  GraphPanel &gp = graphPanel();
  const auto points = [&](std::size_t graph) {
    std::vector<std::pair<double, double>> out;
    const auto d = gp.graph(graph)->plot()->graph(0)->data();
    for (auto it = d->constBegin(); it != d->constEnd(); ++it)
      out.emplace_back(it->key, it->value);
    return out;
  };
  using Points = std::vector<std::pair<double, double>>;
  MeasuredValues m{};
  for (const bool restart : {false, true}) { // a second recording starts the graphs over
    live().restartGraphPanel();
    for (const std::int16_t t : {20, -7, 25}) { // as the recorder feeds them
      m.temperature = t;
      live().showFrame(m);
      live().addGraphPanelFrame();
    }
    EXPECT_EQ(points(6), (Points{{0, 20}, {0, 20}, {1, 65529}, {2, 25}})) << restart;
  }
  EXPECT_EQ(gp.number(6)->text(), "25");
  EXPECT_TRUE(contains(gp.graph(6)->yRange(), 65529) && contains(gp.graph(6)->yRange(), 20));

  QComboBox *selector = gp.signalSelector();
  for (int item = 0; item < int(kPanelGraphs); ++item) {
    selector->setCurrentIndex(item);
    Q_EMIT selector->activated(item);
    for (std::size_t g = 0; g < kPanelGraphs; ++g)
      EXPECT_EQ(gp.graph(g)->isVisibleTo(&gp), int(g) == item) << item << " " << g;
  }
  choose(field::kCalculationMode, 1);
  QStringList items;
  for (int i = 0; i < selector->count(); ++i)
    items << selector->itemText(i);
  EXPECT_EQ(items, (QStringList{"RED", "GREEN", "BLUE", "s", "i", "M", "TEMP"}));

  gp.closeButton()->click();
  EXPECT_EQ(window().currentChildPanel(), ChildPanel::Measurement);
}

} // namespace
} // namespace quorvane::testing
