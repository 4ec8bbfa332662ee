#include "ui/graph_widget.h"

#include <qcustomplot.h>

#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvane {
namespace {

// Redraw at most at about the screen's rate; data may arrive thousands of times a second.
constexpr int kReplotIntervalMs = 16;

QPen penOf(QColor colour) {
  QPen pen(colour);
  pen.setWidthF(1.0);
  return pen;
}

// A point cloud of tens of thousands of discs: one drawn disc copied per point costs a
// fraction of stroking each one as a curve.
QPixmap discPixmap(QColor colour, qreal ratio) {
  constexpr int kDisc = 4;
  QPixmap disc(QSize(kDisc, kDisc) * ratio);
  disc.setDevicePixelRatio(ratio);
  disc.fill(Qt::transparent);
  QPainter painter(&disc);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colour, 1.0));
  painter.setBrush(colour);
  painter.drawEllipse(QRectF(0.5, 0.5, kDisc - 1.0, kDisc - 1.0));
  return disc;
}

// An axis whose data has no extent keeps a visible span around the single value.
void widenIfFlat(QCPAxis *axis) {
  const QCPRange r = axis->range();
  if (r.upper - r.lower > 0.0) return;
  axis->setRange(r.lower - 1.0, r.upper + 1.0);
}

} // namespace

GraphWidget::GraphWidget(QWidget *parent) : QWidget(parent), plot_(new QCustomPlot(this)) {
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(plot_);
  plot_->installEventFilter(this);
  plot_->setNoAntialiasingOnDrag(true);
  plot_->setMinimumSize(60, 40);
  for (QCPAxis *axis : {plot_->xAxis, plot_->yAxis}) {
    QFont f = axis->tickLabelFont();
    f.setPointSize(7);
    axis->setTickLabelFont(f);
    axis->setLabelFont(f);
  }
  plot_->axisRect()->setAutoMargins(QCP::msLeft | QCP::msBottom);
  plot_->axisRect()->setMargins(QMargins(0, 6, 8, 0));
  plot_->axisRect()->setRangeZoomAxes(plot_->xAxis, plot_->yAxis);
  plot_->axisRect()->setRangeZoom(Qt::Horizontal | Qt::Vertical);
  connect(plot_->selectionRect(), &QCPSelectionRect::accepted, this, [this] {
    xAuto_ = false;
    yAuto_ = false;
    requestReplot();
    Q_EMIT zoomedByUser();
  });

  replotTimer_.setSingleShot(true);
  replotTimer_.setInterval(kReplotIntervalMs);
  connect(&replotTimer_, &QTimer::timeout, this, [this] {
    if (dirty_ && isVisible()) replotNow();
  });
}

GraphWidget::~GraphWidget() = default;

void GraphWidget::setName(const QString &name) {
  setAccessibleName(name);
  plot_->setAccessibleName(name);
}

void GraphWidget::setAxisLabels(const QString &x, const QString &y) {
  plot_->xAxis->setLabel(x);
  plot_->yAxis->setLabel(y);
  requestReplot();
}

void GraphWidget::setYTickLabelsVisible(bool visible) {
  plot_->yAxis->setTickLabels(visible);
  plot_->yAxis->setTicks(visible);
  requestReplot();
}

// --- plots -------------------------------------------------------------------------------

GraphWidget::PlotId GraphWidget::remember(QCPGraph *graph, QCPAbstractItem *item) {
  const PlotId id = nextId_++;
  plots_[id] = Plot{graph, item};
  requestReplot();
  return id;
}

GraphWidget::PlotId GraphWidget::plotXY(std::span<const double> keys,
                                        std::span<const double> values, QColor colour,
                                        PlotStyle style) {
  QCPGraph *graph = plot_->addGraph();
  graph->setPen(penOf(colour));
  graph->setLineStyle(style == PlotStyle::Points ? QCPGraph::lsNone : QCPGraph::lsLine);
  if (style == PlotStyle::Points)
    graph->setScatterStyle(QCPScatterStyle(discPixmap(colour, devicePixelRatioF())));
  else if (style != PlotStyle::Line)
    graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, colour, colour, 4));
  const PlotId id = remember(graph, nullptr);
  setPlotData(id, keys, values);
  return id;
}

bool GraphWidget::setPlotData(PlotId id, std::span<const double> keys,
                              std::span<const double> values) {
  const auto it = plots_.find(id);
  if (it == plots_.end() || !it->second.graph) return false;
  const std::size_t n = std::min(keys.size(), values.size());
  QVector<double> k(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(n));
  QVector<double> v(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(n));
  it->second.graph->setData(k, v, std::is_sorted(k.begin(), k.end()));
  rescaleIfAuto();
  requestReplot();
  return true;
}

bool GraphWidget::appendPoint(PlotId id, double key, double value) {
  const auto it = plots_.find(id);
  if (it == plots_.end() || !it->second.graph) return false;
  it->second.graph->addData(key, value);
  rescaleIfAuto();
  requestReplot();
  return true;
}

GraphWidget::PlotId GraphWidget::plotOval(const QRectF &bounds, QColor colour) {
  auto *oval = new QCPItemEllipse(plot_);
  oval->setPen(penOf(colour));
  oval->setBrush(Qt::NoBrush);
  const QRectF r = bounds.normalized();
  oval->topLeft->setCoords(r.left(), r.bottom());
  oval->bottomRight->setCoords(r.right(), r.top());
  return remember(nullptr, oval);
}

GraphWidget::PlotId GraphWidget::plotRect(const QRectF &bounds, QColor line, QColor fill) {
  auto *rect = new QCPItemRect(plot_);
  rect->setPen(penOf(line));
  rect->setBrush(QBrush(fill));
  const QRectF r = bounds.normalized();
  rect->topLeft->setCoords(r.left(), r.bottom());
  rect->bottomRight->setCoords(r.right(), r.top());
  return remember(nullptr, rect);
}

void GraphWidget::deletePlot(PlotId id) {
  const auto it = plots_.find(id);
  if (it == plots_.end()) return;
  if (it->second.graph) plot_->removeGraph(it->second.graph);
  if (it->second.item) plot_->removeItem(it->second.item);
  plots_.erase(it);
  requestReplot();
}

void GraphWidget::deleteAllPlots() {
  while (!plots_.empty())
    deletePlot(plots_.begin()->first);
}

// --- axes --------------------------------------------------------------------------------

void GraphWidget::setXRange(double lower, double upper) {
  xAuto_ = false;
  plot_->xAxis->setRange(lower, upper);
  requestReplot();
}

void GraphWidget::setYRange(double lower, double upper) {
  yAuto_ = false;
  plot_->yAxis->setRange(lower, upper);
  requestReplot();
}

void GraphWidget::setXAutoScale(bool on) {
  xAuto_ = on;
  rescaleIfAuto();
  requestReplot();
}

void GraphWidget::setYAutoScale(bool on) {
  yAuto_ = on;
  rescaleIfAuto();
  requestReplot();
}

GraphRange GraphWidget::xRange() const {
  return {plot_->xAxis->range().lower, plot_->xAxis->range().upper};
}

GraphRange GraphWidget::yRange() const {
  return {plot_->yAxis->range().lower, plot_->yAxis->range().upper};
}

void GraphWidget::rescaleIfAuto() {
  if (plot_->graphCount() == 0) return;
  // A strip chart keeps its time axis; only its values scale.
  if (xAuto_ && traces_.empty()) {
    plot_->xAxis->rescale();
    widenIfFlat(plot_->xAxis);
  }
  if (yAuto_) {
    plot_->yAxis->rescale();
    widenIfFlat(plot_->yAxis);
  }
}

// --- strip chart -------------------------------------------------------------------------

void GraphWidget::setStripTraces(std::span<const QColor> colours) {
  clearStrip();
  for (const QColor &c : colours.first(std::min<std::size_t>(colours.size(), 3))) {
    QCPGraph *g = plot_->addGraph();
    g->setPen(penOf(c));
    traces_.push_back(g);
  }
  requestReplot();
}

void GraphWidget::setPointsPerScreen(int points) {
  pointsPerScreen_ = std::max(points, 2);
  plot_->xAxis->setRange(0.0, pointsPerScreen_ - 1.0);
  requestReplot();
}

void GraphWidget::plotStrip(std::span<const double> interleaved) {
  if (traces_.empty()) return;
  const std::size_t n = traces_.size();
  const std::size_t points = interleaved.size() / n;
  if (static_cast<std::size_t>(stripKeys_.size()) != points) {
    stripKeys_.resize(static_cast<qsizetype>(points));
    for (std::size_t i = 0; i < points; ++i)
      stripKeys_[static_cast<qsizetype>(i)] = double(i);
  }
  QVector<double> values(static_cast<qsizetype>(points));
  for (std::size_t t = 0; t < n; ++t) {
    for (std::size_t i = 0; i < points; ++i)
      values[static_cast<qsizetype>(i)] = interleaved[i * n + t];
    traces_[t]->setData(stripKeys_, values, true);
  }
  rescaleIfAuto();
  requestReplot();
}

std::vector<double> GraphWidget::stripValues(int trace) const {
  std::vector<double> out;
  if (trace < 0 || trace >= static_cast<int>(traces_.size())) return out;
  const auto data = traces_[static_cast<std::size_t>(trace)]->data();
  out.reserve(static_cast<std::size_t>(data->size()));
  for (auto it = data->constBegin(); it != data->constEnd(); ++it)
    out.push_back(it->value);
  return out;
}

void GraphWidget::clearStrip() {
  for (QCPGraph *g : traces_)
    plot_->removeGraph(g);
  traces_.clear();
  requestReplot();
}

// --- cursors -----------------------------------------------------------------------------

void GraphWidget::setCursorCount(int count, QColor colour) {
  count = std::clamp(count, 0, kMaxCursors);
  for (int i = 0; i < kMaxCursors; ++i) {
    Cursor &c = cursors_[static_cast<std::size_t>(i)];
    if (i < count && !c.vertical) {
      c.vertical = new QCPItemStraightLine(plot_);
      c.horizontal = new QCPItemStraightLine(plot_);
    } else if (i >= count && c.vertical) {
      plot_->removeItem(c.vertical);
      plot_->removeItem(c.horizontal);
      c = Cursor{};
    }
    if (c.vertical) {
      QPen pen(colour);
      pen.setStyle(i == 0 ? Qt::SolidLine : Qt::DashLine);
      c.vertical->setPen(pen);
      c.horizontal->setPen(pen);
      placeCursor(c);
    }
  }
  cursorCount_ = count;
  requestReplot();
}

void GraphWidget::placeCursor(Cursor &c) {
  const QPointF p = c.position;
  c.vertical->point1->setCoords(p.x(), p.y());
  c.vertical->point2->setCoords(p.x(), p.y() + 1.0);
  c.horizontal->point1->setCoords(p.x(), p.y());
  c.horizontal->point2->setCoords(p.x() + 1.0, p.y());
}

void GraphWidget::setCursorPosition(int index, double x, double y) {
  if (index < 0 || index >= cursorCount_) return;
  Cursor &c = cursors_[static_cast<std::size_t>(index)];
  if (c.position == QPointF(x, y)) return;
  c.position = QPointF(x, y);
  placeCursor(c);
  requestReplot();
}

QPointF GraphWidget::cursorPosition(int index) const {
  if (index < 0 || index >= cursorCount_) return {};
  return cursors_[static_cast<std::size_t>(index)].position;
}

QPointF GraphWidget::toPlot(const QPointF &pixel) const {
  return {plot_->xAxis->pixelToCoord(pixel.x()), plot_->yAxis->pixelToCoord(pixel.y())};
}

int GraphWidget::nearestCursor(const QPointF &pixel) const {
  int best = -1;
  double bestDistance = std::numeric_limits<double>::max();
  for (int i = 0; i < cursorCount_; ++i) {
    const QPointF p = cursors_[static_cast<std::size_t>(i)].position;
    const double dx = plot_->xAxis->coordToPixel(p.x()) - pixel.x();
    const double dy = plot_->yAxis->coordToPixel(p.y()) - pixel.y();
    const double d = std::hypot(dx, dy);
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

void GraphWidget::moveCursor(int index, const QPointF &pixel) {
  const QPointF p = toPlot(pixel);
  setCursorPosition(index, p.x(), p.y());
  Q_EMIT cursorMoved(index, p.x(), p.y());
}

// --- events ------------------------------------------------------------------------------

bool GraphWidget::eventFilter(QObject *watched, QEvent *event) {
  if (watched != plot_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
  case QEvent::ContextMenu:
    // A right click on the drawing is a right click on the graph (its help, for one).
    QCoreApplication::sendEvent(this, event);
    return true;
  case QEvent::MouseButtonPress: {
    auto *e = static_cast<QMouseEvent *>(event);
    if (e->button() != Qt::LeftButton) break;
    const bool zoom = userZoom_ && (e->modifiers() & Qt::ControlModifier);
    // The selection rectangle only starts in zoom mode, so the mode follows the Ctrl key.
    plot_->setSelectionRectMode(zoom ? QCP::srmZoom : QCP::srmNone);
    if (zoom) break;
    if (cursorsMovable_ && cursorCount_ > 0) {
      dragging_ = nearestCursor(e->position());
      if (dragging_ >= 0) moveCursor(dragging_, e->position());
    }
    Q_EMIT leftClicked(toPlot(e->position()));
    break;
  }
  case QEvent::MouseMove: {
    auto *e = static_cast<QMouseEvent *>(event);
    if (dragging_ >= 0 && (e->buttons() & Qt::LeftButton)) moveCursor(dragging_, e->position());
    break;
  }
  case QEvent::MouseButtonRelease:
    dragging_ = -1;
    break;
  case QEvent::MouseButtonDblClick: {
    auto *e = static_cast<QMouseEvent *>(event);
    if (e->button() == Qt::LeftButton) Q_EMIT leftDoubleClicked(toPlot(e->position()));
    break;
  }
  case QEvent::Wheel: {
    auto *e = static_cast<QWheelEvent *>(event);
    const bool zoom = userZoom_ && (e->modifiers() & Qt::ControlModifier);
    plot_->setInteraction(QCP::iRangeZoom, zoom);
    if (zoom) {
      xAuto_ = false;
      yAuto_ = false;
      Q_EMIT zoomedByUser();
    }
    break;
  }
  default:
    break;
  }
  return false;
}

void GraphWidget::showEvent(QShowEvent *event) {
  QWidget::showEvent(event);
  if (dirty_) requestReplot();
}

// --- drawing -----------------------------------------------------------------------------

void GraphWidget::requestReplot() {
  dirty_ = true;
  if (isVisible() && !replotTimer_.isActive()) replotTimer_.start();
}

void GraphWidget::replotNow() {
  dirty_ = false;
  replotTimer_.stop();
  plot_->replot(QCustomPlot::rpRefreshHint);
}

QPixmap GraphWidget::toPixmap(int width, int height) {
  return plot_->toPixmap(width, height);
}

bool GraphWidget::savePdf(const QString &path, int width, int height) {
  return plot_->savePdf(path, width, height);
}

} // namespace quorvane
