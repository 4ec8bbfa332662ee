#pragma once
// Tab 2 of the main window: the COLOR GROUP switch, the group of every teach row, and the
// hold table (HOLD FAIL on its first line, then the hold of every teach row).
#include <QWidget>

#include <cstdint>

class QCheckBox;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace quorvane {

class Dialogs;

inline const QString kResetConfirmTitle = QStringLiteral("ATTENTION!");
inline const QString kResetConfirmText = QStringLiteral("Do you really want to reset the table?");

class GroupHoldPage : public QWidget {
  Q_OBJECT
public:
  explicit GroupHoldPage(Dialogs &dialogs, QWidget *parent = nullptr);
  ~GroupHoldPage() override;

  // The value last read (a sensor or a file may hold 2 or more) while the switch shows it;
  // 0 or 1 once the operator switches.
  [[nodiscard]] std::uint16_t colorGroup() const;
  void setColorGroup(std::uint16_t value);
  [[nodiscard]] std::uint16_t holdFail() const;
  void setHoldFail(std::uint16_t value);
  // Teach rows 0..30.
  [[nodiscard]] std::uint16_t group(int row) const;
  void setGroup(int row, std::uint16_t value);
  [[nodiscard]] std::uint16_t hold(int row) const;
  void setHold(int row, std::uint16_t value);
  // Background of a row's group cell (white, or red when the group check rejected it).
  void setGroupBackground(int row, const QColor &colour);
  // The row's indicator colour in both tables.
  void setRowColour(int row, const QColor &colour);

  // The confirmed resets of the two RESET buttons.
  void resetGroupTable();
  void resetHoldTable();

  QCheckBox *colorGroupSwitch() const { return colorGroup_; }
  QTableWidget *groupTable() const { return groups_; }
  QTableWidget *holdTable() const { return holds_; }
  QSpinBox *resetHoldValue() const { return resetHoldValue_; }
  QPushButton *groupResetButton() const { return groupReset_; }
  QPushButton *holdResetButton() const { return holdReset_; }

Q_SIGNALS:
  // The operator switched COLOR GROUP.
  void colorGroupCommitted();
  // The operator typed a new group value for teach row `row`.
  void groupEdited(int row);
  // The operator typed a new value into line `line` of the hold table (0: HOLD FAIL).
  void holdEdited(int line);
  // RESET cleared the group table.
  void groupTableReset();
  // RESET set every line of the hold table to the reset value.
  void holdTableReset();

private:
  void onGroupReset();
  void onHoldReset();

  Dialogs &dialogs_;
  QCheckBox *colorGroup_ = nullptr;
  std::uint16_t colorGroupValue_ = 0;
  QTableWidget *groups_ = nullptr;
  QTableWidget *holds_ = nullptr;
  QSpinBox *resetHoldValue_ = nullptr;
  QPushButton *groupReset_ = nullptr;
  QPushButton *holdReset_ = nullptr;
};

} // namespace quorvane
