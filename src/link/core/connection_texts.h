#pragma once
// Texts of the connection handshake, the offline state and the baud-rate change.
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane::connecttext {

inline constexpr std::string_view kTryToConnectStatus = "TRY TO CONNECT!";
inline constexpr std::string_view kTryToConnectLog = "TRY TO CONNECT!\n";
inline constexpr std::string_view kNoSensorStatus = "NO SENSOR CONNECTED!";
inline constexpr std::string_view kNoSensorLog = "NO SENSOR CONNECTED!\n\n";
inline constexpr std::string_view kDialogTitle = "ATTENTION!";
inline constexpr std::string_view kConnectionFailed =
    "Could not establish connection! \nClose window or work in offline mode!";
inline constexpr std::string_view kCloseButton = "CLOSE";
inline constexpr std::string_view kOfflineButton = "OFFLINE";
inline constexpr std::string_view kTryChangeBaudrateLog = "TRY TO CHANGE BAUDRATE!\n";
inline constexpr std::string_view kSuccessLog = "SUCCESS!\n";
inline constexpr std::string_view kConfirmBaudrateLog =
    "ATTENTION!!!   CONFIRM NEW BAUDRATE WITH EEPROM AND SEND!\n\n";

// Appended to the log after the firmware display text of a matching sensor.
[[nodiscard]] std::string serialNumberLog(std::uint16_t serialNumber);
// The sensor that answered the last good handshake.
struct SensorIdentity {
  std::string firmware;
  std::uint16_t serialNumber = 0;
  bool operator==(const SensorIdentity &) const = default;
};
// Connection-log line when a reconnect finds another sensor than before (a port may be
// plugged into a different device between attempts); empty when it is the same one.
[[nodiscard]] std::string sensorChangedLog(const SensorIdentity &before, const SensorIdentity &now);
// Text of the dialog that refuses a sensor with other firmware.
[[nodiscard]] std::string firmwareMismatch(std::string_view version, std::uint16_t serialNumber);

} // namespace quorvane::connecttext
