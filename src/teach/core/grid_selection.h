#pragma once
// The teach grid's context menu ("Set selection to", "Increment selection with", "Reset
// selection") over a plain grid of values with an editable mask, so the widget only copies
// its cells in and out.
#include "params/core/teach_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace quorvane {

// The prompt's reply holds at most this many characters; the rest is not read.
inline constexpr std::size_t kCellPromptMaxLength = 9;
inline constexpr std::string_view kCellPromptTitle = "VALUE!";
inline constexpr std::string_view kCellPromptText = "Insert a cell value!";

// The teach grid: five value columns and the indicator-colour column.
inline constexpr int kTeachGridLines = static_cast<int>(kTeachRows);
inline constexpr int kTeachGridColumns = static_cast<int>(kTeachCells) + 1;

// The integer at the start of a prompt reply (blanks first, optional sign, decimal digits);
// nullopt when the reply does not start with one. Text after the digits is ignored.
[[nodiscard]] std::optional<int> parsePromptInteger(std::string_view reply);

// A selection as the grid reports it: 1-based top line and left column and its size.
struct GridSelection {
  int top = 0;
  int left = 0;
  int lines = 0;
  int columns = 0;
};

// Values and editability of a grid, lines and columns 1-based as on the screen.
class CellGrid {
public:
  CellGrid(int lines, int columns);

  [[nodiscard]] int lines() const { return lines_; }
  [[nodiscard]] int columns() const { return columns_; }
  [[nodiscard]] bool contains(int line, int column) const;
  // 0 / false outside the grid.
  [[nodiscard]] std::uint16_t value(int line, int column) const;
  [[nodiscard]] bool editable(int line, int column) const;
  // Ignored outside the grid.
  void setValue(int line, int column, std::uint16_t value);
  void setEditable(int line, int column, bool editable);

private:
  [[nodiscard]] std::size_t at(int line, int column) const;
  int lines_;
  int columns_;
  std::vector<std::uint16_t> values_;
  std::vector<bool> editable_;
};

// False for an empty selection or one whose top line or left column is below 1: the menu
// entry then does nothing.
[[nodiscard]] bool selectionUsable(const GridSelection &s);

// Each editable cell of the selection, line by line and left to right, set to the value; a
// value beyond 0..65535 is held at the nearer limit as the grid's range does. Cells outside
// the grid are left out. Returns the number of cells written.
int setSelectionTo(CellGrid &grid, const GridSelection &s, int value);
// Whether "Increment selection with" may ask for the increment: the selection is usable
// and its top-left cell is editable.
[[nodiscard]] bool canIncrementSelection(const CellGrid &grid, const GridSelection &s);
// Editable cells get start, start + increment, ... (modulo 65536) from the top-left cell's
// value; cells that are not editable are skipped and do not advance the value.
int incrementSelection(CellGrid &grid, const GridSelection &s, int increment);
// Editable cells of the selection set to 1.
int resetSelection(CellGrid &grid, const GridSelection &s);

// Which of the six teach-grid columns the operator may edit: the five value columns, except
// the fifth in the 3D calculation modes (it has no meaning there and stays 1); never the
// indicator-colour column.
[[nodiscard]] std::array<bool, kTeachGridColumns> teachGridEditableColumns(std::uint16_t calcMode);

// The teach grid as a cell grid (colour column 0 and not editable), and back.
[[nodiscard]] CellGrid teachCellGrid(const TeachTable &table, std::uint16_t calcMode);
void storeTeachCellGrid(const CellGrid &grid, TeachTable &table);

} // namespace quorvane
