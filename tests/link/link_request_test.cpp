// One request and its reply over TCP and over a pseudo terminal: every failure the link
// reports, the exact request bytes, the receive buffer and the waits.
#include "link/core/crc8.h"
#include "link/core/frame.h"
#include "link/core/link_messages.h"
#include "link/link_rig.h"
#include "support/settle.h"

#include <QCoroTimer>
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

// One request made by the running Live acquisition, and whether it still ran afterwards.
struct LoopRequest {
  LinkReply reply;
  bool runningAfter = false;
};

LoopRequest requestInLoop(SensorLink &link, Order order) {
  LoopRequest out;
  runAcquisition(link, Acquisition::Live, [&]() -> QCoro::Task<> {
    out.reply = co_await link.request(order, 0);
    out.runningAfter = link.acquisitionRunning();
  });
  return out;
}

class LinkRequest : public ::testing::TestWithParam<Wire> {};

TEST_P(LinkRequest, FailureRowsAndAcceptedReplies) {
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
    rig.answer(row.replies);

    const LoopRequest result = requestInLoop(rig.link, Order::ReadMeasurement);

    ASSERT_EQ(rig.peer->requests.size(), 1u);
    if (row.message.empty()) {
      EXPECT_TRUE(result.reply.ok);
      EXPECT_TRUE(result.runningAfter);
      EXPECT_TRUE(rig.failures.empty());
      EXPECT_TRUE(rig.link.linkOk());
      EXPECT_EQ(result.reply.header.order, row.replyOrder);
      EXPECT_EQ(result.reply.header.argument, row.replyWord);
      const auto &payload = result.reply.payload;
      ASSERT_EQ(payload.size(), row.payloadSize);
      if (row.payloadSize) {
        const Bytes expected = measurementPayload();
        EXPECT_TRUE(std::equal(payload.begin(), payload.end(), expected.begin()));
      }
    } else {
      EXPECT_FALSE(result.reply.ok);
      ASSERT_EQ(rig.failures.size(), 1u);
      EXPECT_EQ(rig.failures[0], q(row.message));
      EXPECT_EQ(rig.link.errorText(), q(row.message));
      EXPECT_FALSE(rig.link.linkOk());
      EXPECT_FALSE(result.runningAfter) << "the failure stops the running acquisition";
      EXPECT_TRUE(rig.link.transport()->isOpen()) << "the transport stays open after a failure";
    }
  }
}

TEST_P(LinkRequest, RequestsGoOutByteExact) {
  LinkRig rig(GetParam());
  ASSERT_EQ(rig.open(), 0);
  rig.answer({{replyFrame(1, 0)}});

  ASSERT_TRUE(QCoro::waitFor(rig.link.request(Order::Identify, 0)).ok);
  const Bytes scope = {1, 0, 2, 0, 3, 0, 4, 0, 5, 0};
  ASSERT_TRUE(QCoro::waitFor(rig.link.request(Order::ScopeScan, 1, scope)).ok);
  ASSERT_TRUE(QCoro::waitFor(rig.link.request(Order::ReadHardwareInfo, kHardwareInfoMagic)).ok);
  EXPECT_EQ(rig.link.currentOrder(), orderByte(Order::ReadHardwareInfo));

  ASSERT_EQ(rig.peer->requests.size(), 3u);
  EXPECT_EQ(rig.peer->requests[0].frame, (Bytes{0x55, 0x07, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x52}));
  const Bytes &start = rig.peer->requests[1].frame;
  ASSERT_EQ(start.size(), 18u);
  EXPECT_EQ(start, buildFrame(110, 1, scope));
  EXPECT_EQ(start[6], crc8(scope));
  EXPECT_EQ(crc8(std::span(start).first(8)), 0);
  // The payload of the request before is not sent again.
  const Bytes &info = rig.peer->requests[2].frame;
  ASSERT_EQ(info.size(), 8u);
  EXPECT_EQ(info[6], 0xAA);
  EXPECT_EQ(info, buildFrame(194, 0x7C19));
}

TEST_P(LinkRequest, ReceiveBufferStartsEmptyAndStaleBytesAreDropped) {
  LinkRig rig(GetParam());
  ASSERT_EQ(rig.open(), 0);
  const Bytes full(46, 0xFF);
  int n = 0;
  rig.peer->responder = [&](const PeerRequest &) -> std::vector<PeerReply> {
    if (n++ == 0) // the reply, then a stray late frame the next exchange must not see
      return {{replyFrame(8, 0, full)}, {replyFrame(8, 1, full), 20}};
    return {{replyFrame(3, 0)}};
  };
  ASSERT_TRUE(QCoro::waitFor(rig.link.request(Order::ReadMeasurement, 0)).ok);
  QTest::qWait(150); // the stray frame arrives between the exchanges

  const LinkReply stored = QCoro::waitFor(rig.link.request(Order::StoreToEeprom, 0));
  ASSERT_TRUE(stored.ok);
  EXPECT_EQ(stored.header.order, 3);
  EXPECT_EQ(rig.link.receivedBytes(), 8);
  const auto buffer = rig.link.receiveBuffer();
  EXPECT_TRUE(std::all_of(buffer.begin() + 8, buffer.end(), [](auto b) { return b == 0; }));
}

// The payload has its own 3.0 s, measured from the header.
TEST_P(LinkRequest, PayloadHasItsOwnFrameTime) {
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
    EXPECT_EQ(QCoro::waitFor(rig.link.request(Order::ReadMeasurement, 0)).ok, row.result == 1);
    if (row.result == -1) {
      ASSERT_EQ(rig.failures.size(), 1u);
      EXPECT_EQ(rig.failures[0], q(linktext::kTimeout));
    }
  }
}

TEST_P(LinkRequest, StopDuringWaitStillReceivesTheReply) {
  LinkRig rig(GetParam());
  ASSERT_EQ(rig.open(), 0);
  rig.answer({{replyFrame(8, 0, measurementPayload()), 300}});
  rig.link.markVerified();
  QTimer::singleShot(50, [&] {
    rig.link.stopAcquisition(); // what STOP does
  });
  const LoopRequest result = requestInLoop(rig.link, Order::ReadMeasurement);
  EXPECT_TRUE(result.reply.ok);
  EXPECT_EQ(result.reply.payload.size(), 46u);
  EXPECT_FALSE(result.runningAfter);
  EXPECT_TRUE(rig.failures.empty());
}

TEST_P(LinkRequest, ASecondRequestWaitsItsTurnAndIsServedInOrder) {
  LinkRig rig(GetParam());
  ASSERT_EQ(rig.open(), 0);
  std::vector<std::uint16_t> answered; // reply words, in the order the callers got them
  std::vector<std::size_t> answeredAtArrival;
  rig.peer->responder = [&](const PeerRequest &r) -> std::vector<PeerReply> {
    answeredAtArrival.push_back(answered.size());
    return {{replyFrame(r.order, r.order, measurementPayload()), 200}};
  };
  const auto ask = [&](Order order) -> QCoro::Task<> {
    const LinkReply reply = co_await rig.link.request(order, 0);
    answered.push_back(reply ? reply.header.argument : 0xFFFF);
  };
  // A loop asks again as soon as it has its reply; a request made meanwhile goes first.
  const auto loop = [&]() -> QCoro::Task<> {
    co_await ask(Order::ReadMeasurement);
    co_await ask(Order::ReadParameters);
  };
  loop();
  QTimer::singleShot(50, [&] { ask(Order::StoreToEeprom); });
  settleUntil([&] { return answered.size() == 3; });

  EXPECT_EQ(answered, (std::vector<std::uint16_t>{8, 3, 2}));
  EXPECT_EQ(answeredAtArrival, (std::vector<std::size_t>{0, 1, 2})) << "one request on the line";
  EXPECT_TRUE(rig.failures.empty());
  EXPECT_TRUE(rig.link.idle());
}

TEST_P(LinkRequest, StreamedFramesAreWaitedForAndConsumed) {
  LinkRig rig(GetParam());
  ASSERT_EQ(rig.open(), 0);
  const Bytes frame = replyFrame(8, 0, measurementPayload());
  Bytes three;
  for (int i = 0; i < 3; ++i)
    three.insert(three.end(), frame.begin(), frame.end());
  rig.peer->send({{three, 50, GetParam() == Wire::Pty}});

  std::vector<StreamedFrame> taken;
  std::vector<int> leftAfter;
  runAcquisition(rig.link, Acquisition::Live, [&]() -> QCoro::Task<> {
    rig.link.clearReceive();
    for (int i = 0; i < 4; ++i) {
      // Stopping ends a wait that has nothing to wait for.
      if (i == 3) QTimer::singleShot(50, [&] { rig.link.stopAcquisition(); });
      taken.push_back(co_await rig.link.receiveFrame());
      leftAfter.push_back(rig.link.receivedBytes());
    }
  });

  ASSERT_EQ(taken.size(), 4u);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(taken[i].end, StreamEnd::Complete);
    EXPECT_EQ(taken[i].reply.payload, measurementPayload());
  }
  EXPECT_EQ(leftAfter[2], 0) << "each frame is consumed";
  EXPECT_EQ(taken[3].end, StreamEnd::Stopped);
  EXPECT_TRUE(rig.failures.empty());
}

TEST_P(LinkRequest, ReceiveBufferNeverOverflows) {
  LinkRig rig(GetParam());
  ASSERT_EQ(rig.open(), 0);
  Bytes flood(3000);
  std::iota(flood.begin(), flood.end(), std::uint8_t{0});
  rig.peer->send({{flood}});
  std::vector<StreamEnd> ends;
  std::vector<int> counts;
  runAcquisition(rig.link, Acquisition::Recording, [&]() -> QCoro::Task<> {
    ends.push_back(co_await rig.link.receive(1'000'000)); // a wait beyond the buffer is capped
    counts.push_back(rig.link.receivedBytes());
    co_await QCoro::sleepFor(std::chrono::milliseconds(100)); // the rest stays queued
    counts.push_back(rig.link.receivedBytes());
    rig.link.consume(1000);
    ends.push_back(co_await rig.link.receive(2000));
  });
  EXPECT_EQ(ends, (std::vector<StreamEnd>{StreamEnd::Complete, StreamEnd::Complete}));
  EXPECT_EQ(counts, (std::vector<int>{2048, 2048}));
  const auto buffer = rig.link.receiveBuffer();
  EXPECT_EQ(buffer[0], static_cast<std::uint8_t>(1000));
  EXPECT_EQ(buffer[1999], static_cast<std::uint8_t>(2999));
  EXPECT_EQ(rig.link.receivedBytes(), 2000);
}

TEST_P(LinkRequest, NoOpenTransportFailsAtOnce) {
  LinkRig rig(GetParam());
  rig.link.markVerified();
  EXPECT_FALSE(QCoro::waitFor(rig.link.request(Order::ReadMeasurement, 0)).ok);
  ASSERT_EQ(rig.failures.size(), 1u);
  EXPECT_EQ(rig.failures[0], q(linktext::kTimeout));
  EXPECT_FALSE(rig.link.linkOk());
}

INSTANTIATE_TEST_SUITE_P(Wires, LinkRequest, ::testing::Values(Wire::Tcp, Wire::Pty),
                         [](const auto &info) { return info.param == Wire::Tcp ? "Tcp" : "Pty"; });

TEST(FailLink, ClearsTheFlagsBeforeSignallingAndKeepsAtMost255Characters) {
  SensorLink link;
  link.markVerified();
  startAcquisitionUntilFailure(link, Acquisition::Live);
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
  settleUntil([&] { return link.idle(); });
}

} // namespace
