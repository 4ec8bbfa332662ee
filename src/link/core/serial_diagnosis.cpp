#include "link/core/serial_diagnosis.h"

#include <array>

namespace quorvane {
namespace {

// Programs known to grab serial adapters, and how to make them let go for good.
struct KnownHolder {
  std::string_view name;
  std::string_view fix;
};
constexpr std::array kKnownHolders = {
    KnownHolder{"ModemManager",
                "stop ModemManager with: sudo systemctl disable --now ModemManager"},
    KnownHolder{"brltty", "remove brltty with: sudo apt remove brltty"},
    KnownHolder{"gpsd", "stop gpsd with: sudo systemctl disable --now gpsd gpsd.socket"},
};

std::string joined(const std::vector<std::string> &items) {
  std::string out;
  for (const std::string &item : items) {
    if (!out.empty()) out += ", ";
    out += item;
  }
  return out;
}

std::string permissionLine(const SerialOpenProbe &p) {
  const std::string user = p.user.empty() ? std::string("$USER") : p.user;
  // Joining a group that may not use the device (or the root group) would not help.
  if (!p.groupMayReadWrite || p.group == "root")
    return "Cause: no permission to open " + p.device + " (group " +
           (p.group.empty() ? std::string("unknown") : p.group) +
           " may not read and write it). Fix: a udev rule with GROUP=\"dialout\", "
           "MODE=\"0660\" gives group dialout access; then sudo usermod -aG dialout " +
           user + " and log out and in again.";
  const std::string group = p.group.empty() ? std::string("dialout") : p.group;
  const std::string line = "Cause: no permission to open " + p.device + " (group " + group + "). ";
  if (p.groupInSession)
    return line + "Fix: " + user + " is in that group already; check the device's access " +
           "list (getfacl " + p.device + ") or ask the administrator.";
  if (p.groupAfterLogin)
    return line + "Fix: " + user + " is already in group " + group +
           "; log out and in again so that it takes effect.";
  return line + "Fix: sudo usermod -aG " + group + " " + user + ", then log out and in again.";
}

std::string busyLine(const SerialOpenProbe &p) {
  if (p.holders.empty())
    return "Cause: " + p.device +
           " is in use or locked by another program (none found among the processes this "
           "user may see). Fix: close the other program, or look for it with: sudo fuser -v " +
           p.device;
  std::vector<std::string> names;
  std::string fix;
  for (const PortHolder &h : p.holders) {
    names.push_back(h.name + " (pid " + std::to_string(h.pid) + ")");
    for (const KnownHolder &known : kKnownHolders)
      if (fix.empty() && h.name == known.name) fix = known.fix;
  }
  if (fix.empty()) fix = "close that program";
  return "Cause: " + p.device + " is in use by " + joined(names) + ". Fix: " + fix + ".";
}

std::string goneLine(const SerialOpenProbe &p) {
  const std::string present =
      p.presentDevices.empty() ? std::string("none") : joined(p.presentDevices);
  return "Cause: " + p.device +
         " does not exist (adapter unplugged or wrong name). Present: " + present + ".";
}

} // namespace

bool fdTargetIsDevice(std::string_view target, std::string_view device) {
  if (device.empty() || !target.starts_with(device)) return false;
  const std::string_view rest = target.substr(device.size());
  return rest.empty() || rest == " (deleted)";
}

std::string serialOpenDiagnosis(const SerialOpenProbe &probe) {
  switch (probe.cause) {
  case SerialOpenCause::PermissionDenied:
    return permissionLine(probe) + "\n";
  case SerialOpenCause::Gone:
    return goneLine(probe) + "\n";
  case SerialOpenCause::Busy:
    break;
  }
  return busyLine(probe) + "\n";
}

} // namespace quorvane
