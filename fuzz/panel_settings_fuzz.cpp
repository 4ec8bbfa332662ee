// The panel-settings reader on arbitrary text: the fields stay within their sizes and
// what is written reads back the same.
#include "app/core/panel_settings.h"
#include "ini/ini_text.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  using namespace quorvane;
  IniText doc;
  if (doc.readFromText(std::string_view(reinterpret_cast<const char *>(data), size)) != 0) return 0;
  PanelSettings settings;
  (void)readPanelSettings(doc, settings);
  readCommunicationSettings(doc, settings.communication);
  if (settings.ipAddresses.size() > kMaxIpAddresses) std::abort();
  if (settings.panelId.size() >= kPanelIdSize) std::abort();
  for (const auto &address : settings.ipAddresses)
    if (address.empty() || address.size() >= kIpAddressSize) std::abort();
  for (const RememberedPath &path : {RememberedPath{"PARAMETER FILE", "Parameter.ini"},
                                     RememberedPath{"RECORDER FILE", "RecordFile.dat", true}}) {
    settings.paths.push_back({std::string(path.key), readRememberedPath(doc, path, "/q", '/')});
    if (settings.paths.back().value.size() >= kPathSize) std::abort();
  }

  const IniText written = writePanelSettings(settings);
  PanelSettings again;
  if (!readPanelSettings(written, again)) std::abort();
  readCommunicationSettings(written, again.communication);
  for (const StoredPath &path : settings.paths)
    if (readRememberedPath(written, {path.key, "x"}, "/other", '/') != path.value) std::abort();
  if (again.ipAddresses != settings.ipAddresses || again.panelId != settings.panelId ||
      !(again.communication == settings.communication))
    std::abort();
  return 0;
}
