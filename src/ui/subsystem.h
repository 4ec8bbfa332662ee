#pragma once
// What every subsystem shares with the application: its part of "PanelSettings.cfg", the
// operator's page selection and its start-up step. The application keeps the registered
// subsystems in a list and calls each in registration order, which is the file's order.
// A subsystem's action controls join the busy lock through Shell::addBusyControl.
#include "ui/shell.h"

namespace quorvane {

class IniText;
struct PanelSettings;

class Subsystem {
public:
  virtual ~Subsystem() = default;

  // Start-up, before the panel settings are read (context menus, fixed fields).
  virtual void initAtStartup() = 0;
  // The settings read at start-up: the shared sections are in `settings`, the
  // subsystem's own sections in `doc` (empty when the file was missing or foreign).
  virtual void loadSettings(const PanelSettings &settings, const IniText &doc) = 0;
  // Before the file is written: the shared values it owns (file paths) into `settings`.
  virtual void storeSettings(PanelSettings &settings) const = 0;
  // Its own sections, appended after the shared ones.
  virtual void appendSections(IniText &doc) const = 0;
  // The operator selected `page` (a tab click; a switch made by the program is not one).
  virtual void pageSelected(MainPage page) = 0;
};

} // namespace quorvane
