#pragma once
// The hardware initial file for support cases: parameters, calibration data and the
// sensor's hardware information block read from the sensor, then written with the
// firmware text and the current parameter set as one settings document. The reading is the
// link's HardwareInfo acquisition, so STOP, a page switch, the window closing and a link
// failure end it, and no file is written then.
#include <QCoroTask>
#include <QString>

namespace quorvane {

class Dialogs;
class ParameterTransfer;
class SensorLink;
class ServiceController;
class Shell;
struct ParameterState;

class HardwareInfoFile {
public:
  HardwareInfoFile(SensorLink &link, Shell &shell, Dialogs &dialogs,
                   const ParameterState &parameters, ParameterTransfer &transfer,
                   ServiceController &service);

  // The file chosen last; the next dialog starts in its folder. The panel settings keep it
  // as "HARDWARE INI FILE".
  QString path;

private:
  // The HardwareInfo acquisition: the whole run behind the busy lock.
  QCoro::Task<> run();
  // Reads from the sensor, asks for the file and writes it; 1 when a file was written.
  QCoro::Task<int> writeHardwareInfoFile();
  [[nodiscard]] QString dialogDirectory() const;

  SensorLink &link_;
  Shell &shell_;
  Dialogs &dialogs_;
  const ParameterState &parameters_;
  ParameterTransfer &transfer_;
  ServiceController &service_;
};

} // namespace quorvane
