#pragma once
// Graphs and strip charts: a thin layer over QCustomPlot with what the panels ask of a graph.
// Data is handed over as whole series; the widget redraws at most at the screen's rate and
// not at all while hidden, so callers may update it on every frame.
#include <QColor>
#include <QPixmap>
#include <QPointF>
#include <QRectF>
#include <QTimer>
#include <QWidget>

#include <array>
#include <map>
#include <span>
#include <vector>

class QCustomPlot;
class QCPAbstractItem;
class QCPAxis;
class QCPGraph;
class QCPItemStraightLine;

namespace quorvane {

enum class PlotStyle { Points, Line, PointsAndLine };

struct GraphRange {
  double lower = 0.0;
  double upper = 0.0;
  bool operator==(const GraphRange &) const = default;
};

class GraphWidget : public QWidget {
  Q_OBJECT
public:
  using PlotId = int;
  static constexpr int kMaxCursors = 2;

  explicit GraphWidget(QWidget *parent = nullptr);
  ~GraphWidget() override;

  // Sets the accessible name of the graph and of the drawing surface inside it.
  void setName(const QString &name);
  void setAxisLabels(const QString &x, const QString &y);
  // Hides the tick labels of the y axis (a graph that only shows a position along x).
  void setYTickLabelsVisible(bool visible);

  // --- plots (graphs) ---
  PlotId plotXY(std::span<const double> keys, std::span<const double> values, QColor colour,
                PlotStyle style = PlotStyle::Line);
  // Replaces the data of a plot made by plotXY; false for an unknown plot.
  bool setPlotData(PlotId id, std::span<const double> keys, std::span<const double> values);
  // Adds one point after the last one of a plot made by plotXY, without copying the rest (a
  // plot that grows by one point per frame); false for an unknown plot.
  bool appendPoint(PlotId id, double key, double value);
  // A full ellipse without fill inside `bounds` (plot co-ordinates).
  PlotId plotOval(const QRectF &bounds, QColor colour);
  PlotId plotRect(const QRectF &bounds, QColor line, QColor fill);
  void deletePlot(PlotId id);
  // Removes every plot, oval and rectangle; strip traces and cursors stay.
  void deleteAllPlots();
  int plotCount() const { return static_cast<int>(plots_.size()); }

  // --- axes ---
  void setXRange(double lower, double upper); // fixed
  void setYRange(double lower, double upper); // fixed
  void setXAutoScale(bool on);
  void setYAutoScale(bool on);
  bool xAutoScale() const { return xAuto_; }
  bool yAutoScale() const { return yAuto_; }
  GraphRange xRange() const;
  GraphRange yRange() const;

  // --- strip chart ---
  // Makes the graph a strip chart of `colours.size()` traces (up to 3).
  void setStripTraces(std::span<const QColor> colours);
  int stripTraceCount() const { return static_cast<int>(traces_.size()); }
  // The x axis shows this many points; the newest point is drawn at the right.
  void setPointsPerScreen(int points);
  int pointsPerScreen() const { return pointsPerScreen_; }
  // Replaces every trace: the values of the traces interleaved, oldest first.
  void plotStrip(std::span<const double> interleaved);
  // Values of one trace as last plotted.
  std::vector<double> stripValues(int trace) const;
  void clearStrip();

  // --- cursors: crosshairs ---
  void setCursorCount(int count, QColor colour = Qt::black);
  int cursorCount() const { return cursorCount_; }
  // When movable, a left click or drag moves the nearest cursor.
  void setCursorsMovable(bool movable) { cursorsMovable_ = movable; }
  void setCursorPosition(int index, double x, double y);
  QPointF cursorPosition(int index) const;

  // --- zoom: Ctrl + drag zooms into a rectangle, Ctrl + wheel zooms about the mouse ---
  void setUserZoomEnabled(bool on) { userZoom_ = on; }

  // --- image ---
  QPixmap toPixmap(int width = 0, int height = 0);
  bool savePdf(const QString &path, int width = 0, int height = 0);

  // Draws now what a pending redraw would draw (before a grab, in tests).
  void replotNow();
  bool replotPending() const { return dirty_; }
  // For drawings beyond this interface (colour-space views).
  QCustomPlot *plot() const { return plot_; }

Q_SIGNALS:
  void leftClicked(QPointF position);
  void leftDoubleClicked(QPointF position);
  void cursorMoved(int index, double x, double y);
  // The operator zoomed with Ctrl; both axes are now fixed.
  void zoomedByUser();

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void showEvent(QShowEvent *event) override;

private:
  struct Cursor {
    QCPItemStraightLine *vertical = nullptr;
    QCPItemStraightLine *horizontal = nullptr;
    QPointF position;
  };

  void requestReplot();
  void rescaleIfAuto();
  QPointF toPlot(const QPointF &pixel) const;
  int nearestCursor(const QPointF &pixel) const;
  void moveCursor(int index, const QPointF &pixel);
  void placeCursor(Cursor &c);
  PlotId remember(QCPGraph *graph, QCPAbstractItem *item);

  QCustomPlot *plot_;
  QTimer replotTimer_;
  bool dirty_ = false;
  bool xAuto_ = false;
  bool yAuto_ = false;
  bool userZoom_ = true;
  bool cursorsMovable_ = false;
  int dragging_ = -1;

  struct Plot {
    QCPGraph *graph = nullptr;
    QCPAbstractItem *item = nullptr;
  };
  std::map<PlotId, Plot> plots_;
  PlotId nextId_ = 1;

  std::vector<QCPGraph *> traces_;
  QVector<double> stripKeys_;
  int pointsPerScreen_ = 0;

  std::array<Cursor, kMaxCursors> cursors_{};
  int cursorCount_ = 0;
};

} // namespace quorvane
