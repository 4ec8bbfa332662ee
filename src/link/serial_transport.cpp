#include "link/serial_transport.h"

#include "link/core/link_messages.h"

#include <array>

namespace quorvane {

namespace {

// How Qt's open errors read in the operator's terms.
struct OpenErrorCode {
  QSerialPort::SerialPortError error;
  int code;
};
constexpr std::array kOpenErrors = {
    OpenErrorCode{QSerialPort::DeviceNotFoundError, linktext::rs232::kNoSerialPort},
    OpenErrorCode{QSerialPort::PermissionError, linktext::rs232::kCannotOpenPort},
    OpenErrorCode{QSerialPort::OpenError, linktext::rs232::kCannotOpenPort},
    OpenErrorCode{QSerialPort::NotOpenError, linktext::rs232::kPortNotOpen},
    OpenErrorCode{QSerialPort::TimeoutError, linktext::rs232::kTimeout},
    OpenErrorCode{QSerialPort::ReadError, linktext::rs232::kUnknownIoError},
    OpenErrorCode{QSerialPort::WriteError, linktext::rs232::kUnknownIoError},
    OpenErrorCode{QSerialPort::ResourceError, linktext::rs232::kUnknownIoError},
    OpenErrorCode{QSerialPort::UnsupportedOperationError, linktext::rs232::kUnknownIoError},
    OpenErrorCode{QSerialPort::UnknownError, linktext::rs232::kUnknownSystemError},
};

int openErrorCode(QSerialPort::SerialPortError error) {
  for (const OpenErrorCode &entry : kOpenErrors)
    if (entry.error == error) return entry.code;
  return linktext::rs232::kUnknownSystemError;
}

} // namespace

SerialTransport::SerialTransport(QObject *parent) : Transport(parent) {
  connect(&port_, &QSerialPort::readyRead, this, &Transport::readyRead);
  connect(&port_, &QSerialPort::errorOccurred, this, &SerialTransport::onError);
  connect(&port_, &QSerialPort::bytesWritten, this, [this] { watchWrite(port_.bytesToWrite()); });
}

SerialTransport::~SerialTransport() {
  close();
}

int SerialTransport::open(const QString &device, qint32 baudRate) {
  close();
  status_ = 0;
  port_.setPortName(device);
  if (!port_.open(QIODevice::ReadWrite)) {
    const int code = openErrorCode(port_.error());
    port_.clearError();
    return code;
  }
  if (!port_.setBaudRate(baudRate)) {
    close();
    return linktext::rs232::kInvalidBaudrate;
  }
  if (!port_.setDataBits(QSerialPort::Data8) || !port_.setParity(QSerialPort::NoParity) ||
      !port_.setStopBits(QSerialPort::OneStop) ||
      !port_.setFlowControl(QSerialPort::NoFlowControl)) {
    close();
    return linktext::rs232::kUnknownIoError;
  }
  flushQueues();
  return 0;
}

void SerialTransport::close() {
  stopWriteWatch();
  if (port_.isOpen()) port_.close();
}

qint64 SerialTransport::write(const std::uint8_t *data, std::size_t size) {
  if (!port_.isOpen()) return -1;
  const qint64 n = port_.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
  watchWrite(port_.bytesToWrite());
  return n;
}

qint64 SerialTransport::read(std::uint8_t *into, qint64 maxSize) {
  return port_.read(reinterpret_cast<char *>(into), maxSize);
}

void SerialTransport::flushQueues() {
  stopWriteWatch();
  status_ = 0;
  if (port_.isOpen()) port_.clear(QSerialPort::AllDirections);
  port_.clearError();
}

void SerialTransport::onError(QSerialPort::SerialPortError error) {
  // Open failures are answered by open(); only faults on an open line count here.
  if (!port_.isOpen()) return;
  switch (error) {
  case QSerialPort::NoError:
  case QSerialPort::TimeoutError:
    return;
  case QSerialPort::ReadError:
  case QSerialPort::ResourceError:
    // The device went away (adapter unplugged, terminal hung up). Reads would fail again at
    // every turn of the event loop, so the port is closed and the line counts as lost.
    status_ |= error == QSerialPort::ReadError ? kReadFault : kDeviceLost;
    close();
    break;
  case QSerialPort::WriteError:
    status_ |= kWriteFault;
    break;
  default:
    status_ |= kOtherFault;
    break;
  }
  Q_EMIT portError();
}

void SerialTransport::writeTimedOut() {
  if (!port_.isOpen() || port_.bytesToWrite() == 0) return;
  // The line is stuck: drop the frame rather than send it late into a later exchange.
  port_.clear(QSerialPort::Output);
  status_ |= kWriteTimeout;
  Q_EMIT portError();
}

} // namespace quorvane
