#pragma once
// The subsystems of the tool and how each is built, in the order of their sections in the
// panel settings file. A subsystem joins the tool with one line in registeredSubsystems();
// its pages, child panels, remembered paths and sections come from its own declarations.
#include "ui/subsystem.h"

#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

namespace quorvane {

class Application;
class Dialogs;
class FramePublisher;
class MainWindow;
class SensorLink;

// What a subsystem is built from: the shared objects and the subsystems built before it.
struct SubsystemContext {
  Application &application;
  SensorLink &link;
  MainWindow &window;
  Dialogs &dialogs;
  FramePublisher &frames;
  std::span<const std::unique_ptr<Subsystem>> built;

  // A subsystem registered before the one being built.
  template <class T> T &get() const {
    for (const auto &s : built)
      if (auto *t = dynamic_cast<T *>(s.get())) return *t;
    throw std::logic_error("a subsystem is registered before one it is built on");
  }
};

using SubsystemFactory = std::unique_ptr<Subsystem> (*)(const SubsystemContext &);

[[nodiscard]] std::vector<SubsystemFactory> registeredSubsystems();

} // namespace quorvane
