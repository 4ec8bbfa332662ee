#include "model/hardware_info.h"
#include "model/scope_scan.h"
#include "sim_test_helpers.h"

#include <gtest/gtest.h>

#include <string>

using namespace quorvane;
using namespace quorvane::sim;
using namespace quorvane::sim::test;

namespace {

Frame single(const std::vector<Frame> &frames) {
  EXPECT_EQ(frames.size(), 1u);
  return frames.empty() ? Frame{} : frames.front();
}

} // namespace

TEST(SimOrders, IdentifyRepliesFirmwareTextAndSerialNumber) {
  struct Case {
    std::string firmware;
    std::size_t expectedLength;
  };
  const std::vector<Case> cases = {
      {"QUORVANE ANA V1.3.2 Jan  1 2025", 72},
      {"", 72},
      {std::string(100, 'x'), 100},
  };
  for (const auto &c : cases) {
    SimOptions o;
    o.firmware = c.firmware;
    o.serialNumber = 31000;
    SensorModel model(o);
    const Frame f = single(exchange(model, Order::Identify));
    EXPECT_TRUE(f.headerOk && f.dataOk);
    EXPECT_EQ(f.header.order, 7);
    EXPECT_EQ(f.header.argument, 31000);
    ASSERT_EQ(f.payload.size(), c.expectedLength);
    EXPECT_EQ(
        std::string(f.payload.begin(), f.payload.begin() + static_cast<long>(c.firmware.size())),
        c.firmware);
    for (std::size_t i = c.firmware.size(); i < f.payload.size(); ++i)
      EXPECT_EQ(f.payload[i], 0);
  }
  EXPECT_TRUE(SimOptions{}.firmware.starts_with("QUORVANE ANA V1.3.2 "));
}

TEST(SimOrders, RefusedRequestsGetErrorReplies) {
  struct Case {
    Order order;
    std::uint16_t argument;
    std::vector<std::uint8_t> payload;
    std::uint16_t errorWord;
  };
  const std::vector<Case> cases = {
      {static_cast<Order>(0), 0, {}, kErrorUnknownOrder},
      {static_cast<Order>(5), 0, {}, kErrorUnknownOrder},
      {static_cast<Order>(255), 0, {}, kErrorUnknownOrder},
      {Order::ReadParameters, 4, {}, kErrorUnknownOrder},
      {Order::WriteParameters, 4, std::vector<std::uint8_t>(40), kErrorUnknownOrder},
      {Order::WriteParameters, 0, std::vector<std::uint8_t>(39), kErrorBadCrc},
      {Order::WriteParameters, 2, std::vector<std::uint8_t>(40), kErrorBadCrc},
      {Order::AutoSend, 2, {}, kErrorUnknownOrder},
      {Order::WriteCalibration, 2, std::vector<std::uint8_t>(6), kErrorUnknownOrder},
      {Order::WriteCalibration, 0, std::vector<std::uint8_t>(4), kErrorBadCrc},
      {Order::ScopeScan, 2, {}, kErrorUnknownOrder},
      {Order::ScopeScan, 1, std::vector<std::uint8_t>(8), kErrorBadCrc},
      {Order::ScopeScan, 1, words({0, 5, 0, 1, 0}), kErrorUnknownOrder},
      {Order::ScopeScan, 1, words({0, 0, 0, 1, 3}), kErrorUnknownOrder},
      {Order::ReadHardwareInfo, 0, {}, kErrorUnknownOrder},
      {Order::ReadHardwareInfo, 0x7C18, {}, kErrorUnknownOrder},
  };
  for (const auto &c : cases) {
    SensorModel model;
    const SensorMemory before = model.ram();
    const Frame f = single(exchange(model, c.order, c.argument, c.payload, 1000));
    SCOPED_TRACE(int(orderByte(c.order)));
    EXPECT_TRUE(f.headerOk);
    EXPECT_EQ(f.header.order, 0);
    EXPECT_EQ(f.header.argument, c.errorWord);
    EXPECT_EQ(f.header.dataLength, 0);
    EXPECT_EQ(model.ram(), before);
    EXPECT_FALSE(model.scopeWaiting());
    EXPECT_FALSE(model.autoSendActive());
  }
}

TEST(SimOrders, MeasurementFrameIs46Bytes) {
  SensorModel model;
  const Frame f = single(exchange(model, Order::ReadMeasurement));
  EXPECT_EQ(f.header.order, 8);
  EXPECT_EQ(f.header.argument, 0);
  ASSERT_EQ(f.payload.size(), kMeasuredValuesBytes);
  EXPECT_TRUE(f.dataOk);
  const MeasuredValues m = decodeMeasuredValues(f.payload);
  EXPECT_EQ(m.red, model.sampleAt(1000).values.red);
}

TEST(SimOrders, CalibrationWriteRejectsFactorsAbove4096) {
  SensorModel model;
  const Frame &w =
      single(exchange(model, Order::WriteCalibration, 0, words({1000, 4097, 4096}), 10));
  EXPECT_EQ(w.header.order, 101);
  EXPECT_EQ(w.header.argument, 1);
  const Frame o = single(exchange(model, Order::WriteCalibration, 1, words({5, 4096, 4095}), 20));
  EXPECT_EQ(o.header.argument, 1);

  const Frame r = single(exchange(model, Order::ReadCalibration, 0, 30));
  EXPECT_EQ(r.payload, words({1000, 1024, 4096, 5, 0, 4095}));
}

TEST(SimOrders, OffsetCompensationMeasuresDarkLevels) {
  SensorModel model;
  model.calibration().offsets = {0, 0, 0};
  const Frame f = single(exchange(model, Order::CalculateOffset, 1));
  EXPECT_EQ(f.header.order, 100);
  EXPECT_EQ(f.header.dataLength, 0);
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_NEAR(model.calibration().offsets[i], kDarkLevel[i], 2);
}

TEST(SimOrders, SelfCalibrationProposesFactorsWithoutStoringThem) {
  SensorModel model;
  const Calibration before = model.calibration();
  const Frame f = single(exchange(model, Order::SelfCalibrate, 0, 500));
  ASSERT_EQ(f.payload.size(), 10u);
  EXPECT_EQ(getLe16(&f.payload[6]), 2000);
  EXPECT_EQ(getLe16(&f.payload[8]), 400);
  // The factors make the target read the set value: calibrated = (raw - offset) x f / 1024.
  const Rgb raw = rawWithoutNoise(model.ram(), {1, 100}, 500);
  const double channels[] = {raw.r, raw.g, raw.b};
  for (std::size_t i = 0; i < 3; ++i) {
    const double factor = getLe16(&f.payload[2 * i]);
    EXPECT_NEAR((channels[i] - before.offsets[i]) * factor / 1024.0, 2000.0, 2.0);
  }
  EXPECT_EQ(model.calibration(), before);
}

TEST(SimOrders, CycleTimeIs500CountsOver100) {
  SensorModel model;
  const Frame f = single(exchange(model, Order::ReadCycleTime));
  ASSERT_EQ(f.payload.size(), 8u);
  EXPECT_EQ(getLe32s(&f.payload[0]), 500);
  EXPECT_EQ(getLe32s(&f.payload[4]), 100);
}

TEST(SimOrders, BaudChangeReplyGoesOutAtTheOldRate) {
  SensorModel model;
  EXPECT_EQ(model.baudCode(), 4);
  model.receive(buildFrame(orderByte(Order::SetBaudRate), 7), 100);
  EXPECT_EQ(model.baudCode(), 7);
  EXPECT_EQ(model.baudRate(), 921600u);
  model.receive(buildFrame(orderByte(Order::Identify), 0), 100);
  const auto out = model.poll(100);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].baudRate, 115200u);
  EXPECT_EQ(parseFrames(out[0].bytes).at(0).header.order, 190);
  EXPECT_EQ(out[1].baudRate, 921600u);

  const std::pair<std::uint16_t, std::uint32_t> rates[] = {
      {0, 9600}, {3, 57600}, {4, 115200}, {8, 115200}};
  for (const auto &[code, rate] : rates)
    EXPECT_EQ(baudRateForCode(code), rate);
}

TEST(SimOrders, HardwareInfoNeedsMagicAndHonoursLength) {
  for (const std::size_t length :
       {std::size_t{512}, std::size_t{100}, std::size_t{0}, std::size_t{600}}) {
    SimOptions o;
    o.hwinfoBytes = length;
    o.serialNumber = 1234;
    SensorModel model(o);
    const Frame f = single(exchange(model, Order::ReadHardwareInfo, kHardwareInfoMagic));
    EXPECT_EQ(f.header.order, 194);
    ASSERT_EQ(f.payload.size(), length);
    EXPECT_TRUE(f.dataOk);
    if (length >= 4) {
      EXPECT_EQ(getLe16(&f.payload[0]), 0x7C19);
      EXPECT_EQ(getLe16(&f.payload[2]), 1234);
    }
    if (length > 600 - 1) {
      EXPECT_EQ(f.payload[599], 0xFF);
    }
  }
}

TEST(SimOrders, AutoSendEmitsAFrameAtEveryRisingEdgeUntilStopped) {
  SimOptions o;
  o.triggerPeriodMs = 100;
  SensorModel model(o);
  const Frame start = single(exchange(model, Order::AutoSend, 1, 150));
  EXPECT_EQ(start.header.order, 30);
  EXPECT_EQ(start.header.dataLength, 0);
  EXPECT_TRUE(model.autoSendActive());
  EXPECT_EQ(model.nextDueMs(), 200u);

  EXPECT_TRUE(model.poll(199).empty());
  const auto frames = parseFrames(joined(model.poll(420)));
  ASSERT_EQ(frames.size(), 3u); // edges at 200, 300, 400
  for (const auto &f : frames) {
    EXPECT_EQ(f.header.order, 8);
    EXPECT_EQ(f.payload.size(), kMeasuredValuesBytes);
    EXPECT_TRUE(f.headerOk && f.dataOk);
  }
  EXPECT_EQ(decodeMeasuredValues(frames[1].payload).red, model.sampleAt(300).values.red);
  EXPECT_EQ(model.nextDueMs(), 500u);

  const Frame stop = single(exchange(model, Order::AutoSend, 0, 450));
  EXPECT_EQ(stop.header.order, 30);
  EXPECT_FALSE(model.autoSendActive());
  EXPECT_EQ(model.nextDueMs(), std::nullopt);
  EXPECT_TRUE(model.poll(1000).empty());
}

TEST(SimOrders, UnsolicitedFramesDueBeforeARequestGoOutBeforeItsReply) {
  SensorModel model;
  (void)exchange(model, Order::AutoSend, 1, 50);
  model.receive(buildFrame(orderByte(Order::Identify), 0), 130);
  const auto frames = parseFrames(joined(model.poll(130)));
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].header.order, 8);
  EXPECT_EQ(frames[1].header.order, 7);
}

TEST(SimOrders, RequestLogRecordsEveryValidRequest) {
  SensorModel model;
  (void)exchange(model, Order::WriteCalibration, 1, words({1, 2, 3}), 10);
  (void)exchange(model, Order::ReadMeasurement, 0, 20);
  model.receive(std::vector<std::uint8_t>{1, 2, 3}, 30);
  const auto &log = model.requests();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].order, 101);
  EXPECT_EQ(log[0].argument, 1);
  EXPECT_EQ(log[0].payload, words({1, 2, 3}));
  EXPECT_EQ(log[0].atMs, 10u);
  EXPECT_EQ(log[1].order, 8);
  EXPECT_TRUE(log[1].payload.empty());

  for (int i = 0; i < 3 * int(kRequestLogKeep); ++i)
    model.receive(buildFrame(8, 0), 40);
  EXPECT_GE(model.requests().size(), kRequestLogKeep);
  EXPECT_LE(model.requests().size(), 2 * kRequestLogKeep);
}

TEST(SimOrders, OptionsOutOfRangeFromInProcessCallersAreClamped) {
  SimOptions o;
  o.triggerPeriodMs = 0;
  o.hwinfoBytes = 70000;
  SensorModel model(o);
  EXPECT_EQ(model.options().triggerPeriodMs, 2u);
  (void)exchange(model, Order::AutoSend, 1, 10);
  EXPECT_EQ(parseFrames(joined(model.poll(20))).size(), 5u);
  const auto info = exchange(model, Order::ReadHardwareInfo, kHardwareInfoMagic, 30);
  ASSERT_FALSE(info.empty());
  EXPECT_EQ(info.back().payload.size(), kMaxPayload);
  EXPECT_TRUE(info.back().dataOk);
}
