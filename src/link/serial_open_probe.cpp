#include "link/serial_open_probe.h"

#include "link/core/serial_device_names.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <fstream>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {
namespace fs = std::filesystem;
namespace {

std::vector<std::string> presentSerialDevices() {
  std::vector<std::string> devices;
  for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
    const std::string path = info.systemLocation().toStdString();
    if (isListedSerialDevice(path)) devices.push_back(path);
  }
  std::sort(devices.begin(), devices.end());
  return devices;
}

bool hasGroupNow(gid_t gid) {
  if (getegid() == gid) return true;
  const int count = getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  const int n = getgroups(count, groups.data());
  return n > 0 && std::find(groups.begin(), groups.begin() + n, gid) != groups.begin() + n;
}

bool hasGroupAfterLogin(const passwd &user, gid_t gid) {
  int count = 64;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  if (getgrouplist(user.pw_name, user.pw_gid, groups.data(), &count) < 0) {
    groups.resize(static_cast<std::size_t>(count)); // count now holds the size needed
    if (getgrouplist(user.pw_name, user.pw_gid, groups.data(), &count) < 0) return false;
  }
  return std::find(groups.begin(), groups.begin() + count, gid) != groups.begin() + count;
}

void describePermission(SerialOpenProbe &probe, const struct stat &st) {
  if (const group *g = getgrgid(st.st_gid)) probe.group = g->gr_name;
  probe.groupInSession = hasGroupNow(st.st_gid);
  probe.groupMayReadWrite = (st.st_mode & S_IRGRP) != 0 && (st.st_mode & S_IWGRP) != 0;
  if (const passwd *user = getpwuid(geteuid())) {
    probe.user = user->pw_name;
    probe.groupAfterLogin = hasGroupAfterLogin(*user, st.st_gid);
  }
}

std::string processName(const fs::path &processDir) {
  std::ifstream comm(processDir / "comm");
  std::string name;
  std::getline(comm, name);
  return name;
}

bool holdsDevice(const fs::path &processDir, const std::string &device) {
  std::error_code ec;
  for (fs::directory_iterator fd(processDir / "fd", ec), end; !ec && fd != end; fd.increment(ec)) {
    std::error_code linkError;
    const fs::path target = fs::read_symlink(fd->path(), linkError);
    if (!linkError && fdTargetIsDevice(target.string(), device)) return true;
  }
  return false;
}

// Processes of other users stay hidden unless this one may read their fd folders.
std::vector<PortHolder> holdersOf(const std::string &device) {
  std::vector<PortHolder> holders;
  const int self = static_cast<int>(getpid());
  std::error_code ec;
  for (fs::directory_iterator entry("/proc", ec), end; !ec && entry != end; entry.increment(ec)) {
    const std::string name = entry->path().filename().string();
    int pid = 0;
    const auto [last, parseError] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (parseError != std::errc() || last != name.data() + name.size() || pid == self) continue;
    if (holdsDevice(entry->path(), device)) holders.push_back({pid, processName(entry->path())});
  }
  std::sort(holders.begin(), holders.end(),
            [](const PortHolder &a, const PortHolder &b) { return a.pid < b.pid; });
  return holders;
}

} // namespace

SerialOpenProbe probeSerialOpenFailure(const QString &device) {
  SerialOpenProbe probe;
  probe.device = device.toStdString();
  struct stat st {};
  if (stat(probe.device.c_str(), &st) != 0) {
    probe.cause = SerialOpenCause::Gone;
    probe.presentDevices = presentSerialDevices();
    return probe;
  }
  if (access(probe.device.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
    probe.cause = SerialOpenCause::PermissionDenied;
    describePermission(probe, st);
    return probe;
  }
  probe.cause = SerialOpenCause::Busy;
  // A name under /dev/serial/by-id is a link; the processes hold the device it points to.
  std::error_code ec;
  const fs::path real = fs::canonical(probe.device, ec);
  probe.holders = holdersOf(ec ? probe.device : real.string());
  return probe;
}

} // namespace quorvane
