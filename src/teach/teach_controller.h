#pragma once
// The teach operations on the teach-table page: TEACH DATA TO from the measurement on the
// live displays, the "No." field's intensity band, and the page's adaptation to the modes.
#include "live/core/measured_values.h"

#include <QObject>

class QPushButton;

namespace quorvane {

class Dialogs;
class ParameterController;
class RowColoursController;
class TeachGridMenu;
struct ParameterState;

class TeachController : public QObject {
  Q_OBJECT
public:
  TeachController(const ParameterState &state, ParameterController &parameters,
                  RowColoursController &rowColours, const TeachGridMenu &menu, Dialogs &dialogs,
                  QObject *parent = nullptr);

  [[nodiscard]] QPushButton *teachButton() const { return teachButton_; }

  void teachDataToClicked();
  // The recorded-values assistant's TEACH: its point taught as TEACH DATA TO teaches a
  // measurement, except that the row keeps its colour (only TEACH DATA TO sets colours).
  void teachRecordedPoint(const MeasuredValues &point);
  // The teach-table part of the adaptation to the modes: the fifth value column cannot be
  // edited where it has no meaning (3D calculation modes).
  void applyTeachModes();

  // A frame was shown on the live displays: TEACH DATA TO takes it from here, also after
  // the loop has stopped.
  void showFrame(const MeasuredValues &values) { displayed_ = values; }

private:
  void teachMeasurement(const MeasuredValues &measured, bool automaticRowColour);

  const ParameterState &state_;
  ParameterController &parameters_;
  RowColoursController &rowColours_;
  const TeachGridMenu &menu_;
  QPushButton *teachButton_;
  MeasuredValues displayed_{};
};

} // namespace quorvane
