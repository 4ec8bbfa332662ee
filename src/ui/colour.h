#pragma once
// Colours of the records (0xRRGGBB words) as the toolkit's colours.
#include <QColor>

#include <cstdint>

namespace quorvane {

[[nodiscard]] inline QColor colourOf(std::uint32_t rgb) {
  return QColor::fromRgb(static_cast<QRgb>(rgb & 0xFFFFFF));
}

} // namespace quorvane
