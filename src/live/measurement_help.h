#pragma once
// Right-click help of the measurement panel, one text per display.
#include <QString>

namespace quorvane::measurement_help {

inline const QString kRed = QStringLiteral(
    "Displays the current value of the red receiver channel. \nRange 0...4095 (12 bit).");
inline const QString kGreen = QStringLiteral(
    "Displays the current value of the green receiver channel. \nRange 0...4095 (12 bit).");
inline const QString kBlue = QStringLiteral(
    "Displays the current value of the blue receiver channel. \nRange 0...4095 (12 bit).");
inline const QString kFirst = QStringLiteral(
    "Displays the first colour co-ordinate of the current colour: \nX in the calculation modes "
    "X Y INT, \ns in the calculation modes s i M.");
inline const QString kSecond = QStringLiteral(
    "Displays the second colour co-ordinate of the current colour: \nY in the calculation modes "
    "X Y INT, \ni in the calculation modes s i M.");
inline const QString kThird = QStringLiteral(
    "Displays the intensity of the current colour: \nINT in the calculation modes X Y INT, \nM "
    "in the calculation modes s i M.");
inline const QString kDeltaC = QStringLiteral(
    "Displays the distance of the current colour to the detected colour of the teach table. "
    "\n-1: no colour detected, or INT (M) is below INTLIM.");
inline const QString kColourNumber = QStringLiteral(
    "Displays the detected row of the teach table (C-No.). \n255: no colour detected (failure "
    "condition). \n\nDouble click: shows C-No. in a large window. \nRight click in the large "
    "window closes it.");
inline const QString kGroup = QStringLiteral(
    "Displays the detected colour group. \n255: no group detected (failure condition). \n\nDouble "
    "click: shows the group in a large window. \nRight click in the large window closes it.");
inline const QString kLedTrig = QStringLiteral("LED TRIG is green when the sensor is triggered.");
inline const QString kOut0 = QStringLiteral("Shows the state of the digital output OUT0 when "
                                            "EVALUATION MODE is COL2 or THD. \nGreen = HI.");
inline const QString kOut1 = QStringLiteral("Shows the state of the digital output OUT1 when "
                                            "EVALUATION MODE is COL2 or THD. \nGreen = HI.");
inline const QString kColourBox =
    QStringLiteral("Displays the current colour as the sensor sees it (red, green and blue).");
inline const QString kGraphTabs =
    QStringLiteral("Select a graphical display of the measured values.");
inline const QString kGraphRgb = QStringLiteral(
    "Displays the last 100 values of RED, GREEN and BLUE. \n\nLeft click: fixed scale 0...4096. "
    "\nLeft double click: automatic scaling. \nCtrl + drag: zoom into a rectangle.");
inline const QString kMinMax =
    QStringLiteral("Displays the minimum and maximum values of RED, GREEN and BLUE.");
inline const QString kGraphValues = QStringLiteral(
    "Displays the last 100 values of X, Y and INT (s, i and M in the calculation modes s i M). "
    "\n\nLeft click: fixed scale, 0...4096 for X Y INT, \n0...10000 (s), 0...5000 (i) and "
    "0...1200 (M) for s i M. \nLeft double click: automatic scaling. \nCtrl + drag: zoom into a "
    "rectangle.");
inline const QString kAuxiliary =
    QStringLiteral("Displays a further value that the sensor reports with each measurement.");
inline const QString kSimRef = QStringLiteral(
    "Displays the values of s, i and M that were taken as 5V reference of the analog outputs at "
    "the last rising edge of IN0 (ANALOG OUTMODE siM REF).");
inline const QString kGraph2D = QStringLiteral(
    "Displays the taught colours as tolerance circles in the X/Y plane (s/i plane) and the "
    "current colour as the cursor. \nCtrl + drag: zoom into a rectangle.");
inline const QString kGraphIntensity2D =
    QStringLiteral("Displays the current intensity INT (M) as the cursor.");
inline const QString kGraph3DXY = QStringLiteral(
    "Displays the taught colours and the current colour projected onto the X/Y plane (s/i).");
inline const QString kGraph3DXInt = QStringLiteral(
    "Displays the taught colours and the current colour projected onto the X/INT plane (s/M).");
inline const QString kGraph3DYInt = QStringLiteral(
    "Displays the taught colours and the current colour projected onto the Y/INT plane (i/M).");
inline const QString kGraph3DRgb = kGraphRgb;
inline const QString kShowGraph = QStringLiteral("Switch to a graphical display for each signal.");

} // namespace quorvane::measurement_help
