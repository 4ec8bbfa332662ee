#include "scope/scope_controller.h"

#include "link/sensor_link.h"
#include "link/transport.h"
#include "params/parameter_transfer.h"
#include "scope/scope_page.h"
#include "scope/scope_panel.h"
#include "scope/scope_print.h"
#include "ui/dialogs.h"
#include "ui/graph_widget.h"
#include "ui/shell.h"
#include "ui/wait_cursor.h"

#include <QComboBox>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>

namespace quorvane {
namespace {

QString qs(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

const QString kAttention = QStringLiteral("ATTENTION!");
const QString kPrintTitle = QStringLiteral("Info!");

} // namespace

ScopeController::ScopeController(SensorLink &link, Shell &shell, Dialogs &dialogs,
                                 ParameterTransfer &transfer, ScopePage &page, ScopePanel &panel,
                                 QObject *parent)
    : QObject(parent), link_(link), shell_(shell), dialogs_(dialogs), transfer_(transfer),
      page_(page), panel_(panel), cycleTime_(cycleTimeFrom(0, 0)) {
  connect(page_.getCycleTimeButton(), &QPushButton::clicked, this,
          &ScopeController::getCycleTimeClicked);
  connect(page_.scanButton(), &QPushButton::clicked, this, &ScopeController::scanClicked);
  connect(page_.breakButton(), &QPushButton::clicked, this, &ScopeController::breakClicked);
  connect(page_.printButton(), &QPushButton::clicked, this, &ScopeController::printClicked);
  connect(page_.triggerModeRing(), &QComboBox::activated, this,
          &ScopeController::triggerModeChanged);
  connect(page_.recordedSignalRing(), &QComboBox::activated, this,
          &ScopeController::recordedSignalChanged);
  connect(page_.scanRateBox(), &QSpinBox::valueChanged, this, &ScopeController::scanRateChanged);
  connect(panel_.signalSelectorRing(), &QComboBox::activated, this,
          &ScopeController::shownSignalsChanged);
  connect(&panel_, &ScopePanel::cursorMoved, this, &ScopeController::scopeCursorMoved);
  connect(panel_.zoomButton(), &QPushButton::clicked, this, &ScopeController::zoomClicked);
  connect(panel_.closeButton(), &QPushButton::clicked, this, &ScopeController::scopeCloseClicked);
  for (QWidget *w :
       {static_cast<QWidget *>(page_.getCycleTimeButton()),
        static_cast<QWidget *>(page_.scanButton()), static_cast<QWidget *>(page_.printButton())})
    shell_.addBusyControl(w, BusyGroup::PageAction);

  // The cursors start a quarter and three quarters across, low and high.
  panel_.scopeGraph()->setCursorPosition(0, 32.0, 1000.0);
  panel_.scopeGraph()->setCursorPosition(1, 96.0, 3000.0);
  triggerModeChanged();
  recordedSignalChanged();
  page_.showCycleTime(cycleTime_.frequencyText, cycleTime_.cycleTimeText);
  link_.setAcquisitionTask(Acquisition::Scope, [this] { return scan(); });
}

// --- callbacks ---

void ScopeController::getCycleTimeClicked() {
  readCycleTime();
}

void ScopeController::scanClicked() {
  // SCAN is dimmed while another acquisition holds the link; then nothing starts.
  (void)link_.startAcquisition(Acquisition::Scope);
}

void ScopeController::breakClicked() {
  if (link_.acquisition() != Acquisition::Scope) return;
  // The scan undims when it has cleaned up; until then SCAN stays dimmed.
  page_.breakButton()->setEnabled(false);
  link_.stopAcquisition();
}

void ScopeController::printClicked() {
  shell_.setBusy(false, true);
  printScope();
  shell_.setBusy(false, false);
}

void ScopeController::triggerModeChanged() {
  page_.setTriggerControls(scopeTriggerControlsFor(page_.settings().triggerMode));
}

void ScopeController::recordedSignalChanged() {
  panel_.setVoltsVisible(scopeVoltsShown(page_.recordedSignal()));
}

void ScopeController::scanRateChanged() {
  measureCursorDeltas();
}

void ScopeController::shownSignalsChanged() {
  if (haveScan_) panel_.drawSignals(buffers_, scopeSignalsShown(panel_.signalSelector()));
}

void ScopeController::scopeCursorMoved() {
  measureCursorDeltas();
}

void ScopeController::zoomClicked() {
  resetScopeAxes();
}

void ScopeController::scopeCloseClicked() {
  shell_.showChildPanel(ChildPanel::Measurement);
}

// --- operations ---

QCoro::Task<> ScopeController::readCycleTime() {
  shell_.setBusy(false, true);
  {
    WaitCursor wait;
    co_await requestCycleTime();
    measureCursorDeltas();
  }
  shell_.setBusy(false, false);
}

QCoro::Task<> ScopeController::requestCycleTime() {
  const LinkReply reply = co_await link_.request(Order::ReadCycleTime, 0);
  cycleTime_ = reply ? cycleTimeFromReply(reply.payload) : cycleTimeFrom(0, 0);
  page_.showCycleTime(cycleTime_.frequencyText, cycleTime_.cycleTimeText);
}

void ScopeController::resetScopeAxes() {
  panel_.setAxes(scopeGraphAxes(transfer_.calculationMode(), page_.recordedSignal()));
  measureCursorDeltas();
}

QCoro::Task<> ScopeController::scan() {
  shell_.setBusy(false, true);
  resetScopeAxes();
  panel_.setScanRunning(true);
  shell_.showChildPanel(ChildPanel::ScopeDisplay);
  lastEnd_ = co_await acquireScan();
  panel_.setScanRunning(false);
  shell_.setBusy(false, false);
}

QCoro::Task<ScanEnd> ScopeController::acquireScan() {
  const ScopeScanResult scanned = co_await runScopeScan(
      link_, page_.settings(), [this](bool waiting) { page_.breakButton()->setEnabled(waiting); });
  if (!scanned.refused.empty()) dialogs_.message(kAttention, qs(scanned.refused));
  if (scanned.end == ScanEnd::Drawn) {
    buffers_ = scanned.buffers;
    haveScan_ = true;
    drawScan();
  }
  // A failed scan keeps the previous one on the graph.
  co_return scanned.end;
}

void ScopeController::drawScan() {
  panel_.drawScan(buffers_, scopeSignalsShown(panel_.signalSelector()));
}

void ScopeController::measureCursorDeltas() {
  const ScopeCursorPosition c1 = panel_.cursor(0);
  const ScopeCursorPosition c2 = panel_.cursor(1);
  panel_.followCursors(c1.x, c2.x);
  const auto scanRate = static_cast<std::uint16_t>(page_.scanRate());
  panel_.showDelta(::quorvane::measureCursorDeltas(c1, c2, cycleTime_.cycleTimeMs, scanRate));
}

void ScopeController::printScope() {
  const std::vector<ReportLine> lines =
      scopeReportLines(panelId_.toStdString(), page_.comment().toStdString());
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(qs(kReportTitle));
  if (!dialogs_.selectPrinter(printer)) return; // cancelled: nothing, silently
  // The picture is of the panel as the operator sees it beside the page.
  shell_.showChildPanel(ChildPanel::ScopeDisplay);
  bool printed = false;
  {
    WaitCursor wait;
    printed = paintScopeReport(printer, lines, panel_);
  }
  dialogs_.message(kPrintTitle,
                   printed ? QStringLiteral("Print successful!") : QStringLiteral("Print error"));
}

} // namespace quorvane
