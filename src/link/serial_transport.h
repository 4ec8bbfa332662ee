#pragma once
// The RS-232 line: QSerialPort at 8N1 with no flow control.
#include "link/transport.h"

#include <QSerialPort>
#include <QString>

namespace quorvane {

class SerialTransport : public Transport {
  Q_OBJECT
public:
  explicit SerialTransport(QObject *parent = nullptr);
  ~SerialTransport() override;

  // Opens `device` at `baudRate` and empties both queues. Returns 0, or a negative code
  // of the serial open table (see link_messages.h).
  [[nodiscard]] int open(const QString &device, qint32 baudRate);
  QString device() const { return port_.portName(); }
  qint32 baudRate() const { return port_.baudRate(); }

  bool isOpen() const override { return port_.isOpen(); }
  void close() override;
  qint64 write(const std::uint8_t *data, std::size_t size) override;
  qint64 bytesAvailable() const override { return port_.bytesAvailable(); }
  qint64 read(std::uint8_t *into, qint64 maxSize) override;
  void flushQueues() override;
  int portStatus() const override { return status_; }

  // Bits of the port status word: errors seen since the queues were last flushed.
  static constexpr int kReadFault = 1;
  static constexpr int kWriteFault = 2;
  static constexpr int kDeviceLost = 4;
  static constexpr int kOtherFault = 8;

private:
  void onError(QSerialPort::SerialPortError error);
  void writeTimedOut() override;

  QSerialPort port_;
  int status_ = 0;
};

} // namespace quorvane
