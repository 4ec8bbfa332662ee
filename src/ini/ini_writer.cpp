#include "ini/ini_writer.h"

#include <cstdio>
#include <string>

namespace quorvane {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSeparator = " = ";

std::size_t trailingBackslashes(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && text[text.size() - 1 - n] == '\\')
    ++n;
  return n;
}

// "tag = value" (quoted when asked), the value cut so the line stays within the limit.
// A piece of a long value is joined raw with the next, so only a whole value is closed off.
void formatItemLine(std::string &line, std::string_view tag, std::string_view value, bool quoted,
                    bool whole) {
  line.assign(tag);
  line += kSeparator;
  const std::size_t quotes = quoted ? 2 : 0;
  const std::size_t room =
      kIniMaxLineLength > line.size() + quotes ? kIniMaxLineLength - line.size() - quotes : 0;
  if (value.size() > room) value = value.substr(0, room);
  if (quoted) line += '"';
  line += value;
  // A stored text ending in a lone backslash (read from a line without its closing quote)
  // would escape the closing quote; doubled it reads back as the same backslash.
  if (quoted && whole && trailingBackslashes(value) % 2 == 1) line += '\\';
  if (quoted) line += '"';
  line += kLineEnd;
}

} // namespace

bool emitIniText(const IniText &doc, const std::function<bool(std::string_view)> &sink) {
  std::string line;
  for (const IniSection &section : doc.sections()) {
    line.assign("[");
    line += section.name;
    line += "]";
    line += kLineEnd;
    if (!sink(line)) return false;
    for (const IniItem &item : section.items) {
      const std::string_view value = item.value;
      if (value.size() <= kIniMaxValueLineLength) {
        formatItemLine(line, std::string_view(item.tag).substr(0, kIniMaxTagLength), value,
                       item.quoted, true);
        if (!sink(line)) return false;
        continue;
      }
      const std::string base(std::string_view(item.tag).substr(0, kIniMaxPieceTagLength));
      std::size_t piece = 1;
      for (std::size_t at = 0; at < value.size(); at += kIniMaxValueLineLength, ++piece) {
        char number[24];
        std::snprintf(number, sizeof number, " Line%04zu", piece);
        formatItemLine(line, base + number, value.substr(at, kIniMaxValueLineLength), item.quoted,
                       false);
        if (!sink(line)) return false;
      }
    }
    if (!sink(kLineEnd)) return false;
  }
  return true;
}

std::string IniText::toText() const {
  std::string text;
  emitIniText(*this, [&text](std::string_view chunk) {
    text += chunk;
    return true;
  });
  return text;
}

} // namespace quorvane
