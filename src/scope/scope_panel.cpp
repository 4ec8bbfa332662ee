#include "scope/scope_panel.h"
#include "ui/colour.h"
#include "ui/named_button.h"

#include "scope/scope_help.h"
#include "ui/display_widgets.h"
#include "ui/graph_widget.h"
#include "ui/help.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvane {
namespace {

// The digital traces lie at 0/1 (bit 1) and 2/3 (bit 0); a cursor's horizontal line is
// kept below that range so only its vertical line shows.
constexpr double kDigitalLower = -0.5;
constexpr double kDigitalUpper = 3.5;
constexpr double kDigitalCursorY = kDigitalLower - 1.0;

std::array<double, kScopeSamples> sampleKeys() {
  std::array<double, kScopeSamples> keys{};
  for (std::size_t k = 0; k < kScopeSamples; ++k)
    keys[k] = static_cast<double>(k);
  return keys;
}

} // namespace

ScopePanel::ScopePanel(Dialogs &dialogs, QWidget *parent) : QWidget(parent) {
  namespace h = scope_help;
  setAccessibleName(QStringLiteral("SCOPE DISPLAY"));

  scope_ = new GraphWidget(this);
  scope_->setName(QStringLiteral("SCOPE GRAPH"));
  scope_->setObjectName(QStringLiteral("scopeGraph"));
  scope_->setAxisLabels(QStringLiteral("samples"), QStringLiteral("digits"));
  scope_->setMinimumSize(320, 260);
  scope_->setCursorCount(2, Qt::black);
  scope_->setCursorsMovable(true);
  scope_->setUserZoomEnabled(true);

  digital_ = new GraphWidget(this);
  digital_->setName(QStringLiteral("DIGITAL GRAPH"));
  digital_->setObjectName(QStringLiteral("digitalGraph"));
  digital_->setAxisLabels(QStringLiteral("samples"), QStringLiteral("IN0 / colour"));
  digital_->setMinimumSize(320, 90);
  digital_->setMaximumHeight(130);
  digital_->setUserZoomEnabled(false);
  digital_->setXRange(0.0, static_cast<double>(kScopeSamples));
  digital_->setYRange(kDigitalLower, kDigitalUpper);
  digital_->setCursorCount(2, Qt::black);

  selector_ = new QComboBox(this);
  selector_->setAccessibleName(QStringLiteral("SIGNAL"));
  selector_->setObjectName(QStringLiteral("scopeSignalSelector"));
  selector_->addItem(QStringLiteral("ALL SIGNALS"), 0);
  selector_->addItem(QStringLiteral("1st SIGNAL (red)"), 1);
  selector_->addItem(QStringLiteral("2nd SIGNAL (green)"), 2);
  selector_->addItem(QStringLiteral("3rd SIGNAL (blue)"), 3);

  deltaX_ = new NumberDisplay(QStringLiteral("DELTA X [ms]"), this);
  deltaY_ = new NumberDisplay(QStringLiteral("DELTA Y [digits]"), this);
  volts_ = new NumberDisplay(QStringLiteral("DELTA Y [V]"), this);
  for (NumberDisplay *d : {deltaX_, deltaY_, volts_})
    d->setMinimumWidth(90);

  running_ = new QLabel(QStringLiteral("SCAN RUNNING..."), this);
  running_->setAccessibleName(QStringLiteral("SCAN RUNNING"));
  running_->setStyleSheet(
      QStringLiteral("QLabel { background: #ffd200; color: black; font-weight: bold; "
                     "padding: 2px 8px; }"));
  running_->setVisible(false);

  zoom_ = namedButton(QStringLiteral("ZOOM 1:1"), "zoomButton", this);
  close_ = namedButton(QStringLiteral("CLOSE"), "scopeCloseButton", this);

  // Captions left of their fields, buttons at the right: the panel stays narrow.
  auto *deltas = new QGridLayout;
  deltas->addWidget(new QLabel(QStringLiteral("SIGNAL"), this), 0, 0);
  deltas->addWidget(selector_, 0, 1);
  deltas->addWidget(new QLabel(QStringLiteral("DELTA X [ms]"), this), 1, 0);
  deltas->addWidget(deltaX_, 1, 1);
  deltas->addWidget(new QLabel(QStringLiteral("DELTA Y [digits]"), this), 2, 0);
  deltas->addWidget(deltaY_, 2, 1);
  voltsCaption_ = new QLabel(QStringLiteral("DELTA Y [V]"), this);
  deltas->addWidget(voltsCaption_, 3, 0);
  deltas->addWidget(volts_, 3, 1);

  auto *buttons = new QVBoxLayout;
  buttons->addWidget(running_);
  buttons->addStretch();
  buttons->addWidget(zoom_);
  buttons->addWidget(close_);

  auto *bottom = new QHBoxLayout;
  bottom->addLayout(deltas);
  bottom->addStretch();
  bottom->addLayout(buttons);

  auto *layout = new QVBoxLayout(this);
  layout->addWidget(scope_, 3);
  layout->addWidget(digital_, 1);
  layout->addLayout(bottom);

  installHelp({{scope_, h::kScopeGraph},
               {digital_, h::kDigitalGraph},
               {selector_, h::kSignalSelector},
               {deltaX_, h::kDeltaX},
               {deltaY_, h::kDeltaY},
               {volts_, h::kDeltaVolts},
               {running_, h::kScanRunning},
               {zoom_, h::kZoom},
               {close_, h::kClose}},
              dialogs);

  connect(scope_, &GraphWidget::cursorMoved, this, [this] { Q_EMIT cursorMoved(); });
  setVoltsVisible(false);
}

void ScopePanel::setAxes(const ScopeAxes &axes) {
  scope_->setXRange(axes.xMin, axes.xMax);
  scope_->setYRange(axes.yMin, axes.yMax);
}

void ScopePanel::drawSignals(const ScopeBuffers &buffers, const std::array<bool, 3> &shown) {
  static const std::array<double, kScopeSamples> keys = sampleKeys();
  scope_->deleteAllPlots();
  for (std::size_t i = 0; i < 3; ++i) {
    if (!shown[i]) continue;
    const auto values = scopeTraceValues(buffers.analog[i]);
    scope_->plotXY(keys, values, colourOf(kScopeSignalColours[i]));
  }
}

void ScopePanel::drawScan(const ScopeBuffers &buffers, const std::array<bool, 3> &shown) {
  static const std::array<double, kScopeSamples> keys = sampleKeys();
  drawSignals(buffers, shown);
  digital_->deleteAllPlots();
  const DigitalTraces traces = digitalTraces(buffers.digital);
  digital_->plotXY(keys, traces.a, colourOf(kScopeDigitalColour));
  digital_->plotXY(keys, traces.b, colourOf(kScopeDigitalColour));
}

void ScopePanel::showDelta(const ScopeDelta &delta) {
  deltaX_->showText(delta.deltaXText);
  deltaY_->showText(delta.dyText);
  volts_->showText(delta.voltsText);
}

void ScopePanel::setVoltsVisible(bool visible) {
  volts_->setVisible(visible);
  voltsCaption_->setVisible(visible);
}

void ScopePanel::setScanRunning(bool running) {
  running_->setVisible(running);
}

bool ScopePanel::scanRunningShown() const {
  return !running_->isHidden();
}

int ScopePanel::signalSelector() const {
  return selector_->currentData().toInt();
}

ScopeCursorPosition ScopePanel::cursor(int index) const {
  const QPointF p = scope_->cursorPosition(index);
  return {p.x(), p.y()};
}

void ScopePanel::followCursors(double x1, double x2) {
  digital_->setCursorPosition(0, x1, kDigitalCursorY);
  digital_->setCursorPosition(1, x2, kDigitalCursorY);
}

} // namespace quorvane
