#pragma once
// The hardware initial file: tool version, firmware text, a hexadecimal dump of the
// sensor's hardware information block, calibration factors and offsets, and the current
// parameter set with its teach table, as one INI document.
#include "ini/ini_text.h"
#include "params/core/sensor_parameters.h"
#include "params/core/teach_table.h"
#include "service/core/service_orders.h"
#include "ui/core/remembered_path.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorvane {

inline constexpr std::string_view kHardwareInfoFileType = "Hardware Initial File";
inline constexpr RememberedPath kHardwareInfoFilePath{"HARDWARE INI FILE",
                                                      "HardwareInitialFile.ini"};
// This file names the full tool version, unlike the other settings files.
inline constexpr std::string_view kHardwareInfoScopeVersion = "QUORVANE ANA Scope V1.3.1";
inline constexpr std::string_view kFirmwareVersionKey = "FIRMWARE VERSION:";
inline constexpr std::string_view kHardwareInfoSection = "HARDWARE INFO";
inline constexpr std::string_view kHardwareInfoDataKey = "DATA";
inline constexpr std::string_view kCalibrationFactorSection = "CALIBRATION FACTOR";
inline constexpr std::string_view kOffsetSection = "OFFSET";

// The dump area: 512 bytes, written as 256 little-endian words.
inline constexpr std::size_t kHardwareInfoAreaBytes = 512;
inline constexpr std::size_t kHardwareInfoWords = kHardwareInfoAreaBytes / 2;

struct HardwareInfoDump {
  // 256 words, each four upper-case hexadecimal digits, no separator: 1024 characters.
  std::string text;
  // The block was longer than the area; only its first 512 bytes are in the text.
  bool truncated = false;

  bool operator==(const HardwareInfoDump &) const = default;
};

// The block as received (its announced length). Bytes beyond a shorter block read as
// zero, so the dump never shows data from another exchange.
[[nodiscard]] HardwareInfoDump dumpHardwareInfo(std::span<const std::uint8_t> block);

struct HardwareInfoInput {
  std::string_view firmware;           // firmware text of the last handshake
  std::span<const std::uint8_t> block; // reply payload of the hardware info order
  CalibrationData calibration;         // factors and offsets as read (0 where none came)
  SensorParameters parameters;         // read from the parameter controls
  TeachTable teachTable{};
};

struct HardwareInfoDocument {
  IniText doc;
  bool blockTruncated = false; // see HardwareInfoDump::truncated
};

// The whole document in file order: "GENERAL INFO", "HARDWARE INFO", "CALIBRATION
// FACTOR", "OFFSET", then the parameter file's "PARAMETER" and teach sections.
[[nodiscard]] HardwareInfoDocument hardwareInfoDocument(const HardwareInfoInput &in);

// Connection-log lines after the file was written, and when the block was cut.
[[nodiscard]] std::string hardwareInfoSavedLog(std::string_view path);
[[nodiscard]] std::string hardwareInfoTruncatedLog(std::size_t receivedBytes);
// When the calibration reply was short: which values the file holds as 0.
[[nodiscard]] std::string hardwareInfoCalibrationMissingLog(const PartialCalibrationData &read);

} // namespace quorvane
