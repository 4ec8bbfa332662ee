// Opening and losing the two transports: error texts, line speeds, a server that closes.
#include "link/core/link_messages.h"
#include "link/link_rig.h"
#include "link/serial_transport.h"
#include "link/tcp_transport.h"
#include "support/settle.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

QString q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

TEST(TcpConnect, FailuresReadAsTheConnectTable) {
  struct Row {
    std::string name;
    QString host;
    QString port;
    int result;
    std::string_view message;
  };
  const QString unused = QString::number(unusedTcpPort());
  const std::vector<Row> rows = {
      {"refused port", "127.0.0.1", unused, linktext::tcp::kUnableToEstablishConnection,
       "UnableToEstablishConnection"},
      {"unknown host", "no-such-sensor.invalid", "10001", linktext::tcp::kFailedToConnect,
       "FailedToConnect"},
      {"port text abc is port 0", "127.0.0.1", "abc", linktext::tcp::kInvalidParameter,
       "InvalidParameter"},
      {"port out of range", "127.0.0.1", "70000", linktext::tcp::kInvalidParameter,
       "InvalidParameter"},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.name);
    SensorLink link;
    std::vector<QString> failures;
    QObject::connect(&link, &SensorLink::failed, [&](const QString &m) { failures.push_back(m); });
    {
      CommunicationSettings cs = link.settings();
      cs.protocol = Protocol::Tcp;
      cs.ipAddress = QString(row.host).toStdString();
      cs.portNumber = QString(row.port).toStdString();
      link.setSettings(cs);
    }
    EXPECT_EQ(QCoro::waitFor(link.connectTcp()), row.result);
    EXPECT_EQ(link.lastOpenResult(), row.result);
    EXPECT_FALSE(link.tcpConnected());
    EXPECT_EQ(link.transport(), nullptr);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], q(row.message));
  }
}

TEST(TcpConnect, PortTextWithTrailingGarbageStillConnects) {
  TcpPeer peer;
  SensorLink link;
  {
    CommunicationSettings cs = link.settings();
    cs.protocol = Protocol::Tcp;
    cs.ipAddress = "127.0.0.1";
    cs.portNumber = QString(QString::number(peer.port()) + "xyz").toStdString();
    link.setSettings(cs);
  }
  EXPECT_EQ(QCoro::waitFor(link.connectTcp()), 0);
  EXPECT_TRUE(link.tcpConnected());
  EXPECT_EQ(link.lastOpenResult(), 0);
}

TEST(SerialOpen, FailuresReadAsTheOpenTable) {
  struct Row {
    std::string name;
    std::uint16_t comPort;
    QString device;
    int result;
    std::string_view message;
  };
  const std::vector<Row> rows = {
      {"missing device", 1, "/dev/quorvane-no-such-port", linktext::rs232::kNoSerialPort,
       "No serial port found"},
      {"port 0 names no device", 0, "", linktext::rs232::kInvalidPortNumber, "Invalid port number"},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.name);
    SensorLink link;
    std::vector<QString> failures;
    QObject::connect(&link, &SensorLink::failed, [&](const QString &m) { failures.push_back(m); });
    startAcquisitionUntilFailure(link, Acquisition::Live);
    {
      CommunicationSettings cs = link.settings();
      cs.comPort = row.comPort;
      cs.comDevice = QString(row.device).toStdString();
      link.setSettings(cs);
    }
    EXPECT_EQ(link.openSerialPort(), row.result);
    EXPECT_EQ(link.lastOpenResult(), row.result);
    EXPECT_FALSE(link.acquisitionRunning());
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], q(row.message));
    settleUntil([&] { return link.idle(); });
  }
}

TEST(SerialOpen, BaudCodesOpenTheirSpeedAndUnknownCodesTheDefault) {
  const std::vector<std::pair<std::uint16_t, int>> rows = {
      {0, 9600}, {4, 115200}, {7, 921600}, {9, 115200}, {65535, 115200}};
  for (const auto &[code, rate] : rows) {
    SCOPED_TRACE(code);
    LinkRig rig(Wire::Pty);
    {
      CommunicationSettings cs = rig.link.settings();
      cs.baudCode = code;
      rig.link.setSettings(cs);
    }
    ASSERT_EQ(rig.open(), 0);
    auto *serial = dynamic_cast<SerialTransport *>(rig.link.transport());
    ASSERT_NE(serial, nullptr);
    EXPECT_EQ(serial->baudRate(), rate);
    EXPECT_EQ(static_cast<PtyPeer &>(*rig.peer).slaveBaudRate(), rate);
  }
}

TEST(SerialOpen, OpeningSerialDropsTheTcpConnectionQuietly) {
  TcpPeer server;
  LinkRig rig(Wire::Pty);
  {
    CommunicationSettings cs = rig.link.settings();
    cs.ipAddress = "127.0.0.1";
    cs.portNumber = std::to_string(server.port());
    rig.link.setSettings(cs);
  }
  ASSERT_EQ(QCoro::waitFor(rig.link.connectTcp()), 0);
  ASSERT_EQ(rig.link.openSerialPort(), 0);
  EXPECT_FALSE(rig.link.tcpConnected());
  QTest::qWait(50);
  EXPECT_TRUE(rig.failures.empty());
}

TEST(SerialLine, PulledAdapterEndsTheWaitWithTheTimeoutMessage) {
  LinkRig rig(Wire::Pty);
  ASSERT_EQ(rig.open(), 0);
  rig.link.setFrameTimeoutSeconds(60); // a wait that missed the fault would run into the test limit
  QTimer::singleShot(50, [&] { static_cast<PtyPeer &>(*rig.peer).hangUp(); });
  EXPECT_FALSE(QCoro::waitFor(rig.link.request(Order::ReadMeasurement, 0)).ok);
  ASSERT_EQ(rig.failures.size(), 1u);
  EXPECT_EQ(rig.failures[0], q(linktext::kTimeout));
  EXPECT_GT(rig.link.portStatus(), 0);
  EXPECT_FALSE(rig.link.transport()->isOpen());
}

TEST(ServerClose, DuringAWaitIsReportedOnceAndEndsTheWait) {
  LinkRig rig(Wire::Tcp);
  ASSERT_EQ(rig.open(), 0);
  // Long enough that a wait which missed the close would end in a second report.
  rig.link.setFrameTimeoutSeconds(60);
  rig.link.markVerified();
  rig.answer({{Bytes{0x55, 0x08}, 20, false, true}}); // part of a header, then gone
  EXPECT_FALSE(QCoro::waitFor(rig.link.request(Order::ReadMeasurement, 0)).ok);
  ASSERT_EQ(rig.failures.size(), 1u);
  EXPECT_EQ(rig.failures[0], q(linktext::kServerClosed));
  EXPECT_FALSE(rig.link.tcpConnected());
  EXPECT_FALSE(rig.link.linkOk());
  EXPECT_EQ(rig.link.transport(), nullptr);

  // Later exchanges fail at once instead of waiting for a reply that cannot come.
  rig.link.setFrameTimeoutSeconds(3.0);
  EXPECT_FALSE(QCoro::waitFor(rig.link.request(Order::ReadMeasurement, 0)).ok);
  ASSERT_EQ(rig.failures.size(), 2u);
  EXPECT_EQ(rig.failures[1], q(linktext::kTimeout));
}

TEST(ServerClose, AfterACompleteReplyTheReplyCountsAndTheCloseIsReported) {
  LinkRig rig(Wire::Tcp);
  ASSERT_EQ(rig.open(), 0);
  rig.answer({{replyFrame(8, 0, Bytes(46, 1)), 0, false, true}});
  EXPECT_TRUE(QCoro::waitFor(rig.link.request(Order::ReadMeasurement, 0)).ok);
  QTest::qWait(100);
  ASSERT_EQ(rig.failures.size(), 1u);
  EXPECT_EQ(rig.failures[0], q(linktext::kServerClosed));
  EXPECT_FALSE(rig.link.tcpConnected());
}

TEST(ServerClose, WhileIdleIsReported) {
  LinkRig rig(Wire::Tcp);
  ASSERT_EQ(rig.open(), 0);
  ASSERT_TRUE(rig.link.tcpConnected());
  rig.link.markVerified();
  startAcquisitionUntilFailure(rig.link, Acquisition::Live);
  rig.peer->dropClient();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !rig.failures.empty(); }, 2000));
  ASSERT_EQ(rig.failures.size(), 1u);
  EXPECT_EQ(rig.failures[0], q(linktext::kServerClosed));
  EXPECT_FALSE(rig.link.tcpConnected());
  EXPECT_FALSE(rig.link.linkOk());
  EXPECT_FALSE(rig.link.acquisitionRunning());
  settleUntil([&] { return rig.link.idle(); });
}

TEST(ServerClose, OurOwnDisconnectIsNotAFailure) {
  LinkRig rig(Wire::Tcp);
  ASSERT_EQ(rig.open(), 0);
  rig.link.disconnectTcp();
  QTest::qWait(50);
  EXPECT_FALSE(rig.link.tcpConnected());
  EXPECT_TRUE(rig.failures.empty());
}

TEST(ServerClose, EndsAStreamingWait) {
  LinkRig rig(Wire::Tcp);
  ASSERT_EQ(rig.open(), 0);
  rig.peer->send({{Bytes{}, 50, false, true}});
  StreamEnd end = StreamEnd::Complete;
  runAcquisition(rig.link, Acquisition::Recording,
                 [&]() -> QCoro::Task<> { end = co_await rig.link.receive(54); });
  EXPECT_NE(end, StreamEnd::Complete);
  EXPECT_EQ(rig.failures.size(), 1u);
}

} // namespace

TEST(TcpWriteTimeout, AFrameThatCannotLeaveIsALineFault) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  TcpTransport tcp;
  ASSERT_EQ(QCoro::waitFor(tcp.connectTo("127.0.0.1", server.serverPort(), 2000)), 0);
  ASSERT_TRUE(server.hasPendingConnections() || server.waitForNewConnection(2000));
  QTcpSocket *peer = server.nextPendingConnection(); // accepts, never reads
  peer->setReadBufferSize(1);
  tcp.socket().setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 4096);
  tcp.setWriteTimeoutMs(200);
  QSignalSpy faults(&tcp, &Transport::portError);

  const std::vector<std::uint8_t> flood(64 << 20); // more than both kernel buffers take
  EXPECT_EQ(tcp.write(flood.data(), flood.size()), static_cast<qint64>(flood.size()));

  ASSERT_TRUE(faults.wait(5000));
  EXPECT_EQ(tcp.portStatus(), Transport::kWriteTimeout);
  tcp.flushQueues();
  EXPECT_EQ(tcp.portStatus(), 0) << "the next exchange starts clean";
}
