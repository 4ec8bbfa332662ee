#pragma once
// Colour co-ordinates of the simulated sensor, computed from the calibrated channels.
//
//   S = R + G + B                       (0 .. 12285)
//   X = 4096 R / S,  Y = 4096 G / S     (chromaticity, 0 .. 4096)
//   INT = S / 3                         (0 .. 4095)
//   s = 5000 (1 + (R - G) / S)          (red-green opponent axis, 0 .. 10000)
//   i = 5000 (1 - B / S)                (yellow-blue opponent axis, 0 .. 5000)
//   M = 1200 S / 12285                  (brightness, 0 .. 1200)
//
// A black input (S = 0) gives 0 for every co-ordinate.
#include "params/core/modes.h"
#include <cstdint>

namespace quorvane::sim {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

struct Coords {
  int a = 0, b = 0, c = 0; // X Y INT, or s i M
};

inline constexpr int kChannelMax = 4095;

[[nodiscard]] Coords toXyInt(const Rgb &c);
[[nodiscard]] Coords toSiM(const Rgb &c);
// The co-ordinates the CALCULATION MODE asks for: X Y INT in modes 0 and 2, s i M in 1 and 3.
[[nodiscard]] Coords toCoords(const Rgb &c, std::uint16_t calculationMode);

// Inverses, used to turn taught rows back into scene colours; channels clamped to 0 .. 4095.
[[nodiscard]] Rgb fromXyInt(double x, double y, double intensity);
[[nodiscard]] Rgb fromSiM(double s, double i, double m);

} // namespace quorvane::sim
