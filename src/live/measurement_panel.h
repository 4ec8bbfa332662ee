#pragma once
// The measurement panel (child panel 2): the live numbers, the trigger and output LEDs, the
// current colour, and a tab of four graph pages (RGB history, X/Y/INT history, 2D view, 3D
// view). It only shows what it is given; the live controller decides what that is.
#include "live/core/live_display.h"

#include <QColor>
#include <QWidget>

#include <array>
#include <cstdint>

class QLabel;
class QPushButton;
class QTabWidget;

namespace quorvane {

class BigDisplayPanel;
class ColourBox;
class Dialogs;
class GraphWidget;
class LedIndicator;
class NumberDisplay;
struct MeasurementDisplays;

class MeasurementPanel : public QWidget {
  Q_OBJECT
public:
  // Pages of the graph tab, in tab order.
  enum class GraphTab { Rgb = 0, Values = 1, View2D = 2, View3D = 3 };

  explicit MeasurementPanel(Dialogs &dialogs, QWidget *parent = nullptr);
  ~MeasurementPanel() override;

  // --- one frame ---
  void showRgbPage(const LiveTexts &t);
  void showValuesPage(const LiveTexts &t);
  void show2DPage(const LiveTexts &t);
  void showLiveNumbers(const LiveTexts &t, bool triggered);
  void showBigDisplays(const LiveTexts &t);
  void setCurrentColour(std::uint32_t rgb);
  void setOutLeds(const OutLeds &leds);
  void showSimReference(const std::array<std::int16_t, 3> &sim);

  // --- what the parameter rules show or hide ---
  // Names of the three value displays ("X", "Y", "INT" or "s", "i", "M") and the text
  // colours of the first two.
  void setValueNames(const std::array<QString, 3> &names, QColor first, QColor second);
  void setGraphPageVisible(GraphTab page, bool visible);
  bool isGraphPageVisible(GraphTab page) const;
  void setActiveGraphPage(GraphTab page);
  GraphTab activeGraphPage() const;
  void setLedTrigVisible(bool visible);
  // Colour number, distance and the OUT0/OUT1 LEDs.
  void setEvaluationDisplaysVisible(bool visible);
  // The group display; hiding it also closes the big group panel.
  void setGroupDisplayVisible(bool visible);
  void setSimRefVisible(bool visible);
  // Fixed axes of the three 3D projections (first, second, third co-ordinate).
  void setProjectionRanges(const std::array<ChartRange, 3> &ranges);
  bool projectionAutoScale() const;
  // Everything of the above from one rule pass.
  void applyDisplays(const MeasurementDisplays &d);

  // --- big read-outs ---
  void setIdentification(const QString &text);
  BigDisplayPanel &bigColourPanel() { return *bigColour_; }
  BigDisplayPanel &bigGroupPanel() { return *bigGroup_; }
  void closeBigColourPanel();
  void closeBigGroupPanel();

  // --- graphs ---
  GraphWidget *graphRgb() const { return graphRgb_; }
  const std::array<GraphWidget *, 3> &graphsValues() const { return graphsValues_; }
  GraphWidget *graph2D() const { return graph2D_; }
  GraphWidget *graphIntensity2D() const { return graphIntensity2D_; }
  // X/Y, X/INT, Y/INT.
  const std::array<GraphWidget *, 3> &graphs3D() const { return graphs3D_; }
  GraphWidget *graph3DRgb() const { return graph3DRgb_; }
  QTabWidget *graphTabs() const { return tabs_; }
  // Draws pending graph changes at once (before grabbing an image of the panel).
  void replotAll();

Q_SIGNALS:
  // SHOW GRAPH: the graph panel of recorded signals was asked for.
  void showGraphRequested();

private:
  QWidget *buildNumbers();
  QWidget *buildRgbPage();
  QWidget *buildValuesPage();
  QWidget *build2DPage();
  QWidget *build3DPage();
  void installPanelHelp();

  Dialogs &dialogs_;
  // Live panel numbers.
  std::array<NumberDisplay *, 3> rgb_{};
  std::array<NumberDisplay *, 3> values_{};
  std::array<QLabel *, 3> valueLabels_{};
  NumberDisplay *deltaC_ = nullptr;
  NumberDisplay *colourNumber_ = nullptr;
  NumberDisplay *group_ = nullptr;
  QWidget *deltaCBox_ = nullptr;
  QWidget *colourNumberBox_ = nullptr;
  QWidget *groupBox_ = nullptr;
  LedIndicator *ledTrig_ = nullptr;
  QWidget *ledTrigBox_ = nullptr;
  std::array<LedIndicator *, 2> out_{};
  QWidget *outBox_ = nullptr;
  ColourBox *colourBox_ = nullptr;
  QPushButton *showGraph_ = nullptr;
  // Graph tab.
  QTabWidget *tabs_ = nullptr;
  std::array<QWidget *, 4> pages_{};
  std::array<QString, 4> pageTitles_{};
  GraphWidget *graphRgb_ = nullptr;
  std::array<NumberDisplay *, 3> rgbPageNumbers_{};
  std::array<NumberDisplay *, 3> minimum_{};
  std::array<NumberDisplay *, 3> maximum_{};
  std::array<GraphWidget *, 3> graphsValues_{};
  std::array<NumberDisplay *, 3> valuesPageRgb_{};
  std::array<NumberDisplay *, 3> auxiliary_{};
  std::array<NumberDisplay *, 3> simRef_{};
  std::array<QLabel *, 3> simRefLabels_{};
  QWidget *simRefBox_ = nullptr;
  GraphWidget *graph2D_ = nullptr;
  GraphWidget *graphIntensity2D_ = nullptr;
  std::array<NumberDisplay *, 3> page2DRgb_{};
  std::array<GraphWidget *, 3> graphs3D_{};
  GraphWidget *graph3DRgb_ = nullptr;
  // Big read-outs (windows of their own).
  BigDisplayPanel *bigColour_ = nullptr;
  BigDisplayPanel *bigGroup_ = nullptr;
};

} // namespace quorvane
