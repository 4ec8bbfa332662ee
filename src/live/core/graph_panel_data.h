#pragma once
// The graph panel: one graph per recorded signal, growing by one connected segment per
// recorded frame. The state and the segments are plain values; the panel draws them.
#include "live/core/measured_values.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

namespace quorvane {

inline constexpr std::size_t kPanelGraphs = 7;

// Graph order, also the order of the signal selector.
enum class PanelSignal : std::size_t { Red, Green, Blue, X, Y, Intensity, Temperature };

// Line colour of each graph (0xRRGGBB), in signal order.
inline constexpr std::array<std::uint32_t, kPanelGraphs> kPanelGraphColours{
    0xFF0000, 0x00FF00, 0x0000FF, 0xFF0000, 0x00FF00, 0x008080, 0x008080};

// Selector items: "RED", "GREEN", "BLUE", the three value names of the calculation mode
// ("X", "Y", "INT" or "s", "i", "M"), "TEMP".
[[nodiscard]] std::array<std::string_view, kPanelGraphs> panelSignalNames(int calculationMode);

// The graph the selector shows; a value outside the items shows RED.
[[nodiscard]] std::size_t panelGraphShown(int selector);

// Red, green, blue, x, y, intensity, temperature of a frame, as the numbers show them.
[[nodiscard]] std::array<std::int16_t, kPanelGraphs> panelSignalValues(const MeasuredValues &m);

struct PanelGraphPair {
  std::uint16_t previous = 0;
  std::uint16_t current = 0;
  bool operator==(const PanelGraphPair &) const = default;
};

struct PanelGraphState {
  std::uint16_t pointIndex = 0; // the next frame's x position
  PanelGraphPair index;
  std::array<PanelGraphPair, kPanelGraphs> values{};
  bool operator==(const PanelGraphState &) const = default;
};

// A connected two-point line from (x0, y0) to (x1, y1).
struct PanelGraphSegment {
  double x0 = 0.0;
  double y0 = 0.0;
  double x1 = 0.0;
  double y1 = 0.0;
  bool operator==(const PanelGraphSegment &) const = default;
};

struct PanelGraphFrame {
  std::array<std::int16_t, kPanelGraphs> numbers{};
  std::array<PanelGraphSegment, kPanelGraphs> segments{};
  // The segments start a new run at x = 0 (the first frame, or the point index wrapped
  // round): the panel clears its graphs before drawing them.
  bool startsOver = false;
  bool operator==(const PanelGraphFrame &) const = default;
};

// Called per recorded frame: plain values, nothing allocated.
static_assert(std::is_trivially_copyable_v<PanelGraphFrame> &&
              std::is_trivially_copyable_v<PanelGraphState>);

// Point index 0; every pair holds the frame's value on both sides, the index pair (0, 0).
void restartGraphPanel(PanelGraphState &state, const MeasuredValues &m);

// Takes one recorded frame: shifts every pair, returns the numbers and the segments from the
// previous to the current point (values as unsigned 16-bit), and advances the point index.
[[nodiscard]] PanelGraphFrame addGraphPanelFrame(PanelGraphState &state, const MeasuredValues &m);

} // namespace quorvane
