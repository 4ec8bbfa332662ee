#include "link/transport.h"

namespace quorvane {

Transport::Transport(QObject *parent) : QObject(parent) {
  writeTimer_.setSingleShot(true);
  connect(&writeTimer_, &QTimer::timeout, this, &Transport::writeTimedOut);
}

void Transport::watchWrite(qint64 queued) {
  if (queued <= 0)
    writeTimer_.stop();
  else if (!writeTimer_.isActive())
    writeTimer_.start(writeTimeoutMs_);
}

} // namespace quorvane
