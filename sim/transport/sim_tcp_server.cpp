#include "transport/sim_tcp_server.h"

#include <span>

namespace quorvane::sim {
namespace {

constexpr qint64 kSocketBacklog = 64 * 1024;

} // namespace

SimTcpServer::SimTcpServer(SimOptions options, QObject *parent)
    : QObject(parent), model_(std::move(options)),
      drain_(
          [this](const std::uint8_t *bytes, qint64 n) -> qint64 {
            if (!client_) return -1;
            // Leave the rest with the drain (which is bounded) while the peer does not read.
            if (client_->bytesToWrite() > kSocketBacklog) return 0;
            const qint64 written = client_->write(reinterpret_cast<const char *>(bytes), n);
            client_->flush();
            return written;
          },
          false) {
  clock_.start();
  dueTimer_.setSingleShot(true);
  dueTimer_.setTimerType(Qt::PreciseTimer);
  connect(&dueTimer_, &QTimer::timeout, this, &SimTcpServer::onDue);
  connect(&server_, &QTcpServer::newConnection, this, &SimTcpServer::acceptClients);
  connect(&drain_, &OutputDrain::disconnectRequested, this, [this] { releaseClient(true); });
}

SimTcpServer::~SimTcpServer() {
  if (client_) {
    client_->disconnect(this);
    client_->abort();
  }
}

bool SimTcpServer::listen(const QHostAddress &address, quint16 port) {
  return server_.listen(address, port);
}

void SimTcpServer::acceptClients() {
  while (QTcpSocket *next = server_.nextPendingConnection()) {
    if (client_) releaseClient(false);
    client_ = next;
    next->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(next, &QTcpSocket::readyRead, this, &SimTcpServer::readClient);
    connect(next, &QTcpSocket::bytesWritten, this, [this] { drain_.sinkWritable(); });
    connect(next, &QTcpSocket::disconnected, this, [this, next] {
      if (client_ == next) releaseClient(false);
    });
    model_.connectionOpened(nowMs());
    Q_EMIT clientConnected();
    reschedule();
  }
}

void SimTcpServer::readClient() {
  if (!client_) return;
  const QByteArray data = client_->readAll();
  model_.receive(std::span(reinterpret_cast<const std::uint8_t *>(data.constData()),
                           static_cast<std::size_t>(data.size())),
                 nowMs());
  reschedule();
}

void SimTcpServer::releaseClient(bool graceful) {
  QTcpSocket *old = client_;
  client_ = nullptr;
  drain_.clear();
  dueTimer_.stop();
  model_.connectionClosed();
  if (old) {
    old->disconnect(this);
    if (graceful) {
      // What was written still reaches the client before the connection closes.
      connect(old, &QTcpSocket::disconnected, old, &QObject::deleteLater);
      old->disconnectFromHost();
      if (old->state() == QAbstractSocket::UnconnectedState) old->deleteLater();
    } else {
      old->abort();
      old->deleteLater();
    }
  }
  Q_EMIT clientDisconnected();
}

void SimTcpServer::onDue() {
  drain_.push(model_.poll(nowMs()));
  reschedule();
}

void SimTcpServer::reschedule() {
  const auto due = model_.nextDueMs();
  if (!due || !client_) {
    dueTimer_.stop();
    return;
  }
  const std::uint64_t now = nowMs();
  dueTimer_.start(static_cast<int>(*due > now ? std::min<std::uint64_t>(*due - now, 3600000) : 0));
}

} // namespace quorvane::sim
