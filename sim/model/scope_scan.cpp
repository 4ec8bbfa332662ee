#include "model/scope_scan.h"

#include "link/core/bytes.h"

#include <algorithm>

namespace quorvane::sim {
namespace {

// Samples examined per call at most: a transport that was not called for a long time only
// looks at the most recent stretch.
constexpr std::uint64_t kMaxCatchUp = 100000;
// How far ahead of the next sample the transport is asked to call again while waiting.
constexpr std::uint64_t kCheckBatchMs = 20;

std::uint16_t unsignedSample(std::int16_t v) {
  return static_cast<std::uint16_t>(std::max<int>(v, 0));
}

std::array<std::uint16_t, 3> signalTriple(const Sample &s, std::uint16_t signal) {
  const MeasuredValues &m = s.values;
  switch (signal) {
  case 1:
    return {unsignedSample(m.x), unsignedSample(m.y), unsignedSample(m.intensity)};
  case 2:
    return {unsignedSample(m.auxiliary[0]), unsignedSample(m.auxiliary[1]),
            unsignedSample(m.auxiliary[2])};
  default:
    return {unsignedSample(m.red), unsignedSample(m.green), unsignedSample(m.blue)};
  }
}

std::uint16_t digitalState(const Sample &s) {
  return static_cast<std::uint16_t>((s.in0 ? 1 : 0) |
                                    (s.evaluation.colorNumber != kNoColour ? 2 : 0));
}

} // namespace

ScopeScan::ScopeScan(const ScopeSettings &settings, std::uint64_t startMs)
    : settings_(settings),
      intervalMs_(kSensorCycleMs * std::max<std::uint16_t>(settings.scanRate, 1)),
      preTrigger_(settings.triggerMode == 0 ? 0 : settings.preTrigger % kScopeSamples) {
  const std::uint64_t firstSample = (startMs + intervalMs_ - 1) / intervalMs_;
  if (settings_.triggerMode == 0) {
    triggerSample_ = firstSample;
    nextSample_ = firstSample;
  } else {
    // Armed once the pre-trigger samples are in; an edge needs the sample before it too.
    nextSample_ = firstSample + std::max<std::uint64_t>(preTrigger_, 1);
  }
}

double ScopeScan::triggerValue(const Sample &s) const {
  switch (settings_.triggerMode) {
  case 3:
    return s.evaluation.colorNumber == 0 ? 1 : 0;
  case 4:
    return s.in0 ? 1 : 0;
  default:
    return signalTriple(s, settings_.signal)[2];
  }
}

bool ScopeScan::fires(double previous, double current) const {
  const double level = settings_.triggerLevel;
  switch (settings_.triggerMode) {
  case 1:
    return previous < level && current >= level;
  case 2:
    return previous > level && current <= level;
  default:
    return previous == 0 && current != 0;
  }
}

void ScopeScan::advance(const SampleAt &sampleAt, std::uint64_t nowMs) {
  if (triggerSample_) return;
  const std::uint64_t newest = nowMs / intervalMs_;
  if (newest < nextSample_) return;
  if (newest - nextSample_ > kMaxCatchUp) {
    nextSample_ = newest - kMaxCatchUp;
    previous_.reset();
  }
  if (!previous_) previous_ = triggerValue(sampleAt((nextSample_ - 1) * intervalMs_));
  for (; nextSample_ <= newest; ++nextSample_) {
    const double current = triggerValue(sampleAt(nextSample_ * intervalMs_));
    if (fires(*previous_, current)) {
      triggerSample_ = nextSample_;
      return;
    }
    previous_ = current;
  }
}

std::optional<std::uint64_t> ScopeScan::completionMs() const {
  if (!triggerSample_) return std::nullopt;
  return (*triggerSample_ - preTrigger_ + kScopeSamples - 1) * intervalMs_;
}

std::uint64_t ScopeScan::nextDueMs() const {
  if (const auto done = completionMs()) return *done;
  return nextSample_ * intervalMs_ + kCheckBatchMs;
}

std::uint16_t ScopeScan::ringIndex() const {
  if (!triggerSample_ || settings_.triggerMode == 0) return 0;
  return static_cast<std::uint16_t>(*triggerSample_ % kScopeSamples);
}

std::array<std::vector<std::uint8_t>, 4> ScopeScan::blocks(const SampleAt &sampleAt) const {
  std::array<std::vector<std::uint8_t>, 4> out;
  for (auto &b : out)
    b.assign(kScopeBlockBytes, 0);
  if (!triggerSample_) return out;
  const std::uint64_t first = *triggerSample_ - preTrigger_;
  const bool timeOrder = settings_.triggerMode == 0;
  for (std::uint64_t j = first; j < first + kScopeSamples; ++j) {
    const Sample s = sampleAt(j * intervalMs_);
    const std::size_t slot = timeOrder ? j - first : j % kScopeSamples;
    const auto triple = signalTriple(s, settings_.signal);
    for (std::size_t k = 0; k < 3; ++k)
      putLe16(&out[k][2 * slot], triple[k]);
    putLe16(&out[3][2 * slot], digitalState(s));
  }
  for (auto &b : out)
    putLe16(&b[2 * kScopeSamples], ringIndex());
  return out;
}

} // namespace quorvane::sim
