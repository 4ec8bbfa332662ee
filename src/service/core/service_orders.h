#pragma once
// The service orders: what each request carries and how each reply is read.
//
//   readFactorsAndOffsets       order 102, argument 0, no payload;
//                               reply: factor R, G, B, offset R, G, B
//   sendFactors / sendOffsets   order 101, argument 0 / 1, payload R, G, B;
//                               reply word 0 = accepted
//   calculateOffset             order 100, argument 1, no payload; header-only reply
//   runSelfCalibration          order 103, argument 0, no payload;
//                               reply: factor R, G, B, set value, maximum delta
//   hardware info               order 194, argument 0x7C19, no payload; reply: the block
// Every word is 16 bits, little-endian.
#include "link/core/orders.h"
#include "service/core/calibration.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quorvane {

// An order with its argument and no payload.
struct ServiceOrder {
  Order order;
  std::uint16_t argument;

  bool operator==(const ServiceOrder &) const = default;
};

inline constexpr ServiceOrder kGetCFOrder{Order::ReadCalibration, 0};
inline constexpr ServiceOrder kCalcOffsetOrder{Order::CalculateOffset, 1};
inline constexpr ServiceOrder kSelfCalibrationOrder{Order::SelfCalibrate, 0};
inline constexpr ServiceOrder kHardwareInfoOrder{Order::ReadHardwareInfo, kHardwareInfoMagic};

// Argument of order 101: which of the two triples is written.
enum class CalibrationTarget : std::uint16_t { Factors = 0, Offsets = 1 };

inline constexpr std::size_t kCalibrationWriteBytes = 6;

struct CalibrationWrite {
  Order order = Order::WriteCalibration;
  std::uint16_t argument = 0;
  std::array<std::uint8_t, kCalibrationWriteBytes> payload{};

  bool operator==(const CalibrationWrite &) const = default;
};

[[nodiscard]] CalibrationWrite calibrationWrite(CalibrationTarget target,
                                                const ChannelWords &values);
// sendFactors: the three factors; sendOffsets: the three offsets.
[[nodiscard]] inline CalibrationWrite sendFactorsRequest(const ChannelWords &factors) {
  return calibrationWrite(CalibrationTarget::Factors, factors);
}
[[nodiscard]] inline CalibrationWrite sendOffsetsRequest(const ChannelWords &offsets) {
  return calibrationWrite(CalibrationTarget::Offsets, offsets);
}

// Reply of readFactorsAndOffsets.
inline constexpr std::size_t kCalibrationDataBytes = 12;
struct CalibrationData {
  ChannelWords factors{};
  ChannelWords offsets{};

  bool operator==(const CalibrationData &) const = default;
};

// Reply of runSelfCalibration.
inline constexpr std::size_t kSelfCalibrationBytes = 10;
struct SelfCalibrationResult {
  ChannelWords factors{};
  std::uint16_t setValue = 0;
  std::uint16_t maxDelta = 0;

  bool operator==(const SelfCalibrationResult &) const = default;
};

// Decode a reply payload (its announced length). A payload shorter than its record gives
// nothing: the caller shows servicetext::kCalibrationReplyTooShort and changes nothing.
// Bytes beyond the record are ignored.
[[nodiscard]] std::optional<CalibrationData>
decodeCalibrationData(std::span<const std::uint8_t> payload);

// A calibration reply as far as it goes, for a record that must be written even when the
// sensor sent too little: the whole words received, 0 for the rest.
inline constexpr std::size_t kCalibrationWords = kCalibrationDataBytes / 2;
struct PartialCalibrationData {
  CalibrationData data;
  std::size_t receivedBytes = 0;

  // Of factor red, green, blue, offset red, green, blue.
  [[nodiscard]] std::size_t wordsReceived() const {
    return receivedBytes / 2 < kCalibrationWords ? receivedBytes / 2 : kCalibrationWords;
  }
  [[nodiscard]] bool complete() const { return wordsReceived() == kCalibrationWords; }
};
[[nodiscard]] PartialCalibrationData
decodePartialCalibrationData(std::span<const std::uint8_t> payload);
[[nodiscard]] std::optional<SelfCalibrationResult>
decodeSelfCalibration(std::span<const std::uint8_t> payload);

// The password that opens the offset compensation page; compared exactly.
inline constexpr std::string_view kServicePassword = "tesmor";
// The masked password field takes at most this many characters.
inline constexpr std::size_t kPasswordMaxLength = 20;
[[nodiscard]] constexpr bool passwordMatches(std::string_view entered) {
  return entered == kServicePassword;
}

} // namespace quorvane
