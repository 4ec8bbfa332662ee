// Row colours, row specifications and the table attributes file.
#include "file_test_support.h"
#include "ini/ini_text.h"
#include "teach/core/table_attributes_file.h"

#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::testing::readBytes;
using quorvane::testing::ScratchDir;

namespace {

IniText parse(const std::string &text) {
  IniText doc;
  EXPECT_EQ(doc.readFromText(text), 0);
  return doc;
}

// Every row section of a file, with the colour and text lines given for one row.
std::string rowSections(int row, const std::string &rowLines) {
  std::string text;
  for (int r = 0; r < 31; ++r) {
    text += "[TABLE ATTR OF TEACH VECTOR " + std::to_string(r) + "]\r\n";
    text += r == row ? rowLines : "Row color = 17\r\nRow specification = \"x\"\r\n";
  }
  return text;
}

} // namespace

TEST(TeachTableAttributes, DefaultColoursRepeatFifteen) {
  EXPECT_EQ(DefaultRowColors[0], 0xFF0000u);
  EXPECT_EQ(DefaultRowColors[7], 0x800080u);
  EXPECT_EQ(DefaultRowColors[14], 0x800000u);
  EXPECT_EQ(DefaultRowColors[15], 0xFF0000u);
  EXPECT_EQ(DefaultRowColors[30], 0xFF0000u);
  EXPECT_EQ(DefaultRowColors[44], 0x800000u);
  EXPECT_EQ(defaultTableAttributes().specifications[30], "");
}

TEST(TeachTableAttributes, SpecificationIsCutAtACharacterBoundary) {
  const std::string e = "\xC3\xA9";        // é, two bytes
  const std::string euro = "\xE2\x82\xAC"; // €, three bytes
  struct Case {
    std::string text;
    std::size_t wantBytes;
  };
  const Case cases[] = {
      {std::string(99, 'a'), 99},
      {std::string(200, 'a'), 99},
      {std::string(98, 'a') + e, 98},       // é would end at byte 100
      {std::string(97, 'a') + e + "b", 99}, // é ends at byte 99
      {std::string(97, 'a') + euro, 97},    // € would end at byte 100
      {std::string(96, 'a') + euro + "z", 99},
      {"", 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text.size());
    const std::string cut = cutRowSpecification(c.text);
    EXPECT_EQ(cut.size(), c.wantBytes);
    EXPECT_EQ(cut, c.text.substr(0, c.wantBytes));
  }
}

TEST(TeachTableAttributes, ManualColourIsHeldToTwentyFourBits) {
  TableAttributes a;
  EXPECT_TRUE(setRowColour(a, 30, 0x123456));
  EXPECT_EQ(a.colors[30], 0x123456u);
  EXPECT_TRUE(setRowColour(a, 0, 0x1000000));
  EXPECT_EQ(a.colors[0], 0xFFFFFFu);
  EXPECT_TRUE(setRowColour(a, 1, -1));
  EXPECT_EQ(a.colors[1], 0u);
  EXPECT_FALSE(setRowColour(a, 31, 5));
  EXPECT_FALSE(setRowColour(a, -1, 5));
  EXPECT_EQ(a.colors[31], DefaultRowColors[31]);
}

TEST(TeachTableAttributes, GoldenFile) {
  TableAttributes a;
  a.colors[0] = 0x123456;
  a.colors[1] = 0;
  a.specifications[0] = "Red cap";
  a.specifications[1] = "say \"hi\"\\ \tnow\r\nnext";
  a.specifications[2] = std::string(100, 'q');
  std::string expected = "[GENERAL INFO]\r\n"
                         "FILE TYPE: = \"Table Attributes\"\r\n"
                         "SCOPE VERSION: = \"QUORVANE ANA Scope V1.3\"\r\n"
                         "\r\n"
                         "[TABLE ATTR OF TEACH VECTOR 0]\r\n"
                         "Row color = 1193046\r\n"
                         "Row specification = \"Red cap\"\r\n"
                         "\r\n"
                         "[TABLE ATTR OF TEACH VECTOR 1]\r\n"
                         "Row color = 0\r\n"
                         "Row specification = \"say \\\"hi\\\"\\\\ \\tnow\\r\\nnext\"\r\n"
                         "\r\n"
                         "[TABLE ATTR OF TEACH VECTOR 2]\r\n"
                         "Row color = 255\r\n"
                         "Row specification Line0001 = \"" +
                         std::string(80, 'q') +
                         "\"\r\n"
                         "Row specification Line0002 = \"" +
                         std::string(19, 'q') + "\"\r\n\r\n";
  for (int r = 3; r < 31; ++r) {
    expected += "[TABLE ATTR OF TEACH VECTOR " + std::to_string(r) + "]\r\n";
    expected += "Row color = " + std::to_string(DefaultRowColors[r]) + "\r\n";
    expected += "Row specification = \"\"\r\n\r\n";
  }
  const IniText doc = tableAttributesDocument(a);
  EXPECT_EQ(doc.toText(), expected);

  ScratchDir dir;
  const std::string path = dir.file("TableAttributes.ini");
  ASSERT_EQ(doc.writeToFile(path), 0);
  EXPECT_EQ(readBytes(path), expected);

  IniText back;
  ASSERT_EQ(back.readFromFile(path), 0);
  EXPECT_TRUE(tableAttributesTypeMatches(back));
  EXPECT_TRUE(tableAttributesVersionMatches(back));
  TableAttributes read;
  read.colors.fill(0xABCDEF);
  EXPECT_TRUE(readTableAttributeSections(back, read).empty());
  a.specifications[2].resize(99);
  EXPECT_EQ(read.specifications, a.specifications);
  for (int r = 0; r < 31; ++r)
    EXPECT_EQ(read.colors[r], a.colors[r]) << r;
  EXPECT_EQ(read.colors[31], 0xABCDEFu); // beyond the rows: untouched
}

TEST(TeachTableAttributes, ReadingHoldsValuesToTheirRangesAndDefaultsMissingColours) {
  struct Case {
    const char *name;
    std::string rowLines; // for row 7
    std::uint32_t colour;
    std::string text;
    bool listed;
  };
  const Case cases[] = {
      {"plain", "Row color = 65280\r\nRow specification = \"ok\"\r\n", 0x00FF00, "ok", false},
      {"colour too big", "Row color = 16777216\r\n", 0xFFFFFF, "", false},
      {"negative colour", "Row color = -5\r\n", 0, "", false},
      {"no colour", "Row specification = \"t\"\r\n", 0x800080, "t", true},
      {"garbage colour", "Row color = red\r\n", 0x800080, "", true},
      {"blank colour", "Row color = \r\n", 0x800080, "", true},
      {"huge colour", "Row color = 99999999999\r\n", 0x800080, "", true},
      {"long text", "Row color = 1\r\nRow specification = \"" + std::string(200, 'w') + "\"\r\n", 1,
       std::string(99, 'w'), false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TableAttributes a;
    const auto missing = readTableAttributeSections(parse(rowSections(7, c.rowLines)), a);
    EXPECT_EQ(a.colors[7], c.colour);
    EXPECT_EQ(a.specifications[7], c.text);
    EXPECT_EQ(a.colors[6], 17u);
    EXPECT_EQ(a.specifications[8], "x");
    EXPECT_EQ(missing, c.listed ? std::vector<std::string>{"TABLE ATTR OF TEACH VECTOR 7"}
                                : std::vector<std::string>{});
  }
}

TEST(TeachTableAttributes, MissingColoursAreNamedInOneMessage) {
  // A panel settings file carries the same sections after its own.
  TableAttributes a;
  const auto missing =
      readTableAttributeSections(parse("[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings\"\r\n"
                                       "[TABLE ATTR OF TEACH VECTOR 3]\r\nRow color = 5\r\n"),
                                 a);
  ASSERT_EQ(missing.size(), 30u);
  EXPECT_EQ(a.colors[3], 5u);
  EXPECT_EQ(a.colors[15], 0xFF0000u);
  std::string expected =
      "Following teach vectors could not be read \nand where set to default value:\n\n";
  for (int r = 0; r < 31; ++r)
    if (r != 3) expected += "TABLE ATTR OF TEACH VECTOR " + std::to_string(r) + "\n";
  EXPECT_EQ(missingColoursMessage(missing), expected);
  EXPECT_EQ(missingColoursMessage({}), "");
}

TEST(TeachTableAttributes, FileTypeAndVersionAreComparedExactly) {
  const IniText good = parse("[GENERAL INFO]\nFILE TYPE: = \"Table Attributes\"\n"
                             "SCOPE VERSION: = \"QUORVANE ANA Scope V1.3\"\n");
  EXPECT_TRUE(tableAttributesTypeMatches(good));
  EXPECT_TRUE(tableAttributesVersionMatches(good));
  const IniText other = parse("[GENERAL INFO]\nFILE TYPE: = \"Table Attributes \"\n"
                              "SCOPE VERSION: = \"QUORVANE ANA Scope V1.2\"\n");
  EXPECT_FALSE(tableAttributesTypeMatches(other));
  EXPECT_FALSE(tableAttributesVersionMatches(other));
  EXPECT_FALSE(tableAttributesTypeMatches(parse("")));
}
