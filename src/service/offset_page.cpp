#include "service/offset_page.h"

#include "service/page_controls.h"
#include "service/service_help.h"
#include "ui/help.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quorvane {

OffsetPage::OffsetPage(Dialogs &dialogs, QWidget *parent) : QWidget(parent) {
  setAccessibleName(QStringLiteral("OFFSET"));
  auto *column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);

  auto *box = new QGroupBox(QStringLiteral("OFFSET COMPENSATION"), this);
  box->setAccessibleName(box->title());
  auto *grid = new QGridLayout(box);
  const std::array<QString, 3> names = {
      QStringLiteral("OFFSET RED"), QStringLiteral("OFFSET GREEN"), QStringLiteral("OFFSET BLUE")};
  for (std::size_t i = 0; i < 3; ++i) {
    offsets_[i] = serviceWordField(names[i], 0);
    grid->addWidget(new QLabel(names[i]), static_cast<int>(i), 0);
    grid->addWidget(offsets_[i], static_cast<int>(i), 1);
  }
  grid->setColumnStretch(2, 1);
  column->addWidget(box);

  auto *buttons = new QHBoxLayout;
  getOffset_ = servicePageButton(QStringLiteral("GET OFFSET"), this);
  calculateOffset_ = servicePageButton(QStringLiteral("CALCULATE OFFSET"), this);
  sendOffset_ = servicePageButton(QStringLiteral("SEND OFFSET"), this);
  buttons->addWidget(getOffset_);
  buttons->addWidget(calculateOffset_);
  buttons->addWidget(sendOffset_);
  column->addLayout(buttons);
  column->addStretch(1);

  using namespace service_help;
  installHelp({{offsets_[0], kOffsetRed},
               {offsets_[1], kOffsetGreen},
               {offsets_[2], kOffsetBlue},
               {getOffset_, kGetOffset},
               {calculateOffset_, kCalcOffset},
               {sendOffset_, kSendOffset}},
              dialogs);
}

ChannelWords OffsetPage::offsets() const {
  return serviceWords(offsets_);
}

void OffsetPage::setOffsets(const ChannelWords &offsets) {
  setServiceWords(offsets_, offsets);
}

} // namespace quorvane
