#include "scope/core/scope_stream.h"

#include "link/core/bytes.h"
#include "link/core/crc8.h"
#include "link/core/link_messages.h"

#include <algorithm>
#include <cstring>

namespace quorvane {

ScopeStreamAssembler::ScopeStreamAssembler(ScopeTransport transport, const ScopeSettings &settings)
    : settings_(settings), skip_(transport == ScopeTransport::Tcp ? kHeaderSize : 0) {
  if (const std::string_view refused = checkScopeSettings(settings); !refused.empty())
    fail(refused);
}

std::size_t ScopeStreamAssembler::bytesMissing() const {
  if (state_ != State::Receiving) return 0;
  const std::size_t inFrame = headerFill_ + payloadFill_;
  return skip_ + (kScopeBlocks - blocks_) * kScopeFrameBytes - inFrame;
}

std::size_t ScopeStreamAssembler::partMissing() const {
  if (state_ != State::Receiving) return 0;
  if (skip_ > 0) return skip_;
  return kScopeFrameBytes - headerFill_ - payloadFill_;
}

void ScopeStreamAssembler::fail(std::string_view message) {
  state_ = State::Failed;
  error_ = message;
}

std::size_t ScopeStreamAssembler::feed(std::span<const std::uint8_t> bytes) {
  std::size_t used = 0;
  while (used < bytes.size() && state_ == State::Receiving) {
    const std::size_t left = bytes.size() - used;
    if (skip_ > 0) {
      const std::size_t n = std::min(skip_, left);
      skip_ -= n;
      used += n;
    } else if (headerFill_ < kHeaderSize) {
      const std::size_t n = std::min(kHeaderSize - headerFill_, left);
      std::memcpy(header_.data() + headerFill_, bytes.data() + used, n);
      headerFill_ += n;
      used += n;
      if (headerFill_ == kHeaderSize) acceptHeader();
    } else {
      const std::size_t n = std::min(kScopeBlockPayload - payloadFill_, left);
      std::memcpy(payload_.data() + payloadFill_, bytes.data() + used, n);
      payloadFill_ += n;
      used += n;
      if (payloadFill_ == kScopeBlockPayload) acceptPayload();
    }
  }
  return used;
}

void ScopeStreamAssembler::acceptHeader() {
  FrameHeader h;
  // A block must carry exactly one block's payload; a header announcing anything else
  // (none at all, an error reply) cannot be a scope block.
  if (checkHeader(header_.data(), h) != HeaderCheck::Ok || h.dataLength != kScopeBlockPayload) {
    fail(linktext::kBadHeader);
    return;
  }
  dataCrc_ = h.dataCrc;
}

void ScopeStreamAssembler::acceptPayload() {
  const std::uint16_t ringIndex = getLe16(&payload_[2 * kScopeSamples]);
  // Single shot arrives in time order and ignores the ring index, whatever it holds.
  const bool usesRingIndex = settings_.triggerMode != 0;
  if (crc8(payload_) != dataCrc_ || (usesRingIndex && ringIndex >= kScopeSamples)) {
    fail(linktext::kBadData);
    return;
  }
  ScopeTrace ring{};
  for (std::size_t k = 0; k < kScopeSamples; ++k)
    ring[k] = getLe16(&payload_[2 * k]);
  ScopeTrace &target = blocks_ < 3 ? buffers_.analog[blocks_] : buffers_.digital;
  target = rotateScopeBlock(ring, ringIndex, settings_.preTrigger, settings_.triggerMode);
  ++blocks_;
  headerFill_ = 0;
  payloadFill_ = 0;
  if (blocks_ == kScopeBlocks) state_ = State::Complete;
}

} // namespace quorvane
