#pragma once
// A file path a subsystem remembers between runs: one key of the "DIRECTORIES" section of
// the panel settings file, and the file in the program directory it starts from.
#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

class IniText;

inline constexpr std::string_view kDirectoriesSection = "DIRECTORIES";
// Buffer size of a stored path, terminator included.
inline constexpr std::size_t kPathSize = 260;

struct RememberedPath {
  std::string_view key;      // "PARAMETER FILE"
  std::string_view fileName; // "Parameter.ini"
  // An accepted settings file without the key gives the preset file; otherwise it gives
  // the program directory alone (where the file dialog then opens).
  bool missingKeyGivesPreset = false;
};

// Before the settings file is read, and instead of a missing or foreign one:
// programDir + sep + fileName.
[[nodiscard]] std::string presetPath(const RememberedPath &path, std::string_view programDir,
                                     char sep);
// From an accepted settings file: the stored text as its buffer holds it, or the value
// for a missing key.
[[nodiscard]] std::string readRememberedPath(const IniText &doc, const RememberedPath &path,
                                             std::string_view programDir, char sep);
// The key with its value cut to the buffer. The result of the put.
int putRememberedPath(IniText &doc, std::string_view key, std::string_view value);

} // namespace quorvane
