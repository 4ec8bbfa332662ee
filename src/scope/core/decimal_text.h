#pragma once
// Numbers as the scope's displays show them, with a decimal point whatever the locale.
#include <string>

namespace quorvane {

// `value` rounded to `decimals` places ("2.000", "240", "-0.50"); "nan" or "inf" for values
// that are not finite.
[[nodiscard]] std::string fixedText(double value, int decimals);

// The shortest text that reads back as exactly `value` ("2.44140625", "0", "1000").
[[nodiscard]] std::string shortestText(double value);

} // namespace quorvane
