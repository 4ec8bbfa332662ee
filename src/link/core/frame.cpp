#include "link/core/frame.h"

#include "link/core/bytes.h"
#include "link/core/crc8.h"

namespace quorvane {

FrameHeader makeHeader(std::uint8_t order, std::uint16_t argument, std::uint16_t dataLength,
                       std::uint8_t dataCrc) {
  FrameHeader h;
  h.order = order;
  h.argument = argument;
  h.dataLength = dataLength;
  h.dataCrc = dataCrc;
  const HeaderBytes bytes = encodeHeader(h);
  h.headerCrc = crc8Update(bytes.data(), 0, kHeaderSize - 1);
  return h;
}

FrameHeader makeHeader(std::uint8_t order, std::uint16_t argument,
                       std::span<const std::uint8_t> payload) {
  return makeHeader(order, argument, static_cast<std::uint16_t>(payload.size()), crc8(payload));
}

HeaderBytes encodeHeader(const FrameHeader &h) {
  HeaderBytes b{};
  b[0] = h.start;
  b[1] = h.order;
  putLe16(&b[2], h.argument);
  putLe16(&b[4], h.dataLength);
  b[6] = h.dataCrc;
  b[7] = h.headerCrc;
  return b;
}

FrameHeader decodeHeader(const std::uint8_t *bytes) {
  FrameHeader h;
  h.start = bytes[0];
  h.order = bytes[1];
  h.argument = getLe16(&bytes[2]);
  h.dataLength = getLe16(&bytes[4]);
  h.dataCrc = bytes[6];
  h.headerCrc = bytes[7];
  return h;
}

HeaderCheck checkHeader(const std::uint8_t *bytes, FrameHeader &out) {
  if (bytes[0] != kStartByte || crc8Update(bytes, 0, kHeaderSize) != 0) return HeaderCheck::Bad;
  const FrameHeader h = decodeHeader(bytes);
  if (h.dataLength > kMaxPayload) return HeaderCheck::Oversize;
  out = h;
  return HeaderCheck::Ok;
}

std::vector<std::uint8_t> buildFrame(std::uint8_t order, std::uint16_t argument,
                                     std::span<const std::uint8_t> payload) {
  const HeaderBytes header = encodeHeader(makeHeader(order, argument, payload));
  std::vector<std::uint8_t> frame(header.begin(), header.end());
  frame.insert(frame.end(), payload.begin(), payload.end());
  return frame;
}

} // namespace quorvane
