// The INI reader on arbitrary text: every value read back, and every quoted value must
// survive a write and a read. (Blanks at the edge of an unquoted piece are trimmed by
// design, so unquoted values may change; and an item whose tag looks like a piece,
// "<base> LineNNNN", may join with its neighbours once written next to them; a tag longer
// than the format's limit is written cut; a tag starting with "[" reads back as a section.)
#include "ini/ini_text.h"

#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string_view>

namespace {

bool rewrittenByDesign(const std::string &tag) {
  if (tag.size() > quorvane::kIniMaxTagLength) return true;
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
      if (item.quoted && !rewrittenByDesign(item.tag) &&
          again.getString(section.name, item.tag) != doc.getString(section.name, item.tag))
        std::abort();
  return 0;
}
