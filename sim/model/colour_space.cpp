#include "model/colour_space.h"

#include <algorithm>
#include <cmath>

namespace quorvane::sim {
namespace {

constexpr double kSumMax = 3.0 * kChannelMax;

double clampChannel(double v) {
  return std::clamp(v, 0.0, static_cast<double>(kChannelMax));
}

int roundInt(double v) {
  return static_cast<int>(std::lround(v));
}

} // namespace

Coords toXyInt(const Rgb &c) {
  const double sum = c.r + c.g + c.b;
  if (sum <= 0) return {};
  return {roundInt(4096.0 * c.r / sum), roundInt(4096.0 * c.g / sum), roundInt(sum / 3.0)};
}

Coords toSiM(const Rgb &c) {
  const double sum = c.r + c.g + c.b;
  if (sum <= 0) return {};
  return {roundInt(5000.0 * (1.0 + (c.r - c.g) / sum)), roundInt(5000.0 * (1.0 - c.b / sum)),
          roundInt(1200.0 * sum / kSumMax)};
}

Coords toCoords(const Rgb &c, std::uint16_t calculationMode) {
  return isSiM(calculationMode) ? toSiM(c) : toXyInt(c);
}

Rgb fromXyInt(double x, double y, double intensity) {
  const double sum = 3.0 * intensity;
  const double r = x * sum / 4096.0;
  const double g = y * sum / 4096.0;
  return {clampChannel(r), clampChannel(g), clampChannel(sum - r - g)};
}

Rgb fromSiM(double s, double i, double m) {
  const double sum = m * kSumMax / 1200.0;
  const double b = sum * (1.0 - i / 5000.0);
  const double redPlusGreen = sum - b;
  const double redMinusGreen = sum * (s / 5000.0 - 1.0);
  return {clampChannel((redPlusGreen + redMinusGreen) / 2.0),
          clampChannel((redPlusGreen - redMinusGreen) / 2.0), clampChannel(b)};
}

} // namespace quorvane::sim
