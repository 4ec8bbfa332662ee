#pragma once
// SEND and GET with the memory target FILE: the parameter file dialog, the checks and
// reports of reading, and the write of the whole record and teach table.
#include "params/parameter_data.h"

#include <QString>

namespace quorvane {

class Dialogs;

// What the file routines need from the parameter pages after a read.
class PanelTransfer {
public:
  virtual ~PanelTransfer() = default;
  virtual void applyPanelRules() = 0;
  // Rebuild and redraw the live graphs after the teach table changed.
  virtual void redrawGraphs() = 0;
};

inline const QString kParameterDialogTitle = QStringLiteral("Parameter");
inline const QString kParameterDefaultName = QStringLiteral("Parameter.ini");
inline const QString kParameterFilter = QStringLiteral("*.ini");

class ParameterFileIo {
public:
  ParameterFileIo(ParameterData &data, Dialogs &dialogs, PanelTransfer &panel)
      : data_(data), dialogs_(dialogs), panel_(panel) {}

  // The parameter file chosen last; its directory is where the next dialog starts. The
  // panel settings keep it as "PARAMETER FILE".
  QString parameterFilePath;

  // Asks for a file and writes the panel's parameters and teach table into it. A failed
  // write leaves an existing file as it was and tells the operator why.
  void writeParameterFile();
  // Asks for an existing file and reads it into the panel, with confirmations when it is
  // not a parameter file of this version and reports of the values that were missing.
  void readParameterFile();

private:
  [[nodiscard]] QString dialogDirectory() const;

  ParameterData &data_;
  Dialogs &dialogs_;
  PanelTransfer &panel_;
};

} // namespace quorvane
