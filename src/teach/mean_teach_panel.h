#pragma once
// Child panel 8: the mean-value teach assistant's controls. It only shows and reads; the
// mean teach controller decides.
#include "teach/core/mean_teach.h"
#include "teach/core/teach_panel_labels.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace quorvane {

class Dialogs;

class MeanTeachPanel : public QWidget {
  Q_OBJECT
public:
  explicit MeanTeachPanel(Dialogs &dialogs, QWidget *parent = nullptr);
  ~MeanTeachPanel() override;

  void applyLabels(const MeanPanelLabels &labels);
  // The captured frames, the counter and the line kept in view.
  void showTable(const CaptureTable &table);
  // The captured values as the table shows them (the operator may have edited them).
  [[nodiscard]] CaptureTable readTable(int counter) const;
  void showMeans(const MeanValues &means);
  void showLive(const MeasuredValues &values);
  // RESET is red while it asks, grey otherwise.
  void setResetAsking(bool asking);

  [[nodiscard]] int ring1() const;
  [[nodiscard]] int ring2() const;
  [[nodiscard]] std::uint16_t value1() const;
  [[nodiscard]] std::uint16_t value2() const;

  QTableWidget *capturedTable() const { return captured_; }
  QTableWidget *meanTable() const { return mean_; }
  QLineEdit *counter() const { return counter_; }
  QLineEdit *spread() const { return spread_; }
  QLineEdit *spreadInt() const { return spreadInt_; }
  QLabel *spreadCaption() const { return spreadCaption_; }
  QLabel *spreadIntCaption() const { return spreadIntCaption_; }
  QComboBox *toleranceRing(int i) const { return rings_[static_cast<std::size_t>(i)]; }
  QSpinBox *toleranceValue(int i) const { return values_[static_cast<std::size_t>(i)]; }
  QLabel *ringCaption(int i) const { return ringCaptions_[static_cast<std::size_t>(i)]; }
  QLabel *valueCaption(int i) const { return valueCaptions_[static_cast<std::size_t>(i)]; }
  QLineEdit *liveNumber(int i) const { return live_[static_cast<std::size_t>(i)]; }
  QPushButton *captureButton() const { return capture_; }
  QPushButton *undoButton() const { return undo_; }
  QPushButton *resetButton() const { return reset_; }
  QPushButton *teachButton() const { return teach_; }
  QPushButton *closeButton() const { return close_; }

Q_SIGNALS:
  // The operator changed a captured value.
  void capturedValueEdited();

private:
  QTableWidget *captured_;
  QTableWidget *mean_;
  QLineEdit *counter_;
  QLineEdit *spread_;
  QLineEdit *spreadInt_;
  QLabel *spreadCaption_;
  QLabel *spreadIntCaption_;
  std::array<QComboBox *, 2> rings_{};
  std::array<QSpinBox *, 2> values_{};
  std::array<QLabel *, 2> ringCaptions_{};
  std::array<QLabel *, 2> valueCaptions_{};
  std::array<QLineEdit *, 3> live_{};
  QPushButton *capture_;
  QPushButton *undo_;
  QPushButton *reset_;
  QPushButton *teach_;
  QPushButton *close_;
};

// A read-only number field with an accessible name.
QLineEdit *numberDisplay(const QString &name);

} // namespace quorvane
