#pragma once
// The teach table: 31 rows of eight 16-bit words (496 bytes on the wire).
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quorvane {

inline constexpr std::size_t kTeachRows = 31;
inline constexpr std::size_t kTeachCells = 5;
inline constexpr std::size_t kTeachRowBytes = 16;
inline constexpr std::size_t kTeachTableBytes = kTeachRows * kTeachRowBytes;

struct TeachVector {
  std::array<std::uint16_t, kTeachCells> cell{};
  std::uint16_t group = 0;
  std::uint16_t hold = 0;
  // Not interpreted by the tool: carried back to the sensor exactly as last read.
  std::uint16_t reserved = 0;

  bool operator==(const TeachVector &) const = default;
};

using TeachTable = std::array<TeachVector, kTeachRows>;
using TeachTableBytes = std::array<std::uint8_t, kTeachTableBytes>;

[[nodiscard]] TeachTableBytes encodeTeachTable(const TeachTable &t);
// Reads up to 496 bytes; bytes missing from a short block read as zero.
[[nodiscard]] TeachTable decodeTeachTable(std::span<const std::uint8_t> bytes);

} // namespace quorvane
