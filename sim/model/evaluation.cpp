#include "model/evaluation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace quorvane::sim {
namespace {

struct RowMatch {
  double distance = 0;
  bool intensityOk = false;
  bool hit = false;
};

RowMatch matchRow(const TeachVector &row, const Coords &v, bool threeD) {
  const auto &c = row.cell;
  RowMatch m;
  if (threeD) {
    const double da = v.a - c[0], db = v.b - c[1], dc = v.c - c[2];
    m.distance = std::sqrt(da * da + db * db + dc * dc);
    m.intensityOk = true;
    m.hit = m.distance <= c[3];
  } else {
    m.distance = std::hypot(v.a - double(c[0]), v.b - double(c[1]));
    m.intensityOk = std::abs(v.c - int(c[3])) <= int(c[4]);
    m.hit = m.intensityOk && m.distance <= c[2];
  }
  return m;
}

std::int16_t distanceValue(double d) {
  return static_cast<std::int16_t>(
      std::min<long>(std::lround(d), std::numeric_limits<std::int16_t>::max()));
}

Evaluation thresholds(const SensorParameters &p, const TeachTable &table, const Rgb &ch) {
  double first = ch.r, second = ch.g;
  if (p.evaluationMode == 5) second = ch.b;
  if (p.evaluationMode == 6) {
    first = ch.g;
    second = ch.b;
  }
  Evaluation e;
  e.colorNumber = static_cast<std::int16_t>((first > table[0].cell[0] ? 1 : 0) |
                                            (second > table[1].cell[0] ? 2 : 0));
  return e;
}

Evaluation twoColours(const TeachTable &table, const Coords &v, bool threeD) {
  Evaluation e;
  e.colorNumber = 0;
  double best = std::numeric_limits<double>::infinity();
  for (std::size_t r = 0; r < 2; ++r) {
    const RowMatch m = matchRow(table[r], v, threeD);
    if (!m.hit) continue;
    if (e.group == kNoColour) e.group = static_cast<std::int16_t>(table[r].group);
    e.colorNumber = static_cast<std::int16_t>(e.colorNumber | (1 << r));
    best = std::min(best, m.distance);
  }
  if (e.colorNumber != 0) e.deltaC = distanceValue(best);
  return e;
}

} // namespace

std::size_t activeRows(const SensorParameters &p) {
  if (p.evaluationMode >= 3) return 2;
  return std::clamp<std::size_t>(p.maxVecNo, 1, kTeachRows);
}

Evaluation evaluate(const SensorParameters &p, const TeachTable &table, const Coords &coords,
                    const Rgb &channels, int intensity) {
  if (p.digitalOutmode == 0 || intensity < p.intLim || p.evaluationMode > 6) return {};
  if (p.evaluationMode >= 4) return thresholds(p, table, channels);
  const bool threeD = is3D(p.calculationMode);
  if (p.evaluationMode == 3) return twoColours(table, coords, threeD);

  const std::size_t rows = activeRows(p);
  std::optional<std::size_t> chosen;
  double chosenDistance = std::numeric_limits<double>::infinity();
  double nearest = std::numeric_limits<double>::infinity();
  for (std::size_t r = 0; r < rows; ++r) {
    const RowMatch m = matchRow(table[r], coords, threeD);
    nearest = std::min(nearest, m.distance);
    const bool candidate = p.evaluationMode == 2 ? m.intensityOk : m.hit;
    if (!candidate) continue;
    if (p.evaluationMode == 0) {
      chosen = r;
      chosenDistance = m.distance;
      break;
    }
    if (m.distance < chosenDistance) {
      chosen = r;
      chosenDistance = m.distance;
    }
  }
  Evaluation e;
  if (chosen) {
    e.colorNumber = static_cast<std::int16_t>(*chosen);
    e.group = static_cast<std::int16_t>(table[*chosen].group);
    e.deltaC = distanceValue(chosenDistance);
  } else if (p.evaluationMode == 0) {
    e.deltaC = distanceValue(nearest);
  }
  return e;
}

} // namespace quorvane::sim
