#pragma once
// The OFFSET page (hidden until the service password is given): the three offsets and the
// buttons that read, compute and send them.
#include "service/core/calibration.h"

#include <QWidget>

#include <array>

class QPushButton;
class QSpinBox;

namespace quorvane {

class Dialogs;

class OffsetPage : public QWidget {
  Q_OBJECT
public:
  explicit OffsetPage(Dialogs &dialogs, QWidget *parent = nullptr);

  [[nodiscard]] ChannelWords offsets() const;
  void setOffsets(const ChannelWords &offsets);

  QPushButton *getOffsetButton() const { return getOffset_; }
  QPushButton *calculateOffsetButton() const { return calculateOffset_; }
  QPushButton *sendOffsetButton() const { return sendOffset_; }
  QSpinBox *offsetField(int channel) const {
    return offsets_.at(static_cast<std::size_t>(channel));
  }

private:
  std::array<QSpinBox *, 3> offsets_{};
  QPushButton *getOffset_ = nullptr;
  QPushButton *calculateOffset_ = nullptr;
  QPushButton *sendOffset_ = nullptr;
};

} // namespace quorvane
