#include "params/parameter_page.h"

#include "params/core/sensor_parameters.h"
#include "params/help_texts.h"
#include "ui/help.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvane {
namespace {

// Ranges of the numeric fields the sensor does not document; wide enough for every value
// the sensor accepts.
constexpr int kAverageMax = 32768;
constexpr int kIntLimMax = 4095;
constexpr int kWindowMax = 4095;
constexpr int kIntegralMax = 250;
constexpr int kAnalogZoomMax = 255;

QString caption(std::size_t index) {
  return QString::fromLatin1(kParameterFields.at(index).key.data(),
                             static_cast<qsizetype>(kParameterFields.at(index).key.size()));
}

} // namespace

bool ParameterPage::showsField(std::size_t index) {
  return index < kParameterCount && index != field::kHoldFail && index != field::kColorGroup;
}

ParameterPage::ParameterPage(Dialogs &dialogs, QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("parameterPage"));
  auto *grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(4);

  // POWER: slider with its number, across the whole page.
  powerSlider_ = new QSlider(Qt::Horizontal);
  powerSlider_->setRange(0, 1000);
  powerSlider_->setPageStep(50);
  powerNumber_ = new QSpinBox;
  powerNumber_->setRange(0, 1000);
  powerNumber_->setKeyboardTracking(false);
  powerSlider_->setAccessibleName(QStringLiteral("POWER"));
  powerNumber_->setAccessibleName(QStringLiteral("POWER"));
  connect(powerSlider_, &QSlider::valueChanged, powerNumber_, [this](int v) {
    const QSignalBlocker block(powerNumber_);
    powerNumber_->setValue(v);
  });
  connect(powerNumber_, &QSpinBox::valueChanged, powerSlider_, [this](int v) {
    const QSignalBlocker block(powerSlider_);
    powerSlider_->setValue(v);
  });
  // Each of the two moves the other with its signals blocked: both tell of the change.
  connect(powerSlider_, &QSlider::valueChanged, this, [this] { onCommit(field::kPower); });
  connect(powerNumber_, &QSpinBox::valueChanged, this, [this] { onCommit(field::kPower); });
  captions_[field::kPower] = new QLabel(caption(field::kPower));
  controls_[field::kPower] = powerSlider_;
  auto *powerRow = new QHBoxLayout;
  powerRow->addWidget(powerSlider_, 1);
  powerRow->addWidget(powerNumber_);
  grid->addWidget(captions_[field::kPower], 0, 0, 1, 2);
  grid->addLayout(powerRow, 1, 0, 1, 2);

  addRing(field::kPowerMode, {{"STAT", 0}, {"DYN", 1}});
  addRing(field::kLedMode, {{"DC", 0}, {"AC", 1}, {"OFF", 2}, {"PULSE", 3}});
  addSpinBox(field::kDynwinLo, 0, kWindowMax);
  addSpinBox(field::kDynwinHi, 0, kWindowMax);
  addRing(field::kGain, {{"AMP1", 0},
                         {"AMP2", 1},
                         {"AMP3", 2},
                         {"AMP4", 3},
                         {"AMP5", 4},
                         {"AMP6", 5},
                         {"AMP7", 6},
                         {"AMP8", 7}});
  addSpinBox(field::kAverage, 1, kAverageMax);
  addSpinBox(field::kIntegral, 0, kIntegralMax);
  addSpinBox(field::kIntLim, 0, kIntLimMax);
  addRing(field::kEvaluationMode, {{"FIRST HIT", 0},
                                   {"BEST HIT", 1},
                                   {"MIN DIST", 2},
                                   {"COL2", 3},
                                   {"THD Red Green", 4},
                                   {"THD Red Blue", 5},
                                   {"THD Green Blue", 6}});
  addRing(field::kCalculationMode,
          {{"X Y INT - 2D", 0}, {"s i   M - 2D", 1}, {"X Y INT - 3D", 2}, {"s i   M - 3D", 3}});
  addRing(field::kDigitalOutmode, {{"OFF", 0}, {"DIRECT LO", 1}, {"BINARY", 2}, {"DIRECT HI", 3}});
  addSpinBox(field::kMaxVecNo, 1, 31);
  QComboBox *trigger = addRing(field::kTrigger, {});
  for (const RingItem &item : kTriggerItems)
    trigger->addItem(item.label, item.value);
  addRing(field::kExternTeach, {{"OFF", 0}, {"ON", 1}, {"STAT1", 2}, {"DYN1", 3}});
  addRing(field::kAnalogOutmode,
          {{"OFF", 0}, {"RGB", 1}, {"X Y INT", 2}, {"s i M", 3}, {"RGB MM", 4}, {"siM REF", 5}});
  addRing(field::kAnalogOut, {{"CONT", 0}, {"IN0 L->H", 1}});
  addSpinBox(field::kAnalogZoom, 0, kAnalogZoomMax);

  // Two columns of caption-over-control pairs, related fields side by side.
  constexpr std::array<std::size_t, 17> order{
      field::kPowerMode,      field::kLedMode,         field::kDynwinLo,       field::kDynwinHi,
      field::kGain,           field::kAverage,         field::kIntegral,       field::kIntLim,
      field::kEvaluationMode, field::kCalculationMode, field::kDigitalOutmode, field::kMaxVecNo,
      field::kTrigger,        field::kExternTeach,     field::kAnalogOutmode,  field::kAnalogOut,
      field::kAnalogZoom};
  for (std::size_t i = 0; i < order.size(); ++i) {
    const int row = 2 + 2 * static_cast<int>(i / 2);
    const int column = static_cast<int>(i % 2);
    grid->addWidget(captions_[order[i]], row, column);
    grid->addWidget(controls_[order[i]], row + 1, column);
  }
  grid->setRowStretch(grid->rowCount(), 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);

  // Keyboard order follows the layout.
  QWidget *previous = powerNumber_;
  setTabOrder(powerSlider_, powerNumber_);
  for (std::size_t index : order) {
    setTabOrder(previous, controls_[index]);
    previous = controls_[index];
  }

  installHelp({{powerSlider_, kHelpPower},
               {powerNumber_, kHelpPower},
               {controls_[field::kPowerMode], kHelpPowerMode},
               {controls_[field::kLedMode], kHelpLedMode},
               {controls_[field::kDynwinLo], kHelpDynwin},
               {controls_[field::kDynwinHi], kHelpDynwin},
               {controls_[field::kGain], kHelpGain},
               {controls_[field::kAverage], kHelpAverage},
               {controls_[field::kIntegral], kHelpIntegral},
               {controls_[field::kIntLim], kHelpIntLim},
               {controls_[field::kEvaluationMode], kHelpEvaluationMode},
               {controls_[field::kCalculationMode], kHelpCalculationMode},
               {controls_[field::kDigitalOutmode], kHelpDigitalOutmode},
               {controls_[field::kMaxVecNo], kHelpMaxVecNo},
               {controls_[field::kTrigger], kHelpTrigger},
               {controls_[field::kExternTeach], kHelpExternTeach},
               {controls_[field::kAnalogOutmode], kHelpAnalogOutmode},
               {controls_[field::kAnalogOut], kHelpAnalogOut},
               {controls_[field::kAnalogZoom], kHelpAnalogZoom}},
              dialogs);

  // Defaults of the record until the first read from the sensor or a file.
  const SensorParameters defaults;
  for (std::size_t i = 0; i < kParameterCount; ++i)
    if (showsField(i)) setFieldValue(i, defaults.*kParameterFields[i].member);
}

ParameterPage::~ParameterPage() {
  // A spin box being edited commits when it goes away; the rules must not run then.
  for (QWidget *control : controls_)
    if (control) control->disconnect(this);
}

QComboBox *ParameterPage::addRing(std::size_t index, std::initializer_list<RingItem> items) {
  auto *ring = new QComboBox;
  fillRing(ring, items);
  ring->setAccessibleName(caption(index));
  captions_[index] = new QLabel(caption(index));
  captions_[index]->setBuddy(ring);
  controls_[index] = ring;
  // Only the operator's choice is a commit; the rules' own changes are not.
  connect(ring, &QComboBox::activated, this, [this, index] { onCommit(index); });
  return ring;
}

QSpinBox *ParameterPage::addSpinBox(std::size_t index, int min, int max) {
  auto *box = new QSpinBox;
  box->setRange(min, max);
  box->setKeyboardTracking(false); // one commit per typed number, not per digit
  box->setAccessibleName(caption(index));
  captions_[index] = new QLabel(caption(index));
  captions_[index]->setBuddy(box);
  controls_[index] = box;
  connect(box, &QSpinBox::valueChanged, this, [this, index] { onCommit(index); });
  return box;
}

void ParameterPage::onCommit(std::size_t index) {
  if (settingValue_) return;
  Q_EMIT fieldChanged(index);
  switch (index) {
  case field::kCalculationMode:
    Q_EMIT calculationModeCommitted();
    break;
  case field::kPowerMode:
  case field::kLedMode:
  case field::kAnalogOutmode:
  case field::kAnalogOut:
  case field::kDigitalOutmode:
  case field::kMaxVecNo:
  case field::kEvaluationMode:
  case field::kExternTeach:
  case field::kTrigger:
    Q_EMIT modeCommitted();
    break;
  default:
    break; // the other fields are read at the next transfer
  }
}

QComboBox *ParameterPage::ring(std::size_t index) const {
  return qobject_cast<QComboBox *>(controls_.at(index));
}

QSpinBox *ParameterPage::spinBox(std::size_t index) const {
  return qobject_cast<QSpinBox *>(controls_.at(index));
}

std::uint16_t ParameterPage::fieldValue(std::size_t index) const {
  if (index == field::kPower) return static_cast<std::uint16_t>(powerSlider_->value());
  if (const QComboBox *r = ring(index)) return ringValue(r);
  if (const QSpinBox *s = spinBox(index)) return static_cast<std::uint16_t>(s->value());
  return 0;
}

void ParameterPage::setFieldValue(std::size_t index, std::uint16_t value) {
  settingValue_ = true;
  if (index == field::kPower) {
    powerSlider_->setValue(value); // the number follows
  } else if (QComboBox *r = ring(index)) {
    setRingValue(r, value);
  } else if (QSpinBox *s = spinBox(index)) {
    s->setValue(value); // clamped to the control's range
  }
  settingValue_ = false;
  if (showsField(index) && fieldValue(index) != value) Q_EMIT fieldChanged(index);
}

void ParameterPage::setFieldDimmed(std::size_t index, bool dimmed) {
  if (!controls_.at(index)) return;
  controls_[index]->setEnabled(!dimmed);
  captions_[index]->setEnabled(!dimmed);
  if (index == field::kPower) powerNumber_->setEnabled(!dimmed);
}

void ParameterPage::setFieldVisible(std::size_t index, bool visible) {
  if (!controls_.at(index)) return;
  controls_[index]->setVisible(visible);
  captions_[index]->setVisible(visible);
  if (index == field::kPower) powerNumber_->setVisible(visible);
}

void ParameterPage::trimTriggerRing() {
  QComboBox *trigger = ring(field::kTrigger);
  const QSignalBlocker block(trigger);
  while (trigger->count() > 2)
    trigger->removeItem(trigger->count() - 1);
}

std::vector<std::uint16_t> ParameterPage::triggerItems() const {
  const QComboBox *trigger = ring(field::kTrigger);
  std::vector<std::uint16_t> values;
  for (int i = 0; i < trigger->count(); ++i)
    if (!isForeignItem(trigger, i))
      values.push_back(static_cast<std::uint16_t>(trigger->itemData(i).toInt()));
  return values;
}

void ParameterPage::setTriggerItems(const std::vector<std::uint16_t> &values) {
  if (values == triggerItems()) return;
  QComboBox *trigger = ring(field::kTrigger);
  const std::uint16_t selected = ringValue(trigger);
  const QSignalBlocker block(trigger);
  trigger->clear();
  for (std::uint16_t v : values) {
    const auto known = std::find_if(kTriggerItems.begin(), kTriggerItems.end(),
                                    [v](const RingItem &item) { return item.value == v; });
    trigger->addItem(known != kTriggerItems.end() ? known->label : QString::number(v), int{v});
  }
  setRingValue(trigger, selected);
}

void ParameterPage::restoreTriggerRing() {
  QComboBox *trigger = ring(field::kTrigger);
  if (trigger->count() > 2) return;
  const QSignalBlocker block(trigger);
  for (std::size_t i = 2; i < kTriggerItems.size(); ++i)
    trigger->insertItem(static_cast<int>(i), kTriggerItems[i].label, kTriggerItems[i].value);
}

} // namespace quorvane
