#pragma once
// Two parameter sets compared field by field, each field named as the panels show it: the
// parameter captions ("POWER", "GAIN"), and per teach row its grid column ("X", "CTO") and
// its group and hold cells.
#include "params/core/sensor_parameters.h"
#include "params/core/teach_table.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvane {

struct FieldDifference {
  std::string field;      // "POWER", "X", "GROUP", "HOLD"
  std::optional<int> row; // the teach row (0..30) of a teach table field
  std::uint16_t first = 0;
  std::uint16_t second = 0;

  bool operator==(const FieldDifference &) const = default;
};

// Every shown field that differs, parameters first, then the teach rows in order. The teach
// columns take the headings of `first`'s calculation and evaluation modes (a column without
// a heading is named by its file key, "CELL 3"). The reserved word of a row is not shown by
// the panels and not compared.
[[nodiscard]] std::vector<FieldDifference> diffParameterSets(const SensorParameters &firstPara,
                                                             const TeachTable &firstTable,
                                                             const SensorParameters &secondPara,
                                                             const TeachTable &secondTable);

// `POWER: 500 -> 600` or `teach row 7 "X": 100 -> 120`.
[[nodiscard]] std::string differenceText(const FieldDifference &d);

} // namespace quorvane
