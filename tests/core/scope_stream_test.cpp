#include "link/core/bytes.h"
#include "link/core/crc8.h"
#include "link/core/frame.h"
#include "link/core/link_messages.h"
#include "link/core/orders.h"
#include "scope/core/scope_stream.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvane {
namespace {

using Bytes = std::vector<std::uint8_t>;
using State = ScopeStreamAssembler::State;

// What the sensor records: sample j of the scan (in time order) of block b.
std::uint16_t sampleValue(std::size_t block, std::uint64_t j) {
  return block == 3 ? static_cast<std::uint16_t>(j % 4)
                    : static_cast<std::uint16_t>(1000 * block + j);
}

Bytes blockPayload(const ScopeTrace &ring, std::uint16_t ringIndex) {
  Bytes payload(kScopeBlockPayload);
  for (std::size_t k = 0; k < kScopeSamples; ++k)
    putLe16(&payload[2 * k], ring[k]);
  putLe16(&payload[2 * kScopeSamples], ringIndex);
  return payload;
}

// The four blocks as the sensor sends them: the samples from `first` on, slot j mod 128
// and the trigger's slot as ring index (single shot: time order, an unused ring index).
std::vector<Bytes> scanFrames(const ScopeSettings &s, std::uint64_t trigger) {
  const bool single = s.triggerMode == 0;
  const std::uint64_t first = single ? trigger : trigger - s.preTrigger;
  const auto ringIndex = static_cast<std::uint16_t>(single ? 0xFFFF : trigger % kScopeSamples);
  std::vector<Bytes> frames;
  for (std::size_t b = 0; b < kScopeBlocks; ++b) {
    ScopeTrace ring{};
    for (std::uint64_t j = first; j < first + kScopeSamples; ++j)
      ring[single ? j - first : j % kScopeSamples] = sampleValue(b, j);
    frames.push_back(buildFrame(orderByte(Order::ScopeScan), 0, blockPayload(ring, ringIndex)));
  }
  return frames;
}

Bytes stream(ScopeTransport transport, const std::vector<Bytes> &frames) {
  Bytes out;
  if (transport == ScopeTransport::Tcp) out = buildFrame(orderByte(Order::ScopeScan), 0);
  for (const auto &f : frames)
    out.insert(out.end(), f.begin(), f.end());
  return out;
}

// Feeds `bytes` in chunks of `chunk` bytes; returns how many were taken.
std::size_t feedInChunks(ScopeStreamAssembler &a, const Bytes &bytes, std::size_t chunk) {
  std::size_t used = 0;
  for (std::size_t at = 0; at < bytes.size(); at += chunk) {
    const std::size_t n = std::min(chunk, bytes.size() - at);
    used += a.feed(std::span(bytes).subspan(at, n));
  }
  return used;
}

TEST(ScopeStream, AnyChunkingOverEitherTransportGivesTheTimeOrderedScan) {
  ScopeSettings edge;
  edge.triggerMode = 1;
  edge.preTrigger = 20;
  ScopeSettings single;
  single.preTrigger = 50; // ignored in single shot
  const struct {
    ScopeSettings settings;
    std::uint64_t trigger;
  } scans[] = {{edge, 1000},
               {single, 777},
               {ScopeSettings{0, 4, 127, 1, 0}, 300},
               {ScopeSettings{0, 3, 0, 1, 0}, 64}};
  for (const auto &scan : scans) {
    const std::uint64_t first =
        scan.trigger - scan.settings.preTrigger * (scan.settings.triggerMode != 0);
    for (const ScopeTransport transport : {ScopeTransport::Serial, ScopeTransport::Tcp}) {
      const Bytes bytes = stream(transport, scanFrames(scan.settings, scan.trigger));
      ASSERT_EQ(bytes.size(),
                transport == ScopeTransport::Tcp ? kScopeTcpStreamBytes : kScopeTcpStreamBytes - 8);
      for (const std::size_t chunk :
           {std::size_t{1}, std::size_t{7}, std::size_t{266}, std::size_t{1000}, bytes.size()}) {
        SCOPED_TRACE(::testing::Message()
                     << "mode " << scan.settings.triggerMode << " tcp "
                     << (transport == ScopeTransport::Tcp) << " chunk " << chunk);
        ScopeStreamAssembler a(transport, scan.settings);
        EXPECT_EQ(a.bytesMissing(), bytes.size());
        EXPECT_EQ(feedInChunks(a, bytes, chunk), bytes.size());
        ASSERT_EQ(a.state(), State::Complete) << a.error();
        EXPECT_EQ(a.blocksReceived(), 4u);
        EXPECT_EQ(a.bytesMissing(), 0u);
        const ScopeBuffers &b = a.buffers();
        for (std::size_t k = 0; k < kScopeSamples; ++k) {
          for (std::size_t s = 0; s < 3; ++s)
            ASSERT_EQ(b.analog[s][k], sampleValue(s, first + k));
          ASSERT_EQ(b.digital[k], sampleValue(3, first + k));
        }
        // The trigger sample sits at the pre-trigger position.
        if (scan.settings.triggerMode != 0) {
          EXPECT_EQ(b.analog[0][scan.settings.preTrigger], sampleValue(0, scan.trigger));
        }
      }
    }
  }
}

TEST(ScopeStream, StopsAtTheEndOfTheScan) {
  const ScopeSettings s;
  Bytes bytes = stream(ScopeTransport::Tcp, scanFrames(s, 5));
  bytes.insert(bytes.end(), {0x55, 0x08, 0, 0});
  ScopeStreamAssembler a(ScopeTransport::Tcp, s);
  EXPECT_EQ(a.feed(std::span(bytes).first(500)), 500u);
  EXPECT_EQ(a.bytesMissing(), kScopeTcpStreamBytes - 500);
  EXPECT_EQ(a.feed(std::span(bytes).subspan(500)), kScopeTcpStreamBytes - 500);
  EXPECT_EQ(a.state(), State::Complete);
  EXPECT_EQ(a.feed(std::span(bytes).last(4)), 0u);
}

// What a receiver waits for next: the start reply, then block by block.
TEST(ScopeStream, TellsThePartStillToComeAndWhenTheBlocksHaveBegun) {
  const ScopeSettings s;
  const Bytes bytes = stream(ScopeTransport::Tcp, scanFrames(s, 5));
  const struct {
    std::size_t fed, partMissing;
    bool begun;
  } steps[] = {{0, 8, false},    {7, 1, false},   {8, 266, false}, {9, 265, true},
               {274, 266, true}, {1071, 1, true}, {1072, 0, true}};
  for (const auto &step : steps) {
    ScopeStreamAssembler a(ScopeTransport::Tcp, s);
    a.feed(std::span(bytes).first(step.fed));
    EXPECT_EQ(a.partMissing(), step.partMissing) << step.fed;
    EXPECT_EQ(a.blocksBegun(), step.begun) << step.fed;
  }
}

// Frames with one fault each, the message it gives and the block it hits.
TEST(ScopeStream, BadFramesFailWithTheLinkMessage) {
  ScopeSettings s;
  s.triggerMode = 2;
  s.preTrigger = 10;
  const auto good = scanFrames(s, 500);
  const auto withHeader = [](const Bytes &frame, FrameHeader h) {
    Bytes f = frame;
    const HeaderBytes hb = encodeHeader(makeHeader(h.order, h.argument, h.dataLength, h.dataCrc));
    std::copy(hb.begin(), hb.end(), f.begin());
    return f;
  };
  const FrameHeader goodHeader = decodeHeader(good[1].data());
  FrameHeader shortLength = goodHeader;
  shortLength.dataLength = kScopeBlockPayload - 1;
  FrameHeader longLength = goodHeader;
  longLength.dataLength = kScopeBlockPayload + 1;
  FrameHeader oversize = goodHeader;
  oversize.dataLength = 5000;
  const Bytes headerOnly = buildFrame(orderByte(Order::ScopeScan), 0);
  const Bytes errorReply = buildFrame(orderByte(Order::ErrorReply), kErrorUnknownOrder);

  Bytes badHeaderCrc = good[1];
  badHeaderCrc[7] ^= 0x01;
  Bytes badStart = good[1];
  badStart[0] = 0x54;
  badStart[7] = crc8Update(badStart.data(), 0, 7);
  Bytes badSample = good[1];
  badSample[8 + 40] ^= 0x80;
  // A ring index out of range in an otherwise sound frame.
  Bytes ringPayload(good[1].begin() + 8, good[1].end());
  putLe16(&ringPayload[256], 128);
  const Bytes badRingIndex = buildFrame(orderByte(Order::ScopeScan), 0, ringPayload);

  const struct {
    const char *name;
    Bytes second; // replaces the second block
    std::string_view error;
  } cases[] = {
      {"header CRC", badHeaderCrc, linktext::kBadHeader},
      {"start byte", badStart, linktext::kBadHeader},
      {"length 257", withHeader(good[1], shortLength), linktext::kBadHeader},
      {"length 259", withHeader(good[1], longLength), linktext::kBadHeader},
      {"oversize length", withHeader(good[1], oversize), linktext::kBadHeader},
      {"no payload", headerOnly, linktext::kBadHeader},
      {"error reply", errorReply, linktext::kBadHeader},
      {"payload CRC", badSample, linktext::kBadData},
      {"ring index 128", badRingIndex, linktext::kBadData},
  };
  for (const auto &c : cases) {
    for (const ScopeTransport transport : {ScopeTransport::Serial, ScopeTransport::Tcp}) {
      for (const std::size_t chunk : {std::size_t{1}, std::size_t{2000}}) {
        SCOPED_TRACE(::testing::Message() << c.name << " chunk " << chunk);
        Bytes bytes = stream(transport, {good[0], c.second, good[2], good[3]});
        ScopeStreamAssembler a(transport, s);
        const std::size_t used = feedInChunks(a, bytes, chunk);
        EXPECT_EQ(a.state(), State::Failed);
        EXPECT_EQ(a.error(), c.error);
        EXPECT_EQ(a.blocksReceived(), 1u);
        EXPECT_EQ(a.bytesMissing(), 0u);
        // Nothing is read beyond the frame that failed.
        const std::size_t lead = transport == ScopeTransport::Tcp ? 8 : 0;
        const std::size_t failedAt =
            c.error == linktext::kBadHeader ? kHeaderSize : kScopeFrameBytes;
        EXPECT_EQ(used, lead + kScopeFrameBytes + failedAt);
      }
    }
  }
}

TEST(ScopeStream, PreTriggerBeyondTheBufferIsRefusedBeforeAnyByte) {
  ScopeSettings s;
  s.triggerMode = 1;
  s.preTrigger = 128;
  ScopeStreamAssembler a(ScopeTransport::Tcp, s);
  EXPECT_EQ(a.state(), State::Failed);
  EXPECT_EQ(a.error(), kPreTriggerOutOfRange);
  const Bytes bytes(100, 0x55);
  EXPECT_EQ(a.feed(bytes), 0u);
}

} // namespace
} // namespace quorvane
