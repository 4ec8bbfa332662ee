// The panel settings file: acceptance, geometry, paths, IP list, communication, writing.
#include "app/core/panel_settings.h"
#include "ini/ini_text.h"
#include "params/core/parameter_file.h"
#include "recorder/core/record_file.h"
#include "service/core/hardware_info.h"
#include "teach/core/table_attributes_file.h"

#include <gtest/gtest.h>

using namespace quorvane;

namespace {

const std::string kHead = "[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings\"\r\n";

IniText parse(const std::string &text) {
  IniText doc;
  EXPECT_EQ(doc.readFromText(text), 0);
  return doc;
}

struct Placement {
  bool restored;
  bool maximised;
  int left, top, width, height;
  bool operator==(const Placement &) const = default;
};

Placement placementOf(const PanelGeometry &g) {
  return {g.fullscreenPresent, g.maximised(), g.left, g.top, g.width, g.height};
}

// The paths the subsystems remember, in their order in the file.
const RememberedPath kPaths[] = {kParameterFilePath, kRecordFilePath, kHardwareInfoFilePath,
                                 kTableAttributesFilePath};

std::vector<StoredPath> presets(std::string_view dir) {
  std::vector<StoredPath> paths;
  for (const RememberedPath &p : kPaths)
    paths.push_back({std::string(p.key), presetPath(p, dir, '/')});
  return paths;
}

} // namespace

TEST(PanelSettings, PresetPathsSitInTheProgramDirectory) {
  const std::vector<std::string> expected = {
      "/opt/quorvane/Parameter.ini", "/opt/quorvane/RecordFile.dat",
      "/opt/quorvane/HardwareInitialFile.ini", "/opt/quorvane/TableAttributes.ini"};
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(presetPath(kPaths[i], "/opt/quorvane", '/'), expected[i]) << kPaths[i].key;
  EXPECT_EQ(presetPath(kRecordFilePath, "C:\\Tool", '\\'), "C:\\Tool\\RecordFile.dat");
}

TEST(PanelSettings, ForeignOrMissingFileChangesNothing) {
  const std::string body = "[PANEL POSITION]\r\nMAINPANEL FULLSCREEN = 2\r\n"
                           "[DIRECTORIES]\r\nPARAMETER FILE = \"/x.ini\"\r\n"
                           "[IP ADDRESSES]\r\nLIST ITEMS = 1\r\nIP ADDR0 = \"h\"\r\n"
                           "[COMMUNICATION SETTINGS]\r\nCOMPROTOCOL = 1\r\nCOMPORT = 3\r\n";
  const std::vector<std::string> files = {
      "",                                                              // no file
      "[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings \"\r\n" + body, // trailing blank
      "[GENERAL INFO]\r\nFILE TYPE: = \"panel settings\"\r\n" + body,  // other case
      "[GENERAL INFO]\r\nFILE TYPE: = \"Parameter File\"\r\n" + body,  // other kind
      body,                                                            // no header
  };
  for (const auto &text : files) {
    PanelSettings s;
    const PanelSettings before = s;
    EXPECT_FALSE(readPanelSettings(parse(text), s)) << text;
    EXPECT_EQ(placementOf(s.geometry), placementOf(before.geometry));
    EXPECT_TRUE(s.ipAddresses.empty());
    CommunicationSettings c;
    c.protocol = Protocol::Tcp;
    c.portNumber = "99";
    readCommunicationSettings(parse(text), c);
    EXPECT_EQ(c.protocol, Protocol::Rs232); // RS-232
    EXPECT_EQ(c.comPort, 1);
    EXPECT_EQ(c.baudCode, 4); // 115200 Bd
    EXPECT_EQ(c.ipAddress, "");
    EXPECT_EQ(c.portNumber, "10001");
  }
}

TEST(PanelSettings, GeometryRules) {
  struct Case {
    const char *what;
    std::string section;
    Placement expected;
  };
  const std::vector<Case> cases = {
      {"absent: layout geometry kept", "MAINPANEL LEFT = 1\r\n", {false, false, 5, 6, 7, 8}},
      {"not an integer counts as absent",
       "MAINPANEL FULLSCREEN = x\r\n",
       {false, false, 5, 6, 7, 8}},
      {"2 maximises whatever the rest says",
       "MAINPANEL FULLSCREEN = 2\r\nMAINPANEL LEFT = 1\r\nMAINPANEL WIDTH = 3\r\n",
       {true, true, 5, 6, 7, 8}},
      {"0 alone: defaults", "MAINPANEL FULLSCREEN = 0\r\n", {true, false, 10, 40, 790, 548}},
      {"other value: each key or its default",
       "MAINPANEL FULLSCREEN = 1\r\nMAINPANEL TOP = -5\r\nMAINPANEL HEIGHT = 600\r\n"
       "MAINPANEL WIDTH = wide\r\n",
       {true, false, 10, -5, 790, 600}},
  };
  for (const auto &c : cases) {
    PanelSettings s;
    s.geometry = {false, 0, 5, 6, 7, 8};
    ASSERT_TRUE(readPanelSettings(parse(kHead + "[PANEL POSITION]\r\n" + c.section), s));
    EXPECT_EQ(placementOf(s.geometry), c.expected) << c.what;
  }
}

TEST(PanelSettings, MissingDirectoryKeysFallBack) {
  const IniText doc = parse(kHead + "[DIRECTORIES]\r\nHARDWARE INI FILE = \"/data/hw.ini\"\r\n");
  const std::vector<std::string> expected = {"/p", "/p/RecordFile.dat", "/data/hw.ini", "/p"};
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(readRememberedPath(doc, kPaths[i], "/p", '/'), expected[i]) << kPaths[i].key;
  // A stored path is read into a 260-byte buffer.
  EXPECT_EQ(readRememberedPath(parse(kHead + "[DIRECTORIES]\r\nRECORDER FILE = \"" +
                                     std::string(400, 'r') + "\"\r\n"),
                               kRecordFilePath, "/p", '/'),
            std::string(259, 'r'));
}

TEST(PanelSettings, IpListReading) {
  struct Case {
    const char *what;
    std::string section;
    std::vector<std::string> expected;
  };
  std::string fifteen = "LIST ITEMS = 15\r\n";
  for (int i = 0; i < 15; ++i) {
    fifteen += "IP ADDR" + std::to_string(i) + " = \"h" + std::to_string(i) + "\"\r\n";
  }
  const std::vector<Case> cases = {
      {"capped at ten", fifteen, {"h0", "h1", "h2", "h3", "h4", "h5", "h6", "h7", "h8", "h9"}},
      {"missing entries skipped",
       "LIST ITEMS = 3\r\nIP ADDR0 = \"a\"\r\nIP ADDR2 = \"c\"\r\n",
       {"a", "c"}},
      {"beyond the count ignored",
       "LIST ITEMS = 1\r\nIP ADDR0 = \"a\"\r\nIP ADDR1 = \"b\"\r\n",
       {"a"}},
      // A blank entry would show as an empty choice in the address list.
      {"empty entries skipped", "LIST ITEMS = 2\r\nIP ADDR0 = \"\"\r\nIP ADDR1 = \"b\"\r\n", {"b"}},
      {"no count: no list", "IP ADDR0 = \"a\"\r\n", {}},
      {"negative count", "LIST ITEMS = -4\r\nIP ADDR0 = \"a\"\r\n", {}},
  };
  for (const auto &c : cases) {
    PanelSettings s;
    s.ipAddresses = {"old"};
    ASSERT_TRUE(readPanelSettings(parse(kHead + "[IP ADDRESSES]\r\n" + c.section), s));
    EXPECT_EQ(s.ipAddresses, c.expected) << c.what;
  }
}

TEST(PanelSettings, CommunicationReading) {
  CommunicationSettings c;
  readCommunicationSettings(parse(kHead +
                                  "[COMMUNICATION SETTINGS]\r\nCOMPROTOCOL = 1\r\nCOMPORT = 3\r\n"
                                  "COMPORT DEVICE = \"/dev/pts/7\"\r\nBAUDRATE = 7\r\n"
                                  "IP ADRESS = \"sensor.local\"\r\nPORT NUMBER = \"" +
                                  std::string(40, '9') + "\"\r\n"),
                            c);
  EXPECT_EQ(c.protocol, Protocol::Tcp);
  EXPECT_EQ(c.comPort, 3);
  EXPECT_EQ(c.comDevice, "/dev/pts/7");
  EXPECT_EQ(c.baudCode, 7);
  EXPECT_EQ(c.ipAddress, "sensor.local");
  EXPECT_EQ(c.portNumber, std::string(31, '9')); // 32-byte buffer

  // An accepted file without the section: defaults.
  c.baudCode = 0;
  readCommunicationSettings(parse(kHead), c);
  EXPECT_EQ(c.baudCode, 4);
  EXPECT_EQ(c.portNumber, "10001");
}

TEST(PanelSettings, WrittenDocumentText) {
  PanelSettings s;
  s.panelId = "QUORVANE ANA V1.3 " + std::string(200, 'i');
  s.geometry = {true, 0, 12, 34, 800, 600};
  s.paths = presets("/opt/q");
  s.ipAddresses = {"10.0.0.2", "sensor"};
  s.communication = {Protocol::Tcp, 2, "/dev/ttyUSB0", 5, "10.0.0.2", "10001"};
  const std::string expected = "[GENERAL INFO]\r\n"
                               "FILE TYPE: = \"Panel Settings\"\r\n"
                               "SCOPE VERSION: = \"QUORVANE ANA Scope V1.3\"\r\n"
                               "PANEL ID: Line0001 = \"QUORVANE ANA V1.3 " +
                               std::string(62, 'i') +
                               "\"\r\n"
                               "PANEL ID: Line0002 = \"" +
                               std::string(19, 'i') +
                               "\"\r\n"
                               "\r\n"
                               "[PANEL POSITION]\r\n"
                               "MAINPANEL FULLSCREEN = 0\r\n"
                               "MAINPANEL LEFT = 12\r\n"
                               "MAINPANEL TOP = 34\r\n"
                               "MAINPANEL WIDTH = 800\r\n"
                               "MAINPANEL HEIGHT = 600\r\n"
                               "\r\n"
                               "[DIRECTORIES]\r\n"
                               "PARAMETER FILE = \"/opt/q/Parameter.ini\"\r\n"
                               "RECORDER FILE = \"/opt/q/RecordFile.dat\"\r\n"
                               "HARDWARE INI FILE = \"/opt/q/HardwareInitialFile.ini\"\r\n"
                               "TABLE ATTRIBUTES FILE = \"/opt/q/TableAttributes.ini\"\r\n"
                               "\r\n"
                               "[IP ADDRESSES]\r\n"
                               "LIST ITEMS = 2\r\n"
                               "IP ADDR0 = \"10.0.0.2\"\r\n"
                               "IP ADDR1 = \"sensor\"\r\n"
                               "\r\n"
                               "[COMMUNICATION SETTINGS]\r\n"
                               "COMPROTOCOL = 1\r\n"
                               "COMPORT = 2\r\n"
                               "BAUDRATE = 5\r\n"
                               "IP ADRESS = \"10.0.0.2\"\r\n"
                               "PORT NUMBER = \"10001\"\r\n"
                               "COMPORT DEVICE = \"/dev/ttyUSB0\"\r\n"
                               "\r\n";
  const IniText doc = writePanelSettings(s);
  EXPECT_EQ(doc.toText(), expected);

  // Read back: the same settings, the panel id cut to 99 characters.
  const IniText back = parse(doc.toText());
  PanelSettings r;
  ASSERT_TRUE(readPanelSettings(back, r));
  readCommunicationSettings(back, r.communication);
  EXPECT_EQ(r.panelId, s.panelId.substr(0, 99));
  EXPECT_EQ(placementOf(r.geometry), placementOf(s.geometry));
  EXPECT_EQ(readRememberedPath(back, kTableAttributesFilePath, "/elsewhere", '/'),
            s.paths[3].value);
  EXPECT_EQ(r.ipAddresses, s.ipAddresses);
  EXPECT_EQ(r.communication.comDevice, "/dev/ttyUSB0");
  EXPECT_EQ(r.communication.baudCode, 5);
}

TEST(PanelSettings, WrittenTextsAreCutToTheirSizes) {
  PanelSettings s;
  s.paths = {{"PARAMETER FILE", std::string(300, 'p')}};
  s.communication.ipAddress = std::string(300, 'a');
  s.communication.portNumber = std::string(50, '1');
  for (int i = 0; i < 12; ++i)
    s.ipAddresses.push_back("h" + std::to_string(i));
  const IniText doc = writePanelSettings(s);
  EXPECT_EQ(doc.getString("DIRECTORIES", "PARAMETER FILE")->size(), 259u);
  EXPECT_EQ(doc.getString("COMMUNICATION SETTINGS", "IP ADRESS")->size(), 255u);
  EXPECT_EQ(doc.getString("COMMUNICATION SETTINGS", "PORT NUMBER")->size(), 31u);
  int items = 0;
  EXPECT_EQ(doc.getInt("IP ADDRESSES", "LIST ITEMS", items), 1);
  EXPECT_EQ(items, 10);
  EXPECT_FALSE(doc.hasItem("IP ADDRESSES", "IP ADDR10"));
}

TEST(PanelSettings, IpListIsMostRecentlyUsed) {
  struct Case {
    const char *what;
    std::vector<std::string> list;
    std::string address;
    std::vector<std::string> expected;
  };
  const std::vector<std::string> ten = {"a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9"};
  const std::vector<Case> cases = {
      {"new goes on top", {"a", "b"}, "c", {"c", "a", "b"}},
      {"known moves to top", {"a", "b", "c"}, "c", {"c", "a", "b"}},
      {"already on top", {"a", "b"}, "a", {"a", "b"}},
      {"eleventh drops oldest",
       ten,
       "new",
       {"new", "a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8"}},
      {"known in a full list keeps all",
       ten,
       "a9",
       {"a9", "a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8"}},
      {"case matters for names", {"Host"}, "host", {"host", "Host"}},
      {"empty not added", {"a"}, "", {"a"}},
  };
  for (const auto &c : cases) {
    auto list = c.list;
    pushIpAddress(list, c.address);
    EXPECT_EQ(list, c.expected) << c.what;
  }
}

TEST(PanelSettings, TextsAreCutBetweenCharactersBothWays) {
  const std::string ascii98(98, 'a');
  struct Case {
    std::string id, kept;
  };
  const Case cases[] = {{ascii98 + "\xC3\xA9", ascii98},     // é would end at byte 100
                        {ascii98 + "\xE2\x82\xAC", ascii98}, // € would end at byte 101
                        {std::string(97, 'a') + "\xC3\xA9", std::string(97, 'a') + "\xC3\xA9"},
                        {ascii98 + "b", ascii98 + "b"}};
  for (const Case &c : cases) {
    PanelSettings s;
    s.panelId = c.id;
    PanelSettings written;
    ASSERT_TRUE(readPanelSettings(writePanelSettings(s), written));
    EXPECT_EQ(written.panelId, c.kept) << c.id.size();
    PanelSettings read;
    ASSERT_TRUE(readPanelSettings(parse(kHead + "PANEL ID: = \"" + c.id + "\"\r\n"), read));
    EXPECT_EQ(read.panelId, c.kept) << c.id.size();
  }
}
