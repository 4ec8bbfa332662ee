// Framing, the output queue and the faults of the simulated sensor.
#include "model/sensor_model.h"

#include "link/core/crc8.h"
#include "link/core/orders.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

namespace quorvane::sim {

std::uint32_t baudRateForCode(std::uint16_t code) {
  static constexpr std::uint32_t kRates[] = {9600,   19200,  38400,  57600,
                                             115200, 230400, 460800, 921600};
  return code < 8 ? kRates[code] : 115200;
}

namespace {

// In-process callers fill SimOptions without the parser's range checks.
SimOptions sanitized(SimOptions o) {
  o.triggerPeriodMs = std::max<std::uint32_t>(o.triggerPeriodMs, 2);
  o.hwinfoBytes = std::min(o.hwinfoBytes, kMaxPayload);
  return o;
}

} // namespace

SensorModel::SensorModel(SimOptions options)
    : options_(sanitized(std::move(options))), scene_{options_.seed, options_.triggerPeriodMs},
      ram_(initialMemory()), eeprom_(ram_) {
  rx_.reserve(kMaxRequestFrame);
}

void SensorModel::connectionOpened(std::uint64_t nowMs) {
  connectionClosed();
  lastRxMs_ = nowMs;
  lastDueMs_ = nowMs;
}

void SensorModel::connectionClosed() {
  rx_.clear();
  badHeaderReported_ = false;
  queue_.clear();
  lastDueMs_ = 0;
  replyCount_ = 0;
  dropped_ = false;
  autoSend_ = false;
  scope_.reset();
  scopeScans_ = 0;
  history_ = {};
}

void SensorModel::receive(std::span<const std::uint8_t> bytes, std::uint64_t nowMs) {
  if (dropped_) return;
  // Frames that fell due before these bytes arrived go out first.
  advance(nowMs);
  if (!rx_.empty() && nowMs > lastRxMs_ + kStalePartialMs) {
    log("DROP stale partial frame", rx_);
    rx_.clear();
  }
  lastRxMs_ = nowMs;
  // Feed at most one frame's room at a time so the buffer stays bounded whatever arrives.
  while (!bytes.empty()) {
    const std::size_t room = kMaxRequestFrame - rx_.size();
    const std::size_t n = std::min(room, bytes.size());
    rx_.insert(rx_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    bytes = bytes.subspan(n);
    parse(nowMs);
  }
}

void SensorModel::parse(std::uint64_t nowMs) {
  while (!rx_.empty()) {
    const auto start = std::find(rx_.begin(), rx_.end(), kStartByte);
    if (start != rx_.begin()) {
      log("SKIP", std::span(rx_.data(), static_cast<std::size_t>(start - rx_.begin())));
      rx_.erase(rx_.begin(), start);
      continue;
    }
    if (rx_.size() < kHeaderSize) return;
    FrameHeader h;
    if (checkHeader(rx_.data(), h) == HeaderCheck::Bad) {
      // Report the first bad header of a run of garbage, then hunt for the next start byte.
      if (!badHeaderReported_) {
        log("BAD HEADER", std::span(rx_.data(), kHeaderSize));
        sendReply({orderByte(Order::ErrorReply), kErrorBadCrc, {}}, nowMs);
        badHeaderReported_ = true;
      }
      rx_.erase(rx_.begin());
      continue;
    }
    if (h.dataLength > kMaxAcceptedPayload) {
      log("OVERSIZE", std::span(rx_.data(), kHeaderSize));
      sendReply({orderByte(Order::ErrorReply), kErrorBadCrc, {}}, nowMs);
      rx_.erase(rx_.begin(), rx_.begin() + kHeaderSize);
      continue;
    }
    const std::size_t frameSize = kHeaderSize + h.dataLength;
    if (rx_.size() < frameSize) return;
    const std::span<const std::uint8_t> payload(rx_.data() + kHeaderSize, h.dataLength);
    badHeaderReported_ = false;
    if (crc8(payload) != h.dataCrc) {
      log("BAD DATA", std::span(rx_.data(), frameSize));
      sendReply({orderByte(Order::ErrorReply), kErrorBadCrc, {}}, nowMs);
    } else {
      log("IN ", std::span(rx_.data(), frameSize));
      handleRequest(h, payload, nowMs);
    }
    rx_.erase(rx_.begin(), rx_.begin() + static_cast<std::ptrdiff_t>(frameSize));
  }
}

void SensorModel::logRequest(const FrameHeader &h, std::span<const std::uint8_t> payload,
                             std::uint64_t nowMs) {
  if (requests_.size() >= 2 * kRequestLogKeep)
    requests_.erase(requests_.begin(), requests_.begin() + kRequestLogKeep);
  requests_.push_back({h.order, h.argument, {payload.begin(), payload.end()}, nowMs});
}

void SensorModel::handleRequest(const FrameHeader &h, std::span<const std::uint8_t> payload,
                                std::uint64_t nowMs) {
  logRequest(h, payload, nowMs);
  // A refused order is not carried out.
  if (options_.errorOn && h.order == *options_.errorOn) {
    sendReply({orderByte(Order::ErrorReply), options_.errorReplyWord.value_or(0), {}}, nowMs);
    return;
  }
  sendReply(answer(h, payload, nowMs), nowMs);
  // The reply to a baud-rate change still goes out at the old rate.
  if (pendingBaudCode_) baudCode_ = *std::exchange(pendingBaudCode_, std::nullopt);
}

void SensorModel::sendReply(const Reply &reply, std::uint64_t nowMs) {
  const std::uint64_t n = ++replyCount_;
  const auto every = [n](std::uint32_t period) { return period != 0 && n % period == 0; };

  FrameHeader h = makeHeader(reply.order, reply.word, reply.payload);
  const auto resealHeader = [&h] {
    const HeaderBytes b = encodeHeader(h);
    h.headerCrc = crc8Update(b.data(), 0, kHeaderSize - 1);
  };
  if (options_.oversizeLength) {
    h.dataLength = kOversizeLength;
    resealHeader();
  }
  if (every(options_.corruptDataEvery)) {
    h.dataCrc ^= 0xFF;
    resealHeader();
  }
  if (every(options_.corruptHeaderEvery)) h.headerCrc ^= 0xFF;

  const bool drop = every(options_.dropEvery);
  const bool disconnect = options_.disconnectAfter != 0 && n == options_.disconnectAfter;
  const std::uint64_t due = nowMs + options_.delayMs;
  if (drop) {
    if (disconnect) enqueue({}, due, true);
    return;
  }
  const HeaderBytes header = encodeHeader(h);
  std::vector<std::uint8_t> bytes(header.begin(), header.end());
  if (options_.payloadDelayMs != 0 && !reply.payload.empty()) {
    enqueue(std::move(bytes), due);
    enqueue(reply.payload, due + options_.payloadDelayMs, disconnect);
    return;
  }
  bytes.insert(bytes.end(), reply.payload.begin(), reply.payload.end());
  enqueue(std::move(bytes), due, disconnect);
}

void SensorModel::sendUnsolicited(std::uint8_t order, std::span<const std::uint8_t> payload,
                                  std::uint64_t dueMs) {
  enqueue(buildFrame(order, 0, payload), dueMs);
}

void SensorModel::enqueue(std::vector<std::uint8_t> bytes, std::uint64_t dueMs, bool disconnect) {
  // One line: nothing may overtake what is already queued.
  lastDueMs_ = std::max(lastDueMs_, dueMs);
  queue_.push_back({std::move(bytes), lastDueMs_, disconnect, baudRate()});
}

void SensorModel::advance(std::uint64_t nowMs) {
  if (dropped_) return;
  constexpr std::uint64_t kMaxCatchUpFrames = 64;
  const std::uint64_t period = options_.triggerPeriodMs;
  while (true) {
    const std::optional<std::uint64_t> scopeDone = scope_ ? scope_->completionMs() : std::nullopt;
    const bool triggerDue = autoSend_ && nextTriggerMs_ <= nowMs;
    const bool scopeDue = scopeDone && *scopeDone <= nowMs;
    if (triggerDue && (!scopeDue || nextTriggerMs_ <= *scopeDone)) {
      if ((nowMs - nextTriggerMs_) / period > kMaxCatchUpFrames)
        nextTriggerMs_ += ((nowMs - nextTriggerMs_) / period - kMaxCatchUpFrames) * period;
      const auto frame = encodeMeasuredValues(frameAt(nextTriggerMs_));
      sendUnsolicited(orderByte(Order::ReadMeasurement), frame, nextTriggerMs_);
      nextTriggerMs_ += period;
      continue;
    }
    if (scopeDue) {
      const auto blocks = scope_->blocks([this](std::uint64_t t) { return sampleAt(t); });
      const std::uint32_t stall = options_.stallScopeEvery;
      ++scopeScans_;
      if (stall != 0 && scopeScans_ % stall == 0) {
        // A block that stops part-way: its header and the first bytes of its data.
        std::vector<std::uint8_t> part = buildFrame(orderByte(Order::ScopeScan), 0, blocks[0]);
        part.resize(kHeaderSize + kStalledScopeBytes);
        enqueue(std::move(part), *scopeDone);
      } else {
        for (const auto &block : blocks)
          sendUnsolicited(orderByte(Order::ScopeScan), block, *scopeDone);
      }
      scope_.reset();
      continue;
    }
    if (scope_ && !scopeDone) {
      scope_->advance([this](std::uint64_t t) { return sampleAt(t); }, nowMs);
      if (scope_->completionMs()) continue;
    }
    return;
  }
}

std::vector<Emission> SensorModel::poll(std::uint64_t nowMs) {
  std::vector<Emission> out;
  advance(nowMs);
  while (!queue_.empty() && queue_.front().dueMs <= nowMs) {
    Queued q = std::move(queue_.front());
    queue_.pop_front();
    log(q.disconnect ? "OUT+DISCONNECT" : "OUT", q.bytes);
    noteSent(q.bytes);
    out.push_back({std::move(q.bytes), q.disconnect, options_.splitDelivery, q.baudRate});
    if (out.back().disconnect) {
      // The line is gone: nothing more until the next connection.
      dropped_ = true;
      queue_.clear();
      break;
    }
  }
  return out;
}

std::optional<std::uint64_t> SensorModel::nextDueMs() const {
  if (dropped_) return std::nullopt;
  std::optional<std::uint64_t> due;
  const auto consider = [&due](std::uint64_t t) { due = due ? std::min(*due, t) : t; };
  if (!queue_.empty()) consider(queue_.front().dueMs);
  if (autoSend_) consider(nextTriggerMs_);
  if (scope_) consider(scope_->nextDueMs());
  return due;
}

void SensorModel::noteSent(std::span<const std::uint8_t> frame) {
  if (frame.size() != kHeaderSize + kMeasuredValuesBytes || frame[0] != kStartByte ||
      frame[1] != orderByte(Order::ReadMeasurement))
    return;
  if (sent_.size() >= 2 * kRequestLogKeep)
    sent_.erase(sent_.begin(), sent_.begin() + kRequestLogKeep);
  sent_.push_back(decodeMeasuredValues(frame.subspan(kHeaderSize)));
  ++sentCount_;
}

void SensorModel::log(std::string_view prefix, std::span<const std::uint8_t> bytes) const {
  if (!logger_) return;
  std::string line(prefix);
  line += " [" + std::to_string(bytes.size()) + "]";
  char hex[4];
  for (const std::uint8_t b : bytes) {
    std::snprintf(hex, sizeof hex, " %02X", b);
    line += hex;
  }
  logger_(line);
}

} // namespace quorvane::sim
