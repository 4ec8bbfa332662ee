#pragma once
// A completed scan as comma-separated text: one line per sample with its index, the three
// recorded signals and the two digital states.
#include "scope/core/scope_buffers.h"

#include <array>
#include <string>
#include <string_view>

namespace quorvane {

// Column names of the three signals for a recorded-signal choice (0, 1 or 2).
[[nodiscard]] std::array<std::string_view, 3> scopeSignalNames(int recordedSignal);

// Header line "SAMPLE,<three signal names>,DIGITAL 0,DIGITAL 1", then 128 lines; the digital
// columns hold bit 0 and bit 1 of the digital block (0 or 1). Lines end with CR LF, like the
// tool's other data files.
[[nodiscard]] std::string scopeCsvText(const ScopeBuffers &buffers, int recordedSignal);

} // namespace quorvane
