// The parameter-file reader on arbitrary text: whatever it accepts must write and read
// back unchanged.
#include "ini/ini_text.h"
#include "params/core/parameter_file.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  using namespace quorvane;
  IniText doc;
  if (doc.readFromText(std::string_view(reinterpret_cast<const char *>(data), size)) != 0) return 0;
  (void)parameterFileType(doc);
  (void)parameterFileVersion(doc);
  SensorParameters params;
  TeachTable table;
  (void)readParameterSection(doc, params);
  (void)readTeachSections(doc, table);

  const IniText written = parameterDocument(params, table);
  SensorParameters paramsAgain;
  TeachTable tableAgain;
  if (!readParameterSection(written, paramsAgain).empty() ||
      !readTeachSections(written, tableAgain).empty())
    std::abort();
  if (!(paramsAgain == params)) std::abort();
  return 0;
}
