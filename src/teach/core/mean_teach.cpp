#include "teach/core/mean_teach.h"

#include <algorithm>
#include <cstdlib>

namespace quorvane {
namespace {

int clampedCounter(const CaptureTable &t) {
  return std::clamp(t.counter, 0, kMaxCapturedFrames);
}

} // namespace

void captureFrame(CaptureTable &t, const MeasuredValues &m) {
  const int n = std::min(clampedCounter(t), kMaxCapturedFrames - 1) + 1;
  t.counter = n;
  t.activeLine = n;
  t.frames[static_cast<std::size_t>(n - 1)] = {teachCellValue(m.red),  teachCellValue(m.green),
                                               teachCellValue(m.blue), teachCellValue(m.x),
                                               teachCellValue(m.y),    teachCellValue(m.intensity)};
}

void undoCapture(CaptureTable &t) {
  const int n = std::max(clampedCounter(t) - 1, 0);
  t.counter = n;
  // Keep the last six lines in view.
  t.activeLine = n < 6 ? 1 : n - 5;
  if (n < kMaxCapturedFrames) t.frames[static_cast<std::size_t>(n)].fill(0);
}

void resetCaptureTable(CaptureTable &t) {
  t = CaptureTable{};
}

std::uint64_t integerSqrt(std::uint64_t value) {
  // Bit by bit: exact for every 64-bit value, no floating point rounding.
  std::uint64_t root = 0;
  std::uint64_t bit = std::uint64_t{1} << 62;
  while (bit > value)
    bit >>= 2;
  while (bit != 0) {
    if (value >= root + bit) {
      value -= root + bit;
      root = (root >> 1) + bit;
    } else {
      root >>= 1;
    }
    bit >>= 2;
  }
  return root;
}

MeanValues calculateMeans(const CaptureTable &t, std::uint16_t calcMode) {
  MeanValues out;
  const int n = clampedCounter(t);
  if (n == 0) return out;
  for (std::size_t c = 0; c < kCaptureColumns; ++c) {
    std::uint32_t sum = 0;
    for (int i = 0; i < n; ++i)
      sum += t.frames[static_cast<std::size_t>(i)][c];
    out.mean[c] = static_cast<std::uint16_t>(sum / static_cast<std::uint32_t>(n));
  }
  calculateSpreads(t, calcMode, out);
  return out;
}

void calculateSpreads(const CaptureTable &t, std::uint16_t calcMode, MeanValues &means) {
  const std::int64_t mX = means.mean[3];
  const std::int64_t mY = means.mean[4];
  const std::int64_t mI = means.mean[5];
  std::uint64_t spread = 0;
  std::uint64_t spreadInt = 0;
  const int n = clampedCounter(t);
  for (int i = 0; i < n; ++i) {
    const CapturedFrame &f = t.frames[static_cast<std::size_t>(i)];
    const std::int64_t dX = f[3] - mX;
    const std::int64_t dY = f[4] - mY;
    const std::int64_t dI = std::llabs(f[5] - mI);
    auto d2 = static_cast<std::uint64_t>(dX * dX + dY * dY);
    if (is3D(calcMode)) d2 += static_cast<std::uint64_t>(dI * dI);
    spread = std::max(spread, integerSqrt(d2));
    spreadInt = std::max(spreadInt, static_cast<std::uint64_t>(dI));
  }
  means.spread = static_cast<std::uint32_t>(spread);
  means.spreadInt = static_cast<std::uint32_t>(spreadInt);
}

std::uint16_t chosenTolerance(int ring, std::uint32_t spread, std::uint16_t value,
                              std::uint16_t tableCell) {
  const auto held = [](std::uint64_t v) {
    return static_cast<std::uint16_t>(std::min<std::uint64_t>(v, 0xFFFF));
  };
  switch (ring) {
  case static_cast<int>(ToleranceChoice::Value):
    return value;
  case static_cast<int>(ToleranceChoice::Spread):
    return held(spread);
  case static_cast<int>(ToleranceChoice::SpreadPlusValue):
    return held(std::uint64_t{spread} + value);
  case static_cast<int>(ToleranceChoice::KeepTable):
    return tableCell;
  default:
    return 0;
  }
}

TeachResult teachRowFromMeans(const MeanTeachInput &in, const TeachTable &table) {
  TeachResult out;
  const int row = clampTeachRow(in.currentRow);
  const TeachVector &current = table[static_cast<std::size_t>(row)];
  const bool threeD = is3D(in.calcMode);
  const CapturedFrame &mean = in.means.mean;
  const std::uint16_t t1 =
      chosenTolerance(in.ring1, in.means.spread, in.value1, current.cell[threeD ? 3 : 2]);
  const std::uint16_t t2 =
      chosenTolerance(in.ring2, in.means.spreadInt, in.value2, current.cell[threeD ? 3 : 4]);
  const std::uint16_t first = in.evalMode == kEvalMinDist ? kMinDistTolerance : t1;
  out.writes = {{row, 0, mean[3]}, {row, 1, mean[4]}};
  if (threeD) {
    out.writes.push_back({row, 2, mean[5]});
    out.writes.push_back({row, 3, first});
  } else {
    out.writes.push_back({row, 2, first});
    out.writes.push_back({row, 3, mean[5]});
    out.writes.push_back({row, 4, t2});
  }
  out.nextRow = nextTeachRow(row, in.autoIncrement);
  return out;
}

} // namespace quorvane
