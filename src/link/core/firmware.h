#pragma once
// Identification of the connected sensor: its firmware text is split like the C tokenizer
// would ("." then "." then " " then the rest) and the version part is compared exactly.
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

// The firmware a sensor must report for this version of the tool.
inline constexpr std::string_view kExpectedFirmware = "QUORVANE ANA V1.3";
// Bytes of the identification reply that form the firmware text.
inline constexpr std::size_t kFirmwareTextBytes = 72;

struct FirmwareParts {
  std::string name;    // up to the first "."
  std::string major;   // up to the next "."
  std::string build;   // up to the next blank; not shown
  std::string comment; // the rest
};

// Runs of delimiters count as one and leading delimiters are skipped; a part the text
// does not reach stays empty.
[[nodiscard]] FirmwareParts splitFirmware(std::string_view text);

// name "." major: what is compared with kExpectedFirmware.
[[nodiscard]] std::string firmwareVersion(const FirmwareParts &parts);
[[nodiscard]] bool firmwareMatches(const FirmwareParts &parts);
// name "." major followed directly by the rest, build number left out.
[[nodiscard]] std::string firmwareDisplayText(const FirmwareParts &parts);

// The firmware text of an identification payload: at most 72 bytes, ending at the first NUL.
[[nodiscard]] std::string firmwareTextFromPayload(const std::uint8_t *payload, std::size_t size);

} // namespace quorvane
