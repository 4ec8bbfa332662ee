#pragma once
// The recorder subsystem: the RECORDER page and the controller that records measurement
// frames to the record file. Its file path is "RECORDER FILE" of the panel settings.
#include "recorder/recorder_controller.h"
#include "recorder/recorder_page.h"
#include "ui/subsystem.h"

#include <memory>

namespace quorvane {

class Dialogs;
class FramePublisher;
class SensorLink;
class Shell;

class RecorderSubsystem : public Subsystem {
public:
  // The page's action controls join the busy lock of `shell`.
  RecorderSubsystem(SensorLink &link, Shell &shell, Dialogs &dialogs, FramePublisher &frames);
  ~RecorderSubsystem() override;
  RecorderSubsystem(const RecorderSubsystem &) = delete;
  RecorderSubsystem &operator=(const RecorderSubsystem &) = delete;

  // Owned by whoever places it (the main window); valid for the subsystem's life.
  RecorderPage &page() { return *page_; }
  RecorderController &controller() { return *controller_; }

  // --- Subsystem ---
  std::vector<PageDeclaration> pages() override;
  std::vector<RememberedFile> rememberedFiles() override;
  void pageSelected(MainPage page) override;

private:
  RecorderPage *page_;
  std::unique_ptr<RecorderController> controller_;
};

} // namespace quorvane
