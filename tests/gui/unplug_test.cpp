// The simulator program killed, as a pulled cable or a crashed server leaves it, while the
// window sends or gets the parameters, records or waits for a scope trigger, over TCP and over its
// pseudo terminal: the loss said once, every record line whole, no busy waiting, and TRY TO CONNECT
// works again once the sensor is back where it was.
#include "app_fixture.h"

#include "link/core/link_messages.h"
#include "recorder/recorder_page.h"
#include "recorder/recorder_subsystem.h"
#include "scope/core/scope_stream.h"
#include "scope/scope_subsystem.h"
#include "support/settle.h"
#include "support/sim_program.h"

#include <QDoubleSpinBox>
#include <QRegularExpression>

#include <ctime>

#ifdef QUORVANE_SIM_PATH
namespace quorvane::testing {
namespace {

enum class Wire { Tcp, Pty };
enum class During { Send, Get, Recording, ScopeWait };

struct UnplugTest : AppFixture {
  QString ptyPath() { return dir.filePath(QStringLiteral("sensor-port")); }
  QString recordFile() { return dir.filePath(QStringLiteral("rec.dat")); }

  // The program on a TCP port (0: any) or behind the fixed device path; `where` is the port
  // or device it printed.
  std::unique_ptr<SimProgram> startProgram(Wire wire, const QString &port, QString &where) {
    const QStringList args = wire == Wire::Tcp ? QStringList{"--tcp-port", port}
                                               : QStringList{"--no-tcp", "--pty-link", ptyPath()};
    auto program = std::make_unique<SimProgram>(args);
    where = program->line(wire == Wire::Tcp ? "TCP PORT " : "PTY ").value_or(QString()).trimmed();
    return program;
  }
  void writeSettingsFor(Wire wire, const QString &port) {
    if (wire == Wire::Tcp) return writeSettings(static_cast<quint16>(port.toUInt()));
    QFile f(settingsPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings\"\r\n\r\n"
            "[COMMUNICATION SETTINGS]\r\nCOMPROTOCOL = 0\r\nCOMPORT = 1\r\nCOMPORT DEVICE = \"" +
            ptyPath().toUtf8() + "\"\r\nBAUDRATE = 4\r\n\r\n");
  }
  // The record lines after the header; false when one is not a whole line of 13 fields.
  bool recordLinesWhole(std::size_t &count) {
    QFile f(recordFile());
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray all = f.readAll();
    if (!all.endsWith("\r\n")) return false;
    const QRegularExpression line(
        QStringLiteral("^\\d\\d-\\d\\d-\\d{4}\\t\\d\\d:\\d\\d:\\d\\d(\\t-?\\d+){11}\\r$"));
    count = 0;
    for (const QByteArray &l : all.split('\n')) {
      if (!QRegularExpression(QStringLiteral("^\\d\\d-\\d\\d-\\d{4}\\t")).match(l).hasMatch())
        continue;
      if (!line.match(QString::fromLatin1(l)).hasMatch()) return false;
      ++count;
    }
    return true;
  }
  void record(SimProgram &program) {
    RecorderPage &page = app->recorder().page();
    dialogs.answerFile(FileSelectResult::NewFile, recordFile());
    page.selectFileButton()->click();
    page.setMode(1);
    Q_EMIT page.modeSelector()->activated(1);
    page.intervalEdit()->setValue(0.25);
    std::size_t lines = 0;
    when([&] { return recordLinesWhole(lines) && lines >= 3; }, [&] { program.kill(); });
    dialogs.answerConfirm(true);
    page.startButton()->click();
    settle();
    ASSERT_TRUE(recordLinesWhole(lines)) << "a record line was cut or mangled";
    EXPECT_GE(lines, 3u);
    EXPECT_EQ(app->live().framesShown(), lines);
    EXPECT_EQ(dialogs.popups().back().text, "File has been saved!");
  }
  // The sensor goes while the first frame of the transfer is on its way.
  void transfer(SimProgram &program, QPushButton *button) {
    QTimer::singleShot(0, timers.get(), [&] { program.kill(); });
    clickAndSettle(button);
  }
  // A closed server stops the wait; a dead port fails it (the scan's own line error).
  void waitForScope(SimProgram &program, ScanEnd expected) {
    ScopePage &page = app->scope().page();
    ScopeController &scope = app->scope().controller();
    clickTab(MainPage::Scope);
    QComboBox *mode = page.triggerModeRing();
    mode->setCurrentIndex(mode->findData(1));
    Q_EMIT mode->activated(mode->currentIndex());
    page.triggerLevelBox()->setValue(65535); // never reached
    // BREAK is offered once the scan waits for the sensor's blocks.
    when([&] { return page.breakButton()->isEnabled(); }, [&] { program.kill(); });
    clickAndSettle(page.scanButton());
    EXPECT_EQ(scope.lastScanEnd(), expected);
    EXPECT_FALSE(scope.haveScan());
  }
};

TEST_F(UnplugTest, ProgramKilledMidTransferRecordingOrScopeWait) {
  struct Row {
    Wire wire;
    During during;
  };
  const char *const names[] = {"SEND", "GET", "recording", "scope"};
  std::vector<Row> rows;
  for (const Wire wire : {Wire::Tcp, Wire::Pty})
    for (const During during : {During::Send, During::Get, During::Recording, During::ScopeWait})
      rows.push_back({wire, during});
  for (const Row row : rows) {
    SCOPED_TRACE(::testing::Message() << (row.wire == Wire::Tcp ? "TCP" : "pty") << ", "
                                      << names[static_cast<int>(row.during)]);
    QString where;
    auto program = startProgram(row.wire, QStringLiteral("0"), where);
    ASSERT_FALSE(where.isEmpty());
    writeSettingsFor(row.wire, where);
    create();
    app->link().setFrameTimeoutSeconds(1.0);
    app->startUp();
    settleUntil([this] { return app->idle(); });
    ASSERT_TRUE(app->link().linkOk());

    const bool tcp = row.wire == Wire::Tcp;
    switch (row.during) {
    case During::Send:
      transfer(*program, window().sendButton());
      break;
    case During::Get:
      transfer(*program, window().getButton());
      break;
    case During::Recording:
      record(*program);
      break;
    case During::ScopeWait:
      waitForScope(*program, tcp ? ScanEnd::Stopped : ScanEnd::Failed);
      break;
    }

    const QString loss = QString::fromLatin1(tcp ? linktext::kServerClosed
                                             : row.during != During::ScopeWait ? linktext::kTimeout
                                                                               : kScopeLineError);
    EXPECT_FALSE(app->link().linkOk());
    EXPECT_FALSE(app->link().acquisitionRunning());
    // Idle afterwards: a loop spinning on the dead port would burn the whole wait.
    const std::clock_t before = std::clock();
    QTest::qWait(500);
    EXPECT_LT(std::clock() - before, CLOCKS_PER_SEC / 4);
    EXPECT_EQ(app->connectionPage().logText().count(loss), 1)
        << app->connectionPage().logText().toStdString();

    program = startProgram(row.wire, row.wire == Wire::Tcp ? where : QString(), where);
    ASSERT_FALSE(where.isEmpty());
    clickAndSettle(app->connectionPage().tryToConnectButton());
    EXPECT_TRUE(app->link().linkOk());
    EXPECT_EQ(app->connectionPage().logText().count(loss), 1);
    app.reset();
    dialogs.clear();
  }
}

} // namespace
} // namespace quorvane::testing
#endif
