#include "app/core/tcp_target.h"

#include "app/core/panel_settings.h"
#include "ini/ini_text.h"
#include "ini/settings_header.h"

#include <charconv>

namespace quorvane {
namespace {

constexpr std::string_view kComm = "COMMUNICATION SETTINGS";

bool validPort(std::string_view text) {
  if (text.empty() || text.size() > 5) return false;
  unsigned value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value >= 1 && value <= 65535;
}

} // namespace

std::optional<TcpTarget> parseTcpTarget(std::string_view text) {
  std::string_view host;
  std::string_view port;
  if (!text.empty() && text.front() == '[') {
    const auto close = text.find(']');
    if (close == std::string_view::npos || close + 1 >= text.size() || text[close + 1] != ':')
      return std::nullopt;
    host = text.substr(1, close - 1);
    port = text.substr(close + 2);
  } else {
    const auto colon = text.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
    // An unbracketed IPv6 address cannot be told apart from its port.
    if (host.find(':') != std::string_view::npos) return std::nullopt;
  }
  if (host.empty() || host.find_first_of(" \t\r\n\"") != std::string_view::npos || !validPort(port))
    return std::nullopt;
  return TcpTarget{std::string(host), std::string(port)};
}

bool isPanelSettingsDocument(const IniText &doc) {
  return panelSettingsFileAccepted(doc);
}

int putTcpTarget(IniText &doc, const TcpTarget &target) {
  if (!isPanelSettingsDocument(doc)) {
    if (int r = putSettingsHeader(doc, kPanelSettingsFileType); r < 0) return r;
  }
  if (int r = doc.putInt(kComm, "COMPROTOCOL", 1); r < 0) return r;
  if (int r = doc.putString(kComm, "IP ADRESS", target.host); r < 0) return r;
  return doc.putString(kComm, "PORT NUMBER", target.port);
}

} // namespace quorvane
