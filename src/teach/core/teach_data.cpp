#include "teach/core/teach_data.h"

#include "live/core/current_colour.h"

#include <algorithm>

namespace quorvane {

int clampTeachRow(int row) {
  return std::clamp(row, 0, kLastTeachRow);
}

int nextTeachRow(int row, bool autoIncrement) {
  const int r = clampTeachRow(row);
  return autoIncrement && r < kLastTeachRow ? r + 1 : r;
}

std::uint16_t teachCellValue(int value) {
  return static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF));
}

void applyCellWrites(const std::vector<CellWrite> &writes, TeachTable &table) {
  for (const CellWrite &w : writes) {
    if (w.row < 0 || w.row > kLastTeachRow || w.cell < 0 || w.cell >= int(kTeachCells)) continue;
    table[static_cast<std::size_t>(w.row)].cell[static_cast<std::size_t>(w.cell)] = w.value;
  }
}

DefaultTolerance defaultTolerance(std::uint16_t evalMode, std::uint16_t calcMode,
                                  std::uint16_t powerMode) {
  std::uint16_t tolerance = 100; // FIRST HIT and COL2
  std::uint16_t pairSecond = 100;
  if (evalMode == 1) { // BEST HIT
    tolerance = 200;
    pairSecond = 200;
  } else if (evalMode == kEvalMinDist) {
    tolerance = 40;
    pairSecond = 200;
  }
  if (is3D(calcMode)) return {tolerance, 1};
  if (calcMode == 1) return {tolerance, 50};
  // X/Y/INT: a dynamic transmitter power halves the intensity tolerance.
  if (powerMode == kPowerModeDyn) pairSecond = static_cast<std::uint16_t>(pairSecond / 2);
  return {tolerance, pairSecond};
}

TeachResult teachRow(const TeachDataInput &in) {
  TeachResult out;
  const MeasuredValues &m = in.measured;
  const int row = clampTeachRow(in.currentRow);
  out.nextRow = row;
  if (isThresholdEvalMode(in.evalMode)) {
    int first = m.red;
    int second = m.green;
    if (in.evalMode == 5) {
      second = m.blue;
    } else if (in.evalMode >= 6) {
      first = m.green;
      second = m.blue;
    }
    out.writes = {{0, 0, teachCellValue(first)}, {1, 0, teachCellValue(second)}};
  } else {
    const bool threeD = is3D(in.calcMode);
    out.writes = {{row, 0, teachCellValue(m.x)},
                  {row, 1, teachCellValue(m.y)},
                  {row, threeD ? 2 : 3, teachCellValue(m.intensity)}};
    if (in.teachTolerance) {
      const DefaultTolerance d = defaultTolerance(in.evalMode, in.calcMode, in.powerMode);
      out.writes.push_back({row, threeD ? 3 : 2, d.tolerance});
      out.writes.push_back({row, 4, d.second});
    }
    out.nextRow = nextTeachRow(row, in.autoIncrement);
  }
  if (in.automaticRowColour) {
    out.rowColour = currentColourOf(m).displayRgb();
    out.colourRow = row;
  }
  return out;
}

void resetTeachCells(TeachTable &table) {
  for (TeachVector &v : table)
    v.cell.fill(1);
}

void resetGroupCells(TeachTable &table) {
  for (TeachVector &v : table)
    v.group = 0;
}

void resetHoldCells(TeachTable &table, std::uint16_t &holdFail, std::uint16_t value) {
  holdFail = value;
  for (TeachVector &v : table)
    v.hold = value;
}

} // namespace quorvane
