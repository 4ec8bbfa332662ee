#pragma once
// A transport that plays a fixed byte stream as a sensor would send it: from the first
// event-loop turn on, one chunk per event-loop turn, then the line goes away (as if unplugged).
#include "link/transport.h"

#include <cstdint>
#include <vector>

namespace quorvane::fuzzing {

class ByteStreamTransport : public Transport {
  Q_OBJECT
public:
  ByteStreamTransport(std::vector<std::uint8_t> stream, std::vector<std::size_t> chunks);

  bool isOpen() const override { return open_; }
  void close() override { open_ = false; }
  qint64 write(const std::uint8_t *data, std::size_t size) override;
  qint64 bytesAvailable() const override;
  qint64 read(std::uint8_t *into, qint64 maxSize) override;
  int portStatus() const override { return 0; }

protected:
  void writeTimedOut() override {}

private:
  void deliverNext();

  std::vector<std::uint8_t> stream_;
  std::vector<std::size_t> chunks_; // sizes, used in turn
  std::size_t nextChunk_ = 0;
  std::size_t delivered_ = 0; // stream bytes made readable so far
  std::size_t readTo_ = 0;    // stream bytes read so far
  bool open_ = true;
};

} // namespace quorvane::fuzzing
