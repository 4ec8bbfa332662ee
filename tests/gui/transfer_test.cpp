// SEND and GET through the main window: the frames the simulated sensor receives, the
// plausibility report, the round trip of every word, the parameter file, and the start-up
// read after the handshake.
#include "app_fixture.h"

#include "app/connection_status_box.h"
#include "ini/ini_text.h"
#include "live/big_display_panel.h"
#include "params/core/parameter_file.h"

#include <QLineEdit>

#include <algorithm>

namespace quorvane::testing {
namespace {

// A record that every rule leaves as it is (colour evaluation on, BINARY, three rows) but
// whose every word differs from the defaults.
SensorParameters settledParameters() {
  SensorParameters p;
  p.power = 640;
  p.average = 9;
  p.evaluationMode = 1;
  p.holdFail = 25;
  p.intLim = 12;
  p.maxVecNo = 3;
  p.digitalOutmode = 2;
  p.dynwinLo = 3000;
  p.dynwinHi = 3500;
  p.ledMode = 1;
  p.gain = 3;
  p.integral = 7;
  p.analogOutmode = 2;
  p.analogZoom = 4;
  return p;
}

TeachTable distinctTable(std::uint16_t reservedBase) {
  TeachTable t{};
  for (std::size_t r = 0; r < kTeachRows; ++r) {
    for (std::size_t c = 0; c < kTeachCells; ++c)
      t[r].cell[c] = static_cast<std::uint16_t>(1000 * r + 10 * c + 3);
    t[r].group = static_cast<std::uint16_t>(r % 3);
    t[r].hold = static_cast<std::uint16_t>(500 + r);
    t[r].reserved = static_cast<std::uint16_t>(reservedBase + r);
  }
  t[30].cell[4] = 65535;
  return t;
}

using TransferTest = AppFixture;

TEST_F(TransferTest, StartUpReadsTheParametersAndShowsThem) {
  startSensor();
  model().ram().params[0] = settledParameters();
  model().ram().teach[0] = distinctTable(0x5A00);
  writeSettings(sensor->serverPort());
  create();
  app->startUp();
  settleUntil([this] { return app->idle(); });

  EXPECT_EQ(requests(), (std::vector<Request>{{7, 0, 0}, {2, 0, 0}, {2, 2, 0}}));
  EXPECT_TRUE(dialogs.popups().empty());
  EXPECT_EQ(parameterPage().fieldValue(field::kPower), 640);
  EXPECT_EQ(parameterPage().fieldValue(field::kGain), 3);
  EXPECT_EQ(groupPage().holdFail(), 25);
  EXPECT_EQ(teachPage().cell(30, 4), 65535);
  EXPECT_EQ(groupPage().group(2), 2);
  EXPECT_EQ(groupPage().hold(7), 507);
  EXPECT_EQ(app->params().para, settledParameters());
  EXPECT_EQ(app->params().table, distinctTable(0x5A00));

  ConnectionPage &page = app->connectionPage();
  for (QWidget *w : std::initializer_list<QWidget *>{
           page.acceptButton(), page.changeBaudrateButton(), page.hardwareInfoButton(),
           window().goButton(), window().sendButton(), window().getButton()})
    EXPECT_TRUE(w->isEnabled()) << w->accessibleName().toStdString();
  // TRIGGER is CONT: only ParaSet0.
  EXPECT_FALSE(window().paraSetButton(1)->isEnabled());
  EXPECT_TRUE(window().paraSetButton(0)->isChecked());
}

TEST_F(TransferTest, SendToRamOfParaSet1WritesBothBlocksOnly) {
  startConnected();
  window().paraSetButton(1)->click();
  EXPECT_EQ(app->params().paraSet, 0) << "ParaSet1 is dimmed outside TRIGGER PARA";

  choose(field::kTrigger, 6);
  ASSERT_TRUE(window().paraSetButton(1)->isEnabled());
  window().paraSetButton(1)->click();
  window().sendButton()->click();
  settle();

  EXPECT_EQ(requests(), (std::vector<Request>{{1, 1, 40}, {1, 3, 496}}));
  EXPECT_EQ(model().ramParameters(1).trigger, 6);
  EXPECT_TRUE(window().sendButton()->isEnabled());
  EXPECT_TRUE(window().goButton()->isEnabled());
}

TEST_F(TransferTest, EepromTargetAddsTheStoreToSendAndTheLoadToGet) {
  startConnected();
  window().memoryButton(ParameterMemory::Eeprom)->click();
  ASSERT_EQ(app->params().memory, ParameterMemory::Eeprom);

  window().sendButton()->click();
  settle();
  EXPECT_EQ(requests(), (std::vector<Request>{{1, 0, 40}, {1, 2, 496}, {3, 0, 0}}));

  model().clearRequests();
  window().getButton()->click();
  settle();
  EXPECT_EQ(requests(), (std::vector<Request>{{4, 0, 0}, {2, 0, 0}, {2, 2, 0}}));
  EXPECT_TRUE(dialogs.popups().empty());
}

TEST_F(TransferTest, PlausibilityWordIsLoggedAndTheTableStillGoesOut) {
  sim::SimOptions options;
  options.plausibilityWord = 3;
  startConnected(options);
  const QString logBefore = app->connectionPage().logText();

  window().sendButton()->click();
  settle();

  EXPECT_EQ(requests(), (std::vector<Request>{{1, 0, 40}, {1, 2, 496}}));
  const QString message = "INFO!\n3 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE "
                          "SET TO DEFAULT VALUE!\n\n";
  // Both block writes were answered with 3.
  EXPECT_EQ(app->connectionPage().logText(), logBefore + message + message);
  EXPECT_EQ(window().connectionStatusBox()->status(), "TIMEOUT!");
  EXPECT_EQ(window().currentPage(), MainPage::Connection);
  EXPECT_FALSE(app->link().linkOk());
}

TEST_F(TransferTest, GetThenSendReturnsEveryWordIncludingReservedOnes) {
  startSensor();
  writeSettings(sensor->serverPort());
  create();
  app->startUp();
  settleUntil([this] { return app->idle(); });
  model().ram().params[0] = settledParameters();
  model().ram().teach[0] = distinctTable(0xC300);
  window().getButton()->click();
  settle();
  EXPECT_TRUE(dialogs.popups().empty());

  // The sensor forgets everything; SEND must give back exactly what GET brought.
  model().ram().params[0] = SensorParameters{};
  model().ram().teach[0] = TeachTable{};
  model().clearRequests();
  window().sendButton()->click();
  settle();

  ASSERT_EQ(requests(), (std::vector<Request>{{1, 0, 40}, {1, 2, 496}}));
  const ParameterBytes record = encodeParameters(settledParameters());
  const TeachTableBytes table = encodeTeachTable(distinctTable(0xC300));
  EXPECT_TRUE(std::ranges::equal(model().requests()[0].payload, record));
  EXPECT_TRUE(std::ranges::equal(model().requests()[1].payload, table));
}

TEST_F(TransferTest, FileTargetNeverTouchesTheLinkAndIsRemembered) {
  startConnected();
  window().memoryButton(ParameterMemory::File)->click();
  const QString path = dir.filePath("sub/Line7.ini");
  ASSERT_TRUE(QDir(dir.path()).mkpath("sub"));

  dialogs.answerFile(FileSelectResult::NewFile, path);
  window().sendButton()->click();
  settle();
  dialogs.answerFile(FileSelectResult::ExistingFile, path);
  window().getButton()->click();
  settle();

  EXPECT_TRUE(requests().empty());
  EXPECT_TRUE(QFile::exists(path));
  ASSERT_EQ(dialogs.fileDirectories.size(), 2);
  EXPECT_EQ(dialogs.fileDirectories[0], dir.path()) << "the stored PARAMETER FILE folder";
  EXPECT_EQ(dialogs.fileDirectories[1], dir.filePath("sub"));

  window().close();
  QFile f(settingsPath());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.readAll().contains("PARAMETER FILE = \"" + path.toUtf8() + "\"\r\n"));
}

TEST_F(TransferTest, StoredParameterFileIsWhereTheDialogOpens) {
  startSensor();
  const QString folder = dir.filePath("params");
  ASSERT_TRUE(QDir(dir.path()).mkpath("params"));
  writeSettings(sensor->serverPort(),
                "[DIRECTORIES]\r\nPARAMETER FILE = \"" + folder.toUtf8() + "/Old.ini\"\r\n\r\n");
  create();
  app->startUp();
  settleUntil([this] { return app->idle(); });
  window().memoryButton(ParameterMemory::File)->click();
  dialogs.answerFile(FileSelectResult::Cancelled, QString());
  window().getButton()->click();
  settle();
  ASSERT_EQ(dialogs.fileDirectories.size(), 1);
  EXPECT_EQ(dialogs.fileDirectories[0], folder);
}

TEST_F(TransferTest, OfflineTheOperatorLoadsEditsAndSavesAParameterFile) {
  startOffline();
  ASSERT_EQ(app->params().memory, ParameterMemory::File);
  const QString in = dir.filePath("In.ini");
  const QString out = dir.filePath("Out.ini");
  const TeachTable table = distinctTable(0);
  ASSERT_GE(parameterDocument(settledParameters(), table).writeToFile(in.toStdString()), 0);

  dialogs.answerFile(FileSelectResult::ExistingFile, in);
  window().getButton()->click();
  settle();
  EXPECT_EQ(parameterPage().fieldValue(field::kPower), 640);
  EXPECT_EQ(teachPage().cell(4, 1), 4013);

  type(field::kPower, 321);
  dialogs.answerFile(FileSelectResult::NewFile, out);
  window().sendButton()->click();
  settle();

  IniText saved;
  ASSERT_GE(saved.readFromFile(out.toStdString()), 0);
  SensorParameters para;
  TeachTable savedTable{};
  EXPECT_TRUE(readParameterSection(saved, para).empty());
  EXPECT_TRUE(readTeachSections(saved, savedTable).empty());
  SensorParameters expected = settledParameters();
  expected.power = 321;
  EXPECT_EQ(para, expected);
  for (std::size_t r = 0; r < kTeachRows; ++r) {
    EXPECT_EQ(savedTable[r].cell, table[r].cell) << "row " << r;
    EXPECT_EQ(savedTable[r].group, table[r].group) << "row " << r;
    EXPECT_EQ(savedTable[r].hold, table[r].hold) << "row " << r;
  }
  for (const Popup &p : dialogs.popups())
    EXPECT_EQ(p.kind, "file") << p.title.toStdString() << ": " << p.text.toStdString();
}

TEST_F(TransferTest, StatusFieldStaysRightBesideTheMeasurementPanel) {
  startSensor(sim::SimOptions{});
  writeSettings(sensor->serverPort());
  create();
  ConnectionStatusBox *status = window().connectionStatusBox();
  QStringList seen;
  const QMetaObject::Connection watch = QObject::connect(
      &app->connection(), &Connection::transportChosen, status, [&] { seen << status->status(); });
  app->startUp();
  settleUntil([this] { return app->idle(); });
  QObject::disconnect(watch);
  ASSERT_EQ(seen, QStringList{"TRY TO CONNECT!"});

  ASSERT_EQ(window().childPanel(ChildPanel::Measurement), &panel());
  EXPECT_TRUE(status->isVisible());
  EXPECT_TRUE(panel().isVisible());
  EXPECT_LT(status->mapTo(&window(), QPoint()).y(), panel().mapTo(&window(), QPoint()).y());
  EXPECT_TRUE(status->status().startsWith("QUORVANE ANA V1.3"));
  EXPECT_TRUE(status->statusField()->toolTip().startsWith("QUORVANE ANA V1.3.2"));
  EXPECT_EQ(window().topLevelPanel(TopPanel::BigColourNumber),
            static_cast<QWidget *>(&panel().bigColourPanel()));
  EXPECT_EQ(window().topLevelPanel(TopPanel::BigGroup),
            static_cast<QWidget *>(&panel().bigGroupPanel()));
  EXPECT_EQ(panel().bigGroupPanel().identification(), "Line 7");

  app->link().report("ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!");
  EXPECT_EQ(status->status(), "TIMEOUT!");

  app->connectionPage().disconnectButton()->click();
  EXPECT_EQ(status->status(), "NO SENSOR CONNECTED!");
  EXPECT_TRUE(status->isVisible());
}

} // namespace
} // namespace quorvane::testing
