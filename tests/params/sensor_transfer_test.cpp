// SEND and GET against the simulated sensor over a local TCP connection: the requests on
// the wire, the plausibility messages and the round trip of every word.
#include "params_fixture.h"
#include "transport/sim_tcp_server.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace quorvane::testing {
namespace {

struct Request {
  int order;
  int argument;
  std::size_t payloadBytes;
  bool operator==(const Request &) const = default;
};

std::ostream &operator<<(std::ostream &os, const Request &r) {
  return os << "{order " << r.order << ", argument " << r.argument << ", " << r.payloadBytes
            << " bytes}";
}

struct SensorTransferTest : ParamsFixture {
  sim::SimTcpServer server{[] {
    sim::SimOptions o;
    o.tcpPort = 0;
    return o;
  }()};
  QStringList failures;

  void SetUp() override {
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0)) << server.errorString().toStdString();
    {
      CommunicationSettings cs = link.settings();
      cs.protocol = Protocol::Tcp;
      cs.ipAddress = "127.0.0.1";
      cs.portNumber = std::to_string(server.serverPort());
      link.setSettings(cs);
    }
    ASSERT_GE(QCoro::waitFor(link.connectTcp()), 0);
    link.markVerified();
    QObject::connect(&link, &SensorLink::failed, [this](const QString &m) { failures << m; });
    server.model().clearRequests();
  }

  std::vector<Request> requests() {
    std::vector<Request> out;
    for (const sim::ReceivedRequest &r : server.model().requests())
      out.push_back({r.order, r.argument, r.payload.size()});
    return out;
  }
  const sim::ReceivedRequest &request(std::size_t i) { return server.model().requests().at(i); }
};

TEST_F(SensorTransferTest, SendToRamOfSetOneWritesBothBlocksOnly) {
  buttons.paraSet1->click();
  data.setPara(distinctParameters());
  data.setTable(distinctTable());
  clickAndSettle(buttons.send);

  EXPECT_EQ(requests(), (std::vector<Request>{{1, 1, 40}, {1, 3, 496}}));
  const ParameterBytes record = encodeParameters(distinctParameters());
  EXPECT_TRUE(std::ranges::equal(request(0).payload, record));
  EXPECT_EQ(server.model().ramParameters(1), distinctParameters());
  EXPECT_EQ(shell.dims, (std::vector<std::pair<bool, bool>>{{false, true}, {false, false}}));
  EXPECT_TRUE(failures.isEmpty());
}

TEST_F(SensorTransferTest, SendToEepromStoresAfterBothWrites) {
  buttons.eeprom->click();
  clickAndSettle(buttons.send);
  EXPECT_EQ(requests(), (std::vector<Request>{{1, 0, 40}, {1, 2, 496}, {3, 0, 0}}));
  EXPECT_EQ(server.model().eeprom(), server.model().ram());
}

TEST_F(SensorTransferTest, GetFromEepromLoadsFirstAndShowsWhatWasRead) {
  sim::SensorMemory memory = server.model().eeprom();
  memory.params[0] = distinctParameters();
  memory.teach[0] = distinctTable();
  server.model().eeprom() = memory;
  buttons.eeprom->click();
  clickAndSettle(buttons.get);

  EXPECT_EQ(requests(), (std::vector<Request>{{4, 0, 0}, {2, 0, 0}, {2, 2, 0}}));
  EXPECT_EQ(state.para, distinctParameters());
  EXPECT_EQ(state.table, distinctTable()); // reserved words from the sensor included
  EXPECT_EQ(rulePasses, 1);
  EXPECT_EQ(graphRedraws, 1);
  EXPECT_TRUE(shell.log.isEmpty());
}

TEST_F(SensorTransferTest, ImplausibleEepromIsLoggedAndTheReadsStillFollow) {
  SensorParameters bad = distinctParameters();
  bad.power = 2000;
  bad.gain = 9;
  bad.ledMode = 8;
  server.model().eeprom().params[0] = bad;
  buttons.eeprom->click();
  clickAndSettle(buttons.get);

  EXPECT_EQ(requests(), (std::vector<Request>{{4, 0, 0}, {2, 0, 0}, {2, 2, 0}}));
  EXPECT_EQ(shell.log, "INFO!\n3 PARAMETER FROM EEPROM DID NOT PASS PLAUSIBILITY CHECK AND WERE "
                       "SET TO DEFAULT VALUE!\n\n");
  ASSERT_FALSE(shell.pagesShown.empty());
  EXPECT_EQ(shell.pagesShown.front(), MainPage::Connection);
  EXPECT_TRUE(failures.isEmpty()); // no link failure: the link stays up
  EXPECT_TRUE(link.linkOk());
  EXPECT_EQ(parameters.fieldValue(field::kGain), SensorParameters{}.gain);
}

TEST_F(SensorTransferTest, ReadFromAnotherMemoryLeavesTheTargetAlone) {
  server.model().ram().params[1] = distinctParameters();
  buttons.eeprom->click();
  buttons.paraSet1->click();
  EXPECT_TRUE(QCoro::waitFor(controller.readParameters(ParameterMemory::Ram)));

  EXPECT_EQ(requests(), (std::vector<Request>{{2, 1, 0}, {2, 3, 0}}));
  EXPECT_EQ(state.para, distinctParameters());
  EXPECT_EQ(state.memory, ParameterMemory::Eeprom);
  EXPECT_TRUE(buttons.eeprom->isChecked());
}

TEST_F(SensorTransferTest, ImplausibleRamWriteIsReportedAndTheTableStillGoesOut) {
  // Values the rings do not offer still go out as they are.
  data.setField(field::kGain, 9);
  data.setField(field::kLedMode, 8);
  data.setField(field::kPowerMode, 4);
  clickAndSettle(buttons.send);

  EXPECT_EQ(requests(), (std::vector<Request>{{1, 0, 40}, {1, 2, 496}}));
  const QString message = QStringLiteral("INFO!\n3 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY "
                                         "CHECK AND WERE SET TO DEFAULT VALUE!");
  EXPECT_EQ(failures, QStringList{message});
  EXPECT_EQ(link.errorText(), message);
  EXPECT_FALSE(link.linkOk());
}

TEST_F(SensorTransferTest, ValuesReadBackAndSentAgainArriveUnchanged) {
  sim::SensorMemory memory = server.model().ram();
  memory.params[1] = distinctParameters();
  memory.teach[1] = distinctTable();
  server.model().ram() = memory;
  buttons.paraSet1->click();
  clickAndSettle(buttons.get);
  server.model().clearRequests();
  clickAndSettle(buttons.send);

  ASSERT_EQ(requests(), (std::vector<Request>{{1, 1, 40}, {1, 3, 496}}));
  const ParameterBytes record = encodeParameters(distinctParameters());
  const TeachTableBytes table = encodeTeachTable(distinctTable());
  EXPECT_TRUE(std::ranges::equal(request(0).payload, record));
  EXPECT_TRUE(std::ranges::equal(request(1).payload, table));
  EXPECT_EQ(server.model().ram(), memory);
}

TEST_F(SensorTransferTest, FailedReadStopsTheSequenceAndLeavesThePanel) {
  sim::SimOptions options;
  options.tcpPort = 0;
  options.errorOn = 2;
  options.errorReplyWord = 1;
  sim::SimTcpServer refusing(options);
  ASSERT_TRUE(refusing.listen(QHostAddress::LocalHost, 0));
  {
    CommunicationSettings cs = link.settings();
    cs.portNumber = std::to_string(refusing.serverPort());
    link.setSettings(cs);
  }
  ASSERT_GE(QCoro::waitFor(link.connectTcp()), 0);
  data.setField(field::kPower, 321);
  clickAndSettle(buttons.get);

  ASSERT_EQ(refusing.model().requests().size(), 1u);
  EXPECT_EQ(failures, QStringList{"INVALIDE ORDER NUMBER!\nVERIFY PC AND SENSOR SOFTWARE!"});
  EXPECT_EQ(parameters.fieldValue(field::kPower), 321);
  EXPECT_EQ(rulePasses, 0);
}

TEST_F(SensorTransferTest, FileTargetNeverTouchesTheLink) {
  QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("Parameter.ini"));
  buttons.file->click();
  dialogs.answerFile(FileSelectResult::NewFile, file);
  clickAndSettle(buttons.send);
  dialogs.answerFile(FileSelectResult::ExistingFile, file);
  clickAndSettle(buttons.get);
  EXPECT_TRUE(QFileInfo::exists(file));
  EXPECT_EQ(dialogs.popups().size(), 2u); // the two file dialogs, nothing else
  EXPECT_EQ(requests(), std::vector<Request>{});
  EXPECT_TRUE(shell.dims.empty());
  EXPECT_TRUE(failures.isEmpty());
}

} // namespace
} // namespace quorvane::testing
