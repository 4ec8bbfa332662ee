#pragma once
// The scope display panel (child panel 7): the scope graph with two cursors, the digital
// graph that follows them, the signal selector, the cursor deltas, the scan-running
// indicator, ZOOM 1:1 and CLOSE. It only shows what it is given.
#include "scope/core/scope_buffers.h"
#include "scope/core/scope_measure.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace quorvane {

class Dialogs;
class GraphWidget;
class NumberDisplay;

class ScopePanel : public QWidget {
  Q_OBJECT
public:
  explicit ScopePanel(Dialogs &dialogs, QWidget *parent = nullptr);

  void setAxes(const ScopeAxes &axes);
  // Clears both graphs and draws the signals `shown` and the digital traces.
  void drawScan(const ScopeBuffers &buffers, const std::array<bool, 3> &shown);
  // Redraws only the scope graph (the signal selector).
  void drawSignals(const ScopeBuffers &buffers, const std::array<bool, 3> &shown);
  void showDelta(const ScopeDelta &delta);
  void setVoltsVisible(bool visible);
  void setScanRunning(bool running);
  [[nodiscard]] bool scanRunningShown() const;
  [[nodiscard]] int signalSelector() const;
  [[nodiscard]] ScopeCursorPosition cursor(int index) const;
  // The digital graph's cursors follow the scope graph's in x.
  void followCursors(double x1, double x2);

  GraphWidget *scopeGraph() const { return scope_; }
  GraphWidget *digitalGraph() const { return digital_; }
  QComboBox *signalSelectorRing() const { return selector_; }
  QPushButton *zoomButton() const { return zoom_; }
  QPushButton *closeButton() const { return close_; }
  NumberDisplay *deltaXDisplay() const { return deltaX_; }
  NumberDisplay *deltaYDisplay() const { return deltaY_; }
  NumberDisplay *voltsDisplay() const { return volts_; }
  QLabel *scanRunningIndicator() const { return running_; }

Q_SIGNALS:
  // A cursor of the scope graph was moved by the operator.
  void cursorMoved();

private:
  GraphWidget *scope_;
  GraphWidget *digital_;
  QComboBox *selector_;
  NumberDisplay *deltaX_;
  NumberDisplay *deltaY_;
  NumberDisplay *volts_;
  QLabel *voltsCaption_;
  QLabel *running_;
  QPushButton *zoom_;
  QPushButton *close_;
};

} // namespace quorvane
