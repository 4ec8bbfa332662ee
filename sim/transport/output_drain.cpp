#include "transport/output_drain.h"

#include <algorithm>

namespace quorvane::sim {
namespace {

constexpr qint64 kBitsPerByte = 10;
// With pacing, bytes go out in slices of about this long.
constexpr qint64 kSliceNs = 2'000'000;
// A line that has had nothing to send for this long is idle, not late.
constexpr qint64 kIdleLineNs = 5 * kSliceNs;

} // namespace

OutputDrain::OutputDrain(Sink sink, bool paceAtBaudRate, QObject *parent)
    : QObject(parent), sink_(std::move(sink)), pace_(paceAtBaudRate) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &OutputDrain::drain);
  clock_.start();
}

void OutputDrain::push(std::vector<Emission> emissions) {
  for (auto &e : emissions) {
    if (pendingBytes_ + e.bytes.size() > kMaxPendingBytes) {
      discardedBytes_ += e.bytes.size();
      e.bytes.clear();
      if (!e.disconnect) continue;
    }
    pendingBytes_ += e.bytes.size();
    chunks_.push_back({std::move(e.bytes), 0, e.disconnect, e.byteByByte,
                       std::max<std::uint32_t>(e.baudRate, 1)});
  }
  if (!timer_.isActive() && !waitingForSink_) drain();
}

void OutputDrain::clear() {
  chunks_.clear();
  pendingBytes_ = 0;
  timer_.stop();
  waitingForSink_ = false;
}

void OutputDrain::sinkWritable() {
  if (!waitingForSink_) return;
  waitingForSink_ = false;
  if (!timer_.isActive()) drain();
}

void OutputDrain::wakeAfterNs(qint64 ns) {
  timer_.start(static_cast<int>(std::max<qint64>(0, (ns + 999'999) / 1'000'000)));
}

void OutputDrain::drain() {
  // A sink may report progress synchronously from inside a write; that must not start a
  // second pass over the chunk being written.
  if (draining_) return;
  draining_ = true;
  drainOnce();
  draining_ = false;
}

void OutputDrain::drainOnce() {
  while (!chunks_.empty()) {
    Chunk &c = chunks_.front();
    if (c.sent == c.bytes.size()) {
      const bool disconnect = c.disconnect;
      chunks_.pop_front();
      if (disconnect) {
        clear();
        Q_EMIT disconnectRequested();
        return;
      }
      continue;
    }
    const qint64 now = clock_.nsecsElapsed();
    if (pace_ && now < lineFreeNs_) {
      wakeAfterNs(lineFreeNs_ - now);
      return;
    }
    // An idle line starts from now; one woken late by its timer catches up, so the average
    // rate stays the baud rate whatever the timer resolution.
    if (pace_ && now - lineFreeNs_ > kIdleLineNs) lineFreeNs_ = now;
    std::size_t n = c.bytes.size() - c.sent;
    if (c.byteByByte) n = 1;
    if (pace_) {
      const qint64 budget =
          (now + kSliceNs - lineFreeNs_) * c.baudRate / kBitsPerByte / 1'000'000'000;
      n = std::min<std::size_t>(n, static_cast<std::size_t>(std::max<qint64>(1, budget)));
    }
    const qint64 written = sink_(c.bytes.data() + c.sent, static_cast<qint64>(n));
    if (written < 0) {
      clear();
      return;
    }
    if (written == 0) {
      waitingForSink_ = true;
      Q_EMIT sinkFull();
      return;
    }
    c.sent += static_cast<std::size_t>(written);
    pendingBytes_ -= static_cast<std::size_t>(written);
    if (pace_) lineFreeNs_ += written * kBitsPerByte * 1'000'000'000 / c.baudRate;
    if (c.byteByByte) {
      // Let the event loop turn before the next byte.
      wakeAfterNs(0);
      return;
    }
  }
}

} // namespace quorvane::sim
