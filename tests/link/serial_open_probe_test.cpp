// What the system tells about a device that would not open.
#include "link/serial_open_probe.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace quorvane;

TEST(SerialOpenProbe, MissingDeviceIsGone) {
  const SerialOpenProbe probe = probeSerialOpenFailure(QStringLiteral("/dev/ttyUSB-unplugged"));
  EXPECT_EQ(probe.cause, SerialOpenCause::Gone);
  EXPECT_EQ(probe.device, "/dev/ttyUSB-unplugged");
  for (const std::string &present : probe.presentDevices)
    EXPECT_TRUE(present.starts_with("/dev/tty")) << present;
}

TEST(SerialOpenProbe, FindsTheProcessHoldingTheDevice) {
  QTemporaryDir dir;
  const QString device = dir.filePath(QStringLiteral("ttyFake0"));
  QFile file(device);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  // Nobody holds it yet: the cause is open, no holder named.
  EXPECT_TRUE(probeSerialOpenFailure(device).holders.empty());

  QProcess holder;
  holder.setStandardInputFile(device);
  holder.start(QStringLiteral("sleep"), {QStringLiteral("30")});
  ASSERT_TRUE(holder.waitForStarted());
  const SerialOpenProbe probe = probeSerialOpenFailure(device);
  const qint64 pid = holder.processId();
  holder.kill();
  holder.waitForFinished();
  EXPECT_EQ(probe.cause, SerialOpenCause::Busy);
  ASSERT_EQ(probe.holders.size(), 1u);
  EXPECT_EQ(probe.holders[0].pid, pid);
  EXPECT_EQ(probe.holders[0].name, "sleep");
}

TEST(SerialOpenProbe, UnwritableDeviceNamesItsGroupAndUser) {
  if (geteuid() == 0) GTEST_SKIP() << "root may open any device";
  QTemporaryDir dir;
  const QString device = dir.filePath(QStringLiteral("ttyFake1"));
  QFile file(device);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  ASSERT_TRUE(file.setPermissions(QFile::ReadOwner));
  const SerialOpenProbe probe = probeSerialOpenFailure(device);
  EXPECT_EQ(probe.cause, SerialOpenCause::PermissionDenied);
  EXPECT_FALSE(probe.group.empty());
  EXPECT_FALSE(probe.user.empty());
  // The file belongs to this user's own group, which this session has.
  EXPECT_TRUE(probe.groupInSession);
}
