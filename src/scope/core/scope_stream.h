#pragma once
// Assembles the four data blocks the sensor sends when a scan is complete, from bytes in
// chunks of any size, checking every frame before it fills a buffer.
//
// Each block is a header frame announcing 258 payload bytes: 128 samples and the ring
// index, 16 bits each, little-endian. Over TCP/IP the stream is counted from the 8-byte
// reply to the start request (1072 bytes in all), which is dropped; over RS-232 that reply
// was read by the start request and the stream starts with the first block.
#include "link/core/frame.h"
#include "scope/core/scope_buffers.h"
#include "scope/core/scope_settings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quorvane {

inline constexpr std::size_t kScopeBlocks = 4;
inline constexpr std::size_t kScopeBlockPayload = 2 * kScopeSamples + 2;
inline constexpr std::size_t kScopeFrameBytes = kHeaderSize + kScopeBlockPayload; // 266
inline constexpr std::size_t kScopeTcpStreamBytes =
    kHeaderSize + kScopeBlocks * kScopeFrameBytes; // 1072

enum class ScopeTransport { Serial, Tcp };

// The line failed while a scan waited for its blocks (a port error, a port gone).
inline constexpr std::string_view kScopeLineError =
    "TIMEOUT! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. \nTRY TO CONNECT "
    "AGAIN!";

class ScopeStreamAssembler {
public:
  enum class State { Receiving, Complete, Failed };

  // `settings` are those the scan was started with (they decide the rotation). Settings
  // that checkScopeSettings refuses leave the assembler failed with that message.
  ScopeStreamAssembler(ScopeTransport transport, const ScopeSettings &settings);

  // Takes the next bytes of the stream and returns how many it used: all of them while
  // receiving, fewer when the scan completes or fails inside the chunk (the rest is not
  // part of the scan), none once it has completed or failed.
  std::size_t feed(std::span<const std::uint8_t> bytes);

  [[nodiscard]] State state() const { return state_; }
  // The failure for the connection log: the link's header or data frame message, or the
  // settings message. Empty unless failed.
  [[nodiscard]] std::string_view error() const { return error_; }
  // Blocks accepted so far (0..4).
  [[nodiscard]] std::size_t blocksReceived() const { return blocks_; }
  // Bytes still to come before the scan is complete (0 once complete or failed).
  [[nodiscard]] std::size_t bytesMissing() const;
  // Bytes still to come of the part being received: the start reply still to be dropped,
  // else the rest of the current block (0 once complete or failed).
  [[nodiscard]] std::size_t partMissing() const;
  // The blocks have begun: a byte of the first block is in.
  [[nodiscard]] bool blocksBegun() const { return blocks_ > 0 || headerFill_ > 0; }
  // The rotated buffers; meaningful once complete.
  [[nodiscard]] const ScopeBuffers &buffers() const { return buffers_; }

private:
  void fail(std::string_view message);
  void acceptHeader();
  void acceptPayload();

  ScopeSettings settings_;
  State state_ = State::Receiving;
  std::string_view error_;
  std::size_t skip_;
  std::array<std::uint8_t, kHeaderSize> header_{};
  std::size_t headerFill_ = 0;
  std::uint8_t dataCrc_ = 0;
  std::array<std::uint8_t, kScopeBlockPayload> payload_{};
  std::size_t payloadFill_ = 0;
  std::size_t blocks_ = 0;
  ScopeBuffers buffers_{};
};

} // namespace quorvane
