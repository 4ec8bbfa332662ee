#include "service/core/hardware_info.h"

#include "ini/settings_header.h"
#include "params/core/parameter_file.h"
#include "service/core/service_texts.h"

#include <algorithm>
#include <array>

namespace quorvane {
namespace {

constexpr std::array<std::string_view, 3> kChannelKeys = {"RED", "GREEN", "BLUE"};

int putChannels(IniText &doc, std::string_view section, const ChannelWords &values) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (const int r = doc.putInt(section, kChannelKeys[i], values[i]); r < 0) return r;
  }
  return 0;
}

} // namespace

HardwareInfoDump dumpHardwareInfo(std::span<const std::uint8_t> block) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::array<std::uint8_t, kHardwareInfoAreaBytes> area{};
  const std::size_t n = std::min(block.size(), area.size());
  std::copy_n(block.begin(), n, area.begin());

  HardwareInfoDump dump;
  dump.truncated = block.size() > area.size();
  dump.text.reserve(kHardwareInfoWords * 4);
  for (std::size_t w = 0; w < kHardwareInfoWords; ++w) {
    const unsigned word = area[2 * w] | (area[2 * w + 1] << 8);
    for (int shift = 12; shift >= 0; shift -= 4) {
      dump.text += kHex[(word >> shift) & 0xF];
    }
  }
  return dump;
}

HardwareInfoDocument hardwareInfoDocument(const HardwareInfoInput &in) {
  HardwareInfoDocument out;
  IniText &doc = out.doc;
  const HardwareInfoDump dump = dumpHardwareInfo(in.block);
  out.blockTruncated = dump.truncated;
  // A failed put (out of memory) only shortens the file, as for the parameter file.
  (void)doc.putString(kGeneralInfoSection, kFileTypeKey, kHardwareInfoFileType);
  (void)doc.putString(kGeneralInfoSection, kScopeVersionKey, kHardwareInfoScopeVersion);
  (void)doc.putString(kGeneralInfoSection, kFirmwareVersionKey, in.firmware);
  (void)doc.putString(kHardwareInfoSection, kHardwareInfoDataKey, dump.text);
  (void)putChannels(doc, kCalibrationFactorSection, in.calibration.factors);
  (void)putChannels(doc, kOffsetSection, in.calibration.offsets);
  (void)writeParameterSection(doc, in.parameters);
  (void)writeTeachSections(doc, in.teachTable);
  return out;
}

std::string hardwareInfoSavedLog(std::string_view path) {
  std::string line(servicetext::kLogSavedToHead);
  line += path;
  line += servicetext::kLogSavedToTail;
  return line;
}

std::string hardwareInfoTruncatedLog(std::size_t receivedBytes) {
  return "ATTENTION!   HARDWARE INFO BLOCK OF " + std::to_string(receivedBytes) +
         " BYTES: ONLY THE FIRST " + std::to_string(kHardwareInfoAreaBytes) +
         " BYTES WERE SAVED!\n\n";
}

std::string hardwareInfoCalibrationMissingLog(const PartialCalibrationData &read) {
  std::string line = "ATTENTION!   CALIBRATION DATA OF " + std::to_string(read.receivedBytes) +
                     " BYTES INSTEAD OF " + std::to_string(kCalibrationDataBytes) +
                     "! SAVED AS 0: ";
  for (std::size_t i = read.wordsReceived(); i < kCalibrationWords; ++i) {
    if (i != read.wordsReceived()) line += ", ";
    line += i < 3 ? "FACTOR " : "OFFSET ";
    line += kChannelKeys[i % 3];
  }
  line += "\n\n";
  return line;
}

} // namespace quorvane
