#include "transport/sim_pty.h"

#include <QFile>

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <span>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace quorvane::sim {

SimPty::SimPty(SimOptions options, QObject *parent)
    : QObject(parent), model_(std::move(options)),
      drain_([this](const std::uint8_t *bytes, qint64 n) { return writeMaster(bytes, n); },
             model_.options().baudEmulation) {
  clock_.start();
  dueTimer_.setSingleShot(true);
  dueTimer_.setTimerType(Qt::PreciseTimer);
  connect(&dueTimer_, &QTimer::timeout, this, &SimPty::onDue);
  readRetry_.setSingleShot(true);
  connect(&readRetry_, &QTimer::timeout, this, [this] {
    if (readNotifier_) readNotifier_->setEnabled(true);
  });
  connect(&drain_, &OutputDrain::sinkFull, this, [this] {
    if (writeNotifier_) writeNotifier_->setEnabled(true);
  });
  connect(&drain_, &OutputDrain::disconnectRequested, this, &SimPty::restart);
}

SimPty::~SimPty() {
  readNotifier_.reset();
  writeNotifier_.reset();
  if (!linkPath_.isEmpty()) {
    // Remove the link only while it still leads to this simulator's terminal.
    if (QFile::symLinkTarget(linkPath_) == slavePath_) QFile::remove(linkPath_);
  }
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
}

bool SimPty::open() {
  if (::openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) {
    error_ = QStringLiteral("cannot open a pseudo terminal: %1")
                 .arg(QString::fromLocal8Bit(std::strerror(errno)));
    return false;
  }
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  termios raw{};
  if (::tcgetattr(slave_, &raw) == 0) {
    ::cfmakeraw(&raw);
    ::cfsetspeed(&raw, B115200);
    ::tcsetattr(slave_, TCSANOW, &raw);
  }
  std::array<char, 128> name{};
  if (::ptsname_r(master_, name.data(), name.size()) != 0) {
    error_ = QStringLiteral("cannot name the pseudo terminal: %1")
                 .arg(QString::fromLocal8Bit(std::strerror(errno)));
    return false;
  }
  slavePath_ = QString::fromLocal8Bit(name.data());
  const QString link = QString::fromStdString(model_.options().ptyLink);
  if (!link.isEmpty() && !createLink(link)) return false;

  readNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
  connect(readNotifier_.get(), &QSocketNotifier::activated, this, &SimPty::readMaster);
  writeNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Write);
  writeNotifier_->setEnabled(false);
  connect(writeNotifier_.get(), &QSocketNotifier::activated, this, [this] {
    writeNotifier_->setEnabled(false);
    drain_.sinkWritable();
  });
  model_.connectionOpened(nowMs());
  return true;
}

bool SimPty::createLink(const QString &link) {
  const QByteArray linkName = QFile::encodeName(link);
  struct stat st {};
  if (::lstat(linkName.constData(), &st) == 0) {
    if (!S_ISLNK(st.st_mode)) {
      error_ = QStringLiteral("will not replace %1: it is not a symbolic link").arg(link);
      return false;
    }
    ::unlink(linkName.constData());
  }
  if (::symlink(QFile::encodeName(slavePath_).constData(), linkName.constData()) != 0) {
    error_ = QStringLiteral("cannot create the link %1: %2")
                 .arg(link, QString::fromLocal8Bit(std::strerror(errno)));
    return false;
  }
  linkPath_ = link;
  return true;
}

void SimPty::readMaster() {
  std::array<std::uint8_t, 4096> buffer;
  while (true) {
    const ssize_t n = ::read(master_, buffer.data(), buffer.size());
    if (n > 0) {
      model_.receive(std::span(buffer.data(), static_cast<std::size_t>(n)), nowMs());
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      // The line is in trouble (no reader on the other side): look again a little later
      // instead of being woken for the same error over and over.
      readNotifier_->setEnabled(false);
      readRetry_.start(100);
    }
    break;
  }
  reschedule();
}

qint64 SimPty::writeMaster(const std::uint8_t *bytes, qint64 n) {
  while (true) {
    const ssize_t written = ::write(master_, bytes, static_cast<std::size_t>(n));
    if (written >= 0) return written;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
    return -1;
  }
}

void SimPty::restart() {
  // A serial line cannot be hung up on: the sensor restarts instead.
  model_.connectionClosed();
  model_.connectionOpened(nowMs());
  reschedule();
}

void SimPty::onDue() {
  drain_.push(model_.poll(nowMs()));
  reschedule();
}

void SimPty::reschedule() {
  const auto due = model_.nextDueMs();
  if (!due) {
    dueTimer_.stop();
    return;
  }
  const std::uint64_t now = nowMs();
  dueTimer_.start(static_cast<int>(*due > now ? std::min<std::uint64_t>(*due - now, 3600000) : 0));
}

} // namespace quorvane::sim
