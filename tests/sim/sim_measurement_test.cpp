#include "model/colour_space.h"
#include "model/evaluation.h"
#include "model/scene.h"
#include "sim_test_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quorvane;
using namespace quorvane::sim;
using namespace quorvane::sim::test;

namespace {

// Middle of the dwell of scene station k.
std::uint64_t dwellOf(std::size_t k) {
  return k * kStationMs + 700;
}

MeasuredValues frameFrom(SensorModel &model, std::uint64_t t) {
  const auto frames = exchange(model, Order::ReadMeasurement, 0, t);
  EXPECT_EQ(frames.size(), 1u);
  return frames.empty() ? MeasuredValues{} : decodeMeasuredValues(frames[0].payload);
}

TeachVector row2D(const Coords &c, std::uint16_t tolerance, std::uint16_t group = 0) {
  TeachVector r;
  r.cell = {std::uint16_t(c.a), std::uint16_t(c.b), tolerance, std::uint16_t(c.c), tolerance};
  r.group = group;
  return r;
}

TeachVector row3D(const Coords &c, std::uint16_t tolerance) {
  TeachVector r;
  r.cell = {std::uint16_t(c.a), std::uint16_t(c.b), std::uint16_t(c.c), tolerance, 1};
  return r;
}

} // namespace

TEST(SimColourSpace, FormulasAndInverses) {
  struct Case {
    Rgb rgb;
    Coords xyi;
    Coords sim;
  };
  const std::vector<Case> cases = {
      {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
      {{4095, 4095, 4095}, {1365, 1365, 4095}, {5000, 3333, 1200}},
      {{4095, 0, 0}, {4096, 0, 1365}, {10000, 5000, 400}},
      {{0, 4095, 0}, {0, 4096, 1365}, {0, 5000, 400}},
      {{0, 0, 4095}, {0, 0, 1365}, {5000, 0, 400}},
      {{1000, 2000, 1000}, {1024, 2048, 1333}, {3750, 3750, 391}},
  };
  for (const auto &c : cases) {
    const Coords xyi = toXyInt(c.rgb);
    const Coords sim = toSiM(c.rgb);
    EXPECT_EQ(std::tie(xyi.a, xyi.b, xyi.c), std::tie(c.xyi.a, c.xyi.b, c.xyi.c));
    EXPECT_EQ(std::tie(sim.a, sim.b, sim.c), std::tie(c.sim.a, c.sim.b, c.sim.c));
    if (c.rgb.r + c.rgb.g + c.rgb.b == 0) continue;
    const Rgb back1 = fromXyInt(xyi.a, xyi.b, xyi.c);
    const Rgb back2 = fromSiM(sim.a, sim.b, sim.c);
    for (const Rgb &back : {back1, back2}) {
      EXPECT_NEAR(back.r, c.rgb.r, 12);
      EXPECT_NEAR(back.g, c.rgb.g, 12);
      EXPECT_NEAR(back.b, c.rgb.b, 12);
    }
  }
}

TEST(SimMeasurement, EveryFieldStaysInItsRangeInEveryMode) {
  for (std::uint16_t calc = 0; calc < 4; ++calc) {
    for (std::uint16_t powerMode = 0; powerMode < 2; ++powerMode) {
      for (std::uint16_t eval = 0; eval < 7; ++eval) {
        SensorModel model;
        auto &p = model.ram().params[0];
        p.calculationMode = calc;
        p.powerMode = powerMode;
        p.evaluationMode = eval;
        p.power = 1000;
        p.gain = 7;
        for (std::uint64_t t = 0; t < 12000; t += 97) {
          const MeasuredValues m = frameFrom(model, t);
          SCOPED_TRACE(::testing::Message() << "calc " << calc << " pmode " << powerMode << " eval "
                                            << eval << " t " << t);
          for (const auto v : {m.red, m.green, m.blue, m.rawRed, m.rawGreen, m.rawBlue}) {
            EXPECT_GE(v, 0);
            EXPECT_LE(v, 4095);
          }
          const int maxA = isSiM(calc) ? 10000 : 4096;
          const int maxB = isSiM(calc) ? 5000 : 4096;
          const int maxC = powerMode == 1 ? 1000 : (isSiM(calc) ? 1200 : 4096);
          EXPECT_TRUE(m.x >= 0 && m.x <= maxA) << m.x;
          EXPECT_TRUE(m.y >= 0 && m.y <= maxB) << m.y;
          EXPECT_TRUE(m.intensity >= 0 && m.intensity <= maxC) << m.intensity;
          EXPECT_GE(m.deltaC, -1);
          if (eval <= 2) {
            EXPECT_TRUE(m.colorNumber == 255 || (m.colorNumber >= 0 && m.colorNumber < 3));
          }
          if (eval >= 3) {
            EXPECT_TRUE(m.colorNumber >= 0 && m.colorNumber <= 3) << m.colorNumber;
          }
          const std::int16_t channels[] = {m.red, m.green, m.blue};
          for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_LE(m.extremesFirst[i], channels[i]);
            EXPECT_GE(m.extremesSecond[i], channels[i]);
          }
          EXPECT_TRUE(m.trigger == 0 || m.trigger == 1);
          EXPECT_TRUE(m.temperature >= 34 && m.temperature <= 38);
        }
      }
    }
  }
}

TEST(SimMeasurement, SameSeedAndClockGiveTheSameFrames) {
  SimOptions a, b, c;
  c.seed = 99;
  SensorModel ma(a), mb(b), mc(c);
  int differing = 0;
  for (std::uint64_t t = 5; t < 3000; t += 101) {
    const MeasuredValues fa = frameFrom(ma, t);
    EXPECT_EQ(fa, frameFrom(mb, t));
    if (!(fa == frameFrom(mc, t))) ++differing;
  }
  EXPECT_GT(differing, 20);
}

TEST(SimMeasurement, SceneVisitsEachTaughtRowThenOffTableColours) {
  struct Case {
    std::uint16_t evaluationMode;
    std::uint16_t calculationMode;
  };
  for (const Case c : {Case{1, 0}, Case{0, 0}, Case{2, 0}, Case{1, 1}, Case{1, 2}, Case{1, 3}}) {
    SCOPED_TRACE(::testing::Message()
                 << "eval " << c.evaluationMode << " calc " << c.calculationMode);
    SensorModel model;
    auto &p = model.ram().params[0];
    p.evaluationMode = c.evaluationMode;
    p.calculationMode = c.calculationMode;
    const Rgb colours[] = {{2600, 900, 700}, {800, 2400, 1000}, {700, 1100, 2600}};
    for (std::size_t r = 0; r < 3; ++r) {
      const Coords k = toCoords(colours[r], c.calculationMode);
      model.ram().teach[0][r] =
          is3D(c.calculationMode) ? row3D(k, 150) : row2D(k, 150, std::uint16_t(r + 1));
    }
    for (std::size_t k = 0; k < 3; ++k) {
      const MeasuredValues m = frameFrom(model, dwellOf(k));
      EXPECT_EQ(m.colorNumber, static_cast<std::int16_t>(k));
      EXPECT_GE(m.deltaC, 0);
      EXPECT_LT(m.deltaC, 60);
      if (!is3D(c.calculationMode)) {
        EXPECT_EQ(m.group, static_cast<std::int16_t>(k + 1));
      }
    }
    // Stations 3 and 4 are off the table (MIN DIST still names the nearest row).
    for (std::size_t k = 3; k < 5 && c.evaluationMode != 2; ++k) {
      const MeasuredValues m = frameFrom(model, dwellOf(k));
      EXPECT_EQ(m.colorNumber, 255);
      EXPECT_EQ(m.group, 255);
      if (c.evaluationMode == 0) {
        EXPECT_GT(m.deltaC, 150) << "FIRST HIT reports the distance to the nearest row";
      } else {
        EXPECT_EQ(m.deltaC, -1);
      }
    }
    // The cycle repeats.
    EXPECT_EQ(frameFrom(model, dwellOf(5)).colorNumber, 0);
  }
}

TEST(SimEvaluation, ModesDecideRowGroupAndDistance) {
  SensorParameters p;
  p.digitalOutmode = 2;
  p.maxVecNo = 3;
  TeachTable t{};
  t[0] = row2D({1000, 1000, 1000}, 100, 7);
  t[1] = row2D({1050, 1000, 1000}, 100, 8);
  t[2] = row2D({3000, 500, 1000}, 100, 9);
  const Rgb anyRgb{1000, 1000, 1000};
  struct Case {
    const char *name;
    std::uint16_t evaluationMode;
    Coords at;
    std::uint16_t intLim;
    Evaluation expected;
  };
  const std::vector<Case> cases = {
      {"first hit takes row 0", 0, {1040, 1000, 1000}, 0, {40, 0, 7}},
      {"best hit takes the nearer row 1", 1, {1040, 1000, 1000}, 0, {10, 1, 8}},
      {"best hit without a hit", 1, {2000, 2000, 1000}, 0, {-1, 255, 255}},
      {"first hit without a hit keeps the distance", 0, {2000, 2000, 1000}, 0, {1379, 255, 255}},
      {"min dist ignores the colour tolerance", 2, {2600, 500, 1000}, 0, {400, 2, 9}},
      {"min dist needs the intensity within tolerance", 2, {2600, 500, 1500}, 0, {-1, 255, 255}},
      {"intensity outside ITO is no hit", 1, {1000, 1000, 1101}, 0, {-1, 255, 255}},
      {"below INTLIM", 1, {1000, 1000, 1000}, 1001, {-1, 255, 255}},
      {"COL2 both rows", 3, {1025, 1000, 1000}, 0, {25, 3, 7}},
      {"COL2 only row 1", 3, {1120, 1000, 1000}, 0, {70, 2, 8}},
      {"COL2 none", 3, {3000, 3000, 1000}, 0, {-1, 0, 255}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    SensorParameters q = p;
    q.evaluationMode = c.evaluationMode;
    q.intLim = c.intLim;
    EXPECT_EQ(evaluate(q, t, c.at, anyRgb, c.at.c), c.expected);
  }
  SensorParameters off = p;
  off.digitalOutmode = 0;
  EXPECT_EQ(evaluate(off, t, {1000, 1000, 1000}, anyRgb, 1000), Evaluation{});
}

TEST(SimEvaluation, ThresholdModesSetOutputBits) {
  SensorParameters p;
  p.digitalOutmode = 1;
  TeachTable t{};
  t[0].cell[0] = 2000;
  t[1].cell[0] = 1000;
  struct Case {
    std::uint16_t mode;
    Rgb rgb;
    std::int16_t bits;
  };
  const std::vector<Case> cases = {
      {4, {2001, 1001, 0}, 3},   {4, {2000, 1001, 0}, 2},   {4, {2001, 1000, 0}, 1},
      {5, {2500, 0, 1500}, 3},   {5, {2500, 3000, 900}, 1}, {6, {9, 2500, 1500}, 3},
      {6, {3000, 1500, 900}, 0},
  };
  for (const auto &c : cases) {
    p.evaluationMode = c.mode;
    const Evaluation e = evaluate(p, t, {}, c.rgb, 1000);
    EXPECT_EQ(e.colorNumber, c.bits) << c.mode;
    EXPECT_EQ(e.deltaC, -1);
  }
}

TEST(SimMeasurement, TriggerFollowsTheTriggerMode) {
  // Trigger period 100: IN0 high at t mod 100 < 50.
  struct Case {
    std::uint16_t trigger;
    std::uint16_t analogOut;
    std::int16_t high;
    std::int16_t low;
  };
  const std::vector<Case> cases = {
      {0, 0, 0, 0}, // CONT
      {2, 0, 1, 0}, // EXT1
      {4, 0, 1, 0}, // EXT3
      {5, 0, 1, 0}, // TRANS
      {6, 0, 1, 0}, // PARA
      {0, 1, 1, 0}, // CONT with the analog output frozen at IN0 edges
  };
  for (const auto &c : cases) {
    SensorModel model;
    model.ram().params[0].trigger = c.trigger;
    model.ram().params[0].analogOut = c.analogOut;
    EXPECT_EQ(model.sampleAt(dwellOf(1) + 10).values.trigger, c.high) << c.trigger;
    EXPECT_EQ(model.sampleAt(dwellOf(1) + 60).values.trigger, c.low) << c.trigger;
  }
  // SELF: triggered while the colour is anything but colour 0.
  SensorModel self;
  self.ram().params[0].trigger = 1;
  EXPECT_EQ(self.sampleAt(dwellOf(0)).values.trigger, 0);
  EXPECT_EQ(self.sampleAt(dwellOf(1)).values.trigger, 1);
  EXPECT_EQ(self.sampleAt(dwellOf(3)).values.trigger, 1);
}

TEST(SimMeasurement, ParaUsesSetOneWhileIn0IsHigh) {
  SensorModel model;
  model.ram().params[0].trigger = 6;
  const Sample high = model.sampleAt(dwellOf(0) + 10);
  const Sample low = model.sampleAt(dwellOf(0) + 60);
  EXPECT_EQ(high.activeSet, 1u);
  EXPECT_EQ(low.activeSet, 0u);
  // Set 1's row 0 is a yellow, set 0's a red.
  EXPECT_GT(high.values.green, 1800);
  EXPECT_LT(low.values.green, 1200);
  EXPECT_EQ(high.values.colorNumber, 0);
  EXPECT_EQ(low.values.colorNumber, 0);
}

TEST(SimMeasurement, HoldingTriggerModesKeepOrDropTheColourWhileIn0IsLow) {
  // Station 1 (colour 1) dwells from 2000 to 3500; IN0 is low from 2050 to 2100.
  struct Case {
    std::uint16_t trigger;
    std::int16_t lowColour;
  };
  for (const Case c : {Case{2, 1}, Case{3, 1}, Case{4, 255}, Case{0, 1}}) {
    SensorModel model;
    model.ram().params[0].trigger = c.trigger;
    EXPECT_EQ(frameFrom(model, 2010).colorNumber, 1);
    EXPECT_EQ(frameFrom(model, 2040).colorNumber, 1);
    EXPECT_EQ(frameFrom(model, 2070).colorNumber, c.lowColour) << c.trigger;
  }
  // With a 1 s period: colour 1 seen while IN0 is high (3400); the next frame comes in the
  // low half of the following period (4700), when the scene shows colour 2. The colour of
  // the last high phase is still held.
  for (const std::uint16_t trigger : {2, 3}) {
    SimOptions o;
    o.triggerPeriodMs = 1000;
    SensorModel model(o);
    model.ram().params[0].trigger = trigger;
    EXPECT_EQ(frameFrom(model, 3400).colorNumber, 1);
    EXPECT_EQ(model.sampleAt(4700).values.colorNumber, 2);
    EXPECT_EQ(frameFrom(model, 4700).colorNumber, 1) << trigger;
  }
}

TEST(SimMeasurement, RawValuesPrecedeCalibration) {
  SensorModel model;
  model.calibration().factors = {2048, 1024, 512};
  model.calibration().offsets = {0, 0, 0};
  for (std::uint64_t t : {100u, 2100u, 4100u}) {
    const MeasuredValues m = model.sampleAt(t).values;
    EXPECT_EQ(m.red, std::min(4095, m.rawRed * 2));
    EXPECT_EQ(m.green, m.rawGreen);
    EXPECT_EQ(m.blue, m.rawBlue / 2);
  }
}

TEST(SimMeasurement, LightLevelFollowsPowerLedModeAndRegulation) {
  SensorModel model;
  const auto brightness = [&](std::uint64_t t) {
    const MeasuredValues m = model.sampleAt(t).values;
    return m.red + m.green + m.blue;
  };
  const int nominal = brightness(dwellOf(0));
  model.ram().params[0].power = 250;
  EXPECT_NEAR(brightness(dwellOf(0)), nominal / 2, 60);
  model.ram().params[0].ledMode = 2;
  EXPECT_LT(brightness(dwellOf(0)), nominal / 10);

  model.ram().params[0].ledMode = 0;
  model.ram().params[0].powerMode = 1;
  const MeasuredValues dyn = model.sampleAt(dwellOf(0)).values;
  EXPECT_NEAR(std::max({dyn.red, dyn.green, dyn.blue}), 3250, 60);
  EXPECT_GT(dyn.intensity, 500) << "INT shows the regulated power";
  EXPECT_LE(dyn.intensity, 1000);
}
