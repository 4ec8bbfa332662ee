#pragma once
// The checks a parameter file passes before it is read, and what the operator is told when
// it does not.
#include "ini/ini_text.h"

#include <string_view>

namespace quorvane {

inline constexpr std::string_view kNotParameterFileText =
    "Selected file is not a parameter file! \nDo you want to proceed anyway?";
inline constexpr std::string_view kParameterVersionMismatchText =
    "Selected file and scope version do not match! \nDo you want to proceed anyway?";
inline constexpr std::string_view kNoParameterReadText = "No parameter where read!";

// "FILE TYPE:" is exactly "Parameter File".
[[nodiscard]] bool isParameterFile(const IniText &doc);
// "SCOPE VERSION:" is exactly this tool's version.
[[nodiscard]] bool isParameterFileOfThisVersion(const IniText &doc);

} // namespace quorvane
