// What one frame shows on the measurement panel, the rules' switches, the zoom clicks and
// the big read-outs. Frames are handed to the controller directly; no sensor is needed.
#include "live_rig.h"

#include "live/big_display_panel.h"
#include "params/core/panel_rules.h"
#include "ui/display_widgets.h"
#include "ui/graph_widget.h"

#include <QTabWidget>
#include <QTest>

#include <qcustomplot.h>

namespace quorvane::testing {
namespace {

MeasuredValues rgbFrame(std::int16_t r, std::int16_t g, std::int16_t b) {
  MeasuredValues m;
  m.red = r;
  m.green = g;
  m.blue = b;
  return m;
}

struct PanelFixture : ::testing::Test {
  LiveRig rig;

  void show(const MeasuredValues &m) {
    const auto bytes = encodeMeasuredValues(m);
    rig.controller.takeFrame(bytes); // published, then shown
  }
  template <typename W> W *child(const char *name) {
    auto *w = rig.panel.findChild<W *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  LedIndicator *led(const char *name) { return child<LedIndicator>(name); }
  QString number(const char *name) { return child<NumberDisplay>(name)->text(); }
};

TEST_F(PanelFixture, OutLedsFollowTheColourNumberInOutputEvaluationModes) {
  struct Step {
    int evaluationMode;
    std::int16_t colorNumber;
    bool out0, out1;
  };
  // Below mode 3 the LEDs keep what the last output mode showed.
  const Step steps[] = {
      {3, 255, true, true}, {3, 0, false, false},  {3, 1, true, false}, {4, 2, false, true},
      {1, 0, false, true},  {2, 255, false, true}, {6, 3, true, true},  {0, 1, true, true},
  };
  for (const Step &s : steps) {
    rig.parameters.para.evaluationMode = static_cast<std::uint16_t>(s.evaluationMode);
    MeasuredValues m;
    m.colorNumber = s.colorNumber;
    show(m);
    EXPECT_EQ(led("ledOUT0")->isOn(), s.out0) << s.evaluationMode << "/" << s.colorNumber;
    EXPECT_EQ(led("ledOUT1")->isOn(), s.out1) << s.evaluationMode << "/" << s.colorNumber;
  }
}

TEST_F(PanelFixture, ColourBoxAndCurrentColour) {
  const struct {
    MeasuredValues m;
    CurrentColour colour;
    QColor painted;
  } cases[] = {
      {rgbFrame(4095, 4095, 4095), {255, 255, 255}, QColor(255, 255, 255)},
      {rgbFrame(4095, 2048, 15), {255, 128, 0}, QColor(0xFF, 0x80, 0x00)},
      {rgbFrame(-40, -16, -15), {-2, -1, 0}, QColor(0, 0, 0)},
      {rgbFrame(-4096, 1600, 32767), {-256, 100, 2047}, QColor(0, 100, 255)},
  };
  for (const auto &c : cases) {
    show(c.m);
    EXPECT_EQ(rig.controller.currentColour(), c.colour);
    EXPECT_EQ(child<ColourBox>("colourBox")->colour(), c.painted);
  }
}

TEST_F(PanelFixture, TriggerLedGreenWhenTriggeredBlackOtherwise) {
  for (std::int16_t trigger : {1, 0, 1, 0}) {
    MeasuredValues m;
    m.trigger = trigger;
    show(m);
    EXPECT_EQ(led("ledTrig")->colour() == QColor(Qt::black), trigger == 0);
  }
}

TEST_F(PanelFixture, FirstNinetyNineSamplesShowZerosAtTheLeft) {
  for (int n = 1; n <= 99; ++n) {
    MeasuredValues m = rgbFrame(1000, 2000, 3000);
    m.x = 100;
    m.y = 200;
    m.intensity = 300;
    show(m);
  }
  for (int trace = 0; trace < 3; ++trace) {
    const auto v = rig.panel.graphRgb()->stripValues(trace);
    ASSERT_EQ(v.size(), kHistorySamples);
    EXPECT_EQ(v[0], 0.0);
    EXPECT_EQ(v[1], 1000.0 * (trace + 1));
    EXPECT_EQ(v[99], 1000.0 * (trace + 1));
  }
  const auto x = rig.panel.graphsValues()[0]->stripValues(0);
  EXPECT_EQ(x[0], 0.0);
  EXPECT_EQ(x[1], 100.0);
  EXPECT_EQ(rig.panel.graphRgb()->pointsPerScreen(), 101);
  for (GraphWidget *g : rig.panel.graphsValues())
    EXPECT_EQ(g->pointsPerScreen(), 101);
}

TEST_F(PanelFixture, EveryPageGetsItsNumbers) {
  MeasuredValues m = rgbFrame(11, 22, 33);
  m.extremesFirst = {1, 2, 3};
  m.extremesSecond = {4001, 4002, 4003};
  m.auxiliary = {-5, 6, 7};
  m.colorNumber = 4;
  m.group = 2;
  m.deltaC = -1;
  show(m);
  EXPECT_EQ(number("minimumRED"), "1");
  EXPECT_EQ(number("minimumBLUE"), "3");
  EXPECT_EQ(number("maximumGREEN"), "4002");
  EXPECT_EQ(number("aux1"), "-5");
  EXPECT_EQ(number("aux3"), "7");
  EXPECT_EQ(number("deltaC"), "-1");
  EXPECT_EQ(rig.panel.bigColourPanel().valueText(), "4");
  EXPECT_EQ(rig.panel.bigGroupPanel().valueText(), "2");
  // Red, green and blue appear on the live panel and on three graph pages.
  int reds = 0;
  for (auto *d : rig.panel.findChildren<NumberDisplay *>())
    if (d->accessibleName() == "RED" && d->text() == "11") ++reds;
  EXPECT_EQ(reds, 4);
}

TEST_F(PanelFixture, AShortReplyReadsAsZeros) {
  MeasuredValues m = rgbFrame(100, 200, 300);
  m.colorNumber = 7;
  const auto bytes = encodeMeasuredValues(m);
  rig.controller.takeFrame(std::span<const std::uint8_t>(bytes).first(4)); // red, green only
  rig.controller.showMeasurement();
  EXPECT_EQ(number("redValue"), "100");
  EXPECT_EQ(number("greenValue"), "200");
  EXPECT_EQ(number("blueValue"), "0");
  EXPECT_EQ(number("colourNumber"), "0");
}

TEST_F(PanelFixture, CursorsFollowTheFrameInTheViewOfTheCalculationMode) {
  MeasuredValues m = rgbFrame(1, 2, 3);
  m.x = 1500;
  m.y = 2500;
  m.intensity = 1500;
  int reads = 0;
  rig.transfer.readCalculationMode = [&] { ++reads; };
  const struct {
    std::uint16_t mode;
    double intensityCursor;
  } modes[] = {{0, 1500.0}, {1, 1200.0}};
  for (const auto &c : modes) {
    rig.parameters.para.calculationMode = c.mode;
    show(m);
    EXPECT_EQ(rig.panel.graph2D()->cursorPosition(0), QPointF(1500, 2500));
    EXPECT_EQ(rig.panel.graphIntensity2D()->cursorPosition(0), QPointF(c.intensityCursor, 50));
  }
  rig.parameters.para.calculationMode = 3;
  m.x = 10;
  m.y = 20;
  m.intensity = 30;
  show(m);
  EXPECT_EQ(rig.panel.graphs3D()[0]->cursorPosition(0), QPointF(10, 20));
  EXPECT_EQ(rig.panel.graphs3D()[1]->cursorPosition(0), QPointF(10, 30));
  EXPECT_EQ(rig.panel.graphs3D()[2]->cursorPosition(0), QPointF(20, 30));
  EXPECT_EQ(rig.panel.graph3DRgb()->stripValues(2).back(), 3.0);
  EXPECT_EQ(reads, 3) << "the mode is re-read for every frame";
}

TEST_F(PanelFixture, ZoomClicksOnTheStripCharts) {
  GraphWidget *rgb = rig.panel.graphRgb();
  rgb->setYRange(100, 200);
  QTest::mouseClick(rgb->plot(), Qt::LeftButton, {}, QPoint(40, 20));
  EXPECT_EQ(rgb->yRange(), (GraphRange{0.0, 4096.0}));
  EXPECT_FALSE(rgb->yAutoScale());
  QTest::mouseDClick(rgb->plot(), Qt::LeftButton, {}, QPoint(40, 20));
  EXPECT_TRUE(rgb->yAutoScale());

  const struct {
    std::uint16_t mode;
    std::array<GraphRange, 3> ranges;
  } cases[] = {
      {0, {GraphRange{0, 4096}, GraphRange{0, 4096}, GraphRange{0, 4096}}},
      {1, {GraphRange{0, 10000}, GraphRange{0, 5000}, GraphRange{0, 1200}}},
      {2, {GraphRange{0, 4096}, GraphRange{0, 4096}, GraphRange{0, 4096}}},
      {3, {GraphRange{0, 10000}, GraphRange{0, 5000}, GraphRange{0, 1200}}},
  };
  const auto &charts = rig.panel.graphsValues();
  for (const auto &c : cases) {
    // The mode is taken from the parameter panel at the click.
    rig.transfer.readCalculationMode = [&] { rig.parameters.para.calculationMode = c.mode; };
    QTest::mouseClick(charts[1]->plot(), Qt::LeftButton, {}, QPoint(40, 20));
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(charts[i]->yRange(), c.ranges[i]) << c.mode << "/" << i;
  }
  QTest::mouseDClick(charts[2]->plot(), Qt::LeftButton, {}, QPoint(40, 20));
  for (GraphWidget *g : charts)
    EXPECT_TRUE(g->yAutoScale());
}

TEST_F(PanelFixture, BigReadOutsOpenOnDoubleClickAndHideOnRightClickOrClose) {
  rig.panel.setIdentification(QStringLiteral("LINE 4 / STATION 2"));
  MeasuredValues m;
  m.colorNumber = 12;
  m.group = 1;
  show(m);
  BigDisplayPanel &big = rig.panel.bigColourPanel();
  EXPECT_FALSE(big.isVisible());
  QTest::mouseDClick(child<NumberDisplay>("colourNumber"), Qt::LeftButton);
  ASSERT_TRUE(big.isVisible());
  EXPECT_TRUE(big.isWindow());
  EXPECT_EQ(big.identification(), "LINE 4 / STATION 2");
  EXPECT_EQ(big.valueText(), "12");
  m.colorNumber = 13;
  show(m);
  EXPECT_EQ(big.valueText(), "13") << "follows the live value";
  QTest::mouseClick(&big, Qt::RightButton);
  EXPECT_FALSE(big.isVisible());
  EXPECT_TRUE(rig.dialogs.popups().empty()) << "a right click closes, no help";

  BigDisplayPanel &group = rig.panel.bigGroupPanel();
  QTest::mouseDClick(child<NumberDisplay>("groupNumber"), Qt::LeftButton);
  ASSERT_TRUE(group.isVisible());
  EXPECT_EQ(group.valueText(), "1");
  group.close();
  EXPECT_FALSE(group.isVisible());

  // Colour groups off: the group display and its read-out go.
  QTest::mouseDClick(child<NumberDisplay>("groupNumber"), Qt::LeftButton);
  ASSERT_TRUE(group.isVisible());
  rig.panel.setGroupDisplayVisible(false);
  EXPECT_FALSE(group.isVisible());
  QTest::mouseDClick(child<NumberDisplay>("groupNumber"), Qt::LeftButton);
  EXPECT_FALSE(group.isVisible());
}

TEST_F(PanelFixture, RulesSwitchNamesPagesAndDisplays) {
  rig.panel.show();
  MeasurementDisplays d;
  d.evaluationVisible = false;
  d.groupVisible = false;
  d.ledTrigVisible = true;
  d.simRefVisible = true;
  d.graph2DVisible = true;
  d.graph3DVisible = false;
  d.activeGraph = GraphPage::View2D;
  d.intensityVisible = true;
  d.valueNames = {"s", "i", "M"};
  d.valueColours = {0x0000FF, 0xFF00FF};
  rig.panel.applyDisplays(d);

  using Tab = MeasurementPanel::GraphTab;
  EXPECT_TRUE(rig.panel.isGraphPageVisible(Tab::View2D));
  EXPECT_FALSE(rig.panel.isGraphPageVisible(Tab::View3D));
  EXPECT_TRUE(rig.panel.isGraphPageVisible(Tab::Values));
  EXPECT_EQ(rig.panel.activeGraphPage(), Tab::View2D);
  EXPECT_EQ(rig.panel.graphTabs()->tabText(1), "s i M");
  EXPECT_FALSE(child<NumberDisplay>("colourNumber")->isVisible());
  EXPECT_FALSE(child<NumberDisplay>("deltaC")->isVisible());
  EXPECT_FALSE(led("ledOUT0")->isVisible());
  EXPECT_FALSE(child<NumberDisplay>("groupNumber")->isVisible());
  EXPECT_TRUE(led("ledTrig")->isVisible());
  EXPECT_EQ(child<NumberDisplay>("xValue")->accessibleName(), "s");
  EXPECT_EQ(child<NumberDisplay>("intensityValue")->accessibleName(), "M");
  EXPECT_EQ(child<NumberDisplay>("xValue")->palette().color(QPalette::WindowText),
            QColor(0x0000FF));
  EXPECT_EQ(child<NumberDisplay>("yValue")->palette().color(QPalette::WindowText),
            QColor(0xFF00FF));
  rig.panel.setActiveGraphPage(Tab::Values);
  EXPECT_TRUE(child<NumberDisplay>("simRef1")->isVisible());

  d.evaluationVisible = true;
  d.groupVisible = true;
  d.ledTrigVisible = false;
  d.simRefVisible = false;
  d.graph2DVisible = false;
  d.graph3DVisible = true;
  d.activeGraph = GraphPage::View3D;
  d.valueNames = {"X", "Y", "INT"};
  d.axes3D = {AxisRange{0, 10000}, AxisRange{0, 5000}, AxisRange{0, 1200}};
  rig.panel.applyDisplays(d);
  EXPECT_EQ(rig.panel.activeGraphPage(), Tab::View3D);
  EXPECT_EQ(rig.panel.graphTabs()->tabText(1), "X Y INT");
  EXPECT_TRUE(child<NumberDisplay>("colourNumber")->isVisible());
  EXPECT_FALSE(led("ledTrig")->isVisible());
  EXPECT_EQ(rig.panel.graphs3D()[1]->xRange(), (GraphRange{0, 10000}));
  EXPECT_EQ(rig.panel.graphs3D()[1]->yRange(), (GraphRange{0, 1200}));
  EXPECT_EQ(rig.panel.graphs3D()[2]->xRange(), (GraphRange{0, 5000}));
}

TEST_F(PanelFixture, SimReferenceTakenAtTheRisingTriggerEdge) {
  MeasuredValues m;
  m.x = 5000;
  m.y = 2500;
  m.intensity = 600;
  m.trigger = 0;
  show(m);
  EXPECT_EQ(number("simRef1"), "");
  m.trigger = 1;
  show(m);
  m.x = 1;
  show(m);
  EXPECT_EQ(number("simRef1"), "5000");
  EXPECT_EQ(number("simRef2"), "2500");
  EXPECT_EQ(number("simRef3"), "600");
}

TEST_F(PanelFixture, EveryControlIsNamedAndExplainsItself) {
  const char *withHelp[] = {
      "redValue",   "greenValue",   "blueValue",   "xValue",  "yValue",    "intensityValue",
      "deltaC",     "colourNumber", "groupNumber", "ledTrig", "ledOUT0",   "ledOUT1",
      "colourBox",  "graphRgb",     "stripGraphX", "graph2D", "graph3DXY", "showGraphButton",
      "minimumRED", "aux2",         "simRef3"};
  for (const char *name : withHelp) {
    auto *w = child<QWidget>(name);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->accessibleName().isEmpty()) << name;
    EXPECT_FALSE(w->accessibleDescription().isEmpty()) << name;
  }
  rig.panel.show();
  auto *red = child<QWidget>("redValue");
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), red->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(red, &event);
  ASSERT_EQ(rig.dialogs.popups().size(), 1u);
  EXPECT_EQ(rig.dialogs.popups()[0].title, "INFO!");
  EXPECT_EQ(rig.dialogs.popups()[0].text,
            "Displays the current value of the red receiver channel. \nRange 0...4095 (12 bit).");
  auto *showGraph = child<QWidget>("showGraphButton");
  QApplication::sendEvent(showGraph, &event);
  EXPECT_EQ(rig.dialogs.popups().back().text, "Switch to a graphical display for each signal.");
  // A graph answers on its drawing surface too.
  QApplication::sendEvent(rig.panel.graphRgb()->plot(), &event);
  EXPECT_EQ(rig.dialogs.popups().back().text.left(34), "Displays the last 100 values of RE");
  EXPECT_EQ(rig.dialogs.popups().size(), 3u);
  for (auto *d : rig.panel.findChildren<NumberDisplay *>())
    EXPECT_FALSE(d->accessibleName().isEmpty());
}

} // namespace
} // namespace quorvane::testing
