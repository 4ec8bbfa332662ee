#pragma once
// The "--connect-tcp HOST:PORT" start-up option: points the panel settings at a TCP
// sensor before the tool reads them, leaving every other setting as it was.
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

class IniText;

struct TcpTarget {
  std::string host;
  std::string port; // decimal text, 1..65535
};

// "host:port", "[v6-address]:port"; nullopt when the host is empty or the port is not a
// number from 1 to 65535.
[[nodiscard]] std::optional<TcpTarget> parseTcpTarget(std::string_view text);

// True when `doc` is a panel settings document (its file type is exactly the one the
// tool accepts), so editing it keeps the operator's other settings.
[[nodiscard]] bool isPanelSettingsDocument(const IniText &doc);

// Sets protocol TCP/IP, the address and the port in the communication section; a
// document without a file type gets the general section first so the tool accepts it.
[[nodiscard]] int putTcpTarget(IniText &doc, const TcpTarget &target);

} // namespace quorvane
