// The log line after a refused serial open, and the names of detected ports.
#include "link/core/serial_device_names.h"
#include "link/core/serial_diagnosis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorvane;

namespace {

SerialOpenProbe permission(bool inSession, bool afterLogin, std::string group = "dialout",
                           bool groupMayReadWrite = true) {
  SerialOpenProbe p;
  p.cause = SerialOpenCause::PermissionDenied;
  p.device = "/dev/ttyUSB0";
  p.group = std::move(group);
  p.user = "line3";
  p.groupInSession = inSession;
  p.groupAfterLogin = afterLogin;
  p.groupMayReadWrite = groupMayReadWrite;
  return p;
}

SerialOpenProbe busy(std::vector<PortHolder> holders) {
  SerialOpenProbe p;
  p.cause = SerialOpenCause::Busy;
  p.device = "/dev/ttyACM0";
  p.holders = std::move(holders);
  return p;
}

SerialOpenProbe gone(std::vector<std::string> present) {
  SerialOpenProbe p;
  p.cause = SerialOpenCause::Gone;
  p.device = "/dev/ttyUSB1";
  p.presentDevices = std::move(present);
  return p;
}

} // namespace

TEST(SerialDiagnosis, OneLineWithCauseAndFix) {
  const std::vector<std::pair<SerialOpenProbe, std::string>> cases = {
      {permission(false, false),
       "Cause: no permission to open /dev/ttyUSB0 (group dialout). Fix: sudo usermod -aG "
       "dialout line3, then log out and in again.\n"},
      {permission(false, false, "uucp"),
       "Cause: no permission to open /dev/ttyUSB0 (group uucp). Fix: sudo usermod -aG uucp "
       "line3, then log out and in again.\n"},
      // Added to the group, but this session predates it.
      {permission(false, true),
       "Cause: no permission to open /dev/ttyUSB0 (group dialout). Fix: line3 is already in "
       "group dialout; log out and in again so that it takes effect.\n"},
      // In the group already: something else (an access list) refuses.
      {permission(true, true),
       "Cause: no permission to open /dev/ttyUSB0 (group dialout). Fix: line3 is in that group "
       "already; check the device's access list (getfacl /dev/ttyUSB0) or ask the "
       "administrator.\n"},
      // Joining the group would not help: it may not use the device, or it is root's.
      {permission(false, false, "dialout", false),
       "Cause: no permission to open /dev/ttyUSB0 (group dialout may not read and write it). "
       "Fix: a udev rule with GROUP=\"dialout\", MODE=\"0660\" gives group dialout access; "
       "then sudo usermod -aG dialout line3 and log out and in again.\n"},
      {permission(false, false, "root"),
       "Cause: no permission to open /dev/ttyUSB0 (group root may not read and write it). "
       "Fix: a udev rule with GROUP=\"dialout\", MODE=\"0660\" gives group dialout access; "
       "then sudo usermod -aG dialout line3 and log out and in again.\n"},
      // Group or user unknown to the system: the usual names stand in.
      {permission(false, false, ""),
       "Cause: no permission to open /dev/ttyUSB0 (group dialout). Fix: sudo usermod -aG "
       "dialout line3, then log out and in again.\n"},
      {busy({{812, "ModemManager"}}),
       "Cause: /dev/ttyACM0 is in use by ModemManager (pid 812). Fix: stop ModemManager with: "
       "sudo systemctl disable --now ModemManager.\n"},
      {busy({{40, "minicom"}, {433, "brltty"}}),
       "Cause: /dev/ttyACM0 is in use by minicom (pid 40), brltty (pid 433). Fix: remove "
       "brltty with: sudo apt remove brltty.\n"},
      {busy({{7001, "picocom"}}),
       "Cause: /dev/ttyACM0 is in use by picocom (pid 7001). Fix: close that program.\n"},
      {busy({}), "Cause: /dev/ttyACM0 is in use or locked by another program (none found among the "
                 "processes this user may see). Fix: close the other program, or look for it with: "
                 "sudo fuser -v /dev/ttyACM0\n"},
      {gone({"/dev/ttyS0", "/dev/ttyUSB0"}),
       "Cause: /dev/ttyUSB1 does not exist (adapter unplugged or wrong name). Present: "
       "/dev/ttyS0, /dev/ttyUSB0.\n"},
      {gone({}),
       "Cause: /dev/ttyUSB1 does not exist (adapter unplugged or wrong name). Present: none.\n"},
  };
  for (const auto &[probe, line] : cases)
    EXPECT_EQ(serialOpenDiagnosis(probe), line);
}

TEST(SerialDiagnosis, FdTargetMatchesTheDeviceOnly) {
  const std::vector<std::tuple<std::string, std::string, bool>> cases = {
      {"/dev/ttyUSB0", "/dev/ttyUSB0", true},   {"/dev/ttyUSB0 (deleted)", "/dev/ttyUSB0", true},
      {"/dev/ttyUSB01", "/dev/ttyUSB0", false}, {"/dev/ttyUSB1", "/dev/ttyUSB0", false},
      {"socket:[1234]", "/dev/ttyUSB0", false}, {"/dev/ttyUSB0", "", false},
  };
  for (const auto &[target, device, expected] : cases)
    EXPECT_EQ(fdTargetIsDevice(target, device), expected) << target << " vs " << device;
}

TEST(SerialDiagnosis, PortDescriptionSaysEachPartOnce) {
  const std::vector<std::tuple<std::string, std::string, std::string, std::string>> cases = {
      {"FT232R USB UART", "FTDI", "A50285BI", "FT232R USB UART (FTDI), serial A50285BI"},
      {"FTDI FT232R", "FTDI", "", "FTDI FT232R"},
      {"", "Prolific", "", "Prolific"},
      {"", "", "0042", "serial 0042"},
      {"USB2.0-Serial", "", "", "USB2.0-Serial"},
      {"", "", "", ""},
  };
  for (const auto &[description, maker, serial, expected] : cases)
    EXPECT_EQ(serialPortDescription(description, maker, serial), expected) << expected;
}
