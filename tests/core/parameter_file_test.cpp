// The parameter file: exact written text, reading back, defaults and reports.
#include "file_test_support.h"
#include "ini/ini_text.h"
#include "params/core/parameter_file.h"

#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::testing::readBytes;
using quorvane::testing::ScratchDir;

namespace {

SensorParameters sampleParameters() {
  SensorParameters p;
  std::uint16_t v = 100;
  for (const ParameterField &f : kParameterFields)
    p.*f.member = v++;
  p.power = 65535;
  p.analogZoom = 0;
  return p;
}

TeachTable sampleTable() {
  TeachTable t{};
  for (std::size_t r = 0; r < kTeachRows; ++r) {
    for (std::size_t c = 0; c < kTeachCells; ++c) {
      t[r].cell[c] = static_cast<std::uint16_t>(r * 100 + c);
    }
    t[r].group = static_cast<std::uint16_t>(r % 8);
    t[r].hold = static_cast<std::uint16_t>(1000 + r);
    t[r].reserved = 0xBEEF; // never written
  }
  return t;
}

IniText parse(const std::string &text) {
  IniText doc;
  EXPECT_EQ(doc.readFromText(text), 0);
  return doc;
}

const std::string kParaHead =
    "Following parameter could not be read \nand where set to default value:\n\n";
const std::string kTeachHead =
    "Following teach vectors could not be read \nand where set to default value:\n\n";

} // namespace

TEST(ParameterFile, GoldenFile) {
  std::string expected = "[GENERAL INFO]\r\n"
                         "FILE TYPE: = \"Parameter File\"\r\n"
                         "SCOPE VERSION: = \"QUORVANE ANA Scope V1.3\"\r\n"
                         "\r\n"
                         "[PARAMETER]\r\n"
                         "POWER = 65535\r\n"
                         "POWER MODE = 101\r\n"
                         "AVERAGE = 102\r\n"
                         "EVALUATION MODE = 103\r\n"
                         "HOLD FAIL = 104\r\n"
                         "INTLIM = 105\r\n"
                         "MAX VEC NO = 106\r\n"
                         "DIGITAL OUTMODE = 107\r\n"
                         "TRIGGER = 108\r\n"
                         "EXTERN TEACH = 109\r\n"
                         "CALCULATION MODE = 110\r\n"
                         "DYNWIN LO = 111\r\n"
                         "DYNWIN HI = 112\r\n"
                         "COLOR GROUP = 113\r\n"
                         "LED MODE = 114\r\n"
                         "GAIN = 115\r\n"
                         "INTEGRAL = 116\r\n"
                         "ANALOG OUTMODE = 117\r\n"
                         "ANALOG OUT = 118\r\n"
                         "ANALOG ZOOM = 0\r\n"
                         "\r\n";
  for (int r = 0; r < 31; ++r) {
    const std::string n = std::to_string(r);
    expected += "[TEACH VECTOR " + n + "]\r\n";
    for (int c = 0; c < 5; ++c) {
      expected += "CELL " + std::to_string(c) + " = " + std::to_string(r * 100 + c) + "\r\n";
    }
    expected += "GROUP = " + std::to_string(r % 8) + "\r\n";
    expected += "HOLD = " + std::to_string(1000 + r) + "\r\n\r\n";
  }

  const IniText doc = parameterDocument(sampleParameters(), sampleTable());
  ScratchDir dir;
  const std::string path = dir.file("Parameter.ini");
  ASSERT_EQ(doc.writeToFile(path), 0);
  ASSERT_EQ(readBytes(path), expected);

  IniText back;
  ASSERT_EQ(back.readFromFile(path), 0);
  EXPECT_EQ(parameterFileType(back), "Parameter File");
  EXPECT_EQ(parameterFileVersion(back), "QUORVANE ANA Scope V1.3");
  SensorParameters params;
  TeachTable table{};
  EXPECT_EQ(readParameterSection(back, params), "");
  EXPECT_EQ(readTeachSections(back, table), "");
  EXPECT_EQ(params, sampleParameters());
  for (std::size_t r = 0; r < kTeachRows; ++r) {
    TeachVector want = sampleTable()[r];
    want.reserved = 0; // the row in memory keeps its own reserved word
    EXPECT_EQ(table[r], want) << r;
  }
}

TEST(ParameterFile, MissingParametersGetDefaultsAndAreListed) {
  struct Case {
    const char *what;
    std::string section; // body of [PARAMETER]
    std::string report;
    SensorParameters expected;
  };
  SensorParameters allDefaults;
  std::string everyLine;
  for (const ParameterField &f : kParameterFields)
    everyLine += std::string(f.reportName) + "\n";
  SensorParameters power70000;
  power70000.power = 4464;
  SensorParameters minusOne;
  minusOne.gain = 65535;
  SensorParameters lowerCase;
  lowerCase.power = 42;
  lowerCase.externTeach = 3;

  std::string full;
  for (const ParameterField &f : kParameterFields) {
    full += std::string(f.key) + " = " + std::to_string(f.defaultValue) + "\r\n";
  }
  auto without = [&](const std::string &line) {
    std::string s = full;
    s.erase(s.find(line), line.size());
    return s;
  };
  auto replaced = [&](const std::string &line, const std::string &with,
                      std::string s = std::string()) {
    if (s.empty()) s = full;
    s.replace(s.find(line), line.size(), with);
    return s;
  };
  const std::vector<Case> cases = {
      {"complete", full, "", allDefaults},
      {"no EXTERN TEACH", without("EXTERN TEACH = 0\r\n"), kParaHead + "EXTEACH\n", allDefaults},
      {"no POWER, blank GAIN",
       replaced("GAIN = 5\r\n", "GAIN =\r\n").erase(0, std::string("POWER = 500\r\n").size()),
       kParaHead + "POWER\nGAIN\n", allDefaults},
      {"not an integer", replaced("AVERAGE = 1", "AVERAGE = 1x"), kParaHead + "AVERAGE\n",
       allDefaults},
      {"70000 keeps low 16 bits", replaced("POWER = 500", "POWER = 70000"), "", power70000},
      {"-1 keeps low 16 bits", replaced("GAIN = 5", "GAIN = -1"), "", minusOne},
      {"key in other case",
       replaced("EXTERN TEACH = 0", "Extern Teach = 3", replaced("POWER = 500", "  power=42")), "",
       lowerCase},
      {"empty section", "", kParaHead + everyLine, allDefaults},
  };
  for (const auto &c : cases) {
    SensorParameters p = sampleParameters(); // every field differs from its default
    const IniText doc = parse("[PARAMETER]\r\n" + c.section);
    EXPECT_EQ(readParameterSection(doc, p), c.report) << c.what;
    EXPECT_EQ(p, c.expected) << c.what;
  }
}

TEST(ParameterFile, IncompleteTeachRowsGetDefaultsAndAreListedOnce) {
  TeachTable written = sampleTable();
  std::string text = parameterDocument(SensorParameters{}, written).toText();
  auto cut = [&](const std::string &what) { text.erase(text.find(what), what.size()); };
  cut("[TEACH VECTOR 3]\r\nCELL 0 = 300\r\nCELL 1 = 301\r\nCELL 2 = 302\r\nCELL 3 = 303\r\n"
      "CELL 4 = 304\r\nGROUP = 3\r\nHOLD = 1003\r\n\r\n");    // whole section
  cut("HOLD = 1007\r\n");                                     // only HOLD
  cut("CELL 1 = 3001\r\nCELL 2 = 3002\r\n");                  // two cells
  text.replace(text.find("GROUP = 4"), 9, "GROUP = x");       // not an integer
  text.replace(text.find("HOLD = 1020"), 11, "hold = 70000"); // read, truncated

  TeachTable table{};
  for (auto &row : table)
    row.reserved = 77;
  const IniText doc = parse(text);
  EXPECT_EQ(readTeachSections(doc, table),
            kTeachHead + "TEACH VECTOR 3\nTEACH VECTOR 4\nTEACH VECTOR 7\nTEACH VECTOR 30\n");

  const TeachVector defaults{{1, 1, 1, 1, 1}, 0, 10, 77};
  EXPECT_EQ(table[3], defaults);
  TeachVector row7 = written[7];
  row7.hold = 10;
  row7.reserved = 77;
  EXPECT_EQ(table[7], row7);
  EXPECT_EQ(table[4].group, 0);
  EXPECT_EQ(table[30].cell[1], 1);
  EXPECT_EQ(table[30].cell[2], 1);
  EXPECT_EQ(table[30].cell[3], 3003);
  EXPECT_EQ(table[20].hold, 4464);
  EXPECT_EQ(table[0].reserved, 77);
}

TEST(ParameterFile, EmptyDocumentReadsAsAllDefaults) {
  const IniText empty;
  SensorParameters p = sampleParameters();
  TeachTable t = sampleTable();
  EXPECT_FALSE(readParameterSection(empty, p).empty());
  std::string rows;
  for (int r = 0; r < 31; ++r)
    rows += "TEACH VECTOR " + std::to_string(r) + "\n";
  EXPECT_EQ(readTeachSections(empty, t), kTeachHead + rows);
  EXPECT_EQ(p, SensorParameters{});
  EXPECT_EQ(t[30], (TeachVector{{1, 1, 1, 1, 1}, 0, 10, 0xBEEF}));
}

TEST(ParameterFile, TypeAndVersionTexts) {
  struct Case {
    std::string text;
    std::string type;
    std::string version;
  };
  const std::vector<Case> cases = {
      {"[PARAMETER]\r\nPOWER = 1\r\n", "", ""}, // no GENERAL INFO
      {"[general info]\r\nfile type: = \"parameter file\"\r\n", "parameter file", ""},
      {"[GENERAL INFO]\r\nFILE TYPE: = Parameter File\r\nSCOPE VERSION: = \"V9\"\r\n",
       "Parameter File", "V9"},
      {"[GENERAL INFO]\r\nFILE TYPE: = \"" + std::string(2000, 'x') + "\"\r\n",
       std::string(1023, 'x'), ""},
  };
  for (const auto &c : cases) {
    const IniText doc = parse(c.text);
    EXPECT_EQ(parameterFileType(doc), c.type);
    EXPECT_EQ(parameterFileVersion(doc), c.version);
  }
}
