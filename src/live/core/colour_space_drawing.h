#pragma once
// What the 2D and 3D colour-space views draw of the teach table: one tolerance oval per row
// on the colour plane and on the three projections, the intensity band of the selected row,
// and the ranges the taught rows cover. Computed when the table, the row colours, the
// calculation mode or the selected row change; the widgets only copy the boxes.
#include "params/core/teach_table.h"

#include <array>
#include <cstdint>
#include <span>

namespace quorvane {

struct IntRange {
  int min = 0;
  int max = 0;
  bool operator==(const IntRange &) const = default;
};

// First (X or s), second (Y or i) and third (INT or M) co-ordinate.
struct ColourSpaceRanges {
  std::array<IntRange, 3> range{};
  bool operator==(const ColourSpaceRanges &) const = default;
};

// Where a row sits in colour space: centre (c1, c2) with the pair tolerance r, and the third
// co-ordinate c3 with its tolerance r3.
struct RowGeometry {
  int c1 = 0;
  int c2 = 0;
  int r = 0;
  int c3 = 0;
  int r3 = 0;
  bool operator==(const RowGeometry &) const = default;
};

// The 2D modes (0, 1) keep the pair tolerance in cell 3 and the intensity and its tolerance
// in cells 4 and 5; the 3D modes put the intensity in cell 3 and one tolerance in cell 4.
[[nodiscard]] RowGeometry rowGeometry(const TeachVector &row, int calculationMode);

// Rows whose first two co-ordinates are both at most 10 are taken as not taught.
[[nodiscard]] bool rowCountsForRanges(const RowGeometry &g);

// The ranges covered by the rows that count, with their tolerances. A range no row widened
// is [0, 10000].
[[nodiscard]] ColourSpaceRanges colourSpaceRanges(const TeachTable &table, int calculationMode);

// Bounding box of a full oval without fill, in plot co-ordinates (x horizontal, y vertical).
struct OvalBox {
  int xMin = 0;
  int xMax = 0;
  int yMin = 0;
  int yMax = 0;
  bool operator==(const OvalBox &) const = default;
};

struct RowOvals {
  std::uint32_t colour = 0; // 0xRRGGBB
  OvalBox pair;             // the colour plane and the X/Y projection alike
  OvalBox firstThird;       // X/INT projection
  OvalBox secondThird;      // Y/INT projection
  bool operator==(const RowOvals &) const = default;
};

// Row n is drawn in rowColours[n]; rows beyond the given colours are drawn black. Every row
// is drawn, taught or not.
[[nodiscard]] RowOvals rowOvals(const RowGeometry &g, std::uint32_t colour);

// The filled band of one row's intensity tolerance on the 2D page's intensity graph.
struct IntensityBand {
  int xMin = 0;
  int xMax = 0;
  int yMin = 0;
  int yMax = 100;
  std::uint32_t colour = 0x408080; // frame and fill
  bool operator==(const IntensityBand &) const = default;
};

// The intensity axis ends at 4096, the full scale of a channel.
inline constexpr int kIntensityBandLimit = 4096;

// Band of row `row` (the "No." field; outside 0..30 it is taken as the nearest row): from
// I - D to I + D, both ends kept inside [0, 4096].
[[nodiscard]] IntensityBand intensityBand(const TeachTable &table, int calculationMode, int row);

// Everything the views draw after a change of table, colours, mode or selected row.
struct ColourSpaceDrawing {
  ColourSpaceRanges ranges;
  std::array<RowOvals, kTeachRows> rows{};
  IntensityBand band;
  bool operator==(const ColourSpaceDrawing &) const = default;
};

[[nodiscard]] ColourSpaceDrawing colourSpaceDrawing(const TeachTable &table, int calculationMode,
                                                    std::span<const std::uint32_t> rowColours,
                                                    int currentRow);

} // namespace quorvane
