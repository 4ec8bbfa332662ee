#pragma once
// Every order the tool sends, by its number on the wire.
#include <cstdint>

namespace quorvane {

enum class Order : std::uint8_t {
  ErrorReply = 0, // only ever in a reply: the sensor refused the request
  WriteParameters = 1,
  ReadParameters = 2,
  StoreToEeprom = 3,
  LoadFromEeprom = 4,
  Identify = 7,
  ReadMeasurement = 8,
  AutoSend = 30,
  CalculateOffset = 100,
  WriteCalibration = 101,
  ReadCalibration = 102,
  SelfCalibrate = 103,
  ReadCycleTime = 105,
  ScopeScan = 110,
  SetBaudRate = 190,
  ReadHardwareInfo = 194,
};

constexpr std::uint8_t orderByte(Order o) { return static_cast<std::uint8_t>(o); }

// Argument of ReadHardwareInfo; the sensor answers nothing else.
inline constexpr std::uint16_t kHardwareInfoMagic = 0x7C19;

// Reply words of an error reply.
inline constexpr std::uint16_t kErrorUnknownOrder = 1;
inline constexpr std::uint16_t kErrorBadCrc = 2;

} // namespace quorvane
