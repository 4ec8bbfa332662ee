#pragma once
// The indicator colour of each teach row (0xRRGGBB), as every view of the rows draws it: the
// colour-space views here, the teach table and the row-colours page above.
#include "params/core/teach_table.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvane {

using TeachRowColours = std::array<std::uint32_t, kTeachRows>;

// Fifteen colours, repeated: row n takes entry n modulo 15.
inline constexpr std::array<std::uint32_t, 15> kRowColourCycle{
    0xFF0000, 0x80FF00, 0x0000FF, 0x000000, 0xFF80C0, 0xFFFF00, 0x808000, 0x800080,
    0x80FFFF, 0xFF0080, 0x400080, 0xFF00FF, 0x008000, 0x408080, 0x800000};

// The first `N` colours of the cycle.
template <std::size_t N> constexpr std::array<std::uint32_t, N> cycledRowColours() {
  std::array<std::uint32_t, N> c{};
  for (std::size_t i = 0; i < N; ++i)
    c[i] = kRowColourCycle[i % kRowColourCycle.size()];
  return c;
}

inline constexpr TeachRowColours DefaultTeachRowColours = cycledRowColours<kTeachRows>();

} // namespace quorvane
