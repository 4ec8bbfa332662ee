#include "model/plausibility.h"
#include "sim_test_helpers.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quorvane;
using namespace quorvane::sim;
using namespace quorvane::sim::test;

namespace {

std::vector<std::uint8_t> bytesOf(const SensorParameters &p) {
  const auto b = encodeParameters(p);
  return {b.begin(), b.end()};
}

std::vector<std::uint8_t> bytesOf(const TeachTable &t) {
  const auto b = encodeTeachTable(t);
  return {b.begin(), b.end()};
}

TeachTable patternTable(std::uint16_t base) {
  TeachTable t{};
  for (std::size_t r = 0; r < kTeachRows; ++r) {
    for (std::size_t c = 0; c < kTeachCells; ++c)
      t[r].cell[c] = static_cast<std::uint16_t>(base + 10 * r + c);
    t[r].group = static_cast<std::uint16_t>(r % 3);
    t[r].hold = static_cast<std::uint16_t>(r + 5);
    t[r].reserved = static_cast<std::uint16_t>(0xC000 + base + r);
  }
  return t;
}

std::uint16_t replyWord(const std::vector<Frame> &frames) {
  EXPECT_EQ(frames.size(), 1u);
  return frames.empty() ? 0xFFFF : frames[0].header.argument;
}

} // namespace

TEST(SimParameters, WriteThenReadRoundTripsBothSetsWithReservedWords) {
  SensorModel model;
  for (std::uint16_t set = 0; set < 2; ++set) {
    const std::uint64_t base = 100u * set;
    SensorParameters p;
    p.power = static_cast<std::uint16_t>(700 + set);
    p.trigger = 6;
    p.maxVecNo = 31;
    p.analogZoom = 9;
    const TeachTable t = patternTable(static_cast<std::uint16_t>(100 * (set + 1)));

    EXPECT_EQ(replyWord(exchange(model, Order::WriteParameters, set, bytesOf(p), base + 10)), 0);
    EXPECT_EQ(replyWord(exchange(model, Order::WriteParameters, set + 2, bytesOf(t), base + 20)),
              0);
    EXPECT_EQ(model.ramParameters(set), p);
    EXPECT_EQ(model.ramTeachTable(set), t);

    const auto scalar = exchange(model, Order::ReadParameters, set, base + 30);
    ASSERT_EQ(scalar.size(), 1u);
    EXPECT_EQ(scalar[0].header.order, 2);
    EXPECT_EQ(scalar[0].payload, bytesOf(p));
    const auto table = exchange(model, Order::ReadParameters, set + 2, base + 40);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].payload, bytesOf(t));
  }
  // Writing set 1 left set 0 alone.
  EXPECT_EQ(model.ramParameters(0).power, 700);
  EXPECT_EQ(model.ramTeachTable(0), patternTable(100));
}

TEST(SimParameters, InitialMemoryHasTaughtRowsAndNonZeroReservedWords) {
  SensorModel model;
  for (std::size_t set = 0; set < 2; ++set) {
    const auto &p = model.ramParameters(set);
    EXPECT_EQ(p.maxVecNo, 3);
    EXPECT_NE(p.digitalOutmode, 0);
    for (std::size_t r = 0; r < kTeachRows; ++r)
      EXPECT_NE(model.ramTeachTable(set)[r].reserved, 0);
    EXPECT_GT(model.ramTeachTable(set)[0].cell[3], 1);
  }
  EXPECT_EQ(model.ram(), model.eeprom());
  SensorParameters copy = model.ramParameters(0);
  EXPECT_EQ(checkParameters(copy), 0);
}

TEST(SimParameters, RamAndEepromAreSeparateUntilStoredOrLoaded) {
  SensorModel model;
  const SensorMemory factory = model.eeprom();
  SensorParameters p;
  p.power = 321;
  (void)exchange(model, Order::WriteParameters, 1, bytesOf(p), 10);
  EXPECT_EQ(model.ramParameters(1).power, 321);
  EXPECT_EQ(model.eeprom(), factory);

  const auto store = exchange(model, Order::StoreToEeprom, 0, 20);
  ASSERT_EQ(store.size(), 1u);
  EXPECT_EQ(store[0].header.order, 3);
  EXPECT_EQ(model.eeprom(), model.ram());

  p.power = 999;
  (void)exchange(model, Order::WriteParameters, 1, bytesOf(p), 30);
  (void)exchange(model, Order::WriteParameters, 3, bytesOf(patternTable(7)), 30);
  EXPECT_EQ(replyWord(exchange(model, Order::LoadFromEeprom, 0, 40)), 0);
  EXPECT_EQ(model.ramParameters(1).power, 321);
  EXPECT_EQ(model.ramTeachTable(1), factory.teach[1]);
}

TEST(SimParameters, PlausibilityResetsEachBadFieldToItsDefaultAndCountsIt) {
  using Mutate = std::function<void(SensorParameters &)>;
  struct Case {
    const char *name;
    Mutate mutate;
    std::uint16_t expectedCount;
  };
  const std::vector<Case> cases = {
      {"all good", [](SensorParameters &) {}, 0},
      {"power 1000 is full", [](SensorParameters &p) { p.power = 1000; }, 0},
      {"power 1001", [](SensorParameters &p) { p.power = 1001; }, 1},
      {"max vec no 0", [](SensorParameters &p) { p.maxVecNo = 0; }, 1},
      {"max vec no 31", [](SensorParameters &p) { p.maxVecNo = 31; }, 0},
      {"max vec no 32", [](SensorParameters &p) { p.maxVecNo = 32; }, 1},
      {"gain 7 is AMP8", [](SensorParameters &p) { p.gain = 7; }, 0},
      {"gain 8", [](SensorParameters &p) { p.gain = 8; }, 1},
      {"evaluation mode 7", [](SensorParameters &p) { p.evaluationMode = 7; }, 1},
      {"trigger 7", [](SensorParameters &p) { p.trigger = 7; }, 1},
      {"calculation mode 4", [](SensorParameters &p) { p.calculationMode = 4; }, 1},
      {"integral 251", [](SensorParameters &p) { p.integral = 251; }, 1},
      {"analog outmode 6", [](SensorParameters &p) { p.analogOutmode = 6; }, 1},
      {"window upside down",
       [](SensorParameters &p) {
         p.dynwinLo = 3000;
         p.dynwinHi = 2000;
       },
       2},
      {"window above range",
       [](SensorParameters &p) {
         p.dynwinLo = 5000;
         p.dynwinHi = 2000;
       },
       2},
      {"everything at 0xFFFF",
       [](SensorParameters &p) {
         for (const auto &f : kParameterFields)
           p.*(f.member) = 0xFFFF;
       },
       16},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    SensorParameters p;
    c.mutate(p);
    SensorModel model;
    EXPECT_EQ(replyWord(exchange(model, Order::WriteParameters, 0, bytesOf(p), 10)),
              c.expectedCount);
    SensorParameters stored = model.ramParameters(0);
    EXPECT_EQ(checkParameters(stored), 0) << "stored values pass the check";
    // Fields that broke a rule hold their defaults; the others are as written.
    std::size_t changed = 0;
    const SensorParameters defaults;
    for (const auto &f : kParameterFields) {
      if (stored.*(f.member) != p.*(f.member)) {
        ++changed;
        EXPECT_EQ(stored.*(f.member), defaults.*(f.member)) << f.key;
      }
    }
    EXPECT_EQ(changed, c.expectedCount);
  }
}

TEST(SimParameters, TeachTableGroupsAbove30AreReset) {
  SensorModel model;
  TeachTable t = patternTable(1);
  t[4].group = 31;
  t[9].group = 0xFFFF;
  EXPECT_EQ(replyWord(exchange(model, Order::WriteParameters, 2, bytesOf(t), 10)), 2);
  EXPECT_EQ(model.ramTeachTable(0)[4].group, 0);
  EXPECT_EQ(model.ramTeachTable(0)[9].group, 0);
  EXPECT_EQ(model.ramTeachTable(0)[4].reserved, t[4].reserved);
}

TEST(SimParameters, LoadFromEepromChecksTheEepromImage) {
  SensorModel model;
  model.eeprom().params[0].gain = 9;
  model.eeprom().params[1].power = 2000;
  model.eeprom().teach[1][0].group = 40;
  EXPECT_EQ(replyWord(exchange(model, Order::LoadFromEeprom, 0, 10)), 3);
  EXPECT_EQ(model.ramParameters(0).gain, 5);
  EXPECT_EQ(model.ramParameters(1).power, 500);
  EXPECT_EQ(model.ramTeachTable(1)[0].group, 0);
  EXPECT_EQ(model.ram(), model.eeprom());
}

TEST(SimParameters, PlausibilityWordOptionForcesTheReplyWord) {
  SimOptions o;
  o.plausibilityWord = 3;
  SensorModel model(o);
  SensorParameters p;
  p.power = 600;
  EXPECT_EQ(replyWord(exchange(model, Order::WriteParameters, 0, bytesOf(p), 10)), 3);
  EXPECT_EQ(model.ramParameters(0).power, 600);
  EXPECT_EQ(replyWord(exchange(model, Order::WriteParameters, 2, bytesOf(patternTable(1)), 20)), 3);
  EXPECT_EQ(replyWord(exchange(model, Order::LoadFromEeprom, 0, 30)), 3);
  EXPECT_EQ(replyWord(exchange(model, Order::WriteCalibration, 0, words({1024, 1024, 1024}), 40)),
            3);
}
