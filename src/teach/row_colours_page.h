#pragma once
// Tab 6 of the main window (ROW COLORS): the row-specification table with each row's
// indicator colour, the colour mode, the manual colour choice, SET / SAVE / GET / RESET of
// the table attributes, the sensor temperature and the colour the sensor sees now. It only
// shows and asks; the row-colour controller decides.
#include <QColor>
#include <QWidget>

#include <cstdint>

class QComboBox;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QToolButton;

namespace quorvane {

class ColourBox;
class Dialogs;
class NumberDisplay;

class RowColoursPage : public QWidget {
  Q_OBJECT
public:
  explicit RowColoursPage(Dialogs &dialogs, QWidget *parent = nullptr);
  ~RowColoursPage() override;

  // Teach rows 0..30.
  [[nodiscard]] QString specification(int row) const;
  void setSpecification(int row, const QString &text);
  // The background of the row's colour cell: where SAVE takes the colours from.
  [[nodiscard]] std::uint32_t rowColour(int row) const;
  void setRowColour(int row, std::uint32_t rgb);

  [[nodiscard]] int colourMode() const;
  [[nodiscard]] int selectedRow() const;
  [[nodiscard]] std::uint32_t selectedColour() const;
  void setSelectedColour(std::uint32_t rgb);
  // Manual mode: row, colour and SET usable and the live colour hidden; automatic: the
  // reverse.
  void showColourMode(int mode);

  void showTemperature(int value);
  void showLiveColour(std::uint32_t rgb);

  QTableWidget *specificationTable() const { return table_; }
  QComboBox *modeRing() const { return mode_; }
  QSpinBox *rowField() const { return row_; }
  QSpinBox *colourField() const { return colour_; }
  QToolButton *pickButton() const { return pick_; }
  QPushButton *setButton() const { return set_; }
  QPushButton *saveButton() const { return save_; }
  QPushButton *getButton() const { return get_; }
  QPushButton *resetButton() const { return reset_; }
  NumberDisplay *temperatureDisplay() const { return temperature_; }
  ColourBox *liveColourBox() const { return liveColour_; }

Q_SIGNALS:
  void modeCommitted();
  void rowCommitted();
  void colourCommitted();
  void pickRequested();
  void setRequested();
  void saveRequested();
  void getRequested();
  void resetRequested();

private:
  QTableWidget *table_ = nullptr;
  QComboBox *mode_ = nullptr;
  QSpinBox *row_ = nullptr;
  QSpinBox *colour_ = nullptr;
  ColourBox *swatch_ = nullptr;
  QToolButton *pick_ = nullptr;
  QPushButton *set_ = nullptr;
  QPushButton *save_ = nullptr;
  QPushButton *get_ = nullptr;
  QPushButton *reset_ = nullptr;
  NumberDisplay *temperature_ = nullptr;
  ColourBox *liveColour_ = nullptr;
};

} // namespace quorvane
