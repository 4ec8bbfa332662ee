#include "teach/core/grid_selection.h"

#include "params/core/modes.h"

#include <algorithm>
#include <cstdint>

namespace quorvane {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Calls fn(line, column) for every cell of the selection that lies in the grid, line by
// line and left to right.
template <typename Fn> void forEachSelected(const CellGrid &grid, const GridSelection &s, Fn fn) {
  if (!selectionUsable(s)) return;
  // In 64 bits: a selection reported with huge numbers must not wrap around.
  const auto lastLine = static_cast<int>(
      std::min<long long>(grid.lines(), static_cast<long long>(s.top) + s.lines - 1));
  const auto lastColumn = static_cast<int>(
      std::min<long long>(grid.columns(), static_cast<long long>(s.left) + s.columns - 1));
  for (int line = s.top; line <= lastLine; ++line) {
    for (int column = s.left; column <= lastColumn; ++column)
      fn(line, column);
  }
}

} // namespace

std::optional<int> parsePromptInteger(std::string_view reply) {
  reply = reply.substr(0, std::min(reply.size(), kCellPromptMaxLength));
  std::size_t i = 0;
  while (i < reply.size() && isBlank(reply[i]))
    ++i;
  bool negative = false;
  if (i < reply.size() && (reply[i] == '+' || reply[i] == '-')) negative = reply[i++] == '-';
  // Nine characters hold at most nine digits, so the value always fits.
  long long value = 0;
  std::size_t digits = 0;
  for (; i < reply.size() && reply[i] >= '0' && reply[i] <= '9'; ++i, ++digits) {
    value = value * 10 + (reply[i] - '0');
  }
  if (digits == 0) return std::nullopt;
  return static_cast<int>(negative ? -value : value);
}

CellGrid::CellGrid(int lines, int columns)
    : lines_(std::max(lines, 0)), columns_(std::max(columns, 0)),
      values_(static_cast<std::size_t>(lines_) * static_cast<std::size_t>(columns_), 0),
      editable_(values_.size(), true) {}

bool CellGrid::contains(int line, int column) const {
  return line >= 1 && line <= lines_ && column >= 1 && column <= columns_;
}

std::size_t CellGrid::at(int line, int column) const {
  return static_cast<std::size_t>(line - 1) * static_cast<std::size_t>(columns_) +
         static_cast<std::size_t>(column - 1);
}

std::uint16_t CellGrid::value(int line, int column) const {
  return contains(line, column) ? values_[at(line, column)] : std::uint16_t{0};
}

bool CellGrid::editable(int line, int column) const {
  return contains(line, column) && editable_[at(line, column)];
}

void CellGrid::setValue(int line, int column, std::uint16_t value) {
  if (contains(line, column)) values_[at(line, column)] = value;
}

void CellGrid::setEditable(int line, int column, bool editable) {
  if (contains(line, column)) editable_[at(line, column)] = editable;
}

bool selectionUsable(const GridSelection &s) {
  return s.top >= 1 && s.left >= 1 && s.lines >= 1 && s.columns >= 1;
}

int setSelectionTo(CellGrid &grid, const GridSelection &s, int value) {
  const auto v = static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF));
  int written = 0;
  forEachSelected(grid, s, [&](int line, int column) {
    if (!grid.editable(line, column)) return;
    grid.setValue(line, column, v);
    ++written;
  });
  return written;
}

bool canIncrementSelection(const CellGrid &grid, const GridSelection &s) {
  return selectionUsable(s) && grid.editable(s.top, s.left);
}

int incrementSelection(CellGrid &grid, const GridSelection &s, int increment) {
  if (!canIncrementSelection(grid, s)) return 0;
  // Unsigned arithmetic wraps modulo 2^32, and so modulo 65536 once cut to 16 bits.
  const auto step = static_cast<std::uint32_t>(increment);
  std::uint16_t running = grid.value(s.top, s.left);
  int written = 0;
  forEachSelected(grid, s, [&](int line, int column) {
    if (!grid.editable(line, column)) return;
    grid.setValue(line, column, running);
    running = static_cast<std::uint16_t>(running + step);
    ++written;
  });
  return written;
}

int resetSelection(CellGrid &grid, const GridSelection &s) {
  return setSelectionTo(grid, s, 1);
}

std::array<bool, kTeachGridColumns> teachGridEditableColumns(std::uint16_t calcMode) {
  const bool fifth = !is3D(calcMode);
  return {true, true, true, true, fifth, false};
}

CellGrid teachCellGrid(const TeachTable &table, std::uint16_t calcMode) {
  CellGrid grid(kTeachGridLines, kTeachGridColumns);
  const auto editable = teachGridEditableColumns(calcMode);
  for (int line = 1; line <= kTeachGridLines; ++line) {
    const TeachVector &v = table[static_cast<std::size_t>(line - 1)];
    for (int column = 1; column <= kTeachGridColumns; ++column) {
      grid.setEditable(line, column, editable[static_cast<std::size_t>(column - 1)]);
      if (column <= int(kTeachCells)) {
        grid.setValue(line, column, v.cell[static_cast<std::size_t>(column - 1)]);
      }
    }
  }
  return grid;
}

void storeTeachCellGrid(const CellGrid &grid, TeachTable &table) {
  const int lines = std::min(grid.lines(), kTeachGridLines);
  const int columns = std::min(grid.columns(), int(kTeachCells));
  for (int line = 1; line <= lines; ++line) {
    for (int column = 1; column <= columns; ++column) {
      table[static_cast<std::size_t>(line - 1)].cell[static_cast<std::size_t>(column - 1)] =
          grid.value(line, column);
    }
  }
}

} // namespace quorvane
