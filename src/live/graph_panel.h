#pragma once
// The graph panel (child panel 3): one graph per recorded signal, of which the signal
// selector shows one, and the numbers of the last recorded frame. It only draws what it is
// given; the live controller keeps the point index and the value pairs.
#include "live/core/graph_panel_data.h"
#include "ui/graph_widget.h"

#include <QWidget>

#include <array>
#include <string_view>

class QComboBox;
class QLabel;
class QPushButton;

namespace quorvane {

class Dialogs;
class NumberDisplay;

class GraphPanel : public QWidget {
  Q_OBJECT
public:
  explicit GraphPanel(Dialogs &dialogs, QWidget *parent = nullptr);
  ~GraphPanel() override;

  // Removes every line; the next segment starts a new one.
  void clearGraphs();
  // The numbers and one segment per graph of a recorded frame.
  void addFrame(const PanelGraphFrame &frame);
  // Shows graph `index` (signal order) and hides the others.
  void showOnly(std::size_t index);
  int selectedSignal() const;
  // Names of the seven signals, in the selector and over the numbers.
  void setSignalNames(const std::array<std::string_view, kPanelGraphs> &names);

  GraphWidget *graph(std::size_t index) const { return graphs_[index]; }
  QComboBox *signalSelector() const { return selector_; }
  QPushButton *closeButton() const { return close_; }
  NumberDisplay *number(std::size_t index) const { return numbers_[index]; }

Q_SIGNALS:
  // The operator chose another signal.
  void signalSelected();
  // CLOSE was clicked.
  void closeRequested();

private:
  struct Line {
    GraphWidget::PlotId id = 0;
    double lastKey = -1.0;
    double lastValue = 0.0;
    // Values seen on this graph so far, for its y axis.
    double low = 0.0;
    double high = 0.0;
  };

  void addSegment(std::size_t g, const PanelGraphSegment &s);
  void installPanelHelp(Dialogs &dialogs);

  std::array<GraphWidget *, kPanelGraphs> graphs_{};
  std::array<NumberDisplay *, kPanelGraphs> numbers_{};
  std::array<QLabel *, kPanelGraphs> labels_{};
  std::array<Line, kPanelGraphs> lines_{};
  QComboBox *selector_ = nullptr;
  QPushButton *close_ = nullptr;
};

} // namespace quorvane
