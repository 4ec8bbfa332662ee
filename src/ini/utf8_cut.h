#pragma once
// Length limits applied to UTF-8 text: a cut never splits a character, so a text near the
// limit reads back as written, without a replacement character.
#include <cstddef>
#include <string_view>

namespace quorvane {

// The longest prefix of `text` of at most `maxBytes` bytes that ends on a character
// boundary.
[[nodiscard]] constexpr std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t end = maxBytes;
  // Back off over continuation bytes (10xxxxxx) to the start of the cut character.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    --end;
  return text.substr(0, end);
}

// The first `maxChars` characters of `text` (all of it when it has fewer). A character is a
// lead byte with the continuation bytes (10xxxxxx) that follow it.
[[nodiscard]] constexpr std::string_view utf8CharPrefix(std::string_view text,
                                                        std::size_t maxChars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (chars++ == maxChars) return text.substr(0, i);
  }
  return text;
}

} // namespace quorvane
