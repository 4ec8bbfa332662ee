#pragma once
// The scope's time base (the sensor's cycle time), the cursor measurement and the graph
// axes, with the texts their displays show.
#include <cstdint>
#include <span>
#include <string>

namespace quorvane {

inline constexpr std::size_t kCycleTimeReplyBytes = 8;

struct CycleTime {
  double frequencyHz = 0.0;
  double cycleTimeMs = 0.0; // 0 when never read or unusable: every delta X is then 0
  std::string frequencyText = "0.00";
  std::string cycleTimeText = "0";

  bool operator==(const CycleTime &) const = default;
};

// From the sensor's count and time value (x 10 ms): frequency = count / (time x 0.01),
// cycle time = 1000 / frequency. A count or time value of 0 or less gives no usable time
// base (a time value of 0 would divide by zero), and so the same 0 as a failed read.
[[nodiscard]] CycleTime cycleTimeFrom(std::int32_t count, std::int32_t timeValue);

// From the reply payload of order 105: bytes 0-3 the count, 4-7 the time value, signed,
// little-endian. A reply shorter than 8 bytes gives the failed read's 0.
[[nodiscard]] CycleTime cycleTimeFromReply(std::span<const std::uint8_t> payload);

struct ScopeCursorPosition {
  double x = 0.0;
  double y = 0.0;
};

struct ScopeDelta {
  std::int64_t dxSamples = 0;
  double deltaXMs = 0.0;
  std::string deltaXText;
  std::int64_t dyDigits = 0;
  std::string dyText;
  double volts = 0.0;
  std::string voltsText; // shown only for recorded signal 2

  bool operator==(const ScopeDelta &) const = default;
};

// dx = |x1 - x2| truncated toward zero; delta X = dx x cycle time x scan rate (ms).
// dy = |trunc(y1) - trunc(y2)| digits; volts = dy x 10 / 4096.
[[nodiscard]] ScopeDelta measureCursorDeltas(ScopeCursorPosition c1, ScopeCursorPosition c2,
                                             double cycleTimeMs, std::uint16_t scanRate);

struct ScopeAxes {
  double xMin = 0.0;
  double xMax = 128.0;
  double yMin = 0.0;
  double yMax = 4100.0;
  bool operator==(const ScopeAxes &) const = default;
};

// Fixed axes of the scope graph: s/i/M (recorded signal 1 in calculation modes 1 and 3)
// need 0..10000, everything else 0..4100.
[[nodiscard]] ScopeAxes scopeGraphAxes(int calculationMode, int recordedSignal);

} // namespace quorvane
