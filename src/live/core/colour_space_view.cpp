#include "live/core/colour_space_view.h"

#include "live/core/live_display.h"

#include <algorithm>

namespace quorvane {

namespace {

struct Extent {
  int span = 0;
  int centre = 0;
};

// The range stretched to reach the value.
Extent extentOf(IntRange r, int v) {
  if (v > r.max) {
    const int span = v - r.min;
    return {span, r.min + span / 2};
  }
  if (v < r.min) {
    const int span = r.max - v;
    return {span, v + span / 2};
  }
  const int span = r.max - r.min;
  return {span, r.min + span / 2};
}

IntRange around(int centre, int half) {
  return {centre - half - kAxisMargin, centre + half + kAxisMargin};
}

Projection project(IntRange ra, IntRange rb, int va, int vb) {
  return {fitAxes(ra, rb, va, vb), {double(va), double(vb)}};
}

} // namespace

AxisPair fitAxes(IntRange ra, IntRange rb, int va, int vb) {
  const Extent a = extentOf(ra, va);
  const Extent b = extentOf(rb, vb);
  const int half = std::max(a.span, b.span) / 2;
  return {around(a.centre, half), around(b.centre, half)};
}

View2D colourView2D(const ColourSpaceRanges &ranges, const MeasuredValues &m, int calculationMode) {
  const auto &r = ranges.range;
  View2D v;
  v.plane = fitAxes(r[0], r[1], m.x, m.y);
  v.planeCursor = {double(m.x), double(m.y)};
  double intensity = m.intensity;
  if (isSiM(calculationMode)) intensity = std::min(intensity, kIntensityCursorLimit);
  v.intensityCursor = {intensity, kIntensityCursorHeight};
  return v;
}

View3D colourView3D(const ColourSpaceRanges &ranges, const MeasuredValues &m) {
  const auto &r = ranges.range;
  return {project(r[0], r[1], m.x, m.y), project(r[0], r[2], m.x, m.intensity),
          project(r[1], r[2], m.y, m.intensity)};
}

} // namespace quorvane
