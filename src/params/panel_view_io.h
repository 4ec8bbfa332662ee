#pragma once
// Moves the parameter pages' part of a PanelView into and out of the rule pass: the values
// come from the parameter data, the rules decide, the outcome goes onto the controls.
// The measurement panel, the main window's parameter-set buttons and the warnings belong
// to their owners; the caller applies those.
#include "params/core/panel_rules.h"
#include "params/parameter_state.h"

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
// The record's values and group table, and the TRIGGER choices the page offers, into `view`.
void readPanelView(PanelView &view, const ParameterState &record, const ParameterPage &page);
// Values, choices, dimming, visibility, headings and row marks from `view`.
void applyPanelView(const PanelView &view, const ParameterPages &pages);

} // namespace quorvane
