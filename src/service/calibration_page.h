#pragma once
// The CALIBRATION page: the raw values of every frame as numbers and bars with their
// spread, the calibration inputs (set value, maximum delta), the three factors, the
// progress indicator of the calibration run and the four action buttons. A right double
// click on the page's decoration asks for the service password.
#include "service/core/calibration.h"

#include <QFrame>
#include <QWidget>

#include <array>
#include <cstdint>

class QProgressBar;
class QPushButton;
class QSpinBox;

namespace quorvane {

class ColourBox;
class Dialogs;
class NumberDisplay;

// The framed title band of the page; a right double click on it is the way to the service
// password.
class PageDecoration : public QFrame {
  Q_OBJECT
public:
  explicit PageDecoration(const QString &title, QWidget *parent = nullptr);

Q_SIGNALS:
  void rightDoubleClicked();

protected:
  void mouseDoubleClickEvent(QMouseEvent *event) override;
};

class CalibrationPage : public QWidget {
  Q_OBJECT
public:
  explicit CalibrationPage(Dialogs &dialogs, QWidget *parent = nullptr);

  // One frame's raw values and their spread (`showRawValues`).
  void showRaw(const RawCalibData &raw);
  RawCalibData shownRaw() const { return raw_; }

  [[nodiscard]] ChannelWords factors() const;
  // The fields hold at most 4096; callers pass valid factors only.
  void setFactors(const ChannelWords &factors);
  [[nodiscard]] std::uint16_t setValue() const;
  void setSetValue(std::uint16_t value);
  [[nodiscard]] std::uint16_t maxDelta() const;
  void setMaxDelta(std::uint16_t value);
  void setProgressColour(std::uint32_t rgb);
  [[nodiscard]] std::uint32_t progressColour() const;

  QPushButton *calculateFactorsButton() const { return calculateFactors_; }
  QPushButton *getFactorsButton() const { return getFactors_; }
  QPushButton *sendFactorsButton() const { return sendFactors_; }
  QPushButton *selfCalibrationButton() const { return selfCalibration_; }
  PageDecoration *decoration() const { return decoration_; }
  QSpinBox *factorField(int channel) const {
    return factors_.at(static_cast<std::size_t>(channel));
  }
  QSpinBox *setValueField() const { return setValue_; }
  QSpinBox *maxDeltaField() const { return maxDelta_; }

private:
  QWidget *buildRawBox();
  QWidget *buildCalibrationBox();
  void installPageHelp(Dialogs &dialogs);

  PageDecoration *decoration_ = nullptr;
  std::array<NumberDisplay *, 3> rawNumbers_{};
  std::array<QProgressBar *, 3> rawBars_{};
  NumberDisplay *rawDelta_ = nullptr;
  QSpinBox *setValue_ = nullptr;
  QSpinBox *maxDelta_ = nullptr;
  std::array<QSpinBox *, 3> factors_{};
  ColourBox *progress_ = nullptr;
  QPushButton *calculateFactors_ = nullptr;
  QPushButton *getFactors_ = nullptr;
  QPushButton *sendFactors_ = nullptr;
  QPushButton *selfCalibration_ = nullptr;
  RawCalibData raw_;
};

} // namespace quorvane
