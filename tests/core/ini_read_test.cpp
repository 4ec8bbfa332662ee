// What the reader accepts, and damaged input that must never crash or hang it.
#include "file_test_support.h"
#include "ini/ini_text.h"

#include <gtest/gtest.h>

#include <random>

using namespace quorvane;
using quorvane::testing::readBytes;
using quorvane::testing::ScratchDir;
using quorvane::testing::writeBytes;

namespace {

// Every item of a document as "section|tag|value|q" (q = quoted), in order.
std::vector<std::string> flatten(const IniText &doc) {
  std::vector<std::string> out;
  for (const auto &s : doc.sections()) {
    out.push_back("[" + s.name + "]");
    for (const auto &i : s.items) {
      out.push_back(s.name + "|" + i.tag + "|" + i.value + (i.quoted ? "|q" : "|"));
    }
  }
  return out;
}

std::vector<std::string> readText(const std::string &text) {
  IniText doc;
  EXPECT_EQ(doc.readFromText(text), 0);
  return flatten(doc);
}

const std::string a80(80, 'a');
const std::string b80(80, 'b');

} // namespace

TEST(IniRead, LineRules) {
  struct Case {
    const char *what;
    std::string text;
    std::vector<std::string> items;
  };
  const std::vector<Case> cases = {
      {"crlf", "[S]\r\nA = 1\r\nB = \"x y\"\r\n", {"[S]", "S|A|1|", "S|B|x y|q"}},
      {"lf only", "[S]\nA = 1\nB = 2\n", {"[S]", "S|A|1|", "S|B|2|"}},
      {"lone cr", "[S]\rA = 1\rB = 2", {"[S]", "S|A|1|", "S|B|2|"}},
      {"mixed ends", "[S]\r\n\r\nA = 1\n\rB = 2\r", {"[S]", "S|A|1|", "S|B|2|"}},
      {"blanks around", "  [ S ]  \r\n\t A\t=\t 1 \t\r\n", {"[S]", "S|A|1|"}},
      {"quotes kept inside", "[S]\r\nA = \" x \"\r\n", {"[S]", "S|A| x |q"}},
      {"empty quoted", "[S]\r\nA = \"\"\r\n", {"[S]", "S|A||q"}},
      {"lone quote", "[S]\r\nA = \"\r\n", {"[S]", "S|A|\"|"}},
      {"open quote", "[S]\r\nA = \"abc\r\n", {"[S]", "S|A|\"abc|"}},
      {"empty value", "[S]\r\nA =\r\n", {"[S]", "S|A||"}},
      {"first = splits", "[S]\r\nA = b=c\r\n", {"[S]", "S|A|b=c|"}},
      {"before first section", "A = 1\r\n[S]\r\nB = 2\r\n", {"[S]", "S|B|2|"}},
      {"no separator", "[S]\r\njunk line\r\nB = 2\r\n", {"[S]", "S|B|2|"}},
      {"empty tag", "[S]\r\n = 5\r\nB = 2\r\n", {"[S]", "S|B|2|"}},
      {"text after ]", "[S]\r\n[T] x = 1\r\n", {"[S]", "S|[T] x|1|"}},
      {"last ] counts", "[a]b]\r\nK = 1\r\n", {"[a]b]", "a]b|K|1|"}},
      {"comments", "; c1\r\n[S]\r\n  ; c2\r\nA = 1\r\n;tail\r\n", {"[S]", "S|A|1|"}},
      {"comment is not an item", "[S]\r\n; A = 1\r\n", {"[S]"}},
      {"duplicate in file", "[S]\r\nA = 1\r\nB = 2\r\na = 3\r\n", {"[S]", "S|a|3|", "S|B|2|"}},
      {"section again",
       "[S]\r\nA = 1\r\n[T]\r\n[s]\r\nB = 2\r\n",
       {"[S]", "S|A|1|", "S|B|2|", "[T]"}},
      {"nul dropped", std::string("[S]\r\nPO\0WER = 5\0\r\n", 17), {"[S]", "S|POWER|5|"}},
      {"byte-order mark", "\xEF\xBB\xBF[S]\r\nA = 1\r\n", {"[S]", "S|A|1|"}},
      {"truncated mid-line", "[S]\r\nA = 1\r\nB = \"tru", {"[S]", "S|A|1|", "S|B|\"tru|"}},
  };
  for (const auto &c : cases) {
    auto items = readText(c.text);
    EXPECT_EQ(items, c.items) << c.what;
  }
}

TEST(IniRead, CommentsAreAttachedButNotWrittenBack) {
  IniText doc;
  ASSERT_EQ(doc.readFromText("; about S\r\n[S]\r\n; one\r\n;two\r\nA = 1\r\nB = 2\r\n"), 0);
  EXPECT_EQ(doc.comment("S"), " about S");
  EXPECT_EQ(doc.comment("S", "A"), " one\ntwo");
  EXPECT_EQ(doc.comment("S", "B"), "");
  EXPECT_EQ(doc.toText(), "[S]\r\nA = 1\r\nB = 2\r\n\r\n");
}

TEST(IniRead, PieceSequences) {
  struct Case {
    const char *what;
    std::string lines;
    std::vector<std::string> items;
  };
  const std::string q = "\"";
  const std::vector<Case> cases = {
      {"whole", "K Line0001 = \"" + a80 + "\"\r\nK Line0002 = \"z\"\r\n", {"S|K|" + a80 + "z|q"}},
      {"any case",
       "k line0001 = \"" + a80 + "\"\r\nK LINE0002 = \"z\"\r\n",
       {"S|k|" + a80 + "z|q"}},
      {"unquoted", "K Line0001 = " + a80 + "\r\nK Line0002 = z\r\n", {"S|K|" + a80 + "z|"}},
      {"second without first", "K Line0002 = \"z\"\r\n", {"S|K Line0002|z|q"}},
      {"only the first", "K Line0001 = \"" + a80 + "\"\r\n", {"S|K Line0001|" + a80 + "|q"}},
      {"gap",
       "K Line0001 = \"" + a80 + "\"\r\nK Line0003 = \"z\"\r\n",
       {"S|K Line0001|" + a80 + "|q", "S|K Line0003|z|q"}},
      {"out of order",
       "K Line0002 = \"z\"\r\nK Line0001 = \"" + a80 + "\"\r\n",
       {"S|K Line0002|z|q", "S|K Line0001|" + a80 + "|q"}},
      {"short middle piece",
       "K Line0001 = \"" + a80 + "\"\r\nK Line0002 = \"b\"\r\nK Line0003 = \"c\"\r\n",
       {"S|K Line0001|" + a80 + "|q", "S|K Line0002|b|q", "S|K Line0003|c|q"}},
      {"empty last piece",
       "K Line0001 = \"" + a80 + "\"\r\nK Line0002 = \"\"\r\n",
       {"S|K Line0001|" + a80 + "|q", "S|K Line0002||q"}},
      {"mixed quoting",
       "K Line0001 = \"" + a80 + "\"\r\nK Line0002 = z\r\n",
       {"S|K Line0001|" + a80 + "|q", "S|K Line0002|z|"}},
      {"interrupted",
       "K Line0001 = \"" + a80 + "\"\r\nX = 1\r\nK Line0002 = \"z\"\r\n",
       {"S|K Line0001|" + a80 + "|q", "S|X|1|", "S|K Line0002|z|q"}},
      {"other base",
       "K Line0001 = \"" + a80 + "\"\r\nL Line0002 = \"z\"\r\n",
       {"S|K Line0001|" + a80 + "|q", "S|L Line0002|z|q"}},
      {"three digits is a plain tag", "K Line001 = \"x\"\r\n", {"S|K Line001|x|q"}},
      {"two sequences",
       "K Line0001 = \"" + a80 + "\"\r\nK Line0002 = \"y\"\r\nM Line0001 = \"" + b80 +
           "\"\r\nM Line0002 = \"" + b80 + "\"\r\n",
       {"S|K|" + a80 + "y|q", "S|M|" + b80 + b80 + "|q"}},
  };
  for (const auto &c : cases) {
    auto items = readText("[S]\r\n" + c.lines);
    items.erase(items.begin()); // the section line
    EXPECT_EQ(items, c.items) << c.what;
  }
  // A sequence cut off by the next section stays apart from it.
  EXPECT_EQ(
      readText("[S]\r\nK Line0001 = \"" + a80 + "\"\r\n[T]\r\nK Line0002 = \"z\"\r\n"),
      (std::vector<std::string>{"[S]", "S|K Line0001|" + a80 + "|q", "[T]", "T|K Line0002|z|q"}));
}

TEST(IniRead, ReadingIntoAFilledDocumentReplacesAndAppends) {
  IniText doc;
  ASSERT_EQ(doc.putInt("S", "A", 1), 0);
  ASSERT_EQ(doc.putInt("S", "B", 2), 0);
  ASSERT_EQ(doc.readFromText("[s]\r\nb = 20\r\nC = 30\r\n[T]\r\nD = 4\r\n"), 0);
  EXPECT_EQ(flatten(doc),
            (std::vector<std::string>{"[S]", "S|A|1|", "S|b|20|", "S|C|30|", "[T]", "T|D|4|"}));
}

TEST(IniReadFile, MissingOrUnreadableFileLeavesTheDocumentAlone) {
  ScratchDir dir;
  IniText empty;
  EXPECT_EQ(empty.readFromFile(dir.file("nope.ini")), kIniCannotOpen);
  EXPECT_TRUE(empty.sections().empty());
  IniText filled;
  ASSERT_EQ(filled.putInt("S", "A", 1), 0);
  EXPECT_EQ(Ini_ReadFromFile(&filled, dir.file("nope.ini").c_str()), kIniCannotOpen);
  EXPECT_EQ(filled.readFromFile(dir.path().string()), kIniCannotOpen); // a directory
  EXPECT_EQ(filled.toText(), "[S]\r\nA = 1\r\n\r\n");
}

TEST(IniReadFile, DamagedFilesNeverCrash) {
  ScratchDir dir;
  std::mt19937 rng(1234);
  std::string garbage(64 * 1024, '\0');
  for (char &c : garbage)
    c = static_cast<char>(rng());
  std::string hugeValue = "[S]\r\nBIG = \"" + std::string(5 * 1024 * 1024, 'x') + "\"\r\n";

  struct Case {
    const char *what;
    std::string bytes;
    std::size_t sections;
  };
  const std::vector<Case> cases = {
      {"empty", "", 0},
      {"garbage", garbage, static_cast<std::size_t>(-1)}, // any count, no crash
      {"garbage after a section", "[S]\r\n" + garbage, static_cast<std::size_t>(-1)},
      {"truncated", "[PARAMETER]\r\nPOWER = 5", 1},
      {"nuls only", std::string(1000, '\0'), 0},
      {"single 5 MB line", std::string(5 * 1024 * 1024, 'y'), 0},
      {"5 MB value", hugeValue, 1},
      {"only comments", "; one\r\n;two\n  ; three", 0},
      {"open bracket", "[\r\n[[[\r\n]\r\n", 0},
  };
  for (const auto &c : cases) {
    const std::string path = dir.file("damaged.ini");
    writeBytes(path, c.bytes);
    IniText doc;
    EXPECT_EQ(doc.readFromFile(path), 0) << c.what;
    if (c.sections != static_cast<std::size_t>(-1)) {
      EXPECT_EQ(doc.sections().size(), c.sections) << c.what;
    }
    // Whatever was read can be written and read again. (Random bytes may put blanks at
    // the ends of unquoted pieces, which the reader trims; those need not come back.)
    IniText again;
    EXPECT_EQ(again.readFromText(doc.toText()), 0) << c.what;
    if (c.sections != static_cast<std::size_t>(-1)) {
      EXPECT_TRUE(again.toText() == doc.toText()) << c.what;
    }
  }
  IniText doc;
  writeBytes(dir.file("big.ini"), hugeValue);
  ASSERT_EQ(doc.readFromFile(dir.file("big.ini")), 0);
  EXPECT_EQ(doc.getString("S", "BIG")->size(), 5u * 1024 * 1024);
}

TEST(IniReadFile, WrittenFileReadsBackTheSameDocument) {
  ScratchDir dir;
  IniText doc;
  ASSERT_EQ(doc.putString("GENERAL INFO", "FILE TYPE:", "Panel Settings"), 0);
  ASSERT_EQ(doc.putInt("PANEL POSITION", "MAINPANEL LEFT", -20), 0);
  ASSERT_EQ(doc.putString("DIRECTORIES", "PARAMETER FILE", "/home/op/" + std::string(300, 'p')), 0);
  ASSERT_EQ(doc.putString("IP ADDRESSES", "IP ADDR0", "tab\there\r\n\"x\"\\"), 0);
  const std::string path = dir.file("PanelSettings.cfg");
  ASSERT_EQ(doc.writeToFile(path), 0);
  IniText back;
  ASSERT_EQ(back.readFromFile(path), 0);
  EXPECT_EQ(back.toText(), doc.toText());
  EXPECT_EQ(readBytes(path), doc.toText());
  char buffer[1024];
  EXPECT_EQ(Ini_GetStringIntoBuffer(&back, "IP ADDRESSES", "ip addr0", buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "tab\there\r\n\"x\"\\");
}
