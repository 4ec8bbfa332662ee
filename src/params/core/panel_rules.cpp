#include "params/core/panel_rules.h"
#include "params/core/modes.h"

#include <algorithm>

namespace quorvane {

const std::string_view kAnalogOutmodeWarning =
    "ATTENTION! \nIf DIGITAL OUTMODE and ANALOG OUTMODE are enabled, \neither X Y INT or s i M can "
    "be calculated. \nANALOG OUTMODE will be set depending of CALCULATION MODE.";
const std::string_view kMaxVecNoWarning =
    "ATTENTION! \n\nMAXCOL-No. is too high. \n\nIf color group is disabled and OUMODE=DIRECT LO or "
    "\nDIRECT HI, the maximum number is 2. \nIf OUTMODE=BINARY, the maximum number is 3. \n\nIf "
    "color group is enabled, the maximum number is 31. \n\nMAXCOL-No. will be set to maximum "
    "value.";
const std::string_view kColorGroupWarning =
    "ATTENTION! \nIf OUTMODE=DIRECT HI or DIRECT LO: \n2 groups are possible! GROUP 0 and 1. \nIf "
    "OUTMODE=BINARY: \n3 groups are possible. GROUP 0,1,2. \n\n Cell will be set to 0.";

namespace {

constexpr std::uint16_t kLedModeOff = 2;
constexpr std::uint16_t kExteachStat1 = 2;
constexpr std::uint16_t kExteachDyn1 = 3;
constexpr std::uint16_t kPowerModeDyn = 1;
constexpr std::uint16_t kDigitalBinary = 2;
constexpr std::uint16_t kEvalMinDist = 2;
constexpr std::uint16_t kEvalCol2 = 3;
constexpr std::uint16_t kAnalogXYInt = 2;
constexpr std::uint16_t kAnalogSiM = 3;
constexpr std::uint16_t kAnalogSiMRef = 5;

// Colour evaluation: the digital outputs follow a taught colour (not a threshold).
bool colourEvaluation(const SensorParameters &p) {
  return p.digitalOutmode != 0 && p.evaluationMode <= kEvalCol2;
}

void warn(PanelView &v, std::string_view text, PanelPage page) {
  PanelWarning w{std::string(kRuleWarningTitle), std::string(text), page};
  if (std::find(v.requests.warnings.begin(), v.requests.warnings.end(), w) ==
      v.requests.warnings.end())
    v.requests.warnings.push_back(std::move(w));
}

void set3DAxes(PanelView &v) {
  if (v.axes3DAutoScale) return;
  if (isSiM(v.para.calculationMode))
    v.measurement.axes3D = {AxisRange{0, 10000}, AxisRange{0, 5000}, AxisRange{0, 1200}};
  else
    v.measurement.axes3D = {AxisRange{0, 4096}, AxisRange{0, 4096}, AxisRange{0, 4096}};
}

// What ANALOG OUTMODE and ANALOG OUT allow of the analog controls, TRIGGER and EXTERN TEACH.
void applyAnalogOutputs(PanelView &v) {
  auto &p = v.para;
  auto &c = v.controls;
  const std::uint16_t mode = p.analogOutmode;
  const bool noAnalogOut = mode == 0 || mode == 4 || mode == kAnalogSiMRef;
  if (noAnalogOut) p.analogOut = 0;
  c.analogOutVisible = !noAnalogOut;
  c.analogZoomVisible = mode == kAnalogSiMRef;
  v.measurement.simRefVisible = mode == kAnalogSiMRef;

  if (mode > kAnalogSiM || p.analogOut != 0 || p.evaluationMode > kEvalCol2) {
    p.trigger = kTriggerCont;
    c.triggerEnabled = false;
  } else {
    c.triggerEnabled = true;
  }
  if (p.analogOut != 0) {
    p.externTeach = 0;
    c.externTeachEnabled = false;
  } else {
    c.externTeachEnabled = true;
  }
}

} // namespace

std::string_view triggerItemLabel(std::uint16_t value) {
  static constexpr std::array<std::string_view, 7> labels{"CONT", "SELF",  "EXT1", "EXT2",
                                                          "EXT3", "TRANS", "PARA"};
  return value < labels.size() ? labels[value] : std::string_view{};
}

void applyExternalTeachRules(PanelView &v) {
  if (v.para.externTeach != 0) {
    if (v.para.trigger >= 2) v.para.trigger = kTriggerCont;
    if (v.triggerItems.size() >= 3) v.triggerItems.resize(2);
  } else if (v.triggerItems.size() <= 2) {
    v.triggerItems.assign(kAllTriggerItems.begin(), kAllTriggerItems.end());
  }
}

void applyPowerModeRules(PanelView &v) {
  auto &p = v.para;
  auto &c = v.controls;
  if (p.ledMode == kLedModeOff) {
    // Dynamic teach needs light to tune the power with.
    if (p.externTeach == kExteachDyn1) p.externTeach = 0;
    p.powerMode = 0;
    c.powerModeEnabled = false;
    p.power = 0;
    c.powerEnabled = false;
    c.dynwinEnabled = false;
    return;
  }
  if (p.externTeach == kExteachDyn1) {
    p.powerMode = 0;
    c.powerModeEnabled = false;
    c.powerEnabled = false;
    c.dynwinEnabled = true;
    return;
  }
  if (p.externTeach == kExteachStat1) {
    p.powerMode = 0;
    c.powerModeEnabled = false;
    c.powerEnabled = true;
    c.dynwinEnabled = false;
    return;
  }
  c.powerModeEnabled = true;
  const bool dynamic = p.powerMode == kPowerModeDyn;
  c.powerEnabled = !dynamic;
  c.dynwinEnabled = dynamic;
}

void applyTriggerRules(PanelView &v) {
  auto &p = v.para;
  auto &c = v.controls;
  if (p.trigger == kTriggerSelf) {
    c.externTeachEnabled = true;
  } else if (p.trigger >= 2 && p.trigger <= kTriggerPara) {
    p.externTeach = 0;
    c.externTeachEnabled = false;
  } else if (p.trigger == kTriggerCont && p.analogOut == 0) {
    c.externTeachEnabled = true;
  }
  if (p.trigger == kTriggerPara) {
    c.paraSetEnabled = true;
  } else {
    // Only PARA lets the sensor switch sets, so only then may a transfer target ParaSet1.
    c.paraSetEnabled = false;
    v.paraSet = 0;
  }
  applyLedTrigVisibility(v);
}

void applyAnalogOutputRules(PanelView &v) {
  auto &p = v.para;
  applyAnalogOutputs(v);

  if (p.digitalOutmode == 0 || p.evaluationMode > kEvalCol2) {
    p.calculationMode = (p.analogOutmode == kAnalogSiM || p.analogOutmode == kAnalogSiMRef) ? 1 : 0;
    applyValueNames(v);
  } else {
    std::uint16_t corrected = p.analogOutmode;
    if (isSiM(p.calculationMode) && p.analogOutmode == kAnalogXYInt)
      corrected = kAnalogSiM;
    else if ((p.calculationMode == 0 || p.calculationMode == 2) &&
             (p.analogOutmode == kAnalogSiM || p.analogOutmode == kAnalogSiMRef))
      corrected = kAnalogXYInt;
    if (corrected != p.analogOutmode) {
      warn(v, kAnalogOutmodeWarning, PanelPage::None);
      p.analogOutmode = corrected;
      // Re-derive what the old mode dimmed or showed (TRIGGER, the siM REF displays), so the
      // pass leaves the controls matching the corrected mode.
      applyAnalogOutputs(v);
    }
  }
  set3DAxes(v);
  applyLedTrigVisibility(v);
  applyPageVisibility(v);
}

void applyDigitalOutputRules(PanelView &v) {
  auto &p = v.para;
  auto &m = v.measurement;
  if (p.digitalOutmode == 0) {
    p.trigger = kTriggerCont;
    p.externTeach = 0;
    m.evaluationVisible = false;
    m.groupVisible = false;
    v.requests.closeColourNumberPanel = true;
    v.requests.closeGroupPanel = true;
  } else {
    // Once the outputs are on again the evaluation has something to show.
    m.evaluationVisible = true;
  }
  applyLedTrigVisibility(v);
  applyPageVisibility(v);
}

void applyEvaluationModeRules(PanelView &v) {
  auto &p = v.para;
  auto &c = v.controls;
  auto &colours = v.teach.columnTextColour;
  colours[2] = kTeachTextColour;
  colours[3] = kTeachTextColour;
  if (p.evaluationMode == kEvalMinDist)
    colours[is3D(p.calculationMode) ? 3 : 2] = kTeachTextUnusedColour;

  if (p.evaluationMode < kEvalCol2) {
    c.maxVecNoEnabled = true;
    c.intLimEnabled = true;
    c.calculationModeEnabled = true;
    c.colorGroupEnabled = true;
    c.groupTableEnabled = true;
  } else if (p.evaluationMode == kEvalCol2) {
    p.maxVecNo = 2;
    c.maxVecNoEnabled = false;
  } else {
    p.maxVecNo = 2;
    c.maxVecNoEnabled = false;
    p.intLim = 0;
    v.requests.closeColourNumberPanel = true;
  }
  applyValueNames(v);
}

void applyCalculationModeRules(PanelView &v) {
  const auto headings = teachGridHeadings(v.para.calculationMode, v.para.evaluationMode);
  for (std::size_t i = 0; i < kTeachCells; ++i)
    v.teach.headings[i] = headings[i];
  set3DAxes(v);
  applyPageVisibility(v);
}

void applyColourGroupRules(PanelView &v) {
  if (v.para.colorGroup != 0) {
    v.measurement.groupVisible = true;
  } else {
    v.measurement.groupVisible = false;
    v.requests.closeGroupPanel = true;
  }
}

void applyRowCountRules(PanelView &v) {
  auto &p = v.para;
  const bool binary = p.digitalOutmode == kDigitalBinary;
  if (p.colorGroup == 0) {
    const std::uint16_t limit = binary ? 3 : 2;
    if (p.maxVecNo > limit) {
      warn(v, kMaxVecNoWarning, PanelPage::Parameters);
      p.maxVecNo = limit;
    }
  } else {
    const std::uint16_t highest = binary ? 2 : 1;
    bool changed = false;
    for (std::size_t r = 0; r < kTeachRows; ++r) {
      if (v.groups[r] > highest) {
        v.groups[r] = 0;
        v.teach.groupCellColour[r] = kGroupCellRejectedColour;
        changed = true;
      } else {
        v.teach.groupCellColour[r] = kGroupCellColour;
      }
    }
    if (changed) warn(v, kColorGroupWarning, PanelPage::ColorGroups);
  }
  const std::size_t active = std::min<std::size_t>(p.maxVecNo, kTeachRows);
  for (std::size_t r = 0; r < kTeachRows; ++r)
    v.teach.rowMark[r] = r < active ? kRowActiveColour : kRowInactiveColour;
}

void applyValueNames(PanelView &v) {
  auto &m = v.measurement;
  if (isSiM(v.para.calculationMode)) {
    m.valueNames = {"s", "i", "M"};
    m.valueColours = {0xFF00FF, 0x00FFFF};
  } else {
    m.valueNames = {"X", "Y", "INT"};
    m.valueColours = {0xFF0000, 0x00FF00};
  }
}

void applyPageVisibility(PanelView &v) {
  const auto &p = v.para;
  auto &m = v.measurement;
  const bool colour = colourEvaluation(p);
  if (colour) {
    const bool view3D = is3D(p.calculationMode);
    m.graph2DVisible = !view3D;
    m.graph3DVisible = view3D;
    m.activeGraph = view3D ? GraphPage::View3D : GraphPage::View2D;
  } else {
    m.graph2DVisible = false;
    m.graph3DVisible = false;
    m.activeGraph = GraphPage::Unchanged;
  }
  const std::uint16_t a = p.analogOutmode;
  m.intensityVisible = a == kAnalogXYInt || a == kAnalogSiM || a == kAnalogSiMRef || colour;
}

void applyLedTrigVisibility(PanelView &v) {
  const auto &p = v.para;
  v.measurement.ledTrigVisible = p.analogOutmode == 4 || p.analogOutmode == kAnalogSiMRef ||
                                 p.analogOut == 1 ||
                                 (p.digitalOutmode != 0 && (p.externTeach != 0 || p.trigger != 0));
}

void applyTeachModes(PanelView &v) {
  // The threshold modes always teach rows 0 and 1 from the channels, never a chosen row.
  const bool colourModes = v.para.evaluationMode <= kEvalCol2;
  v.teach.rowNumberVisible = colourModes;
  v.teach.assistantsEnabled = colourModes;
}

void applyPanelRules(PanelView &v) {
  v.requests = {};
  // A later rule of these four can undo what an earlier one read (TRIGGER clears EXTERN TEACH
  // after POWER MODE was fixed for it), so repeat them until the values settle.
  for (int pass = 0; pass < 4; ++pass) {
    const SensorParameters before = v.para;
    const int setBefore = v.paraSet;
    applyAnalogOutputRules(v);
    applyDigitalOutputRules(v);
    applyPowerModeRules(v);
    applyTriggerRules(v);
    if (v.para == before && v.paraSet == setBefore) break;
  }
  if (v.para.digitalOutmode == 0) return;
  applyEvaluationModeRules(v);
  applyCalculationModeRules(v);
  applyExternalTeachRules(v);
  applyColourGroupRules(v);
  applyRowCountRules(v);
  applyTeachModes(v);
}

} // namespace quorvane
