#pragma once
// The row colours and row specifications: the table-attributes page's callbacks, the four
// places each row's colour is shown, the table attributes file and the same sections in the
// panel settings file.
#include "teach/core/row_colours.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>

namespace quorvane {

class Dialogs;
class IniText;
class ParameterController;
class RowColoursPage;
struct MeasuredValues;

class RowColoursController : public QObject {
  Q_OBJECT
public:
  RowColoursController(RowColoursPage &page, ParameterController &parameters, Dialogs &dialogs,
                       QObject *parent = nullptr);

  // --- callbacks of the page ---
  void rowColourModeChanged() { showRowColourMode(); }
  void setRowColourClicked() { setRowColour(); }
  void saveAttributesClicked() { saveTableAttributes(); }
  void getAttributesClicked() { readTableAttributes(); }
  void resetAttributesClicked();

  void showRowColourMode();
  void setRowColour();
  void saveTableAttributes();
  void readTableAttributes();

  // The 31 row sections into `doc`, colours taken from the page (and kept in RowColors).
  int writeTableAttributeSections(IniText &doc);
  // The row sections of `doc` into RowColors and the specification texts; with
  // `showMessage` the rows whose colour was missing are named in one popup. The four places
  // are not painted here.
  void readTableAttributeSections(const IniText &doc, bool showMessage);
  // Every row's colour into its four places, then the views redrawn.
  void paintAllRows();

  // TEACH DATA TO in automatic mode: the row takes the colour the sensor sees.
  [[nodiscard]] bool automaticMode() const;
  void applyTaughtColour(int row, std::uint32_t rgb);

  // A frame was taken: the temperature and the current colour are shown.
  void showFrame(const MeasuredValues &values);

  [[nodiscard]] const RowColors &rowColors() const { return attributes_.colors; }
  [[nodiscard]] TeachRowColours teachRowColours() const;
  // Last path of the table attributes file.
  QString tableAttributesPath;

Q_SIGNALS:
  void rowColoursChanged(quorvane::TeachRowColours colours);

private:
  void paintRow(int row, std::uint32_t rgb);
  void coloursChanged();
  void onPick();
  // The file dialog of SAVE and GET; empty when nothing usable was chosen.
  QString chooseFile(bool save);

  RowColoursPage &page_;
  ParameterController &parameters_;
  Dialogs &dialogs_;
  TableAttributes attributes_;
};

} // namespace quorvane
