#pragma once
// The live acquisition: GO and STOP, the measurement loop, and what each frame shows. It
// owns the measurement record, the strip-chart histories and the current colour, which the
// other subsystems read.
#include "live/core/colour_space_drawing.h"
#include "live/core/current_colour.h"
#include "live/core/graph_panel_data.h"
#include "live/core/live_history.h"
#include "live/core/measured_values.h"
#include "live/core/row_indicator_colours.h"
#include "live/core/sim_reference.h"

#include <QCoroTask>
#include <QObject>

#include <array>
#include <cstdint>
#include <span>

namespace quorvane {

class FramePublisher;
class GraphPanel;
class MeasurementPanel;
class ParameterTransfer;
class SensorLink;
class Shell;
struct ParameterState;

class LiveController : public QObject {
  Q_OBJECT
public:
  // Shows every frame `frames` publishes; the loop publishes the frames it takes there.
  LiveController(SensorLink &link, Shell &shell, const ParameterState &parameters,
                 ParameterTransfer &transfer, MeasurementPanel &panel, GraphPanel &graphPanel,
                 FramePublisher &frames, QObject *parent = nullptr);

  // --- records (read by the teach assistants, the recorder and the calibration page) ---
  const MeasuredValues &measuredValues() const { return values_; }
  const LiveHistory &history() const { return history_; }
  const CurrentColour &currentColour() const { return colour_; }

  // --- control callbacks ---
  void goClicked();
  void stopClicked();
  void showGraphClicked();
  void graphPanelCloseClicked();

  // --- the loop and the displays ---
  // The live acquisition: measures until told to stop, serving SEND and GET between two
  // measurements. Started as the link's Live acquisition (GO, the mean-value assistant).
  QCoro::Task<> measure();
  // Decodes a measurement reply (a short reply reads as zeros) and publishes it.
  void takeFrame(std::span<const std::uint8_t> payload);
  // The published frame into the record, the displays and the graphs.
  void showFrame(const MeasuredValues &values);
  // Removes the taught vectors from the colour-space views.
  void clearTaughtPlots();
  // Shows the record on every live display and scrolls the histories.
  void showMeasurement();
  // Strip charts from the histories, then the colour-space view of the calculation mode.
  void drawLiveGraphs();
  // The taught rows as tolerance ovals in their row colours on the 2D plane and the three
  // projections, the ranges the views fit their axes to, and the intensity band. Only after
  // a change of table, row colours, calculation mode or selected row; frames only move
  // cursors and axes.
  void redrawTeachRows();
  // The intensity band of the selected teach row on the 2D page.
  void drawIntensityBand();
  void draw2DView();
  void draw3DView();
  const ColourSpaceRanges &colourSpaceRanges() const { return ranges_; }

  // --- inputs from the teach table ---
  // The row colours the views draw with; redraws the views when they changed.
  void setRowColours(const TeachRowColours &colours);
  const TeachRowColours &rowColours() const { return rowColours_; }
  // The teach row of the "No." field, whose intensity band the 2D page shows.
  void setCurrentRow(int row) { currentRow_ = row; }

  // --- graph panel of recorded frames (the recorder calls these) ---
  // Starts the graphs over from the frame held in the record.
  void restartGraphPanel();
  // Appends the frame held in the record to every graph.
  void addGraphPanelFrame();
  // Shows the graph the signal selector chose.
  void showSelectedGraph();
  const PanelGraphState &panelGraphState() const { return graphState_; }

  // Number of frames shown since start (for the benchmark and tests).
  std::uint64_t framesShown() const { return framesShown_; }

private:
  void connectZoomClicks();
  int calculationMode();
  void zoomValueCharts(bool automatic);

  SensorLink &link_;
  Shell &shell_;
  const ParameterState &parameters_;
  ParameterTransfer &transfer_;
  MeasurementPanel &panel_;
  GraphPanel &graphPanel_;
  FramePublisher &frames_;

  MeasuredValues values_{};
  LiveHistory history_{};
  CurrentColour colour_{};
  SimReference simReference_{};
  TeachRowColours rowColours_{};
  int currentRow_ = 0;
  ColourSpaceRanges ranges_{};
  PanelGraphState graphState_{};
  std::uint64_t framesShown_ = 0;
};

} // namespace quorvane
