#pragma once
// Right-click help of the scope page and the scope display panel, one text per control.
#include <QString>

namespace quorvane::scope_help {

inline const QString kTriggerLevel = QStringLiteral(
    "Trigger level (digits) the displayed blue signal must cross \nin the trigger modes RISING "
    "EDGE and FALLING EDGE.");
inline const QString kTriggerMode = QStringLiteral(
    "SINGLE SHOT: the scan starts at once. \nRISING EDGE / FALLING EDGE: the scan is triggered "
    "when the blue signal crosses the trigger level. \nINTERNAL C-No.0: triggered when colour "
    "row 0 is detected. \nEXTERNAL IN0: triggered by the digital input IN0.");
inline const QString kPreTrigger = QStringLiteral(
    "Number of samples (0...127) recorded before the trigger event. \nNot used in the trigger "
    "mode SINGLE SHOT.");
inline const QString kScanRate = QStringLiteral(
    "One sample is recorded every SCAN RATE sensor cycles. \n128 samples are recorded per scan.");
inline const QString kRecordedSignal = QStringLiteral(
    "Signals the sensor records: \n0: RED, GREEN, BLUE \n1: X, Y, INT (s, i, M in the "
    "calculation modes s i M) \n2: the three analog outputs (also shown in volts).");
inline const QString kComment = QStringLiteral(
    "Comment printed with the scope graph. \nRight double click clears the comment.");
inline const QString kGetCycleTime = QStringLiteral(
    "Get cycle time from sensor. \nDon't interrupt the sensor for 8 seconds \nthen press the "
    "button.");
inline const QString kScanFrequency =
    QStringLiteral("Scan frequency of the sensor (Hz), read with GET CYCLE TIME.");
inline const QString kCycleTime =
    QStringLiteral("Cycle time of the sensor (ms), read with GET CYCLE TIME.");
inline const QString kScan = QStringLiteral(
    "Starts a scan with the settings above. \nThe sensor sends the 128 samples when the trigger "
    "condition has occurred.");
inline const QString kBreak =
    QStringLiteral("Breaks a running scan that waits for its trigger. \nThe graph keeps the "
                   "previous scan.");
inline const QString kPrint = QStringLiteral("Print settings,scope graph and comment.");

inline const QString kScopeGraph = QStringLiteral(
    "Scope graph: the three recorded signals, \nrecorded signal 0: RED, GREEN, BLUE, \nrecorded "
    "signal 1: X, Y, INT (s, i, M), \nrecorded signal 2: the analog outputs. \nDrag a cursor "
    "with the left mouse button; \nCtrl + drag zooms in, ZOOM 1:1 shows the whole scan.");
inline const QString kDigitalGraph = QStringLiteral(
    "Digital states of the scan: \nupper trace: IN0, \nlower trace: a colour is detected.");
inline const QString kSignalSelector =
    QStringLiteral("Selects the signals shown in the scope graph: all three or one of them.");
inline const QString kDeltaX =
    QStringLiteral("Time between the two cursors (ms): \nsamples x cycle time x scan rate.");
inline const QString kDeltaY = QStringLiteral("Difference between the two cursors in digits.");
inline const QString kDeltaVolts =
    QStringLiteral("Difference between the two cursors in volts (10 V = 4096 digits).");
inline const QString kScanRunning =
    QStringLiteral("Shown while a scan waits for the data of the sensor.");
inline const QString kZoom = QStringLiteral("Shows the whole scan (128 samples, full range).");
inline const QString kClose = QStringLiteral("Shows the measurement panel again.");

} // namespace quorvane::scope_help
