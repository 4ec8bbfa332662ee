// The service functions through the main window against the simulated sensor: the
// calibration run, the calibration and offset orders, the password panel and the hardware
// initial file.
#include "app_fixture.h"

#include "link/core/bytes.h"
#include "live/frame_publisher.h"
#include "model/hardware_info.h"
#include "params/core/parameter_file.h"
#include "service/core/hardware_info.h"
#include "service/service_subsystem.h"

#include <QDir>
#include <QLineEdit>
#include <QStyle>
#include <QtTest/QTest>

namespace quorvane::testing {
namespace {

constexpr int kMeasure = 8;
const QString kPassedText = "Calibration successful! \nCalibration factors were sent to the "
                            "EEPROM of the sensor. \nGO mode will be activated. ";

std::vector<std::uint8_t> le(const ChannelWords &words) {
  std::vector<std::uint8_t> out(6);
  for (std::size_t i = 0; i < 3; ++i)
    putLe16(&out[2 * i], words[i]);
  return out;
}

struct ServiceTest : AppFixture {
  ServiceSubsystem &service() { return app->service(); }
  CalibrationPage &calibration() { return service().calibrationPage(); }
  OffsetPage &offset() { return service().offsetPage(); }
  std::vector<std::uint8_t> lastPayload(int order) const {
    const auto &all = sensor->model().requests();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
      if (it->order == order) return it->payload;
    return {};
  }
  // Records every published frame; GO is stopped as soon as it runs.
  std::vector<MeasuredValues> published;
  void recordFramesAndStopGo() {
    QObject::connect(&app->frames(), &FramePublisher::frame, timers.get(),
                     [this](const MeasuredValues &m) { published.push_back(m); });
    when([this] { return app->link().acquisition() == Acquisition::Live; },
         [this] { window().stopButton()->click(); });
  }
  void pressCalculateFactors() {
    dialogs.answerConfirm(true); // SEND POWER
    dialogs.answerConfirm(true); // CONFIRM CALCULATION!
    clickAndSettle(calibration().calculateFactorsButton());
  }
};

TEST_F(ServiceTest, CalibrationRunSendsTheFactorsOfItsHundredFrames) {
  startConnected();
  calibration().setSetValue(200);
  calibration().setMaxDelta(65535);
  recordFramesAndStopGo();
  bool dimmedDuringRun = false;
  QObject::connect(&app->frames(), &FramePublisher::frame, timers.get(), [&] {
    if (published.size() == 50) dimmedDuringRun = !calibration().sendFactorsButton()->isEnabled();
  });

  pressCalculateFactors();

  ASSERT_GE(published.size(), 100u);
  const std::vector<MeasuredValues> run(published.begin(), published.begin() + 100);
  const CalcCFResult expected = calculateFactors(run, FrameRun::Complete, 200, 65535);
  ASSERT_EQ(expected.status, CalcCFStatus::Passed);
  const std::vector<Request> sent = requests();
  ASSERT_GT(sent.size(), 101u);
  EXPECT_EQ(std::vector<Request>(sent.begin(), sent.begin() + 100),
            std::vector<Request>(100, Request{kMeasure, 0, 0}));
  EXPECT_EQ(sent[100], (Request{101, 0, 6}));
  EXPECT_EQ(lastPayload(101), le(expected.factors));
  EXPECT_EQ(model().calibration().factors, expected.factors);
  EXPECT_EQ(calibration().factors(), expected.factors);
  EXPECT_EQ(countOrder(kMeasure), static_cast<int>(published.size())) << "then GO ran";
  EXPECT_EQ(calibration().shownRaw(), rawCalibData(published.back()));
  EXPECT_TRUE(dimmedDuringRun);
  EXPECT_TRUE(calibration().calculateFactorsButton()->isEnabled());
  ASSERT_EQ(dialogs.popups().size(), 3u);
  EXPECT_EQ(dialogs.popups()[0].title, "SEND POWER");
  EXPECT_EQ(dialogs.popups()[1].title, "CONFIRM CALCULATION!");
  EXPECT_EQ(dialogs.popups()[2].title, "CALIBRATION PASSED!");
  EXPECT_EQ(dialogs.popups()[2].text, kPassedText);
}

TEST_F(ServiceTest, FailedFrameEndsTheRunWithOneReportAndNothingSent) {
  for (const bool sensorGone : {false, true}) {
    SCOPED_TRACE(sensorGone ? "sensor gone" : "corrupt frame");
    sim::SimOptions options;
    options.corruptDataEvery = sensorGone ? 0 : 20; // counted from the start-up replies on
    startConnected(options);
    if (sensorGone) {
      sensor.reset();
      ASSERT_TRUE(QTest::qWaitFor([&] { return !app->link().tcpConnected(); }, 3000));
    }
    calibration().setFactors({1111, 2222, 3333});
    // With no frame at all the means count as 1: set value 4 would give valid factors.
    calibration().setSetValue(4);
    calibration().setMaxDelta(65535);
    dialogs.clear();

    pressCalculateFactors();

    if (!sensorGone) {
      EXPECT_EQ(countOrder(101), 0);
      EXPECT_LT(countOrder(kMeasure), 100);
    }
    EXPECT_EQ(calibration().factors(), (ChannelWords{1111, 2222, 3333}));
    EXPECT_EQ(dialogs.popups().size(), 2u) << "only the two confirmations";
    EXPECT_FALSE(app->link().linkOk());
    EXPECT_FALSE(app->link().acquisitionRunning());
    EXPECT_EQ(app->connectionPage().logText().count(app->link().errorText()), 1);
    EXPECT_TRUE(calibration().calculateFactorsButton()->isEnabled());
    timers = std::make_unique<QObject>();
    app.reset();
  }
}

TEST_F(ServiceTest, StoppedRunSaysSoOnceAndChangesNothing) {
  startConnected();
  std::function<void()> stop;
  QObject::connect(&app->frames(), &FramePublisher::frame, timers.get(),
                   [&] { countOrder(kMeasure) == 10 ? stop() : void(); });
  struct Case {
    const char *name;
    std::function<void()> stop;
    bool told; // a closed window has nobody left to read it
  };
  const std::vector<Case> cases = {
      {"STOP", [&] { window().stopButton()->click(); }, true},
      {"connection page", [&] { clickTab(MainPage::Connection); }, true},
      {"scope page", [&] { clickTab(MainPage::Scope); }, true},
      {"window closing", [&] { window().close(); }, false}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    stop = c.stop;
    model().clearRequests();
    dialogs.clear();
    pressCalculateFactors();
    EXPECT_EQ(requests(), std::vector<Request>(10, Request{kMeasure, 0, 0})) << "nor GO";
    ASSERT_EQ(dialogs.popups().size(), c.told ? 3u : 2u);
    if (c.told) {
      EXPECT_EQ(dialogs.popups()[2].text, "CALIBRATION STOPPED! \nNOTHING WAS SENT.");
    }
    EXPECT_TRUE(calibration().calculateFactorsButton()->isEnabled());
  }
}

TEST_F(ServiceTest, RefusedFactorsShowTheLinksReportOnly) {
  sim::SimOptions options;
  options.plausibilityWord = 3;
  startConnected(options);
  calibration().setSetValue(200);
  calibration().setMaxDelta(65535);

  pressCalculateFactors();

  EXPECT_EQ(countOrder(101), 1);
  EXPECT_EQ(countOrder(kMeasure), 100) << "no GO after the refusal";
  EXPECT_EQ(dialogs.popups().size(), 2u);
  EXPECT_TRUE(app->connectionPage().logText().endsWith(
      "INFO!\n3 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT "
      "VALUE!\n\n"));
}

TEST_F(ServiceTest, CalibrationAndOffsetButtonsPutTheirOrdersOnTheWire) {
  startConnected();
  const ChannelWords factors{1000, 2000, 3000};
  calibration().setFactors(factors);
  clickAndSettle(calibration().sendFactorsButton());
  EXPECT_EQ(requests(), (std::vector<Request>{{101, 0, 6}}));
  EXPECT_EQ(lastPayload(101), le(factors));
  EXPECT_EQ(model().calibration().factors, factors);

  model().clearRequests();
  clickAndSettle(calibration().selfCalibrationButton());
  EXPECT_EQ(requests(), (std::vector<Request>{{103, 0, 0}}));
  EXPECT_EQ(calibration().setValue(), 2000); // what the simulated sensor calibrates to
  EXPECT_EQ(calibration().maxDelta(), 400);
  EXPECT_NE(calibration().factors(), factors);
  EXPECT_EQ(model().calibration().factors, factors) << "not stored before SEND CF";
  ASSERT_EQ(dialogs.popups().size(), 1u);
  EXPECT_EQ(dialogs.popups()[0].title, "ATTENTION!");
  EXPECT_EQ(dialogs.popups()[0].text, "Confirm calibration factors with SEND CF.");

  model().clearRequests();
  clickAndSettle(offset().calculateOffsetButton());
  EXPECT_EQ(requests(), (std::vector<Request>{{100, 1, 0}, {102, 0, 0}}));
  EXPECT_EQ(offset().offsets(), model().calibration().offsets);
  EXPECT_EQ(calibration().factors(), factors) << "read back from the sensor";

  model().clearRequests();
  const ChannelWords offsets{5, 6, 7};
  offset().setOffsets(offsets);
  clickAndSettle(offset().sendOffsetButton());
  EXPECT_EQ(requests(), (std::vector<Request>{{101, 1, 6}}));
  EXPECT_EQ(lastPayload(101), le(offsets));
  EXPECT_EQ(model().calibration().offsets, offsets);

  model().clearRequests();
  model().calibration().factors = {11, 22, 33};
  clickAndSettle(calibration().getFactorsButton());
  EXPECT_EQ(requests(), (std::vector<Request>{{102, 0, 0}}));
  EXPECT_EQ(calibration().factors(), (ChannelWords{11, 22, 33}));
  EXPECT_EQ(dialogs.popups().size(), 1u);
}

TEST_F(ServiceTest, NoFactorAbove4096ReachesTheSensor) {
  startConnected();
  calibration().factorField(0)->setValue(5000);
  model().calibration().factors = {5000, 100, 4097}; // read back: the fields keep theirs
  clickAndSettle(calibration().getFactorsButton());
  model().calibration().offsets = {4095, 4095, 4095}; // no signal left: factors of 65535
  clickAndSettle(calibration().selfCalibrationButton());
  clickAndSettle(calibration().sendFactorsButton());
  EXPECT_EQ(lastPayload(101), le({4096, 1024, 1024}));
  ASSERT_EQ(dialogs.popups().size(), 2u);
  EXPECT_EQ(dialogs.popups()[0].text,
            "RECEIVED CALIBRATION FACTOR IS ABOVE 4096! \nTHE FACTORS SHOWN WERE NOT CHANGED.");
}

TEST_F(ServiceTest, PasswordPanelUnlocksTheOffsetPage) {
  startConnected();
  window().showPage(MainPage::Calibration);
  QWidget *panel = window().topLevelPanel(TopPanel::Password);
  ASSERT_EQ(panel, &service().passwordPanel());
  QLineEdit *field = service().passwordPanel().field();
  EXPECT_EQ(field->maxLength(), 20);
  EXPECT_EQ(field->echoMode(), QLineEdit::Password);
  EXPECT_EQ(field->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, field), '*');
  const auto open = [&] {
    QTest::mouseDClick(calibration().decoration(), Qt::RightButton);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(field->text().isEmpty());
  };

  open();
  QTest::keyClicks(field, "abc");
  QTest::keyClick(panel, Qt::Key_Escape);
  EXPECT_FALSE(panel->isVisible());

  open();
  EXPECT_EQ(panel->windowModality(), Qt::ApplicationModal);
  QTest::keyClicks(field, "Tesmor");
  QTest::keyClick(field, Qt::Key_Return);
  ASSERT_EQ(dialogs.popups().size(), 1u);
  EXPECT_EQ(dialogs.popups()[0].title, "ATTENTION!");
  EXPECT_EQ(dialogs.popups()[0].text, "Wrong password. \nPlease try again.");
  EXPECT_TRUE(field->text().isEmpty());
  EXPECT_FALSE(window().isPageVisible(MainPage::Offset));
  EXPECT_EQ(window().currentPage(), MainPage::Calibration);

  QTest::keyClicks(field, "tesmor");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_FALSE(panel->isVisible());
  EXPECT_TRUE(window().isPageVisible(MainPage::Offset));
  EXPECT_EQ(window().currentPage(), MainPage::Offset);
  EXPECT_TRUE(requests().empty());
}

// The block as the simulated sensor sends it, as 256 words of four digits: zero beyond it.
QString expectedDump(const std::vector<std::uint8_t> &block) {
  QString text;
  for (std::size_t w = 0; w < 256; ++w) {
    const auto at = [&](std::size_t i) { return i < block.size() ? block[i] : 0u; };
    text += QStringLiteral("%1").arg(at(2 * w) | (at(2 * w + 1) << 8), 4, 16, QLatin1Char('0'));
  }
  return text.toUpper();
}

TEST_F(ServiceTest, HardwareInfoFileHoldsWhatTheSensorSent) {
  const std::vector<std::tuple<std::size_t, std::uint8_t, QString>> cases = {
      {512, 12, ""},
      {100, 7, "OFFSET RED, OFFSET GREEN, OFFSET BLUE"},
      {600, 0, "FACTOR RED, FACTOR GREEN, FACTOR BLUE, OFFSET RED, OFFSET GREEN, OFFSET BLUE"}};
  for (const auto &[bytes, calibrationBytes, zeroed] : cases) {
    SCOPED_TRACE(bytes);
    sim::SimOptions options;
    options.hwinfoBytes = bytes;
    options.calibrationReplyBytes = calibrationBytes;
    startConnected(options);
    window().memoryButton(ParameterMemory::Eeprom)->click();
    model().calibration().offsets = {3, 4, 5};
    const QString path = dir.filePath(QStringLiteral("hw%1.ini").arg(bytes));
    dialogs.clear();
    dialogs.answerFile(FileSelectResult::NewFile, path);

    clickAndSettle(app->connectionPage().hardwareInfoButton());

    EXPECT_EQ(requests(),
              (std::vector<Request>{{2, 0, 0}, {2, 2, 0}, {102, 0, 0}, {194, 0x7C19, 0}}));
    EXPECT_EQ(app->params().memory, ParameterMemory::Eeprom);
    IniText doc;
    ASSERT_EQ(doc.readFromFile(QFile::encodeName(path).toStdString()), 0);
    const auto text = [&](const char *section, const char *key) {
      return QString::fromStdString(doc.getString(section, key).value_or("<missing>"));
    };
    EXPECT_EQ(text("GENERAL INFO", "FILE TYPE:"), "Hardware Initial File");
    EXPECT_EQ(text("GENERAL INFO", "SCOPE VERSION:"), "QUORVANE ANA Scope V1.3.1");
    EXPECT_EQ(text("GENERAL INFO", "FIRMWARE VERSION:"),
              QString::fromLatin1(app->link().firmwareText()));
    const auto block = sim::hardwareInfoBlock(
        model().options().serialNumber, model().options().firmware, model().calibration(), bytes);
    EXPECT_EQ(text("HARDWARE INFO", "DATA"), expectedDump(block));
    const std::array<const char *, 3> channels = {"RED", "GREEN", "BLUE"};
    for (std::size_t i = 0; i < 3; ++i) {
      int factor = -1, offsetValue = -1;
      EXPECT_EQ(doc.getInt("CALIBRATION FACTOR", channels[i], factor), 1);
      EXPECT_EQ(doc.getInt("OFFSET", channels[i], offsetValue), 1);
      EXPECT_EQ(factor, i < calibrationBytes / 2u ? model().calibration().factors[i] : 0);
      EXPECT_EQ(offsetValue, i + 3 < calibrationBytes / 2u ? model().calibration().offsets[i] : 0);
    }
    SensorParameters para;
    TeachTable table{};
    EXPECT_EQ(readParameterSection(doc, para), "");
    EXPECT_EQ(readTeachSections(doc, table), "");
    EXPECT_EQ(para, model().ramParameters(0));
    TeachTable sensorTable = model().ramTeachTable(0);
    for (TeachVector &row : sensorTable)
      row.reserved = 0; // the file does not carry it
    EXPECT_EQ(table, sensorTable);
    std::vector<std::string> order;
    for (const IniSection &s : doc.sections())
      order.push_back(s.name);
    ASSERT_GE(order.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(order.begin(), order.begin() + 5),
              (std::vector<std::string>{"GENERAL INFO", "HARDWARE INFO", "CALIBRATION FACTOR",
                                        "OFFSET", "PARAMETER"}));

    const QString log = app->connectionPage().logText();
    EXPECT_TRUE(log.endsWith("HARDWARE INI FILE HAS BEEN SAVED TO:\n" +
                             QDir::toNativeSeparators(path) + "\n\n"));
    EXPECT_EQ(log.contains("ONLY THE FIRST 512 BYTES"), bytes > 512);
    const QString zeroedLog = QStringLiteral("DATA OF %1 BYTES INSTEAD OF 12! SAVED AS 0: %2\n\n");
    EXPECT_EQ(log.contains(zeroedLog.arg(calibrationBytes).arg(zeroed)), !zeroed.isEmpty());
    EXPECT_EQ(dialogs.popups().size(), 1u) << "the file dialog only";
    EXPECT_TRUE(app->connectionPage().hardwareInfoButton()->isEnabled());
    app->storePanelSettings();
    IniText settings;
    ASSERT_EQ(settings.readFromFile(QFile::encodeName(settingsPath()).toStdString()), 0);
    bool remembered = false;
    for (const IniSection &s : settings.sections())
      for (const IniItem &item : s.items)
        remembered |= item.tag == "HARDWARE INI FILE" && item.value == path.toStdString();
    EXPECT_TRUE(remembered);
    timers = std::make_unique<QObject>();
    app.reset();
  }
}

TEST_F(ServiceTest, CancellingTheFileDialogWritesNoFile) {
  startConnected();
  dialogs.answerFile(FileSelectResult::Cancelled, QString());

  clickAndSettle(app->connectionPage().hardwareInfoButton());

  EXPECT_EQ(countOrder(194), 1);
  EXPECT_TRUE(app->connectionPage().logText().endsWith("ATTENTION!   NO FILE WAS SELECTED!\n\n"));
  EXPECT_TRUE(QDir(dir.path()).entryList({"*.ini"}, QDir::Files).isEmpty());
}

TEST_F(ServiceTest, HardwareInfoReadEndedEarlyWritesNoFile) {
  struct Case {
    const char *name;
    std::function<void()> end;
  };
  const std::vector<Case> cases = {{"STOP", [&] { window().stopButton()->click(); }},
                                   {"scope page", [&] { clickTab(MainPage::Scope); }},
                                   {"window closing", [&] { window().close(); }},
                                   {"sensor gone", [&] { sensor.reset(); }}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    sim::SimOptions options;
    options.delayMs = 50; // the end comes while the calibration read waits for its reply
    startConnected(options);
    when([&] { return countOrder(102) == 1; }, c.end);

    clickAndSettle(app->connectionPage().hardwareInfoButton());

    EXPECT_TRUE(dialogs.popups().empty()) << "no file dialog";
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.ini"}, QDir::Files).isEmpty());
    EXPECT_EQ(app->connectionPage().logText().count("SERVER HAS CLOSED CONNECTION!"),
              sensor ? 0 : 1);
    EXPECT_EQ(app->connectionPage().hardwareInfoButton()->isEnabled(), app->link().linkOk());
    timers = std::make_unique<QObject>();
    app.reset();
  }
}

} // namespace
} // namespace quorvane::testing
