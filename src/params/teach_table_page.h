#pragma once
// Tab 3 of the main window: the teach grid (31 rows x five value cells and the row's
// indicator colour), the "No." field with its auto-increment button, and the grid's RESET.
// It shows the parameter data; the parameter controller writes its edits into the data.
#include <QList>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <cstdint>

class QHBoxLayout;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace quorvane {

class Dialogs;

class TeachTablePage : public QWidget {
  Q_OBJECT
public:
  explicit TeachTablePage(Dialogs &dialogs, QWidget *parent = nullptr);
  ~TeachTablePage() override;

  // Teach row 0..30, value cell 0..4.
  [[nodiscard]] std::uint16_t cell(int row, int column) const;
  void setCell(int row, int column, std::uint16_t value);
  void setRowColour(int row, const QColor &colour);
  // Whether the operator may edit a cell (columns 0..4 are values, 5 the colour).
  [[nodiscard]] bool cellEditable(int row, int column) const;
  // A value column the operator may or may not edit (the fifth has no meaning in 3D).
  void setValueColumnEditable(int column, bool editable);
  // An action control of another subsystem, placed beside the "No." field.
  void addTeachControl(QWidget *control);
  // A button that opens a teach assistant; the panel rules dim them in the threshold modes.
  void addAssistantControl(QWidget *control);
  void setAssistantsEnabled(bool enabled);
  [[nodiscard]] bool assistantsEnabled() const { return assistantsEnabled_; }
  // Headings of the five value columns (the colour column has none).
  void setColumnHeadings(const QStringList &headings);
  [[nodiscard]] QStringList columnHeadings() const;

  // The value "No." shows.
  [[nodiscard]] int currentRow() const;
  // Shows a row without committing it.
  void showRowNumber(int row);
  // A number still being typed into "No." is committed (rowNumberCommitted when it changed).
  void commitTyping();
  void showAutoIncrement(bool on);

  // The grid's context menu: opened by a right click, the context-menu key and Shift+F10 (at
  // the current cell). The menu stays its owner's.
  void setGridMenu(QMenu *menu);
  // The selected rectangle of cells (x = column, y = row, both from 0); null when none.
  [[nodiscard]] QRect selectedCells() const;
  QTableWidget *grid() const { return grid_; }
  QSpinBox *rowNumber() const { return rowNumber_; }
  QLabel *rowNumberCaption() const { return rowNumberCaption_; }
  QRadioButton *autoIncrementButton() const { return autoIncrement_; }
  QPushButton *resetButton() const { return reset_; }

Q_SIGNALS:
  // The operator confirmed RESET.
  void resetConfirmed();
  // The operator changed a value cell.
  void cellEdited(int row, int column);
  // The operator changed the "No." field.
  void rowNumberCommitted(int row);
  // The operator switched INC on or off.
  void autoIncrementToggled(bool on);

private:
  Dialogs &dialogs_;
  QTableWidget *grid_ = nullptr;
  QSpinBox *rowNumber_ = nullptr;
  QLabel *rowNumberCaption_ = nullptr;
  QRadioButton *autoIncrement_ = nullptr;
  QPushButton *reset_ = nullptr;
  QHBoxLayout *teachControls_ = nullptr;
  QList<QWidget *> assistants_;
  bool assistantsEnabled_ = true;
  bool settingRow_ = false;
};

} // namespace quorvane
