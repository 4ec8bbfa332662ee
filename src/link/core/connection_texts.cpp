#include "link/core/connection_texts.h"

namespace quorvane::connecttext {

std::string serialNumberLog(std::uint16_t serialNumber) {
  return "\nSERIAL NUMBER: " + std::to_string(serialNumber) + "\n\n";
}

std::string sensorChangedLog(const SensorIdentity &before, const SensorIdentity &now) {
  if (before == now) return {};
  std::string text = "ATTENTION! A DIFFERENT SENSOR IS CONNECTED: SERIAL NUMBER " +
                     std::to_string(now.serialNumber) +
                     " (BEFORE: " + std::to_string(before.serialNumber) + ")";
  if (before.firmware != now.firmware)
    text += ", FIRMWARE " + now.firmware + " (BEFORE: " + before.firmware + ")";
  text += ". CHECK ITS PARAMETERS BEFORE SEND!\n\n";
  return text;
}

std::string firmwareMismatch(std::string_view version, std::uint16_t serialNumber) {
  std::string text = "Sensor firmware and scope version do not match! \nFirmware of connected "
                     "sensor is: ";
  text += version;
  text += "\nThe serial number is: ";
  text += std::to_string(serialNumber);
  text += "\n\nClose window or work in offline mode!";
  return text;
}

} // namespace quorvane::connecttext
