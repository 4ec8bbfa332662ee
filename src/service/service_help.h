#pragma once
// Right-click help of the calibration and offset compensation pages and the password panel.
#include <QString>

namespace quorvane::service_help {

inline const QString kRawRed = QStringLiteral(
    "Displays the raw value of the red receiver channel before the calibration factor is "
    "applied. \nRange 0...4095 (12 bit).");
inline const QString kRawGreen = QStringLiteral(
    "Displays the raw value of the green receiver channel before the calibration factor is "
    "applied. \nRange 0...4095 (12 bit).");
inline const QString kRawBlue = QStringLiteral(
    "Displays the raw value of the blue receiver channel before the calibration factor is "
    "applied. \nRange 0...4095 (12 bit).");
inline const QString kRawBars =
    QStringLiteral("Shows the raw values RED, GREEN and BLUE as bars. \nFor a calibration they "
                   "should lie well within the dynamic range.");
inline const QString kRawDelta =
    QStringLiteral("Displays the largest difference between the raw values RED, GREEN and BLUE.");
inline const QString kSetValue = QStringLiteral(
    "The raw value that a WHITE target is to give after calibration. \nThe calibration factor "
    "of each channel is SET VALUE x 1024 / mean raw value.");
inline const QString kMaxDelta = QStringLiteral(
    "The largest allowed difference between the mean raw values RED, GREEN and BLUE. \nA "
    "larger difference means the target is not white: the calibration is refused.");
inline const QString kFactorRed = QStringLiteral(
    "Calibration factor of the red channel. \n1024 = gain 1, the largest valid factor is 4096.");
inline const QString kFactorGreen = QStringLiteral(
    "Calibration factor of the green channel. \n1024 = gain 1, the largest valid factor is 4096.");
inline const QString kFactorBlue = QStringLiteral(
    "Calibration factor of the blue channel. \n1024 = gain 1, the largest valid factor is 4096.");
inline const QString kProgress =
    QStringLiteral("Blinks while the measurements for the calibration are taken.");
inline const QString kCalcCF = QStringLiteral(
    "Calculates the calibration factors from 100 measurements of a WHITE target and sends them "
    "to the EEPROM of the sensor. \nGO mode is activated afterwards.");
inline const QString kGetCF =
    QStringLiteral("Reads the calibration factors and the offsets from the sensor.");
inline const QString kSendCF =
    QStringLiteral("Sends the calibration factors shown here to the EEPROM of the sensor.");
inline const QString kSelfCalibration = QStringLiteral(
    "Starts the self-calibration of the sensor. \nThe factors it computes are shown but not "
    "stored: confirm them with SEND CF.");
inline const QString kOffsetRed = QStringLiteral("Offset of the red channel.");
inline const QString kOffsetGreen = QStringLiteral("Offset of the green channel.");
inline const QString kOffsetBlue = QStringLiteral("Offset of the blue channel.");
inline const QString kGetOffset =
    QStringLiteral("Reads the offsets and the calibration factors from the sensor.");
inline const QString kCalcOffset = QStringLiteral(
    "The sensor measures its offsets. \nMake sure that no light reaches the receiver. \nThe new "
    "offsets are read back and shown.");
inline const QString kSendOffset =
    QStringLiteral("Sends the offsets shown here to the EEPROM of the sensor.");
inline const QString kPassword =
    QStringLiteral("Enter the service password and press ENTER. \nESC closes this window.");

} // namespace quorvane::service_help
