#pragma once
// The escaped form in which string values are stored and written.
#include <string>
#include <string_view>

namespace quorvane {

// CR, LF and tab become \r, \n, \t; a double quote \"; a backslash \\; any other control
// character \x followed by two lower-case hex digits. Other bytes are copied as they are.
[[nodiscard]] std::string escapeIniValue(std::string_view text);
// The reverse: \n, \r, \t, \xHH (either case); a backslash before any other character
// gives that character; a lone trailing backslash is kept.
[[nodiscard]] std::string unescapeIniValue(std::string_view stored);

} // namespace quorvane
