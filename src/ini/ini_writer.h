#pragma once
// Produces the written text of a document line by line (each line with its CR LF), so
// that a file can be written through a small buffer instead of one big string.
#include "ini/ini_text.h"

#include <functional>
#include <string_view>

namespace quorvane {

// Calls `sink` with consecutive chunks of the text; stops early when it returns false.
// Returns false when the sink stopped it.
bool emitIniText(const IniText &doc, const std::function<bool(std::string_view)> &sink);

} // namespace quorvane
