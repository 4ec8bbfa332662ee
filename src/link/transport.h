#pragma once
// A byte pipe to the sensor: serial port or TCP client.
#include <QObject>

#include <cstddef>
#include <cstdint>

namespace quorvane {

class Transport : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;
  ~Transport() override = default;

  virtual bool isOpen() const = 0;
  virtual void close() = 0;
  // Result ignored by the protocol: a failed write shows up as a reply time-out.
  virtual qint64 write(const std::uint8_t *data, std::size_t size) = 0;
  virtual qint64 bytesAvailable() const = 0;
  virtual qint64 read(std::uint8_t *into, qint64 maxSize) = 0;
  // Discards whatever is queued in both directions (serial); no-op for TCP.
  virtual void flushQueues() {}
  // Last port error status (serial); 0 for TCP.
  virtual int portStatus() const { return 0; }

Q_SIGNALS:
  void readyRead();
  void disconnected();
  // The port status word became non-zero (serial line fault): a wait ends at once.
  void portError();
};

} // namespace quorvane
