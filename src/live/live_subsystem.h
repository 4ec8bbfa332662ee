#pragma once
// The live data subsystem: the measurement panel (child panel 2, with the big read-outs),
// the graph panel of recorded frames (child panel 3) and the live loop. It shows every published
// frame and takes part in the rule pass.
#include "live/graph_panel.h"
#include "live/live_controller.h"
#include "live/measurement_panel.h"
#include "params/rule_participant.h"
#include "ui/subsystem.h"

#include <memory>

namespace quorvane {

class Dialogs;
class FramePublisher;
class ParameterTransfer;
class SensorLink;
class Shell;
struct ParameterState;

class LiveSubsystem : public Subsystem, public RuleParticipant {
public:
  LiveSubsystem(SensorLink &link, Shell &shell, Dialogs &dialogs, const ParameterState &parameters,
                ParameterTransfer &transfer, FramePublisher &frames);
  ~LiveSubsystem() override;
  LiveSubsystem(const LiveSubsystem &) = delete;
  LiveSubsystem &operator=(const LiveSubsystem &) = delete;

  // Owned by whoever places it (the main window); valid for the subsystem's life.
  MeasurementPanel &panel() { return *panel_; }
  GraphPanel &graphPanel() { return *graphPanel_; }
  LiveController &controller() { return *controller_; }

  // The sensor identification on the big read-outs.
  void showIdentification(const QString &id) { panel_->setIdentification(id); }
  // The 3D view of the measurement panel in front, when the rules show it.
  void showStartGraphPage();

  // --- Subsystem ---
  std::vector<ChildPanelDeclaration> childPanels() override;

  // --- RuleParticipant ---
  void readView(PanelView &view) const override;
  void applyView(const PanelView &view) override;

private:
  MeasurementPanel *panel_;
  GraphPanel *graphPanel_;
  std::unique_ptr<LiveController> controller_;
};

} // namespace quorvane
