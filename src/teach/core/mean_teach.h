#pragma once
// The mean-value teach assistant: up to 100 captured frames, their means and largest
// spread, and the row TEACH writes from them.
#include "live/core/measured_values.h"
#include "params/core/teach_table.h"
#include "teach/core/teach_data.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvane {

inline constexpr int kMaxCapturedFrames = 100;
// Columns R, G, B, X, Y, INT (s, i, M in calculation modes 1 and 3).
inline constexpr std::size_t kCaptureColumns = 6;
inline constexpr std::uint16_t kMinDistTolerance = 40;

using CapturedFrame = std::array<std::uint16_t, kCaptureColumns>;

// The captured-values table; line n (1-based on the screen) is frames[n - 1].
struct CaptureTable {
  std::array<CapturedFrame, kMaxCapturedFrames> frames{};
  int counter = 0;    // captured frames, 0..100
  int activeLine = 1; // the line kept in view, 1-based

  bool operator==(const CaptureTable &) const = default;
};

// Appends R, G, B, X, Y, INT of the frame; with 100 frames present the last line is
// overwritten. Negative values are captured as 0. Follow with calculateMeans.
void captureFrame(CaptureTable &t, const MeasuredValues &m);
// Drops the last captured frame (nothing when empty). Follow with calculateMeans.
void undoCapture(CaptureTable &t);
// Counter 0, every cell 0, line 1 in view.
void resetCaptureTable(CaptureTable &t);

struct MeanValues {
  CapturedFrame mean{};
  // Largest distance from the mean in the colour plane (with the intensity in the 3D
  // modes), and largest intensity deviation. Beyond 16 bits only for values far outside
  // the sensor's 12-bit range.
  std::uint32_t spread = 0;
  std::uint32_t spreadInt = 0;

  bool operator==(const MeanValues &) const = default;
};

// Truncated integer square root.
[[nodiscard]] std::uint64_t integerSqrt(std::uint64_t value);
// Means of the first `counter` frames, truncated; all zero when none are captured.
[[nodiscard]] MeanValues calculateMeans(const CaptureTable &t, std::uint16_t calcMode);
// The two spreads of the first `counter` frames around the given means (X, Y, INT at
// columns 4 to 6). Squares are summed in 64 bits.
void calculateSpreads(const CaptureTable &t, std::uint16_t calcMode, MeanValues &means);

// Choices of a "TEACH ... WITH" ring.
enum class ToleranceChoice : int { Value = 0, Spread = 1, SpreadPlusValue = 2, KeepTable = 3 };

struct MeanTeachInput {
  MeanValues means;
  std::uint16_t calcMode = 0;
  std::uint16_t evalMode = 0;
  int ring1 = 0; // pair (or single) tolerance
  int ring2 = 0; // intensity tolerance
  std::uint16_t value1 = 0;
  std::uint16_t value2 = 0;
  int currentRow = 0;
  bool autoIncrement = false;
};

// Tolerance from a ring choice: the value, the spread, their sum (held at 65535 rather than
// wrapped), or the cell already in the table; a ring value outside 0..3 gives 0.
[[nodiscard]] std::uint16_t chosenTolerance(int ring, std::uint32_t spread, std::uint16_t value,
                                            std::uint16_t tableCell);

// The cells TEACH writes into row currentRow and the next "No." value. Tolerances are always
// written (40 as pair or single tolerance in MIN DIST); the fifth cell is left alone in the
// 3D modes; the row colour never changes.
[[nodiscard]] TeachResult teachRowFromMeans(const MeanTeachInput &in, const TeachTable &table);

} // namespace quorvane
