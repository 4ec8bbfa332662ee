#pragma once
// The parameter records as one object: the scalar block, the teach table with every row's
// group and hold, the transfer target, the parameter set, the teach row "No." selects with
// its auto-increment, and which value columns of the teach table the operator may edit.
// The pages show it and write each edit into it at once; other subsystems read it and change
// it here, and each change is announced.
#include "params/parameter_state.h"

#include <QObject>

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvane {

class ParameterData : public QObject {
  Q_OBJECT
public:
  // The record the pages start with: default parameters, every value cell 1, every hold 10.
  explicit ParameterData(QObject *parent = nullptr);

  [[nodiscard]] const ParameterState &record() const { return record_; }
  [[nodiscard]] const SensorParameters &para() const { return record_.para; }
  [[nodiscard]] const TeachTable &table() const { return record_.table; }
  [[nodiscard]] ParameterMemory memory() const { return record_.memory; }
  [[nodiscard]] int paraSet() const { return record_.paraSet; }
  // The teach row the "No." field held when it was last read or changed.
  [[nodiscard]] int currentRow() const { return currentRow_; }
  // The row "No." shows; a teach with auto-increment moves it on without reading it.
  [[nodiscard]] int rowNumber() const { return rowNumber_; }
  [[nodiscard]] bool autoIncrement() const { return autoIncrement_; }
  // Value column 0..4 of the teach table (the fifth has no meaning in 3D).
  [[nodiscard]] bool valueColumnEditable(int column) const;

  // Field `index` in record order (kParameterFields).
  void setField(std::size_t index, std::uint16_t value);
  void setPara(const SensorParameters &para);
  void setCell(int row, int column, std::uint16_t value);
  void setGroup(int row, std::uint16_t value);
  void setHold(int row, std::uint16_t value);
  void setTable(const TeachTable &table);
  void setMemory(ParameterMemory memory);
  // 0 or 1; anything else means 0.
  void setParaSet(int paraSet);
  void setCurrentRow(int row);
  void setRowNumber(int row);
  void setAutoIncrement(bool on);
  void setValueColumnEditable(int column, bool editable);
  // "No." as a teach reads it: a number still being typed into it is taken first, and the
  // row read becomes the current row.
  [[nodiscard]] int takeRowNumber();
  // The confirmed RESET of the teach table: "No." to 0 and every value cell to 1.
  void resetTeachTable();

Q_SIGNALS:
  void paraChanged();
  // A value of teach row `row` (0..30) changed: a cell, its group or its hold.
  void rowChanged(int row);
  void memoryChanged();
  void paraSetChanged();
  void currentRowChanged(int row);
  void rowNumberChanged(int row);
  void autoIncrementChanged(bool on);
  void valueColumnEditableChanged(int column, bool editable);
  // Asked before "No." is read: whoever shows the field commits what is typed into it.
  void typingCommitRequested();
  // RESET filled the teach table: the taught vectors leave the colour-space views.
  void teachTableReset();

private:
  void setRow(int row, const TeachVector &vector);

  ParameterState record_;
  int currentRow_ = 0;
  int rowNumber_ = 0;
  bool autoIncrement_ = false;
  std::array<bool, kTeachCells> valueColumnEditable_{true, true, true, true, true};
};

} // namespace quorvane
