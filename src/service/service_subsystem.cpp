#include "service/service_subsystem.h"

#include "service/core/hardware_info.h"

#include <QLineEdit>

namespace quorvane {

ServiceSubsystem::ServiceSubsystem(SensorLink &link, Shell &shell, Dialogs &dialogs,
                                   const ParameterState &parameters, ParameterTransfer &transfer,
                                   FramePublisher &frames)
    : calibrationPage_(new CalibrationPage(dialogs)), offsetPage_(new OffsetPage(dialogs)),
      passwordPanel_(new PasswordPanel(dialogs, calibrationPage_)),
      controller_(std::make_unique<ServiceController>(link, shell, dialogs, frames,
                                                      *calibrationPage_, *offsetPage_)),
      hardwareInfo_(std::make_unique<HardwareInfoFile>(link, shell, dialogs, parameters, transfer,
                                                       *controller_)) {
  QObject::connect(calibrationPage_->decoration(), &PageDecoration::rightDoubleClicked,
                   passwordPanel_, &PasswordPanel::open);
}

ServiceSubsystem::~ServiceSubsystem() = default;

void ServiceSubsystem::initAtStartup() {
  passwordPanel_->field()->clear();
}

std::vector<PageDeclaration> ServiceSubsystem::pages() {
  return {{MainPage::Calibration, QStringLiteral("CALIBRATION"), 5, calibrationPage_},
          {MainPage::Offset, QStringLiteral("OFFSET"), 8, offsetPage_, true}};
}

std::vector<RememberedFile> ServiceSubsystem::rememberedFiles() {
  QString &path = hardwareInfo_->path;
  return {
      {kHardwareInfoFilePath, [&path] { return path; }, [&path](const QString &p) { path = p; }}};
}

} // namespace quorvane
