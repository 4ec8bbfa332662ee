#pragma once
// Controls shared by the calibration and offset compensation pages.
#include "service/core/calibration.h"

#include <QString>

#include <array>

class QPushButton;
class QSpinBox;
class QWidget;

namespace quorvane {

[[nodiscard]] QPushButton *servicePageButton(const QString &label, QWidget *parent);
// A field for an unsigned 16-bit value up to `maximum`, named for the accessibility tree.
[[nodiscard]] QSpinBox *serviceWordField(const QString &name, int initial, int maximum = 65535);
// Red, green, blue from three fields and back.
[[nodiscard]] ChannelWords serviceWords(const std::array<QSpinBox *, 3> &fields);
void setServiceWords(const std::array<QSpinBox *, 3> &fields, const ChannelWords &values);

} // namespace quorvane
