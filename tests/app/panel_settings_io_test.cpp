// PanelSettings.cfg between the file and the window: what is applied from a file, what
// is ignored, what is written, and the TCP start-up option.
#include "app/connection_page.h"
#include "app/main_window.h"
#include "app/panel_settings_io.h"
#include "app/program_directory.h"
#include "support/scripted_dialogs.h"
#include "ui/subsystem.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using testing::ScriptedDialogs;

class PanelSettingsIoTest : public ::testing::Test {
protected:
  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  MainWindow window{dialogs};
  ConnectionPage page{dialogs};
  PanelSettingsStore store{dir.path()};

  QString settingsFile() const { return dir.filePath("PanelSettings.cfg"); }
  void writeFile(const QByteArray &text) {
    QFile f(settingsFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  }
  QByteArray readFile() {
    QFile f(settingsFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  static QByteArray accepted(const QByteArray &rest) {
    return "[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings\"\r\n\r\n" + rest;
  }
};

TEST_F(PanelSettingsIoTest, WithoutAFileEverythingHasItsDefault) {
  const QRect before = window.geometry();
  store.loadPanelSettings(window, page, {});
  const CommunicationSettings s = store.readConnectionSettings(page);
  EXPECT_EQ(window.geometry(), before);
  EXPECT_EQ(s.protocol, Protocol::Rs232);
  EXPECT_EQ(s.comPort, 1);
  EXPECT_EQ(s.baudCode, 4);
  EXPECT_EQ(page.baudRateSelector()->currentText(), "115200");
  EXPECT_EQ(s.portNumber, "10001");
  EXPECT_TRUE(page.ipAddresses().isEmpty());
}

TEST_F(PanelSettingsIoTest, ZoomStateZeroAloneGivesTheDefaultPlace) {
  writeFile(accepted("[PANEL POSITION]\r\nMAINPANEL FULLSCREEN = 0\r\n\r\n"));
  store.loadPanelSettings(window, page, {});
  EXPECT_EQ(window.geometry(), QRect(10, 40, 790, 548));
  EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
}

TEST_F(PanelSettingsIoTest, ZoomStateTwoMaximisesWhateverTheSizeKeysSay) {
  writeFile(accepted("[PANEL POSITION]\r\nMAINPANEL FULLSCREEN = 2\r\nMAINPANEL LEFT = 5\r\n"
                     "MAINPANEL WIDTH = 300\r\n\r\n"));
  store.loadPanelSettings(window, page, {});
  EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
}

TEST_F(PanelSettingsIoTest, StoredGeometryIsApplied) {
  writeFile(accepted("[PANEL POSITION]\r\nMAINPANEL FULLSCREEN = 0\r\nMAINPANEL LEFT = 30\r\n"
                     "MAINPANEL TOP = 50\r\nMAINPANEL WIDTH = 900\r\nMAINPANEL HEIGHT = 560\r\n"
                     "\r\n"));
  store.loadPanelSettings(window, page, {});
  EXPECT_EQ(window.geometry(), QRect(30, 50, 900, 560));
}

TEST_F(PanelSettingsIoTest, AWindowBeyondEveryScreenComesBack) {
  writeFile(accepted("[PANEL POSITION]\r\nMAINPANEL FULLSCREEN = 0\r\nMAINPANEL LEFT = 40000\r\n"
                     "MAINPANEL TOP = 30000\r\n\r\n"));
  store.loadPanelSettings(window, page, {});
  EXPECT_EQ(window.geometry(), QRect(10, 40, 790, 548));
}

TEST_F(PanelSettingsIoTest, AForeignFileIsIgnoredWhole) {
  writeFile("[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings \"\r\nPANEL ID: = \"X\"\r\n\r\n"
            "[PANEL POSITION]\r\nMAINPANEL FULLSCREEN = 2\r\n\r\n"
            "[IP ADDRESSES]\r\nLIST ITEMS = 1\r\nIP ADDR0 = \"1.2.3.4\"\r\n\r\n"
            "[COMMUNICATION SETTINGS]\r\nCOMPROTOCOL = 1\r\nPORT NUMBER = \"77\"\r\n\r\n");
  store.loadPanelSettings(window, page, {});
  const CommunicationSettings s = store.readConnectionSettings(page);
  EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
  EXPECT_TRUE(page.ipAddresses().isEmpty());
  EXPECT_TRUE(page.panelId().isEmpty());
  EXPECT_EQ(s.protocol, Protocol::Rs232);
  EXPECT_EQ(s.portNumber, "10001");
}

TEST_F(PanelSettingsIoTest, GarbageReadsAsNoFile) {
  writeFile(QByteArray("\x00\xff\xfe[[[=\r\n=;;\n\x01", 14));
  store.loadPanelSettings(window, page, {});
  EXPECT_EQ(store.readConnectionSettings(page).comPort, 1);
}

TEST_F(PanelSettingsIoTest, AtMostTenAddressesAreRead) {
  QByteArray list = "[IP ADDRESSES]\r\nLIST ITEMS = 15\r\n";
  for (int i = 0; i < 15; ++i)
    list += QByteArray("IP ADDR") + QByteArray::number(i) + " = \"10.0.0." + QByteArray::number(i) +
            "\"\r\n";
  writeFile(accepted(list + "\r\n"));
  store.loadPanelSettings(window, page, {});
  const QStringList addresses = page.ipAddresses();
  ASSERT_EQ(addresses.size(), 10);
  EXPECT_EQ(addresses.front(), "10.0.0.0");
  EXPECT_EQ(addresses.back(), "10.0.0.9");
}

TEST_F(PanelSettingsIoTest, StoredValuesComeBack) {
  CommunicationSettings s;
  s.protocol = Protocol::Tcp;
  s.comPort = 2;
  s.comDevice = "/dev/ttyUSB1";
  s.baudCode = 6;
  s.ipAddress = "sensor-7";
  s.portNumber = "4001";
  page.setIpAddresses({"sensor-7", "10.0.0.1"});
  page.setPanelId("Line 7");
  window.setGeometry(20, 60, 1000, 700);
  ASSERT_EQ(store.storePanelSettings(window, page, s, {}), 0);

  ScriptedDialogs otherDialogs;
  MainWindow otherWindow{otherDialogs};
  ConnectionPage otherPage{otherDialogs};
  PanelSettingsStore other{dir.path()};
  other.loadPanelSettings(otherWindow, otherPage, {});
  const CommunicationSettings back = other.readConnectionSettings(otherPage);
  EXPECT_EQ(otherWindow.geometry(), QRect(20, 60, 1000, 700));
  EXPECT_EQ(otherPage.ipAddresses(), (QStringList{"sensor-7", "10.0.0.1"}));
  EXPECT_EQ(otherPage.panelId(), "Line 7");
  EXPECT_EQ(back.protocol, Protocol::Tcp);
  EXPECT_EQ(back.comPort, 2);
  EXPECT_EQ(back.comDevice, "/dev/ttyUSB1");
  EXPECT_EQ(back.baudCode, 6);
  EXPECT_EQ(back.ipAddress, "sensor-7");
  EXPECT_EQ(back.portNumber, "4001");
}

// A subsystem with one section of its own and two remembered paths.
struct SectionSubsystem : Subsystem {
  int stored = 255;
  int seen = -1;
  QString recorderFile = QStringLiteral("/data/rec.dat");
  QString otherFile = QStringLiteral("/data/other.ini");
  std::vector<RememberedFile> rememberedFiles() override {
    return {{{"RECORDER FILE", "RecordFile.dat", true},
             [this] { return recorderFile; },
             [this](const QString &p) { recorderFile = p; }},
            {{"OTHER FILE", "Other.ini"},
             [this] { return otherFile; },
             [this](const QString &p) { otherFile = p; }}};
  }
  void loadSettings(const IniText &doc) override { (void)doc.getInt("ROW COLORS", "ROW 0", seen); }
  void appendSections(IniText &doc) const override {
    (void)doc.putInt("ROW COLORS", "ROW 0", stored);
  }
};

TEST_F(PanelSettingsIoTest, WithoutAFileRememberedPathsArePresets) {
  SectionSubsystem sub;
  Subsystem *list[] = {&sub};
  store.loadPanelSettings(window, page, list);
  EXPECT_EQ(sub.recorderFile, dir.filePath("RecordFile.dat"));
  EXPECT_EQ(sub.otherFile, dir.filePath("Other.ini"));
}

TEST_F(PanelSettingsIoTest, SubsystemsShareTheFile) {
  SectionSubsystem sub;
  Subsystem *list[] = {&sub};
  ASSERT_EQ(store.storePanelSettings(window, page, CommunicationSettings{}, list), 0);
  EXPECT_TRUE(readFile().contains("[DIRECTORIES]\r\nRECORDER FILE = \"/data/rec.dat\"\r\n"
                                  "OTHER FILE = \"/data/other.ini\"\r\n\r\n"));
  sub.recorderFile.clear();
  sub.otherFile.clear();
  store.loadPanelSettings(window, page, list);
  EXPECT_EQ(sub.seen, 255);
  EXPECT_EQ(sub.recorderFile, "/data/rec.dat");
  EXPECT_EQ(sub.otherFile, "/data/other.ini");
  EXPECT_TRUE(readFile().endsWith("[ROW COLORS]\r\nROW 0 = 255\r\n\r\n"));
}

TEST_F(PanelSettingsIoTest, AnUnwritableFileIsReported) {
  // The settings path is a directory: nothing can be written over it.
  ASSERT_TRUE(QDir(dir.path()).mkdir("PanelSettings.cfg"));
  EXPECT_LT(store.storePanelSettings(window, page, CommunicationSettings{}, {}), 0);
}

TEST_F(PanelSettingsIoTest, TcpTargetCreatesOrUpdatesTheFile) {
  QString error;
  ASSERT_EQ(store.setTcpTarget("127.0.0.1:10001", error), 0) << error.toStdString();
  CommunicationSettings s = store.readConnectionSettings(page);
  EXPECT_EQ(s.protocol, Protocol::Tcp);
  EXPECT_EQ(s.ipAddress, "127.0.0.1");
  EXPECT_EQ(s.portNumber, "10001");

  page.setPanelId("kept");
  ASSERT_EQ(store.storePanelSettings(window, page, s, {}), 0);
  ASSERT_EQ(store.setTcpTarget("[::1]:4000", error), 0);
  s = store.readConnectionSettings(page);
  EXPECT_EQ(s.ipAddress, "::1");
  EXPECT_EQ(s.portNumber, "4000");
  EXPECT_TRUE(readFile().contains("PANEL ID: = \"kept\""));
}

TEST_F(PanelSettingsIoTest, TcpTargetLeavesAForeignFileAlone) {
  writeFile("[GENERAL INFO]\r\nFILE TYPE: = \"Parameter File\"\r\n\r\n");
  const QByteArray before = readFile();
  QString error;
  EXPECT_LT(store.setTcpTarget("127.0.0.1:10001", error), 0);
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(readFile(), before);

  error.clear();
  EXPECT_LT(store.setTcpTarget("127.0.0.1", error), 0);
  EXPECT_TRUE(error.contains("HOST:PORT"));
}

TEST(ProgramDirectory, UsesTheProgramDirectoryWhenWritable) {
  QTemporaryDir program;
  QTemporaryDir config;
  EXPECT_EQ(chooseDataDirectory(program.path(), config.filePath("cfg")), program.path());
  EXPECT_TRUE(QDir(program.path())
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                  .isEmpty());
}

TEST(ProgramDirectory, FallsBackToTheUserConfigurationDirectory) {
  QTemporaryDir config;
  const QString fallback = config.filePath("quorvane/cfg");
  for (const QString &program :
       {QStringLiteral("/nonexistent/quorvane"), QStringLiteral("/proc"), QString(),
        // installed: settings stay out of it even for root, who may write there
        QStringLiteral("/usr/bin"), QStringLiteral("/usr/local/bin/")}) {
    EXPECT_EQ(chooseDataDirectory(program, fallback), fallback) << program.toStdString();
  }
  EXPECT_TRUE(QDir(fallback).exists());
  EXPECT_EQ(pathInDirectory("/opt/q", "PanelSettings.cfg"), "/opt/q/PanelSettings.cfg");
}

} // namespace
} // namespace quorvane
