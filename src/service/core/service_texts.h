#pragma once
// Operator-facing texts of the calibration and offset pages, the password panel and the
// hardware info file: popups (title and text) and connection-log lines, byte for byte.
#include <string_view>

namespace quorvane::servicetext {

struct Message {
  std::string_view title;
  std::string_view text;

  bool operator==(const Message &) const = default;
};

// CALCULATE CALIBRATION FACTORS: asked before anything is measured.
inline constexpr Message kSendPowerConfirm{
    "SEND POWER",
    "Make sure, that the sensor shines on a WHITE target! \nSelect a proper POWER value that "
    "the RAW DATAS are within the dynamic range.  \nRepeat as long as the intensity for the "
    "RAW DATAS is NOT OK."};
inline constexpr Message kCalculationConfirm{
    "CONFIRM CALCULATION!",
    "Are you sure, that you have selected the right calibration parameters? "};
// Shown when the operator answers No to kCalculationConfirm.
inline constexpr Message kCalculationDeclined{
    "INFO!", "Please insert the right values and press \n CALCULATE CALIBRATION FACTORS again."};
inline constexpr Message kDeltaTooHigh{
    "ATTENTION!",
    "The maximum delta of the raw data values RED,GREEN and BLUE is to high. \nCalibration is "
    "not possible. \nVerify, that the sensor shines on a WHITE target! \nIncrease MAXIMUM "
    "DELTA OF RAW DATAS! "};
inline constexpr Message kFactorOutOfRange{
    "ATTENTION!", "One of the calibration factor is out of range. \nCalibration is not possible. "
                  "\nVerify, that the senor shines on a WHITE target! \nChoose a proper POWER "
                  "value. "};
inline constexpr Message kCalibrationPassed{
    "CALIBRATION PASSED!", "Calibration successful! \nCalibration factors were sent to the "
                           "EEPROM of the sensor. \nGO mode will be activated. "};
// STOP, a page switch or closing the window ended the 100-frame run.
inline constexpr Message kCalibrationStopped{"INFO!", "CALIBRATION STOPPED! \nNOTHING WAS SENT."};

// After a self-calibration: the factors are shown but not yet stored in the sensor.
inline constexpr Message kSelfCalibrationConfirm{"ATTENTION!",
                                                 "Confirm calibration factors with SEND CF."};

// A calibration reply shorter than its record: the link delivered it, but it cannot be
// used, so nothing on the pages changes.
inline constexpr Message kCalibrationReplyTooShort{
    "ATTENTION!", "RECEIVED CALIBRATION DATA ARE INCOMPLETE! \nNOTHING WAS CHANGED."};
// Factors read from the sensor that no valid calibration gives; the factor fields keep
// what they showed, so SEND CF cannot pass such a factor on.
inline constexpr Message kReadFactorOutOfRange{
    "ATTENTION!", "RECEIVED CALIBRATION FACTOR IS ABOVE 4096! \nTHE FACTORS SHOWN WERE NOT "
                  "CHANGED."};

// Password panel of the offset compensation page.
inline constexpr Message kWrongPassword{"ATTENTION!", "Wrong password. \nPlease try again."};

// Hardware info file: the connection page's button and its file dialog.
inline constexpr std::string_view kHardwareInfoHelp =
    "Save Hardware Initial File to disk. \nSend this file to your supplier for assistance.";
inline constexpr std::string_view kHardwareInfoDialogTitle = "HardwareInitialFile";
inline constexpr std::string_view kHardwareInfoDefaultName = "HardwareInitialFile.ini";
inline constexpr std::string_view kHardwareInfoFilter = "*.ini";

// Connection-log lines of the hardware info file.
inline constexpr std::string_view kLogNoFileSelected = "ATTENTION!   NO FILE WAS SELECTED!\n\n";
inline constexpr std::string_view kLogSavedToHead = "HARDWARE INI FILE HAS BEEN SAVED TO:\n";
inline constexpr std::string_view kLogSavedToTail = "\n\n";

} // namespace quorvane::servicetext
