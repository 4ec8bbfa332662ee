#include "live/measurement_panel.h"

#include "live/big_display_panel.h"
#include "live/measurement_help.h"
#include "params/core/panel_rules.h"
#include "ui/display_widgets.h"
#include "ui/graph_widget.h"
#include "ui/help.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quorvane {
namespace {

const QColor kRedTrace(0xFF, 0x00, 0x00);
const QColor kGreenTrace(0x00, 0xB0, 0x00);
const QColor kBlueTrace(0x00, 0x00, 0xFF);
const QColor kIntensityTrace(0x00, 0x80, 0x80);
const QColor kCursorColour(0x00, 0x00, 0x00);
const QColor kLedGreen(0x00, 0xE0, 0x00);

// A caption over a display; hiding the returned box hides both.
QWidget *captioned(const QString &caption, QWidget *display, QLabel **label = nullptr,
                   QColor captionColour = QColor()) {
  auto *box = new QWidget;
  auto *layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  auto *l = new QLabel(caption, box);
  l->setAlignment(Qt::AlignCenter);
  if (captionColour.isValid()) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, captionColour);
    l->setPalette(p);
  }
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  layout->addWidget(l);
  layout->addWidget(display, 0, Qt::AlignHCenter);
  if (label) *label = l;
  return box;
}

NumberDisplay *number(const QString &name, const QString &objectName = QString()) {
  auto *d = new NumberDisplay(name);
  if (!objectName.isEmpty()) d->setObjectName(objectName);
  return d;
}

GraphWidget *graph(const QString &name, const QString &objectName) {
  auto *g = new GraphWidget;
  g->setName(name);
  g->setObjectName(objectName);
  return g;
}

void makeRgbStrip(GraphWidget *g) {
  const std::array<QColor, 3> colours{kRedTrace, kGreenTrace, kBlueTrace};
  g->setStripTraces(colours);
  g->setPointsPerScreen(kStripPointsPerScreen);
  g->setYRange(kChannelRange.lower, kChannelRange.upper);
}

QLabel *bold(const QString &text) {
  auto *l = new QLabel(text);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}

} // namespace

MeasurementPanel::MeasurementPanel(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("DATAP"));
  setAccessibleName(QStringLiteral("MEASUREMENT"));

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("graphTabs"));
  tabs_->setAccessibleName(QStringLiteral("GRAPH"));
  pageTitles_ = {QStringLiteral("RGB"), QStringLiteral("X Y INT"), QStringLiteral("2D"),
                 QStringLiteral("3D")};
  pages_ = {buildRgbPage(), buildValuesPage(), build2DPage(), build3DPage()};
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    pages_[i]->setAccessibleName(pageTitles_[i]);
    tabs_->addTab(pages_[i], pageTitles_[i]);
  }

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(buildNumbers());
  layout->addWidget(tabs_, 1);

  bigColour_ = new BigDisplayPanel(BigDisplayPanel::Kind::ColourNumber, this);
  bigGroup_ = new BigDisplayPanel(BigDisplayPanel::Kind::Group, this);
  connect(colourNumber_, &NumberDisplay::doubleClicked, this, [this] {
    bigColour_->show();
    bigColour_->raise();
  });
  connect(group_, &NumberDisplay::doubleClicked, this, [this] {
    if (!groupBox_->isHidden()) {
      bigGroup_->show();
      bigGroup_->raise();
    }
  });
  connect(showGraph_, &QPushButton::clicked, this, &MeasurementPanel::showGraphRequested);

  installPanelHelp();
  setActiveGraphPage(GraphTab::View3D);
}

MeasurementPanel::~MeasurementPanel() = default;

// --- building ------------------------------------------------------------------------------

QWidget *MeasurementPanel::buildNumbers() {
  auto *box = new QWidget;
  auto *grid = new QGridLayout(box);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(4);
  // Three lines of five: narrow enough for the pane at the window's default size.

  const std::array<QString, 3> rgbNames{QStringLiteral("RED"), QStringLiteral("GREEN"),
                                        QStringLiteral("BLUE")};
  const std::array<QString, 3> rgbObjects{QStringLiteral("redValue"), QStringLiteral("greenValue"),
                                          QStringLiteral("blueValue")};
  const std::array<QColor, 3> rgbColours{kRedTrace, kGreenTrace, kBlueTrace};
  for (int i = 0; i < 3; ++i) {
    rgb_[i] = number(rgbNames[i], rgbObjects[i]);
    grid->addWidget(captioned(rgbNames[i], rgb_[i], nullptr, rgbColours[i]), 0, i);
  }
  const std::array<QString, 3> valueObjects{QStringLiteral("xValue"), QStringLiteral("yValue"),
                                            QStringLiteral("intensityValue")};
  const std::array<QString, 3> valueNames{QStringLiteral("X"), QStringLiteral("Y"),
                                          QStringLiteral("INT")};
  for (int i = 0; i < 3; ++i) {
    values_[i] = number(valueNames[i], valueObjects[i]);
    grid->addWidget(captioned(valueNames[i], values_[i], &valueLabels_[i]), 1, i);
  }

  colourBox_ = new ColourBox(QStringLiteral("COLOR"));
  colourBox_->setObjectName(QStringLiteral("colourBox"));
  colourBox_->setMinimumSize(64, 40);
  auto *colourCaption = bold(QStringLiteral("COLOR"));
  colourCaption->setAlignment(Qt::AlignCenter);
  grid->addWidget(colourCaption, 0, 4, Qt::AlignBottom);
  grid->addWidget(colourBox_, 1, 4);

  deltaC_ = number(QStringLiteral("DELTA C"), QStringLiteral("deltaC"));
  deltaCBox_ = captioned(QStringLiteral("DELTA C"), deltaC_);
  grid->addWidget(deltaCBox_, 0, 3);
  colourNumber_ = number(QStringLiteral("C-No:"), QStringLiteral("colourNumber"));
  colourNumberBox_ = captioned(QStringLiteral("C-No:"), colourNumber_);
  grid->addWidget(colourNumberBox_, 1, 3);
  group_ = number(QStringLiteral("GROUP"), QStringLiteral("groupNumber"));
  groupBox_ = captioned(QStringLiteral("GROUP"), group_);
  grid->addWidget(groupBox_, 2, 0);

  ledTrig_ = new LedIndicator(QStringLiteral("LED TRIG"), kLedGreen);
  ledTrig_->setObjectName(QStringLiteral("ledTrig"));
  ledTrigBox_ = captioned(QStringLiteral("LED TRIG"), ledTrig_);
  grid->addWidget(ledTrigBox_, 2, 1);

  outBox_ = new QWidget;
  auto *outs = new QHBoxLayout(outBox_);
  outs->setContentsMargins(0, 0, 0, 0);
  const std::array<QString, 2> outNames{QStringLiteral("OUT0"), QStringLiteral("OUT1")};
  for (int i = 0; i < 2; ++i) {
    out_[i] = new LedIndicator(outNames[i], kLedGreen);
    out_[i]->setObjectName(QStringLiteral("led") + outNames[i]);
    outs->addWidget(captioned(outNames[i], out_[i]));
  }
  grid->addWidget(outBox_, 2, 2, 1, 2);

  showGraph_ = new QPushButton(QStringLiteral("SHOW GRAPH"));
  showGraph_->setObjectName(QStringLiteral("showGraphButton"));
  showGraph_->setAccessibleName(QStringLiteral("SHOW GRAPH"));
  grid->addWidget(showGraph_, 2, 4, Qt::AlignBottom);
  return box;
}

QWidget *MeasurementPanel::buildRgbPage() {
  auto *page = new QWidget;
  graphRgb_ = graph(QStringLiteral("RGB"), QStringLiteral("graphRgb"));
  makeRgbStrip(graphRgb_);

  auto *side = new QWidget;
  auto *grid = new QGridLayout(side);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(bold(QStringLiteral("VALUE")), 0, 1, Qt::AlignHCenter);
  grid->addWidget(bold(QStringLiteral("MIN")), 0, 2, Qt::AlignHCenter);
  grid->addWidget(bold(QStringLiteral("MAX")), 0, 3, Qt::AlignHCenter);
  const std::array<QString, 3> names{QStringLiteral("RED"), QStringLiteral("GREEN"),
                                     QStringLiteral("BLUE")};
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(bold(names[i]), i + 1, 0);
    rgbPageNumbers_[i] = number(names[i]);
    minimum_[i] = number(QStringLiteral("MIN ") + names[i]);
    maximum_[i] = number(QStringLiteral("MAX ") + names[i]);
    minimum_[i]->setObjectName(QStringLiteral("minimum") + names[i]);
    maximum_[i]->setObjectName(QStringLiteral("maximum") + names[i]);
    grid->addWidget(rgbPageNumbers_[i], i + 1, 1);
    grid->addWidget(minimum_[i], i + 1, 2);
    grid->addWidget(maximum_[i], i + 1, 3);
  }
  grid->setRowStretch(4, 1);

  auto *layout = new QHBoxLayout(page);
  layout->addWidget(graphRgb_, 1);
  layout->addWidget(side);
  return page;
}

QWidget *MeasurementPanel::buildValuesPage() {
  auto *page = new QWidget;
  auto *charts = new QVBoxLayout;
  const std::array<QString, 3> names{QStringLiteral("X"), QStringLiteral("Y"),
                                     QStringLiteral("INT")};
  const std::array<QColor, 3> colours{kRedTrace, kGreenTrace, kIntensityTrace};
  for (int i = 0; i < 3; ++i) {
    graphsValues_[i] = graph(names[i], i == 0 ? QStringLiteral("stripGraphX")
                                              : QStringLiteral("stripGraph") + names[i]);
    const std::array<QColor, 1> trace{colours[i]};
    graphsValues_[i]->setStripTraces(trace);
    graphsValues_[i]->setPointsPerScreen(kStripPointsPerScreen);
    graphsValues_[i]->setYRange(kChannelRange.lower, kChannelRange.upper);
    graphsValues_[i]->setAxisLabels(QString(), names[i]);
    charts->addWidget(graphsValues_[i], 1);
  }

  auto *side = new QWidget;
  auto *grid = new QGridLayout(side);
  grid->setContentsMargins(0, 0, 0, 0);
  const std::array<QString, 3> rgb{QStringLiteral("RED"), QStringLiteral("GREEN"),
                                   QStringLiteral("BLUE")};
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(bold(rgb[i]), i, 0);
    valuesPageRgb_[i] = number(rgb[i]);
    grid->addWidget(valuesPageRgb_[i], i, 1);
    const QString aux = QStringLiteral("AUX %1").arg(i + 1);
    grid->addWidget(bold(aux), 3 + i, 0);
    auxiliary_[i] = number(aux, QStringLiteral("aux%1").arg(i + 1));
    grid->addWidget(auxiliary_[i], 3 + i, 1);
  }
  simRefBox_ = new QWidget;
  auto *refs = new QGridLayout(simRefBox_);
  refs->setContentsMargins(0, 6, 0, 0);
  const std::array<QString, 3> refNames{QStringLiteral("s REF"), QStringLiteral("i REF"),
                                        QStringLiteral("M REF")};
  for (int i = 0; i < 3; ++i) {
    simRefLabels_[i] = bold(refNames[i]);
    refs->addWidget(simRefLabels_[i], i, 0);
    simRef_[i] = number(refNames[i], QStringLiteral("simRef%1").arg(i + 1));
    simRef_[i]->setText(QString());
    refs->addWidget(simRef_[i], i, 1);
  }
  grid->addWidget(simRefBox_, 6, 0, 1, 2);
  grid->setRowStretch(7, 1);
  simRefBox_->setVisible(false);

  auto *layout = new QHBoxLayout(page);
  layout->addLayout(charts, 1);
  layout->addWidget(side);
  return page;
}

QWidget *MeasurementPanel::build2DPage() {
  auto *page = new QWidget;
  graph2D_ = graph(QStringLiteral("2D"), QStringLiteral("graph2D"));
  graph2D_->setXRange(kChannelRange.lower, kChannelRange.upper);
  graph2D_->setYRange(kChannelRange.lower, kChannelRange.upper);
  graph2D_->setAxisLabels(QStringLiteral("X"), QStringLiteral("Y"));
  graph2D_->setCursorCount(1, kCursorColour);

  graphIntensity2D_ = graph(QStringLiteral("INT"), QStringLiteral("graph2DIntensity"));
  graphIntensity2D_->setXRange(kChannelRange.lower, kChannelRange.upper);
  graphIntensity2D_->setYRange(0.0, 100.0);
  graphIntensity2D_->setAxisLabels(QStringLiteral("INT"), QString());
  graphIntensity2D_->setYTickLabelsVisible(false);
  graphIntensity2D_->setCursorCount(1, kCursorColour);
  graphIntensity2D_->setFixedHeight(72);

  auto *charts = new QVBoxLayout;
  charts->addWidget(graph2D_, 1);
  charts->addWidget(graphIntensity2D_);

  auto *side = new QWidget;
  auto *grid = new QGridLayout(side);
  grid->setContentsMargins(0, 0, 0, 0);
  const std::array<QString, 3> rgb{QStringLiteral("RED"), QStringLiteral("GREEN"),
                                   QStringLiteral("BLUE")};
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(bold(rgb[i]), i, 0);
    page2DRgb_[i] = number(rgb[i]);
    grid->addWidget(page2DRgb_[i], i, 1);
  }
  grid->setRowStretch(3, 1);

  auto *layout = new QHBoxLayout(page);
  layout->addLayout(charts, 1);
  layout->addWidget(side);
  return page;
}

QWidget *MeasurementPanel::build3DPage() {
  auto *page = new QWidget;
  const std::array<QString, 3> names{QStringLiteral("X/Y"), QStringLiteral("X/INT"),
                                     QStringLiteral("Y/INT")};
  const std::array<QString, 3> objects{QStringLiteral("graph3DXY"), QStringLiteral("graph3DXInt"),
                                       QStringLiteral("graph3DYInt")};
  const std::array<std::array<QString, 2>, 3> axes{{{QStringLiteral("X"), QStringLiteral("Y")},
                                                    {QStringLiteral("X"), QStringLiteral("INT")},
                                                    {QStringLiteral("Y"), QStringLiteral("INT")}}};
  for (int i = 0; i < 3; ++i) {
    graphs3D_[i] = graph(names[i], objects[i]);
    graphs3D_[i]->setXRange(kChannelRange.lower, kChannelRange.upper);
    graphs3D_[i]->setYRange(kChannelRange.lower, kChannelRange.upper);
    graphs3D_[i]->setAxisLabels(axes[i][0], axes[i][1]);
    graphs3D_[i]->setCursorCount(1, kCursorColour);
  }
  graph3DRgb_ = graph(QStringLiteral("RGB"), QStringLiteral("graph3DRgb"));
  makeRgbStrip(graph3DRgb_);

  auto *grid = new QGridLayout(page);
  grid->addWidget(graphs3D_[0], 0, 0);
  grid->addWidget(graphs3D_[1], 0, 1);
  grid->addWidget(graphs3D_[2], 1, 0);
  grid->addWidget(graph3DRgb_, 1, 1);
  return page;
}

void MeasurementPanel::installPanelHelp() {
  namespace h = measurement_help;
  installHelp({{rgb_[0], h::kRed},
               {rgb_[1], h::kGreen},
               {rgb_[2], h::kBlue},
               {values_[0], h::kFirst},
               {values_[1], h::kSecond},
               {values_[2], h::kThird},
               {deltaC_, h::kDeltaC},
               {colourNumber_, h::kColourNumber},
               {group_, h::kGroup},
               {ledTrig_, h::kLedTrig},
               {out_[0], h::kOut0},
               {out_[1], h::kOut1},
               {colourBox_, h::kColourBox},
               {showGraph_, h::kShowGraph},
               {tabs_->tabBar(), h::kGraphTabs},
               {graphRgb_, h::kGraphRgb},
               {graph2D_, h::kGraph2D},
               {graphIntensity2D_, h::kGraphIntensity2D},
               {graphs3D_[0], h::kGraph3DXY},
               {graphs3D_[1], h::kGraph3DXInt},
               {graphs3D_[2], h::kGraph3DYInt},
               {graph3DRgb_, h::kGraph3DRgb}},
              dialogs_);
  const std::array<QString, 3> rgbHelp{h::kRed, h::kGreen, h::kBlue};
  for (int i = 0; i < 3; ++i) {
    installHelp(rgbPageNumbers_[i], rgbHelp[i], dialogs_);
    installHelp(valuesPageRgb_[i], rgbHelp[i], dialogs_);
    installHelp(page2DRgb_[i], rgbHelp[i], dialogs_);
    installHelp(minimum_[i], h::kMinMax, dialogs_);
    installHelp(maximum_[i], h::kMinMax, dialogs_);
    installHelp(graphsValues_[i], h::kGraphValues, dialogs_);
    installHelp(auxiliary_[i], h::kAuxiliary, dialogs_);
    installHelp(simRef_[i], h::kSimRef, dialogs_);
  }
}

// --- one frame -----------------------------------------------------------------------------

void MeasurementPanel::showRgbPage(const LiveTexts &t) {
  for (int i = 0; i < 3; ++i) {
    rgbPageNumbers_[i]->showText(t.rgb[i]);
    minimum_[i]->showText(t.minimum[i]);
    maximum_[i]->showText(t.maximum[i]);
  }
}

void MeasurementPanel::showValuesPage(const LiveTexts &t) {
  for (int i = 0; i < 3; ++i) {
    valuesPageRgb_[i]->showText(t.rgb[i]);
    auxiliary_[i]->showText(t.auxiliary[i]);
  }
}

void MeasurementPanel::show2DPage(const LiveTexts &t) {
  for (int i = 0; i < 3; ++i)
    page2DRgb_[i]->showText(t.rgb[i]);
}

void MeasurementPanel::showLiveNumbers(const LiveTexts &t, bool triggered) {
  for (int i = 0; i < 3; ++i) {
    rgb_[i]->showText(t.rgb[i]);
    values_[i]->showText(t.coordinates[i]);
  }
  deltaC_->showText(t.deltaC);
  colourNumber_->showText(t.colorNumber);
  group_->showText(t.group);
  ledTrig_->setOn(triggered);
}

void MeasurementPanel::showBigDisplays(const LiveTexts &t) {
  bigColour_->showValue(t.colorNumber);
  bigGroup_->showValue(t.group);
}

void MeasurementPanel::setCurrentColour(std::uint32_t rgb) {
  colourBox_->setColour(QColor(rgb));
}

void MeasurementPanel::setOutLeds(const OutLeds &leds) {
  out_[0]->setOn(leds.out0);
  out_[1]->setOn(leds.out1);
}

void MeasurementPanel::showSimReference(const std::array<std::int16_t, 3> &sim) {
  for (int i = 0; i < 3; ++i)
    simRef_[i]->showText(QString::number(sim[i]));
}

// --- rules ---------------------------------------------------------------------------------

void MeasurementPanel::setValueNames(const std::array<QString, 3> &names, QColor first,
                                     QColor second) {
  for (int i = 0; i < 3; ++i) {
    valueLabels_[i]->setText(names[i]);
    values_[i]->setAccessibleName(names[i]);
    graphsValues_[i]->setName(names[i]);
    graphsValues_[i]->setAxisLabels(QString(), names[i]);
  }
  values_[0]->setTextColour(first);
  values_[1]->setTextColour(second);
  pageTitles_[1] = names[0] + QLatin1Char(' ') + names[1] + QLatin1Char(' ') + names[2];
  tabs_->setTabText(1, pageTitles_[1]);
  pages_[1]->setAccessibleName(pageTitles_[1]);
  graph2D_->setAxisLabels(names[0], names[1]);
  graphIntensity2D_->setAxisLabels(names[2], QString());
  graphs3D_[0]->setAxisLabels(names[0], names[1]);
  graphs3D_[1]->setAxisLabels(names[0], names[2]);
  graphs3D_[2]->setAxisLabels(names[1], names[2]);
}

void MeasurementPanel::setGraphPageVisible(GraphTab page, bool visible) {
  tabs_->setTabVisible(static_cast<int>(page), visible);
}

bool MeasurementPanel::isGraphPageVisible(GraphTab page) const {
  return tabs_->isTabVisible(static_cast<int>(page));
}

void MeasurementPanel::setActiveGraphPage(GraphTab page) {
  tabs_->setCurrentIndex(static_cast<int>(page));
}

MeasurementPanel::GraphTab MeasurementPanel::activeGraphPage() const {
  return static_cast<GraphTab>(tabs_->currentIndex());
}

void MeasurementPanel::setLedTrigVisible(bool visible) {
  ledTrigBox_->setVisible(visible);
}

void MeasurementPanel::setEvaluationDisplaysVisible(bool visible) {
  deltaCBox_->setVisible(visible);
  colourNumberBox_->setVisible(visible);
  outBox_->setVisible(visible);
  if (!visible) closeBigColourPanel();
}

void MeasurementPanel::setGroupDisplayVisible(bool visible) {
  groupBox_->setVisible(visible);
  if (!visible) closeBigGroupPanel();
}

void MeasurementPanel::setSimRefVisible(bool visible) {
  simRefBox_->setVisible(visible);
}

void MeasurementPanel::setProjectionRanges(const std::array<ChartRange, 3> &r) {
  graphs3D_[0]->setXRange(r[0].lower, r[0].upper);
  graphs3D_[0]->setYRange(r[1].lower, r[1].upper);
  graphs3D_[1]->setXRange(r[0].lower, r[0].upper);
  graphs3D_[1]->setYRange(r[2].lower, r[2].upper);
  graphs3D_[2]->setXRange(r[1].lower, r[1].upper);
  graphs3D_[2]->setYRange(r[2].lower, r[2].upper);
}

bool MeasurementPanel::projectionAutoScale() const {
  return graphs3D_[0]->xAutoScale() || graphs3D_[0]->yAutoScale();
}

void MeasurementPanel::applyDisplays(const MeasurementDisplays &d) {
  setEvaluationDisplaysVisible(d.evaluationVisible);
  setGroupDisplayVisible(d.groupVisible);
  setLedTrigVisible(d.ledTrigVisible);
  setSimRefVisible(d.simRefVisible);
  setGraphPageVisible(GraphTab::Values, d.intensityVisible);
  setGraphPageVisible(GraphTab::View2D, d.graph2DVisible);
  setGraphPageVisible(GraphTab::View3D, d.graph3DVisible);
  if (d.activeGraph == GraphPage::View2D && d.graph2DVisible) setActiveGraphPage(GraphTab::View2D);
  if (d.activeGraph == GraphPage::View3D && d.graph3DVisible) setActiveGraphPage(GraphTab::View3D);
  setValueNames({QString::fromStdString(d.valueNames[0]), QString::fromStdString(d.valueNames[1]),
                 QString::fromStdString(d.valueNames[2])},
                QColor(d.valueColours[0]), QColor(d.valueColours[1]));
  if (!projectionAutoScale()) {
    std::array<ChartRange, 3> r{};
    for (std::size_t i = 0; i < 3; ++i)
      r[i] = {double(d.axes3D[i].min), double(d.axes3D[i].max)};
    setProjectionRanges(r);
  }
}

// --- big read-outs -------------------------------------------------------------------------

void MeasurementPanel::setIdentification(const QString &text) {
  bigColour_->setIdentification(text);
  bigGroup_->setIdentification(text);
}

void MeasurementPanel::closeBigColourPanel() {
  bigColour_->hide();
}

void MeasurementPanel::closeBigGroupPanel() {
  bigGroup_->hide();
}

void MeasurementPanel::replotAll() {
  for (GraphWidget *g : {graphRgb_, graph2D_, graphIntensity2D_, graph3DRgb_})
    g->replotNow();
  for (GraphWidget *g : graphsValues_)
    g->replotNow();
  for (GraphWidget *g : graphs3D_)
    g->replotNow();
}

} // namespace quorvane
