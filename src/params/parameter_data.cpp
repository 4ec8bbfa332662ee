#include "params/parameter_data.h"

namespace quorvane {

ParameterData::ParameterData(QObject *parent) : QObject(parent) {
  for (TeachVector &row : record_.table) {
    row.cell.fill(1);
    row.hold = 10;
  }
}

void ParameterData::setField(std::size_t index, std::uint16_t value) {
  if (index >= kParameterCount) return;
  std::uint16_t &field = record_.para.*kParameterFields[index].member;
  if (field == value) return;
  field = value;
  Q_EMIT paraChanged();
}

void ParameterData::setPara(const SensorParameters &para) {
  if (para == record_.para) return;
  record_.para = para;
  Q_EMIT paraChanged();
}

void ParameterData::setRow(int row, const TeachVector &vector) {
  if (row < 0 || row >= static_cast<int>(kTeachRows)) return;
  TeachVector &stored = record_.table[static_cast<std::size_t>(row)];
  if (stored == vector) return;
  stored = vector;
  Q_EMIT rowChanged(row);
}

void ParameterData::setCell(int row, int column, std::uint16_t value) {
  if (row < 0 || row >= static_cast<int>(kTeachRows) || column < 0 ||
      column >= static_cast<int>(kTeachCells))
    return;
  TeachVector vector = record_.table[static_cast<std::size_t>(row)];
  vector.cell[static_cast<std::size_t>(column)] = value;
  setRow(row, vector);
}

void ParameterData::setGroup(int row, std::uint16_t value) {
  if (row < 0 || row >= static_cast<int>(kTeachRows)) return;
  TeachVector vector = record_.table[static_cast<std::size_t>(row)];
  vector.group = value;
  setRow(row, vector);
}

void ParameterData::setHold(int row, std::uint16_t value) {
  if (row < 0 || row >= static_cast<int>(kTeachRows)) return;
  TeachVector vector = record_.table[static_cast<std::size_t>(row)];
  vector.hold = value;
  setRow(row, vector);
}

void ParameterData::setTable(const TeachTable &table) {
  for (std::size_t r = 0; r < kTeachRows; ++r)
    setRow(static_cast<int>(r), table[r]);
}

void ParameterData::setMemory(ParameterMemory memory) {
  if (memory == record_.memory) return;
  record_.memory = memory;
  Q_EMIT memoryChanged();
}

void ParameterData::setParaSet(int paraSet) {
  const int set = paraSet == 1 ? 1 : 0;
  if (set == record_.paraSet) return;
  record_.paraSet = set;
  Q_EMIT paraSetChanged();
}

void ParameterData::setCurrentRow(int row) {
  if (row == currentRow_) return;
  currentRow_ = row;
  Q_EMIT currentRowChanged(row);
}

void ParameterData::setRowNumber(int row) {
  if (row == rowNumber_) return;
  rowNumber_ = row;
  Q_EMIT rowNumberChanged(row);
}

void ParameterData::setAutoIncrement(bool on) {
  if (on == autoIncrement_) return;
  autoIncrement_ = on;
  Q_EMIT autoIncrementChanged(on);
}

bool ParameterData::valueColumnEditable(int column) const {
  return column >= 0 && column < static_cast<int>(kTeachCells) &&
         valueColumnEditable_[static_cast<std::size_t>(column)];
}

void ParameterData::setValueColumnEditable(int column, bool editable) {
  if (column < 0 || column >= static_cast<int>(kTeachCells)) return;
  bool &stored = valueColumnEditable_[static_cast<std::size_t>(column)];
  if (stored == editable) return;
  stored = editable;
  Q_EMIT valueColumnEditableChanged(column, editable);
}

int ParameterData::takeRowNumber() {
  Q_EMIT typingCommitRequested();
  setCurrentRow(rowNumber_);
  return rowNumber_;
}

void ParameterData::resetTeachTable() {
  setRowNumber(0);
  for (int r = 0; r < static_cast<int>(kTeachRows); ++r)
    for (int c = 0; c < static_cast<int>(kTeachCells); ++c)
      setCell(r, c, 1);
  Q_EMIT teachTableReset();
}

} // namespace quorvane
