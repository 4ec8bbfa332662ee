#pragma once
// Linux serial devices versus the numbered COM port kept in the settings: COM port n
// without a stored device path means /dev/ttyS<n-1>.
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

[[nodiscard]] std::string defaultSerialDevice(std::uint16_t comPort);

// The COM port number that names `device`: n + 1 for /dev/ttyS<n>; for any other device
// (USB adapters, pseudo terminals) the number cannot be derived and `previous` stays.
[[nodiscard]] std::uint16_t comPortForDevice(std::string_view device, std::uint16_t previous);

// Whether the connection page lists `device` among the detected ports.
[[nodiscard]] bool isListedSerialDevice(std::string_view device);

} // namespace quorvane

namespace quorvane {

// What the system knows of a detected port, for the operator choosing among several USB
// adapters: "FT232R USB UART (FTDI), serial A50285BI". Empty parts are left out; empty when
// nothing is known.
[[nodiscard]] std::string serialPortDescription(std::string_view description,
                                                std::string_view manufacturer,
                                                std::string_view serialNumber);

} // namespace quorvane
