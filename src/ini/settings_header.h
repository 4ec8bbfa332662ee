#pragma once
// The "GENERAL INFO" section that opens every settings file of the tool: the kind of file
// and the tool version that wrote it. Readers check the kind before using a file.
#include "ini/ini_text.h"

#include <string>
#include <string_view>

namespace quorvane {

inline constexpr std::string_view kGeneralInfoSection = "GENERAL INFO";
inline constexpr std::string_view kFileTypeKey = "FILE TYPE:";
inline constexpr std::string_view kScopeVersionKey = "SCOPE VERSION:";
inline constexpr std::string_view kScopeVersionText = "QUORVANE ANA Scope V1.3";

// Puts "FILE TYPE:" = fileType and "SCOPE VERSION:" = the tool version. 0 or the first
// failing put's code.
int putSettingsHeader(IniText &doc, std::string_view fileType);

// The texts as read into a 1024-byte buffer (at most 1023 characters); empty when the
// item is missing.
[[nodiscard]] std::string readFileType(const IniText &doc);
[[nodiscard]] std::string readScopeVersion(const IniText &doc);

} // namespace quorvane
