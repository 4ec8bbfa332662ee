#pragma once
// A push button whose accessible name is its caption and whose object name is its
// callback's, so screen readers and tests find it.
#include <QPushButton>
#include <QString>

namespace quorvane {

inline QPushButton *namedButton(const QString &caption, const char *callback, QWidget *parent) {
  auto *b = new QPushButton(caption, parent);
  b->setAccessibleName(caption);
  b->setObjectName(QString::fromLatin1(callback));
  return b;
}

} // namespace quorvane
