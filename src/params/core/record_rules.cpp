#include "params/core/record_rules.h"

#include "params/core/modes.h"
#include "params/core/panel_rules.h"

namespace quorvane {

RecordRuleOutcome applyPanelRules(const SensorParameters &para, const TeachTable &table,
                                  int paraSet) {
  PanelView view;
  view.para = para;
  view.paraSet = paraSet;
  for (std::size_t r = 0; r < kTeachRows; ++r)
    view.groups[r] = table[r].group;
  applyExternalTeachRules(view);
  applyPanelRules(view);

  RecordRuleOutcome out;
  out.para = view.para;
  out.paraSet = view.paraSet;
  out.table = table;
  for (std::size_t r = 0; r < kTeachRows; ++r)
    out.table[r].group = view.groups[r];
  if (is3D(para.calculationMode) != is3D(view.para.calculationMode))
    moveTolerances(para.calculationMode, view.para.calculationMode, out.table);
  out.changes = diffParameterSets(para, table, out.para, out.table);
  for (const PanelWarning &w : view.requests.warnings)
    out.warnings.push_back(w.text);
  return out;
}

} // namespace quorvane
