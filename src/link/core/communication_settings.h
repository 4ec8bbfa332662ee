#pragma once
// The five communication settings: what the connection page shows, the link opens and
// "PanelSettings.cfg" keeps.
#include <cstdint>
#include <string>

namespace quorvane {

// Stored as its number (0 = RS-232, 1 = TCP/IP).
enum class Protocol : std::uint16_t { Rs232 = 0, Tcp = 1 };

struct CommunicationSettings {
  Protocol protocol = Protocol::Rs232;
  std::uint16_t comPort = 1;
  std::string comDevice;      // serial device path; empty means /dev/ttyS<comPort - 1>
  std::uint16_t baudCode = 4; // index into the baud-rate table
  std::string ipAddress;
  std::string portNumber = "10001";

  bool operator==(const CommunicationSettings &) const = default;
};

} // namespace quorvane
