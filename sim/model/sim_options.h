#pragma once
// Command-line options of quorvane-sensor-sim, parsed without Qt so tests can check them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvane::sim {

// "QUORVANE ANA V1.3.2  build " followed by the build date of the simulator. The tool
// shows what follows the blank after the build number, so the second blank keeps
// "V1.3" and "build" apart in its display text.
[[nodiscard]] std::string defaultFirmware();

struct SimOptions {
  // Transports.
  std::uint16_t tcpPort = 10001; // 0 = ephemeral
  std::string bind = "127.0.0.1";
  bool noTcp = false;
  bool pty = false;
  std::string ptyLink;
  bool baudEmulation = false;

  // The simulated sensor.
  std::uint64_t seed = 1;
  std::string firmware = defaultFirmware();
  std::uint16_t serialNumber = 4711;
  std::uint32_t triggerPeriodMs = 100;
  std::size_t hwinfoBytes = 512;
  bool verbose = false;

  // Faults, counted over the replies to requests (0 = off).
  std::uint32_t delayMs = 0;
  std::uint32_t dropEvery = 0;
  std::uint32_t corruptHeaderEvery = 0;
  std::uint32_t corruptDataEvery = 0;
  std::optional<std::uint16_t> errorReplyWord;
  std::optional<std::uint8_t> errorOn;
  bool splitDelivery = false;
  std::uint32_t payloadDelayMs = 0;
  std::uint32_t disconnectAfter = 0;
  std::optional<std::uint16_t> plausibilityWord;
  bool oversizeLength = false;
  // Answer the calibration read (order 102) with only the first N of its 12 bytes.
  std::optional<std::uint8_t> calibrationReplyBytes;
  std::uint32_t stallScopeEvery = 0; // counted over completed scope scans
};

struct ParsedOptions {
  SimOptions options;
  bool showHelp = false;
  std::string error; // empty when the command line was understood
};

// Parses the arguments after the program name. Accepts "--name value" and "--name=value";
// numbers in decimal or with a 0x prefix.
[[nodiscard]] ParsedOptions parseSimOptions(std::span<const std::string_view> args);

// The --help text: a short user's manual.
[[nodiscard]] std::string_view simHelpText();

} // namespace quorvane::sim
