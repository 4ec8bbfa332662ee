#pragma once
// Moves the parameter pages' part of a PanelView between the widgets and the rule pass:
// read the controls into a view, let the rules decide, apply the outcome to the controls.
// The measurement panel, the main window's parameter-set buttons and the warnings belong
// to their owners; the caller applies those.
#include "params/core/panel_rules.h"

namespace quorvane {

class GroupHoldPage;
class ParameterPage;
class TeachTablePage;

struct ParameterPages {
  ParameterPage &parameters;
  GroupHoldPage &groupHold;
  TeachTablePage &teach;
};

// Keep one view for the whole run: a rule that does not run in a pass leaves its controls
// dimmed or hidden as the last pass that ran it decided, and the view remembers that.
//
// Control values, group table and TRIGGER choices into `view`.
void readPanelView(PanelView &view, const ParameterPages &pages);
// Values, choices, dimming, visibility, headings and row marks from `view`.
void applyPanelView(const PanelView &view, const ParameterPages &pages);

} // namespace quorvane
