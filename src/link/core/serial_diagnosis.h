#pragma once
// Why a serial device could not be opened, and what a Linux user does about it: one line
// for the connection log beside the operator's open-error message.
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

enum class SerialOpenCause {
  Gone,             // no such device (adapter unplugged, mistyped name)
  PermissionDenied, // the user may not read and write the device
  Busy,             // another program holds or has locked the device
};

// A process that has the device open.
struct PortHolder {
  int pid = 0;
  std::string name; // the process's command name
};

// What the system told about the device after the failed open.
struct SerialOpenProbe {
  SerialOpenCause cause = SerialOpenCause::Busy;
  std::string device;
  // Permission denied: the device's group, the user, whether the user has that group in
  // this session and whether the group database lists the user in it (a membership that
  // takes effect at the next login).
  std::string group;
  std::string user;
  bool groupInSession = false;
  bool groupAfterLogin = false;
  // Whether the device's mode lets its group read and write it (crw-rw----).
  bool groupMayReadWrite = true;
  // Busy: the processes found holding the device.
  std::vector<PortHolder> holders;
  // Gone: the serial devices present now.
  std::vector<std::string> presentDevices;
};

// Whether the link target of a /proc/<pid>/fd entry is `device` (tty devices may show
// with a " (deleted)" suffix after the device node was removed).
[[nodiscard]] bool fdTargetIsDevice(std::string_view target, std::string_view device);

// The one log line (ending in a newline) with the cause and the fix.
[[nodiscard]] std::string serialOpenDiagnosis(const SerialOpenProbe &probe);

} // namespace quorvane
