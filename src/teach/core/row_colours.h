#pragma once
// Indicator colours and specification texts of the teach rows: things only the PC keeps.
#include "live/core/row_indicator_colours.h"
#include "params/core/teach_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

inline constexpr std::size_t kRowColorSlots = 45; // only the first 31 are rows
inline constexpr std::uint32_t kMaxRowColor = 0xFFFFFF;
inline constexpr std::size_t kRowSpecificationMaxBytes = 99;

// 0xRRGGBB per row.
using RowColors = std::array<std::uint32_t, kRowColorSlots>;

inline constexpr RowColors DefaultRowColors = cycledRowColours<kRowColorSlots>();

// Colour modes of the table-attributes page.
inline constexpr int kColourModeManual = 0;
inline constexpr int kColourModeAutomatic = 1;
inline constexpr std::array<std::string_view, 2> kColourModeItems{"Manually", "Automatically"};

// A colour value held to 0..0xFFFFFF.
[[nodiscard]] std::uint32_t clampRowColor(long long value);

// The text cut to at most 99 bytes, never inside a UTF-8 character.
[[nodiscard]] std::string cutRowSpecification(std::string_view text);

// The colours and texts of the table-attributes page.
struct TableAttributes {
  RowColors colors = DefaultRowColors;
  std::array<std::string, kTeachRows> specifications{};

  bool operator==(const TableAttributes &) const = default;
};

// RESET of the page: default colours, empty texts.
[[nodiscard]] inline TableAttributes defaultTableAttributes() {
  return {};
}

// Manual choice: the colour (held to 24 bits) into row 0..30; false for another row.
bool setRowColour(TableAttributes &attributes, int row, long long color);

} // namespace quorvane
