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
  (void)ParameterFileType(doc);
  (void)ParameterFileVersion(doc);
  SensorParameters params;
  TeachTable table;
  (void)AcquireParaFromIniHandle(doc, params);
  (void)AcquireTechVecFromIniHandle(doc, table);

  const IniText written = BuildParameterDocument(params, table);
  SensorParameters paramsAgain;
  TeachTable tableAgain;
  if (!AcquireParaFromIniHandle(written, paramsAgain).empty() ||
      !AcquireTechVecFromIniHandle(written, tableAgain).empty())
    std::abort();
  if (!(paramsAgain == params)) std::abort();
  return 0;
}
