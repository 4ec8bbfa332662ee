#pragma once
// A byte pipe to the sensor: serial port or TCP client.
#include <QObject>
#include <QTimer>

#include <cstddef>
#include <cstdint>

namespace quorvane {

class Transport : public QObject {
  Q_OBJECT
public:
  explicit Transport(QObject *parent = nullptr);
  ~Transport() override = default;

  // A frame that has not left within this time is a line fault: the port status gets
  // kWriteTimeout and portError() ends the wait for its reply.
  static constexpr int kWriteTimeoutMs = 2000;
  static constexpr int kWriteTimeout = 16;
  void setWriteTimeoutMs(int ms) { writeTimeoutMs_ = ms; }

  virtual bool isOpen() const = 0;
  virtual void close() = 0;
  // Result ignored by the protocol: a failed write shows up as a reply time-out.
  virtual qint64 write(const std::uint8_t *data, std::size_t size) = 0;
  virtual qint64 bytesAvailable() const = 0;
  virtual qint64 read(std::uint8_t *into, qint64 maxSize) = 0;
  // Discards whatever is queued in both directions (serial); no-op for TCP.
  virtual void flushQueues() {}
  // Port error status word; 0 while the line is healthy.
  virtual int portStatus() const = 0;

Q_SIGNALS:
  void readyRead();
  void disconnected();
  // The port status word became non-zero (serial line fault): a wait ends at once.
  void portError();

protected:
  // After a write and whenever bytes left: the limit runs while `queued` bytes wait.
  void watchWrite(qint64 queued);
  void stopWriteWatch() { writeTimer_.stop(); }
  // The limit passed with bytes still queued.
  virtual void writeTimedOut() = 0;

private:
  QTimer writeTimer_;
  int writeTimeoutMs_ = kWriteTimeoutMs;
};

} // namespace quorvane
