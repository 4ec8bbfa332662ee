#pragma once
// Right-click help of the parameter controls (title "INFO!").
#include <QString>

namespace quorvane {

inline const QString kHelpPower = QStringLiteral(
    "Select the intensity of the transmitter LED. \n0 = no intensity,  1000 = full intensity.");
inline const QString kHelpPowerMode = QStringLiteral(
    "Select the operating mode of the transmitter unit. \n\nSTAT: Transmitter power is constantly "
    "kept at the POWER-SLIDER value. \n\nDYN : Transmitter power is dynamically tuned in "
    "accordance with the amount of radiation that \n      is diffusely reflected from the target. "
    "Sensor should not exceed the dynamic range. \n      The dynamic range can be selected with "
    "DYN WIN LO and DYN WIN HI.");
inline const QString kHelpLedMode = QStringLiteral(
    "Select the LED operation mode. \nDC: Light source is permanant on. \nAC: Light source is "
    "modulated. \nPULSE: Light source is pulsed. \nOFF: Light source is off.");
inline const QString kHelpGain =
    QStringLiteral("Select a amplification stage of the receicer. \nAMP1 is the lowest "
                   "amplification. \nAMP8 is the highest amplification. ");
inline const QString kHelpDynwin =
    QStringLiteral("Select a window for dynamic \nregaluation when PMOD = DYNAMIC.");
inline const QString kHelpAverage =
    QStringLiteral("Select the number of scanning values (measured values) \nover which the raw "
                   "signal is averaged (meanvalue!).");
inline const QString kHelpIntegral = QStringLiteral(
    "Select the number (0...250) of values \nover which the raw signal is integrated.");
inline const QString kHelpAnalogOut =
    QStringLiteral("CONT:  \nContinuous analog output.  \n\nIN0 L->H: \nAnalogue output at a "
                   "rising edge of IN0. \nThe signal is frozen until the next rising edge of IN0.");
inline const QString kHelpAnalogZoom =
    QStringLiteral("Select a zoom factor for the anlog output \nwhen ANALOG OUTMODE is siM REF.");
inline const QString kHelpMaxVecNo =
    QStringLiteral("Select the number of color vectors which should be checked \nin the TEACH "
                   "TABLE beginning with row 0. \n\nAktive rows in the TEACH TABLE are \nlabelled "
                   "green, inactive are labelled red.");
inline const QString kHelpCalculationMode = QStringLiteral(
    "Select a calculation mode: \nX Y INT - 2D = X/Y pairs and intensity. \ns i   M - 2D = s/i "
    "pairs and M. \nX Y INT - 3D = X/Y/INT pairs. \ns i   M - 3D = s/i/M pairs.");
inline const QString kHelpHold =
    QStringLiteral("Select the minimum pulse length when a digital output changes.");
inline const QString kHelpColorGroup =
    QStringLiteral("Activate color groups. \nNot possible when EVALMODE=COL2.");
inline const QString kHelpResetHold =
    QStringLiteral("Table Hold will be set to this value \nwhen Button RESET is pressed.");
inline const QString kHelpAnalogOutmode = QStringLiteral(
    "Select the signals which should be output analog. \n\nIf RGB MM is selected a minimum and a "
    "maximum value for \nred, green and blue is detected while IN0 is high. \nThe full analog "
    "voltage output range for red, green and blue \nlies within its detected minimum and maximum "
    "values. \n\nIf siM REF is selected the present analog values of s i M \nwill be set to 5V "
    "reference at a rising edge of IN0.");
inline const QString kHelpDigitalOutmode = QStringLiteral(
    "Select how to control the 2 digital outputs. \n\nBINARY: \nIf color group is disabled, the "
    "maximum number of colors to be taught is 3. \nIf a color (row 0-2 in the TEACH TABLE) is "
    "detected, this color is displayed in C-No: \nand is set binary to the digital outputs (OUT0 "
    "and OUT1). \nIf no color is detected, C-No: is 255. The digital outputs (OUT0 and OUT1) are "
    "set to HI. \nIf color group is enabled, the maximum number of colors to be taught is 31, but "
    "only 3 groups are possible. \n\nDIRECT LO: \nIf color group is disabled, the maximum number "
    "of colors to be taught is 2. \nIf a color (row 0 or 1 in the TEACH TABLE) is detected, the "
    "special digital output is set to LO, all others are HI. \nIf no color is detected, C-No: is "
    "255. The digital outputs (OUT0 and OUT1) are set to HI. \nIf color group is enabled, the "
    "maximum number of colors to be taught is 31, but only 2 groups are possible. \nIf a group is "
    "detected, the digital output is set to LO, all others are HI. \n\nDIRECT HI: \nIf color group "
    "is disabled, the maximum number of colors to be taught is 2. \nIf a color (row 0 or 1 in the "
    "TEACH TABLE) is detected, the special digital output is set to HI, all others are LO. \nIf no "
    "color is detected, C-No: is 255. The digital outputs (OUT0 and OUT1) are set to LO. \nIf "
    "color group is enabled, the maximum number of colors to be taught is 31, but only 2 groups "
    "are possible. \nIf a group is detected, the digital output is set to HI, all others are LO.");
inline const QString kHelpIntLim =
    QStringLiteral("Select an intensity limit. \nColor evaluation is stopped, if the current "
                   "intensity INT or M falls below this limit. \nERROR STATE is output. \n\n "
                   "ATTENTION: If POWER MODE = DYN. Display INT or M shows the transmitter power. "
                   "\n The sensor still calculates the real INT or M and compares it with INTLIM.");
inline const QString kHelpEvaluationMode = QStringLiteral(
    "HIT = Current detected signal lies within a taught row in the teach table. \n\nFIRST HIT: "
    "First HIT in the teach table will be output. \n\nBEST HIT: Best HIT (shortest distance to the "
    "taught colors) will be output. \n\nMIN DIST: Shortest distance to the centre of all taught "
    "colors will be output when INT (M) lies within ITO (MTO). \n\nCOL2: Color 0 and 1 can be "
    "output simultaneously. \n\nTHD Red Green: \nOUT0=HI when the red signal is higher than "
    "row0/columnTHD in the teach table, otherwise OUT0=LO \nOUT1=HI when the green signal is "
    "higher than row1/columnTHD in the teach table, otherwise OUT1=LO \nDitto THD Red Blue, THD "
    "Green Blue.");
inline const QString kHelpExternTeach = QStringLiteral(
    "Select external teach mode. \n\nOFF: No external teach. \n\nON: External teach to all rows of "
    "the teach table (See manual). \nATTENTION! The taught values are stored into the EEPROM of "
    "the sensor. \nIf you are in the GO mode during an external teach, \nyou will get a TIMEOUT, "
    "because of the EEPROM transfer. \n\nSTAT1: External teach to row 0 of the teach table. "
    "\nTransmitter power is the power selected with the power slider. \nThe taught values are "
    "stored into the RAM of the sensor. \n\nDYN1: External teach to row 0 of the teach table. "
    "\nThe transmitter power is adjusted dynamically, when IN0 goes high. \nAfter the power is "
    "adjusted, the sensor works on static with this detected power value. \nThe taught values are "
    "stored into the RAM of the sensor. \nNOTE! DYN1 is not available in combination with LED "
    "MODE=OFF. \n\nNOTE! Colors will be teached Up to MAXCOL-No: when EVALUATION MODE is FIRST "
    "HIT. \n\nNOTE! When EVALUATION MODE is THD Red Green, THD Red Blue, THD Green Blue, \na "
    "maximum and a minimum for each channel will be detected while IN0 is high. \nThe threshold "
    "for the selected channels is set to (MAX+MIN)/2. \nThe taught thresholds will be stored in "
    "the EEPROM when EXTEACH=ON. \nThe taught thresholds will be stored in the RAM when "
    "EXTEACH=STAT1 or DYN1");
inline const QString kHelpTrigger = QStringLiteral(
    "Select the trigger mode for the sensor. \n\nCONT: Continuous color detection (no trigger "
    "event required). \n\nSELF: Self Trigger! 'Trigger' is given, when the actual color is "
    "anything else than color 0. \n      Color detection as long as trigger (color is not color "
    "0). \n      When trigger goes low (redetection of color 0), the most detected color will be "
    "hold at the output. \n\nEXT1: Color detection as long as trigger (IN0) is high. \n      When "
    "trigger goes low, the most detected color will be hold at the output. \n\nEXT2: Color "
    "detection as long as trigger (IN0) is high. \n      When trigger goes low, the last detected "
    "color will be hold at the output. \n\nEXT3: Color detection as long as trigger (IN0) is high. "
    "\n      When trigger goes low, fail condition is output. \n\nTRANS: Transmitter is active "
    "when trigger (IN0) is high. \n\nPARA: Sensor works with ParaSet0 when trigger (IN0) is low. "
    "\n      Sensor works with ParaSet1 when trigger (IN0) is high. \n\nLED TRIG is green when the "
    "sensor is triggered.");

} // namespace quorvane
