#include "link/core/serial_device_names.h"

#include <charconv>

namespace quorvane {
namespace {

constexpr std::string_view kStandardPrefix = "/dev/ttyS";

} // namespace

std::string defaultSerialDevice(std::uint16_t comPort) {
  const unsigned index = comPort == 0 ? 0u : comPort - 1u;
  return std::string(kStandardPrefix) + std::to_string(index);
}

std::uint16_t comPortForDevice(std::string_view device, std::uint16_t previous) {
  if (!device.starts_with(kStandardPrefix)) return previous;
  const std::string_view digits = device.substr(kStandardPrefix.size());
  unsigned index = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() ||
      index >= 65535u)
    return previous;
  return static_cast<std::uint16_t>(index + 1u);
}

bool isListedSerialDevice(std::string_view device) {
  for (std::string_view prefix : {"/dev/ttyUSB", "/dev/ttyACM", "/dev/ttyS"}) {
    if (device.starts_with(prefix) && device.size() > prefix.size()) return true;
  }
  return false;
}

} // namespace quorvane

namespace quorvane {

std::string serialPortDescription(std::string_view description, std::string_view manufacturer,
                                  std::string_view serialNumber) {
  std::string text(description);
  // Drivers often repeat the maker in the description ("FTDI FT232R"); say it once.
  if (!manufacturer.empty() && text.find(manufacturer) == std::string::npos) {
    text += text.empty() ? std::string(manufacturer) : " (" + std::string(manufacturer) + ")";
  }
  if (!serialNumber.empty()) {
    if (!text.empty()) text += ", ";
    text += "serial ";
    text += serialNumber;
  }
  return text;
}

} // namespace quorvane
