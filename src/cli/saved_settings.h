#pragma once
// What the line program takes from the window's "PanelSettings.cfg": the saved connection
// (used when the command line names no sensor) and the sensor identification text that
// heads record files.
#include "cli/cli_options.h"

#include <string>

namespace quorvane::cli {

struct SavedSettings {
  Target target;
  std::string panelId;
};

// From the settings folder the window uses; the window's defaults when there is no file.
[[nodiscard]] SavedSettings readSavedSettings();

// The name a sensor is reported under: "host:port" or the serial device.
[[nodiscard]] QString targetName(const CommunicationSettings &settings);

} // namespace quorvane::cli
