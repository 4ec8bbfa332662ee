#include "app/core/panel_settings.h"

#include "ini/utf8_cut.h"

#include "ini/settings_header.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace quorvane {
namespace {

constexpr std::string_view kPanelIdKey = "PANEL ID:";

constexpr std::string_view kPositionSection = "PANEL POSITION";
constexpr std::string_view kFullscreenKey = "MAINPANEL FULLSCREEN";
constexpr std::string_view kLeftKey = "MAINPANEL LEFT";
constexpr std::string_view kTopKey = "MAINPANEL TOP";
constexpr std::string_view kWidthKey = "MAINPANEL WIDTH";
constexpr std::string_view kHeightKey = "MAINPANEL HEIGHT";

constexpr std::string_view kIpSection = "IP ADDRESSES";
constexpr std::string_view kListItemsKey = "LIST ITEMS";
constexpr std::string_view kIpKeyPrefix = "IP ADDR";

constexpr std::string_view kCommSection = "COMMUNICATION SETTINGS";
constexpr std::string_view kProtocolKey = "COMPROTOCOL";
constexpr std::string_view kComPortKey = "COMPORT";
constexpr std::string_view kComDeviceKey = "COMPORT DEVICE";
constexpr std::string_view kBaudKey = "BAUDRATE";
constexpr std::string_view kIpAddressKey = "IP ADRESS";
constexpr std::string_view kPortNumberKey = "PORT NUMBER";

// A text as read into a buffer of `size` bytes; nullopt when missing.
std::optional<std::string> readText(const IniText &doc, std::string_view section,
                                    std::string_view key, std::size_t size) {
  const std::optional<std::string> text = doc.getString(section, key);
  if (!text) return std::nullopt;
  // As the field's buffer would hold it: up to its terminator, cut between characters.
  const std::string_view value(text->c_str());
  return std::string(utf8Prefix(value, size - 1));
}

void readInt(const IniText &doc, std::string_view section, std::string_view key, int &out) {
  int value = 0;
  if (doc.getInt(section, key, value) == 1) out = value;
}

void readWord(const IniText &doc, std::string_view section, std::string_view key,
              std::uint16_t &out) {
  int value = 0;
  if (doc.getInt(section, key, value) == 1) out = static_cast<std::uint16_t>(value);
}

// The longest prefix that fits a buffer of `size` bytes with its terminator.
std::string_view fitted(std::string_view text, std::size_t size) {
  return utf8Prefix(text, size - 1);
}

std::string ipKey(std::size_t index) {
  return std::string(kIpKeyPrefix) + std::to_string(index);
}

} // namespace

bool panelSettingsFileAccepted(const IniText &doc) {
  return readFileType(doc) == kPanelSettingsFileType;
}

void readPanelGeometry(const IniText &doc, PanelGeometry &geometry) {
  int zoom = 0;
  if (doc.getInt(kPositionSection, kFullscreenKey, zoom) != 1) return; // layout's geometry
  geometry.fullscreenPresent = true;
  geometry.fullscreen = zoom;
  if (zoom == 2) return; // maximised: the size keys are not used
  const PanelGeometry defaults;
  geometry.left = defaults.left;
  geometry.top = defaults.top;
  geometry.width = defaults.width;
  geometry.height = defaults.height;
  readInt(doc, kPositionSection, kLeftKey, geometry.left);
  readInt(doc, kPositionSection, kTopKey, geometry.top);
  readInt(doc, kPositionSection, kWidthKey, geometry.width);
  readInt(doc, kPositionSection, kHeightKey, geometry.height);
}

std::vector<std::string> readIpAddresses(const IniText &doc) {
  std::vector<std::string> list;
  int count = 0;
  if (doc.getInt(kIpSection, kListItemsKey, count) != 1 || count <= 0) return list;
  const auto n = std::min(static_cast<std::size_t>(count), kMaxIpAddresses);
  for (std::size_t i = 0; i < n; ++i) {
    auto entry = readText(doc, kIpSection, ipKey(i), kIpAddressSize);
    if (entry && !entry->empty()) { // an empty address is never added, so never listed
      list.push_back(std::move(*entry));
    }
  }
  return list;
}

bool readPanelSettings(const IniText &doc, PanelSettings &settings) {
  if (!panelSettingsFileAccepted(doc)) return false;
  settings.panelId = readText(doc, kGeneralInfoSection, kPanelIdKey, kPanelIdSize).value_or("");
  readPanelGeometry(doc, settings.geometry);
  settings.ipAddresses = readIpAddresses(doc);
  return true;
}

void readCommunicationSettings(const IniText &doc, CommunicationSettings &communication) {
  communication = CommunicationSettings{};
  if (!panelSettingsFileAccepted(doc)) return;
  std::uint16_t protocol = 0;
  readWord(doc, kCommSection, kProtocolKey, protocol);
  // The page offers two protocols; any other number is the first.
  communication.protocol = protocol == 1 ? Protocol::Tcp : Protocol::Rs232;
  readWord(doc, kCommSection, kComPortKey, communication.comPort);
  communication.comDevice = readText(doc, kCommSection, kComDeviceKey, kPathSize).value_or("");
  readWord(doc, kCommSection, kBaudKey, communication.baudCode);
  communication.ipAddress = readText(doc, kCommSection, kIpAddressKey, kIpAddressSize).value_or("");
  if (auto port = readText(doc, kCommSection, kPortNumberKey, kPortNumberSize)) {
    communication.portNumber = std::move(*port);
  }
}

IniText writePanelSettings(const PanelSettings &s) {
  // Puts only fail when memory runs out; the file is then shorter and reads as defaults.
  IniText doc;
  (void)putSettingsHeader(doc, kPanelSettingsFileType);
  (void)doc.putString(kGeneralInfoSection, kPanelIdKey, fitted(s.panelId, kPanelIdSize));

  (void)doc.putInt(kPositionSection, kFullscreenKey, s.geometry.fullscreen);
  (void)doc.putInt(kPositionSection, kLeftKey, s.geometry.left);
  (void)doc.putInt(kPositionSection, kTopKey, s.geometry.top);
  (void)doc.putInt(kPositionSection, kWidthKey, s.geometry.width);
  (void)doc.putInt(kPositionSection, kHeightKey, s.geometry.height);

  for (const StoredPath &path : s.paths)
    (void)putRememberedPath(doc, path.key, path.value);

  // Only the entries a reader will take back.
  const std::size_t count = std::min(s.ipAddresses.size(), kMaxIpAddresses);
  (void)doc.putInt(kIpSection, kListItemsKey, static_cast<int>(count));
  for (std::size_t i = 0; i < count; ++i) {
    (void)doc.putString(kIpSection, ipKey(i), fitted(s.ipAddresses[i], kIpAddressSize));
  }

  const CommunicationSettings &c = s.communication;
  (void)doc.putInt(kCommSection, kProtocolKey, static_cast<int>(c.protocol));
  (void)doc.putInt(kCommSection, kComPortKey, c.comPort);
  (void)doc.putInt(kCommSection, kBaudKey, c.baudCode);
  (void)doc.putString(kCommSection, kIpAddressKey, fitted(c.ipAddress, kIpAddressSize));
  (void)doc.putString(kCommSection, kPortNumberKey, fitted(c.portNumber, kPortNumberSize));
  // The device path is this tool's own addition (a port number alone cannot name a USB
  // adapter); it follows the five classic keys so those keep their order and neighbours.
  (void)doc.putString(kCommSection, kComDeviceKey, fitted(c.comDevice, kPathSize));
  return doc;
}

void pushIpAddress(std::vector<std::string> &list, std::string_view address) {
  if (address.empty()) return;
  std::erase(list, address);
  list.insert(list.begin(), std::string(address));
  if (list.size() > kMaxIpAddresses) list.resize(kMaxIpAddresses);
}

} // namespace quorvane
