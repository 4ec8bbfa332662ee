// The INI reader on arbitrary text: every value read back, and every quoted value must
// survive a write and a read. Rewritten by the format's design, so not compared:
// - unquoted values (blanks at the edge of a piece are trimmed);
// - an item whose tag looks like a piece, "<base> LineNNNN" (it may join its neighbours);
// - a tag over the tag limit, or over the piece-tag limit when its value is long (cut);
// - a tag starting with "[" (it reads back as a section).
#include "ini/ini_text.h"

#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string_view>

namespace {

bool rewrittenByDesign(const std::string &tag, std::size_t valueSize) {
  if (tag.size() > quorvane::kIniMaxTagLength) return true;
  // A long value is written in pieces whose tags keep only the first 246 characters.
  if (valueSize > quorvane::kIniMaxValueLineLength && tag.size() > quorvane::kIniMaxPieceTagLength)
    return true;
  static const std::regex piece(".* Line[0-9]{4,}");
  return std::regex_match(tag, piece);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  quorvane::IniText doc;
  if (doc.readFromText(text) != 0) return 0;
  char buffer[16];
  for (const auto &section : doc.sections()) {
    for (const auto &item : section.items) {
      int value = 0;
      (void)doc.getInt(section.name, item.tag, value);
      (void)doc.getStringIntoBuffer(section.name, item.tag, buffer, sizeof buffer);
      if (!doc.getString(section.name, item.tag)) std::abort(); // listed but not found
    }
  }
  // A tag that starts like a section header reads back as one and takes the items after
  // it along: no key of this tool's files does, so only the reading is checked then.
  for (const auto &section : doc.sections())
    for (const auto &item : section.items)
      if (item.tag.starts_with('[')) return 0;
  quorvane::IniText again;
  if (again.readFromText(doc.toText()) != 0) std::abort();
  for (const auto &section : doc.sections())
    for (const auto &item : section.items)
      if (item.quoted && !rewrittenByDesign(item.tag, item.value.size()) &&
          again.getString(section.name, item.tag) != doc.getString(section.name, item.tag))
        std::abort();
  return 0;
}
