#include "params/parameter_subsystem.h"

#include "app/core/panel_settings.h"

namespace quorvane {

ParameterSubsystem::ParameterSubsystem(SensorLink &link, Shell &shell, Dialogs &dialogs,
                                       ParameterState &state)
    : state_(state), parameterPage_(new ParameterPage(dialogs)),
      groupHoldPage_(new GroupHoldPage(dialogs)), teachPage_(new TeachTablePage(dialogs)),
      controller_(std::make_unique<ParameterController>(
          state, link, shell, dialogs, *parameterPage_, *groupHoldPage_, *teachPage_, *this)) {}

ParameterSubsystem::~ParameterSubsystem() = default;

void ParameterSubsystem::runRules() {
  controller_->readView(view_);
  for (const RuleParticipant *p : participants_)
    p->readView(view_);
  InitPanelCtrlAttr(view_);
  // The rules read every control into the record; the corrected values are what the
  // evaluation LEDs and the graphs go by until the next GetPanelValues.
  state_.para = view_.para;
  // The other panels first: a warning popup below is drawn over the settled panels.
  for (RuleParticipant *p : participants_)
    p->applyView(view_);
  controller_->applyView(view_);
}

void ParameterSubsystem::runExteach() {
  // Only the TRIGGER choices: the rest of the view keeps the last pass's decisions, and
  // its warnings were shown then.
  controller_->readView(view_);
  InitExteach(view_);
  parameterPage_->setTriggerItems(view_.triggerItems);
  if (parameterPage_->fieldValue(field::kTrigger) != view_.para.trigger)
    parameterPage_->setFieldValue(field::kTrigger, view_.para.trigger);
}

void ParameterSubsystem::loadSettings(const PanelSettings &settings, const IniText &) {
  controller_->fileIo().parameterFilePath = QString::fromStdString(settings.paths.parameterFile);
}

void ParameterSubsystem::storeSettings(PanelSettings &settings) const {
  settings.paths.parameterFile = controller_->fileIo().parameterFilePath.toStdString();
}

} // namespace quorvane
