#include "teach/core/recorded_points.h"

#include <algorithm>
#include <cmath>

namespace quorvane {
namespace {

std::uint32_t packPair(std::int16_t a, std::int16_t b) {
  return (static_cast<std::uint32_t>(static_cast<std::uint16_t>(a)) << 16) |
         static_cast<std::uint16_t>(b);
}

// Every recorded co-ordinate is a 16-bit measurement, so a cursor matches a point only at
// such an integer; any other value (fractions, NaN, out of range) matches nothing.
std::optional<std::int16_t> exactInt16(double v) {
  if (!(v >= -32768.0 && v <= 32767.0) || std::trunc(v) != v) return std::nullopt;
  return static_cast<std::int16_t>(v);
}

std::uint16_t displayValue(double v) {
  return static_cast<std::uint16_t>(std::clamp(v, 0.0, 65535.0));
}

} // namespace

GraphPosition projectionOf(const RecordedPoint &p, int graph) {
  switch (graph) {
  case static_cast<int>(ProjectionGraph::XInt):
    return {p.x, p.intensity};
  case static_cast<int>(ProjectionGraph::YInt):
    return {p.y, p.intensity};
  default:
    return {p.x, p.y};
  }
}

PointSelection selectionOf(const RecordedPoint &p, std::size_t index) {
  PointSelection s;
  s.index = index;
  s.displays = {displayValue(p.x), displayValue(p.y), displayValue(p.intensity)};
  for (int g = 0; g < kProjectionGraphs; ++g) {
    s.cursors[static_cast<std::size_t>(g)] = projectionOf(p, g);
  }
  return s;
}

bool RecordedPoints::append(std::int16_t x, std::int16_t y, std::int16_t intensity) {
  if (full()) return false;
  const auto index = static_cast<std::uint32_t>(points_.size());
  points_.push_back({double(x), double(y), double(intensity)});
  // try_emplace keeps an existing entry: the first point at a position wins.
  first_[0].try_emplace(packPair(x, y), index);
  first_[1].try_emplace(packPair(x, intensity), index);
  first_[2].try_emplace(packPair(y, intensity), index);
  return true;
}

void RecordedPoints::clear() {
  points_.clear();
  for (auto &m : first_)
    m.clear();
}

std::optional<std::size_t> RecordedPoints::findAtCursor(int graph, GraphPosition cursor) const {
  if (points_.empty() || graph < 0 || graph >= kProjectionGraphs) return std::nullopt;
  const auto a = exactInt16(cursor.x);
  const auto b = exactInt16(cursor.y);
  if (a && b) {
    const auto &index = first_[static_cast<std::size_t>(graph)];
    if (const auto it = index.find(packPair(*a, *b)); it != index.end()) return it->second;
  }
  return 0;
}

std::optional<PointSelection> RecordedPoints::selectPointAtCursor(int graph,
                                                                  GraphPosition cursor) const {
  const auto index = findAtCursor(graph, cursor);
  if (!index) return std::nullopt;
  return selectionOf(points_[*index], *index);
}

std::optional<std::size_t> RecordedPoints::nearestTo(int graph, GraphPosition at,
                                                     double xPixelsPerUnit,
                                                     double yPixelsPerUnit) const {
  if (points_.empty()) return std::nullopt;
  const double sx = std::isfinite(xPixelsPerUnit) ? std::abs(xPixelsPerUnit) : 1.0;
  const double sy = std::isfinite(yPixelsPerUnit) ? std::abs(yPixelsPerUnit) : 1.0;
  std::size_t best = 0;
  double bestDistance = INFINITY;
  for (std::size_t i = 0; i < points_.size(); ++i) {
    const GraphPosition p = projectionOf(points_[i], graph);
    const double dx = (p.x - at.x) * sx;
    const double dy = (p.y - at.y) * sy;
    const double d = dx * dx + dy * dy;
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return best;
}

} // namespace quorvane
