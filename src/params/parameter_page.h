#pragma once
// Tab 1 of the main window: one control per scalar parameter, except HOLD FAIL and COLOR
// GROUP, which live on the group/hold page.
#include "ui/value_controls.h"

#include <QWidget>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class QComboBox;
class QLabel;
class QSlider;
class QSpinBox;

namespace quorvane {

class Dialogs;

// Field indices in record order (kParameterFields).
namespace field {
inline constexpr std::size_t kPower = 0, kPowerMode = 1, kAverage = 2, kEvaluationMode = 3,
                             kHoldFail = 4, kIntLim = 5, kMaxVecNo = 6, kDigitalOutmode = 7,
                             kTrigger = 8, kExternTeach = 9, kCalculationMode = 10, kDynwinLo = 11,
                             kDynwinHi = 12, kColorGroup = 13, kLedMode = 14, kGain = 15,
                             kIntegral = 16, kAnalogOutmode = 17, kAnalogOut = 18, kAnalogZoom = 19;
} // namespace field

// The seven trigger modes; EXTERN TEACH other than OFF leaves only the first two.
inline const std::array<RingItem, 7> kTriggerItems{{{QStringLiteral("CONT"), 0},
                                                    {QStringLiteral("SELF"), 1},
                                                    {QStringLiteral("EXT1"), 2},
                                                    {QStringLiteral("EXT2"), 3},
                                                    {QStringLiteral("EXT3"), 4},
                                                    {QStringLiteral("TRANS"), 5},
                                                    {QStringLiteral("PARA"), 6}}};

class ParameterPage : public QWidget {
  Q_OBJECT
public:
  explicit ParameterPage(Dialogs &dialogs, QWidget *parent = nullptr);
  ~ParameterPage() override;

  // Whether the field (record index) has its control on this page.
  [[nodiscard]] static bool showsField(std::size_t index);
  [[nodiscard]] std::uint16_t fieldValue(std::size_t index) const;
  // Sets the control without running the operator's commit reaction.
  void setFieldValue(std::size_t index, std::uint16_t value);
  // The field's control (the slider for POWER); null for fields of other pages.
  [[nodiscard]] QWidget *control(std::size_t index) const { return controls_.at(index); }
  // Dims or hides a field's control together with its caption (and POWER's number).
  void setFieldDimmed(std::size_t index, bool dimmed);
  void setFieldVisible(std::size_t index, bool visible);

  // TRIGGER ring items: trim to CONT and SELF; or put EXT1 .. PARA back after them.
  void trimTriggerRing();
  void restoreTriggerRing();
  // The TRIGGER values the ring offers, in order; setting them keeps the selected value
  // when it is still offered.
  [[nodiscard]] std::vector<std::uint16_t> triggerItems() const;
  void setTriggerItems(const std::vector<std::uint16_t> &values);

  QSlider *powerSlider() const { return powerSlider_; }
  QSpinBox *powerNumber() const { return powerNumber_; }
  QComboBox *ring(std::size_t index) const;
  QSpinBox *spinBox(std::size_t index) const;

Q_SIGNALS:
  // A field's value changed other than as setFieldValue was asked: the operator's change,
  // or a value the control cannot show that it limited to its range.
  void fieldChanged(std::size_t index);
  // The operator changed a control whose change re-applies the panel rules.
  void modeCommitted();
  // The operator changed CALCULATION MODE (the teach table's tolerances move first).
  void calculationModeCommitted();

private:
  QComboBox *addRing(std::size_t index, std::initializer_list<RingItem> items);
  QSpinBox *addSpinBox(std::size_t index, int min, int max);
  void onCommit(std::size_t index);

  std::array<QWidget *, 20> controls_{};
  std::array<QLabel *, 20> captions_{};
  QSlider *powerSlider_ = nullptr;
  QSpinBox *powerNumber_ = nullptr;
  bool settingValue_ = false;
};

} // namespace quorvane
