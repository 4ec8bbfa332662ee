#include "scope/scope_subsystem.h"

#include "link/sensor_link.h"
#include "ui/shell.h"

namespace quorvane {

ScopeSubsystem::ScopeSubsystem(SensorLink &link, Shell &shell, Dialogs &dialogs,
                               ParameterTransfer &transfer)
    : link_(link), shell_(shell), page_(new ScopePage(dialogs)), panel_(new ScopePanel(dialogs)),
      controller_(
          std::make_unique<ScopeController>(link, shell, dialogs, transfer, *page_, *panel_)) {}

ScopeSubsystem::~ScopeSubsystem() = default;

std::vector<PageDeclaration> ScopeSubsystem::pages() {
  return {{MainPage::Scope, QStringLiteral("SCOPE"), 7, page_}};
}

std::vector<ChildPanelDeclaration> ScopeSubsystem::childPanels() {
  return {{ChildPanel::ScopeDisplay, QStringLiteral("SCOPE DISPLAY"), panel_}};
}

void ScopeSubsystem::pageSelected(MainPage page) {
  if (page != MainPage::Scope) return;
  link_.stopAcquisition();
  shell_.showChildPanel(ChildPanel::ScopeDisplay);
}

} // namespace quorvane
