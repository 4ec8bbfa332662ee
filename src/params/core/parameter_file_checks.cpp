#include "params/core/parameter_file_checks.h"

#include "ini/settings_header.h"
#include "params/core/parameter_file.h"

namespace quorvane {

bool isParameterFile(const IniText &doc) {
  return parameterFileType(doc) == kParameterFileType;
}

bool isParameterFileOfThisVersion(const IniText &doc) {
  return parameterFileVersion(doc) == kScopeVersionText;
}

} // namespace quorvane
