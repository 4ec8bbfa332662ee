// Calibration factors, the raw display, the service orders' payloads and the password.
#include "service/core/calibration.h"
#include "service/core/service_orders.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quorvane;

namespace {

MeasuredValues raw(int r, int g, int b) {
  MeasuredValues m;
  m.rawRed = static_cast<std::int16_t>(r);
  m.rawGreen = static_cast<std::int16_t>(g);
  m.rawBlue = static_cast<std::int16_t>(b);
  m.red = 1; // calibrated values play no part
  return m;
}

std::vector<MeasuredValues> frames(std::size_t n, int r, int g, int b) {
  return std::vector<MeasuredValues>(n, raw(r, g, b));
}

} // namespace

TEST(Calibration, RawDisplayShowsSpreadOfTheChannels) {
  struct Case {
    int r, g, b, delta;
  };
  for (const Case c : {Case{1000, 1000, 1000, 0}, Case{900, 1000, 1100, 200},
                       Case{1100, 900, 1000, 200}, Case{0, 32767, 5, 32767}, Case{-5, 10, 0, 15}}) {
    EXPECT_EQ(rawCalibData(raw(c.r, c.g, c.b)), (RawCalibData{c.r, c.g, c.b, c.delta}))
        << c.r << " " << c.g << " " << c.b;
  }
}

TEST(Calibration, ProgressIndicatorAlternatesEveryFifthFrame) {
  std::vector<std::uint32_t> colours;
  for (std::size_t f = 0; f < kCalibrationFrames; ++f) {
    if (progressChangesAt(f)) colours.push_back(progressColourAt(f));
  }
  ASSERT_EQ(colours.size(), 20u);
  for (std::size_t i = 0; i < colours.size(); ++i) {
    EXPECT_EQ(colours[i], i % 2 == 0 ? 0xFF0000u : 0xE0E0E0u) << i;
  }
}

TEST(Calibration, calculateFactors) {
  struct Case {
    const char *what;
    std::vector<MeasuredValues> frames;
    FrameRun run;
    std::uint16_t setValue, maxDelta;
    CalcCFStatus status;
    RawCalibData means;
    ChannelWords factors;
  };
  // Deltas of 0 and 101 average 50.5 -> 50; green 1050.5 -> 1050.
  std::vector<MeasuredValues> spread = frames(50, 1000, 1000, 1000);
  const auto wide = frames(50, 1000, 1101, 1000);
  spread.insert(spread.end(), wide.begin(), wide.end());

  constexpr auto Ok = FrameRun::Complete;
  using enum CalcCFStatus;
  // clang-format off
  const Case cases[] = {
      {"gain 1, 2 and 4", frames(100, 1000, 500, 250), Ok, 1000, 800,
       Passed, {1000, 500, 250, 750}, {1024, 2048, 4096}},
      {"mean 249 gives 4112", frames(100, 1000, 500, 249), Ok, 1000, 800,
       FactorOutOfRange, {1000, 500, 249, 751}, {}},
      {"delta equal to maximum passes", spread, Ok, 1000, 50,
       Passed, {1000, 1050, 1000, 50}, {1024, 975, 1024}},
      {"delta one above maximum fails", spread, Ok, 1000, 49,
       DeltaTooHigh, {1000, 1050, 1000, 50}, {}},
      {"delta is checked before the factors", frames(100, 10, 10, 500), Ok, 1000, 0,
       DeltaTooHigh, {10, 10, 500, 490}, {}},
      {"no frame: means count as 1", {}, Ok, 4, 0,
       Passed, {0, 0, 0, 0}, {4096, 4096, 4096}},
      {"no frame: set value 5 is out of range", {}, Ok, 5, 0,
       FactorOutOfRange, {0, 0, 0, 0}, {}},
      {"negative mean counts as 1", frames(100, -20, 1000, 1000), Ok, 1000, 2000,
       FactorOutOfRange, {-20, 1000, 1000, 1020}, {}},
      {"largest set value", frames(100, 16384, 16384, 16384), Ok, 65535, 0,
       Passed, {16384, 16384, 16384, 0}, {4095, 4095, 4095}},
      {"failed frame gives nothing", frames(40, 1000, 1000, 1000), FrameRun::Failed, 1000, 800,
       FrameFailed, {}, {}},
  };
  // clang-format on
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    const CalcCFResult r = calculateFactors(c.frames, c.run, c.setValue, c.maxDelta);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.means, c.means);
    EXPECT_EQ(r.factors, c.factors);
    switch (c.status) {
    case CalcCFStatus::Passed:
      EXPECT_EQ(r.message, servicetext::kCalibrationPassed);
      break;
    case CalcCFStatus::DeltaTooHigh:
      EXPECT_EQ(r.message, servicetext::kDeltaTooHigh);
      break;
    case CalcCFStatus::FactorOutOfRange:
      EXPECT_EQ(r.message, servicetext::kFactorOutOfRange);
      break;
    case CalcCFStatus::FrameFailed:
      EXPECT_EQ(r.message, servicetext::Message{});
      break;
    }
  }
}

TEST(ServiceOrders, CalibrationWritesCarryThreeLittleEndianWords) {
  const CalibrationWrite cf = sendFactorsRequest({0x0400, 0x0800, 0x1000});
  EXPECT_EQ(cf.order, Order::WriteCalibration);
  EXPECT_EQ(cf.argument, 0);
  EXPECT_EQ(cf.payload, (std::array<std::uint8_t, 6>{0x00, 0x04, 0x00, 0x08, 0x00, 0x10}));

  const CalibrationWrite off = sendOffsetsRequest({1, 0xABCD, 65535});
  EXPECT_EQ(off.order, Order::WriteCalibration);
  EXPECT_EQ(off.argument, 1);
  EXPECT_EQ(off.payload, (std::array<std::uint8_t, 6>{0x01, 0x00, 0xCD, 0xAB, 0xFF, 0xFF}));
}

TEST(ServiceOrders, CalibrationReplies) {
  const std::vector<std::uint8_t> twelve = {0x00, 0x04, 0x01, 0x04, 0xFF, 0x0F,
                                            0x10, 0x00, 0x20, 0x00, 0x30, 0x00};
  std::vector<std::uint8_t> longer = twelve;
  longer.push_back(0x99);
  for (const auto &payload : {twelve, longer}) {
    EXPECT_EQ(decodeCalibrationData(payload),
              (CalibrationData{{1024, 1025, 4095}, {0x10, 0x20, 0x30}}));
  }
  EXPECT_EQ(decodeCalibrationData(std::span(twelve).first(11)), std::nullopt);
  EXPECT_EQ(decodeCalibrationData({}), std::nullopt);

  EXPECT_EQ(decodeSelfCalibration(std::span(twelve).first(10)),
            (SelfCalibrationResult{{1024, 1025, 4095}, 0x10, 0x20}));
  EXPECT_EQ(decodeSelfCalibration(std::span(twelve).first(9)), std::nullopt);
}

TEST(ServiceOrders, PasswordMatchesExactly) {
  EXPECT_TRUE(passwordMatches("tesmor"));
  for (const char *wrong : {"", "Tesmor", "TESMOR", "tesmo", "tesmorr", " tesmor", "tesmor "}) {
    EXPECT_FALSE(passwordMatches(wrong)) << '"' << wrong << '"';
  }
}
