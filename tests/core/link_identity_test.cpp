// Firmware identification, port text conversion and the baud-rate table.
#include "link/core/baud_rate.h"
#include "link/core/connection_texts.h"
#include "link/core/firmware.h"
#include "link/core/port_number.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace quorvane;

TEST(Firmware, SplitsLikeTheCTokenizer) {
  struct Case {
    std::string text;
    FirmwareParts parts;
  };
  const std::vector<Case> cases = {
      {"QUORVANE ANA V1.3.5 Dec  8 2025", {"QUORVANE ANA V1", "3", "5", "Dec  8 2025"}},
      {"QUORVANE ANA V1.3.5", {"QUORVANE ANA V1", "3", "5", ""}},
      {"QUORVANE ANA V1", {"QUORVANE ANA V1", "", "", ""}},
      {"QUORVANE ANA V1.3", {"QUORVANE ANA V1", "3", "", ""}},
      // Runs of delimiters count as one, leading ones are skipped.
      {"..QUORVANE ANA V1..3.5   build x", {"QUORVANE ANA V1", "3", "5", "  build x"}},
      // The third part ends at a blank only; later points belong to the rest.
      {"A.B.C.D E.F", {"A", "B", "C.D", "E.F"}},
      {"A.B. rest", {"A", "B", "rest", ""}},
      {"", {"", "", "", ""}},
      {"...", {"", "", "", ""}},
  };
  for (const auto &c : cases) {
    const FirmwareParts p = splitFirmware(c.text);
    EXPECT_EQ(p.name, c.parts.name) << c.text;
    EXPECT_EQ(p.major, c.parts.major) << c.text;
    EXPECT_EQ(p.build, c.parts.build) << c.text;
    EXPECT_EQ(p.comment, c.parts.comment) << c.text;
  }
}

TEST(Firmware, MatchesOnlyTheExactVersionAndShowsItWithoutTheBuild) {
  struct Case {
    std::string text;
    bool matches;
    std::string version;
    std::string display;
  };
  const std::vector<Case> cases = {
      {"QUORVANE ANA V1.3.5 Dec  8 2025", true, "QUORVANE ANA V1.3",
       "QUORVANE ANA V1.3Dec  8 2025"},
      {"QUORVANE ANA V1.3.2  build Dec  8 2025", true, "QUORVANE ANA V1.3",
       "QUORVANE ANA V1.3 build Dec  8 2025"},
      {"QUORVANE ANA V1.3.2", true, "QUORVANE ANA V1.3", "QUORVANE ANA V1.3"},
      {"QUORVANE ANA V1.4.0", false, "QUORVANE ANA V1.4", "QUORVANE ANA V1.4"},
      {"QUORVANE ANA V1", false, "QUORVANE ANA V1.", "QUORVANE ANA V1."},
      {"quorvane ana v1.3.2", false, "quorvane ana v1.3", "quorvane ana v1.3"},
      {"QUORVANE ANA V1.31.0", false, "QUORVANE ANA V1.31", "QUORVANE ANA V1.31"},
      {"", false, ".", "."},
  };
  for (const auto &c : cases) {
    const FirmwareParts p = splitFirmware(c.text);
    EXPECT_EQ(firmwareMatches(p), c.matches) << c.text;
    EXPECT_EQ(firmwareVersion(p), c.version) << c.text;
    EXPECT_EQ(firmwareDisplayText(p), c.display) << c.text;
  }
}

TEST(Firmware, TextFromPayloadStopsAtNulAndAt72Bytes) {
  std::vector<std::uint8_t> payload(100, 'x');
  EXPECT_EQ(firmwareTextFromPayload(payload.data(), payload.size()), std::string(72, 'x'));
  EXPECT_EQ(firmwareTextFromPayload(payload.data(), 5), "xxxxx");
  payload[3] = 0;
  EXPECT_EQ(firmwareTextFromPayload(payload.data(), payload.size()), "xxx");
  EXPECT_EQ(firmwareTextFromPayload(payload.data(), 0), "");
}

TEST(ConnectionTexts, SerialNumberAndMismatchAreExact) {
  EXPECT_EQ(connecttext::serialNumberLog(4711), "\nSERIAL NUMBER: 4711\n\n");
  EXPECT_EQ(connecttext::serialNumberLog(65535), "\nSERIAL NUMBER: 65535\n\n");
  EXPECT_EQ(connecttext::firmwareMismatch("QUORVANE ANA V1.4", 12),
            "Sensor firmware and scope version do not match! \nFirmware of connected sensor is: "
            "QUORVANE ANA V1.4\nThe serial number is: 12\n\nClose window or work in offline "
            "mode!");
}

TEST(ConnectionTexts, SensorChangeIsSaidOnlyWhenSerialOrFirmwareDiffer) {
  const connecttext::SensorIdentity first{"QUORVANE ANA V1.3.2  build a", 4711};
  const struct {
    connecttext::SensorIdentity now;
    std::string log;
  } cases[] = {
      {first, ""},
      {{first.firmware, 4712},
       "ATTENTION! A DIFFERENT SENSOR IS CONNECTED: SERIAL NUMBER 4712 (BEFORE: 4711). CHECK "
       "ITS PARAMETERS BEFORE SEND!\n\n"},
      // Same serial number, other firmware (a replaced board): still another sensor.
      {{"QUORVANE ANA V1.3.2  build b", 4711},
       "ATTENTION! A DIFFERENT SENSOR IS CONNECTED: SERIAL NUMBER 4711 (BEFORE: 4711), "
       "FIRMWARE QUORVANE ANA V1.3.2  build b (BEFORE: QUORVANE ANA V1.3.2  build a). CHECK "
       "ITS PARAMETERS BEFORE SEND!\n\n"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(connecttext::sensorChangedLog(first, c.now), c.log);
}

TEST(PortNumber, ConvertsLikeTheCLibrary) {
  struct Case {
    std::string text;
    long port;
  };
  const std::vector<Case> cases = {
      {"10001", 10001}, {"abc", 0},  {"", 0},          {"  502", 502},
      {"80x", 80},      {"+7", 7},   {"-5", -5},       {"1 2", 1},
      {"\t99", 99},     {"0x10", 0}, {"65536", 65536}, {"99999999999999999999999", LONG_MAX},
  };
  for (const auto &c : cases)
    EXPECT_EQ(portNumberFromText(c.text), c.port) << c.text;
  EXPECT_FALSE(isUsablePort(0));
  EXPECT_TRUE(isUsablePort(1));
  EXPECT_TRUE(isUsablePort(65535));
  EXPECT_FALSE(isUsablePort(65536));
  EXPECT_FALSE(isUsablePort(-5));
}

TEST(BaudRate, TableAndFallback) {
  const std::vector<std::pair<unsigned, std::int32_t>> cases = {
      {0, 9600},   {1, 19200},  {2, 38400},  {3, 57600},  {4, 115200},     {5, 230400},
      {6, 460800}, {7, 921600}, {8, 115200}, {9, 115200}, {65535, 115200},
  };
  for (const auto &[code, rate] : cases)
    EXPECT_EQ(baudRateForCode(code), rate) << code;
}
