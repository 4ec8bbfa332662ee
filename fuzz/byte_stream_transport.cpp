#include "byte_stream_transport.h"

#include <QTimer>

#include <algorithm>
#include <cstring>

namespace quorvane::fuzzing {

ByteStreamTransport::ByteStreamTransport(std::vector<std::uint8_t> stream,
                                         std::vector<std::size_t> chunks)
    : stream_(std::move(stream)), chunks_(std::move(chunks)) {
  if (chunks_.empty()) chunks_.push_back(stream_.size() + 1);
  QTimer::singleShot(0, this, &ByteStreamTransport::deliverNext);
}

qint64 ByteStreamTransport::write(const std::uint8_t *, std::size_t size) {
  if (!open_) return -1;
  return static_cast<qint64>(size);
}

qint64 ByteStreamTransport::bytesAvailable() const {
  return open_ ? static_cast<qint64>(delivered_ - readTo_) : 0;
}

qint64 ByteStreamTransport::read(std::uint8_t *into, qint64 maxSize) {
  const auto n = std::min<std::size_t>(static_cast<std::size_t>(std::max<qint64>(maxSize, 0)),
                                       static_cast<std::size_t>(bytesAvailable()));
  if (n > 0) std::memcpy(into, stream_.data() + readTo_, n);
  readTo_ += n;
  return static_cast<qint64>(n);
}

void ByteStreamTransport::deliverNext() {
  if (!open_) return;
  if (delivered_ == stream_.size()) {
    open_ = false;
    Q_EMIT disconnected();
    return;
  }
  const std::size_t chunk = std::max<std::size_t>(1, chunks_[nextChunk_++ % chunks_.size()]);
  delivered_ = std::min(stream_.size(), delivered_ + chunk);
  QTimer::singleShot(0, this, &ByteStreamTransport::deliverNext);
  Q_EMIT readyRead();
}

} // namespace quorvane::fuzzing
