// Puts, gets, name matching, escaping and the integer syntax of the INI store.
#include "ini/ini_escape.h"
#include "ini/ini_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace quorvane;

namespace {

std::string oneItem(std::string_view tag, std::string_view written) {
  return "[S]\r\n" + std::string(tag) + " = " + std::string(written) + "\r\n\r\n";
}

} // namespace

TEST(IniStore, ExampleDocumentIsWrittenByteForByte) {
  IniText doc;
  ASSERT_EQ(doc.putInt("PARAMETER", "POWER", 500), 0);
  ASSERT_EQ(doc.putString("GENERAL INFO", "FILE TYPE:", "Parameter File"), 0);
  EXPECT_EQ(doc.toText(),
            "[PARAMETER]\r\nPOWER = 500\r\n\r\n[GENERAL INFO]\r\nFILE TYPE: = \"Parameter "
            "File\"\r\n\r\n");
}

TEST(IniStore, TagWithBlanksIsStoredTrimmedAndFoundInAnyCase) {
  IniText doc;
  ASSERT_EQ(doc.putInt("TEACH VECTOR 0", "GROUP ", 3), 0);
  EXPECT_EQ(doc.toText(), "[TEACH VECTOR 0]\r\nGROUP = 3\r\n\r\n");
  int value = 0;
  EXPECT_EQ(doc.getInt("teach vector 0", "group", value), 1);
  EXPECT_EQ(value, 3);
  EXPECT_EQ(doc.getInt("  Teach Vector 0 ", "  GROUP\t", value), 1);
}

TEST(IniStore, DuplicatesAreReplacedInPlace) {
  IniText doc;
  ASSERT_EQ(doc.putInt("S", "A", 1), 0);
  ASSERT_EQ(doc.putInt("S", "B", 2), 0);
  ASSERT_EQ(doc.putInt("T", "C", 4), 0);
  ASSERT_EQ(doc.putString("s", " a ", "x"), 0); // same section, same tag
  EXPECT_EQ(doc.toText(), "[S]\r\na = \"x\"\r\nB = 2\r\n\r\n[T]\r\nC = 4\r\n\r\n");
  ASSERT_EQ(doc.sections().size(), 2u);
  EXPECT_EQ(doc.sections()[0].items.size(), 2u);
}

TEST(IniStore, IntegersAreWrittenAsDecimalText) {
  const std::vector<std::pair<int, std::string>> cases = {
      {0, "0"}, {-1, "-1"}, {65535, "65535"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"}};
  for (const auto &[value, text] : cases) {
    IniText doc;
    ASSERT_EQ(doc.putInt("S", "K", value), 0);
    EXPECT_EQ(doc.toText(), oneItem("K", text)) << value;
    int back = 0;
    EXPECT_EQ(doc.getInt("S", "K", back), 1);
    EXPECT_EQ(back, value);
  }
}

TEST(IniStore, GetIntSyntax) {
  struct Case {
    std::string stored; // put as a string, so blanks survive
    int result;
    int value; // expected out (7 = left unchanged)
  };
  const std::vector<Case> cases = {
      {"12", 1, 12},
      {"  42\t ", 1, 42},
      {"+7", 1, 7},
      {"-3", 1, -3},
      {"007", 1, 7},
      {"2147483647", 1, INT_MAX},
      {"-2147483648", 1, INT_MIN},
      {"", 0, 7},
      {"   ", 0, 7},
      {"12abc", kIniNotAnInteger, 7},
      {"abc", kIniNotAnInteger, 7},
      {"+", kIniNotAnInteger, 7},
      {"-", kIniNotAnInteger, 7},
      {"- 3", kIniNotAnInteger, 7},
      {"1 2", kIniNotAnInteger, 7},
      {"0x10", kIniNotAnInteger, 7},
      {"1.5", kIniNotAnInteger, 7},
      {"2147483648", kIniNotAnInteger, 7},
      {"-2147483649", kIniNotAnInteger, 7},
      {"99999999999999999999999999", kIniNotAnInteger, 7},
  };
  for (const auto &c : cases) {
    IniText doc;
    ASSERT_EQ(doc.putString("S", "K", c.stored), 0);
    int value = 7;
    EXPECT_EQ(doc.getInt("S", "K", value), c.result) << '"' << c.stored << '"';
    EXPECT_EQ(value, c.value) << '"' << c.stored << '"';
  }
}

TEST(IniStore, MissingSectionOrItemIsNotFound) {
  IniText doc;
  ASSERT_EQ(doc.putInt("S", "K", 1), 0);
  int value = 7;
  EXPECT_EQ(doc.getInt("T", "K", value), 0);
  EXPECT_EQ(doc.getInt("S", "X", value), 0);
  EXPECT_EQ(value, 7);
  char buffer[8] = "garbage";
  EXPECT_EQ(doc.getStringIntoBuffer("S", "X", buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_FALSE(doc.getString("T", "K").has_value());
  EXPECT_TRUE(doc.hasItem("s", "k"));
  EXPECT_FALSE(doc.hasSection("T"));
}

TEST(IniStore, StringIntoBufferIsCutToBufferSizeMinusOne) {
  IniText doc;
  const std::string longText(3000, 'a');
  ASSERT_EQ(doc.putString("S", "K", longText), 0);
  std::vector<char> buffer(1024, 'z');
  EXPECT_EQ(doc.getStringIntoBuffer("S", "K", buffer.data(), buffer.size()), 1);
  EXPECT_EQ(std::string(buffer.data()), std::string(1023, 'a'));
  char one[1] = {'z'};
  EXPECT_EQ(doc.getStringIntoBuffer("S", "K", one, 1), 1);
  EXPECT_EQ(one[0], '\0');
  // Escapes are undone before the copy: the limit counts real characters.
  ASSERT_EQ(doc.putString("S", "Q", "\"\"\"\""), 0);
  char four[4];
  EXPECT_EQ(doc.getStringIntoBuffer("S", "Q", four, sizeof four), 1);
  EXPECT_STREQ(four, "\"\"\"");
}

TEST(IniEscape, EachSpecialCharacterHasItsForm) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\r", "\\r"},
      {"\n", "\\n"},
      {"\t", "\\t"},
      {"\"", "\\\""},
      {"\\", "\\\\"},
      {std::string(1, '\0'), "\\x00"},
      {"\x01", "\\x01"},
      {"\x1b", "\\x1b"},
      {"\x7f", "\\x7f"},
      {"plain", "plain"},
      {"\xc3\xa4", "\xc3\xa4"}, // a two-byte character is copied
      {"a\"b\\c\nd", "a\\\"b\\\\c\\nd"},
  };
  for (const auto &[text, escaped] : cases) {
    EXPECT_EQ(escapeIniValue(text), escaped);
    EXPECT_EQ(unescapeIniValue(escaped), text);
  }
}

TEST(IniEscape, UnescapeAcceptsLooseForms) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\\x4A\\x4a", "JJ"},                     // either case of hex digits
      {"\\q", "q"},                             // any other escaped character is itself
      {"\\X41", "X41"},                         // only lower-case x introduces a code
      {"\\xG1", "xG1"},                         // not two hex digits: just the x
      {"\\x4", "x4"},       {"end\\", "end\\"}, // lone trailing backslash kept
  };
  for (const auto &[stored, text] : cases)
    EXPECT_EQ(unescapeIniValue(stored), text) << stored;
}

TEST(IniEscape, EveryByteSurvivesAWriteAndRead) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    all += static_cast<char>(b);
  IniText doc;
  ASSERT_EQ(doc.putString("S", "ALL", all), 0);
  const std::string text = doc.toText();
  // No raw control byte reaches the file except the line ends.
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    EXPECT_TRUE(b >= 0x20 || c == '\r' || c == '\n') << int(b);
  }
  IniText back;
  ASSERT_EQ(back.readFromText(text), 0);
  EXPECT_EQ(back.getString("S", "ALL"), all);
}

TEST(IniStore, QuoteBackslashAndLineBreakAreEscapedOnTheLine) {
  IniText doc;
  ASSERT_EQ(doc.putString("S", "K", "say \"hi\"\\\r\n"), 0);
  EXPECT_EQ(doc.toText(), oneItem("K", "\"say \\\"hi\\\"\\\\\\r\\n\""));
  IniText back;
  ASSERT_EQ(back.readFromText(doc.toText()), 0);
  EXPECT_EQ(back.getString("S", "K"), "say \"hi\"\\\r\n");
}

TEST(IniApi, NullHandleAndArgumentsAreRefused) {
  char buffer[4] = "abc";
  int value = 0;
  EXPECT_EQ(Ini_PutInt(nullptr, "S", "K", 1), kIniInvalidHandle);
  EXPECT_EQ(Ini_PutString(nullptr, "S", "K", "x"), kIniInvalidHandle);
  EXPECT_EQ(Ini_GetInt(nullptr, "S", "K", &value), kIniInvalidHandle);
  EXPECT_EQ(Ini_GetStringIntoBuffer(nullptr, "S", "K", buffer, 4), kIniInvalidHandle);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(Ini_ReadFromFile(nullptr, "x"), kIniInvalidHandle);
  EXPECT_EQ(Ini_WriteToFile(nullptr, "x"), kIniInvalidHandle);
  EXPECT_EQ(Ini_Dispose(nullptr), kIniInvalidHandle);
  EXPECT_EQ(Ini_New(1), nullptr); // sorted documents are not offered

  IniText *doc = Ini_New(0);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(Ini_PutInt(doc, nullptr, "K", 1), kIniInvalidHandle);
  EXPECT_EQ(Ini_PutInt(doc, "S", nullptr, 1), kIniInvalidHandle);
  EXPECT_EQ(Ini_GetInt(doc, "S", "K", nullptr), kIniInvalidHandle);
  EXPECT_EQ(Ini_GetStringIntoBuffer(doc, "S", "K", nullptr, 4), kIniInvalidHandle);
  EXPECT_EQ(Ini_GetStringIntoBuffer(doc, "S", "K", buffer, 0), kIniInvalidHandle);
  EXPECT_EQ(Ini_ReadFromFile(doc, nullptr), kIniInvalidHandle);
  EXPECT_EQ(Ini_WriteToFile(doc, nullptr), kIniInvalidHandle);
  EXPECT_EQ(Ini_Dispose(doc), 0);
}

TEST(IniApi, OperationsWorkThroughTheHandle) {
  IniText *doc = Ini_New(0);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(Ini_PutInt(doc, "S", "N", -5), 0);
  EXPECT_EQ(Ini_PutString(doc, "S", "T", nullptr), 0); // null text: empty string
  EXPECT_EQ(doc->toText(), "[S]\r\nN = -5\r\nT = \"\"\r\n\r\n");
  int value = 0;
  EXPECT_EQ(Ini_GetInt(doc, "s", "n", &value), 1);
  EXPECT_EQ(value, -5);
  char buffer[16] = "x";
  EXPECT_EQ(Ini_GetStringIntoBuffer(doc, "S", "T", buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(Ini_Dispose(doc), 0);
}
