#pragma once
// The service subsystem: the CALIBRATION and OFFSET pages, the password panel that unlocks
// the OFFSET page, their controller and the hardware initial file.
#include "service/calibration_page.h"
#include "service/hardware_info_file.h"
#include "service/offset_page.h"
#include "service/password_panel.h"
#include "service/service_controller.h"
#include "ui/subsystem.h"

#include <memory>

namespace quorvane {

class Dialogs;
class FramePublisher;
class ParameterTransfer;
class SensorLink;
class Shell;
struct ParameterState;

class ServiceSubsystem : public Subsystem {
public:
  ServiceSubsystem(SensorLink &link, Shell &shell, Dialogs &dialogs,
                   const ParameterState &parameters, ParameterTransfer &transfer,
                   FramePublisher &frames);
  ~ServiceSubsystem() override;
  ServiceSubsystem(const ServiceSubsystem &) = delete;
  ServiceSubsystem &operator=(const ServiceSubsystem &) = delete;

  // The pages are owned by whoever places them (the main window); the password panel is a
  // window of the calibration page.
  CalibrationPage &calibrationPage() { return *calibrationPage_; }
  OffsetPage &offsetPage() { return *offsetPage_; }
  PasswordPanel &passwordPanel() { return *passwordPanel_; }
  ServiceController &controller() { return *controller_; }
  HardwareInfoFile &hardwareInfoFile() { return *hardwareInfo_; }

  // --- Subsystem ---
  void initAtStartup() override;
  // OFFSET stays hidden until the password panel unlocks it.
  std::vector<PageDeclaration> pages() override;
  std::vector<RememberedFile> rememberedFiles() override;

private:
  CalibrationPage *calibrationPage_;
  OffsetPage *offsetPage_;
  PasswordPanel *passwordPanel_;
  std::unique_ptr<ServiceController> controller_;
  std::unique_ptr<HardwareInfoFile> hardwareInfo_;
};

} // namespace quorvane
