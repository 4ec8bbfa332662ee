// The hardware initial file: the dump of the hardware information block and the whole
// document text.
#include "params/core/parameter_file.h"
#include "service/core/hardware_info.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

using namespace quorvane;

namespace {

std::vector<std::uint8_t> counting(std::size_t n) {
  std::vector<std::uint8_t> b(n);
  for (std::size_t i = 0; i < n; ++i)
    b[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return b;
}

// Words of the first 512 bytes, zero beyond the block, "%04X" each.
std::string expectedDump(const std::vector<std::uint8_t> &block) {
  std::string s;
  for (std::size_t w = 0; w < 256; ++w) {
    const auto at = [&](std::size_t i) { return i < block.size() ? block[i] : 0u; };
    char text[5];
    std::snprintf(text, sizeof text, "%04X", at(2 * w) + 256u * at(2 * w + 1));
    s += text;
  }
  return s;
}

// The quoted "DATA" value as the store writes it: pieces of 80 characters.
std::string dataLines(const std::string &hex) {
  std::string s;
  for (std::size_t at = 0, piece = 1; at < hex.size(); at += 80, ++piece) {
    char tag[16];
    std::snprintf(tag, sizeof tag, "DATA Line%04zu", piece);
    s += std::string(tag) + " = \"" + hex.substr(at, 80) + "\"\r\n";
  }
  return s;
}

HardwareInfoInput sampleInput(const std::vector<std::uint8_t> &block) {
  HardwareInfoInput in;
  in.firmware = "QUORVANE ANA V1.3.25 build \"7\"";
  in.block = block;
  in.calibration = {{1024, 2048, 4096}, {12, 0, 65535}};
  in.parameters.power = 777;
  in.parameters.externTeach = 2;
  for (std::size_t r = 0; r < kTeachRows; ++r) {
    in.teachTable[r].cell = {static_cast<std::uint16_t>(r), 2, 3, 4, 5};
    in.teachTable[r].hold = 9;
  }
  return in;
}

// The parameter file's own sections for the same record and table.
std::string parameterSections(const HardwareInfoInput &in) {
  const std::string file = parameterDocument(in.parameters, in.teachTable).toText();
  return file.substr(file.find("[PARAMETER]"));
}

} // namespace

TEST(HardwareInfo, DumpIsLittleEndianWordsPaddedWithZeros) {
  const std::vector<std::uint8_t> fiveBytes = {0x19, 0x7C, 0xCD, 0xAB, 0x0F};
  EXPECT_EQ(dumpHardwareInfo(fiveBytes).text, "7C19ABCD000F" + std::string(1012, '0'));
}

TEST(HardwareInfo, DocumentText) {
  struct Case {
    const char *what;
    std::vector<std::uint8_t> block;
    bool truncated;
  };
  const Case cases[] = {{"full block", counting(512), false},
                        {"short block", {0x19, 0x7C, 0x34, 0x12, 0xAB}, false},
                        {"over-long block", counting(700), true},
                        {"largest reply", counting(2040), true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    const HardwareInfoInput in = sampleInput(c.block);
    const std::string expected = "[GENERAL INFO]\r\n"
                                 "FILE TYPE: = \"Hardware Initial File\"\r\n"
                                 "SCOPE VERSION: = \"QUORVANE ANA Scope V1.3.1\"\r\n"
                                 "FIRMWARE VERSION: = \"QUORVANE ANA V1.3.25 build \\\"7\\\"\"\r\n"
                                 "\r\n"
                                 "[HARDWARE INFO]\r\n" +
                                 dataLines(expectedDump(c.block)) +
                                 "\r\n"
                                 "[CALIBRATION FACTOR]\r\n"
                                 "RED = 1024\r\n"
                                 "GREEN = 2048\r\n"
                                 "BLUE = 4096\r\n"
                                 "\r\n"
                                 "[OFFSET]\r\n"
                                 "RED = 12\r\n"
                                 "GREEN = 0\r\n"
                                 "BLUE = 65535\r\n"
                                 "\r\n" +
                                 parameterSections(in);
    const HardwareInfoDocument out = hardwareInfoDocument(in);
    EXPECT_EQ(out.doc.toText(), expected);
    EXPECT_EQ(out.blockTruncated, c.truncated);
  }
}

TEST(HardwareInfo, LogLines) {
  EXPECT_EQ(hardwareInfoSavedLog("/home/op/HardwareInitialFile.ini"),
            "HARDWARE INI FILE HAS BEEN SAVED TO:\n/home/op/HardwareInitialFile.ini\n\n");
  EXPECT_EQ(hardwareInfoTruncatedLog(700),
            "ATTENTION!   HARDWARE INFO BLOCK OF 700 BYTES: ONLY THE FIRST 512 BYTES WERE "
            "SAVED!\n\n");
}
