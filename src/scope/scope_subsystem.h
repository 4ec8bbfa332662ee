#pragma once
// The scope subsystem: the scope page (tab 7), the scope display panel (child panel 7) and
// the controller that scans, measures and prints.
#include "scope/scope_controller.h"
#include "scope/scope_page.h"
#include "scope/scope_panel.h"
#include "ui/subsystem.h"

#include <memory>

namespace quorvane {

class Dialogs;
class ParameterTransfer;
class SensorLink;
class Shell;

class ScopeSubsystem : public Subsystem {
public:
  ScopeSubsystem(SensorLink &link, Shell &shell, Dialogs &dialogs, ParameterTransfer &transfer);
  ~ScopeSubsystem() override;
  ScopeSubsystem(const ScopeSubsystem &) = delete;
  ScopeSubsystem &operator=(const ScopeSubsystem &) = delete;

  // Owned by whoever places them (the main window); valid for the subsystem's life.
  ScopePage &page() { return *page_; }
  ScopePanel &panel() { return *panel_; }
  ScopeController &controller() { return *controller_; }

  // --- Subsystem ---
  std::vector<PageDeclaration> pages() override;
  std::vector<ChildPanelDeclaration> childPanels() override;
  void initAtStartup() override { controller_->resetScopeAxes(); }
  // The scope page brings its display beside the tabs and ends whatever runs.
  void pageSelected(MainPage page) override;

private:
  SensorLink &link_;
  Shell &shell_;
  ScopePage *page_;
  ScopePanel *panel_;
  std::unique_ptr<ScopeController> controller_;
};

} // namespace quorvane
