#pragma once
// The recording interval and the time a counted recording will take.
#include <cstdint>
#include <string>

namespace quorvane {

// Requests closer together than this would outrun the link.
inline constexpr double kMinRecordInterval = 0.25;

struct RecordInterval {
  double seconds = kMinRecordInterval;
  bool corrected = false; // true: write `seconds` back into the interval control
};

// Raises an interval below the minimum (or not a number at all) to the minimum.
[[nodiscard]] RecordInterval correctRecordInterval(double seconds);

struct RecordTimeEstimate {
  RecordInterval interval;
  std::int64_t days = 0;
  int hours = 0;
  int minutes = 0;
  double seconds = 0.0; // with its fraction
  // The seconds as the display shows them: up to six decimals, trailing zeros dropped
  // ("2.5", "0", "59.125").
  std::string secondsText;
};

// Interval (corrected) x number of frames, split into days, hours, minutes and seconds.
// The total is taken to the microsecond first, so the split is exact and the seconds never
// show 60.
[[nodiscard]] RecordTimeEstimate estimateRecordTime(double intervalSeconds, std::uint16_t frames);

} // namespace quorvane
