#include "sim_test_helpers.h"

#include <gtest/gtest.h>

#include <random>

using namespace quorvane;
using namespace quorvane::sim;
using namespace quorvane::sim::test;

namespace {

const std::vector<std::uint8_t> kIdentify = buildFrame(orderByte(Order::Identify), 0);
const std::vector<std::uint8_t> kMeasure = buildFrame(orderByte(Order::ReadMeasurement), 0);

// Sends `count` measurement requests one by one (each at its own millisecond) and returns
// the frames of each reply; an empty vector for a reply that was not sent.
std::vector<std::vector<Frame>> replies(SensorModel &model, int count,
                                        std::uint64_t startMs = 100) {
  std::vector<std::vector<Frame>> out;
  for (int i = 0; i < count; ++i) {
    const std::uint64_t now = startMs + static_cast<std::uint64_t>(i);
    model.receive(kMeasure, now);
    out.push_back(parseFrames(joined(model.poll(now))));
  }
  return out;
}

} // namespace

TEST(SimFaults, EveryNthReplyIsDroppedOrCorrupted) {
  struct Case {
    const char *name;
    std::uint32_t SimOptions::*option;
    bool headerOk;
    bool dataOk;
    bool sent;
  };
  const std::vector<Case> cases = {
      {"drop", &SimOptions::dropEvery, true, true, false},
      {"header", &SimOptions::corruptHeaderEvery, false, true, true},
      {"data", &SimOptions::corruptDataEvery, true, false, true},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    SimOptions o;
    o.*(c.option) = 3;
    SensorModel model(o);
    const auto all = replies(model, 7);
    for (int i = 0; i < 7; ++i) {
      const bool hit = (i + 1) % 3 == 0;
      if (hit && !c.sent) {
        EXPECT_TRUE(all[i].empty()) << i;
        continue;
      }
      ASSERT_EQ(all[i].size(), 1u) << i;
      const Frame &f = all[i][0];
      EXPECT_EQ(f.headerOk, hit ? c.headerOk : true) << i;
      EXPECT_EQ(f.dataOk, hit ? c.dataOk : true) << i;
      EXPECT_EQ(f.payload.size(), kMeasuredValuesBytes);
    }
    EXPECT_EQ(model.replyCount(), 7u);
  }
}

TEST(SimFaults, DelayAndPayloadDelayHoldRepliesBack) {
  SimOptions o;
  o.delayMs = 250;
  o.payloadDelayMs = 1000;
  SensorModel model(o);
  model.receive(kIdentify, 100);
  EXPECT_TRUE(model.poll(349).empty());
  EXPECT_EQ(model.nextDueMs(), 350u);
  const auto header = model.poll(350);
  ASSERT_EQ(header.size(), 1u);
  ASSERT_EQ(header[0].bytes.size(), kHeaderSize);
  EXPECT_EQ(header[0].bytes[1], 7);
  EXPECT_EQ(model.nextDueMs(), 1350u);
  EXPECT_TRUE(model.poll(1349).empty());
  const auto payload = model.poll(1350);
  ASSERT_EQ(payload.size(), 1u);
  EXPECT_EQ(payload[0].bytes.size(), kFirmwareReplyBytes);
  const auto frames = parseFrames(joined({header[0], payload[0]}));
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_TRUE(frames[0].headerOk && frames[0].dataOk);

  // A header-only reply is not split.
  model.receive(buildFrame(orderByte(Order::StoreToEeprom), 0), 2000);
  EXPECT_EQ(model.poll(2250).size(), 1u);
}

TEST(SimFaults, ErrorOnOrderRefusesItWithoutCarryingItOut) {
  SimOptions o;
  o.errorOn = 1;
  o.errorReplyWord = 7;
  SensorModel model(o);
  SensorParameters p;
  p.power = 42;
  const auto bytes = encodeParameters(p);
  const auto write = exchange(model, Order::WriteParameters, 0, {bytes.begin(), bytes.end()}, 10);
  ASSERT_EQ(write.size(), 1u);
  EXPECT_EQ(write[0].header.order, 0);
  EXPECT_EQ(write[0].header.argument, 7);
  EXPECT_EQ(write[0].header.dataLength, 0);
  EXPECT_NE(model.ramParameters(0).power, 42);
  // Other orders are unaffected.
  EXPECT_EQ(exchange(model, Order::Identify, 0, 20).at(0).header.order, 7);
}

TEST(SimFaults, SplitDeliveryMarksEveryEmission) {
  SimOptions o;
  o.splitDelivery = true;
  SensorModel model(o);
  model.receive(kIdentify, 5);
  const auto out = model.poll(5);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_TRUE(out[0].byteByByte);
  SensorModel plain;
  plain.receive(kIdentify, 5);
  EXPECT_FALSE(plain.poll(5).at(0).byteByByte);
}

TEST(SimFaults, DisconnectAfterNRepliesDropsTheLineUntilTheNextConnection) {
  SimOptions o;
  o.disconnectAfter = 2;
  SensorModel model(o);
  model.connectionOpened(0);
  model.receive(kIdentify, 10);
  model.receive(kIdentify, 10);
  model.receive(kIdentify, 10);
  const auto out = model.poll(10);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_FALSE(out[0].disconnect);
  EXPECT_TRUE(out[1].disconnect);
  EXPECT_EQ(parseFrames(out[1].bytes).size(), 1u) << "the Nth reply is still sent";
  model.receive(kIdentify, 20);
  EXPECT_TRUE(model.poll(20).empty());
  EXPECT_EQ(model.nextDueMs(), std::nullopt);

  model.connectionOpened(30);
  model.receive(kIdentify, 30);
  const auto again = model.poll(30);
  ASSERT_EQ(again.size(), 1u);
  EXPECT_FALSE(again[0].disconnect);

  // A dropped Nth reply still ends the connection.
  o.dropEvery = 2;
  SensorModel dropping(o);
  dropping.receive(kIdentify, 1);
  dropping.receive(kIdentify, 1);
  const auto dropped = dropping.poll(1);
  ASSERT_EQ(dropped.size(), 2u);
  EXPECT_TRUE(dropped[1].bytes.empty());
  EXPECT_TRUE(dropped[1].disconnect);
}

TEST(SimFaults, OversizeLengthAnnouncesTooMuchWithAValidHeader) {
  SimOptions o;
  o.oversizeLength = true;
  SensorModel model(o);
  model.receive(kIdentify, 1);
  const auto bytes = joined(model.poll(1));
  ASSERT_GE(bytes.size(), kHeaderSize);
  FrameHeader h;
  EXPECT_EQ(checkHeader(bytes.data(), h), HeaderCheck::Oversize);
  EXPECT_EQ(getLe16(&bytes[4]), kOversizeLength);
  EXPECT_EQ(bytes.size(), kHeaderSize + kFirmwareReplyBytes);
}

TEST(SimFaults, ConnectionResetsCountersAndPerConnectionState) {
  SimOptions o;
  o.dropEvery = 2;
  SensorModel model(o);
  model.connectionOpened(0);
  (void)replies(model, 1);
  (void)exchange(model, Order::AutoSend, 1, 150); // the second reply: dropped
  EXPECT_TRUE(model.autoSendActive());
  model.connectionClosed();
  EXPECT_FALSE(model.autoSendActive());
  EXPECT_EQ(model.replyCount(), 0u);
  model.connectionOpened(500);
  EXPECT_EQ(replies(model, 1, 500).at(0).size(), 1u) << "counting starts again";
}

TEST(SimFraming, AnyChunkingGivesTheSameReplies) {
  std::vector<std::uint8_t> stream;
  for (const auto &f :
       {kIdentify, kMeasure, buildFrame(orderByte(Order::ReadParameters), 2),
        buildFrame(orderByte(Order::WriteCalibration), 1, std::vector<std::uint8_t>(6, 3))})
    stream.insert(stream.end(), f.begin(), f.end());

  SensorModel whole;
  whole.receive(stream, 50);
  const auto expected = joined(whole.poll(50));
  EXPECT_EQ(parseFrames(expected).size(), 4u);

  for (const std::size_t chunk :
       {std::size_t{1}, std::size_t{3}, std::size_t{7}, std::size_t{500}}) {
    SensorModel model;
    for (std::size_t at = 0; at < stream.size(); at += chunk)
      model.receive(std::span(stream).subspan(at, std::min(chunk, stream.size() - at)), 50);
    EXPECT_EQ(joined(model.poll(50)), expected) << chunk;
  }
}

TEST(SimFraming, BadFramesAreAnsweredWithErrorTwoAndSkipped) {
  auto badHeader = kIdentify;
  badHeader[7] ^= 0x01;
  auto badData = buildFrame(orderByte(Order::WriteCalibration), 0, std::vector<std::uint8_t>(6, 1));
  badData[10] ^= 0x40;
  // A valid header announcing 507 bytes: more than any request carries.
  const auto oversize = encodeHeader(makeHeader(1, 0, 507, 0xAA));

  struct Case {
    const char *name;
    std::vector<std::uint8_t> junk;
    std::size_t errorReplies;
  };
  const std::vector<Case> cases = {
      {"bytes without a start byte", {0x00, 0x13, 0xFF, 0x54}, 0},
      {"bad header CRC", badHeader, 1},
      {"bad data CRC", badData, 1},
      {"oversize length", {oversize.begin(), oversize.end()}, 1},
      {"lone start bytes", {0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}, 1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    SensorModel model;
    std::vector<std::uint8_t> stream = c.junk;
    stream.insert(stream.end(), kIdentify.begin(), kIdentify.end());
    model.receive(stream, 10);
    const auto frames = parseFrames(joined(model.poll(10)));
    ASSERT_EQ(frames.size(), c.errorReplies + 1);
    for (std::size_t i = 0; i < c.errorReplies; ++i) {
      EXPECT_EQ(frames[i].header.order, 0);
      EXPECT_EQ(frames[i].header.argument, kErrorBadCrc);
    }
    EXPECT_EQ(frames.back().header.order, 7) << "resynchronised on the next valid header";
    EXPECT_EQ(model.requests().size(), 1u);
  }
}

TEST(SimFraming, StalePartialFrameIsDiscarded) {
  SensorModel model;
  model.receive(std::span(kIdentify).first(5), 100);
  EXPECT_TRUE(model.poll(100).empty());
  model.receive(kIdentify, 100 + kStalePartialMs + 1);
  const auto frames = parseFrames(joined(model.poll(2000)));
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].header.order, 7);
}

TEST(SimFraming, RandomGarbageNeverCrashesAndTheModelRecovers) {
  std::mt19937 rng(1234);
  for (int round = 0; round < 200; ++round) {
    SensorModel model;
    std::uniform_int_distribution<int> length(0, 3000);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> junk(static_cast<std::size_t>(length(rng)));
    for (auto &b : junk)
      b = static_cast<std::uint8_t>(round % 3 == 0 ? (byte(rng) & 0x57) : byte(rng));
    std::uint64_t now = 10;
    for (std::size_t at = 0; at < junk.size();) {
      const std::size_t n =
          std::min<std::size_t>(junk.size() - at, 1 + static_cast<std::size_t>(byte(rng)));
      model.receive(std::span(junk).subspan(at, n), now);
      at += n;
      (void)model.poll(now);
    }
    // Whatever the garbage left half-received is dropped after a second.
    now += kStalePartialMs + 1;
    for (const auto &e : model.poll(now))
      (void)e;
    model.receive(kIdentify, now);
    const auto frames = parseFrames(joined(model.poll(now + 100000)));
    ASSERT_FALSE(frames.empty()) << round;
    EXPECT_TRUE(std::any_of(frames.begin(), frames.end(), [](const Frame &f) {
      return f.header.order == 7;
    })) << round;
  }
}
