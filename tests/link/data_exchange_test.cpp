// One request and its reply over TCP and over a pseudo terminal: every failure the link
// reports, the exact request bytes, the receive buffer and the waits.
#include "link/core/crc8.h"
#include "link/core/frame.h"
#include "link/core/link_messages.h"
#include "link/link_rig.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

QString q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

Bytes measurementPayload() {
  Bytes p(46);
  std::iota(p.begin(), p.end(), std::uint8_t{1});
  return p;
}

// A header whose own CRC is right but whose start byte is not 0x55.
Bytes wrongStartHeader() {
  FrameHeader h = makeHeader(8, 0, Bytes{});
  h.start = 0x54;
  HeaderBytes b = encodeHeader(h);
  b[7] = crc8Update(b.data(), 0, 7);
  return Bytes(b.begin(), b.end());
}

// A header announcing one byte more than the receive buffer can hold behind it.
Bytes oversizeHeader() {
  const HeaderBytes b = encodeHeader(makeHeader(8, 0, kMaxPayload + 1, 0x00));
  return Bytes(b.begin(), b.end());
}

Bytes withFlippedByte(Bytes b, std::size_t index) {
  b[index] ^= 0x01;
  return b;
}

class DataExchange : public ::testing::TestWithParam<Wire> {};

TEST_P(DataExchange, FailureRowsAndAcceptedReplies) {
  const Bytes good = replyFrame(8, 0, measurementPayload());
  struct Row {
    std::string name;
    std::vector<PeerReply> replies;
    std::string_view message; // empty: the exchange succeeds
    std::uint8_t replyOrder = 8;
    std::uint16_t replyWord = 0;
    std::size_t payloadSize = 46;
  };
  const std::vector<Row> rows = {
      {"no reply", {}, linktext::kTimeout},
      {"header CRC wrong", {{withFlippedByte(good, 7)}}, linktext::kBadHeader},
      {"header field wrong", {{withFlippedByte(good, 2)}}, linktext::kBadHeader},
      {"start byte wrong", {{wrongStartHeader()}}, linktext::kBadHeader},
      {"error reply word 1", {{replyFrame(0, 1)}}, linktext::kInvalidOrder},
      {"error reply word 2", {{replyFrame(0, 2)}}, linktext::kReduceBaudrate},
      {"error reply word 3", {{replyFrame(0, 3)}}, {}, 0, 3, 0},
      {"data CRC wrong", {{withFlippedByte(good, 20)}}, linktext::kBadData},
      {"oversize length", {{oversizeHeader()}}, linktext::kBadHeader},
      {"payload incomplete", {{Bytes(good.begin(), good.end() - 1)}}, linktext::kTimeout},
      {"header incomplete", {{Bytes(good.begin(), good.begin() + 7)}}, linktext::kTimeout},
      {"one chunk", {{good}}, {}},
      {"byte by byte", {{good, 0, true}}, {}},
      {"header, later payload",
       {{Bytes(good.begin(), good.begin() + 8)}, {Bytes(good.begin() + 8, good.end()), 150}},
       {}},
      {"other order", {{replyFrame(9, 77, measurementPayload())}}, {}, 9, 77},
      {"header only", {{replyFrame(8, 5)}}, {}, 8, 5, 0},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.name);
    LinkRig rig(GetParam());
    ASSERT_EQ(rig.open(), 0);
    rig.link.setFrameTimeoutSeconds(1.0);
    rig.link.markVerified();
    (void)rig.link.beginLoop(Acquisition::Live);
    rig.answer(row.replies);

    const int result = rig.link.exchange(Order::ReadMeasurement, 0);

    ASSERT_EQ(rig.peer->requests.size(), 1u);
    if (row.message.empty()) {
      EXPECT_EQ(result, 1);
      EXPECT_TRUE(rig.failures.empty());
      EXPECT_TRUE(rig.link.linkOk());
      EXPECT_EQ(rig.link.replyHeader().order, row.replyOrder);
      EXPECT_EQ(rig.link.replyHeader().argument, row.replyWord);
      const auto payload = rig.link.replyPayload();
      ASSERT_EQ(payload.size(), row.payloadSize);
      if (row.payloadSize) {
        const Bytes expected = measurementPayload();
        EXPECT_TRUE(std::equal(payload.begin(), payload.end(), expected.begin()));
      }
    } else {
      EXPECT_EQ(result, -1);
      ASSERT_EQ(rig.failures.size(), 1u);
      EXPECT_EQ(rig.failures[0], q(row.message));
      EXPECT_EQ(rig.link.errorText(), q(row.message));
      EXPECT_FALSE(rig.link.linkOk());
      EXPECT_FALSE(rig.link.acquisitionRunning());
      EXPECT_TRUE(rig.link.transport()->isOpen()) << "the transport stays open after a failure";
    }
  }
}

TEST_P(DataExchange, RequestsGoOutByteExact) {
  LinkRig rig(GetParam());
  ASSERT_EQ(rig.open(), 0);
  rig.answer({{replyFrame(1, 0)}});

  ASSERT_EQ(rig.link.exchange(Order::Identify, 0), 1);
  const Bytes scope = {1, 0, 2, 0, 3, 0, 4, 0, 5, 0};
  ASSERT_EQ(rig.link.exchange(Order::ScopeScan, 1, scope), 1);
  std::copy(scope.begin(), scope.end(), rig.link.txPayload());
  rig.link.FillTxBuf(orderByte(Order::ReadHardwareInfo), kHardwareInfoMagic, 0);
  ASSERT_EQ(rig.link.DataExchange(8), 1);
  EXPECT_EQ(rig.link.currentOrder(), orderByte(Order::ReadHardwareInfo));

  ASSERT_EQ(rig.peer->requests.size(), 3u);
  EXPECT_EQ(rig.peer->requests[0].frame, (Bytes{0x55, 0x07, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x52}));
  const Bytes &start = rig.peer->requests[1].frame;
  ASSERT_EQ(start.size(), 18u);
  EXPECT_EQ(start, buildFrame(110, 1, scope));
  EXPECT_EQ(start[6], crc8(scope));
  EXPECT_EQ(crc8(std::span(start).first(8)), 0);
  // Payload left in the staging area is not sent when the length says none.
  const Bytes &info = rig.peer->requests[2].frame;
  ASSERT_EQ(info.size(), 8u);
  EXPECT_EQ(info[6], 0xAA);
  EXPECT_EQ(info, buildFrame(194, 0x7C19));
}

TEST_P(DataExchange, ReceiveBufferStartsEmptyAndStaleBytesAreDropped) {
  LinkRig rig(GetParam());
  ASSERT_EQ(rig.open(), 0);
  const Bytes full(46, 0xFF);
  int n = 0;
  rig.peer->responder = [&](const PeerRequest &) -> std::vector<PeerReply> {
    if (n++ == 0) // the reply, then a stray late frame the next exchange must not see
      return {{replyFrame(8, 0, full)}, {replyFrame(8, 1, full), 20}};
    return {{replyFrame(3, 0)}};
  };
  ASSERT_EQ(rig.link.exchange(Order::ReadMeasurement, 0), 1);
  QTest::qWait(150); // the stray frame arrives between the exchanges

  ASSERT_EQ(rig.link.exchange(Order::StoreToEeprom, 0), 1);
  EXPECT_EQ(rig.link.replyHeader().order, 3);
  EXPECT_EQ(rig.link.receivedBytes(), 8);
  const auto buffer = rig.link.receiveBuffer();
  EXPECT_TRUE(std::all_of(buffer.begin() + 8, buffer.end(), [](auto b) { return b == 0; }));
}

// The payload has its own 3.0 s, measured from the header.
TEST_P(DataExchange, PayloadHasItsOwnFrameTime) {
  const Bytes good = replyFrame(8, 0, measurementPayload());
  const Bytes header(good.begin(), good.begin() + 8);
  const Bytes payload(good.begin() + 8, good.end());
  struct Row {
    int payloadDelayMs;
    int result;
  };
  for (const Row row : {Row{2500, 1}, Row{3500, -1}}) {
    SCOPED_TRACE(row.payloadDelayMs);
    LinkRig rig(GetParam());
    ASSERT_EQ(rig.open(), 0);
    ASSERT_EQ(rig.link.frameTimeoutSeconds(), 3.0);
    rig.answer({{header, 200}, {payload, row.payloadDelayMs}});
    EXPECT_EQ(rig.link.exchange(Order::ReadMeasurement, 0), row.result);
    if (row.result == -1) {
      ASSERT_EQ(rig.failures.size(), 1u);
      EXPECT_EQ(rig.failures[0], q(linktext::kTimeout));
    }
  }
}

TEST_P(DataExchange, StopDuringWaitStillReceivesTheReply) {
  LinkRig rig(GetParam());
  ASSERT_EQ(rig.open(), 0);
  rig.answer({{replyFrame(8, 0, measurementPayload()), 300}});
  (void)rig.link.beginLoop(Acquisition::Live);
  rig.link.markVerified();
  QTimer::singleShot(50, [&] {
    rig.link.stopAcquisition(); // what STOP does
  });
  EXPECT_EQ(rig.link.exchange(Order::ReadMeasurement, 0), 1);
  EXPECT_EQ(rig.link.replyPayload().size(), 46u);
  EXPECT_TRUE(rig.failures.empty());
}

TEST_P(DataExchange, SecondExchangeFromACallbackIsRefused) {
  LinkRig rig(GetParam());
  ASSERT_EQ(rig.open(), 0);
  rig.answer({{replyFrame(8, 0, measurementPayload()), 200}});
  int nested = 0;
  QTimer::singleShot(50, [&] { nested = rig.link.exchange(Order::Identify, 0); });
  EXPECT_EQ(rig.link.exchange(Order::ReadMeasurement, 0), 1);
  EXPECT_EQ(nested, -1);
  EXPECT_EQ(rig.peer->requests.size(), 1u);
}

TEST_P(DataExchange, StreamedFramesAreWaitedForAndConsumed) {
  LinkRig rig(GetParam());
  ASSERT_EQ(rig.open(), 0);
  (void)rig.link.beginLoop(Acquisition::Live);
  const Bytes frame = replyFrame(8, 0, measurementPayload());
  Bytes three;
  for (int i = 0; i < 3; ++i)
    three.insert(three.end(), frame.begin(), frame.end());
  rig.peer->send({{three, 50, GetParam() == Wire::Pty}});

  rig.link.clearReceive();
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(rig.link.waitForReceived(54)) << i;
    ASSERT_EQ(rig.link.CheckHeaderCRC(), 1);
    ASSERT_EQ(rig.link.GetDataFrame(), 1);
    rig.link.consume(54);
  }
  EXPECT_EQ(rig.link.receivedBytes(), 0);

  // Clearing the run flag (and waking) ends a wait that has nothing to wait for.
  QTimer::singleShot(50, [&] { rig.link.stopAcquisition(); });
  EXPECT_FALSE(rig.link.waitForReceived(54));
  EXPECT_TRUE(rig.failures.empty());
}

TEST_P(DataExchange, ReceiveBufferNeverOverflows) {
  LinkRig rig(GetParam());
  ASSERT_EQ(rig.open(), 0);
  Bytes flood(3000);
  std::iota(flood.begin(), flood.end(), std::uint8_t{0});
  rig.peer->send({{flood}});
  ASSERT_TRUE(rig.link.beginLoop(Acquisition::Recording));
  ASSERT_TRUE(rig.link.waitForReceived(1'000'000)) << "a wait beyond the buffer is capped";
  EXPECT_EQ(rig.link.receivedBytes(), 2048);
  QTest::qWait(100); // the rest stays queued in the transport
  EXPECT_EQ(rig.link.receivedBytes(), 2048);
  rig.link.consume(1000);
  ASSERT_TRUE(rig.link.waitForReceived(2000));
  const auto buffer = rig.link.receiveBuffer();
  EXPECT_EQ(buffer[0], static_cast<std::uint8_t>(1000));
  EXPECT_EQ(buffer[1999], static_cast<std::uint8_t>(2999));
  EXPECT_EQ(rig.link.receivedBytes(), 2000);
}

TEST_P(DataExchange, NoOpenTransportFailsAtOnce) {
  LinkRig rig(GetParam());
  rig.link.markVerified();
  EXPECT_EQ(rig.link.exchange(Order::ReadMeasurement, 0), -1);
  ASSERT_EQ(rig.failures.size(), 1u);
  EXPECT_EQ(rig.failures[0], q(linktext::kTimeout));
  EXPECT_FALSE(rig.link.linkOk());
}

INSTANTIATE_TEST_SUITE_P(Wires, DataExchange, ::testing::Values(Wire::Tcp, Wire::Pty),
                         [](const auto &info) { return info.param == Wire::Tcp ? "Tcp" : "Pty"; });

TEST(SetTimeout, ClearsTheFlagsBeforeSignallingAndKeepsAtMost255Characters) {
  SensorLink link;
  link.markVerified();
  (void)link.beginLoop(Acquisition::Live);
  bool flagsClearedWhenSignalled = false;
  QObject::connect(&link, &SensorLink::failed, [&](const QString &) {
    flagsClearedWhenSignalled = !link.linkOk() && !link.acquisitionRunning();
  });
  QSignalSpy spy(&link, &SensorLink::failed);
  link.report(QString(300, QChar('x')));
  ASSERT_EQ(spy.count(), 1);
  EXPECT_TRUE(flagsClearedWhenSignalled);
  EXPECT_EQ(link.errorText().size(), 255);
  EXPECT_EQ(spy.at(0).at(0).toString(), link.errorText());
}

} // namespace
