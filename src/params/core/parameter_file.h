#pragma once
// The parameter file: the parameter record and the whole teach table as an INI document
// ("GENERAL INFO", "PARAMETER", "TEACH VECTOR 0" .. "TEACH VECTOR 30").
#include "ini/ini_text.h"
#include "params/core/sensor_parameters.h"
#include "params/core/teach_table.h"
#include "ui/core/remembered_path.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

inline constexpr std::string_view kParameterFileType = "Parameter File";
inline constexpr std::string_view kParameterSection = "PARAMETER";
inline constexpr RememberedPath kParameterFilePath{"PARAMETER FILE", "Parameter.ini"};

// "TEACH VECTOR " + row in decimal.
[[nodiscard]] std::string teachVectorSection(std::size_t row);

// Put the "PARAMETER" section / the 31 teach sections. 0 or the first failing put's code.
int writeParameterSection(IniText &doc, const SensorParameters &params);
int writeTeachSections(IniText &doc, const TeachTable &table);

// The whole file in its order: header, parameters, teach sections.
[[nodiscard]] IniText parameterDocument(const SensorParameters &params, const TeachTable &table);

// Read the record / the table; a key that is missing, blank or not an integer gets its
// default. Values keep their low 16 bits. Returns the report of what could not be read,
// empty when everything was read. The reserved word of each row is left as it is.
[[nodiscard]] std::string readParameterSection(const IniText &doc, SensorParameters &params);
[[nodiscard]] std::string readTeachSections(const IniText &doc, TeachTable &table);

// "FILE TYPE:" and "SCOPE VERSION:" of the document, empty when missing; compared
// exactly (case-sensitive) by the caller.
[[nodiscard]] std::string parameterFileType(const IniText &doc);
[[nodiscard]] std::string parameterFileVersion(const IniText &doc);

} // namespace quorvane
