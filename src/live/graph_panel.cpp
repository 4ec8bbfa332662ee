#include "live/graph_panel.h"
#include "ui/colour.h"

#include "ui/display_widgets.h"
#include "ui/help.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvane {
namespace {

// The x axis shows at least this many points and grows with the recording.
constexpr double kMinimumPoints = 100.0;

QString text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

const QString kHelpSelector = QStringLiteral("Select the signal shown in the graph.");
const QString kHelpGraph = QStringLiteral(
    "Displays the selected signal of every recorded frame, one point per frame. \nValues are "
    "shown as unsigned 16-bit numbers.");
const QString kHelpNumber = QStringLiteral("Displays the value of the last recorded frame.");
const QString kHelpClose = QStringLiteral("Close PANEL and return to MAIN PANEL. ");

} // namespace

GraphPanel::GraphPanel(Dialogs &dialogs, QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("GraphPanel"));
  setAccessibleName(QStringLiteral("GRAPH PANEL"));
  const auto names = panelSignalNames(0);

  auto *side = new QGridLayout;
  auto *selectorCaption = new QLabel(QStringLiteral("SIGNAL"));
  selector_ = new QComboBox;
  selector_->setObjectName(QStringLiteral("graphSignalSelector"));
  selector_->setAccessibleName(QStringLiteral("SIGNAL"));
  for (std::string_view n : names)
    selector_->addItem(text(n));
  selectorCaption->setBuddy(selector_);
  side->addWidget(selectorCaption, 0, 0);
  side->addWidget(selector_, 0, 1);
  for (std::size_t g = 0; g < kPanelGraphs; ++g) {
    const QString name = text(names[g]);
    labels_[g] = new QLabel(name);
    numbers_[g] = new NumberDisplay(name);
    numbers_[g]->setObjectName(QStringLiteral("GraphPanelNumber%1").arg(g));
    side->addWidget(labels_[g], int(g) + 1, 0);
    side->addWidget(numbers_[g], int(g) + 1, 1);
  }
  close_ = new QPushButton(QStringLiteral("CLOSE"));
  close_->setObjectName(QStringLiteral("graphPanelCloseButton"));
  close_->setAccessibleName(QStringLiteral("CLOSE"));
  side->addWidget(close_, int(kPanelGraphs) + 1, 0, 1, 2);
  side->setRowStretch(int(kPanelGraphs) + 2, 1);

  auto *graphs = new QVBoxLayout;
  for (std::size_t g = 0; g < kPanelGraphs; ++g) {
    auto *w = new GraphWidget;
    w->setName(text(names[g]));
    w->setObjectName(QStringLiteral("GraphPanelGraph%1").arg(g));
    w->setAxisLabels(QStringLiteral("frame"), text(names[g]));
    w->setXRange(0.0, kMinimumPoints);
    w->setYRange(0.0, 4096.0);
    graphs_[g] = w;
    graphs->addWidget(w);
  }

  auto *layout = new QHBoxLayout(this);
  layout->addLayout(side);
  layout->addLayout(graphs, 1);

  connect(selector_, &QComboBox::activated, this, &GraphPanel::signalSelected);
  connect(close_, &QPushButton::clicked, this, &GraphPanel::closeRequested);
  auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, close_, &QPushButton::click);
  installPanelHelp(dialogs);
  showOnly(0);
}

GraphPanel::~GraphPanel() = default;

void GraphPanel::installPanelHelp(Dialogs &dialogs) {
  installHelp({{selector_, kHelpSelector}, {close_, kHelpClose}}, dialogs);
  for (std::size_t g = 0; g < kPanelGraphs; ++g) {
    installHelp(graphs_[g], kHelpGraph, dialogs);
    installHelp(numbers_[g], kHelpNumber, dialogs);
  }
}

void GraphPanel::clearGraphs() {
  for (std::size_t g = 0; g < kPanelGraphs; ++g) {
    graphs_[g]->deleteAllPlots();
    lines_[g] = Line{};
  }
}

void GraphPanel::addFrame(const PanelGraphFrame &frame) {
  if (frame.startsOver) clearGraphs();
  for (std::size_t g = 0; g < kPanelGraphs; ++g) {
    numbers_[g]->showText(QString::number(frame.numbers[g]));
    addSegment(g, frame.segments[g]);
  }
}

void GraphPanel::addSegment(std::size_t g, const PanelGraphSegment &s) {
  GraphWidget *w = graphs_[g];
  Line &line = lines_[g];
  // Segments of consecutive frames join: the line grows by its end point, so a long
  // recording costs one point per frame and not one plot per frame.
  if (line.id != 0 && line.lastKey == s.x0 && line.lastValue == s.y0) {
    w->appendPoint(line.id, s.x1, s.y1);
    line.low = std::min(line.low, s.y1);
    line.high = std::max(line.high, s.y1);
  } else {
    const std::array<double, 2> keys{s.x0, s.x1};
    const std::array<double, 2> values{s.y0, s.y1};
    const QColor colour = colourOf(kPanelGraphColours[g]);
    const GraphWidget::PlotId id = w->plotXY(keys, values, colour, PlotStyle::PointsAndLine);
    const bool first = line.id == 0;
    line.id = id;
    line.low = first ? std::min(s.y0, s.y1) : std::min({line.low, s.y0, s.y1});
    line.high = first ? std::max(s.y0, s.y1) : std::max({line.high, s.y0, s.y1});
  }
  line.lastKey = s.x1;
  line.lastValue = s.y1;
  // Fixed axes, moved by the point that came in: no pass over the whole line per frame.
  const double pad = std::max(10.0, (line.high - line.low) * 0.05);
  w->setXRange(0.0, std::max(kMinimumPoints, s.x1 + 1.0));
  w->setYRange(line.low - pad, line.high + pad);
}

void GraphPanel::showOnly(std::size_t index) {
  for (std::size_t g = 0; g < kPanelGraphs; ++g)
    graphs_[g]->setVisible(g == index);
  if (selector_->currentIndex() != int(index)) selector_->setCurrentIndex(int(index));
}

int GraphPanel::selectedSignal() const {
  return selector_->currentIndex();
}

void GraphPanel::setSignalNames(const std::array<std::string_view, kPanelGraphs> &names) {
  for (std::size_t g = 0; g < kPanelGraphs; ++g) {
    const QString name = text(names[g]);
    selector_->setItemText(int(g), name);
    labels_[g]->setText(name);
    numbers_[g]->setAccessibleName(name);
    graphs_[g]->setName(name);
    graphs_[g]->setAxisLabels(QStringLiteral("frame"), name);
  }
}

} // namespace quorvane
