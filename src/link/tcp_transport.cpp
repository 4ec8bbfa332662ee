#include "link/tcp_transport.h"

#include "link/core/link_messages.h"
#include <QCoroAbstractSocket>
#include <QCoroSignal>
#include <QDeadlineTimer>

#include <array>
#include <chrono>

namespace quorvane {

namespace {

// How Qt's socket errors read in the operator's terms.
struct ConnectErrorCode {
  QAbstractSocket::SocketError error;
  int code;
};
constexpr std::array kConnectErrors = {
    // Nobody listens on that port.
    ConnectErrorCode{QAbstractSocket::ConnectionRefusedError,
                     linktext::tcp::kUnableToEstablishConnection},
    // The name does not resolve: the address typed is wrong (or no name service).
    ConnectErrorCode{QAbstractSocket::HostNotFoundError, linktext::tcp::kFailedToConnect},
    ConnectErrorCode{QAbstractSocket::SocketTimeoutError, linktext::tcp::kTimeOutError},
    ConnectErrorCode{QAbstractSocket::RemoteHostClosedError, linktext::tcp::kConnectionClosed},
    ConnectErrorCode{QAbstractSocket::NetworkError, linktext::tcp::kNetworkSubsystemNotReady},
    ConnectErrorCode{QAbstractSocket::SocketAccessError, linktext::tcp::kUnableToRegisterService},
    ConnectErrorCode{QAbstractSocket::SocketResourceError, linktext::tcp::kOutOfMemory},
    ConnectErrorCode{QAbstractSocket::UnsupportedSocketOperationError,
                     linktext::tcp::kInvalidParameter},
    ConnectErrorCode{QAbstractSocket::SocketAddressNotAvailableError,
                     linktext::tcp::kInvalidParameter},
    ConnectErrorCode{QAbstractSocket::UnknownSocketError, linktext::tcp::kGeneralIoErr},
};

int connectErrorCode(QAbstractSocket::SocketError error) {
  for (const ConnectErrorCode &entry : kConnectErrors)
    if (entry.error == error) return entry.code;
  return linktext::tcp::kOther;
}

} // namespace

TcpTransport::TcpTransport(QObject *parent) : Transport(parent) {
  connect(&socket_, &QTcpSocket::readyRead, this, &Transport::readyRead);
  connect(&socket_, &QTcpSocket::disconnected, this, [this] {
    if (!closing_) Q_EMIT disconnected();
  });
  connect(&socket_, &QTcpSocket::bytesWritten, this,
          [this] { watchWrite(socket_.bytesToWrite()); });
}

TcpTransport::~TcpTransport() {
  close();
}

QCoro::Task<int> TcpTransport::connectTo(QString host, quint16 port, int timeoutMs) {
  close();
  status_ = 0;
  bool failed = false;
  QAbstractSocket::SocketError error = QAbstractSocket::UnknownSocketError;
  const auto onError =
      connect(&socket_, &QTcpSocket::errorOccurred, this, [&](QAbstractSocket::SocketError e) {
        failed = true;
        error = e;
      });
  socket_.connectToHost(host, port);
  // A refused connection or an unknown host ends the wait at once; only silence waits for
  // the time limit.
  const QDeadlineTimer deadline(timeoutMs, Qt::PreciseTimer);
  while (socket_.state() != QAbstractSocket::ConnectedState && !failed &&
         !deadline.hasExpired()) {
    (void)co_await qCoro(&socket_, &QAbstractSocket::stateChanged,
                         std::chrono::milliseconds(deadline.remainingTime()));
  }
  const bool connected = socket_.state() == QAbstractSocket::ConnectedState && !failed;
  disconnect(onError);
  if (connected) {
    // Frames are small and each waits for its reply: send them at once.
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    co_return 0;
  }
  close();
  co_return failed ? connectErrorCode(error) : linktext::tcp::kTimeOutError;
}

void TcpTransport::close() {
  closing_ = true;
  stopWriteWatch();
  socket_.abort();
  closing_ = false;
}

qint64 TcpTransport::write(const std::uint8_t *data, std::size_t size) {
  if (!isOpen()) return -1;
  const qint64 n = socket_.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
  watchWrite(socket_.bytesToWrite());
  return n;
}

void TcpTransport::writeTimedOut() {
  if (!isOpen() || socket_.bytesToWrite() == 0) return;
  // The server takes nothing: the exchange fails now instead of waiting for a reply to a
  // request that never left.
  status_ |= kWriteTimeout;
  Q_EMIT portError();
}

qint64 TcpTransport::read(std::uint8_t *into, qint64 maxSize) {
  return socket_.read(reinterpret_cast<char *>(into), maxSize);
}

} // namespace quorvane
