#include "service/calibration_page.h"

#include "live/core/live_display.h"
#include "service/page_controls.h"
#include "service/service_help.h"
#include "ui/display_widgets.h"
#include "ui/help.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quorvane {
namespace {

const std::array<QString, 3> kChannelNames = {QStringLiteral("RED"), QStringLiteral("GREEN"),
                                              QStringLiteral("BLUE")};
const std::array<QColor, 3> kBarColours = {QColor(0xE0, 0x30, 0x30), QColor(0x30, 0xB0, 0x30),
                                           QColor(0x30, 0x50, 0xE0)};

constexpr int kDefaultSetValue = 2000;
constexpr int kDefaultMaxDelta = 400;

QProgressBar *rawBar(const QString &name, const QColor &colour) {
  auto *bar = new QProgressBar;
  bar->setAccessibleName(name);
  bar->setRange(static_cast<int>(kChannelRange.lower), static_cast<int>(kChannelRange.upper));
  bar->setValue(0);
  bar->setTextVisible(false);
  bar->setMinimumWidth(160);
  bar->setStyleSheet(QStringLiteral("QProgressBar { border: 1px solid #808080; background: white; }"
                                    "QProgressBar::chunk { background: %1; }")
                         .arg(colour.name()));
  return bar;
}

} // namespace

PageDecoration::PageDecoration(const QString &title, QWidget *parent) : QFrame(parent) {
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Raised);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(0x00, 0x80, 0xFF));
  p.setColor(QPalette::WindowText, Qt::white);
  setPalette(p);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 4, 8, 4);
  auto *label = new QLabel(title, this);
  QFont f = label->font();
  f.setBold(true);
  f.setPointSize(f.pointSize() + 2);
  label->setFont(f);
  layout->addWidget(label);
  // The way to the service password is not announced.
  setAccessibleName(title);
}

void PageDecoration::mouseDoubleClickEvent(QMouseEvent *event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    Q_EMIT rightDoubleClicked();
    return;
  }
  QFrame::mouseDoubleClickEvent(event);
}

CalibrationPage::CalibrationPage(Dialogs &dialogs, QWidget *parent) : QWidget(parent) {
  setAccessibleName(QStringLiteral("CALIBRATION"));
  auto *column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  decoration_ = new PageDecoration(QStringLiteral("WHITE CALIBRATION"), this);
  column->addWidget(decoration_);
  column->addWidget(buildRawBox());
  column->addWidget(buildCalibrationBox());

  auto *buttons = new QGridLayout;
  calculateFactors_ = servicePageButton(QStringLiteral("CALCULATE CALIBRATION FACTORS"), this);
  getFactors_ = servicePageButton(QStringLiteral("GET CF"), this);
  sendFactors_ = servicePageButton(QStringLiteral("SEND CF"), this);
  selfCalibration_ = servicePageButton(QStringLiteral("SELF CALIBRATION"), this);
  buttons->addWidget(calculateFactors_, 0, 0, 1, 3);
  buttons->addWidget(getFactors_, 1, 0);
  buttons->addWidget(sendFactors_, 1, 1);
  buttons->addWidget(selfCalibration_, 1, 2);
  column->addLayout(buttons);
  column->addStretch(1);
  installPageHelp(dialogs);
}

QWidget *CalibrationPage::buildRawBox() {
  auto *box = new QGroupBox(QStringLiteral("RAW DATAS"));
  box->setAccessibleName(box->title());
  auto *grid = new QGridLayout(box);
  for (std::size_t i = 0; i < 3; ++i) {
    const int row = static_cast<int>(i);
    const QString name = QStringLiteral("RAW ") + kChannelNames[i];
    grid->addWidget(new QLabel(name), row, 0);
    rawNumbers_[i] = new NumberDisplay(name, box);
    grid->addWidget(rawNumbers_[i], row, 1);
    rawBars_[i] = rawBar(name + QStringLiteral(" BAR"), kBarColours[i]);
    grid->addWidget(rawBars_[i], row, 2);
  }
  grid->addWidget(new QLabel(QStringLiteral("RAW DELTA")), 3, 0);
  rawDelta_ = new NumberDisplay(QStringLiteral("RAW DELTA"), box);
  grid->addWidget(rawDelta_, 3, 1);
  grid->setColumnStretch(2, 1);
  return box;
}

QWidget *CalibrationPage::buildCalibrationBox() {
  auto *box = new QGroupBox(QStringLiteral("CALIBRATION FACTORS"));
  box->setAccessibleName(box->title());
  auto *grid = new QGridLayout(box);
  setValue_ = serviceWordField(QStringLiteral("SET VALUE"), kDefaultSetValue);
  maxDelta_ = serviceWordField(QStringLiteral("MAXIMUM DELTA OF RAW DATAS"), kDefaultMaxDelta);
  grid->addWidget(new QLabel(setValue_->accessibleName()), 0, 0);
  grid->addWidget(setValue_, 0, 1);
  grid->addWidget(new QLabel(maxDelta_->accessibleName()), 1, 0);
  grid->addWidget(maxDelta_, 1, 1);
  for (std::size_t i = 0; i < 3; ++i) {
    // The sensor refuses larger factors; the field never offers one to SEND CF.
    factors_[i] = serviceWordField(QStringLiteral("CF ") + kChannelNames[i], kUnityFactor,
                                   kMaxCalibrationFactor);
    grid->addWidget(new QLabel(factors_[i]->accessibleName()), static_cast<int>(i), 2);
    grid->addWidget(factors_[i], static_cast<int>(i), 3);
  }
  progress_ = new ColourBox(QStringLiteral("PROGRESS"), box);
  progress_->setColour(QColor::fromRgb(kProgressGrey));
  progress_->setFixedSize(24, 24);
  grid->addWidget(new QLabel(QStringLiteral("PROGRESS")), 2, 0);
  grid->addWidget(progress_, 2, 1, Qt::AlignLeft);
  grid->setColumnStretch(4, 1);
  return box;
}

void CalibrationPage::installPageHelp(Dialogs &dialogs) {
  using namespace service_help;
  installHelp({{rawNumbers_[0], kRawRed},
               {rawNumbers_[1], kRawGreen},
               {rawNumbers_[2], kRawBlue},
               {rawBars_[0], kRawBars},
               {rawBars_[1], kRawBars},
               {rawBars_[2], kRawBars},
               {rawDelta_, kRawDelta},
               {setValue_, kSetValue},
               {maxDelta_, kMaxDelta},
               {factors_[0], kFactorRed},
               {factors_[1], kFactorGreen},
               {factors_[2], kFactorBlue},
               {progress_, kProgress},
               {calculateFactors_, kCalcCF},
               {getFactors_, kGetCF},
               {sendFactors_, kSendCF},
               {selfCalibration_, kSelfCalibration}},
              dialogs);
}

void CalibrationPage::showRaw(const RawCalibData &raw) {
  raw_ = raw;
  const std::array<int, 3> values{raw.red, raw.green, raw.blue};
  for (std::size_t i = 0; i < 3; ++i) {
    rawNumbers_[i]->showText(QString::number(values[i]));
    // A value outside the bar's range would leave the bar where it was.
    rawBars_[i]->setValue(std::clamp(values[i], rawBars_[i]->minimum(), rawBars_[i]->maximum()));
  }
  rawDelta_->showText(QString::number(raw.delta));
}

ChannelWords CalibrationPage::factors() const {
  return serviceWords(factors_);
}

void CalibrationPage::setFactors(const ChannelWords &factors) {
  setServiceWords(factors_, factors);
}

std::uint16_t CalibrationPage::setValue() const {
  return static_cast<std::uint16_t>(setValue_->value());
}

void CalibrationPage::setSetValue(std::uint16_t value) {
  setValue_->setValue(value);
}

std::uint16_t CalibrationPage::maxDelta() const {
  return static_cast<std::uint16_t>(maxDelta_->value());
}

void CalibrationPage::setMaxDelta(std::uint16_t value) {
  maxDelta_->setValue(value);
}

void CalibrationPage::setProgressColour(std::uint32_t rgb) {
  progress_->setColour(QColor::fromRgb(rgb));
}

std::uint32_t CalibrationPage::progressColour() const {
  return progress_->colour().rgb() & 0xFFFFFF;
}

} // namespace quorvane
