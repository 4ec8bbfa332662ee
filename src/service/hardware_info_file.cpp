#include "service/hardware_info_file.h"

#include "link/sensor_link.h"
#include "params/parameter_state.h"
#include "params/parameter_transfer.h"
#include "service/core/hardware_info.h"
#include "service/core/service_texts.h"
#include "service/hardware_info_read.h"
#include "service/service_controller.h"
#include "ui/dialogs.h"
#include "ui/shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>
#include <vector>

namespace quorvane {
namespace {

QString qs(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString writeFailureReason(int code) {
  switch (code) {
  case kIniAccessDenied:
    return QStringLiteral("Access denied: the file or its folder is not writable.");
  case kIniDiskFull:
    return QStringLiteral("The disk is full.");
  default:
    return QStringLiteral("Write error (code %1).").arg(code);
  }
}

} // namespace

HardwareInfoFile::HardwareInfoFile(SensorLink &link, Shell &shell, Dialogs &dialogs,
                                   const ParameterState &parameters, ParameterTransfer &transfer,
                                   ServiceController &service)
    : link_(link), shell_(shell), dialogs_(dialogs), parameters_(parameters), transfer_(transfer),
      service_(service) {
  link_.setAcquisitionTask(Acquisition::HardwareInfo, [this] { return run(); });
}

QCoro::Task<> HardwareInfoFile::run() {
  shell_.setBusy(false, true);
  (void)co_await writeHardwareInfoFile();
  shell_.setBusy(false, false);
}

QString HardwareInfoFile::dialogDirectory() const {
  if (path.isEmpty()) return QString();
  const QFileInfo info(path);
  // The remembered path may name a folder (the program folder when none was stored yet).
  return info.isDir() ? info.absoluteFilePath() : info.absolutePath();
}

QCoro::Task<int> HardwareInfoFile::writeHardwareInfoFile() {
  // The parameters as the sensor's RAM holds them; the operator's memory target stays.
  link_.markVerified();
  co_await transfer_.readParameters(ParameterMemory::Ram);
  // A link failure stops the acquisition too (and has reported itself).
  if (!link_.acquisitionRunning()) co_return -1;
  // Factors and offsets onto their pages. A short reply does not stop the file, which
  // matters most when something is wrong: it holds what came, and the log says what not.
  const std::optional<PartialCalibrationData> calibration = co_await service_.readCalibration();
  if (!calibration || !link_.acquisitionRunning()) co_return -1;
  // The hardware information block.
  const std::optional<std::vector<std::uint8_t>> reply = co_await readHardwareInfoBlock(link_);
  if (!reply || !link_.acquisitionRunning()) co_return -1;
  const std::vector<std::uint8_t> &block = *reply;

  // The file to write, chosen by the operator.
  const FileSelection chosen =
      dialogs_.selectFile(dialogDirectory(), qs(servicetext::kHardwareInfoDefaultName),
                          qs(servicetext::kHardwareInfoFilter),
                          qs(servicetext::kHardwareInfoDialogTitle), FileDialogMode::Save);
  if (!chosen.path.isEmpty()) path = chosen.path;
  if (chosen.result == FileSelectResult::Cancelled || chosen.path.isEmpty()) {
    shell_.appendConnectionLog(qs(servicetext::kLogNoFileSelected));
    co_return -1;
  }

  // The parameters as they are now.
  HardwareInfoInput input;
  const std::string firmware = link_.firmwareText().toStdString();
  input.firmware = firmware;
  input.block = block;
  // As read from the sensor above (the pages showed them since): the fields cannot show a factor
  // above 4096, and a support file needs what the sensor holds.
  input.calibration = calibration->data;
  input.parameters = parameters_.para;
  input.teachTable = parameters_.table;

  // The document, through a temporary file so a failure leaves an old file intact.
  const HardwareInfoDocument document = hardwareInfoDocument(input);
  const int written = document.doc.writeToFile(QFile::encodeName(chosen.path).toStdString());
  if (written < 0) {
    dialogs_.message(QStringLiteral("ATTENTION!"),
                     QStringLiteral("Hardware initial file could not be written:\n%1\n%2")
                         .arg(QDir::toNativeSeparators(chosen.path), writeFailureReason(written)));
    co_return -1;
  }
  if (!calibration->complete())
    shell_.appendConnectionLog(qs(hardwareInfoCalibrationMissingLog(*calibration)));
  if (document.blockTruncated)
    shell_.appendConnectionLog(qs(hardwareInfoTruncatedLog(block.size())));
  shell_.appendConnectionLog(
      qs(hardwareInfoSavedLog(QDir::toNativeSeparators(path).toStdString())));
  co_return 1;
}

} // namespace quorvane
