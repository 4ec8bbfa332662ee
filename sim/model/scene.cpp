#include "model/scene.h"

#include <algorithm>
#include <cmath>

namespace quorvane::sim {
namespace {

constexpr std::array<Rgb, 2> kOffTable{{{1500, 1500, 1500}, {420, 300, 180}}};
constexpr std::array<Rgb, 4> kThresholdPalette{
    {{3000, 800, 600}, {700, 2800, 900}, {600, 900, 3000}, {2600, 2500, 500}}};
constexpr double kAmbient = 0.03;
constexpr double kNominalPower = 500.0;
constexpr double kNoiseDigits = 12.0;

std::uint64_t mix(std::uint64_t z) {
  z += 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// Uniform in [-1, 1], fixed by seed, time and channel.
double noiseUnit(std::uint64_t seed, std::uint64_t t, std::uint64_t channel) {
  const std::uint64_t h = mix(seed ^ mix(t * 4 + channel));
  return static_cast<double>(h >> 11) / static_cast<double>(1ull << 52) - 1.0;
}

std::size_t stationCount(const SensorParameters &p) {
  return p.evaluationMode >= 4 ? kThresholdPalette.size() : activeRows(p) + kOffTable.size();
}

Rgb station(const SensorParameters &p, const TeachTable &table, std::size_t k) {
  if (p.evaluationMode >= 4) return kThresholdPalette[k];
  const std::size_t rows = activeRows(p);
  if (k >= rows) return kOffTable[k - rows];
  const auto &c = table[k].cell;
  const double third = is3D(p.calculationMode) ? c[2] : c[3];
  return isSiM(p.calculationMode) ? fromSiM(c[0], c[1], third) : fromXyInt(c[0], c[1], third);
}

double clampChannel(double v) {
  return std::clamp(v, 0.0, static_cast<double>(kChannelMax));
}

double channel(const Rgb &c, std::size_t i) {
  return i == 0 ? c.r : (i == 1 ? c.g : c.b);
}

void setChannel(Rgb &c, std::size_t i, double v) {
  (i == 0 ? c.r : (i == 1 ? c.g : c.b)) = v;
}

std::int16_t i16(double v) {
  return static_cast<std::int16_t>(std::lround(v));
}

struct Light {
  double factor = 1.0; // applied to the scene colour
  int power = 0;       // transmitter power in use
};

Light lightFor(const SensorParameters &p, bool in0, const Rgb &scene) {
  if (p.ledMode == 2 || (p.trigger == 5 && !in0)) return {kAmbient, 0};
  const double gain = std::pow(1.4, static_cast<double>(p.gain) - 5.0);
  if (p.powerMode == 1) {
    const double brightest = std::max({scene.r, scene.g, scene.b, 1.0}) * gain;
    const double target = (p.dynwinLo + p.dynwinHi) / 2.0;
    const double power = std::clamp(kNominalPower * target / brightest, 1.0, 1000.0);
    return {power / kNominalPower * gain, static_cast<int>(std::lround(power))};
  }
  return {p.power / kNominalPower * gain, p.power};
}

std::array<std::int16_t, 3> analogOutputs(const SensorParameters &p, const Rgb &cal,
                                          const Coords &xyi, const Coords &sim) {
  const auto scaled = [](int v, double full) {
    return i16(std::clamp(v * 4095.0 / full, 0.0, 4095.0));
  };
  switch (p.analogOutmode) {
  case 2:
    return {scaled(xyi.a, 4096), scaled(xyi.b, 4096), scaled(xyi.c, 4095)};
  case 3:
    return {scaled(sim.a, 10000), scaled(sim.b, 5000), scaled(sim.c, 1200)};
  case 5: {
    // Deviation from mid-scale, magnified by the zoom.
    const double zoom = 1.0 + p.analogZoom;
    const auto zoomed = [&](int v, double full) {
      return i16(std::clamp(2048.0 + (v * 4095.0 / full - 2048.0) * zoom, 0.0, 4095.0));
    };
    return {zoomed(sim.a, 10000), zoomed(sim.b, 5000), zoomed(sim.c, 1200)};
  }
  default:
    return {i16(cal.r), i16(cal.g), i16(cal.b)};
  }
}

std::int16_t triggerState(const SensorParameters &p, bool in0, const Evaluation &e) {
  if (p.trigger == 1) return e.colorNumber != 0 ? 1 : 0;
  const bool followsIn0 = p.trigger >= 2 || p.analogOut == 1 || p.analogOutmode == 4 ||
                          p.analogOutmode == 5 || p.externTeach != 0;
  return followsIn0 && in0 ? 1 : 0;
}

} // namespace

bool in0At(const SceneConfig &config, std::uint64_t t) {
  const std::uint64_t period = std::max<std::uint64_t>(config.triggerPeriodMs, 2);
  return t % period < period / 2;
}

std::size_t activeSetAt(const SensorMemory &ram, const SceneConfig &config, std::uint64_t t) {
  return ram.params[0].trigger == 6 && in0At(config, t) ? 1 : 0;
}

Rgb sceneColour(const SensorParameters &p, const TeachTable &table, std::uint64_t t) {
  const std::size_t count = stationCount(p);
  const std::size_t k = static_cast<std::size_t>((t / kStationMs) % count);
  const std::uint64_t phase = t % kStationMs;
  const Rgb here = station(p, table, k);
  if (phase < kStationMs - kBlendMs) return here;
  const Rgb next = station(p, table, (k + 1) % count);
  const double w = static_cast<double>(phase - (kStationMs - kBlendMs)) / kBlendMs;
  return {here.r + (next.r - here.r) * w, here.g + (next.g - here.g) * w,
          here.b + (next.b - here.b) * w};
}

Rgb rawWithoutNoise(const SensorMemory &ram, const SceneConfig &config, std::uint64_t t) {
  const bool in0 = in0At(config, t);
  const std::size_t set = activeSetAt(ram, config, t);
  const SensorParameters &p = ram.params[set];
  const Rgb scene = sceneColour(p, ram.teach[set], t);
  const Light light = lightFor(p, in0, scene);
  Rgb raw;
  for (std::size_t i = 0; i < 3; ++i)
    setChannel(raw, i,
               clampChannel(channel(scene, i) * light.factor * kSensitivity[i] + kDarkLevel[i]));
  return raw;
}

Sample measure(const SensorMemory &ram, const Calibration &cal, const SceneConfig &config,
               std::uint64_t t) {
  Sample s;
  s.in0 = in0At(config, t);
  s.activeSet = activeSetAt(ram, config, t);
  const SensorParameters &p = ram.params[s.activeSet];
  const TeachTable &table = ram.teach[s.activeSet];

  const Rgb scene = sceneColour(p, table, t);
  const Light light = lightFor(p, s.in0, scene);
  const double noiseAmplitude =
      std::max(1.0, kNoiseDigits / std::sqrt(std::max<double>(1, p.average)));
  Rgb raw;
  for (std::size_t i = 0; i < 3; ++i) {
    const double lit =
        channel(scene, i) * light.factor + noiseAmplitude * noiseUnit(config.seed, t, i);
    const double r = std::floor(clampChannel(lit * kSensitivity[i] + kDarkLevel[i]));
    setChannel(raw, i, r);
    const double calibrated = (r - cal.offsets[i]) * cal.factors[i] / 1024.0;
    setChannel(s.calibrated, i, std::floor(clampChannel(calibrated)));
  }

  const Coords xyi = toXyInt(s.calibrated);
  const Coords sim = toSiM(s.calibrated);
  const Coords &coords = isSiM(p.calculationMode) ? sim : xyi;
  s.evaluation = evaluate(p, table, coords, s.calibrated, coords.c);

  MeasuredValues &m = s.values;
  m.red = i16(s.calibrated.r);
  m.green = i16(s.calibrated.g);
  m.blue = i16(s.calibrated.b);
  m.x = static_cast<std::int16_t>(coords.a);
  m.y = static_cast<std::int16_t>(coords.b);
  // With a regulated power the intensity field shows the power; evaluation still uses INT/M.
  m.intensity = static_cast<std::int16_t>(p.powerMode == 1 ? light.power : coords.c);
  m.deltaC = s.evaluation.deltaC;
  m.colorNumber = s.evaluation.colorNumber;
  m.group = s.evaluation.group;
  // In PARA the set in use may not be in PARA itself; IN0 still is the trigger.
  m.trigger = ram.params[0].trigger == 6 ? (s.in0 ? 1 : 0) : triggerState(p, s.in0, s.evaluation);
  // Degrees Celsius, drifting slowly over ten minutes.
  m.temperature = i16(
      36.0 + 2.0 * std::sin(2.0 * 3.141592653589793 * static_cast<double>(t % 600000) / 600000.0));
  m.rawRed = i16(raw.r);
  m.rawGreen = i16(raw.g);
  m.rawBlue = i16(raw.b);
  m.auxiliary = analogOutputs(p, s.calibrated, xyi, sim);
  return s;
}

} // namespace quorvane::sim
