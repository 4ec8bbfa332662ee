// The graph widget: plots and items, axes, strip charts, cursors, zoom, images, redraws.
#include "ui/graph_widget.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

struct GraphFixture : ::testing::Test {
  GraphWidget graph;
  GraphFixture() { graph.resize(400, 300); }

  void show() {
    graph.show();
    QApplication::processEvents();
  }
  // Pixel position of a plot co-ordinate inside the drawing surface.
  QPointF pixel(double x, double y) const {
    return {graph.plot()->xAxis->coordToPixel(x), graph.plot()->yAxis->coordToPixel(y)};
  }
  void mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
             Qt::KeyboardModifiers mods = {}) {
    QMouseEvent e(type, at, graph.plot()->mapToGlobal(at), button, buttons, mods);
    QApplication::sendEvent(graph.plot(), &e);
  }
};

TEST_F(GraphFixture, PlotsOvalsAndRectanglesComeAndGo) {
  const std::vector<double> keys{1, 2, 3}, values{10, 20, 15};
  const auto line = graph.plotXY(keys, values, Qt::red);
  const auto points = graph.plotXY(keys, values, Qt::blue, PlotStyle::Points);
  const auto oval = graph.plotOval(QRectF(QPointF(100, 400), QPointF(300, 200)), Qt::green);
  graph.plotRect(QRectF(0, 0, 50, 60), Qt::black, Qt::yellow);
  graph.setCursorCount(1);
  EXPECT_EQ(graph.plotCount(), 4);
  EXPECT_EQ(graph.plot()->graphCount(), 2);
  EXPECT_NE(line, points);

  // The oval sits in its bounding box whatever corners it was given.
  auto *ellipse = qobject_cast<QCPItemEllipse *>(graph.plot()->item(0));
  ASSERT_NE(ellipse, nullptr);
  EXPECT_EQ(ellipse->topLeft->coords(), QPointF(100, 400));
  EXPECT_EQ(ellipse->bottomRight->coords(), QPointF(300, 200));
  EXPECT_EQ(ellipse->brush().style(), Qt::NoBrush);

  EXPECT_TRUE(graph.setPlotData(line, std::vector<double>{5, 1}, std::vector<double>{50, 10}));
  EXPECT_EQ(graph.plot()->graph(0)->data()->begin()->key, 1.0) << "keys end up sorted";
  EXPECT_FALSE(graph.setPlotData(oval, keys, values));
  EXPECT_FALSE(graph.setPlotData(999, keys, values));

  graph.deletePlot(oval);
  EXPECT_EQ(graph.plotCount(), 3);
  graph.deleteAllPlots();
  EXPECT_EQ(graph.plotCount(), 0);
  EXPECT_EQ(graph.plot()->graphCount(), 0);
  EXPECT_EQ(graph.plot()->itemCount(), 2) << "the cursor's two lines stay";
  EXPECT_EQ(graph.cursorCount(), 1);
}

TEST_F(GraphFixture, FixedAndAutomaticAxes) {
  const std::vector<double> keys{0, 1, 2, 3};
  const struct {
    std::vector<double> values;
    GraphRange y;
  } cases[] = {
      {{5, -20, 30, 7}, {-20, 30}},
      {{-1, 4095, 0, 2}, {-1, 4095}},
  };
  for (const auto &c : cases) {
    graph.deleteAllPlots();
    graph.setYAutoScale(true);
    graph.setXAutoScale(true);
    graph.plotXY(keys, c.values, Qt::red);
    EXPECT_EQ(graph.yRange(), c.y);
    EXPECT_EQ(graph.xRange(), (GraphRange{0, 3}));
  }
  // Flat data keeps a visible span around its value.
  graph.deleteAllPlots();
  graph.plotXY(keys, std::vector<double>{8, 8, 8, 8}, Qt::red);
  EXPECT_LT(graph.yRange().lower, 8.0);
  EXPECT_GT(graph.yRange().upper, 8.0);
  graph.setYRange(0, 4096);
  EXPECT_FALSE(graph.yAutoScale());
  graph.plotXY(keys, std::vector<double>{1e6, 0, 0, 0}, Qt::red);
  EXPECT_EQ(graph.yRange(), (GraphRange{0, 4096})) << "fixed stays fixed";
}

TEST_F(GraphFixture, StripChartSplitsInterleavedTraces) {
  const std::array<QColor, 3> colours{Qt::red, Qt::green, Qt::blue};
  graph.setStripTraces(colours);
  graph.setPointsPerScreen(101);
  EXPECT_EQ(graph.xRange(), (GraphRange{0, 100}));
  std::vector<double> values;
  for (int i = 0; i < 100; ++i)
    for (int t = 0; t < 3; ++t)
      values.push_back(i * 10 + t);
  values.push_back(-1); // a partial sample at the end is ignored
  graph.setYAutoScale(true);
  graph.plotStrip(values);
  for (int t = 0; t < 3; ++t) {
    const auto v = graph.stripValues(t);
    ASSERT_EQ(v.size(), 100u);
    EXPECT_EQ(v.front(), t);
    EXPECT_EQ(v.back(), 990 + t);
  }
  EXPECT_EQ(graph.xRange(), (GraphRange{0, 100})) << "time axis kept while values scale";
  EXPECT_EQ(graph.yRange(), (GraphRange{0, 992}));
  EXPECT_TRUE(graph.stripValues(3).empty());

  // More than three traces are not made; plotting without traces does nothing.
  const std::array<QColor, 4> four{Qt::red, Qt::green, Qt::blue, Qt::black};
  graph.setStripTraces(four);
  EXPECT_EQ(graph.stripTraceCount(), 3);
  graph.clearStrip();
  graph.plotStrip(values);
  EXPECT_EQ(graph.plot()->graphCount(), 0);
}

TEST_F(GraphFixture, CursorsMoveByHandOnlyWhenMovable) {
  show();
  graph.setXRange(0, 100);
  graph.setYRange(0, 100);
  graph.setCursorCount(3); // at most two
  EXPECT_EQ(graph.cursorCount(), 2);
  graph.setCursorPosition(0, 10, 10);
  graph.setCursorPosition(1, 90, 90);
  graph.setCursorPosition(2, 50, 50); // no third cursor: ignored
  EXPECT_EQ(graph.cursorPosition(2), QPointF());
  graph.replotNow();
  QSignalSpy moved(&graph, &GraphWidget::cursorMoved);

  mouse(QEvent::MouseButtonPress, pixel(80, 70), Qt::LeftButton, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, pixel(80, 70), Qt::LeftButton, {});
  EXPECT_EQ(moved.count(), 0);
  EXPECT_EQ(graph.cursorPosition(1), QPointF(90, 90));

  graph.setCursorsMovable(true);
  mouse(QEvent::MouseButtonPress, pixel(80, 70), Qt::LeftButton, Qt::LeftButton);
  mouse(QEvent::MouseMove, pixel(60, 40), Qt::NoButton, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, pixel(60, 40), Qt::LeftButton, {});
  ASSERT_EQ(moved.count(), 2);
  EXPECT_EQ(moved.last().at(0).toInt(), 1) << "the nearer cursor moves";
  EXPECT_NEAR(graph.cursorPosition(1).x(), 60, 1);
  EXPECT_NEAR(graph.cursorPosition(1).y(), 40, 1);
  EXPECT_EQ(graph.cursorPosition(0), QPointF(10, 10));
}

TEST_F(GraphFixture, CtrlDragZoomsPlainDragDoesNot) {
  show();
  graph.setXRange(0, 1000);
  graph.setYRange(0, 1000);
  graph.setYAutoScale(true);
  graph.replotNow();
  QSignalSpy zoomed(&graph, &GraphWidget::zoomedByUser);
  QSignalSpy clicked(&graph, &GraphWidget::leftClicked);

  const QPointF from = pixel(200, 800), to = pixel(400, 600);
  mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, {});
  EXPECT_EQ(zoomed.count(), 0);
  EXPECT_EQ(clicked.count(), 1);
  EXPECT_EQ(graph.xRange(), (GraphRange{0, 1000}));

  mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
  mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
  mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, {}, Qt::ControlModifier);
  EXPECT_EQ(zoomed.count(), 1);
  EXPECT_EQ(clicked.count(), 1) << "a zoom is not a click";
  EXPECT_NEAR(graph.xRange().lower, 200, 5);
  EXPECT_NEAR(graph.xRange().upper, 400, 5);
  EXPECT_NEAR(graph.yRange().lower, 600, 5);
  EXPECT_NEAR(graph.yRange().upper, 800, 5);
  EXPECT_FALSE(graph.yAutoScale()) << "a zoomed view stays put";
}

TEST_F(GraphFixture, RedrawsAreCoalescedAndWaitWhileHidden) {
  int replots = 0;
  QObject::connect(graph.plot(), &QCustomPlot::afterReplot, [&] { ++replots; });
  const std::array<QColor, 1> one{Qt::red};
  graph.setStripTraces(one);
  std::vector<double> values(100);
  auto settle = [&] {
    while (graph.replotPending() && graph.isVisible())
      QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents();
  };
  settle();

  // Hidden: data is taken, nothing is drawn.
  int before = replots;
  for (int i = 0; i < 50; ++i) {
    values[99] = i;
    graph.plotStrip(values);
  }
  QApplication::processEvents();
  EXPECT_EQ(replots, before);
  EXPECT_TRUE(graph.replotPending());

  // Shown: the pending change is drawn.
  graph.show();
  settle();
  EXPECT_FALSE(graph.replotPending());
  EXPECT_GT(replots, before);

  // Many updates between two turns of the event loop are drawn once.
  before = replots;
  for (int i = 0; i < 500; ++i) {
    values[99] = i;
    graph.plotStrip(values);
  }
  EXPECT_EQ(replots, before) << "nothing is drawn from inside an update";
  settle();
  EXPECT_EQ(replots, before + 1);
  EXPECT_EQ(graph.stripValues(0).back(), 499.0);
}

TEST_F(GraphFixture, ImagesOfItself) {
  graph.plotXY(std::vector<double>{0, 1}, std::vector<double>{0, 1}, Qt::red);
  const QPixmap image = graph.toPixmap(320, 200);
  EXPECT_EQ(image.size(), QSize(320, 200));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("graph.pdf"));
  ASSERT_TRUE(graph.savePdf(path, 320, 200));
  QFile pdf(path);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

} // namespace
} // namespace quorvane
