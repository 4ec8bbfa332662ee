#pragma once
// The panel rule pass run on a parameter set that no panel shows (a file sent from the
// command line): the values the rules would correct, and why.
#include "params/core/parameter_diff.h"
#include "params/core/sensor_parameters.h"
#include "params/core/teach_table.h"

#include <string>
#include <vector>

namespace quorvane {

struct RecordRuleOutcome {
  SensorParameters para;                // the values after the rules
  TeachTable table{};                   // groups the rules cleared, tolerances moved with the mode
  int paraSet = 0;                      // the set the rules leave selected
  std::vector<FieldDifference> changes; // before -> after, by panel name
  std::vector<std::string> warnings;    // the rule warnings the panels would show
};

// As loading the set into the panels does: the TRIGGER choices that EXTERN TEACH allows
// first, then the whole pass; a calculation mode moved into the other family takes the
// teach tolerances along.
[[nodiscard]] RecordRuleOutcome applyPanelRules(const SensorParameters &para,
                                                const TeachTable &table, int paraSet);

} // namespace quorvane
