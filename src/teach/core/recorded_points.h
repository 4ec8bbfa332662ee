#pragma once
// The recorded-values teach assistant's store: up to 60000 measured points (X, Y, INT, or
// s, i, M) in recording order, and the search for the point under a graph cursor.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace quorvane {

inline constexpr std::size_t kMaxRecordedPoints = 60000;

struct RecordedPoint {
  double x = 0;
  double y = 0;
  double intensity = 0;

  bool operator==(const RecordedPoint &) const = default;
};

// The three projection graphs: (X, Y), (X, INT), (Y, INT).
enum class ProjectionGraph : int { XY = 0, XInt = 1, YInt = 2 };
inline constexpr int kProjectionGraphs = 3;

struct GraphPosition {
  double x = 0;
  double y = 0;

  bool operator==(const GraphPosition &) const = default;
};

// Where a point lies in one graph.
[[nodiscard]] GraphPosition projectionOf(const RecordedPoint &p, int graph);

// What the panel shows for a selected point: its three numbers and each graph's cursor.
struct PointSelection {
  std::size_t index = 0;
  std::array<std::uint16_t, 3> displays{}; // X, Y, INT as unsigned 16-bit displays
  std::array<GraphPosition, kProjectionGraphs> cursors{};

  bool operator==(const PointSelection &) const = default;
};

class RecordedPoints {
public:
  // Stores one measurement. False when the store is already full (nothing stored).
  bool append(std::int16_t x, std::int16_t y, std::int16_t intensity);
  // True once the last place is taken: the recording must end.
  [[nodiscard]] bool full() const { return points_.size() >= kMaxRecordedPoints; }
  [[nodiscard]] std::size_t counter() const { return points_.size(); }
  [[nodiscard]] const std::vector<RecordedPoint> &points() const { return points_; }
  // RESET: no points, counter 0.
  void clear();

  // The first recorded point (lowest index) that lies exactly at the cursor position in the
  // given graph (0, 1 or 2); point 0 when none does; nullopt when nothing is recorded or
  // the graph number is unknown. Answers from an index, not by scanning the points.
  [[nodiscard]] std::optional<std::size_t> findAtCursor(int graph, GraphPosition cursor) const;
  // selectPointAtCursor: the point found and where every graph's cursor goes.
  [[nodiscard]] std::optional<PointSelection> selectPointAtCursor(int graph,
                                                                  GraphPosition cursor) const;
  // The recorded point drawn nearest to a position in a graph, distances weighed by the
  // pixels per unit of each axis (so the cursor snaps to what the operator sees as
  // nearest); the lowest index among equals; nullopt when nothing is recorded.
  [[nodiscard]] std::optional<std::size_t>
  nearestTo(int graph, GraphPosition at, double xPixelsPerUnit, double yPixelsPerUnit) const;

private:
  std::vector<RecordedPoint> points_;
  // Per graph: the packed integer co-ordinates of a position -> its first point.
  std::array<std::unordered_map<std::uint32_t, std::uint32_t>, kProjectionGraphs> first_;
};

// The selection shown for a point: displays as unsigned 16-bit numbers (negative values
// shown as 0) and every cursor on the point.
[[nodiscard]] PointSelection selectionOf(const RecordedPoint &p, std::size_t index);

} // namespace quorvane
