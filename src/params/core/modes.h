#pragma once
// What the calculation mode number means, for the tool and the simulator alike:
// 0 "X Y INT - 2D", 1 "s i   M - 2D", 2 "X Y INT - 3D", 3 "s i   M - 3D".
namespace quorvane {

// Modes 1 and 3 compute s/i/M instead of X/Y/INT.
[[nodiscard]] constexpr bool isSiM(int calculationMode) {
  return calculationMode == 1 || calculationMode == 3;
}
// Modes 2 and 3 keep one tolerance in cell 3 and are drawn on the 3D page.
[[nodiscard]] constexpr bool is3D(int calculationMode) {
  return calculationMode == 2 || calculationMode == 3;
}
// Modes 0 and 1 keep the pair tolerance in cell 2 and the intensity tolerance in cell 4
// and are drawn on the 2D page.
[[nodiscard]] constexpr bool is2D(int calculationMode) {
  return calculationMode == 0 || calculationMode == 1;
}

} // namespace quorvane
