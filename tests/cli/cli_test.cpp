// The line program against the simulator program: each command over TCP and the pseudo
// terminal, each exit status, the JSON lines, several sensors with one gone, Ctrl+C.
#include "support/sim_program.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <memory>

using namespace quorvane::testing;

namespace {

struct CliRun {
  int status = -1;
  QString out;
  QString err;
  // The JSON lines of stdout.
  std::vector<QJsonObject> json() const {
    std::vector<QJsonObject> objects;
    for (const QString &line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
      objects.push_back(QJsonDocument::fromJson(line.toUtf8()).object());
    return objects;
  }
};

// A simulator program and where it can be reached.
struct Sim {
  explicit Sim(QStringList args = {}) {
    args << QStringLiteral("--tcp-port") << QStringLiteral("0");
    program = std::make_unique<SimProgram>(args);
    address = QStringLiteral("127.0.0.1:") +
              program->line(QStringLiteral("TCP PORT ")).value_or(QString()).trimmed();
  }
  std::unique_ptr<SimProgram> program;
  QString address;
};

// A port nobody listens on: a simulator started and stopped.
QString closedAddress() {
  Sim gone;
  const QString address = gone.address;
  gone.program->kill();
  return address;
}

class Cli : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    // The program's saved connection is read from the settings folder of this home.
    env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
  }

  QProcess *start(const QStringList &args) {
    auto *p = new QProcess;
    p->setProcessEnvironment(env);
    p->setWorkingDirectory(dir.path());
    p->start(QStringLiteral(QUORVANE_CLI_PATH), args);
    p->waitForStarted();
    return p;
  }
  CliRun finish(QProcess *p) {
    CliRun r;
    EXPECT_TRUE(p->waitForFinished(30000)) << "still running";
    r.status = p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1;
    r.out = QString::fromUtf8(p->readAllStandardOutput());
    r.err = QString::fromUtf8(p->readAllStandardError());
    delete p;
    return r;
  }
  CliRun run(const QStringList &args) { return finish(start(args)); }
  QString path(const QString &name) const { return dir.filePath(name); }
  QByteArray read(const QString &name) const {
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // A parameter file of the simulator's set 0 with one line changed.
  QString parameterFile(const Sim &sim, const QString &name, const QByteArray &from = {},
                        const QByteArray &to = {}) {
    const CliRun got = run({QStringLiteral("get"), QStringLiteral("-o"), path(name),
                            QStringLiteral("--tcp"), sim.address});
    EXPECT_EQ(got.status, 0) << got.err.toStdString();
    if (!from.isEmpty()) {
      QByteArray text = read(name);
      EXPECT_TRUE(text.contains(from));
      text.replace(from, to);
      QFile f(path(name));
      EXPECT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(text);
    }
    return path(name);
  }

  QTemporaryDir dir;
  QProcessEnvironment env;
};

// Commands that fail before any sensor is asked, and how.
TEST_F(Cli, RefusesAWrongCommandLineWithStatusOne) {
  struct Case {
    QStringList args;
    int status;
    const char *says;
  };
  const Case cases[] = {
      {{}, 1, "no command"},
      {{"blink"}, 1, "unknown command \"blink\""},
      {{"send"}, 1, "send needs one parameter file"},
      {{"get", "--set", "2"}, 1, "--set must be 0 or 1"},
      {{"get", "--memory", "flash"}, 1, "--memory must be ram or eeprom"},
      {{"identify", "--tcp", "nohost"}, 1, "is not HOST:PORT"},
      {{"identify", "--serial", "/dev/x", "--tcp", "a:1"}, 1, "cannot be combined"},
      {{"scan", "--tcp", "a:1"}, 1, "scan needs -o FILE"},
      {{"scan", "--trigger", "rising", "--pre-trigger", "128", "-o", "x"}, 1, "Pre-trigger"},
      {{"get", "-o", "x", "--tcp", "a:1", "--tcp", "b:1"}, 1, "{serial}"},
      {{"identify", "--targets", "/nonexistent/list"}, 5, "cannot read the targets file"},
      {{"send", "/nonexistent/line.par", "--tcp", "a:1"}, 5, "no such file"},
  };
  for (const Case &c : cases) {
    const CliRun r = run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains(QLatin1String(c.says))) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
  }
}

TEST_F(Cli, IdentifiesOverTcpAndThePseudoTerminal) {
  Sim tcp;
  SimProgram pty({QStringLiteral("--no-tcp"), QStringLiteral("--pty"),
                  QStringLiteral("--serial-number"), QStringLiteral("1234")});
  const QString device = pty.line(QStringLiteral("PTY ")).value_or(QString()).trimmed();
  struct Case {
    QStringList where;
    const char *protocol;
    int serial;
  };
  for (const Case &c : {Case{{"--tcp", tcp.address}, "tcp", 4711},
                        Case{{"--serial", device, "--baud", "115200"}, "rs232", 1234}}) {
    const CliRun r =
        run(QStringList{QStringLiteral("identify"), QStringLiteral("--json")} + c.where);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const auto lines = r.json();
    ASSERT_EQ(lines.size(), 1u);
    const QJsonObject o = lines[0];
    EXPECT_EQ(o[QStringLiteral("command")].toString(), QStringLiteral("identify"));
    EXPECT_EQ(o[QStringLiteral("status")].toInt(), 0);
    EXPECT_TRUE(o[QStringLiteral("ok")].toBool());
    EXPECT_EQ(o[QStringLiteral("serial_number")].toInt(), c.serial);
    EXPECT_EQ(o[QStringLiteral("protocol")].toString(), QLatin1String(c.protocol));
    EXPECT_EQ(o[QStringLiteral("port")].toString(), c.where[1]);
    EXPECT_EQ(o[QStringLiteral("target")].toString(), c.where[1]);
    EXPECT_TRUE(
        o[QStringLiteral("firmware")].toString().startsWith(QLatin1String("QUORVANE ANA V1.3.")));
  }
  // Human text: what the window's connection log shows.
  const CliRun human = run({QStringLiteral("identify"), QStringLiteral("--tcp"), tcp.address});
  EXPECT_TRUE(human.out.contains(QLatin1String("SERIAL NUMBER: 4711\n")))
      << human.out.toStdString();
  EXPECT_TRUE(human.err.isEmpty()) << "no progress on a pipe: " << human.err.toStdString();
}

TEST_F(Cli, ReportsLinkFailuresWithTheLinksOwnText) {
  Sim corrupt({QStringLiteral("--corrupt-data-every"), QStringLiteral("1")});
  Sim oldFirmware({QStringLiteral("--firmware"), QStringLiteral("QUORVANE ANA V1.4.0")});
  Sim implausible({QStringLiteral("--plausibility-word"), QStringLiteral("3")});
  const QString file = parameterFile(implausible, QStringLiteral("line.par"));
  const QString missing = path(QStringLiteral("ttyGone"));
  struct Case {
    QStringList args;
    QString says; // the whole of stderr after "<sensor>: "
  };
  const Case cases[] = {
      {{"identify", "--tcp", closedAddress()}, "UnableToEstablishConnection"},
      {{"identify", "--tcp", corrupt.address}, "ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!"},
      {{"identify", "--tcp", oldFirmware.address},
       "Sensor firmware and scope version do not match! \nFirmware of connected sensor is: "
       "QUORVANE ANA V1.4\nThe serial number is: 4711"},
      // The sensor replaced the values with its defaults: a failure, as the window logs it.
      {{"send", file, "--tcp", implausible.address},
       "INFO!\n3 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!"},
      // With the cause and the fix the connection log gives.
      {{"identify", "--serial", missing},
       "No serial port found\nCause: " + missing +
           " does not exist (adapter unplugged or wrong name)."},
  };
  for (const Case &c : cases) {
    const CliRun r = run(c.args);
    EXPECT_EQ(r.status, 2) << c.args.join(' ').toStdString();
    const QString who = c.args.at(c.args.size() - 1);
    EXPECT_TRUE(r.err.startsWith(who + QStringLiteral(": ") + c.says)) << r.err.toStdString();
  }
  // The EEPROM load's complaint is a warning: the values still come.
  const CliRun loaded =
      run({QStringLiteral("get"), QStringLiteral("--memory"), QStringLiteral("eeprom"),
           QStringLiteral("--json"), QStringLiteral("--tcp"), implausible.address});
  EXPECT_EQ(loaded.status, 0);
  EXPECT_EQ(
      loaded.json().at(0)[QStringLiteral("warnings")].toArray().at(0).toString(),
      QStringLiteral("INFO!\n3 PARAMETER FROM EEPROM DID NOT PASS PLAUSIBILITY CHECK AND WERE "
                     "SET TO DEFAULT VALUE!"));
}

TEST_F(Cli, GetWritesTheParameterFileAndSendVerifiesIt) {
  Sim sim;
  const QString file = parameterFile(sim, QStringLiteral("line.par"), "POWER = 500", "POWER = 640");
  EXPECT_TRUE(read(QStringLiteral("line.par")).startsWith("[GENERAL INFO]"));

  const CliRun sent =
      run({QStringLiteral("send"), file, QStringLiteral("--memory"), QStringLiteral("eeprom"),
           QStringLiteral("--set"), QStringLiteral("0"), QStringLiteral("--verify"),
           QStringLiteral("--json"), QStringLiteral("--tcp"), sim.address});
  ASSERT_EQ(sent.status, 0) << sent.err.toStdString();
  const QJsonObject o = sent.json().at(0);
  EXPECT_TRUE(o[QStringLiteral("verified")].toBool());
  EXPECT_TRUE(o[QStringLiteral("differences")].toArray().isEmpty());

  // The sensor's EEPROM now holds the file: a diff finds nothing, the old value differs.
  const CliRun same = run({QStringLiteral("diff"), QStringLiteral("eeprom"), file,
                           QStringLiteral("--tcp"), sim.address});
  EXPECT_EQ(same.status, 0) << same.err.toStdString();
  EXPECT_TRUE(same.out.isEmpty()) << same.out.toStdString();
  const QString original =
      parameterFile(sim, QStringLiteral("b.par"), "POWER = 640", "POWER = 500");
  const CliRun differ = run({QStringLiteral("diff"), file, original});
  EXPECT_EQ(differ.status, 3);
  EXPECT_EQ(differ.out, QStringLiteral("POWER: 640 -> 500\n"));

  // A value the file lacks goes out as its default, and every sensor's report says so.
  const QString partial = parameterFile(sim, QStringLiteral("p.par"), "AVERAGE = 1\r\n", "");
  const CliRun defaulted = run({QStringLiteral("send"), partial, QStringLiteral("--verify"),
                                QStringLiteral("--json"), QStringLiteral("--tcp"), sim.address});
  EXPECT_EQ(defaulted.status, 0);
  ASSERT_EQ(defaulted.json().size(), 1u);
  EXPECT_EQ(defaulted.json()[0][QStringLiteral("warnings")].toArray().at(0).toString(),
            QStringLiteral("Following parameter could not be read and where set to default "
                           "value: AVERAGE"));
}

TEST_F(Cli, SendRefusesValuesThePanelRulesWouldChange) {
  Sim sim;
  // LED MODE OFF leaves no light to measure with: the rules take POWER to 0.
  const QString file =
      parameterFile(sim, QStringLiteral("dark.par"), "LED MODE = 0", "LED MODE = 2");
  const QStringList send{QStringLiteral("send"), file, QStringLiteral("--tcp"), sim.address};
  const CliRun refused = run(send);
  EXPECT_EQ(refused.status, 4);
  EXPECT_TRUE(refused.out.contains(QLatin1String("POWER: 500 -> 0\n")))
      << refused.out.toStdString();
  EXPECT_EQ(run({QStringLiteral("diff"), QStringLiteral("ram"), file, QStringLiteral("--tcp"),
                 sim.address})
                .out.trimmed(),
            QStringLiteral("LED MODE: 0 -> 2"))
      << "nothing was sent";

  const CliRun applied =
      run(send + QStringList{QStringLiteral("--apply-rules"), QStringLiteral("--verify")});
  EXPECT_EQ(applied.status, 0) << applied.err.toStdString();
  EXPECT_TRUE(run({QStringLiteral("get"), QStringLiteral("--tcp"), sim.address})
                  .out.startsWith(QLatin1String("POWER 0\n")));
}

TEST_F(Cli, MeasureRecordsTheRecordersFileAndScanWritesCsv) {
  Sim sim;
  const CliRun measured = run(
      {QStringLiteral("measure"), QStringLiteral("--count"), QStringLiteral("3"),
       QStringLiteral("-o"), path(QStringLiteral("r.dat")), QStringLiteral("--tcp"), sim.address});
  ASSERT_EQ(measured.status, 0) << measured.err.toStdString();
  const QList<QByteArray> lines = read(QStringLiteral("r.dat")).split('\n');
  ASSERT_EQ(lines.size(), 8); // line feed, title, empty, columns, three frames, end
  EXPECT_EQ(lines[1], "RECORD RESULTS OF: QUORVANE ANA Scope V1.3\r");
  EXPECT_TRUE(lines[3].startsWith("DATE\tTIME\tRED"));
  for (int i = 4; i < 7; ++i)
    EXPECT_EQ(lines[i].count('\t'), 12);

  const CliRun printed = run({QStringLiteral("measure"), QStringLiteral("--count"),
                              QStringLiteral("2"), QStringLiteral("--interval"),
                              QStringLiteral("0"), QStringLiteral("--tcp"), sim.address});
  EXPECT_EQ(printed.out.count(QLatin1Char('\n')), 2);

  const CliRun scanned = run({QStringLiteral("scan"), QStringLiteral("--signal"),
                              QStringLiteral("0"), QStringLiteral("-o"),
                              path(QStringLiteral("s.csv")), QStringLiteral("--tcp"), sim.address});
  ASSERT_EQ(scanned.status, 0) << scanned.err.toStdString();
  const QList<QByteArray> csv = read(QStringLiteral("s.csv")).split('\n');
  ASSERT_EQ(csv.size(), 130);
  EXPECT_EQ(csv[0], "SAMPLE,RED,GREEN,BLUE,DIGITAL 0,DIGITAL 1\r");
  EXPECT_TRUE(csv[128].startsWith("127,"));
}

TEST_F(Cli, HwinfoWritesTheHardwareInitialFile) {
  Sim sim;
  const CliRun r = run({QStringLiteral("hwinfo"), QStringLiteral("-o"),
                        path(QStringLiteral("hw.ini")), QStringLiteral("--tcp"), sim.address});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  const QByteArray file = read(QStringLiteral("hw.ini"));
  EXPECT_TRUE(file.contains("FILE TYPE: = \"Hardware Initial File\""))
      << file.left(200).toStdString();
  EXPECT_TRUE(file.contains("[TEACH VECTOR 30]"));
  // A folder that does not exist: nothing half-written, status 5.
  const CliRun bad =
      run({QStringLiteral("hwinfo"), QStringLiteral("-o"), path(QStringLiteral("no/such/hw.ini")),
           QStringLiteral("--tcp"), sim.address});
  EXPECT_EQ(bad.status, 5);
}

TEST_F(Cli, SeveralSensorsAtOnceReportEachAndEndWithTheWorst) {
  Sim a;
  Sim b;
  const QString file = parameterFile(a, QStringLiteral("line.par"));
  const QStringList send{QStringLiteral("send"),     file,
                         QStringLiteral("--memory"), QStringLiteral("eeprom"),
                         QStringLiteral("--set"),    QStringLiteral("0"),
                         QStringLiteral("--verify"), QStringLiteral("--json")};
  const CliRun both = run(
      send + QStringList{QStringLiteral("--tcp"), a.address, QStringLiteral("--tcp"), b.address});
  EXPECT_EQ(both.status, 0) << both.err.toStdString();
  ASSERT_EQ(both.json().size(), 2u);
  for (const QJsonObject &o : both.json())
    EXPECT_TRUE(o[QStringLiteral("verified")].toBool());

  b.program->kill();
  QFile list(path(QStringLiteral("targets")));
  ASSERT_TRUE(list.open(QIODevice::WriteOnly));
  list.write(("# line 3\n" + a.address + "\n\n" + b.address + "\n").toUtf8());
  list.close();
  const CliRun one = run(send + QStringList{QStringLiteral("--targets"), list.fileName()});
  EXPECT_EQ(one.status, 2);
  const auto lines = one.json();
  ASSERT_EQ(lines.size(), 2u);
  for (const QJsonObject &o : lines) {
    const bool gone = o[QStringLiteral("target")].toString() == b.address;
    EXPECT_EQ(o[QStringLiteral("status")].toInt(), gone ? 2 : 0);
    EXPECT_EQ(o.contains(QStringLiteral("error")), gone);
  }
}

TEST_F(Cli, CtrlCEndsARecordingWithWholeLinesAndAScanWithoutAFile) {
  Sim sim;
  QProcess *measure =
      start({QStringLiteral("measure"), QStringLiteral("--count"), QStringLiteral("0"),
             QStringLiteral("--interval"), QStringLiteral("0.25"), QStringLiteral("-o"),
             path(QStringLiteral("r.dat")), QStringLiteral("--tcp"), sim.address});
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return read(QStringLiteral("r.dat")).count('\n') >= 6; }, 10000));
  ::kill(static_cast<pid_t>(measure->processId()), SIGINT);
  const CliRun stopped = finish(measure);
  EXPECT_EQ(stopped.status, 0) << "an endless recording ends with Ctrl+C: "
                               << stopped.err.toStdString();
  EXPECT_TRUE(read(QStringLiteral("r.dat")).endsWith("\r\n"));

  // A rising edge above anything the sensor sees never comes.
  QProcess *scan =
      start({QStringLiteral("scan"), QStringLiteral("--trigger"), QStringLiteral("rising"),
             QStringLiteral("--level"), QStringLiteral("65535"), QStringLiteral("-o"),
             path(QStringLiteral("s.csv")), QStringLiteral("--tcp"), sim.address});
  QTest::qWait(1500);
  ::kill(static_cast<pid_t>(scan->processId()), SIGINT);
  const CliRun broken = finish(scan);
  EXPECT_EQ(broken.status, 130);
  EXPECT_FALSE(QFile::exists(path(QStringLiteral("s.csv"))));
  // The sensor's scan was broken: it answers the next command at once.
  EXPECT_EQ(run({QStringLiteral("identify"), QStringLiteral("--tcp"), sim.address}).status, 0);
}

} // namespace
