#pragma once
// The scope: reads the sensor's cycle time, runs one scan (start request, then the four
// blocks the sensor sends once its trigger has occurred), draws it, measures it with the
// cursors and prints it. The scan is the link's Scope acquisition, so BREAK, STOP, the
// connection or scope tab, a link failure and closing the window all end it.
#include "scope/core/scope_buffers.h"
#include "scope/core/scope_measure.h"
#include "scope/core/scope_stream.h"
#include "scope/scope_scan.h"

#include <QCoroTask>
#include <QObject>
#include <QString>

namespace quorvane {

class Dialogs;
class ParameterTransfer;
class ScopePage;
class ScopePanel;
class SensorLink;
class Shell;

class ScopeController : public QObject {
  Q_OBJECT
public:
  ScopeController(SensorLink &link, Shell &shell, Dialogs &dialogs, ParameterTransfer &transfer,
                  ScopePage &page, ScopePanel &panel, QObject *parent = nullptr);

  // --- callbacks ---
  void getCycleTimeClicked();
  void scanClicked();
  void breakClicked();
  void printClicked();
  void triggerModeChanged();
  void recordedSignalChanged();
  void scanRateChanged();
  void shownSignalsChanged();
  void scopeCursorMoved();
  void zoomClicked();
  void scopeCloseClicked();

  // --- operations ---
  QCoro::Task<> requestCycleTime();
  void resetScopeAxes();
  void measureCursorDeltas();
  void printScope();

  void setPanelId(const QString &id) { panelId_ = id; }

  [[nodiscard]] const CycleTime &cycleTime() const { return cycleTime_; }
  [[nodiscard]] const ScopeBuffers &buffers() const { return buffers_; }
  [[nodiscard]] bool haveScan() const { return haveScan_; }
  [[nodiscard]] ScanEnd lastScanEnd() const { return lastEnd_; }

private:
  QCoro::Task<> readCycleTime();
  // The Scope acquisition: one scan from the start request to its four blocks.
  QCoro::Task<> scan();
  QCoro::Task<ScanEnd> acquireScan();
  void drawScan();

  SensorLink &link_;
  Shell &shell_;
  Dialogs &dialogs_;
  ParameterTransfer &transfer_;
  ScopePage &page_;
  ScopePanel &panel_;
  QString panelId_;
  CycleTime cycleTime_;
  ScopeBuffers buffers_{};
  bool haveScan_ = false;
  ScanEnd lastEnd_ = ScanEnd::None;
};

} // namespace quorvane
