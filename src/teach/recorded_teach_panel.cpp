#include "teach/recorded_teach_panel.h"

#include "teach/mean_teach_panel.h"
#include "ui/graph_widget.h"
#include "ui/help.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvane {
namespace {

const QString kHelpStart =
    QStringLiteral("Start recording of values \nand displaying in the graphs.");
const QString kHelpReset = QStringLiteral("Reset graphs and counter.");
const QString kHelpTeach = QStringLiteral(
    "Teach cursor position to the \nTEACH TABLE row selected \nin the ROW No.: function field.");
const QString kHelpGraph = QStringLiteral("Display for recorded values. \nMove cursor to select a "
                                          "position \nwhich should be teached to the table.");
const QString kHelpCounter = QStringLiteral("Displays the amount of recorded values.");
const QString kHelpClose = QStringLiteral("Close PANEL and return to MAIN PANEL.");

const QColor kPointColour(0x00, 0x00, 0xC0);

QString text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QPushButton *button(const QString &caption) {
  auto *b = new QPushButton(caption);
  b->setAccessibleName(caption);
  return b;
}

} // namespace

RecordedTeachPanel::RecordedTeachPanel(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), counter_(numberDisplay(QStringLiteral("COUNTER"))),
      start_(button(QStringLiteral("START"))), reset_(button(QStringLiteral("RESET"))),
      teach_(button(QStringLiteral("TEACH"))), close_(button(QStringLiteral("CLOSE"))) {
  setObjectName(QStringLiteral("recordedTeachPanel"));
  // Two graphs a row, the read-outs in the fourth place: the panel fits its pane at the
  // window's default size, and the graphs use the height it has as it opens.
  auto *grid = new QGridLayout;
  for (int i = 0; i < kProjectionGraphs; ++i) {
    const auto n = static_cast<std::size_t>(i);
    auto *g = new GraphWidget;
    g->setMinimumSize(150, 150);
    g->setCursorCount(1, Qt::red);
    g->setCursorsMovable(true);
    g->setFocusPolicy(Qt::StrongFocus);
    g->installEventFilter(this);
    plots_[n] = g->plotXY({}, {}, kPointColour, PlotStyle::Points);
    connect(g, &GraphWidget::cursorMoved, this,
            [this, i](int, double x, double y) { Q_EMIT cursorDragged(i, x, y); });
    graphs_[n] = g;
    titles_[n] = new QLabel;
    titles_[n]->setAlignment(Qt::AlignCenter);
    auto *column = new QVBoxLayout;
    column->addWidget(titles_[n]);
    column->addWidget(g, 1);
    grid->addLayout(column, i / 2, i % 2);
    installHelp(g, kHelpGraph, dialogs);
  }
  auto *readOuts = new QGridLayout;
  for (std::size_t i = 0; i < 3; ++i) {
    displays_[i] = numberDisplay(QString());
    captions_[i] = new QLabel;
    captions_[i]->setBuddy(displays_[i]);
    readOuts->addWidget(captions_[i], static_cast<int>(i), 0);
    readOuts->addWidget(displays_[i], static_cast<int>(i), 1);
  }
  auto *counterCaption = new QLabel(QStringLiteral("COUNTER"));
  counterCaption->setBuddy(counter_);
  readOuts->addWidget(counterCaption, 3, 0);
  readOuts->addWidget(counter_, 3, 1);
  readOuts->setRowStretch(4, 1);
  readOuts->setColumnStretch(2, 1);
  grid->addLayout(readOuts, 1, 1);
  for (int i = 0; i < 2; ++i) {
    grid->setRowStretch(i, 1);
    grid->setColumnStretch(i, 1);
  }
  auto *buttons = new QHBoxLayout;
  for (QPushButton *b : {start_, reset_, teach_, close_})
    buttons->addWidget(b);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(grid, 1);
  layout->addLayout(buttons);
  applyLabels(recordedPanelLabels(0));
  installHelp({{start_, kHelpStart},
               {reset_, kHelpReset},
               {teach_, kHelpTeach},
               {counter_, kHelpCounter},
               {close_, kHelpClose}},
              dialogs);
}

void RecordedTeachPanel::applyLabels(const RecordedPanelLabels &labels) {
  for (std::size_t i = 0; i < 3; ++i) {
    titles_[i]->setText(text(labels.graphTitles[i]));
    graphs_[i]->setName(text(labels.graphTitles[i]));
    const auto axes = text(labels.graphTitles[i]).split(QLatin1Char('/'));
    graphs_[i]->setAxisLabels(axes.value(0), axes.value(1));
    captions_[i]->setText(text(labels.displayNames[i]));
    displays_[i]->setAccessibleName(text(labels.displayNames[i]));
  }
  for (std::size_t i = 0; i < 2; ++i) {
    const QColor c = QColor::fromRgb(static_cast<QRgb>(labels.displayColours[i] & 0xFFFFFF));
    displays_[i]->setStyleSheet(QStringLiteral("color: %1").arg(c.name()));
  }
}

void RecordedTeachPanel::appendPoint(const RecordedPoint &p) {
  for (int g = 0; g < kProjectionGraphs; ++g) {
    const auto n = static_cast<std::size_t>(g);
    const GraphPosition at = projectionOf(p, g);
    graphs_[n]->appendPoint(plots_[n], at.x, at.y);
    // The axes only widen when a point falls outside: rescaling from the data would read
    // every earlier point again.
    Extent &e = extents_[n];
    const bool first = e.empty;
    if (first || at.x < e.xMin || at.x > e.xMax) {
      e.xMin = first ? at.x : std::min(e.xMin, at.x);
      e.xMax = first ? at.x : std::max(e.xMax, at.x);
      graphs_[n]->setXRange(e.xMin - 10, e.xMax + 10);
    }
    if (first || at.y < e.yMin || at.y > e.yMax) {
      e.yMin = first ? at.y : std::min(e.yMin, at.y);
      e.yMax = first ? at.y : std::max(e.yMax, at.y);
      graphs_[n]->setYRange(e.yMin - 10, e.yMax + 10);
    }
    e.empty = false;
  }
}

void RecordedTeachPanel::clearPoints() {
  for (std::size_t g = 0; g < graphs_.size(); ++g)
    graphs_[g]->setPlotData(plots_[g], {}, {});
  extents_ = {};
}

void RecordedTeachPanel::showCounter(std::size_t counter) {
  counter_->setText(QString::number(counter));
}

void RecordedTeachPanel::showDisplays(const std::array<std::uint16_t, 3> &values) {
  for (std::size_t i = 0; i < 3; ++i)
    displays_[i]->setText(QString::number(values[i]));
}

std::array<std::uint16_t, 3> RecordedTeachPanel::displays() const {
  std::array<std::uint16_t, 3> out{};
  for (std::size_t i = 0; i < 3; ++i) {
    bool ok = false;
    const uint v = displays_[i]->text().toUInt(&ok);
    out[i] = ok && v <= 0xFFFF ? static_cast<std::uint16_t>(v) : 0;
  }
  return out;
}

void RecordedTeachPanel::placeCursors(const std::array<GraphPosition, kProjectionGraphs> &cursors) {
  for (std::size_t g = 0; g < graphs_.size(); ++g)
    graphs_[g]->setCursorPosition(0, cursors[g].x, cursors[g].y);
}

bool RecordedTeachPanel::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::KeyPress) {
    for (int g = 0; g < kProjectionGraphs; ++g) {
      if (watched != graphs_[static_cast<std::size_t>(g)]) continue;
      const int key = static_cast<QKeyEvent *>(event)->key();
      if (key == Qt::Key_Right || key == Qt::Key_Up) {
        Q_EMIT stepRequested(g, 1);
        return true;
      }
      if (key == Qt::Key_Left || key == Qt::Key_Down) {
        Q_EMIT stepRequested(g, -1);
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

} // namespace quorvane
