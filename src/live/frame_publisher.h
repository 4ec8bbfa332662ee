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
  void publish(const MeasuredValues &values) { Q_EMIT frame(values); }

Q_SIGNALS:
  void frame(const quorvane::MeasuredValues &values);
};

} // namespace quorvane
