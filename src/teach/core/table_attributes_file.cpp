#include "teach/core/table_attributes_file.h"

#include "ini/settings_header.h"

namespace quorvane {
namespace {

constexpr std::string_view kMissingColoursHead =
    "Following teach vectors could not be read \nand where set to default value:\n\n";
constexpr std::string_view kSectionPrefix = "TABLE ATTR OF TEACH VECTOR ";

} // namespace

std::string tableAttrSection(std::size_t row) {
  return std::string(kSectionPrefix) + std::to_string(row);
}

int writeTableAttributeSections(IniText &doc, const TableAttributes &attributes) {
  for (std::size_t row = 0; row < kTeachRows; ++row) {
    const std::string section = tableAttrSection(row);
    int r =
        doc.putInt(section, kRowColorKey, static_cast<int>(clampRowColor(attributes.colors[row])));
    if (r >= 0) {
      r = doc.putString(section, kRowSpecificationKey,
                        cutRowSpecification(attributes.specifications[row]));
    }
    if (r < 0) return r;
  }
  return 0;
}

std::vector<std::string> readTableAttributeSections(const IniText &doc,
                                                    TableAttributes &attributes) {
  std::vector<std::string> missing;
  for (std::size_t row = 0; row < kTeachRows; ++row) {
    const std::string section = tableAttrSection(row);
    int color = 0;
    if (doc.getInt(section, kRowColorKey, color) == 1) {
      attributes.colors[row] = clampRowColor(color);
    } else {
      attributes.colors[row] = DefaultRowColors[row];
      missing.push_back(section);
    }
    const auto text = doc.getString(section, kRowSpecificationKey);
    attributes.specifications[row] = text ? cutRowSpecification(*text) : std::string();
  }
  return missing;
}

std::string missingColoursMessage(const std::vector<std::string> &sections) {
  if (sections.empty()) return {};
  std::string text(kMissingColoursHead);
  for (const std::string &s : sections)
    text += s + "\n";
  return text;
}

IniText tableAttributesDocument(const TableAttributes &attributes) {
  IniText doc;
  // A failed put (out of memory) only shortens the file.
  (void)putSettingsHeader(doc, kTableAttributesFileType);
  (void)writeTableAttributeSections(doc, attributes);
  return doc;
}

bool tableAttributesTypeMatches(const IniText &doc) {
  return readFileType(doc) == kTableAttributesFileType;
}

bool tableAttributesVersionMatches(const IniText &doc) {
  return readScopeVersion(doc) == kScopeVersionText;
}

} // namespace quorvane
