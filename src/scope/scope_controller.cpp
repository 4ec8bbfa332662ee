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
          &ScopeController::CBF_ButtonGetCycleTime);
  connect(page_.scanButton(), &QPushButton::clicked, this, &ScopeController::CBF_ButtonScan);
  connect(page_.breakButton(), &QPushButton::clicked, this, &ScopeController::CBF_ButtonBreakScan);
  connect(page_.printButton(), &QPushButton::clicked, this,
          &ScopeController::CBF_ButtonPrintScopeGraph);
  connect(page_.triggerModeRing(), &QComboBox::activated, this,
          &ScopeController::CBF_EditTriggerMode);
  connect(page_.recordedSignalRing(), &QComboBox::activated, this,
          &ScopeController::CBF_EditScopeRecSignal);
  connect(page_.scanRateBox(), &QSpinBox::valueChanged, this, &ScopeController::CBF_EditScanRate);
  connect(panel_.signalSelectorRing(), &QComboBox::activated, this,
          &ScopeController::CBF_EditScopeSignal);
  connect(&panel_, &ScopePanel::cursorMoved, this, &ScopeController::CBF_GraphScope);
  connect(panel_.zoomButton(), &QPushButton::clicked, this, &ScopeController::CBF_ButtonZoom11);
  connect(panel_.closeButton(), &QPushButton::clicked, this, &ScopeController::CBF_ButtonCloseSP);
  for (QWidget *w :
       {static_cast<QWidget *>(page_.getCycleTimeButton()),
        static_cast<QWidget *>(page_.scanButton()), static_cast<QWidget *>(page_.printButton())})
    shell_.addBusyControl(w, BusyGroup::PageAction);

  // The cursors start a quarter and three quarters across, low and high.
  panel_.scopeGraph()->setCursorPosition(0, 32.0, 1000.0);
  panel_.scopeGraph()->setCursorPosition(1, 96.0, 3000.0);
  CBF_EditTriggerMode();
  CBF_EditScopeRecSignal();
  page_.showCycleTime(cycleTime_.frequencyText, cycleTime_.cycleTimeText);
  link_.setAcquisitionTask(Acquisition::Scope, [this] { return scan(); });
}

// --- callbacks ---

void ScopeController::CBF_ButtonGetCycleTime() {
  readCycleTime();
}

void ScopeController::CBF_ButtonScan() {
  // SCAN is dimmed while another acquisition holds the link; then nothing starts.
  (void)link_.startAcquisition(Acquisition::Scope);
}

void ScopeController::CBF_ButtonBreakScan() {
  if (link_.acquisition() != Acquisition::Scope) return;
  // The scan undims when it has cleaned up; until then SCAN stays dimmed.
  page_.breakButton()->setEnabled(false);
  link_.stopAcquisition();
}

void ScopeController::CBF_ButtonPrintScopeGraph() {
  shell_.SetButtonsDimmed(false, true);
  PrintScopeGraph();
  shell_.SetButtonsDimmed(false, false);
}

void ScopeController::CBF_EditTriggerMode() {
  page_.setTriggerControls(scopeTriggerControlsFor(page_.settings().triggerMode));
}

void ScopeController::CBF_EditScopeRecSignal() {
  panel_.setVoltsVisible(scopeVoltsShown(page_.recordedSignal()));
}

void ScopeController::CBF_EditScanRate() {
  calcScopDeltaXY();
}

void ScopeController::CBF_EditScopeSignal() {
  if (haveScan_) panel_.drawSignals(buffers_, scopeSignalsShown(panel_.signalSelector()));
}

void ScopeController::CBF_GraphScope() {
  calcScopDeltaXY();
}

void ScopeController::CBF_ButtonZoom11() {
  initScopeGraph();
}

void ScopeController::CBF_ButtonCloseSP() {
  shell_.ShowChildPanelDisp(ChildPanel::Measurement);
}

// --- operations ---

QCoro::Task<> ScopeController::readCycleTime() {
  shell_.SetButtonsDimmed(false, true);
  {
    WaitCursor wait;
    co_await GetCycleTime();
    calcScopDeltaXY();
  }
  shell_.SetButtonsDimmed(false, false);
}

QCoro::Task<> ScopeController::GetCycleTime() {
  const LinkReply reply = co_await link_.request(Order::ReadCycleTime, 0);
  cycleTime_ = reply ? cycleTimeFromReply(reply.payload) : cycleTimeFrom(0, 0);
  page_.showCycleTime(cycleTime_.frequencyText, cycleTime_.cycleTimeText);
}

void ScopeController::initScopeGraph() {
  panel_.setAxes(scopeGraphAxes(transfer_.calculationMode(), page_.recordedSignal()));
  calcScopDeltaXY();
}

QCoro::Task<> ScopeController::scan() {
  shell_.SetButtonsDimmed(false, true);
  initScopeGraph();
  panel_.setScanRunning(true);
  shell_.ShowChildPanelDisp(ChildPanel::ScopeDisplay);
  lastEnd_ = co_await GetScopeData();
  panel_.setScanRunning(false);
  shell_.SetButtonsDimmed(false, false);
}

QCoro::Task<ScanEnd> ScopeController::GetScopeData() {
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

void ScopeController::calcScopDeltaXY() {
  const ScopeCursorPosition c1 = panel_.cursor(0);
  const ScopeCursorPosition c2 = panel_.cursor(1);
  panel_.followCursors(c1.x, c2.x);
  const auto scanRate = static_cast<std::uint16_t>(page_.scanRate());
  panel_.showDelta(::quorvane::calcScopDeltaXY(c1, c2, cycleTime_.cycleTimeMs, scanRate));
}

void ScopeController::PrintScopeGraph() {
  const std::vector<ReportLine> lines =
      scopeReportLines(panelId_.toStdString(), page_.comment().toStdString());
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(qs(kReportTitle));
  if (!dialogs_.selectPrinter(printer)) return; // cancelled: nothing, silently
  // The picture is of the panel as the operator sees it beside the page.
  shell_.ShowChildPanelDisp(ChildPanel::ScopeDisplay);
  bool printed = false;
  {
    WaitCursor wait;
    printed = paintScopeReport(printer, lines, panel_);
  }
  dialogs_.message(kPrintTitle,
                   printed ? QStringLiteral("Print successful!") : QStringLiteral("Print error"));
}

} // namespace quorvane
