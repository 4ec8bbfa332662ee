// The table-attributes reader on arbitrary text: colours within 24 bits, texts within
// their size, and what is written reads back the same.
#include "ini/ini_text.h"
#include "teach/core/table_attributes_file.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  using namespace quorvane;
  IniText doc;
  if (doc.readFromText(std::string_view(reinterpret_cast<const char *>(data), size)) != 0) return 0;
  (void)tableAttributesTypeMatches(doc);
  (void)tableAttributesVersionMatches(doc);
  TableAttributes attributes;
  const auto missing = readTableAttributeSections(doc, attributes);
  (void)missingColoursMessage(missing);
  for (const auto colour : attributes.colors)
    if (colour > kMaxRowColor) std::abort();
  for (const auto &text : attributes.specifications)
    if (text.size() > kRowSpecificationMaxBytes) std::abort();

  const IniText written = tableAttributesDocument(attributes);
  TableAttributes again;
  if (!readTableAttributeSections(written, again).empty()) std::abort();
  if (!(again == attributes)) std::abort();
  return 0;
}
