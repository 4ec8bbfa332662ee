// What the simulated sensor does for each order.
#include "link/core/bytes.h"
#include "link/core/orders.h"
#include "model/hardware_info.h"
#include "model/plausibility.h"
#include "model/sensor_model.h"

#include <algorithm>
#include <cmath>

namespace quorvane::sim {
namespace {

constexpr std::uint16_t kSelfCalibrationSetValue = 2000;
constexpr std::uint16_t kSelfCalibrationMaxDelta = 400;
constexpr std::size_t kScopeSettingsBytes = 10;
constexpr std::size_t kCalibrationBytes = 6;

std::vector<std::uint8_t> words(std::initializer_list<std::uint16_t> values) {
  std::vector<std::uint8_t> out(values.size() * 2);
  std::size_t at = 0;
  for (const auto v : values) {
    putLe16(&out[at], v);
    at += 2;
  }
  return out;
}

} // namespace

Sample SensorModel::sampleAt(std::uint64_t t) const {
  return measure(ram_, calibration_, scene_, t);
}

std::uint16_t SensorModel::plausibilityWord(std::uint16_t count) const {
  return options_.plausibilityWord.value_or(count);
}

SensorModel::Reply SensorModel::answer(const FrameHeader &h, std::span<const std::uint8_t> payload,
                                       std::uint64_t nowMs) {
  const Reply unknown{orderByte(Order::ErrorReply), kErrorUnknownOrder, {}};
  const Reply done{h.order, 0, {}};
  switch (static_cast<Order>(h.order)) {
  case Order::WriteParameters:
    return writeParameters(h.argument, payload);
  case Order::ReadParameters:
    return readParameters(h.argument);
  case Order::StoreToEeprom:
    eeprom_ = ram_;
    return done;
  case Order::LoadFromEeprom:
    return loadFromEeprom();
  case Order::Identify: {
    std::vector<std::uint8_t> text(options_.firmware.begin(), options_.firmware.end());
    text.resize(std::clamp(text.size(), kFirmwareReplyBytes, kMaxPayload), 0);
    return {h.order, options_.serialNumber, std::move(text)};
  }
  case Order::ReadMeasurement: {
    const auto frame = encodeMeasuredValues(frameAt(nowMs));
    return {h.order, 0, {frame.begin(), frame.end()}};
  }
  case Order::AutoSend:
    if (h.argument > 1) return unknown;
    autoSend_ = h.argument == 1;
    // The first unsolicited frame follows at the next rising edge of IN0.
    nextTriggerMs_ = (nowMs / options_.triggerPeriodMs + 1) * options_.triggerPeriodMs;
    return done;
  case Order::CalculateOffset: {
    // The dark level the sensor measures drifts by a digit or two with the temperature.
    const int drift = (sampleAt(nowMs).values.temperature - 36) / 2;
    for (std::size_t i = 0; i < 3; ++i)
      calibration_.offsets[i] = static_cast<std::uint16_t>(std::max(0, kDarkLevel[i] + drift));
    return done;
  }
  case Order::WriteCalibration:
    return writeCalibration(h.argument, payload);
  case Order::ReadCalibration: {
    const auto &f = calibration_.factors;
    const auto &o = calibration_.offsets;
    std::vector<std::uint8_t> data = words({f[0], f[1], f[2], o[0], o[1], o[2]});
    if (options_.calibrationReplyBytes)
      data.resize(std::min<std::size_t>(*options_.calibrationReplyBytes, data.size()));
    return {h.order, 0, std::move(data)};
  }
  case Order::SelfCalibrate:
    return selfCalibrate(nowMs);
  case Order::ReadCycleTime: {
    std::vector<std::uint8_t> out(8);
    putLe32(&out[0], static_cast<std::uint32_t>(kCycleCount));
    putLe32(&out[4], static_cast<std::uint32_t>(kCycleTimeValue));
    return {h.order, 0, std::move(out)};
  }
  case Order::ScopeScan:
    return startScope(h.argument, payload, nowMs);
  case Order::SetBaudRate:
    pendingBaudCode_ = h.argument;
    return done;
  case Order::ReadHardwareInfo:
    if (h.argument != kHardwareInfoMagic) return unknown;
    return {h.order, 0,
            hardwareInfoBlock(options_.serialNumber, options_.firmware, calibration_,
                              options_.hwinfoBytes)};
  default:
    return unknown;
  }
}

SensorModel::Reply SensorModel::writeParameters(std::uint16_t argument,
                                                std::span<const std::uint8_t> payload) {
  if (argument > 3) return {orderByte(Order::ErrorReply), kErrorUnknownOrder, {}};
  const std::size_t set = argument % 2;
  const bool table = argument >= 2;
  // A block of the wrong size is not written: the frame is not what the order carries.
  if (payload.size() != (table ? kTeachTableBytes : kParameterBytes))
    return {orderByte(Order::ErrorReply), kErrorBadCrc, {}};
  std::uint16_t count = 0;
  if (table) {
    ram_.teach[set] = decodeTeachTable(payload);
    count = checkTeachTable(ram_.teach[set]);
  } else {
    ram_.params[set] = decodeParameters(payload);
    count = checkParameters(ram_.params[set]);
  }
  return {orderByte(Order::WriteParameters), plausibilityWord(count), {}};
}

SensorModel::Reply SensorModel::readParameters(std::uint16_t argument) const {
  if (argument > 3) return {orderByte(Order::ErrorReply), kErrorUnknownOrder, {}};
  const std::size_t set = argument % 2;
  if (argument >= 2) {
    const auto bytes = encodeTeachTable(ram_.teach[set]);
    return {orderByte(Order::ReadParameters), 0, {bytes.begin(), bytes.end()}};
  }
  const auto bytes = encodeParameters(ram_.params[set]);
  return {orderByte(Order::ReadParameters), 0, {bytes.begin(), bytes.end()}};
}

SensorModel::Reply SensorModel::loadFromEeprom() {
  std::uint16_t count = 0;
  for (std::size_t set = 0; set < 2; ++set) {
    count = static_cast<std::uint16_t>(count + checkParameters(eeprom_.params[set]));
    count = static_cast<std::uint16_t>(count + checkTeachTable(eeprom_.teach[set]));
  }
  ram_ = eeprom_;
  return {orderByte(Order::LoadFromEeprom), plausibilityWord(count), {}};
}

SensorModel::Reply SensorModel::writeCalibration(std::uint16_t argument,
                                                 std::span<const std::uint8_t> payload) {
  if (argument > 1) return {orderByte(Order::ErrorReply), kErrorUnknownOrder, {}};
  if (payload.size() != kCalibrationBytes) return {orderByte(Order::ErrorReply), kErrorBadCrc, {}};
  std::array<std::uint16_t, 3> values{getLe16(&payload[0]), getLe16(&payload[2]),
                                      getLe16(&payload[4])};
  const std::uint16_t count = argument == 0 ? checkFactors(values) : checkOffsets(values);
  (argument == 0 ? calibration_.factors : calibration_.offsets) = values;
  return {orderByte(Order::WriteCalibration), plausibilityWord(count), {}};
}

SensorModel::Reply SensorModel::selfCalibrate(std::uint64_t nowMs) const {
  // Factors that make the target in front of the sensor read the set value; not stored.
  const Rgb raw = rawWithoutNoise(ram_, scene_, nowMs);
  const std::array<double, 3> channels{raw.r, raw.g, raw.b};
  std::array<std::uint16_t, 3> factors{};
  for (std::size_t i = 0; i < 3; ++i) {
    const double signal = std::max(1.0, channels[i] - calibration_.offsets[i]);
    factors[i] = static_cast<std::uint16_t>(
        std::min(65535.0, std::floor(kSelfCalibrationSetValue * 1024.0 / signal)));
  }
  return {orderByte(Order::SelfCalibrate), 0,
          words({factors[0], factors[1], factors[2], kSelfCalibrationSetValue,
                 kSelfCalibrationMaxDelta})};
}

SensorModel::Reply SensorModel::startScope(std::uint16_t argument,
                                           std::span<const std::uint8_t> payload,
                                           std::uint64_t nowMs) {
  const Reply done{orderByte(Order::ScopeScan), 0, {}};
  if (argument == 0) {
    scope_.reset();
    return done;
  }
  if (argument != 1) return {orderByte(Order::ErrorReply), kErrorUnknownOrder, {}};
  if (payload.size() != kScopeSettingsBytes)
    return {orderByte(Order::ErrorReply), kErrorBadCrc, {}};
  ScopeSettings s;
  s.triggerLevel = getLe16(&payload[0]);
  s.triggerMode = getLe16(&payload[2]);
  s.preTrigger = getLe16(&payload[4]);
  s.scanRate = getLe16(&payload[6]);
  s.signal = getLe16(&payload[8]);
  if (s.triggerMode > 4 || s.signal > 2)
    return {orderByte(Order::ErrorReply), kErrorUnknownOrder, {}};
  scope_.emplace(s, nowMs);
  return done;
}

MeasuredValues SensorModel::frameAt(std::uint64_t t) {
  const Sample s = sampleAt(t);
  MeasuredValues m = s.values;
  const SensorParameters &p = ram_.params[s.activeSet];
  FrameHistory &h = history_;

  // Extremes and the EXT1/EXT2 memory cover one IN0 period, from its rising edge.
  const std::uint64_t window = t / options_.triggerPeriodMs;
  if (h.window != window) {
    const auto lastHigh = h.lastHigh;
    const auto hits = h.hits;
    const auto hitEvaluation = h.hitEvaluation;
    h = {};
    h.window = window;
    // The colour held while IN0 is low comes from the high phase just before.
    if (!s.in0) {
      h.lastHigh = lastHigh;
      h.hits = hits;
      h.hitEvaluation = hitEvaluation;
    }
  }
  const std::array<std::int16_t, 3> channels{m.red, m.green, m.blue};
  for (std::size_t i = 0; i < 3; ++i) {
    h.minimum[i] = h.haveExtremes ? std::min(h.minimum[i], channels[i]) : channels[i];
    h.maximum[i] = h.haveExtremes ? std::max(h.maximum[i], channels[i]) : channels[i];
  }
  h.haveExtremes = true;
  m.extremesFirst = h.minimum;
  m.extremesSecond = h.maximum;
  if (p.analogOutmode == 4) {
    for (std::size_t i = 0; i < 3; ++i) {
      const int span = h.maximum[i] - h.minimum[i];
      m.auxiliary[i] =
          static_cast<std::int16_t>(span > 0 ? (channels[i] - h.minimum[i]) * 4095 / span : 0);
    }
  }

  const bool holds = p.trigger >= 2 && p.trigger <= 4;
  if (holds && s.in0) {
    const std::size_t bin =
        static_cast<std::size_t>(std::clamp<int>(s.evaluation.colorNumber, 0, 31));
    ++h.hits[bin];
    h.hitEvaluation[bin] = s.evaluation;
    h.lastHigh = s.evaluation;
  } else if (holds) {
    Evaluation held;
    if (p.trigger == 2 && h.lastHigh) {
      const auto most = std::max_element(h.hits.begin(), h.hits.end());
      held = h.hitEvaluation[static_cast<std::size_t>(most - h.hits.begin())];
    } else if (p.trigger == 3 && h.lastHigh) {
      held = *h.lastHigh;
    }
    m.deltaC = held.deltaC;
    m.colorNumber = held.colorNumber;
    m.group = held.group;
  }
  return m;
}

} // namespace quorvane::sim
