#include "link/scripted_peer.h"

#include "link/core/frame.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace quorvane::testing {

namespace {
constexpr int kByteSpacingMs = 3;
}

Bytes replyFrame(std::uint8_t order, std::uint16_t word, const Bytes &payload) {
  return buildFrame(order, word, payload);
}

ScriptedPeer::~ScriptedPeer() = default;

void ScriptedPeer::received(const char *data, qint64 size) {
  pending_.insert(pending_.end(), data, data + size);
  while (pending_.size() >= kHeaderSize) {
    const FrameHeader h = decodeHeader(pending_.data());
    const std::size_t total = kHeaderSize + h.dataLength;
    if (pending_.size() < total) return;
    PeerRequest r;
    r.frame.assign(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(total));
    r.order = h.order;
    r.argument = h.argument;
    r.payload.assign(r.frame.begin() + kHeaderSize, r.frame.end());
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(total));
    requests.push_back(r);
    Q_EMIT requestReceived();
    if (responder) send(responder(r));
  }
}

void ScriptedPeer::send(const std::vector<PeerReply> &replies) {
  int at = 0;
  for (const PeerReply &reply : replies) {
    at += reply.delayMs;
    schedule(reply.bytes, at, reply.byteByByte, reply.closeAfter);
    if (reply.byteByByte) at += kByteSpacingMs * static_cast<int>(reply.bytes.size());
  }
}

void ScriptedPeer::schedule(Bytes bytes, int atMs, bool byteByByte, bool closeAfter) {
  QPointer<ScriptedPeer> self(this);
  if (!byteByByte) {
    QTimer::singleShot(atMs, this, [self, bytes, closeAfter] {
      if (!self) return;
      self->writeBytes(bytes.data(), bytes.size());
      if (closeAfter) self->dropClient();
    });
    return;
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const bool last = i + 1 == bytes.size();
    const std::uint8_t b = bytes[i];
    QTimer::singleShot(atMs + kByteSpacingMs * static_cast<int>(i), this,
                       [self, b, last, closeAfter] {
                         if (!self) return;
                         self->writeBytes(&b, 1);
                         if (last && closeAfter) self->dropClient();
                       });
  }
  if (bytes.empty() && closeAfter)
    QTimer::singleShot(atMs, this, [self] {
      if (self) self->dropClient();
    });
}

// --- TCP ---

TcpPeer::TcpPeer() : server_(std::make_unique<QTcpServer>()) {
  server_->listen(QHostAddress::LocalHost, 0);
  connect(server_.get(), &QTcpServer::newConnection, this, [this] {
    while (QTcpSocket *s = server_->nextPendingConnection()) {
      if (client_) client_->deleteLater();
      client_ = s;
      s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
      connect(s, &QTcpSocket::readyRead, this, [this, s] {
        const QByteArray data = s->readAll();
        received(data.constData(), data.size());
      });
      connect(s, &QTcpSocket::disconnected, this, [this, s] {
        if (client_ == s) client_ = nullptr;
        s->deleteLater();
      });
    }
  });
}

TcpPeer::~TcpPeer() {
  if (client_) client_->abort();
}

quint16 TcpPeer::port() const {
  return server_->serverPort();
}

void TcpPeer::writeBytes(const std::uint8_t *data, std::size_t size) {
  if (client_) {
    client_->write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    client_->flush();
  }
}

void TcpPeer::dropClient() {
  if (client_) client_->disconnectFromHost();
}

// --- pseudo terminal ---

PtyPeer::PtyPeer() {
  char name[256] = {};
  termios raw{};
  cfmakeraw(&raw);
  if (openpty(&master_, &slave_, name, &raw, nullptr) != 0) return;
  slavePath_ = QString::fromLocal8Bit(name);
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    char buf[4096];
    const ssize_t n = ::read(master_, buf, sizeof buf);
    if (n > 0) received(buf, n);
  });
}

PtyPeer::~PtyPeer() {
  hangUp();
}

void PtyPeer::hangUp() {
  notifier_.reset();
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
  slave_ = master_ = -1;
}

int PtyPeer::slaveBaudRate() const {
  termios t{};
  if (::tcgetattr(slave_, &t) != 0) return -1;
  switch (cfgetospeed(&t)) {
  case B9600:
    return 9600;
  case B19200:
    return 19200;
  case B38400:
    return 38400;
  case B57600:
    return 57600;
  case B115200:
    return 115200;
  case B230400:
    return 230400;
  case B460800:
    return 460800;
  case B921600:
    return 921600;
  default:
    return 0;
  }
}

void PtyPeer::writeBytes(const std::uint8_t *data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(master_, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

quint16 unusedTcpPort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  const quint16 port = probe.serverPort();
  probe.close();
  return port;
}

} // namespace quorvane::testing
