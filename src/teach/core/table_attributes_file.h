#pragma once
// The table attributes file ("TableAttributes.ini") and the same 31 row sections in the
// panel settings file: "TABLE ATTR OF TEACH VECTOR n" with the keys
// "Row color" and "Row specification".
#include "ini/ini_text.h"
#include "teach/core/row_colours.h"
#include "ui/core/remembered_path.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

inline constexpr std::string_view kTableAttributesFileName = "TableAttributes.ini";
inline constexpr std::string_view kTableAttributesFileType = "Table Attributes";
inline constexpr RememberedPath kTableAttributesFilePath{"TABLE ATTRIBUTES FILE",
                                                         kTableAttributesFileName};
inline constexpr std::string_view kRowColorKey = "Row color";
inline constexpr std::string_view kRowSpecificationKey = "Row specification";

// Popup texts of SAVE and GET.
inline constexpr std::string_view kTableAttrAttentionTitle = "ATTENTION!";
inline constexpr std::string_view kNoFileSelectedText = "No file was selected!";
inline constexpr std::string_view kNotTableFileText =
    "Selected file is not a table attributes file! \nDo you want to proceed anyway?";
inline constexpr std::string_view kVersionMismatchText =
    "Selected file and scope version do not match! \nDo you want to proceed anyway?";
inline constexpr std::string_view kNothingReadText = "No parameter where read!";
inline constexpr std::string_view kResetTableText = "Do you really want to reset the table?";
inline constexpr std::string_view kMissingColoursTitle = "Attention!";

// "TABLE ATTR OF TEACH VECTOR " + row in decimal.
[[nodiscard]] std::string tableAttrSection(std::size_t row);

// Puts the 31 row sections, colours held to 24 bits and texts cut to 99 bytes. 0 or the
// first failing put's code.
int writeTableAttributeSections(IniText &doc, const TableAttributes &attributes);

// Reads the 31 row sections. A missing or unreadable colour becomes the row's default and
// its section is listed; a colour outside 0..0xFFFFFF is held to that range; a missing text
// is empty; a longer text is cut to 99 bytes. Returns the sections whose colour was missing.
[[nodiscard]] std::vector<std::string> readTableAttributeSections(const IniText &doc,
                                                                  TableAttributes &attributes);

// The "Attention!" text naming the sections whose colour was missing; empty when none was.
[[nodiscard]] std::string missingColoursMessage(const std::vector<std::string> &sections);

// The whole file: "GENERAL INFO" and the row sections.
[[nodiscard]] IniText tableAttributesDocument(const TableAttributes &attributes);

// GET's checks, in order: "FILE TYPE:" is "Table Attributes" (missing counts as empty),
// then "SCOPE VERSION:" is this tool's version; exact comparison.
[[nodiscard]] bool tableAttributesTypeMatches(const IniText &doc);
[[nodiscard]] bool tableAttributesVersionMatches(const IniText &doc);

} // namespace quorvane
