// Connecting: the handshake, refusing other firmware, CLOSE and OFFLINE, the baud change.
#include "app/connection.h"
#include "link/core/link_messages.h"
#include "link/link_rig.h"
#include "params/parameter_data.h"
#include "support/fake_shell.h"
#include "support/fake_transfer.h"
#include "support/scripted_dialogs.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

const QString kFailedText =
    QStringLiteral("Could not establish connection! \nClose window or work in offline mode!");

Bytes firmwarePayload(const std::string &text) {
  Bytes p(80, 0); // longer than the 72 bytes that count
  std::memcpy(p.data(), text.data(), std::min<std::size_t>(text.size(), p.size()));
  return p;
}

struct ConnectRig {
  explicit ConnectRig(Wire wire)
      : rig(wire), connection(rig.link, shell, dialogs, params, transfer) {
    transfer.read = [this]() -> QCoro::Task<bool> {
      ++parameterReads;
      linkOkDuringRead = rig.link.linkOk();
      if (failParameterRead) rig.link.report("parameter read failed");
      co_return !failParameterRead;
    };
  }
  // The sensor answers the identification with `firmware` and serial number `serial`,
  // and every other order with a header-only reply.
  void sensor(const std::string &firmware, std::uint16_t serial = 4711) {
    rig.peer->responder = [=](const PeerRequest &r) -> std::vector<PeerReply> {
      if (r.order == orderByte(Order::Identify))
        return {{replyFrame(r.order, serial, firmwarePayload(firmware))}};
      return {{replyFrame(r.order, 0)}};
    };
  }

  LinkRig rig;
  FakeShell shell;
  ScriptedDialogs dialogs;
  ParameterData params;
  FakeTransfer transfer{params.record()};
  Connection connection;
  int parameterReads = 0;
  bool linkOkDuringRead = false;
  bool failParameterRead = false;
};

class ConnectionOverWire : public ::testing::TestWithParam<Wire> {};

TEST_P(ConnectionOverWire, MatchingSensorIsIdentifiedAndItsParametersRead) {
  ConnectRig c(GetParam());
  c.sensor("QUORVANE ANA V1.3.5 Build 7", 4711);
  QSignalSpy verified(&c.connection, &Connection::linkVerified);
  QSignalSpy identified(&c.connection, &Connection::firmwareIdentified);
  QSignalSpy chosen(&c.connection, &Connection::transportChosen);

  EXPECT_EQ(QCoro::waitFor(c.connection.tryToConnect()), ConnectOutcome::Connected);

  ASSERT_EQ(c.rig.peer->requests.size(), 1u);
  EXPECT_EQ(c.rig.peer->requests[0].frame, (Bytes{0x55, 0x07, 0, 0, 0, 0, 0xAA, 0x52}));
  EXPECT_EQ(c.shell.log, "TRY TO CONNECT!\nQUORVANE ANA V1.3Build 7\nSERIAL NUMBER: 4711\n\n");
  EXPECT_EQ(c.shell.status, "QUORVANE ANA V1.3Build 7");
  EXPECT_EQ(c.rig.link.firmwareText(), QByteArray("QUORVANE ANA V1.3.5 Build 7"));
  ASSERT_EQ(identified.count(), 1);
  EXPECT_EQ(identified.at(0).at(0).toString(), "QUORVANE ANA V1.3.5 Build 7");
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen.at(0).at(0).toInt(), GetParam() == Wire::Tcp ? 1 : 0);
  EXPECT_EQ(c.connection.serialNumber(), 4711);
  EXPECT_EQ(c.parameterReads, 1);
  EXPECT_TRUE(c.linkOkDuringRead);
  EXPECT_TRUE(c.rig.link.linkOk());
  EXPECT_EQ(verified.count(), 1);
  EXPECT_TRUE(c.dialogs.popups().empty());
  EXPECT_TRUE(c.rig.failures.empty());
}

TEST_P(ConnectionOverWire, FailedParameterReadLeavesTheLinkUnverified) {
  ConnectRig c(GetParam());
  c.sensor("QUORVANE ANA V1.3.0");
  c.failParameterRead = true;
  QSignalSpy verified(&c.connection, &Connection::linkVerified);
  EXPECT_EQ(QCoro::waitFor(c.connection.tryToConnect()), ConnectOutcome::Connected);
  EXPECT_EQ(c.parameterReads, 1);
  EXPECT_FALSE(c.rig.link.linkOk());
  EXPECT_EQ(verified.count(), 0);
  EXPECT_TRUE(c.dialogs.popups().empty());
}

TEST_P(ConnectionOverWire, RefusedSensorsOfferCloseAndOffline) {
  struct Row {
    std::string name;
    std::function<void(ConnectRig &)> setUp;
    QString dialogText;
  };
  const std::vector<Row> rows = {
      {"other firmware", [](ConnectRig &c) { c.sensor("QUORVANE ANA V1.4.0 x", 12); },
       "Sensor firmware and scope version do not match! \nFirmware of connected sensor is: "
       "QUORVANE ANA V1.4\nThe serial number is: 12\n\nClose window or work in offline mode!"},
      {"firmware without a second point", [](ConnectRig &c) { c.sensor("QUORVANE ANA V1", 7); },
       "Sensor firmware and scope version do not match! \nFirmware of connected sensor is: "
       "QUORVANE ANA V1.\nThe serial number is: 7\n\nClose window or work in offline mode!"},
      {"no reply", [](ConnectRig &c) { c.rig.link.setFrameTimeoutSeconds(0.3); }, kFailedText},
      {"error reply", [](ConnectRig &c) { c.rig.answer({{replyFrame(0, 1)}}); }, kFailedText},
  };
  for (const bool offline : {true, false}) {
    for (const Row &row : rows) {
      SCOPED_TRACE(row.name + (offline ? " / OFFLINE" : " / CLOSE"));
      ConnectRig c(GetParam());
      row.setUp(c);
      c.params.setMemory(ParameterMemory::Eeprom);
      c.dialogs.answerChoice(offline ? 1 : 0);
      QSignalSpy offlineSpy(&c.connection, &Connection::offline);
      QSignalSpy closeSpy(&c.connection, &Connection::closeRequested);

      const ConnectOutcome outcome = QCoro::waitFor(c.connection.tryToConnect());

      ASSERT_EQ(c.dialogs.popups().size(), 1u);
      EXPECT_EQ(c.dialogs.popups()[0].kind, "choice");
      EXPECT_EQ(c.dialogs.popups()[0].title, "ATTENTION!");
      EXPECT_EQ(c.dialogs.popups()[0].text, row.dialogText);
      EXPECT_EQ(c.parameterReads, 0);
      EXPECT_FALSE(c.rig.link.linkOk());
      if (offline) {
        EXPECT_EQ(outcome, ConnectOutcome::Offline);
        EXPECT_EQ(offlineSpy.count(), 1);
        EXPECT_EQ(closeSpy.count(), 0);
        EXPECT_EQ(c.params.memory(), ParameterMemory::File);
        EXPECT_EQ(c.shell.status, "NO SENSOR CONNECTED!");
        EXPECT_TRUE(c.shell.log.endsWith("NO SENSOR CONNECTED!\n\n"));
        EXPECT_FALSE(c.rig.link.tcpConnected());
        EXPECT_EQ(c.rig.link.transport(), nullptr);
        ASSERT_FALSE(c.shell.dims.empty());
        EXPECT_EQ(c.shell.dims.back(), std::make_pair(false, true));
      } else {
        EXPECT_EQ(outcome, ConnectOutcome::CloseRequested);
        EXPECT_EQ(closeSpy.count(), 1);
        EXPECT_EQ(offlineSpy.count(), 0);
        EXPECT_EQ(c.params.memory(), ParameterMemory::Eeprom);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Wires, ConnectionOverWire, ::testing::Values(Wire::Tcp, Wire::Pty),
                         [](const auto &info) { return info.param == Wire::Tcp ? "Tcp" : "Pty"; });

TEST(Connection, UnreachableServerLogsTheConnectErrorThenAsks) {
  ConnectRig c(Wire::Tcp);
  {
    CommunicationSettings cs = c.rig.link.settings();
    cs.portNumber = std::to_string(unusedTcpPort());
    c.rig.link.setSettings(cs);
  }
  c.dialogs.answerChoice(1);
  EXPECT_EQ(QCoro::waitFor(c.connection.tryToConnect()), ConnectOutcome::Offline);
  ASSERT_EQ(c.rig.failures.size(), 1u);
  EXPECT_EQ(c.rig.failures[0], "UnableToEstablishConnection");
  ASSERT_EQ(c.dialogs.popups().size(), 1u);
  EXPECT_EQ(c.dialogs.popups()[0].text, kFailedText);
  EXPECT_EQ(c.shell.log, "TRY TO CONNECT!\nNO SENSOR CONNECTED!\n\n");
}

TEST(Connection, MissingSerialDeviceKeepsTheMessageAndAddsTheCause) {
  ConnectRig c(Wire::Pty);
  {
    CommunicationSettings cs = c.rig.link.settings();
    cs.protocol = Protocol::Rs232;
    cs.comDevice = "/dev/ttyUSB-unplugged";
    c.rig.link.setSettings(cs);
  }
  c.dialogs.answerChoice(1);
  EXPECT_EQ(QCoro::waitFor(c.connection.tryToConnect()), ConnectOutcome::Offline);
  ASSERT_EQ(c.rig.failures.size(), 1u);
  EXPECT_EQ(c.rig.failures[0], "No serial port found");
  EXPECT_EQ(c.dialogs.popups()[0].text, kFailedText);
  const QStringList lines = c.shell.log.split(QLatin1Char('\n'));
  ASSERT_GE(lines.size(), 3);
  EXPECT_EQ(lines[0], "TRY TO CONNECT!");
  EXPECT_TRUE(lines[1].startsWith("Cause: /dev/ttyUSB-unplugged does not exist (adapter "
                                  "unplugged or wrong name). Present: "))
      << lines[1].toStdString();
  EXPECT_TRUE(c.shell.log.endsWith("\nNO SENSOR CONNECTED!\n\n"));
}

TEST(Connection, DisconnectClosesTheLinkWithoutAFailure) {
  ConnectRig c(Wire::Tcp);
  c.sensor("QUORVANE ANA V1.3.1");
  ASSERT_EQ(QCoro::waitFor(c.connection.tryToConnect()), ConnectOutcome::Connected);
  ASSERT_TRUE(c.rig.link.tcpConnected());
  c.connection.goOffline();
  EXPECT_FALSE(c.rig.link.tcpConnected());
  EXPECT_FALSE(c.rig.link.linkOk());
  EXPECT_EQ(c.params.memory(), ParameterMemory::File);
  EXPECT_EQ(c.shell.status, "NO SENSOR CONNECTED!");
  EXPECT_TRUE(c.rig.failures.empty());
}

TEST(Connection, ChangeBaudrateSwitchesSensorThenPort) {
  ConnectRig c(Wire::Pty);
  c.sensor("QUORVANE ANA V1.3.1");
  ASSERT_EQ(QCoro::waitFor(c.connection.tryToConnect()), ConnectOutcome::Connected);
  auto &pty = static_cast<PtyPeer &>(*c.rig.peer);
  ASSERT_EQ(pty.slaveBaudRate(), 115200);
  c.shell.log.clear();

  {
    CommunicationSettings cs = c.rig.link.settings();
    cs.baudCode = 6;
    c.rig.link.setSettings(cs);
  }
  QCoro::waitFor(c.connection.changeBaudRate());

  ASSERT_EQ(c.rig.peer->requests.size(), 3u);
  EXPECT_EQ(c.rig.peer->requests[1].frame, buildFrame(190, 6));
  EXPECT_EQ(c.rig.peer->requests[2].order, 7);
  EXPECT_EQ(pty.slaveBaudRate(), 460800);
  EXPECT_EQ(c.shell.log, "TRY TO CHANGE BAUDRATE!\nSUCCESS!\nTRY TO CONNECT!\nQUORVANE ANA V1.3"
                         "\nSERIAL NUMBER: 4711\n\nATTENTION!!!   CONFIRM NEW BAUDRATE WITH "
                         "EEPROM AND SEND!\n\n");
  EXPECT_TRUE(c.rig.link.linkOk());
  EXPECT_EQ(c.parameterReads, 2);
}

TEST(Connection, ChangeBaudrateStopsWhenTheSensorRefuses) {
  ConnectRig c(Wire::Pty);
  c.sensor("QUORVANE ANA V1.3.1");
  ASSERT_EQ(QCoro::waitFor(c.connection.tryToConnect()), ConnectOutcome::Connected);
  c.rig.answer({{replyFrame(0, 2)}});
  c.shell.log.clear();
  {
    CommunicationSettings cs = c.rig.link.settings();
    cs.baudCode = 0;
    c.rig.link.setSettings(cs);
  }
  QCoro::waitFor(c.connection.changeBaudRate());
  EXPECT_EQ(c.shell.log, "TRY TO CHANGE BAUDRATE!\n");
  ASSERT_EQ(c.rig.failures.size(), 1u);
  EXPECT_EQ(c.rig.failures[0], "COMMUNICATION ERROR!\nYOU MAY HAVE TO REDUCE BAUDRATE!");
  EXPECT_EQ(static_cast<PtyPeer &>(*c.rig.peer).slaveBaudRate(), 115200);
  EXPECT_TRUE(c.dialogs.popups().empty());
}

TEST(Connection, ChangeBaudrateIsForTheSerialLineOnly) {
  ConnectRig c(Wire::Tcp);
  c.sensor("QUORVANE ANA V1.3.1");
  ASSERT_EQ(QCoro::waitFor(c.connection.tryToConnect()), ConnectOutcome::Connected);
  c.shell.log.clear();
  QCoro::waitFor(c.connection.changeBaudRate());
  EXPECT_EQ(c.rig.peer->requests.size(), 1u);
  EXPECT_TRUE(c.shell.log.isEmpty());
}

} // namespace
