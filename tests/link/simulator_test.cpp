// The link against the simulated sensor: in-process over TCP and a pseudo terminal with
// its faults switched on, and the simulator program over both transports.
#include "app/connection.h"
#include "link/core/link_messages.h"
#include "link/link_rig.h"
#include "model/sim_options.h"
#include "params/parameter_data.h"
#include "support/fake_shell.h"
#include "support/fake_transfer.h"
#include "support/scripted_dialogs.h"
#include "support/sim_program.h"
#include "transport/sim_pty.h"
#include "transport/sim_tcp_server.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <optional>
#include <string>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

QString q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

// The simulator in this process, reached over TCP or its pseudo terminal.
struct SimRig {
  SimRig(Wire wire, sim::SimOptions options) {
    QObject::connect(&link, &SensorLink::failed,
                     [this](const QString &m) { failures.push_back(m); });
    if (wire == Wire::Tcp) {
      tcp = std::make_unique<sim::SimTcpServer>(options);
      ok = tcp->listen(QHostAddress::LocalHost, 0);
      {
        CommunicationSettings cs = link.settings();
        cs.protocol = Protocol::Tcp;
        cs.ipAddress = "127.0.0.1";
        cs.portNumber = std::to_string(tcp->serverPort());
        link.setSettings(cs);
      }
    } else {
      pty = std::make_unique<sim::SimPty>(options);
      ok = pty->open();
      {
        CommunicationSettings cs = link.settings();
        cs.protocol = Protocol::Rs232;
        cs.comDevice = QString(pty->slavePath()).toStdString();
        link.setSettings(cs);
      }
    }
  }
  sim::SensorModel &model() { return tcp ? tcp->model() : pty->model(); }
  int open() { return tcp ? QCoro::waitFor(link.connectTcp()) : link.openSerialPort(); }

  std::unique_ptr<sim::SimTcpServer> tcp;
  std::unique_ptr<sim::SimPty> pty;
  bool ok = false;
  SensorLink link;
  std::vector<QString> failures;
};

class SimulatorOverWire : public ::testing::TestWithParam<Wire> {};

TEST_P(SimulatorOverWire, HandshakeThenMeasurement) {
  SimRig rig(GetParam(), {});
  ASSERT_TRUE(rig.ok);
  FakeShell shell;
  ScriptedDialogs dialogs;
  ParameterData params;
  FakeTransfer transfer{params.record()};
  Connection connection(rig.link, shell, dialogs, params, transfer);
  int reads = 0;
  transfer.read = [&]() -> QCoro::Task<bool> {
    ++reads;
    const LinkReply reply = co_await rig.link.request(Order::ReadParameters, 0);
    EXPECT_TRUE(reply.ok);
    EXPECT_EQ(reply.payload.size(), 40u);
    co_return reply.ok;
  };

  ASSERT_EQ(QCoro::waitFor(connection.tryToConnect()), ConnectOutcome::Connected);
  EXPECT_TRUE(rig.link.linkOk());
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(connection.serialNumber(), 4711);
  EXPECT_TRUE(shell.status.startsWith("QUORVANE ANA V1.3")) << shell.status.toStdString();
  EXPECT_TRUE(shell.log.startsWith("TRY TO CONNECT!\nQUORVANE ANA V1.3"));
  EXPECT_TRUE(shell.log.endsWith("\nSERIAL NUMBER: 4711\n\n"));

  LinkReply measured;
  for (int i = 0; i < 20; ++i) {
    measured = QCoro::waitFor(rig.link.request(Order::ReadMeasurement, 0));
    ASSERT_TRUE(measured.ok) << i;
  }
  EXPECT_EQ(measured.payload.size(), 46u);
  const auto &requests = rig.model().requests();
  ASSERT_EQ(requests.size(), 22u);
  EXPECT_EQ(requests[0].order, 7);
  EXPECT_EQ(requests[1].order, 2);
  EXPECT_EQ(requests[21].order, 8);
  EXPECT_TRUE(rig.failures.empty());
  EXPECT_TRUE(dialogs.popups().empty());
}

// The simulator's faults reach the operator as the link's messages.
TEST_P(SimulatorOverWire, FaultsReadAsTheirMessages) {
  struct Row {
    std::string name;
    std::function<void(sim::SimOptions &)> fault;
    std::string_view message; // empty: the exchange succeeds
  };
  const std::vector<Row> rows = {
      {"dropped reply", [](auto &o) { o.dropEvery = 1; }, linktext::kTimeout},
      {"header CRC", [](auto &o) { o.corruptHeaderEvery = 1; }, linktext::kBadHeader},
      {"data CRC", [](auto &o) { o.corruptDataEvery = 1; }, linktext::kBadData},
      {"error word 1",
       [](auto &o) {
         o.errorReplyWord = 1;
         o.errorOn = 8;
       },
       linktext::kInvalidOrder},
      {"error word 2",
       [](auto &o) {
         o.errorReplyWord = 2;
         o.errorOn = 8;
       },
       linktext::kReduceBaudrate},
      {"error word 3",
       [](auto &o) {
         o.errorReplyWord = 3;
         o.errorOn = 8;
       },
       {}},
      {"oversize length", [](auto &o) { o.oversizeLength = true; }, linktext::kBadHeader},
      {"split delivery", [](auto &o) { o.splitDelivery = true; }, {}},
      {"payload later", [](auto &o) { o.payloadDelayMs = 300; }, {}},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.name);
    sim::SimOptions options;
    row.fault(options);
    SimRig rig(GetParam(), options);
    ASSERT_TRUE(rig.ok);
    ASSERT_EQ(rig.open(), 0);
    rig.link.setFrameTimeoutSeconds(1.0);
    const bool ok = QCoro::waitFor(rig.link.request(Order::ReadMeasurement, 0)).ok;
    if (row.message.empty()) {
      EXPECT_TRUE(ok);
      EXPECT_TRUE(rig.failures.empty());
    } else {
      EXPECT_FALSE(ok);
      ASSERT_EQ(rig.failures.size(), 1u);
      EXPECT_EQ(rig.failures[0], q(row.message));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Wires, SimulatorOverWire, ::testing::Values(Wire::Tcp, Wire::Pty),
                         [](const auto &info) { return info.param == Wire::Tcp ? "Tcp" : "Pty"; });

TEST(Simulator, PayloadDelayAgainstTheRealFrameTime) {
  for (const auto &[delayMs, result] : {std::pair{2500u, 1}, std::pair{3500u, -1}}) {
    SCOPED_TRACE(delayMs);
    sim::SimOptions options;
    options.payloadDelayMs = delayMs;
    SimRig rig(Wire::Tcp, options);
    ASSERT_TRUE(rig.ok);
    ASSERT_EQ(rig.open(), 0);
    EXPECT_EQ(QCoro::waitFor(rig.link.request(Order::ReadMeasurement, 0)).ok, result == 1);
  }
}

TEST(Simulator, ServerCloseAfterAReply) {
  sim::SimOptions options;
  options.disconnectAfter = 1;
  SimRig rig(Wire::Tcp, options);
  ASSERT_TRUE(rig.ok);
  ASSERT_EQ(rig.open(), 0);
  EXPECT_TRUE(QCoro::waitFor(rig.link.request(Order::ReadMeasurement, 0)).ok);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !rig.failures.empty(); }, 2000));
  ASSERT_EQ(rig.failures.size(), 1u);
  EXPECT_EQ(rig.failures[0], q(linktext::kServerClosed));
  EXPECT_FALSE(rig.link.tcpConnected());
}

TEST(Simulator, BaudChangeReachesTheSensor) {
  SimRig rig(Wire::Pty, {});
  ASSERT_TRUE(rig.ok);
  FakeShell shell;
  ScriptedDialogs dialogs;
  ParameterData params;
  FakeTransfer transfer{params.record()};
  Connection connection(rig.link, shell, dialogs, params, transfer);
  ASSERT_EQ(QCoro::waitFor(connection.tryToConnect()), ConnectOutcome::Connected);
  {
    CommunicationSettings cs = rig.link.settings();
    cs.baudCode = 2;
    rig.link.setSettings(cs);
  }
  QCoro::waitFor(connection.changeBaudRate());
  EXPECT_EQ(rig.model().baudCode(), 2);
  EXPECT_TRUE(rig.link.linkOk());
  EXPECT_TRUE(shell.log.endsWith("ATTENTION!!!   CONFIRM NEW BAUDRATE WITH EEPROM AND SEND!\n\n"));
  EXPECT_TRUE(rig.failures.empty());
}

#ifdef QUORVANE_SIM_PATH
TEST(SimulatorProgram, HandshakeOverTcpAndOverItsPty) {
  struct Row {
    QStringList args;
    QString prefix;
    int protocol;
  };
  for (const Row &row :
       {Row{{"--tcp-port", "0"}, "TCP PORT ", 1}, Row{{"--no-tcp", "--pty"}, "PTY ", 0}}) {
    SCOPED_TRACE(row.prefix.toStdString());
    SimProgram program(row.args);
    const std::optional<QString> where = program.line(row.prefix);
    ASSERT_TRUE(where.has_value());
    SensorLink link;
    {
      CommunicationSettings cs = link.settings();
      cs.protocol = static_cast<Protocol>(row.protocol);
      link.setSettings(cs);
    }
    if (row.protocol == 1) {
      {
        CommunicationSettings cs = link.settings();
        cs.ipAddress = "127.0.0.1";
        cs.portNumber = QString(where->trimmed()).toStdString();
        link.setSettings(cs);
      }
    } else {
      {
        CommunicationSettings cs = link.settings();
        cs.comDevice = QString(where->trimmed()).toStdString();
        link.setSettings(cs);
      }
    }
    FakeShell shell;
    ScriptedDialogs dialogs;
    ParameterData params;
    FakeTransfer transfer{params.record()};
    Connection connection(link, shell, dialogs, params, transfer);
    ASSERT_EQ(QCoro::waitFor(connection.tryToConnect()), ConnectOutcome::Connected);
    const LinkReply measured = QCoro::waitFor(link.request(Order::ReadMeasurement, 0));
    EXPECT_TRUE(measured.ok);
    EXPECT_EQ(measured.payload.size(), 46u);
  }
}

// Losing the sensor program in each state of the link, then connecting again to a sensor
// on the same port: one report, no hang, no busy waiting, and a changed sensor is said.
TEST(SimulatorProgram, SensorLossIsReportedOnceAndReconnectNamesAnotherSensor) {
  enum class Phase { Idle, Exchange, LiveLoop };
  struct Row {
    Wire wire;
    Phase phase;
  };
  QTemporaryDir dir;
  const QString ptyPath = dir.filePath(QStringLiteral("sensor-port"));
  for (const Row row : {Row{Wire::Tcp, Phase::Idle}, Row{Wire::Tcp, Phase::Exchange},
                        Row{Wire::Tcp, Phase::LiveLoop}, Row{Wire::Pty, Phase::Idle},
                        Row{Wire::Pty, Phase::Exchange}, Row{Wire::Pty, Phase::LiveLoop}}) {
    SCOPED_TRACE(::testing::Message() << row.wire << " phase " << static_cast<int>(row.phase));
    const bool tcp = row.wire == Wire::Tcp;
    QStringList args =
        tcp ? QStringList{"--tcp-port", "0"} : QStringList{"--no-tcp", "--pty-link", ptyPath};
    auto program = std::make_unique<SimProgram>(args);
    const std::optional<QString> where = program->line(tcp ? "TCP PORT " : "PTY ");
    ASSERT_TRUE(where.has_value());
    SensorLink link;
    std::vector<QString> failures;
    QObject::connect(&link, &SensorLink::failed,
                     [&failures](const QString &m) { failures.push_back(m); });
    {
      CommunicationSettings cs = link.settings();
      cs.protocol = tcp ? Protocol::Tcp : Protocol::Rs232;
      cs.ipAddress = "127.0.0.1";
      cs.portNumber = where->trimmed().toStdString();
      cs.comDevice = ptyPath.toStdString();
      link.setSettings(cs);
    }
    link.setFrameTimeoutSeconds(1.0);
    FakeShell shell;
    ScriptedDialogs dialogs;
    ParameterData params;
    FakeTransfer transfer{params.record()};
    Connection connection(link, shell, dialogs, params, transfer);
    ASSERT_EQ(QCoro::waitFor(connection.tryToConnect()), ConnectOutcome::Connected);

    switch (row.phase) {
    case Phase::Idle:
      program->kill();
      if (!tcp) {
        EXPECT_FALSE(QCoro::waitFor(link.request(Order::ReadMeasurement, 0)).ok); // noticed on use
      }
      break;
    case Phase::Exchange:
      QTimer::singleShot(0, [&] { program->kill(); });
      EXPECT_FALSE(QCoro::waitFor(link.request(Order::ReadMeasurement, 0)).ok);
      break;
    case Phase::LiveLoop: {
      QTimer::singleShot(150, [&] { program->kill(); });
      bool runningAfter = true;
      runAcquisition(link, Acquisition::Live, [&]() -> QCoro::Task<> {
        int rounds = 0;
        while (link.acquisitionRunning() && rounds < 100000 &&
               (co_await link.request(Order::ReadMeasurement, 0)).ok)
          ++rounds;
        runningAfter = link.acquisitionRunning();
      });
      EXPECT_FALSE(runningAfter);
      break;
    }
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !failures.empty(); }, 5000));
    // Idle afterwards: a loop spinning on the dead port would burn the whole wait.
    const std::clock_t before = std::clock();
    QTest::qWait(500);
    EXPECT_LT(std::clock() - before, CLOCKS_PER_SEC / 4);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].toStdString(),
              std::string(tcp ? linktext::kServerClosed : linktext::kTimeout));
    EXPECT_FALSE(link.linkOk());

    // Another sensor on the same port (same TCP port, same device path).
    args = tcp ? QStringList{"--tcp-port", where->trimmed()} : args;
    program = std::make_unique<SimProgram>(args + QStringList{"--serial-number", "4712"});
    ASSERT_TRUE(program->line(tcp ? "TCP PORT " : "PTY ").has_value());
    shell.log.clear();
    ASSERT_EQ(QCoro::waitFor(connection.tryToConnect()), ConnectOutcome::Connected);
    EXPECT_TRUE(link.linkOk());
    EXPECT_TRUE(shell.log.contains("A DIFFERENT SENSOR IS CONNECTED: SERIAL NUMBER 4712 "
                                   "(BEFORE: 4711)"))
        << shell.log.toStdString();
    EXPECT_TRUE(QCoro::waitFor(link.request(Order::ReadMeasurement, 0)).ok);
  }
}
#endif

} // namespace
