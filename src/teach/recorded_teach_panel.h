#pragma once
// Child panel 9: the recorded-values teach assistant's graphs, displays and buttons. Each
// graph draws the recorded points as one growing plot with one cursor.
#include "teach/core/recorded_points.h"
#include "teach/core/teach_panel_labels.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvane {

class Dialogs;
class GraphWidget;

class RecordedTeachPanel : public QWidget {
  Q_OBJECT
public:
  explicit RecordedTeachPanel(Dialogs &dialogs, QWidget *parent = nullptr);

  void applyLabels(const RecordedPanelLabels &labels);
  // One more point in each graph; earlier points are not drawn again one by one.
  void appendPoint(const RecordedPoint &p);
  // Removes every recorded point from the graphs.
  void clearPoints();
  void showCounter(std::size_t counter);
  void showDisplays(const std::array<std::uint16_t, 3> &values);
  [[nodiscard]] std::array<std::uint16_t, 3> displays() const;
  void placeCursors(const std::array<GraphPosition, kProjectionGraphs> &cursors);

  GraphWidget *graph(int i) const { return graphs_[static_cast<std::size_t>(i)]; }
  QLineEdit *display(int i) const { return displays_[static_cast<std::size_t>(i)]; }
  QLabel *displayCaption(int i) const { return captions_[static_cast<std::size_t>(i)]; }
  QLabel *graphTitle(int i) const { return titles_[static_cast<std::size_t>(i)]; }
  QLineEdit *counter() const { return counter_; }
  QPushButton *startButton() const { return start_; }
  QPushButton *resetButton() const { return reset_; }
  QPushButton *teachButton() const { return teach_; }
  QPushButton *closeButton() const { return close_; }

Q_SIGNALS:
  // The operator moved a graph's cursor with the mouse.
  void cursorDragged(int graph, double x, double y);
  // The operator pressed an arrow key on a graph: step through the points (+1 or -1).
  void stepRequested(int graph, int step);

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  std::array<GraphWidget *, kProjectionGraphs> graphs_{};
  std::array<int, kProjectionGraphs> plots_{};
  struct Extent {
    bool empty = true;
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
  };
  std::array<Extent, kProjectionGraphs> extents_{};
  std::array<QLabel *, kProjectionGraphs> titles_{};
  std::array<QLineEdit *, 3> displays_{};
  std::array<QLabel *, 3> captions_{};
  QLineEdit *counter_;
  QPushButton *start_;
  QPushButton *reset_;
  QPushButton *teach_;
  QPushButton *close_;
};

} // namespace quorvane
