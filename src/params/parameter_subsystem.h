#pragma once
// The parameter subsystem: the PARAMETER, GROUP / HOLD and TEACH TABLE pages and the
// controller that moves their values to and from the sensor and the parameter file.
#include "params/core/panel_rules.h"
#include "params/group_hold_page.h"
#include "params/parameter_controller.h"
#include "params/parameter_page.h"
#include "params/rule_participant.h"
#include "params/teach_table_page.h"
#include "ui/subsystem.h"

#include <memory>
#include <vector>

namespace quorvane {

class Dialogs;
class SensorLink;
class Shell;

class ParameterSubsystem : public Subsystem, public RulePass {
public:
  ParameterSubsystem(SensorLink &link, Shell &shell, Dialogs &dialogs);
  ~ParameterSubsystem() override;
  ParameterSubsystem(const ParameterSubsystem &) = delete;
  ParameterSubsystem &operator=(const ParameterSubsystem &) = delete;

  // The pages are owned by whoever places them (the main window).
  ParameterPage &parameterPage() { return *parameterPage_; }
  GroupHoldPage &groupHoldPage() { return *groupHoldPage_; }
  TeachTablePage &teachTablePage() { return *teachPage_; }
  ParameterController &controller() { return *controller_; }
  // The records the pages show; other subsystems read and change them here.
  ParameterData &data() { return data_; }

  // An action control of another subsystem on the teach-table page, beside the "No." field;
  // an assistant's is dimmed with the assistants in the threshold modes.
  void addTeachControl(QWidget *control) { teachPage_->addTeachControl(control); }
  void addAssistantControl(QWidget *control) { teachPage_->addAssistantControl(control); }

  // A panel outside the parameter pages that the rules also touch.
  void addRuleParticipant(RuleParticipant &participant) { participants_.push_back(&participant); }
  // The state of the last rule pass (kept for the whole run: a rule that does not run in a
  // pass leaves its controls as the last pass that ran it decided).
  const PanelView &panelView() const { return view_; }

  // --- RulePass ---
  void runRules() override;
  void runExteach() override;

  // --- Subsystem ---
  std::vector<PageDeclaration> pages() override;
  std::vector<RememberedFile> rememberedFiles() override;

private:
  ParameterData data_;
  ParameterPage *parameterPage_;
  GroupHoldPage *groupHoldPage_;
  TeachTablePage *teachPage_;
  std::unique_ptr<ParameterController> controller_;
  std::vector<RuleParticipant *> participants_;
  PanelView view_;
};

} // namespace quorvane
