#pragma once
// The sensor's block of twenty scalar parameters (40 bytes on the wire, little-endian,
// in this fixed order; the parameter file uses the same order for its keys).
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quorvane {

struct SensorParameters {
  std::uint16_t power = 500;
  std::uint16_t powerMode = 0;
  std::uint16_t average = 1;
  std::uint16_t evaluationMode = 1;
  std::uint16_t holdFail = 10;
  std::uint16_t intLim = 0;
  std::uint16_t maxVecNo = 1;
  std::uint16_t digitalOutmode = 0;
  std::uint16_t trigger = 0;
  std::uint16_t externTeach = 0;
  std::uint16_t calculationMode = 0;
  std::uint16_t dynwinLo = 3200;
  std::uint16_t dynwinHi = 3300;
  std::uint16_t colorGroup = 0;
  std::uint16_t ledMode = 0;
  std::uint16_t gain = 5;
  std::uint16_t integral = 1;
  std::uint16_t analogOutmode = 1;
  std::uint16_t analogOut = 0;
  std::uint16_t analogZoom = 0;

  bool operator==(const SensorParameters &) const = default;
};

inline constexpr std::size_t kParameterCount = 20;
inline constexpr std::size_t kParameterBytes = 40;

struct ParameterField {
  std::string_view key;        // key in the parameter file
  std::string_view reportName; // name in the "could not be read" report
  std::uint16_t SensorParameters::*member;
  std::uint16_t defaultValue;
};

// The twenty fields in record (wire and file) order.
inline constexpr std::array<ParameterField, kParameterCount> kParameterFields{{
    {"POWER", "POWER", &SensorParameters::power, 500},
    {"POWER MODE", "POWER MODE", &SensorParameters::powerMode, 0},
    {"AVERAGE", "AVERAGE", &SensorParameters::average, 1},
    {"EVALUATION MODE", "EVALUATION MODE", &SensorParameters::evaluationMode, 1},
    {"HOLD FAIL", "HOLD FAIL", &SensorParameters::holdFail, 10},
    {"INTLIM", "INTLIM", &SensorParameters::intLim, 0},
    {"MAX VEC NO", "MAX VEC NO", &SensorParameters::maxVecNo, 1},
    {"DIGITAL OUTMODE", "DIGITAL OUTMODE", &SensorParameters::digitalOutmode, 0},
    {"TRIGGER", "TRIGGER", &SensorParameters::trigger, 0},
    {"EXTERN TEACH", "EXTEACH", &SensorParameters::externTeach, 0},
    {"CALCULATION MODE", "CALCULATION MODE", &SensorParameters::calculationMode, 0},
    {"DYNWIN LO", "DYNWIN LO", &SensorParameters::dynwinLo, 3200},
    {"DYNWIN HI", "DYNWIN HI", &SensorParameters::dynwinHi, 3300},
    {"COLOR GROUP", "COLOR GROUP", &SensorParameters::colorGroup, 0},
    {"LED MODE", "LED MODE", &SensorParameters::ledMode, 0},
    {"GAIN", "GAIN", &SensorParameters::gain, 5},
    {"INTEGRAL", "INTEGRAL", &SensorParameters::integral, 1},
    {"ANALOG OUTMODE", "ANALOG OUTMODE", &SensorParameters::analogOutmode, 1},
    {"ANALOG OUT", "ANALOG OUT", &SensorParameters::analogOut, 0},
    {"ANALOG ZOOM", "ANALOG ZOOM", &SensorParameters::analogZoom, 0},
}};

using ParameterBytes = std::array<std::uint8_t, kParameterBytes>;

[[nodiscard]] ParameterBytes encodeParameters(const SensorParameters &p);
// Reads up to 40 bytes; bytes missing from a short block read as zero.
[[nodiscard]] SensorParameters decodeParameters(std::span<const std::uint8_t> bytes);

} // namespace quorvane
