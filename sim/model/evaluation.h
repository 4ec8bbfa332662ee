#pragma once
// Colour evaluation of one measurement against the teach table, by EVALUATION MODE.
#include "model/colour_space.h"
#include "params/core/sensor_parameters.h"
#include "params/core/teach_table.h"

#include <cstdint>

namespace quorvane::sim {

inline constexpr std::int16_t kNoColour = 255; // failure condition of colour number and group
inline constexpr std::int16_t kNoDistance = -1;

struct Evaluation {
  std::int16_t deltaC = kNoDistance;
  std::int16_t colorNumber = kNoColour;
  std::int16_t group = kNoColour;

  bool operator==(const Evaluation &) const = default;
};

// Rows checked: MAX VEC NO clamped to 1 .. 31; COL2 and the threshold modes use rows 0 and 1.
[[nodiscard]] std::size_t activeRows(const SensorParameters &p);

// `coords` are X Y INT or s i M as the CALCULATION MODE says; `channels` are the calibrated
// red, green and blue (for the threshold modes); `intensity` is the real INT or M (compared
// with INTLIM).
//  - DIGITAL OUTMODE 0 (no evaluation) or intensity below INTLIM: -1 / 255 / 255.
//  - 2D modes: a row is hit when the X/Y (s/i) distance is within cell 2 and |INT - cell 3|
//    is within cell 4; 3D modes: the X/Y/INT (s/i/M) distance is within cell 3.
//  - FIRST HIT: the first hit row; without a hit colour 255 but deltaC still the distance
//    to the nearest row. BEST HIT: the nearest hit row. MIN DIST: the nearest row (2D: among
//    rows whose intensity is within tolerance) whatever its distance.
//  - COL2: bit 0 = row 0 hit, bit 1 = row 1 hit; group of the first hit row.
//  - THD: bit 0 = first channel above row 0 cell 0, bit 1 = second channel above row 1
//    cell 0; no distance and no group.
[[nodiscard]] Evaluation evaluate(const SensorParameters &p, const TeachTable &table,
                                  const Coords &coords, const Rgb &channels, int intensity);

} // namespace quorvane::sim
