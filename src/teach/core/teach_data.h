#pragma once
// TEACH DATA TO and the other writes into the teach grid, as plain decisions: the caller
// hands in what the panel shows and gets back the cells to write, the next "No." value and
// the row colour to paint.
#include "live/core/measured_values.h"
#include "params/core/modes.h"
#include "params/core/teach_table.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quorvane {

inline constexpr int kLastTeachRow = static_cast<int>(kTeachRows) - 1;
inline constexpr std::uint16_t kEvalMinDist = 2;
inline constexpr std::uint16_t kFirstThresholdEvalMode = 4;
inline constexpr std::uint16_t kPowerModeDyn = 1;

[[nodiscard]] constexpr bool isThresholdEvalMode(std::uint16_t evalMode) {
  return evalMode >= kFirstThresholdEvalMode;
}

// A "No." value as a row index: 0..30.
[[nodiscard]] int clampTeachRow(int row);
// The "No." value after a teach with auto-increment: one further, at most 30.
[[nodiscard]] int nextTeachRow(int row, bool autoIncrement);
// A signed measurement as an unsigned teach cell. Channels go negative only through offset
// compensation; such a value is taught as 0 rather than wrapped to a value near 65535.
[[nodiscard]] std::uint16_t teachCellValue(int value);

// One value cell of the teach grid: teach row 0..30 (grid line row + 1), cell 0..4 (grid
// column cell + 1).
struct CellWrite {
  int row = 0;
  int cell = 0;
  std::uint16_t value = 0;

  bool operator==(const CellWrite &) const = default;
};

void applyCellWrites(const std::vector<CellWrite> &writes, TeachTable &table);

// Default tolerance T (pair or single tolerance) and second value U (cell 4).
struct DefaultTolerance {
  std::uint16_t tolerance = 0;
  std::uint16_t second = 0;

  bool operator==(const DefaultTolerance &) const = default;
};

// Defaults for the colour evaluation modes 0..3 (threshold modes get FIRST HIT's).
[[nodiscard]] DefaultTolerance defaultTolerance(std::uint16_t evalMode, std::uint16_t calcMode,
                                                std::uint16_t powerMode);

struct TeachDataInput {
  MeasuredValues measured; // R, G, B, X, Y, INT as read back from the live displays
  std::uint16_t calcMode = 0;
  std::uint16_t evalMode = 0;
  std::uint16_t powerMode = 0;
  int currentRow = 0; // the "No." field
  bool autoIncrement = false;
  bool teachTolerance = true;
  bool automaticRowColour = false; // row-colour mode "Automatically"
};

struct TeachResult {
  std::vector<CellWrite> writes; // in the order the grid is written
  int nextRow = 0;               // the value the "No." field shows afterwards
  // Set when the taught row's indicator colour changes (automatic colour mode).
  std::optional<std::uint32_t> rowColour;
  int colourRow = 0; // the row that gets rowColour

  bool operator==(const TeachResult &) const = default;
};

[[nodiscard]] TeachResult teachRow(const TeachDataInput &in);

// Value cells of every row set to 1 (the grid's RESET; groups and holds stay).
void resetTeachCells(TeachTable &table);
// Groups of every row set to 0.
void resetGroupCells(TeachTable &table);
// Holds of every row and HOLD FAIL set to the reset-hold value.
void resetHoldCells(TeachTable &table, std::uint16_t &holdFail, std::uint16_t value);

} // namespace quorvane
