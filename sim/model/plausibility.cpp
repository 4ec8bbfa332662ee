#include "model/plausibility.h"

namespace quorvane::sim {
namespace {

struct UpperLimit {
  std::uint16_t SensorParameters::*member;
  std::uint16_t max;
};

// Fields whose only rule is an upper limit.
constexpr std::array<UpperLimit, 14> kUpperLimits{{
    {&SensorParameters::power, 1000},
    {&SensorParameters::powerMode, 1},
    {&SensorParameters::evaluationMode, 6},
    {&SensorParameters::maxVecNo, 31},
    {&SensorParameters::digitalOutmode, 3},
    {&SensorParameters::trigger, 6},
    {&SensorParameters::externTeach, 3},
    {&SensorParameters::calculationMode, 3},
    {&SensorParameters::colorGroup, 1},
    {&SensorParameters::ledMode, 3},
    {&SensorParameters::gain, 7},
    {&SensorParameters::integral, 250},
    {&SensorParameters::analogOutmode, 5},
    {&SensorParameters::analogOut, 1},
}};

constexpr std::uint16_t kMaxDynWin = 4095;

} // namespace

std::uint16_t checkParameters(SensorParameters &p) {
  const SensorParameters defaults;
  std::uint16_t count = 0;
  const auto reset = [&](std::uint16_t SensorParameters::*member) {
    p.*member = defaults.*member;
    ++count;
  };
  for (const auto &limit : kUpperLimits)
    if (p.*(limit.member) > limit.max) reset(limit.member);
  if (p.maxVecNo == 0) reset(&SensorParameters::maxVecNo);
  // The window is counted once per field, also when both of its rules catch it.
  bool loReset = false, hiReset = false;
  if (p.dynwinLo > kMaxDynWin) loReset = true;
  if (p.dynwinHi > kMaxDynWin) hiReset = true;
  const std::uint16_t lo = loReset ? defaults.dynwinLo : p.dynwinLo;
  const std::uint16_t hi = hiReset ? defaults.dynwinHi : p.dynwinHi;
  if (lo > hi) loReset = hiReset = true;
  if (loReset) reset(&SensorParameters::dynwinLo);
  if (hiReset) reset(&SensorParameters::dynwinHi);
  return count;
}

std::uint16_t checkTeachTable(TeachTable &t) {
  std::uint16_t count = 0;
  for (auto &row : t) {
    if (row.group > 30) {
      row.group = 0;
      ++count;
    }
  }
  return count;
}

std::uint16_t checkFactors(std::array<std::uint16_t, 3> &factors) {
  std::uint16_t count = 0;
  for (auto &f : factors) {
    if (f > kMaxCalibrationFactor) {
      f = kDefaultCalibrationFactor;
      ++count;
    }
  }
  return count;
}

std::uint16_t checkOffsets(std::array<std::uint16_t, 3> &offsets) {
  std::uint16_t count = 0;
  for (auto &o : offsets) {
    if (o > kMaxOffset) {
      o = 0;
      ++count;
    }
  }
  return count;
}

} // namespace quorvane::sim
