#include "params/core/panel_rules.h"

#include <utility>

namespace quorvane {

namespace {

enum class Family { None, TwoD, ThreeD };

Family family(std::uint16_t calcMode) {
  if (calcMode <= 1) return Family::TwoD;
  if (calcMode <= 3) return Family::ThreeD;
  return Family::None;
}

} // namespace

std::array<std::string_view, kTeachCells> teachGridHeadings(std::uint16_t calcMode,
                                                            std::uint16_t evalMode) {
  if (evalMode >= 4) return {"THD", "", "", "", ""};
  switch (calcMode) {
  case 1:
    return {"s", "i", "siTO", "M", "MTO"};
  case 2:
    return {"X", "Y", "INT", "TOL", ""};
  case 3:
    return {"s", "i", "M", "TOL", ""};
  default:
    return {"X", "Y", "CTO", "INT", "ITO"};
  }
}

void moveTolerances(std::uint16_t previousMode, std::uint16_t newMode, TeachTable &table) {
  const Family from = family(previousMode);
  const Family to = family(newMode);
  if (from == Family::TwoD && to == Family::ThreeD) {
    // The pair tolerance becomes the single tolerance; the 3D layout has no fifth value.
    for (auto &row : table) {
      std::swap(row.cell[2], row.cell[3]);
      row.cell[4] = 1;
    }
  } else if (from == Family::ThreeD && to == Family::TwoD) {
    // The single tolerance serves both as pair and as intensity tolerance.
    for (auto &row : table) {
      const std::uint16_t tolerance = row.cell[3];
      const std::uint16_t intensity = row.cell[2];
      row.cell[2] = tolerance;
      row.cell[3] = intensity;
      row.cell[4] = tolerance;
    }
  }
}

} // namespace quorvane
