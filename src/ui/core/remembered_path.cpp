#include "ui/core/remembered_path.h"

#include "ini/ini_text.h"
#include "ini/utf8_cut.h"

namespace quorvane {

std::string presetPath(const RememberedPath &path, std::string_view programDir, char sep) {
  std::string preset(programDir);
  preset += sep;
  preset += path.fileName;
  return preset;
}

std::string readRememberedPath(const IniText &doc, const RememberedPath &path,
                               std::string_view programDir, char sep) {
  const std::optional<std::string> text = doc.getString(kDirectoriesSection, path.key);
  if (!text)
    return path.missingKeyGivesPreset ? presetPath(path, programDir, sep) : std::string(programDir);
  // As the path's buffer would hold it: up to its terminator, cut between characters.
  return std::string(utf8Prefix(std::string_view(text->c_str()), kPathSize - 1));
}

int putRememberedPath(IniText &doc, std::string_view key, std::string_view value) {
  return doc.putString(kDirectoriesSection, key, utf8Prefix(value, kPathSize - 1));
}

} // namespace quorvane
