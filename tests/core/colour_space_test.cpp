#include "live/core/colour_space_drawing.h"
#include "live/core/colour_space_view.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvane {
namespace {

TeachVector row(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d,
                std::uint16_t e) {
  TeachVector v;
  v.cell = {a, b, c, d, e};
  return v;
}

MeasuredValues frame(std::int16_t x, std::int16_t y, std::int16_t intensity) {
  MeasuredValues m;
  m.x = x;
  m.y = y;
  m.intensity = intensity;
  return m;
}

constexpr IntRange kEmpty{0, 10000};

TEST(ColourSpace, RowGeometryFollowsTheFamilyOfTheMode) {
  const TeachVector v = row(10, 20, 30, 40, 50);
  const struct {
    int mode;
    RowGeometry g;
  } cases[] = {
      {0, {10, 20, 30, 40, 50}},
      {1, {10, 20, 30, 40, 50}},
      {2, {10, 20, 40, 30, 40}},
      {3, {10, 20, 40, 30, 40}},
      // An unknown mode is drawn on the 3D page, so it takes the 3D layout.
      {7, {10, 20, 40, 30, 40}},
  };
  for (const auto &c : cases)
    EXPECT_EQ(rowGeometry(v, c.mode), c.g) << "mode " << c.mode;
}

TEST(ColourSpace, RangesCoverTheRowsThatCount) {
  const struct {
    const char *what;
    std::vector<TeachVector> rows; // rows 0.. ; the rest stay all zero
    int mode;
    ColourSpaceRanges ranges;
  } cases[] = {
      {"empty table", {}, 0, {{kEmpty, kEmpty, kEmpty}}},
      {"reset table (all cells 1)",
       std::vector<TeachVector>(kTeachRows, row(1, 1, 1, 1, 1)),
       0,
       {{kEmpty, kEmpty, kEmpty}}},
      {"both centres at 10 do not count",
       {row(10, 10, 500, 900, 500)},
       0,
       {{kEmpty, kEmpty, kEmpty}}},
      {"first centre 11 counts",
       {row(11, 0, 5, 100, 20)},
       0,
       {{IntRange{6, 16}, IntRange{-5, 5}, IntRange{80, 120}}}},
      {"second centre 11 counts",
       {row(0, 11, 5, 100, 20)},
       0,
       {{IntRange{-5, 5}, IntRange{6, 16}, IntRange{80, 120}}}},
      {"tolerance beyond the centre goes negative",
       {row(100, 200, 300, 50, 80)},
       1,
       {{IntRange{-200, 400}, IntRange{-100, 500}, IntRange{-30, 130}}}},
      {"3D: one tolerance on all three",
       {row(1000, 2000, 3000, 100, 1)},
       2,
       {{IntRange{900, 1100}, IntRange{1900, 2100}, IntRange{2900, 3100}}}},
      {"several rows widen together",
       {row(1000, 2000, 100, 3000, 50), row(0, 0, 0, 0, 0), row(3000, 500, 200, 1000, 300)},
       0,
       {{IntRange{900, 3200}, IntRange{300, 2100}, IntRange{700, 3050}}}},
      {"full 16-bit cells do not overflow",
       {row(65535, 65535, 65535, 65535, 65535)},
       0,
       {{IntRange{0, 131070}, IntRange{0, 131070}, IntRange{0, 131070}}}},
  };
  for (const auto &c : cases) {
    TeachTable t{};
    for (std::size_t n = 0; n < c.rows.size(); ++n)
      t[n] = c.rows[n];
    EXPECT_EQ(colourSpaceRanges(t, c.mode), c.ranges) << c.what;
  }
}

TEST(ColourSpace, EveryRowIsDrawnInItsColourOnAllFourGraphs) {
  TeachTable t{};
  t[0] = row(1000, 2000, 100, 3000, 50);                        // 2D layout
  t[30] = row(5, 6, 7, 8, 9);                                   // untaught rows are drawn too
  std::vector<std::uint32_t> colours(kTeachRows - 1, 0x123456); // one colour short
  colours[0] = 0xFF0000;

  const ColourSpaceDrawing d = colourSpaceDrawing(t, 0, colours, 0);
  EXPECT_EQ(
      d.rows[0],
      (RowOvals{
          0xFF0000, {900, 1100, 1900, 2100}, {900, 1100, 2950, 3050}, {1900, 2100, 2950, 3050}}));
  EXPECT_EQ(d.rows[1], (RowOvals{0x123456, {}, {}, {}}));
  // Row 30 has no colour in the list: drawn black.
  EXPECT_EQ(d.rows[30], (RowOvals{0x000000, {-2, 12, -1, 13}, {-2, 12, -1, 17}, {-1, 13, -1, 17}}));
  EXPECT_EQ(d.ranges, colourSpaceRanges(t, 0));
  EXPECT_EQ(d.band, intensityBand(t, 0, 0));

  // The same row in the 3D layout: intensity third, one tolerance.
  t[0] = row(1000, 2000, 3000, 100, 1);
  EXPECT_EQ(
      colourSpaceDrawing(t, 3, colours, 0).rows[0],
      (RowOvals{
          0xFF0000, {900, 1100, 1900, 2100}, {900, 1100, 2900, 3100}, {1900, 2100, 2900, 3100}}));
}

TEST(ColourSpace, IntensityBandOfTheSelectedRow) {
  const struct {
    const char *what;
    TeachVector v;
    int mode;
    int row; // the "No." field; the row at index 5 holds v
    int xMin, xMax;
  } cases[] = {
      {"clipped at the full scale", row(0, 0, 0, 4000, 200), 0, 5, 3800, 4096},
      {"clipped at zero", row(0, 0, 0, 50, 200), 1, 5, 0, 250},
      {"exactly full scale", row(0, 0, 0, 3896, 200), 0, 5, 3696, 4096},
      {"3D: intensity in cell 3, tolerance in cell 4", row(0, 0, 1000, 30, 1), 2, 5, 970, 1030},
      {"intensity beyond the axis gives an empty band at its end", row(0, 0, 0, 5000, 100), 0, 5,
       4096, 4096},
      {"another row selected", row(0, 0, 0, 4000, 200), 0, 4, 0, 0},
  };
  for (const auto &c : cases) {
    TeachTable t{};
    t[5] = c.v;
    const IntensityBand b = intensityBand(t, c.mode, c.row);
    EXPECT_EQ(b, (IntensityBand{c.xMin, c.xMax, 0, 100, 0x408080})) << c.what;
  }
}

TEST(ColourSpace, IntensityBandRowOutsideTheTableTakesTheNearestRow) {
  TeachTable t{};
  t[0] = row(0, 0, 0, 100, 10);
  t[30] = row(0, 0, 0, 200, 10);
  EXPECT_EQ(intensityBand(t, 0, -1).xMin, 90);
  EXPECT_EQ(intensityBand(t, 0, 31).xMin, 190);
  EXPECT_EQ(intensityBand(t, 0, 1000000).xMin, 190);
}

TEST(ColourSpace, AxisFitting) {
  const struct {
    const char *what;
    IntRange ra, rb;
    int va, vb;
    AxisPair axes;
  } cases[] = {
      {"empty table, value inside", kEmpty, kEmpty, 100, 200, {{-25, 10025}, {-25, 10025}}},
      {"value above the range stretches it",
       {1000, 2000},
       {1000, 2000},
       3000,
       1500,
       {{975, 3025}, {475, 2525}}},
      {"value below the range stretches it",
       {1000, 2000},
       {1000, 2000},
       1500,
       -1000,
       {{-25, 3025}, {-1025, 2025}}},
      {"narrow axis takes the width of the wide one",
       {0, 100},
       {0, 1000},
       50,
       500,
       {{-475, 575}, {-25, 1025}}},
      {"odd spans truncate", {0, 101}, {0, 7}, 0, 0, {{-25, 125}, {-72, 78}}},
      {"negative range", {-101, 0}, {-101, 0}, -50, -50, {{-126, 24}, {-126, 24}}},
      {"value on the edge does not stretch", {10, 20}, {10, 20}, 20, 10, {{-15, 45}, {-15, 45}}},
      {"16-bit extremes", {0, 0}, {0, 0}, 32767, -32768, {{-26, 32792}, {-32793, 25}}},
  };
  for (const auto &c : cases)
    EXPECT_EQ(fitAxes(c.ra, c.rb, c.va, c.vb), c.axes) << c.what;
}

TEST(ColourSpace, View2DFollowsTheFrame) {
  // Nothing taught: the view spans [0, 10000] on both axes around any ordinary colour.
  EXPECT_EQ(colourView2D(colourSpaceRanges(TeachTable{}, 0), frame(100, 200, 0), 0).plane,
            (AxisPair{{-25, 10025}, {-25, 10025}}));

  TeachTable t{};
  t[0] = row(1000, 1000, 100, 500, 50);
  const ColourSpaceRanges r = colourSpaceRanges(t, 0);

  const View2D inside = colourView2D(r, frame(1000, 1050, 480), 0);
  EXPECT_EQ(inside.plane, (AxisPair{{875, 1125}, {875, 1125}}));
  EXPECT_EQ(inside.planeCursor, (PlotPoint{1000, 1050}));
  EXPECT_EQ(inside.intensityCursor, (PlotPoint{480, 50}));

  // A measurement outside the taught region extends the view to reach it.
  const View2D outside = colourView2D(r, frame(3000, 1000, 480), 0);
  EXPECT_EQ(outside.plane, (AxisPair{{875, 3025}, {-75, 2075}}));
  EXPECT_EQ(outside.planeCursor, (PlotPoint{3000, 1000}));
}

TEST(ColourSpace, IntensityCursorStopsAt1200InTheSimModes) {
  const ColourSpaceRanges r = colourSpaceRanges(TeachTable{}, 1);
  const struct {
    int mode;
    std::int16_t intensity;
    double cursor;
  } cases[] = {
      {1, 1500, 1200.0},
      {1, 1201, 1200.0},
      {1, 1200, 1200.0},
      {1, 1199, 1199.0},
      {3, 32767, 1200.0},
      {1, -300, -300.0},
      // X/Y/INT keeps the full channel scale.
      {0, 1500, 1500.0},
      {0, 4095, 4095.0},
      {2, 5000, 5000.0},
  };
  for (const auto &c : cases)
    EXPECT_EQ(colourView2D(r, frame(0, 0, c.intensity), c.mode).intensityCursor,
              (PlotPoint{c.cursor, 50.0}))
        << "mode " << c.mode << " intensity " << c.intensity;
}

TEST(ColourSpace, View3DFitsEachProjectionToItsPair) {
  TeachTable t{};
  t[0] = row(1000, 2000, 3000, 100, 1);
  const ColourSpaceRanges r = colourSpaceRanges(t, 2); // [900,1100] [1900,2100] [2900,3100]

  const View3D v = colourView3D(r, frame(1000, 2500, 3000));
  EXPECT_EQ(v.xy, (Projection{{{675, 1325}, {1875, 2525}}, {1000, 2500}}));
  EXPECT_EQ(v.xInt, (Projection{{{875, 1125}, {2875, 3125}}, {1000, 3000}}));
  EXPECT_EQ(v.yInt, (Projection{{{1875, 2525}, {2675, 3325}}, {2500, 3000}}));
}

} // namespace
} // namespace quorvane
