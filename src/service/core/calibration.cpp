#include "service/core/calibration.h"

#include <algorithm>

namespace quorvane {
namespace {

// set value x 1024 / mean; a mean of 0 (or a negative one, which no white target gives)
// counts as 1 so the division is defined and the factor lands out of range.
std::int64_t factorFor(std::uint16_t setValue, std::int64_t mean) {
  return static_cast<std::int64_t>(setValue) * kUnityFactor / std::max<std::int64_t>(mean, 1);
}

} // namespace

RawCalibData rawCalibData(const MeasuredValues &m) {
  const int r = m.rawRed;
  const int g = m.rawGreen;
  const int b = m.rawBlue;
  return {r, g, b, std::max({r, g, b}) - std::min({r, g, b})};
}

CalcCFResult calculateFactors(std::span<const MeasuredValues> frames, FrameRun run,
                              std::uint16_t setValue, std::uint16_t maxDelta) {
  CalcCFResult result;
  if (run == FrameRun::Failed) return result;

  std::array<std::int64_t, 4> sums{};
  for (const MeasuredValues &m : frames) {
    const RawCalibData raw = rawCalibData(m);
    sums[0] += raw.red;
    sums[1] += raw.green;
    sums[2] += raw.blue;
    sums[3] += raw.delta;
  }
  const auto count = static_cast<std::int64_t>(frames.size());
  const auto mean = [&](std::size_t i) { return count == 0 ? 0 : sums[i] / count; };
  // Each mean lies within the range of a single frame's value, so it fits an int.
  result.means = {static_cast<int>(mean(0)), static_cast<int>(mean(1)), static_cast<int>(mean(2)),
                  static_cast<int>(mean(3))};

  if (maxDelta < result.means.delta) {
    result.status = CalcCFStatus::DeltaTooHigh;
    result.message = servicetext::kDeltaTooHigh;
    return result;
  }
  const std::array<int, 3> means{result.means.red, result.means.green, result.means.blue};
  ChannelWords factors{};
  for (std::size_t i = 0; i < means.size(); ++i) {
    const std::int64_t f = factorFor(setValue, means[i]);
    if (f > kMaxCalibrationFactor) {
      result.status = CalcCFStatus::FactorOutOfRange;
      result.message = servicetext::kFactorOutOfRange;
      return result;
    }
    factors[i] = static_cast<std::uint16_t>(f);
  }
  result.status = CalcCFStatus::Passed;
  result.factors = factors;
  result.message = servicetext::kCalibrationPassed;
  return result;
}

} // namespace quorvane
