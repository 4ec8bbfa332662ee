#include "params/core/parameter_file.h"

#include "ini/settings_header.h"

#include <array>

namespace quorvane {
namespace {

constexpr std::string_view kParaReportHead =
    "Following parameter could not be read \nand where set to default value:\n\n";
constexpr std::string_view kTeachReportHead =
    "Following teach vectors could not be read \nand where set to default value:\n\n";

constexpr std::array<std::string_view, kTeachCells> kCellKeys = {"CELL 0", "CELL 1", "CELL 2",
                                                                 "CELL 3", "CELL 4"};
// Put with a trailing blank, which the store drops; read without it.
constexpr std::string_view kGroupPutKey = "GROUP ";
constexpr std::string_view kHoldPutKey = "HOLD ";
constexpr std::string_view kGroupKey = "GROUP";
constexpr std::string_view kHoldKey = "HOLD";

constexpr std::uint16_t kDefaultCell = 1;
constexpr std::uint16_t kDefaultGroup = 0;
constexpr std::uint16_t kDefaultHold = 10;

// Only a getter result of exactly 1 counts as read.
bool readWord(const IniText &doc, std::string_view section, std::string_view key,
              std::uint16_t fallback, std::uint16_t &out) {
  int value = 0;
  if (doc.getInt(section, key, value) == 1) {
    out = static_cast<std::uint16_t>(value);
    return true;
  }
  out = fallback;
  return false;
}

} // namespace

std::string teachVectorSection(std::size_t row) {
  return "TEACH VECTOR " + std::to_string(row);
}

int writeParameterSection(IniText &doc, const SensorParameters &params) {
  for (const ParameterField &field : kParameterFields) {
    if (const int r = doc.putInt(kParameterSection, field.key, params.*field.member); r < 0) {
      return r;
    }
  }
  return 0;
}

int writeTeachSections(IniText &doc, const TeachTable &table) {
  for (std::size_t row = 0; row < kTeachRows; ++row) {
    const std::string section = teachVectorSection(row);
    const TeachVector &v = table[row];
    int r = 0;
    for (std::size_t c = 0; c < kTeachCells && r >= 0; ++c) {
      r = doc.putInt(section, kCellKeys[c], v.cell[c]);
    }
    if (r >= 0) r = doc.putInt(section, kGroupPutKey, v.group);
    if (r >= 0) r = doc.putInt(section, kHoldPutKey, v.hold);
    if (r < 0) return r;
  }
  return 0;
}

IniText parameterDocument(const SensorParameters &params, const TeachTable &table) {
  IniText doc;
  // A failed put (out of memory) only shortens the file; the write reports nothing more.
  (void)putSettingsHeader(doc, kParameterFileType);
  (void)writeParameterSection(doc, params);
  (void)writeTeachSections(doc, table);
  return doc;
}

std::string readParameterSection(const IniText &doc, SensorParameters &params) {
  std::string missing;
  for (const ParameterField &field : kParameterFields) {
    if (!readWord(doc, kParameterSection, field.key, field.defaultValue, params.*field.member)) {
      missing += field.reportName;
      missing += '\n';
    }
  }
  return missing.empty() ? std::string() : std::string(kParaReportHead) + missing;
}

std::string readTeachSections(const IniText &doc, TeachTable &table) {
  std::string missing;
  for (std::size_t row = 0; row < kTeachRows; ++row) {
    const std::string section = teachVectorSection(row);
    TeachVector &v = table[row];
    bool complete = true;
    for (std::size_t c = 0; c < kTeachCells; ++c) {
      complete &= readWord(doc, section, kCellKeys[c], kDefaultCell, v.cell[c]);
    }
    complete &= readWord(doc, section, kGroupKey, kDefaultGroup, v.group);
    complete &= readWord(doc, section, kHoldKey, kDefaultHold, v.hold);
    if (!complete) missing += section + "\n";
  }
  return missing.empty() ? std::string() : std::string(kTeachReportHead) + missing;
}

std::string parameterFileType(const IniText &doc) {
  return readFileType(doc);
}

std::string parameterFileVersion(const IniText &doc) {
  return readScopeVersion(doc);
}

} // namespace quorvane
