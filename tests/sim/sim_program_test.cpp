// The simulator as a program and its transports in this process's event loop.
#include "sim_test_helpers.h"
#include "transport/sim_pty.h"
#include "transport/sim_tcp_server.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace quorvane;
using namespace quorvane::sim;
using namespace quorvane::sim::test;

namespace {

const std::vector<std::uint8_t> kIdentify = buildFrame(orderByte(Order::Identify), 0);
constexpr std::size_t kIdentifyReply = kHeaderSize + kFirmwareReplyBytes;

QByteArray bytesOf(const std::vector<std::uint8_t> &v) {
  return QByteArray(reinterpret_cast<const char *>(v.data()), static_cast<qsizetype>(v.size()));
}

std::vector<std::uint8_t> vectorOf(const QByteArray &a) {
  return {a.begin(), a.end()};
}

// Starts the program and returns the first stdout line that starts with `prefix`, minus it.
QString startProgram(QProcess &process, const QStringList &args, const QString &prefix) {
  process.start(QStringLiteral(QUORVANE_SIM_PATH), args);
  if (!process.waitForStarted(5000)) return {};
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 10000) {
    if (!process.canReadLine() && !process.waitForReadyRead(1000)) continue;
    while (process.canReadLine()) {
      const QString line = QString::fromUtf8(process.readLine()).trimmed();
      if (line.startsWith(prefix)) return line.mid(prefix.size());
    }
  }
  return {};
}

void stopProgram(QProcess &process) {
  process.terminate();
  EXPECT_TRUE(process.waitForFinished(5000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 0);
}

void expectIdentifyReply(const std::vector<std::uint8_t> &reply, std::uint16_t serial) {
  const auto frames = parseFrames(reply);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_TRUE(frames[0].headerOk && frames[0].dataOk);
  EXPECT_EQ(frames[0].header.order, 7);
  EXPECT_EQ(frames[0].header.argument, serial);
  EXPECT_EQ(std::string(frames[0].payload.begin(), frames[0].payload.begin() + 17),
            "QUORVANE ANA V1.3");
}

int openRawTerminal(const QString &path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return fd;
  termios t{};
  ::tcgetattr(fd, &t);
  ::cfmakeraw(&t);
  ::tcsetattr(fd, TCSANOW, &t);
  return fd;
}

// Reads from fd until n bytes arrived or the time is up.
std::vector<std::uint8_t> readTerminal(int fd, std::size_t n, int timeoutMs) {
  std::vector<std::uint8_t> out;
  QElapsedTimer timer;
  timer.start();
  while (out.size() < n && timer.elapsed() < timeoutMs) {
    // The simulator may live in this process: let its event loop run between looks.
    QTest::qWait(2);
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0) continue;
    std::uint8_t buffer[512];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) out.insert(out.end(), buffer, buffer + got);
  }
  return out;
}

} // namespace

TEST(SimProgram, AnswersIdentifyOverTcp) {
  QProcess process;
  const QString port =
      startProgram(process, {"--tcp-port", "0", "--serial-number", "815"}, "TCP PORT ");
  ASSERT_FALSE(port.isEmpty()) << process.readAllStandardError().toStdString();
  QTcpSocket socket;
  socket.connectToHost(QHostAddress::LocalHost, port.toUShort());
  ASSERT_TRUE(socket.waitForConnected(5000));
  socket.write(bytesOf(kIdentify));
  QByteArray reply;
  while (reply.size() < qsizetype(kIdentifyReply) && socket.waitForReadyRead(3000))
    reply += socket.readAll();
  expectIdentifyReply(vectorOf(reply), 815);
  stopProgram(process);
}

TEST(SimProgram, AnswersIdentifyOverThePseudoTerminal) {
  QTemporaryDir dir;
  const QString link = dir.filePath("ttyQUORVANE");
  QProcess process;
  const QString path = startProgram(process, {"--no-tcp", "--pty-link", link}, "PTY ");
  ASSERT_EQ(path, link) << process.readAllStandardError().toStdString();
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  const int fd = openRawTerminal(path);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, kIdentify.data(), kIdentify.size()),
            static_cast<ssize_t>(kIdentify.size()));
  expectIdentifyReply(readTerminal(fd, kIdentifyReply, 5000), 4711);
  ::close(fd);
  stopProgram(process);
  EXPECT_FALSE(QFileInfo::exists(link)) << "the link is removed at exit";
}

TEST(SimProgram, RefusesABadCommandLine) {
  QProcess process;
  process.start(QStringLiteral(QUORVANE_SIM_PATH), {"--drop-every", "zero"});
  ASSERT_TRUE(process.waitForFinished(5000));
  EXPECT_EQ(process.exitCode(), 2);
  EXPECT_TRUE(process.readAllStandardError().contains("--drop-every"));
}

TEST(SimTcpTransport, SplitDeliveryStillDeliversWholeFramesAndDisconnectAfterCloses) {
  SimOptions o;
  o.splitDelivery = true;
  o.disconnectAfter = 1;
  SimTcpServer server(o);
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  QTcpSocket client;
  int reads = 0;
  QByteArray received;
  QObject::connect(&client, &QTcpSocket::readyRead, [&] {
    ++reads;
    received += client.readAll();
  });
  client.connectToHost(QHostAddress::LocalHost, server.serverPort());
  ASSERT_TRUE(client.waitForConnected(5000));
  client.write(bytesOf(kIdentify));
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return client.state() == QAbstractSocket::UnconnectedState; }, 5000));
  expectIdentifyReply(vectorOf(received), 4711);
  EXPECT_GT(reads, 1);
  EXPECT_FALSE(server.hasClient());
}

TEST(SimTcpTransport, ANewClientReplacesTheOld) {
  SimTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  QTcpSocket first, second;
  first.connectToHost(QHostAddress::LocalHost, server.serverPort());
  ASSERT_TRUE(first.waitForConnected(5000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return server.hasClient(); }, 5000));
  second.connectToHost(QHostAddress::LocalHost, server.serverPort());
  ASSERT_TRUE(second.waitForConnected(5000));
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return first.state() == QAbstractSocket::UnconnectedState; }, 5000));
  second.write(bytesOf(kIdentify));
  QByteArray reply;
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        reply += second.readAll();
        return reply.size() >= qsizetype(kIdentifyReply);
      },
      5000));
  expectIdentifyReply(vectorOf(reply), 4711);
  EXPECT_EQ(server.model().requests().size(), 1u);
}

TEST(SimPtyTransport, BaudEmulationPacesOutputAtTheNewRate) {
  SimOptions o;
  o.baudEmulation = true;
  SimPty pty(o);
  ASSERT_TRUE(pty.open()) << pty.errorString().toStdString();
  const int fd = openRawTerminal(pty.slavePath());
  ASSERT_GE(fd, 0);
  const auto baud = buildFrame(orderByte(Order::SetBaudRate), 0); // 9600 baud
  ASSERT_EQ(::write(fd, baud.data(), baud.size()), static_cast<ssize_t>(baud.size()));
  EXPECT_EQ(readTerminal(fd, kHeaderSize, 3000).size(), kHeaderSize);
  EXPECT_EQ(pty.model().baudCode(), 0);

  // The teach table reply, 504 bytes, takes at least 504 x 10 / 9600 s = 0.525 s on the line.
  const auto read = buildFrame(orderByte(Order::ReadParameters), 2);
  QElapsedTimer timer;
  timer.start();
  ASSERT_EQ(::write(fd, read.data(), read.size()), static_cast<ssize_t>(read.size()));
  const auto reply = readTerminal(fd, kHeaderSize + kTeachTableBytes, 5000);
  EXPECT_GE(timer.elapsed(), 500);
  ASSERT_EQ(parseFrames(reply).size(), 1u);
  EXPECT_TRUE(parseFrames(reply)[0].dataOk);
  ::close(fd);
}
