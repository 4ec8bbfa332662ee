#include "link/sensor_link.h"

#include "link/core/baud_rate.h"
#include "link/core/crc8.h"
#include "link/core/firmware.h"
#include "link/core/link_messages.h"
#include "link/core/port_number.h"
#include "link/core/serial_device_names.h"
#include "link/serial_transport.h"
#include "link/tcp_transport.h"
#include "link/wake_list.h"

#include <QCoreApplication>
#include <QTimer>
#include <QtDebug>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <deque>

namespace quorvane {

namespace {

constexpr int kTcpConnectTimeoutMs = 5000;
constexpr int kMaxErrorTextLength = 255;

QString text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

namespace {

// A precise one-shot limit whose expiry wakes the waits (coarse timers run late by up to
// 5 %, which the frame limit cannot afford).
struct Deadline {
  QTimer timer;
  bool passed = false;
  explicit Deadline(WakeList &wake) {
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &wake, [this, &wake] {
      passed = true;
      wake.wakeAll();
    });
  }
};

} // namespace

struct SensorLink::Impl {
  std::array<std::uint8_t, kReceiveBufferSize> rx{};
  int count = 0;
  FrameHeader reply{};
  int portStatus = 0;

  SerialTransport serial;
  TcpTransport tcp;
  Transport *active = nullptr; // the transport opened last; null when none is open
  WakeList wake;               // awaited waits re-check their condition
  WakeList lineFree;           // requests waiting their turn
  WakeList ended;              // callers waiting for the acquisition to end
  Deadline replyLimit{wake};   // one request is on the line at a time: one limit serves all
  bool exchanging = false;
  int waitingTurn = 0;
  // Turns in the order the requests were made: a caller that asks again at once (a loop)
  // queues behind the requests already waiting.
  std::uint64_t nextTurn = 0;
  std::uint64_t servingTurn = 0;
  std::deque<std::function<QCoro::Task<>()>> pendingJobs;
  bool lossReported = false; // the transport went away and that was reported already

  // Appends what `from` has queued, as far as the buffer has room; the rest stays queued.
  void pull(Transport &from) {
    const qint64 room = static_cast<qint64>(rx.size()) - count;
    if (room <= 0 || from.bytesAvailable() <= 0) return;
    const qint64 got = from.read(rx.data() + count, room);
    if (got > 0) count += static_cast<int>(got);
  }
  void pullActive() {
    if (active) pull(*active);
  }
  void wakeWaits() { wake.wakeAll(); }
  // Bytes that arrived before a request was sent cannot belong to its reply.
  void dropStale(Transport &t) {
    std::array<std::uint8_t, 512> scratch{};
    while (t.bytesAvailable() > 0)
      if (t.read(scratch.data(), static_cast<qint64>(scratch.size())) <= 0) break;
  }
};

SensorLink::SensorLink(QObject *parent) : QObject(parent), d_(std::make_unique<Impl>()) {
  for (Transport *t : {static_cast<Transport *>(&d_->serial), static_cast<Transport *>(&d_->tcp)}) {
    connect(t, &Transport::readyRead, this, [this, t] {
      d_->pull(*t);
      d_->wake.wakeAllNow();
    });
    connect(t, &Transport::portError, this, [this] { d_->wakeWaits(); });
  }
  connect(&d_->tcp, &Transport::disconnected, this, [this] {
    // The server closed the connection: forget it, then report once.
    if (d_->active == &d_->tcp) d_->active = nullptr;
    d_->tcp.close();
    setTcpConnected(false);
    d_->lossReported = true;
    report(text(linktext::kServerClosed));
    d_->wakeWaits();
  });
}

SensorLink::~SensorLink() {
  d_->tcp.close();
  d_->serial.close();
}

// --- one exchange ---

bool SensorLink::checkHeader() {
  FrameHeader header;
  if (quorvane::checkHeader(d_->rx.data(), header) != HeaderCheck::Ok) {
    // Oversize lengths are refused here too: the payload could not fit the buffer.
    report(text(linktext::kBadHeader));
    return false;
  }
  d_->reply = header;
  return true;
}

// --- awaited exchanges ---

SensorLink::FrameWait SensorLink::frameState(Transport *t, int need) {
  d_->portStatus = t ? t->portStatus() : 0;
  if (d_->count >= need && d_->portStatus <= 0) return FrameWait::Ready;
  if (d_->lossReported) return FrameWait::Failed; // the server close was reported already
  if (d_->replyLimit.passed || !t || !t->isOpen() || d_->portStatus > 0) {
    report(text(linktext::kTimeout));
    return FrameWait::Failed;
  }
  return FrameWait::Waiting;
}

QCoro::Task<LinkReply> SensorLink::request(Order order, std::uint16_t argument,
                                           std::vector<std::uint8_t> payload) {
  LinkReply reply;
  if (payload.size() > kMaxRequestPayload) {
    qCritical("request: payload of %zu bytes exceeds the request limit", payload.size());
    co_return reply;
  }
  const std::uint64_t myTurn = d_->nextTurn++;
  ++d_->waitingTurn;
  while (d_->exchanging || myTurn != d_->servingTurn)
    co_await d_->lineFree.next();
  --d_->waitingTurn;
  d_->exchanging = true;
  struct Turn {
    Impl &d;
    ~Turn() {
      d.exchanging = false;
      ++d.servingTurn;
      d.lineFree.wakeAll();
    }
  } turn{*d_};

  const std::vector<std::uint8_t> frame = buildFrame(orderByte(order), argument, payload);
  currentOrder_ = orderByte(order);
  d_->rx.fill(0);
  d_->count = 0;
  d_->portStatus = 0;
  d_->lossReported = false;
  Transport *t = d_->active;
  if (!t || !t->isOpen()) {
    // Nothing to send over: no point in waiting for a reply that cannot come.
    report(text(linktext::kTimeout));
    co_return reply;
  }
  t->flushQueues();
  d_->dropStale(*t);
  (void)t->write(frame.data(), frame.size()); // a failed write shows up as a reply time-out

  // Each part of the reply within the frame limit; the waits sleep inline (no task each).
  const auto startLimit = [this] {
    d_->replyLimit.passed = false;
    d_->replyLimit.timer.start(frameLimit());
  };
  struct StopLimit {
    QTimer &timer;
    ~StopLimit() { timer.stop(); }
  } stopLimit{d_->replyLimit.timer};
  startLimit();
  d_->pull(*t);
  for (FrameWait w; (w = frameState(t, static_cast<int>(kHeaderSize))) != FrameWait::Ready;) {
    if (w == FrameWait::Failed) co_return reply;
    co_await d_->wake.next();
  }
  if (!checkHeader()) co_return reply;
  if (d_->reply.order == orderByte(Order::ErrorReply)) {
    if (d_->reply.argument == kErrorUnknownOrder) {
      report(text(linktext::kInvalidOrder));
      co_return reply;
    }
    if (d_->reply.argument == kErrorBadCrc) {
      report(text(linktext::kReduceBaudrate));
      co_return reply;
    }
  }
  const int n = d_->reply.dataLength;
  if (n != 0) {
    startLimit();
    for (FrameWait w; (w = frameState(t, static_cast<int>(kHeaderSize) + n)) != FrameWait::Ready;) {
      if (w == FrameWait::Failed) co_return reply;
      co_await d_->wake.next();
    }
    if (crc8Update(d_->rx.data(), kHeaderSize, static_cast<std::size_t>(n)) != d_->reply.dataCrc) {
      report(text(linktext::kBadData));
      co_return reply;
    }
    reply.payload.assign(d_->rx.begin() + kHeaderSize, d_->rx.begin() + kHeaderSize + n);
  }
  reply.header = d_->reply;
  reply.ok = true;
  co_return reply;
}

QCoro::Task<LinkReply> SensorLink::requestIdentity() {
  LinkReply reply = co_await request(Order::Identify, 0);
  if (!reply) co_return reply;
  const std::string firmware = firmwareTextFromPayload(reply.payload.data(), reply.payload.size());
  firmwareText_ = QByteArray(firmware.data(), static_cast<qsizetype>(firmware.size()));
  Q_EMIT stateChanged();
  co_return reply;
}

bool SensorLink::lineBusy() const {
  return d_->exchanging || d_->waitingTurn > 0;
}

QCoro::Task<StreamEnd> SensorLink::receive(int count, bool begun) {
  const int need = std::clamp(count, 0, static_cast<int>(kReceiveBufferSize));
  Transport *t = d_->active;
  Deadline deadline(d_->wake);
  if (t) d_->pull(*t);
  for (;;) {
    d_->portStatus = t ? t->portStatus() : 0;
    if (d_->count >= need && d_->portStatus <= 0) co_return StreamEnd::Complete;
    if (!acquisitionRunning()) co_return StreamEnd::Stopped;
    if (!t || !t->isOpen() || d_->portStatus > 0) co_return StreamEnd::LineFault;
    if (deadline.passed) {
      report(text(linktext::kTimeout));
      co_return StreamEnd::Failed;
    }
    if ((begun || d_->count > 0) && !deadline.timer.isActive()) deadline.timer.start(frameLimit());
    co_await d_->wake.next();
  }
}

QCoro::Task<StreamedFrame> SensorLink::receiveFrame() {
  StreamedFrame out;
  out.end = co_await receive(static_cast<int>(kHeaderSize));
  if (out.end != StreamEnd::Complete) co_return out;
  if (!checkHeader()) {
    out.end = StreamEnd::Failed;
    co_return out;
  }
  const FrameHeader header = d_->reply;
  const int n = header.dataLength;
  if (n != 0) {
    out.end = co_await receive(static_cast<int>(kHeaderSize) + n, true);
    if (out.end != StreamEnd::Complete) co_return out;
    if (crc8Update(d_->rx.data(), kHeaderSize, static_cast<std::size_t>(n)) != header.dataCrc) {
      report(text(linktext::kBadData));
      out.end = StreamEnd::Failed;
      co_return out;
    }
  }
  out.reply.ok = true;
  out.reply.header = header;
  out.reply.payload.assign(d_->rx.begin() + kHeaderSize, d_->rx.begin() + kHeaderSize + n);
  consume(static_cast<int>(kHeaderSize) + n);
  co_return out;
}

std::span<const std::uint8_t, kReceiveBufferSize> SensorLink::receiveBuffer() const {
  return std::span<const std::uint8_t, kReceiveBufferSize>(d_->rx);
}

int SensorLink::receivedBytes() const {
  return d_->count;
}

int SensorLink::portStatus() const {
  return d_->portStatus;
}

// --- failures ---

void SensorLink::report(const QString &message) {
  errorText_ = message.left(kMaxErrorTextLength);
  failLink();
}

void SensorLink::failLink() {
  setLinkOk(false);
  stopAcquisition();
  Q_EMIT failed(errorText_);
}

void SensorLink::setSettings(const CommunicationSettings &settings) {
  if (settings == settings_) return;
  settings_ = settings;
  Q_EMIT stateChanged();
}

void SensorLink::markVerified() {
  setLinkOk(true);
}

void SensorLink::markOffline() {
  setLinkOk(false);
}

void SensorLink::setLinkOk(bool ok) {
  if (ok == linkOk_) return;
  linkOk_ = ok;
  Q_EMIT stateChanged();
}

void SensorLink::setTcpConnected(bool connected) {
  if (connected == tcpConnected_) return;
  tcpConnected_ = connected;
  Q_EMIT stateChanged();
}

void SensorLink::setAcquisitionTask(Acquisition kind, std::function<QCoro::Task<>()> task) {
  tasks_.at(static_cast<std::size_t>(kind)) = std::move(task);
}

bool SensorLink::startAcquisition(Acquisition kind) {
  if (acquisition_ != Acquisition::Idle || kind == Acquisition::Idle) return false;
  const auto &task = tasks_.at(static_cast<std::size_t>(kind));
  if (!task) return false;
  acquisition_ = kind;
  stopping_ = false;
  Q_EMIT acquisitionChanged(kind);
  runAcquisition(task); // runs on its own; it ends the acquisition when done
  return true;
}

QCoro::Task<> SensorLink::runAcquisition(std::function<QCoro::Task<>()> task) {
  co_await task();
  if (linkOk_)
    co_await servePending();
  else
    d_->pendingJobs.clear(); // they would only time out against a failed link
  acquisition_ = Acquisition::Idle;
  stopping_ = false;
  d_->ended.wakeAll();
  Q_EMIT acquisitionChanged(acquisition_);
}

void SensorLink::stopAcquisition() {
  if (acquisition_ == Acquisition::Idle || stopping_) return;
  // The task sees it at its next step and cleans up; its end is announced when it returns.
  stopping_ = true;
  d_->wakeWaits();
}

void SensorLink::runOnLine(std::function<QCoro::Task<>()> job) {
  d_->pendingJobs.push_back(std::move(job));
  // A running acquisition serves it between two steps, a running job after itself.
  if (acquisition_ == Acquisition::Idle && jobsRunning_ == 0) runJobs();
}

QCoro::Task<> SensorLink::runJobs() {
  ++jobsRunning_;
  co_await servePending();
  --jobsRunning_;
}

void SensorLink::abandonWaits() {
  d_->wake.abandon();
  d_->lineFree.abandon();
  d_->ended.abandon();
  d_->pendingJobs.clear();
}

bool SensorLink::idle() const {
  return acquisition_ == Acquisition::Idle && jobsRunning_ == 0 && !lineBusy();
}

QCoro::Task<> SensorLink::servePending() {
  while (!d_->pendingJobs.empty()) {
    std::function<QCoro::Task<>()> job = std::move(d_->pendingJobs.front());
    d_->pendingJobs.pop_front();
    const bool wasOk = linkOk_;
    co_await job();
    if (wasOk && !linkOk_) {
      // The job failed the link (reported): the jobs behind it would only fail again.
      d_->pendingJobs.clear();
      break;
    }
  }
}

QCoro::Task<> SensorLink::acquisitionEnded() {
  while (acquisition_ != Acquisition::Idle)
    co_await d_->ended.next();
}

QCoro::Task<bool> SensorLink::pause(std::chrono::milliseconds time) {
  Deadline turn(d_->wake);
  turn.timer.start(time);
  for (;;) {
    if (!acquisitionRunning()) co_return false;
    if (turn.passed) co_return true;
    co_await d_->wake.next();
  }
}

// --- transports ---

int SensorLink::openSerialPort() {
  stopAcquisition();
  // One transport at a time: a TCP server closing later must not fail the serial link.
  if (tcpConnected_ || d_->tcp.isOpen()) disconnectTcp();
  closeSerial();
  int result = linktext::rs232::kInvalidPortNumber;
  const QString device = serialDevice();
  if (!device.isEmpty()) result = d_->serial.open(device, baudRateForCode(settings_.baudCode));
  lastOpenResult_ = result;
  if (result < 0) {
    report(text(linktext::rs232ErrorText(result)));
    return result;
  }
  d_->active = &d_->serial;
  return result;
}

QCoro::Task<int> SensorLink::connectTcp() {
  if (tcpConnected_ || d_->tcp.isOpen()) disconnectTcp();
  closeSerial();
  const long port = portNumberFromText(settings_.portNumber);
  int result = linktext::tcp::kInvalidParameter;
  if (isUsablePort(port)) {
    result = co_await d_->tcp.connectTo(QString::fromStdString(settings_.ipAddress),
                                        static_cast<quint16>(port), kTcpConnectTimeoutMs);
  }
  lastOpenResult_ = result;
  if (result < 0) {
    setTcpConnected(false);
    report(text(linktext::tcpErrorText(result)));
    co_return result;
  }
  setTcpConnected(true);
  d_->active = &d_->tcp;
  co_return result;
}

QString SensorLink::serialDevice() const {
  if (!settings_.comDevice.empty()) return QString::fromStdString(settings_.comDevice);
  if (settings_.comPort >= 1) return QString::fromStdString(defaultSerialDevice(settings_.comPort));
  return {};
}

void SensorLink::closeSerial() {
  d_->serial.close();
  if (d_->active == &d_->serial) d_->active = nullptr;
  d_->wakeWaits();
}

void SensorLink::disconnectTcp() {
  d_->tcp.close();
  setTcpConnected(false);
  if (d_->active == &d_->tcp) d_->active = nullptr;
  d_->wakeWaits();
}

Transport *SensorLink::transport() const {
  return d_->active;
}

void SensorLink::attachTransport(Transport &t) {
  if (tcpConnected_ || d_->tcp.isOpen()) disconnectTcp();
  closeSerial();
  connect(&t, &Transport::readyRead, this, [this, &t] {
    d_->pull(t);
    d_->wake.wakeAllNow();
  });
  // A wait notices a closed or failed port only when it is woken.
  connect(&t, &Transport::portError, this, [this] { d_->wakeWaits(); });
  connect(&t, &Transport::disconnected, this, [this] { d_->wakeWaits(); });
  connect(&t, &QObject::destroyed, this, [this, &t] {
    if (d_->active == &t) d_->active = nullptr;
  });
  d_->active = &t;
}

// --- streaming ---

void SensorLink::clearReceive() {
  d_->rx.fill(0);
  d_->count = 0;
  d_->pullActive();
}

void SensorLink::consume(int n) {
  n = std::clamp(n, 0, d_->count);
  std::memmove(d_->rx.data(), d_->rx.data() + n, static_cast<std::size_t>(d_->count - n));
  std::fill(d_->rx.begin() + (d_->count - n), d_->rx.begin() + d_->count, std::uint8_t{0});
  d_->count -= n;
  d_->pullActive(); // room was made for bytes still queued
}

} // namespace quorvane
