#include "live/core/graph_panel_data.h"

#include "live/core/live_display.h"

namespace quorvane {

std::array<std::string_view, kPanelGraphs> panelSignalNames(int calculationMode) {
  const auto names = valueNames(calculationMode);
  return {"RED", "GREEN", "BLUE", names[0], names[1], names[2], "TEMP"};
}

std::size_t panelGraphShown(int selector) {
  if (selector < 0 || selector >= int{kPanelGraphs}) return 0;
  return static_cast<std::size_t>(selector);
}

std::array<std::int16_t, kPanelGraphs> panelSignalValues(const MeasuredValues &m) {
  return {m.red, m.green, m.blue, m.x, m.y, m.intensity, m.temperature};
}

void restartGraphPanel(PanelGraphState &state, const MeasuredValues &m) {
  state.pointIndex = 0;
  state.index = {0, 0};
  const auto values = panelSignalValues(m);
  for (std::size_t g = 0; g < kPanelGraphs; ++g) {
    const auto v = static_cast<std::uint16_t>(values[g]);
    state.values[g] = {v, v};
  }
}

PanelGraphFrame addGraphPanelFrame(PanelGraphState &state, const MeasuredValues &m) {
  PanelGraphFrame out;
  out.numbers = panelSignalValues(m);
  out.startsOver = state.pointIndex == 0;
  // A run starts with a single point; after the index wraps round this also keeps the
  // segment from reaching back across the whole graph.
  state.index.previous = out.startsOver ? state.pointIndex : state.index.current;
  state.index.current = state.pointIndex;
  for (std::size_t g = 0; g < kPanelGraphs; ++g) {
    PanelGraphPair &pair = state.values[g];
    const auto value = static_cast<std::uint16_t>(out.numbers[g]);
    pair.previous = out.startsOver ? value : pair.current;
    pair.current = value;
    out.segments[g] = {double(state.index.previous), double(pair.previous),
                       double(state.index.current), double(pair.current)};
  }
  ++state.pointIndex;
  return out;
}

} // namespace quorvane
