#pragma once
// The TCP client to a sensor acting as server.
#include "link/transport.h"

#include <QCoroTask>

#include <QString>
#include <QTcpSocket>

namespace quorvane {

class TcpTransport : public Transport {
  Q_OBJECT
public:
  explicit TcpTransport(QObject *parent = nullptr);
  ~TcpTransport() override;

  // Connects, asleep in the event loop for at most `timeoutMs`. Returns 0, or a negative
  // code of the TCP connect table (see link_messages.h).
  // Resumes with 0 once connected, else with the negative code of the failure.
  QCoro::Task<int> connectTo(QString host, quint16 port, int timeoutMs);

  bool isOpen() const override { return socket_.state() == QAbstractSocket::ConnectedState; }
  // Closes without signalling disconnected: that signal means the server went away.
  void close() override;
  qint64 write(const std::uint8_t *data, std::size_t size) override;
  qint64 bytesAvailable() const override { return socket_.bytesAvailable(); }
  qint64 read(std::uint8_t *into, qint64 maxSize) override;
  void flushQueues() override { status_ = 0; }
  int portStatus() const override { return status_; }

  QTcpSocket &socket() { return socket_; }

private:
  void writeTimedOut() override;

  QTcpSocket socket_;
  int status_ = 0;
  bool closing_ = false;
};

} // namespace quorvane
