#include "live/core/measured_values.h"

#include "link/core/bytes.h"

namespace quorvane {
namespace {

// The 23 fields in wire order.
template <typename M, typename F> void forEachField(M &m, F &&f) {
  f(m.red);
  f(m.green);
  f(m.blue);
  f(m.x);
  f(m.y);
  f(m.intensity);
  f(m.deltaC);
  f(m.colorNumber);
  f(m.group);
  f(m.trigger);
  f(m.temperature);
  f(m.rawRed);
  f(m.rawGreen);
  f(m.rawBlue);
  for (auto &v : m.extremesFirst) f(v);
  for (auto &v : m.extremesSecond) f(v);
  for (auto &v : m.auxiliary) f(v);
}

} // namespace

MeasuredValuesBytes encodeMeasuredValues(const MeasuredValues &m) {
  MeasuredValuesBytes out{};
  std::size_t at = 0;
  forEachField(m, [&](const std::int16_t &v) {
    putLe16(&out[at], static_cast<std::uint16_t>(v));
    at += 2;
  });
  return out;
}

MeasuredValues decodeMeasuredValues(std::span<const std::uint8_t> bytes) {
  MeasuredValuesBytes full{};
  for (std::size_t i = 0; i < full.size() && i < bytes.size(); ++i) full[i] = bytes[i];
  MeasuredValues m;
  std::size_t at = 0;
  forEachField(m, [&](std::int16_t &v) {
    v = static_cast<std::int16_t>(getLe16(&full[at]));
    at += 2;
  });
  return m;
}

} // namespace quorvane
