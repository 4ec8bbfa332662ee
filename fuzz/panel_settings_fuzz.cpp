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
  settings.paths = presetPaths("/opt/quorvane", '/');
  (void)readPanelSettings(doc, "/opt/quorvane", '/', settings);
  readCommunicationSettings(doc, settings.communication);
  if (settings.ipAddresses.size() > kMaxIpAddresses) std::abort();
  if (settings.panelId.size() >= kPanelIdSize) std::abort();
  for (const auto &address : settings.ipAddresses)
    if (address.empty() || address.size() >= kIpAddressSize) std::abort();

  const IniText written = writePanelSettings(settings);
  PanelSettings again;
  if (!readPanelSettings(written, "/opt/quorvane", '/', again)) std::abort();
  readCommunicationSettings(written, again.communication);
  if (again.ipAddresses != settings.ipAddresses || again.panelId != settings.panelId ||
      !(again.communication == settings.communication))
    std::abort();
  return 0;
}
