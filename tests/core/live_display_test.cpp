#include "live/core/current_colour.h"
#include "live/core/live_display.h"
#include "live/core/sim_reference.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(CurrentColour, ChannelsDividedBySixteenTowardZero) {
  const struct {
    std::int16_t r, g, b;
    CurrentColour colour;
    std::uint32_t display;
  } cases[] = {
      {0, 0, 0, {0, 0, 0}, 0x000000},
      {4095, 4095, 4095, {255, 255, 255}, 0xFFFFFF},
      {4095, 2048, 15, {255, 128, 0}, 0xFF8000},
      {16, 31, 32, {1, 1, 2}, 0x010102},
      // Negative channels keep negative components (truncated toward zero, not floored);
      // the painted colour clamps them to 0.
      {-1, -15, -16, {0, 0, -1}, 0x000000},
      {-17, -4096, 100, {-1, -256, 6}, 0x000006},
      // Out-of-range channels clamp to full intensity when painted.
      {32767, 8000, 4096, {2047, 500, 256}, 0xFFFFFF},
  };
  for (const auto &c : cases) {
    MeasuredValues m;
    m.red = c.r;
    m.green = c.g;
    m.blue = c.b;
    const CurrentColour colour = currentColourOf(m);
    EXPECT_EQ(colour, c.colour) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(colour.displayRgb(), c.display) << c.r << "," << c.g << "," << c.b;
  }
}

TEST(OutLeds, FollowTheColourNumberFromEvaluationModeThreeOn) {
  const struct {
    int evaluationMode;
    int colorNumber;
    std::optional<OutLeds> leds;
  } cases[] = {
      // Below mode 3 the LEDs are left alone, whatever the colour number.
      {0, 3, std::nullopt},
      {1, 255, std::nullopt},
      {2, 1, std::nullopt},
      {3, 0, OutLeds{false, false}},
      {3, 1, OutLeds{true, false}},
      {3, 2, OutLeds{false, true}},
      {3, 3, OutLeds{true, true}},
      {4, 2, OutLeds{false, true}},
      {6, 1, OutLeds{true, false}},
      // The failure condition lights both.
      {3, 255, OutLeds{true, true}},
      {5, 255, OutLeds{true, true}},
      // Anything odd from the sensor still gives a definite state.
      {3, -1, OutLeds{true, false}},
      {3, 4, OutLeds{true, true}},
  };
  for (const auto &c : cases)
    EXPECT_EQ(outLedsFor(c.evaluationMode, c.colorNumber), c.leds)
        << "mode " << c.evaluationMode << " colour " << c.colorNumber;
}

TEST(CalculationMode, NamesRangesAndViews) {
  const struct {
    int mode;
    std::array<std::string_view, 3> names;
    std::array<ChartRange, 3> ranges;
    bool twoD;
  } cases[] = {
      {0, {"X", "Y", "INT"}, {kChannelRange, kChannelRange, kChannelRange}, true},
      {1, {"s", "i", "M"}, {ChartRange{0, 10000}, ChartRange{0, 5000}, ChartRange{0, 1200}}, true},
      {2, {"X", "Y", "INT"}, {kChannelRange, kChannelRange, kChannelRange}, false},
      {3, {"s", "i", "M"}, {ChartRange{0, 10000}, ChartRange{0, 5000}, ChartRange{0, 1200}}, false},
      // A mode the sensor does not know falls back to X/Y/INT on the 3D page.
      {7, {"X", "Y", "INT"}, {kChannelRange, kChannelRange, kChannelRange}, false},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(valueNames(c.mode), c.names) << c.mode;
    EXPECT_EQ(valueChartRanges(c.mode), c.ranges) << c.mode;
    EXPECT_EQ(is2D(c.mode), c.twoD) << c.mode;
  }
  EXPECT_EQ(kChannelRange, (ChartRange{0.0, 4096.0}));
}

TEST(LiveTexts, EveryNumberOfTheFrame) {
  MeasuredValues m;
  m.red = 4095;
  m.green = 0;
  m.blue = -12;
  m.x = 1234;
  m.y = -32768;
  m.intensity = 32767;
  m.deltaC = -1;
  m.colorNumber = 255;
  m.group = 3;
  m.extremesFirst = {10, 20, 30};
  m.extremesSecond = {4000, 4001, 4002};
  m.auxiliary = {-7, 0, 7};
  const LiveTexts t = liveTextsOf(m);
  EXPECT_EQ(t.rgb, (std::array<std::string, 3>{"4095", "0", "-12"}));
  EXPECT_EQ(t.coordinates, (std::array<std::string, 3>{"1234", "-32768", "32767"}));
  EXPECT_EQ(t.deltaC, "-1");
  EXPECT_EQ(t.colorNumber, "255");
  EXPECT_EQ(t.group, "3");
  EXPECT_EQ(t.minimum, (std::array<std::string, 3>{"10", "20", "30"}));
  EXPECT_EQ(t.maximum, (std::array<std::string, 3>{"4000", "4001", "4002"}));
  EXPECT_EQ(t.auxiliary, (std::array<std::string, 3>{"-7", "0", "7"}));
}

TEST(SimReference, TakesTheValuesOfEachRisingTriggerEdge) {
  struct Step {
    std::int16_t trigger, s, i, M;
    bool newReference;
    std::optional<std::array<std::int16_t, 3>> values;
  };
  const Step steps[] = {
      {0, 1, 2, 3, false, std::nullopt},
      {1, 100, 200, 300, true, std::array<std::int16_t, 3>{100, 200, 300}},
      {1, 101, 201, 301, false, std::array<std::int16_t, 3>{100, 200, 300}}, // still high
      {0, 5, 5, 5, false, std::array<std::int16_t, 3>{100, 200, 300}},
      {1, 9000, 4000, 1200, true, std::array<std::int16_t, 3>{9000, 4000, 1200}},
  };
  SimReference ref;
  for (const Step &s : steps) {
    MeasuredValues m;
    m.trigger = s.trigger;
    m.x = s.s;
    m.y = s.i;
    m.intensity = s.M;
    EXPECT_EQ(ref.update(m), s.newReference) << s.s;
    EXPECT_EQ(ref.values(), s.values) << s.s;
  }
}

} // namespace
} // namespace quorvane
