#include "recorder/recorder_subsystem.h"

#include "recorder/core/record_file.h"
#include "recorder/core/record_modes.h"
#include "ui/shell.h"

#include <QPushButton>

namespace quorvane {

RecorderSubsystem::RecorderSubsystem(SensorLink &link, Shell &shell, Dialogs &dialogs,
                                     FramePublisher &frames)
    : page_(new RecorderPage(dialogs)),
      controller_(std::make_unique<RecorderController>(link, shell, dialogs, *page_, frames)) {
  for (QPushButton *w : {page_->startButton(), page_->startTriggeredButton(), page_->manualButton(),
                         page_->selectFileButton()})
    shell.addBusyControl(w, BusyGroup::PageAction);
}

RecorderSubsystem::~RecorderSubsystem() = default;

std::vector<PageDeclaration> RecorderSubsystem::pages() {
  return {{MainPage::Recorder, QStringLiteral("RECORDER"), 4, page_}};
}

std::vector<RememberedFile> RecorderSubsystem::rememberedFiles() {
  RecorderController *c = controller_.get();
  return {{kRecordFilePath, [c] { return c->recordFilePath(); },
           [c](const QString &path) { c->setRecordFilePath(path); }}};
}

void RecorderSubsystem::pageSelected(MainPage page) {
  if (page != MainPage::Recorder) return;
  controller_->showModeControls();
  if (page_->mode() == static_cast<int>(RecordMode::Counted)) controller_->estimateRecordTime();
}

} // namespace quorvane
