#pragma once
// What the live numbers, LEDs and strip-chart axes show for a frame: pure decisions, so the
// panel only copies them into its widgets.
#include "live/core/measured_values.h"

#include "params/core/modes.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// --- OUT0 / OUT1 LEDs ---
struct OutLeds {
  bool out0 = false;
  bool out1 = false;
  bool operator==(const OutLeds &) const = default;
};

// In the evaluation modes that drive the outputs directly (3 and up) the colour number
// carries both output states; below that the LEDs keep what they show (nullopt).
[[nodiscard]] std::optional<OutLeds> outLedsFor(int evaluationMode, int colorNumber);

// --- calculation modes ---
// "X", "Y", "INT" or "s", "i", "M".
[[nodiscard]] std::array<std::string_view, 3> valueNames(int calculationMode);

// --- strip-chart axes ---
struct ChartRange {
  double lower = 0.0;
  double upper = 0.0;
  bool operator==(const ChartRange &) const = default;
};

// The full scale of a 12-bit channel.
inline constexpr ChartRange kChannelRange{0.0, 4096.0};

// Every strip chart shows its 100 history points on a time axis of this many points; set on
// each plot, so a zoomed time axis comes back with the next frame.
inline constexpr int kStripPointsPerScreen = 101;

// Fixed y ranges of the X, Y and INT strip charts (s, i and M in the s/i/M modes).
[[nodiscard]] std::array<ChartRange, 3> valueChartRanges(int calculationMode);

// --- numbers ---
struct LiveTexts {
  std::array<std::string, 3> rgb;         // red, green, blue
  std::array<std::string, 3> coordinates; // x, y, intensity (or s, i, M)
  std::string deltaC;
  std::string colorNumber;
  std::string group;
  std::array<std::string, 3> minimum; // red, green, blue
  std::array<std::string, 3> maximum;
  std::array<std::string, 3> auxiliary;
};

// The texts of every number display for one frame. Of each channel's extremes pair the
// first value is shown as the minimum and the second as the maximum.
[[nodiscard]] LiveTexts liveTextsOf(const MeasuredValues &m);

} // namespace quorvane
