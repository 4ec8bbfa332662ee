#include "params/core/parameter_diff.h"

#include "params/core/panel_rules.h"

namespace quorvane {

std::vector<FieldDifference> diffParameterSets(const SensorParameters &firstPara,
                                               const TeachTable &firstTable,
                                               const SensorParameters &secondPara,
                                               const TeachTable &secondTable) {
  std::vector<FieldDifference> out;
  for (const ParameterField &f : kParameterFields) {
    const std::uint16_t a = firstPara.*f.member;
    const std::uint16_t b = secondPara.*f.member;
    if (a != b) out.push_back({std::string(f.key), std::nullopt, a, b});
  }
  const auto headings = teachGridHeadings(firstPara.calculationMode, firstPara.evaluationMode);
  for (std::size_t r = 0; r < kTeachRows; ++r) {
    const TeachVector &a = firstTable[r];
    const TeachVector &b = secondTable[r];
    const int row = static_cast<int>(r);
    for (std::size_t c = 0; c < kTeachCells; ++c) {
      if (a.cell[c] == b.cell[c]) continue;
      const std::string name =
          headings[c].empty() ? "CELL " + std::to_string(c) : std::string(headings[c]);
      out.push_back({name, row, a.cell[c], b.cell[c]});
    }
    if (a.group != b.group) out.push_back({"GROUP", row, a.group, b.group});
    if (a.hold != b.hold) out.push_back({"HOLD", row, a.hold, b.hold});
  }
  return out;
}

std::string differenceText(const FieldDifference &d) {
  std::string name =
      d.row ? "teach row " + std::to_string(*d.row) + " \"" + d.field + "\"" : d.field;
  return name + ": " + std::to_string(d.first) + " -> " + std::to_string(d.second);
}

} // namespace quorvane
