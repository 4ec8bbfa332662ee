#include "teach/core/teach_panel_labels.h"

#include "params/core/panel_rules.h"
#include "teach/core/teach_data.h"

namespace quorvane {

MeanPanelLabels meanPanelLabels(std::uint16_t calcMode, std::uint16_t evalMode) {
  MeanPanelLabels l;
  const bool sim = isSiM(calcMode);
  l.columns = sim ? std::array<std::string_view, 6>{"R", "G", "B", "s", "i", "M"}
                  : std::array<std::string_view, 6>{"R", "G", "B", "X", "Y", "INT"};
  // The intensity display and tolerance have no use where one tolerance covers all three.
  if (is3D(calcMode)) {
    l.spread = sim ? "d (s/i/INT)" : "d (X/Y/INT)";
    l.spreadInt = sim ? "d M" : "d INT";
    l.spreadIntVisible = false;
    l.tolerance1 = {
        "TEACH TOL WITH", "VALUE TOL",
        sim ? std::array<std::string_view, 3>{"VALUE TOL", "d (s/i/INT)", "d (s/i/INT)+VALUE TOL"}
            : std::array<std::string_view, 3>{"VALUE TOL", "d (X/Y/INT)", "d (X/Y/INT)+VALUE TOL"}};
    l.tolerance2 = sim ? ToleranceControlLabels{"TEACH MTO WITH",
                                                "VALUE MTO",
                                                {"VALUE MTO", "d M", "d M+VALUE MTO"}}
                       : ToleranceControlLabels{"TEACH ITO WITH",
                                                "VALUE ITO",
                                                {"VALUE ITO", "d INT", "d INT+VALUE ITO"}};
    l.tolerance2.visible = false;
  } else if (sim) {
    l.spread = "d (s/i)";
    l.spreadInt = "d M";
    l.tolerance1 = {
        "TEACH siTO WITH", "VALUE siTO", {"VALUE siTO", "d (s/i)", "d (s/i)+VALUE siTO"}};
    l.tolerance2 = {"TEACH MTO WITH", "VALUE MTO", {"VALUE MTO", "d M", "d M+VALUE MTO"}};
  } else {
    l.spread = "d (X/Y)";
    l.spreadInt = "d INT";
    l.tolerance1 = {"TEACH CTO WITH", "VALUE CTO", {"VALUE CTO", "d (X/Y)", "d (X/Y)+VALUE CTO"}};
    l.tolerance2 = {"TEACH ITO WITH", "VALUE ITO", {"VALUE ITO", "d INT", "d INT+VALUE ITO"}};
  }
  l.tolerance1.enabled = evalMode != kEvalMinDist;
  return l;
}

RecordedPanelLabels recordedPanelLabels(std::uint16_t calcMode) {
  const bool sim = isSiM(calcMode);
  RecordedPanelLabels l;
  l.graphTitles = sim ? std::array<std::string_view, 3>{"s/i", "s/M", "i/M"}
                      : std::array<std::string_view, 3>{"X/Y", "X/INT", "Y/INT"};
  l.displayNames = sim ? std::array<std::string_view, 3>{"s", "i", "M"}
                       : std::array<std::string_view, 3>{"X", "Y", "INT"};
  // Same colours as the live X/Y displays, decided by the panel rules.
  PanelView view;
  view.para.calculationMode = calcMode;
  applyValueNames(view);
  l.displayColours = view.measurement.valueColours;
  return l;
}

} // namespace quorvane
