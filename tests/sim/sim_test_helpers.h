#pragma once
// Helpers for driving the simulator model in tests: build requests, collect reply frames.
#include "link/core/bytes.h"
#include "link/core/crc8.h"
#include "link/core/frame.h"
#include "link/core/orders.h"
#include "model/sensor_model.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace quorvane::sim::test {

struct Frame {
  FrameHeader header;
  std::vector<std::uint8_t> payload;
  bool headerOk = false;
  bool dataOk = false;
};

inline std::vector<std::uint8_t> words(std::initializer_list<std::uint16_t> values) {
  std::vector<std::uint8_t> out(values.size() * 2);
  std::size_t at = 0;
  for (auto v : values) {
    putLe16(&out[at], v);
    at += 2;
  }
  return out;
}

inline std::vector<std::uint8_t> joined(const std::vector<Emission> &emissions) {
  std::vector<std::uint8_t> out;
  for (const auto &e : emissions)
    out.insert(out.end(), e.bytes.begin(), e.bytes.end());
  return out;
}

// Splits a byte stream into frames, trusting each header's length.
inline std::vector<Frame> parseFrames(const std::vector<std::uint8_t> &bytes) {
  std::vector<Frame> frames;
  std::size_t at = 0;
  while (at + kHeaderSize <= bytes.size()) {
    Frame f;
    f.header = decodeHeader(&bytes[at]);
    f.headerOk = bytes[at] == kStartByte && crc8Update(bytes.data(), at, kHeaderSize) == 0;
    const std::size_t end = std::min(bytes.size(), at + kHeaderSize + f.header.dataLength);
    f.payload.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at + kHeaderSize),
                     bytes.begin() + static_cast<std::ptrdiff_t>(end));
    f.dataOk = f.payload.size() == f.header.dataLength && crc8(f.payload) == f.header.dataCrc;
    frames.push_back(std::move(f));
    at = end;
  }
  return frames;
}

// Sends one request at nowMs and returns every frame due by then.
inline std::vector<Frame> exchange(SensorModel &model, Order order, std::uint16_t argument,
                                   const std::vector<std::uint8_t> &payload, std::uint64_t nowMs) {
  const auto request = buildFrame(orderByte(order), argument, payload);
  model.receive(request, nowMs);
  return parseFrames(joined(model.poll(nowMs)));
}

inline std::vector<Frame> exchange(SensorModel &model, Order order, std::uint16_t argument = 0,
                                   std::uint64_t nowMs = 1000) {
  return exchange(model, order, argument, {}, nowMs);
}

} // namespace quorvane::sim::test
