#pragma once
// The rules that tie the parameter controls together, as decisions on a plain snapshot of
// the panels. The widgets copy their values into a PanelView, a rule pass corrects values,
// dims, hides and asks for warnings, and the panels apply the whole view in one place.
#include "params/core/sensor_parameters.h"
#include "params/core/teach_table.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Colours used by the rules (0xRRGGBB).
inline constexpr std::uint32_t kRowActiveColour = 0x008000;
inline constexpr std::uint32_t kRowInactiveColour = 0xFF0000;
inline constexpr std::uint32_t kGroupCellRejectedColour = 0xFF0000;
inline constexpr std::uint32_t kGroupCellColour = 0xFFFFFF;
// Teach grid text: black for a tolerance the evaluation uses, grey for one MIN DIST ignores.
inline constexpr std::uint32_t kTeachTextColour = 0x000000;
inline constexpr std::uint32_t kTeachTextUnusedColour = 0x808080;

// TRIGGER values; CONT and SELF are always in the selector, the rest only with EXTERN TEACH OFF.
inline constexpr std::uint16_t kTriggerCont = 0;
inline constexpr std::uint16_t kTriggerSelf = 1;
inline constexpr std::uint16_t kTriggerPara = 6;
inline constexpr std::array<std::uint16_t, 7> kAllTriggerItems{0, 1, 2, 3, 4, 5, 6};

// Selector label of a TRIGGER value ("CONT", "SELF", "EXT1", "EXT2", "EXT3", "TRANS", "PARA").
[[nodiscard]] std::string_view triggerItemLabel(std::uint16_t value);

inline constexpr std::string_view kRuleWarningTitle = "INFO!";
extern const std::string_view kAnalogOutmodeWarning;
extern const std::string_view kMaxVecNoWarning;
extern const std::string_view kColorGroupWarning;

// A page of the main panel that must come to the front before a warning is shown.
enum class PanelPage { None, Parameters, ColorGroups };

struct PanelWarning {
  std::string title;
  std::string text;
  PanelPage page = PanelPage::None; // bring this page to the front first

  bool operator==(const PanelWarning &) const = default;
};

// Which graph page of the measurement panel a rule makes active; Unchanged leaves it.
enum class GraphPage { Unchanged, View2D, View3D };

struct AxisRange {
  int min = 0;
  int max = 4096;

  bool operator==(const AxisRange &) const = default;
};

// Parameter page, colour-group page and main-panel controls the rules dim or hide.
// "enabled" false = dimmed (shown but not operable); "visible" false = hidden.
struct ParameterControls {
  bool powerModeEnabled = true;
  bool powerEnabled = true;
  bool dynwinEnabled = false; // DYNWIN LO and DYNWIN HI together
  bool triggerEnabled = true;
  bool externTeachEnabled = true;
  bool analogOutVisible = true;
  bool analogZoomVisible = false;
  bool maxVecNoEnabled = true;
  bool intLimEnabled = true;
  bool calculationModeEnabled = true;
  bool colorGroupEnabled = true;
  bool groupTableEnabled = true; // the group table and its RESET button
  bool paraSetEnabled = false;   // ParaSet0 and ParaSet1 together

  bool operator==(const ParameterControls &) const = default;
};

// What the measurement panel shows.
struct MeasurementDisplays {
  bool evaluationVisible = false; // colour number, distance and the OUT0/OUT1 indicators
  bool groupVisible = false;      // group display
  bool ledTrigVisible = false;
  bool simRefVisible = false; // the three siM REF displays on the X/Y/INT page
  bool graph2DVisible = false;
  bool graph3DVisible = false;
  GraphPage activeGraph = GraphPage::Unchanged;
  bool intensityVisible = false; // intensity page and its displays
  // Names of the three value displays (also the record signal names) and the text colours
  // of the first two.
  std::array<std::string, 3> valueNames{"X", "Y", "INT"};
  std::array<std::uint32_t, 2> valueColours{0xFF0000, 0x00FF00};
  // 3D projection axes (first, second, third co-ordinate); left alone in automatic scaling.
  std::array<AxisRange, 3> axes3D{};

  bool operator==(const MeasurementDisplays &) const = default;
};

// Teach-table page, group table and hold table.
struct TeachPageView {
  std::array<std::string, kTeachCells> headings{"X", "Y", "CTO", "INT", "ITO"};
  std::array<std::uint32_t, kTeachCells> columnTextColour{
      kTeachTextColour, kTeachTextColour, kTeachTextColour, kTeachTextColour, kTeachTextColour};
  // Mark of teach row r, shared by the teach grid (line r+1), the row-colour table (line r+1),
  // the group table (line r+1) and the hold table (line r+2; its line 1 is HOLD FAIL).
  std::array<std::uint32_t, kTeachRows> rowMark{};
  std::array<std::uint32_t, kTeachRows> groupCellColour{};
  bool rowNumberVisible = true; // the "No." field and the auto-increment button
  bool assistantsEnabled = true;

  TeachPageView() {
    rowMark.fill(kRowInactiveColour);
    rowMark[0] = kRowActiveColour;
    groupCellColour.fill(kGroupCellColour);
  }
  bool operator==(const TeachPageView &) const = default;
};

// One-shot requests of a rule pass, cleared at the start of applyPanelRules.
struct PanelRequests {
  std::vector<PanelWarning> warnings; // in order, each distinct warning at most once
  bool closeColourNumberPanel = false;
  bool closeGroupPanel = false;

  bool operator==(const PanelRequests &) const = default;
};

struct PanelView {
  // Control values as the widgets hold them; a later SEND sends these.
  SensorParameters para;
  std::array<std::uint16_t, kTeachRows> groups{}; // group table, teach rows 0..30
  std::vector<std::uint16_t> triggerItems{kAllTriggerItems.begin(), kAllTriggerItems.end()};
  int paraSet = 0; // 0: ParaSet0 on, ParaSet1 off; 1: the reverse

  // Input: the 3D view's axes are in automatic scaling.
  bool axes3DAutoScale = false;

  ParameterControls controls;
  MeasurementDisplays measurement;
  TeachPageView teach;
  PanelRequests requests;
};

// The individual rules. Each reads and corrects the view's values and flags.
void applyExternalTeachRules(PanelView &v);
void applyPowerModeRules(PanelView &v);
void applyTriggerRules(PanelView &v);
void applyAnalogOutputRules(PanelView &v);
void applyDigitalOutputRules(PanelView &v);
void applyEvaluationModeRules(PanelView &v);
void applyCalculationModeRules(PanelView &v);
void applyColourGroupRules(PanelView &v);
void applyRowCountRules(PanelView &v);
void applyValueNames(PanelView &v);
void applyPageVisibility(PanelView &v);
void applyLedTrigVisibility(PanelView &v);
// The teach-table page part: "No." field, auto-increment and assistant buttons.
void applyTeachModes(PanelView &v);

// The whole pass, in order. Clears the previous requests first; the result is settled, so
// a second pass changes no value and warns about nothing (it only paints the group cells it
// rejected before white again, as their value is now 0).
void applyPanelRules(PanelView &v);

// Teach grid headings for a calculation and evaluation mode.
[[nodiscard]] std::array<std::string_view, kTeachCells> teachGridHeadings(std::uint16_t calcMode,
                                                                          std::uint16_t evalMode);

// Moves the tolerances between the 2D layout (pair, pair tolerance, intensity, intensity
// tolerance) and the 3D layout (pair, intensity, one tolerance, 1) when CALCULATION MODE
// changes family; within one family nothing moves.
void moveTolerances(std::uint16_t previousMode, std::uint16_t newMode, TeachTable &table);

} // namespace quorvane
