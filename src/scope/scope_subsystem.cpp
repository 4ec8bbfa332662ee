#include "scope/scope_subsystem.h"

namespace quorvane {

ScopeSubsystem::ScopeSubsystem(SensorLink &link, Shell &shell, Dialogs &dialogs,
                               ParameterTransfer &transfer)
    : page_(new ScopePage(dialogs)), panel_(new ScopePanel(dialogs)),
      controller_(
          std::make_unique<ScopeController>(link, shell, dialogs, transfer, *page_, *panel_)) {}

ScopeSubsystem::~ScopeSubsystem() = default;

} // namespace quorvane
