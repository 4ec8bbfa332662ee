#include "service/page_controls.h"

#include <QPushButton>
#include <QSpinBox>

namespace quorvane {

QPushButton *servicePageButton(const QString &label, QWidget *parent) {
  auto *button = new QPushButton(label, parent);
  button->setAccessibleName(label);
  button->setMinimumHeight(30);
  return button;
}

QSpinBox *serviceWordField(const QString &name, int initial, int maximum) {
  auto *field = new QSpinBox;
  field->setAccessibleName(name);
  field->setRange(0, maximum);
  field->setValue(initial);
  field->setAlignment(Qt::AlignRight);
  field->setMinimumWidth(80);
  return field;
}

ChannelWords serviceWords(const std::array<QSpinBox *, 3> &fields) {
  ChannelWords words{};
  for (std::size_t i = 0; i < fields.size(); ++i)
    words[i] = static_cast<std::uint16_t>(fields[i]->value());
  return words;
}

void setServiceWords(const std::array<QSpinBox *, 3> &fields, const ChannelWords &values) {
  for (std::size_t i = 0; i < fields.size(); ++i)
    fields[i]->setValue(values[i]);
}

} // namespace quorvane
