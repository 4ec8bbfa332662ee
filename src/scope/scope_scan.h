#pragma once
// One scope scan on the link, free of pages: the settings checked, the start request, the
// four blocks the sensor sends once its trigger has occurred, and a break of the sensor's
// scan when the wait was stopped. Runs inside the link's Scope acquisition, so whatever
// stops that acquisition ends the wait.
#include "scope/core/scope_buffers.h"
#include "scope/core/scope_settings.h"

#include <QCoroTask>

#include <functional>
#include <string_view>

namespace quorvane {

class SensorLink;

// How a scan ended.
enum class ScanEnd {
  None,       // no scan yet
  Drawn,      // four good blocks
  NotStarted, // the start request failed (reported by the link) or the settings were refused
  Stopped,    // the acquisition was told to stop, or a block stalled (reported by the link)
  Failed,     // a bad block or a port error, reported through the link
};

struct ScopeScanResult {
  ScanEnd end = ScanEnd::None;
  ScopeBuffers buffers{};   // the rotated blocks when end == Drawn
  std::string_view refused; // why the settings were refused (end == NotStarted)
};

// `waiting` hears true once the sensor has taken the scan and its blocks are awaited (a
// break can be sent), false when the wait is over.
QCoro::Task<ScopeScanResult> runScopeScan(SensorLink &link, ScopeSettings settings,
                                          std::function<void(bool)> waiting = {});

} // namespace quorvane
