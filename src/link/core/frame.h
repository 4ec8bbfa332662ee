#pragma once
// The 8-byte header that starts every request and reply, and whole frames.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorvane {

inline constexpr std::uint8_t kStartByte = 0x55;
inline constexpr std::size_t kHeaderSize = 8;
inline constexpr std::size_t kReceiveBufferSize = 2048;
// A reply payload must fit behind the header in the receive buffer.
inline constexpr std::size_t kMaxPayload = kReceiveBufferSize - kHeaderSize;
// The largest payload any request carries (the teach table).
inline constexpr std::size_t kMaxRequestPayload = 496;

struct FrameHeader {
  std::uint8_t start = kStartByte;
  std::uint8_t order = 0;
  std::uint16_t argument = 0; // request argument, or reply word
  std::uint16_t dataLength = 0;
  std::uint8_t dataCrc = 0xAA;
  std::uint8_t headerCrc = 0;

  bool operator==(const FrameHeader &) const = default;
};

using HeaderBytes = std::array<std::uint8_t, kHeaderSize>;

// Header for a request or reply carrying `payload`, both CRCs computed.
[[nodiscard]] FrameHeader makeHeader(std::uint8_t order, std::uint16_t argument,
                                     std::span<const std::uint8_t> payload);
// Header for a frame whose payload is `dataLength` bytes with CRC `dataCrc`.
[[nodiscard]] FrameHeader makeHeader(std::uint8_t order, std::uint16_t argument,
                                     std::uint16_t dataLength, std::uint8_t dataCrc);

// Fields as they stand, no CRC recomputed.
[[nodiscard]] HeaderBytes encodeHeader(const FrameHeader &h);
[[nodiscard]] FrameHeader decodeHeader(const std::uint8_t *bytes);

enum class HeaderCheck {
  Ok,
  Bad,      // CRC over all 8 bytes is not 0, or the first byte is not 0x55
  Oversize, // announces more payload than the receive buffer can hold
};

// Checks 8 received bytes; on Ok `out` holds the decoded header, otherwise it is untouched.
[[nodiscard]] HeaderCheck checkHeader(const std::uint8_t *bytes, FrameHeader &out);

// Header followed by payload, as it goes on the wire.
[[nodiscard]] std::vector<std::uint8_t> buildFrame(std::uint8_t order, std::uint16_t argument,
                                                   std::span<const std::uint8_t> payload = {});

} // namespace quorvane
