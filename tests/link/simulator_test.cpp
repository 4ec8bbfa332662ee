// The link against the simulated sensor: in-process over TCP and a pseudo terminal with
// its faults switched on, and the simulator program over both transports.
#include "app/connection.h"
#include "link/core/link_messages.h"
#include "link/link_rig.h"
#include "model/sim_options.h"
#include "params/parameter_state.h"
#include "support/fake_shell.h"
#include "support/fake_transfer.h"
#include "support/scripted_dialogs.h"
#include "transport/sim_pty.h"
#include "transport/sim_tcp_server.h"

#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

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
      link.settings.protocol = Protocol::Tcp;
      link.settings.ipAddress = "127.0.0.1";
      link.settings.portNumber = std::to_string(tcp->serverPort());
    } else {
      pty = std::make_unique<sim::SimPty>(options);
      ok = pty->open();
      link.settings.protocol = Protocol::Rs232;
      link.settings.comDevice = QString(pty->slavePath()).toStdString();
    }
  }
  sim::SensorModel &model() { return tcp ? tcp->model() : pty->model(); }
  int open() { return tcp ? link.InitTCP_IP() : link.InitRS232(); }

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
  ParameterState params;
  FakeTransfer transfer{params};
  Connection connection(rig.link, shell, dialogs, params, transfer);
  int reads = 0;
  transfer.getPara = [&] {
    ++reads;
    ASSERT_EQ(rig.link.exchange(Order::ReadParameters, 0), 1);
    EXPECT_EQ(rig.link.replyPayload().size(), 40u);
  };

  ASSERT_EQ(connection.TryToConnect(), ConnectOutcome::Connected);
  EXPECT_TRUE(rig.link.linkOk);
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(connection.serialNumber(), 4711);
  EXPECT_TRUE(shell.status.startsWith("QUORVANE ANA V1.3")) << shell.status.toStdString();
  EXPECT_TRUE(shell.log.startsWith("TRY TO CONNECT!\nQUORVANE ANA V1.3"));
  EXPECT_TRUE(shell.log.endsWith("\nSERIAL NUMBER: 4711\n\n"));

  for (int i = 0; i < 20; ++i)
    ASSERT_EQ(rig.link.exchange(Order::ReadMeasurement, 0), 1) << i;
  EXPECT_EQ(rig.link.replyPayload().size(), 46u);
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
    const int result = rig.link.exchange(Order::ReadMeasurement, 0);
    if (row.message.empty()) {
      EXPECT_EQ(result, 1);
      EXPECT_TRUE(rig.failures.empty());
    } else {
      EXPECT_EQ(result, -1);
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
    EXPECT_EQ(rig.link.exchange(Order::ReadMeasurement, 0), result);
  }
}

TEST(Simulator, ServerCloseAfterAReply) {
  sim::SimOptions options;
  options.disconnectAfter = 1;
  SimRig rig(Wire::Tcp, options);
  ASSERT_TRUE(rig.ok);
  ASSERT_EQ(rig.open(), 0);
  EXPECT_EQ(rig.link.exchange(Order::ReadMeasurement, 0), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !rig.failures.empty(); }, 2000));
  ASSERT_EQ(rig.failures.size(), 1u);
  EXPECT_EQ(rig.failures[0], q(linktext::kServerClosed));
  EXPECT_FALSE(rig.link.tcpConnected);
}

TEST(Simulator, BaudChangeReachesTheSensor) {
  SimRig rig(Wire::Pty, {});
  ASSERT_TRUE(rig.ok);
  FakeShell shell;
  ScriptedDialogs dialogs;
  ParameterState params;
  FakeTransfer transfer{params};
  Connection connection(rig.link, shell, dialogs, params, transfer);
  ASSERT_EQ(connection.TryToConnect(), ConnectOutcome::Connected);
  rig.link.settings.baudCode = 2;
  connection.ChangeBaudrate();
  EXPECT_EQ(rig.model().baudCode(), 2);
  EXPECT_TRUE(rig.link.linkOk);
  EXPECT_TRUE(shell.log.endsWith("ATTENTION!!!   CONFIRM NEW BAUDRATE WITH EEPROM AND SEND!\n\n"));
  EXPECT_TRUE(rig.failures.empty());
}

#ifdef QUORVANE_SIM_PATH
// The simulator program, started as a user would; prints where it can be reached.
class SimProgram {
public:
  explicit SimProgram(const QStringList &args) {
    process_.setProgram(QStringLiteral(QUORVANE_SIM_PATH));
    process_.setArguments(args);
    process_.start();
  }
  ~SimProgram() {
    process_.terminate();
    if (!process_.waitForFinished(3000)) process_.kill();
  }
  // The rest of the first output line starting with `prefix`.
  std::optional<QString> line(const QString &prefix) {
    if (!QTest::qWaitFor([&] { return output_.contains('\n') || !running(); }, 5000) ||
        !output_.contains('\n'))
      return std::nullopt;
    for (const QByteArray &l : output_.split('\n'))
      if (l.startsWith(prefix.toLatin1())) return QString::fromLocal8Bit(l.mid(prefix.size()));
    return std::nullopt;
  }

private:
  bool running() {
    output_ += process_.readAllStandardOutput();
    return process_.state() != QProcess::NotRunning;
  }
  QProcess process_;
  QByteArray output_;
};

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
    link.settings.protocol = static_cast<Protocol>(row.protocol);
    if (row.protocol == 1) {
      link.settings.ipAddress = "127.0.0.1";
      link.settings.portNumber = QString(where->trimmed()).toStdString();
    } else {
      link.settings.comDevice = QString(where->trimmed()).toStdString();
    }
    FakeShell shell;
    ScriptedDialogs dialogs;
    ParameterState params;
    FakeTransfer transfer{params};
    Connection connection(link, shell, dialogs, params, transfer);
    ASSERT_EQ(connection.TryToConnect(), ConnectOutcome::Connected);
    EXPECT_EQ(link.exchange(Order::ReadMeasurement, 0), 1);
    EXPECT_EQ(link.replyPayload().size(), 46u);
  }
}
#endif

} // namespace
