// Pure rules of the application shell: the busy lock table, the TCP start-up option and
// the serial device names.
#include "app/core/panel_settings.h"
#include "app/core/tcp_target.h"
#include "ini/ini_text.h"
#include "link/core/serial_device_names.h"
#include "ui/core/busy_lock_rules.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

struct BusyCase {
  BusyGroup group;
  bool keepMain;
  bool dimmed;
  std::optional<bool> expected;
};

TEST(BusyLockRules, EachGroupFollowsItsRule) {
  const BusyCase cases[] = {
      // SEND/GET/memory: only when the main buttons are not kept.
      {BusyGroup::MainTransfer, false, true, true},
      {BusyGroup::MainTransfer, false, false, false},
      {BusyGroup::MainTransfer, true, true, std::nullopt},
      {BusyGroup::MainTransfer, true, false, std::nullopt},
      // GO and the page actions always follow.
      {BusyGroup::Go, true, true, true},
      {BusyGroup::Go, true, false, false},
      {BusyGroup::PageAction, true, true, true},
      {BusyGroup::PageAction, false, false, false},
      {BusyGroup::ConnectionControls, true, true, true},
      {BusyGroup::ConnectionControls, false, false, false},
      // Buttons needing a verified link are dimmed but never undimmed by the lock.
      {BusyGroup::VerifiedLink, false, true, true},
      {BusyGroup::VerifiedLink, true, true, true},
      {BusyGroup::VerifiedLink, false, false, std::nullopt},
      {BusyGroup::VerifiedLink, true, false, std::nullopt},
  };
  for (const BusyCase &c : cases) {
    EXPECT_EQ(busyDimmedState(c.group, c.keepMain, c.dimmed), c.expected)
        << "group " << static_cast<int>(c.group) << " keep " << c.keepMain << " dimmed "
        << c.dimmed;
  }
}

TEST(TcpTarget, ParsesHostAndPort) {
  struct Case {
    const char *text;
    std::optional<std::pair<std::string, std::string>> expected;
  };
  const Case cases[] = {
      {"127.0.0.1:10001", std::pair{"127.0.0.1", "10001"}},
      {"sensor.local:1", std::pair{"sensor.local", "1"}},
      {"[::1]:65535", std::pair{"::1", "65535"}},
      {"host:0", std::nullopt},
      {"host:65536", std::nullopt},
      {"host:", std::nullopt},
      {":10001", std::nullopt},
      {"host", std::nullopt},
      {"host:10a", std::nullopt},
      {"host:+100", std::nullopt},
      {"::1:10001", std::nullopt}, // IPv6 needs brackets
      {"[::1]10001", std::nullopt},
      {"two words:10001", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case &c : cases) {
    const auto parsed = parseTcpTarget(c.text);
    ASSERT_EQ(parsed.has_value(), c.expected.has_value()) << c.text;
    if (parsed) {
      EXPECT_EQ(parsed->host, c.expected->first) << c.text;
      EXPECT_EQ(parsed->port, c.expected->second) << c.text;
    }
  }
}

TEST(TcpTarget, KeepsTheOperatorsOtherSettings) {
  IniText doc;
  ASSERT_EQ(doc.readFromText("[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings\"\r\n"
                             "PANEL ID: = \"Line 3\"\r\n\r\n[COMMUNICATION SETTINGS]\r\n"
                             "COMPROTOCOL = 0\r\nCOMPORT = 3\r\nBAUDRATE = 6\r\n"
                             "IP ADRESS = \"10.0.0.9\"\r\nPORT NUMBER = \"502\"\r\n\r\n"
                             "[ROW COLORS]\r\nROW 0 = 255\r\n"),
            0);
  ASSERT_EQ(putTcpTarget(doc, {"127.0.0.1", "10001"}), 0);

  int value = 0;
  EXPECT_EQ(doc.getInt("COMMUNICATION SETTINGS", "COMPROTOCOL", value), 1);
  EXPECT_EQ(value, 1);
  EXPECT_EQ(doc.getString("COMMUNICATION SETTINGS", "IP ADRESS"), "127.0.0.1");
  EXPECT_EQ(doc.getString("COMMUNICATION SETTINGS", "PORT NUMBER"), "10001");
  EXPECT_EQ(doc.getInt("COMMUNICATION SETTINGS", "COMPORT", value), 1);
  EXPECT_EQ(value, 3);
  EXPECT_EQ(doc.getInt("COMMUNICATION SETTINGS", "BAUDRATE", value), 1);
  EXPECT_EQ(value, 6);
  EXPECT_EQ(doc.getString("GENERAL INFO", "PANEL ID:"), "Line 3");
  EXPECT_TRUE(doc.hasItem("ROW COLORS", "ROW 0"));
  // Replaced in place: the section keeps its order.
  EXPECT_EQ(doc.sections()[1].items[0].tag, "COMPROTOCOL");
}

TEST(TcpTarget, AnEmptyDocumentBecomesAnAcceptedSettingsFile) {
  IniText doc;
  ASSERT_EQ(putTcpTarget(doc, {"sensor", "4000"}), 0);
  EXPECT_TRUE(panelSettingsFileAccepted(doc));
  CommunicationSettings comm;
  readCommunicationSettings(doc, comm);
  EXPECT_EQ(comm.protocol, Protocol::Tcp);
  EXPECT_EQ(comm.ipAddress, "sensor");
  EXPECT_EQ(comm.portNumber, "4000");
  EXPECT_EQ(comm.comPort, 1);
  EXPECT_EQ(comm.baudCode, 4);
  // No geometry: the window keeps its own size.
  EXPECT_FALSE(doc.hasSection("PANEL POSITION"));
}

TEST(SerialDeviceNames, ComPortNumbersAndDevices) {
  EXPECT_EQ(defaultSerialDevice(1), "/dev/ttyS0");
  EXPECT_EQ(defaultSerialDevice(12), "/dev/ttyS11");
  EXPECT_EQ(defaultSerialDevice(0), "/dev/ttyS0");

  struct Case {
    const char *device;
    std::uint16_t previous;
    std::uint16_t expected;
  };
  const Case cases[] = {
      {"/dev/ttyS0", 7, 1}, {"/dev/ttyS3", 7, 4},  {"/dev/ttyUSB0", 7, 7},   {"/dev/pts/5", 2, 2},
      {"/dev/ttyS", 5, 5},  {"/dev/ttyS1x", 5, 5}, {"/dev/ttyS65535", 5, 5}, {"", 9, 9},
  };
  for (const Case &c : cases)
    EXPECT_EQ(comPortForDevice(c.device, c.previous), c.expected) << c.device;

  EXPECT_TRUE(isListedSerialDevice("/dev/ttyUSB0"));
  EXPECT_TRUE(isListedSerialDevice("/dev/ttyACM1"));
  EXPECT_TRUE(isListedSerialDevice("/dev/ttyS4"));
  EXPECT_FALSE(isListedSerialDevice("/dev/ttyS"));
  EXPECT_FALSE(isListedSerialDevice("/dev/pts/3"));
  EXPECT_FALSE(isListedSerialDevice("/dev/ttyAMA0"));
}

} // namespace
} // namespace quorvane
