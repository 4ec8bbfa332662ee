#pragma once
// "PanelSettings.cfg": window geometry, the paths of the other files, the recently used
// IP addresses and the communication settings, kept between runs.
#include "ini/ini_text.h"
#include "link/core/communication_settings.h"
#include "ui/core/remembered_path.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

inline constexpr std::string_view kPanelSettingsFileName = "PanelSettings.cfg";
inline constexpr std::string_view kPanelSettingsFileType = "Panel Settings";
inline constexpr std::size_t kMaxIpAddresses = 10;

// Buffer sizes of the text fields, terminator included.
inline constexpr std::size_t kPanelIdSize = 100;
inline constexpr std::size_t kIpAddressSize = 256;
inline constexpr std::size_t kPortNumberSize = 32;

struct PanelGeometry {
  bool fullscreenPresent = false; // the file held a zoom state: geometry is restored
  int fullscreen = 0;             // zoom state; 2 = maximised
  int left = 10;
  int top = 40;
  int width = 790;
  int height = 548;

  [[nodiscard]] bool maximised() const { return fullscreenPresent && fullscreen == 2; }
};

// A remembered file path as it is written: the subsystems' keys in their order.
struct StoredPath {
  std::string key;
  std::string value;
  bool operator==(const StoredPath &) const = default;
};

struct PanelSettings {
  std::string panelId;
  PanelGeometry geometry;
  std::vector<StoredPath> paths;        // written into "DIRECTORIES"; each subsystem reads its own
  std::vector<std::string> ipAddresses; // newest first
  CommunicationSettings communication;
};

// True when "FILE TYPE:" is exactly "Panel Settings"; any other file is ignored whole.
[[nodiscard]] bool panelSettingsFileAccepted(const IniText &doc);

// Reads panel id, geometry and IP list into `settings` when the file is accepted (returns
// false and changes nothing otherwise). Communication and the paths are read separately.
bool readPanelSettings(const IniText &doc, PanelSettings &settings);
// The parts, for an accepted document.
void readPanelGeometry(const IniText &doc, PanelGeometry &geometry);
[[nodiscard]] std::vector<std::string> readIpAddresses(const IniText &doc);

// Sets the communication defaults, then reads the section when the file is accepted.
void readCommunicationSettings(const IniText &doc, CommunicationSettings &communication);

// The whole document, sections and keys in their fixed order, texts cut to their sizes.
[[nodiscard]] IniText writePanelSettings(const PanelSettings &settings);

// Most-recently-used list: an equal entry moves to the top, at most ten are kept. An
// empty address is not added.
void pushIpAddress(std::vector<std::string> &list, std::string_view address);

} // namespace quorvane
