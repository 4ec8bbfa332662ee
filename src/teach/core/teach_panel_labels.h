#pragma once
// Texts, visibility and colours of the two teach assistants for a calculation mode.
#include <array>
#include <cstdint>
#include <string_view>

namespace quorvane {

struct ToleranceControlLabels {
  std::string_view ring;  // "TEACH CTO WITH", ...
  std::string_view value; // "VALUE CTO", ...
  // The ring's first three entries; the fourth (keep the table's value) is kFourthRingItem.
  std::array<std::string_view, 3> items;
  bool visible = true;
  bool enabled = true;
};

inline constexpr std::string_view kFourthRingItem = "TABLE VALUE";

struct MeanPanelLabels {
  std::array<std::string_view, 6> columns; // both tables: R, G, B and the three co-ordinates
  std::string_view spread;                 // spread display 1
  std::string_view spreadInt;              // spread display 2
  bool spreadIntVisible = true;
  ToleranceControlLabels tolerance1;
  ToleranceControlLabels tolerance2;
};

// Labels of the mean-value panel; in MIN DIST the first tolerance is dimmed, as TEACH
// writes 40 there.
[[nodiscard]] MeanPanelLabels meanPanelLabels(std::uint16_t calcMode, std::uint16_t evalMode);

struct RecordedPanelLabels {
  std::array<std::string_view, 3> graphTitles;  // graphs (X, Y), (X, INT), (Y, INT)
  std::array<std::string_view, 3> displayNames; // the three point displays
  std::array<std::uint32_t, 2> displayColours;  // text colours of the first two displays
};

// Labels of the recorded-values panel; the display colours are those of the live displays.
[[nodiscard]] RecordedPanelLabels recordedPanelLabels(std::uint16_t calcMode);

} // namespace quorvane
