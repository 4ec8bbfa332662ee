#pragma once
// Every decoded measurement frame, whoever took it (live loop, recorder, calibration run,
// teach assistants), goes out here; the panels that show one subscribe.
#include "live/core/measured_values.h"

#include <QObject>

namespace quorvane {

class FramePublisher : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;
  void publish(const MeasuredValues &values) {
    last_ = values;
    Q_EMIT frame(values);
  }
  // The frame published last (zeros before the first).
  [[nodiscard]] const MeasuredValues &last() const { return last_; }

Q_SIGNALS:
  void frame(const quorvane::MeasuredValues &values);

private:
  MeasuredValues last_{};
};

} // namespace quorvane
