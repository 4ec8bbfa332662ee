#pragma once
// The mean-value teach assistant: captures frames of the live loop, shows their means and
// spreads, and teaches the mean into the selected teach row.
#include "teach/core/mean_teach.h"

#include <QObject>

namespace quorvane {

class Dialogs;
class FramePublisher;
class MeanTeachPanel;
class ParameterController;
class SensorLink;
class Shell;
struct ParameterState;

class MeanTeachController : public QObject {
  Q_OBJECT
public:
  MeanTeachController(MeanTeachPanel &panel, const ParameterState &state,
                      ParameterController &parameters, const FramePublisher &frames,
                      SensorLink &link, Shell &shell, Dialogs &dialogs, QObject *parent = nullptr);

  // Shows the panel, labels it and starts the live measurement unless one runs already.
  void teachMeanValuesClicked();
  void meanCaptureClicked();
  void meanUndoClicked();
  void meanResetClicked();
  void meanTeachClicked();
  // The operator edited a captured value.
  void meanValueEdited();
  void applyTeachModes();

  [[nodiscard]] const CaptureTable &table() const { return table_; }
  [[nodiscard]] const MeanValues &means() const { return means_; }

private:
  void calculateMeans();

  MeanTeachPanel &panel_;
  const ParameterState &state_;
  ParameterController &parameters_;
  const FramePublisher &frames_;
  SensorLink &link_;
  Shell &shell_;
  Dialogs &dialogs_;
  CaptureTable table_{};
  // The last computed means, which TEACH takes its tolerances from.
  MeanValues means_{};
};

} // namespace quorvane
