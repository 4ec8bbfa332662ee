#include "link/core/crc8.h"
#include "link/core/frame.h"
#include "link/core/orders.h"
#include "live/core/measured_values.h"
#include "params/core/sensor_parameters.h"
#include "params/core/teach_table.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using namespace quorvane;

TEST(Crc8, KnownTableEntriesAndEmptyRange) {
  EXPECT_EQ(Crc8Table[0], 0x00);
  EXPECT_EQ(Crc8Table[1], 0x5E);
  EXPECT_EQ(Crc8Table[128], 0x8C);
  EXPECT_EQ(Crc8Table[255], 0x35);
  EXPECT_EQ(crc8({}), 0xAA);
}

TEST(Crc8, RangeFollowedByItsOwnCrcGivesZero) {
  std::vector<std::uint8_t> data(300);
  std::iota(data.begin(), data.end(), 7);
  for (std::size_t n : {0u, 1u, 8u, 299u}) {
    std::vector<std::uint8_t> d(data.begin(), data.begin() + n);
    d.push_back(crc8(d));
    EXPECT_EQ(crc8(d), 0) << n;
  }
  // Offset and length select a window of the buffer.
  EXPECT_EQ(crc8Update(data.data(), 10, 5), crc8(std::span(data).subspan(10, 5)));
}

TEST(Frame, RequestsHaveExactBytes) {
  struct Case {
    Order order;
    std::uint16_t argument;
    std::vector<std::uint8_t> payload;
    std::vector<std::uint8_t> expected; // header only
  };
  const std::vector<Case> cases = {
      {Order::Identify, 0, {}, {0x55, 0x07, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x52}},
      {Order::ReadHardwareInfo, kHardwareInfoMagic, {}, {}},
      {Order::WriteCalibration, 1, {1, 2, 3, 4, 5, 6}, {}},
  };
  for (const auto &c : cases) {
    const auto frame = buildFrame(orderByte(c.order), c.argument, c.payload);
    ASSERT_EQ(frame.size(), kHeaderSize + c.payload.size());
    if (!c.expected.empty()) {
      EXPECT_EQ(std::vector<std::uint8_t>(frame.begin(), frame.begin() + 8), c.expected);
    }
    EXPECT_EQ(frame[0], 0x55);
    EXPECT_EQ(frame[1], orderByte(c.order));
    EXPECT_EQ(frame[2] | (frame[3] << 8), c.argument);
    EXPECT_EQ(frame[4] | (frame[5] << 8), static_cast<int>(c.payload.size()));
    EXPECT_EQ(frame[6], crc8(c.payload));
    EXPECT_EQ(crc8(std::span(frame).first(8)), 0);
  }
}

TEST(Frame, HeaderCheckRejectsBadStartCrcAndOversize) {
  const auto good = encodeHeader(makeHeader(8, 3, 46, 0x12));
  struct Case {
    const char *name;
    HeaderBytes bytes;
    HeaderCheck expected;
  };
  HeaderBytes badCrc = good;
  badCrc[7] ^= 0x01;
  HeaderBytes badStart = good;
  badStart[0] = 0x56;
  HeaderBytes badStartFixedCrc = encodeHeader(makeHeader(8, 3, 46, 0x12));
  badStartFixedCrc[0] = 0x54;
  badStartFixedCrc[7] = crc8Update(badStartFixedCrc.data(), 0, 7);
  const auto oversize = encodeHeader(makeHeader(2, 0, 2041, 0));
  const auto largest = encodeHeader(makeHeader(2, 0, 2040, 0));
  const std::vector<Case> cases = {
      {"good", good, HeaderCheck::Ok},
      {"wrong header crc", badCrc, HeaderCheck::Bad},
      {"wrong start byte", badStart, HeaderCheck::Bad},
      {"wrong start byte with matching crc", badStartFixedCrc, HeaderCheck::Bad},
      {"2041 payload bytes", oversize, HeaderCheck::Oversize},
      {"2040 payload bytes", largest, HeaderCheck::Ok},
  };
  for (const auto &c : cases) {
    FrameHeader out;
    out.order = 99;
    EXPECT_EQ(checkHeader(c.bytes.data(), out), c.expected) << c.name;
    if (c.expected != HeaderCheck::Ok) {
      EXPECT_EQ(out.order, 99) << c.name << " kept old header";
    }
  }
  FrameHeader out;
  ASSERT_EQ(checkHeader(good.data(), out), HeaderCheck::Ok);
  EXPECT_EQ(out.order, 8);
  EXPECT_EQ(out.argument, 3);
  EXPECT_EQ(out.dataLength, 46);
  EXPECT_EQ(out.dataCrc, 0x12);
  EXPECT_EQ(encodeHeader(out), good);
}

TEST(Records, ParametersRoundTripLittleEndianInFieldOrder) {
  SensorParameters p;
  std::uint16_t v = 0x0102;
  for (const auto &f : kParameterFields) p.*(f.member) = v++;
  const auto bytes = encodeParameters(p);
  for (std::size_t i = 0; i < kParameterCount; ++i) {
    EXPECT_EQ(bytes[2 * i], static_cast<std::uint8_t>(0x02 + i));
    EXPECT_EQ(bytes[2 * i + 1], 0x01);
  }
  EXPECT_EQ(decodeParameters(bytes), p);
  // A short block leaves zeros in the rest.
  const auto shortBlock = decodeParameters(std::span(bytes).first(3));
  EXPECT_EQ(shortBlock.power, 0x0102);
  EXPECT_EQ(shortBlock.powerMode, 0x0003);
  EXPECT_EQ(shortBlock.average, 0);
}

TEST(Records, TeachTableKeepsEveryWordIncludingReserved) {
  TeachTable t{};
  for (std::size_t r = 0; r < kTeachRows; ++r) {
    for (std::size_t c = 0; c < kTeachCells; ++c) t[r].cell[c] = static_cast<std::uint16_t>(r * 100 + c);
    t[r].group = static_cast<std::uint16_t>(r % 3);
    t[r].hold = static_cast<std::uint16_t>(1000 + r);
    t[r].reserved = static_cast<std::uint16_t>(0xBEEF ^ r);
  }
  const auto bytes = encodeTeachTable(t);
  EXPECT_EQ(bytes.size(), 496u);
  EXPECT_EQ(bytes[16 + 14], static_cast<std::uint8_t>((0xBEEF ^ 1) & 0xFF)); // row 1 reserved, low byte
  EXPECT_EQ(bytes[16 + 10], 1);                                              // row 1 group
  EXPECT_EQ(decodeTeachTable(bytes), t);
}

TEST(Records, MeasuredValuesAreSignedAndInWireOrder) {
  MeasuredValuesBytes bytes{};
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    bytes[i] = static_cast<std::uint8_t>(i / 2);
    bytes[i + 1] = 0;
  }
  bytes[12] = 0xFF; // deltaC = -1
  bytes[13] = 0xFF;
  const auto m = decodeMeasuredValues(bytes);
  EXPECT_EQ(m.red, 0);
  EXPECT_EQ(m.intensity, 5);
  EXPECT_EQ(m.deltaC, -1);
  EXPECT_EQ(m.temperature, 10);
  EXPECT_EQ(m.rawBlue, 13);
  EXPECT_EQ(m.extremesFirst[0], 14);
  EXPECT_EQ(m.extremesSecond[2], 19);
  EXPECT_EQ(m.auxiliary[2], 22);
  EXPECT_EQ(encodeMeasuredValues(m), bytes);
}
