#include "params/core/teach_table.h"

#include "link/core/bytes.h"

namespace quorvane {

TeachTableBytes encodeTeachTable(const TeachTable &t) {
  TeachTableBytes out{};
  for (std::size_t r = 0; r < kTeachRows; ++r) {
    std::uint8_t *row = &out[r * kTeachRowBytes];
    for (std::size_t c = 0; c < kTeachCells; ++c) putLe16(row + 2 * c, t[r].cell[c]);
    putLe16(row + 10, t[r].group);
    putLe16(row + 12, t[r].hold);
    putLe16(row + 14, t[r].reserved);
  }
  return out;
}

TeachTable decodeTeachTable(std::span<const std::uint8_t> bytes) {
  TeachTableBytes full{};
  for (std::size_t i = 0; i < full.size() && i < bytes.size(); ++i) full[i] = bytes[i];
  TeachTable t{};
  for (std::size_t r = 0; r < kTeachRows; ++r) {
    const std::uint8_t *row = &full[r * kTeachRowBytes];
    for (std::size_t c = 0; c < kTeachCells; ++c) t[r].cell[c] = getLe16(row + 2 * c);
    t[r].group = getLe16(row + 10);
    t[r].hold = getLe16(row + 12);
    t[r].reserved = getLe16(row + 14);
  }
  return t;
}

} // namespace quorvane
