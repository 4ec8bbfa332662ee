#pragma once
// White calibration: the raw display of each frame, the progress indicator of the
// 100-frame run and the calibration factors computed from it.
//
// A factor of 1024 is gain 1: factor = set value x 1024 / mean raw value (integer
// division). Factors above 4096 are refused.
#include "live/core/measured_values.h"
#include "service/core/service_texts.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quorvane {

// Red, green, blue: calibration factors or offsets.
using ChannelWords = std::array<std::uint16_t, 3>;

inline constexpr std::uint16_t kUnityFactor = 1024;
inline constexpr std::uint16_t kMaxCalibrationFactor = 4096;
// Frames averaged for one calculation.
inline constexpr std::size_t kCalibrationFrames = 100;
// The progress indicator changes colour before every fifth frame.
inline constexpr std::size_t kProgressStep = 5;
inline constexpr std::uint32_t kProgressRed = 0xFF0000;
inline constexpr std::uint32_t kProgressGrey = 0xE0E0E0;

[[nodiscard]] constexpr bool isValidCalibrationFactor(std::uint16_t f) {
  return f <= kMaxCalibrationFactor;
}
[[nodiscard]] constexpr bool validFactors(const ChannelWords &factors) {
  return isValidCalibrationFactor(factors[0]) && isValidCalibrationFactor(factors[1]) &&
         isValidCalibrationFactor(factors[2]);
}

// What the calibration page shows of one frame (`showRawValues`): the raw channels
// and their spread, the largest minus the smallest.
struct RawCalibData {
  int red = 0;
  int green = 0;
  int blue = 0;
  int delta = 0;

  bool operator==(const RawCalibData &) const = default;
};
[[nodiscard]] RawCalibData rawCalibData(const MeasuredValues &m);

// Before frame `frame` of the run: whether the indicator changes, and the colour it takes
// (red on frames 0, 10, 20, ..., grey on 5, 15, 25, ...).
[[nodiscard]] constexpr bool progressChangesAt(std::size_t frame) {
  return frame % kProgressStep == 0;
}
[[nodiscard]] constexpr std::uint32_t progressColourAt(std::size_t frame) {
  return (frame / kProgressStep) % 2 == 0 ? kProgressRed : kProgressGrey;
}

// How the frame run ended. The caller stops reading at the first frame whose exchange
// failed: averaging the frames that did arrive as if there were 100 would give factors
// that are too large, and they would be sent.
enum class FrameRun { Complete, Failed };

enum class CalcCFStatus {
  Passed,
  FrameFailed,     // the link has reported the failure; nothing to show, nothing changes
  DeltaTooHigh,    // mean raw delta above the maximum delta
  FactorOutOfRange // a factor above 4096
};

struct CalcCFResult {
  CalcCFStatus status = CalcCFStatus::FrameFailed;
  RawCalibData means;     // mean raw red, green, blue and delta (zero for FrameFailed)
  ChannelWords factors{}; // set only when Passed
  // The popup to show; empty for FrameFailed. kCalibrationPassed belongs after a
  // successful sendFactors, since its text says the factors were sent.
  servicetext::Message message;

  bool operator==(const CalcCFResult &) const = default;
};

// The factor calculation over the frames read. Means are integer averages over the frames
// given (no frame at all: every mean is 0). A mean of 0 or below counts as 1. A mean raw
// delta equal to `maxDelta` passes. On any status but Passed the caller keeps its factors
// and sends nothing.
[[nodiscard]] CalcCFResult calculateFactors(std::span<const MeasuredValues> frames, FrameRun run,
                                            std::uint16_t setValue, std::uint16_t maxDelta);

} // namespace quorvane
