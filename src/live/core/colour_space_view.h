#pragma once
// Per frame: the axes and cursors of the 2D and 3D colour-space views. Axes are fitted
// around the taught ranges and the current measurement, so a colour outside the taught
// region stays in view. Everything is fixed-size and computed on the stack.
#include "live/core/colour_space_drawing.h"
#include "live/core/measured_values.h"

#include <type_traits>

namespace quorvane {

// Both axes of a fitted pair get the same width plus this margin on each side.
inline constexpr int kAxisMargin = 25;

struct AxisPair {
  IntRange a; // horizontal
  IntRange b; // vertical
  bool operator==(const AxisPair &) const = default;
};

// Fits axes for co-ordinates (a, b) with ranges `ra`, `rb` and current values `va`, `vb`:
// each axis is centred on its range stretched to the value, both get the larger width.
[[nodiscard]] AxisPair fitAxes(IntRange ra, IntRange rb, int va, int vb);

struct PlotPoint {
  double x = 0.0;
  double y = 0.0;
  bool operator==(const PlotPoint &) const = default;
};

// Where the intensity cursor of the 2D page stands vertically.
inline constexpr double kIntensityCursorHeight = 50.0;
// In the s/i/M modes M is drawn no further than this.
inline constexpr double kIntensityCursorLimit = 1200.0;

struct View2D {
  AxisPair plane;
  PlotPoint planeCursor;
  PlotPoint intensityCursor;
  bool operator==(const View2D &) const = default;
};

[[nodiscard]] View2D colourView2D(const ColourSpaceRanges &ranges, const MeasuredValues &m,
                                  int calculationMode);

// One projection of the 3D page: its axes and the cursor on it.
struct Projection {
  AxisPair axes;
  PlotPoint cursor;
  bool operator==(const Projection &) const = default;
};

struct View3D {
  Projection xy;   // first / second co-ordinate
  Projection xInt; // first / third
  Projection yInt; // second / third
  bool operator==(const View3D &) const = default;
};

// Called per frame: plain values, nothing allocated.
static_assert(std::is_trivially_copyable_v<View2D> && std::is_trivially_copyable_v<View3D>);

[[nodiscard]] View3D colourView3D(const ColourSpaceRanges &ranges, const MeasuredValues &m);

} // namespace quorvane
