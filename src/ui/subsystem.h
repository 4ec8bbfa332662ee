#pragma once
// What every subsystem declares to the application: its pages and child panels, its part
// of "PanelSettings.cfg" (remembered paths, own sections), the operator's page selection and
// its start-up step. The application builds the subsystems from one registration list and
// calls each in registration order, which is the file's order.
// A subsystem's action controls join the busy lock through Shell::addBusyControl.
#include "ui/core/remembered_path.h"
#include "ui/shell.h"

#include <QString>

#include <functional>
#include <vector>

namespace quorvane {

class IniText;

// A path the subsystem remembers in the panel settings file, and where it keeps it.
struct RememberedFile {
  RememberedPath path;
  std::function<QString()> get;
  std::function<void(const QString &)> set;
};

class Subsystem {
public:
  virtual ~Subsystem() = default;

  // Its pages and child panels; the main window places them when it registers.
  virtual std::vector<PageDeclaration> pages() { return {}; }
  virtual std::vector<ChildPanelDeclaration> childPanels() { return {}; }

  // Start-up, before the panel settings are read (context menus, fixed fields).
  virtual void initAtStartup() {}
  // Its remembered paths, in the order of their keys in the file; the application sets
  // them at start-up and reads them before the file is written.
  virtual std::vector<RememberedFile> rememberedFiles() { return {}; }
  // Its own sections as read at start-up (empty when the file was missing or foreign).
  virtual void loadSettings(const IniText &) {}
  // Its own sections, appended after the shared ones.
  virtual void appendSections(IniText &) const {}
  // The operator selected `page` (a tab click; a switch made by the program is not one).
  virtual void pageSelected(MainPage) {}
};

} // namespace quorvane
