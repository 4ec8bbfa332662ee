#include "ini/settings_header.h"

#include <array>

namespace quorvane {
namespace {

std::string readHeaderText(const IniText &doc, std::string_view key) {
  std::array<char, 1024> buffer{};
  if (doc.getStringIntoBuffer(kGeneralInfoSection, key, buffer.data(), buffer.size()) <= 0) {
    return {};
  }
  return buffer.data();
}

} // namespace

int putSettingsHeader(IniText &doc, std::string_view fileType) {
  if (const int r = doc.putString(kGeneralInfoSection, kFileTypeKey, fileType); r < 0) return r;
  return doc.putString(kGeneralInfoSection, kScopeVersionKey, kScopeVersionText);
}

std::string readFileType(const IniText &doc) {
  return readHeaderText(doc, kFileTypeKey);
}

std::string readScopeVersion(const IniText &doc) {
  return readHeaderText(doc, kScopeVersionKey);
}

} // namespace quorvane
