#include "live/core/colour_space_drawing.h"

#include "live/core/live_display.h"

#include <algorithm>
#include <utility>

namespace quorvane {

namespace {

// Starting values that any counting row widens; left untouched they swap into [0, 10000].
constexpr IntRange kUnwidened{10000, 0};

void widen(IntRange &range, int centre, int tolerance) {
  range.min = std::min(range.min, centre - tolerance);
  range.max = std::max(range.max, centre + tolerance);
}

OvalBox box(int cx, int rx, int cy, int ry) {
  return {cx - rx, cx + rx, cy - ry, cy + ry};
}

} // namespace

RowGeometry rowGeometry(const TeachVector &row, int calculationMode) {
  const auto &c = row.cell;
  if (is2D(calculationMode)) return {c[0], c[1], c[2], c[3], c[4]};
  return {c[0], c[1], c[3], c[2], c[3]};
}

bool rowCountsForRanges(const RowGeometry &g) {
  return !(g.c1 <= 10 && g.c2 <= 10);
}

ColourSpaceRanges colourSpaceRanges(const TeachTable &table, int calculationMode) {
  ColourSpaceRanges out{{kUnwidened, kUnwidened, kUnwidened}};
  for (const TeachVector &row : table) {
    const RowGeometry g = rowGeometry(row, calculationMode);
    if (!rowCountsForRanges(g)) continue;
    widen(out.range[0], g.c1, g.r);
    widen(out.range[1], g.c2, g.r);
    widen(out.range[2], g.c3, g.r3);
  }
  for (IntRange &r : out.range)
    if (r.max < r.min) std::swap(r.min, r.max);
  return out;
}

RowOvals rowOvals(const RowGeometry &g, std::uint32_t colour) {
  return {colour, box(g.c1, g.r, g.c2, g.r), box(g.c1, g.r, g.c3, g.r3),
          box(g.c2, g.r, g.c3, g.r3)};
}

IntensityBand intensityBand(const TeachTable &table, int calculationMode, int row) {
  const auto index = static_cast<std::size_t>(std::clamp(row, 0, int{kTeachRows} - 1));
  const RowGeometry g = rowGeometry(table[index], calculationMode);
  IntensityBand band;
  // Clipping the lower end too keeps the band ordered when the intensity itself lies
  // beyond the axis.
  band.xMin = std::clamp(g.c3 - g.r3, 0, kIntensityBandLimit);
  band.xMax = std::clamp(g.c3 + g.r3, 0, kIntensityBandLimit);
  return band;
}

ColourSpaceDrawing colourSpaceDrawing(const TeachTable &table, int calculationMode,
                                      std::span<const std::uint32_t> rowColours, int currentRow) {
  ColourSpaceDrawing out;
  out.ranges = colourSpaceRanges(table, calculationMode);
  for (std::size_t n = 0; n < kTeachRows; ++n) {
    const std::uint32_t colour = n < rowColours.size() ? rowColours[n] : 0x000000;
    out.rows[n] = rowOvals(rowGeometry(table[n], calculationMode), colour);
  }
  out.band = intensityBand(table, calculationMode, currentRow);
  return out;
}

} // namespace quorvane
