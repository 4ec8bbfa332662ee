#include "params/parameter_subsystem.h"

#include "params/core/modes.h"
#include "params/core/parameter_file.h"

namespace quorvane {

ParameterSubsystem::ParameterSubsystem(SensorLink &link, Shell &shell, Dialogs &dialogs)
    : parameterPage_(new ParameterPage(dialogs)), groupHoldPage_(new GroupHoldPage(dialogs)),
      teachPage_(new TeachTablePage(dialogs)),
      controller_(std::make_unique<ParameterController>(
          data_, link, shell, dialogs, *parameterPage_, *groupHoldPage_, *teachPage_, *this)) {
  // A cell the group check rejected is no longer rejected once RESET cleared it.
  QObject::connect(groupHoldPage_, &GroupHoldPage::groupTableReset, groupHoldPage_,
                   [this] { view_.teach.groupCellColour.fill(kGroupCellColour); });
}

ParameterSubsystem::~ParameterSubsystem() = default;

void ParameterSubsystem::runRules() {
  controller_->readView(view_);
  for (const RuleParticipant *p : participants_)
    p->readView(view_);
  const std::uint16_t previousMode = view_.para.calculationMode;
  applyPanelRules(view_);
  // The corrected values into the data first: the panels below show them and go by them.
  controller_->takeView(view_);
  // The other panels first: a warning popup below is drawn over the settled panels.
  for (RuleParticipant *p : participants_)
    p->applyView(view_);
  controller_->applyView(view_);
  // A mode the rules moved into the other family (a GET, a file, DIGITAL OUTMODE 0) takes
  // its tolerances along, or they would sit under the other family's headings.
  if (is3D(previousMode) != is3D(view_.para.calculationMode))
    controller_->rearrangeTeachCells(previousMode, view_.para.calculationMode);
}

void ParameterSubsystem::runExteach() {
  // Only the TRIGGER choices: the rest of the view keeps the last pass's decisions, and
  // its warnings were shown then.
  controller_->readView(view_);
  applyExternalTeachRules(view_);
  parameterPage_->setTriggerItems(view_.triggerItems);
  if (parameterPage_->fieldValue(field::kTrigger) != view_.para.trigger)
    parameterPage_->setFieldValue(field::kTrigger, view_.para.trigger);
}

std::vector<PageDeclaration> ParameterSubsystem::pages() {
  return {{MainPage::Parameters, QStringLiteral("PARAMETER"), 1, parameterPage_},
          {MainPage::ColorGroups, QStringLiteral("GROUP / HOLD"), 2, groupHoldPage_},
          {MainPage::TeachTable, QStringLiteral("TEACH TABLE"), 3, teachPage_}};
}

std::vector<RememberedFile> ParameterSubsystem::rememberedFiles() {
  QString &path = controller_->fileIo().parameterFilePath;
  return {{kParameterFilePath, [&path] { return path; }, [&path](const QString &p) { path = p; }}};
}

} // namespace quorvane
