#include "service/service_subsystem.h"

#include "app/core/panel_settings.h"

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

void ServiceSubsystem::loadSettings(const PanelSettings &settings, const IniText &) {
  hardwareInfo_->path = QString::fromStdString(settings.paths.hardwareIniFile);
}

void ServiceSubsystem::storeSettings(PanelSettings &settings) const {
  settings.paths.hardwareIniFile = hardwareInfo_->path.toStdString();
}

} // namespace quorvane
