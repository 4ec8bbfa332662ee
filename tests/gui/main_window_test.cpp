// The main window on its own: pages, child panels, title band, busy lock, keys and help.
#include "app/main_window.h"

#include "app/connection_page.h"
#include "app/connection_status_box.h"
#include "app/logo_band.h"
#include "support/scripted_dialogs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using testing::ScriptedDialogs;

class MainWindowTest : public ::testing::Test {
protected:
  ScriptedDialogs dialogs;
  MainWindow window{dialogs};
  ConnectionPage *page = nullptr;

  void SetUp() override {
    page = new ConnectionPage(dialogs);
    // Out of order: the places decide the order of the tabs.
    const std::pair<MainPage, QString> pages[] = {{MainPage::Offset, "OFFSET"},
                                                  {MainPage::Recorder, "RECORDER"},
                                                  {MainPage::Parameters, "PARAMETER"},
                                                  {MainPage::ColorGroups, "GROUP / HOLD"},
                                                  {MainPage::Scope, "SCOPE"},
                                                  {MainPage::TeachTable, "TEACH TABLE"},
                                                  {MainPage::Calibration, "CALIBRATION"},
                                                  {MainPage::RowColours, "ROW COLORS"}};
    const int places[] = {8, 4, 1, 2, 7, 3, 5, 6};
    for (std::size_t i = 0; i < std::size(pages); ++i) {
      window.addPage({pages[i].first, pages[i].second, places[i], new QWidget,
                      pages[i].first == MainPage::Offset});
    }
    window.addPage({MainPage::Connection, "CONNECTION", 0, page});
    window.setConnectionPage(page);
    for (ChildPanel p : {ChildPanel::Measurement, ChildPanel::Graph, ChildPanel::MeanTeach,
                         ChildPanel::RecordedTeach, ChildPanel::ScopeDisplay})
      window.addChildPanel({p, QString::fromLatin1(p.name.data(), p.name.size()), new QWidget});
  }
  void rightClick(QWidget *w) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), w->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(w, &event);
  }
};

TEST_F(MainWindowTest, TitleAndPagesInOrder) {
  EXPECT_EQ(window.windowTitle(), "QUORVANE ANA Scope V1.3");
  const QStringList titles = {"CONNECTION",  "PARAMETER", "GROUP / HOLD",
                              "TEACH TABLE", "RECORDER",  "CALIBRATION",
                              "ROW COLORS",  "SCOPE",     "OFFSET"};
  ASSERT_EQ(window.tabs()->count(), 9);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(window.tabs()->tabText(i), titles[i]);
    EXPECT_EQ(window.tabs()->widget(i)->accessibleName(), titles[i]);
  }
  for (MainPage p : {MainPage::Connection, MainPage::Scope, MainPage::Offset}) {
    QWidget *container = window.pageContainer(p);
    ASSERT_NE(container, nullptr);
    EXPECT_NE(container->layout(), nullptr);
  }
  EXPECT_EQ(window.pageContainer(MainPage{"unknown"}), nullptr);
  EXPECT_FALSE(window.isPageVisible(MainPage::Offset));
  EXPECT_TRUE(window.isPageVisible(MainPage::Scope));
  window.setPageVisible(MainPage::Offset, true);
  EXPECT_TRUE(window.isPageVisible(MainPage::Offset));
}

TEST_F(MainWindowTest, ExactlyOneChildPanelIsShown) {
  window.show();
  const ChildPanel all[] = {ChildPanel::Measurement, ChildPanel::Graph, ChildPanel::MeanTeach,
                            ChildPanel::RecordedTeach, ChildPanel::ScopeDisplay};
  for (ChildPanel shown : all) {
    window.showChildPanel(shown);
    EXPECT_EQ(window.currentChildPanel(), shown);
    for (ChildPanel other : all)
      EXPECT_EQ(window.childPanel(other)->isVisible(), other == shown);
  }
  // Anything else shows the measurement panel.
  window.showChildPanel(ChildPanel{"unknown"});
  EXPECT_EQ(window.currentChildPanel(), ChildPanel::Measurement);
  EXPECT_TRUE(window.childPanel(ChildPanel::Measurement)->isVisible());
}

TEST_F(MainWindowTest, AddedChildPanelIsShownOnRequest) {
  window.show();
  auto *graph = new QLabel("graph panel");
  const ChildPanel extra{"extra"};
  window.addChildPanel({extra, "EXTRA", graph});
  EXPECT_EQ(window.childPanel(extra), graph);
  EXPECT_FALSE(graph->isVisible());
  window.showChildPanel(extra);
  EXPECT_TRUE(graph->isVisible());
  window.showChildPanel(ChildPanel::Measurement);
  EXPECT_FALSE(graph->isVisible());
  // The connection status stays with the measurement panel.
  EXPECT_TRUE(window.connectionStatusBox()->isVisible());
}

TEST_F(MainWindowTest, TopLevelPanelsExistHidden) {
  for (TopPanel p : {TopPanel::BigColourNumber, TopPanel::BigGroup, TopPanel::Password}) {
    QWidget *panel = window.topLevelPanel(p);
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isWindow());
    EXPECT_FALSE(panel->isVisible());
  }
}

TEST_F(MainWindowTest, LogoPlacesItsTextsOnTheBlueBand) {
  window.showLogo();
  EXPECT_EQ(window.logoBand()->bandColour(), QColor(0x00, 0x80, 0xFF));
  struct Text {
    QString text;
    QPoint at;
    int size;
    QString tip;
  };
  const Text texts[] = {
      {"QUORVANE ANA Scope V1.3", {323, 29}, 19, "QUORVANE ANA Scope V1.3.1"},
      {"QUORVANE Sensorik GmbH", {15, 6}, 11, ""},
      {"Tel. +49 (0)000 000000-0", {15, 22}, 11, ""},
      {"www.quorvane.example", {15, 36}, 11, ""},
  };
  const QList<QLabel *> labels = window.logoBand()->findChildren<QLabel *>();
  for (const Text &t : texts) {
    const auto it =
        std::find_if(labels.begin(), labels.end(), [&](QLabel *l) { return l->text() == t.text; });
    ASSERT_NE(it, labels.end()) << t.text.toStdString();
    EXPECT_EQ((*it)->pos(), t.at);
    EXPECT_EQ((*it)->font().pixelSize(), t.size);
    EXPECT_EQ((*it)->toolTip(), t.tip);
    EXPECT_EQ((*it)->palette().color(QPalette::WindowText), QColor(Qt::white));
  }
  const auto logo =
      std::find_if(labels.begin(), labels.end(), [](QLabel *l) { return !l->pixmap().isNull(); });
  ASSERT_NE(logo, labels.end());
  EXPECT_EQ((*logo)->pos(), QPoint(325, 6));
  // Shown twice, still one set of texts.
  window.showLogo();
  EXPECT_EQ(window.logoBand()->findChildren<QLabel *>().size(), labels.size());
}

TEST_F(MainWindowTest, BusyLockDimsExactlyItsSet) {
  auto *calibrate = new QPushButton("CALIBRATE");
  window.pageContainer(MainPage::Calibration)->layout()->addWidget(calibrate);
  window.addBusyControl(calibrate, BusyGroup::PageAction);

  struct Control {
    const char *name;
    QWidget *widget;
  };
  const Control controls[] = {
      {"SEND", window.sendButton()},
      {"GET", window.getButton()},
      {"RAM", window.memoryButton(ParameterMemory::Ram)},
      {"EEPROM", window.memoryButton(ParameterMemory::Eeprom)},
      {"FILE", window.memoryButton(ParameterMemory::File)},
      {"GO", window.goButton()},
      {"STOP", window.stopButton()},
      {"ParaSet0", window.paraSetButton(0)},
      {"TRY TO CONNECT", page->tryToConnectButton()},
      {"DISCONNECT", page->disconnectButton()},
      {"BAUDRATE", page->baudRateSelector()},
      {"CHANGE BAUDRATE", page->changeBaudrateButton()},
      {"HARDWARE INFO FILE", page->hardwareInfoButton()},
      {"ACCEPT", page->acceptButton()},
      {"PROTOCOL", page->protocolSelector()},
      {"CALIBRATE", calibrate},
  };
  // Enabled after each call, in the order of `controls`.
  struct Step {
    bool keepMain;
    bool dimmed;
    std::vector<bool> enabled;
  };
  const Step steps[] = {
      {false, true, {0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 1, 1, 0}},
      // Undimming leaves the buttons that need a verified link dimmed.
      {false, false, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1, 1, 1}},
      // The live loop keeps SEND, GET and the memory selection.
      {true, true, {1, 1, 1, 1, 1, 0, 1, 1, 0, 0, 0, 0, 0, 1, 1, 0}},
      {true, false, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1, 1, 1}},
  };
  for (const Step &s : steps) {
    window.setBusy(s.keepMain, s.dimmed);
    for (std::size_t i = 0; i < std::size(controls); ++i)
      EXPECT_EQ(controls[i].widget->isEnabled(), s.enabled[i])
          << controls[i].name << " after (" << s.keepMain << ", " << s.dimmed << ")";
  }
  // A control that went away is skipped.
  delete calibrate;
  window.setBusy(false, true);
}

TEST_F(MainWindowTest, FunctionKeysPressTheirButtons) {
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  std::map<QString, int> pressed;
  for (QPushButton *b :
       {window.sendButton(), window.getButton(), window.goButton(), window.stopButton()})
    QObject::connect(b, &QPushButton::clicked, [&pressed, b] { ++pressed[b->text()]; });

  const std::pair<Qt::Key, QString> keys[] = {
      {Qt::Key_F9, "SEND"}, {Qt::Key_F10, "GET"}, {Qt::Key_F11, "GO"}, {Qt::Key_F12, "STOP"}};
  for (const auto &[key, name] : keys) {
    QTest::keyClick(&window, key);
    EXPECT_TRUE(QTest::qWaitFor([&, n = name] { return pressed[n] == 1; }, 2000))
        << name.toStdString();
  }
  // A dimmed button ignores its key; STOP is never dimmed.
  window.setBusy(false, true);
  for (const auto &[key, name] : keys)
    QTest::keyClick(&window, key);
  EXPECT_TRUE(QTest::qWaitFor([&] { return pressed["STOP"] == 2; }, 2000));
  QTest::qWait(300); // a click from a key would arrive by now
  EXPECT_EQ(pressed["SEND"], 1);
  EXPECT_EQ(pressed["GET"], 1);
  EXPECT_EQ(pressed["GO"], 1);
}

TEST_F(MainWindowTest, RightClickShowsTheHelpText) {
  const QString send =
      "All the parameters of the PC-User-Interface are transferred to the sensor or to a "
      "selectable file. \nThe target of the parameter transfer is determined by the select "
      "button (RAM, EEPROM, FILE). \n\nShortcut Key: F9. ";
  const QString get =
      "Sensor or file parameters are transferred to the PC-User-Interface. \nThe source of the "
      "parameter transfer is determined by the select button (RAM, EEPROM, FILE). \n\nShortcut "
      "Key: F10. ";
  const QString memory = "Select source respectively the target for the parameter transfer.";
  const QString set = "Select parameter set which should be transfered.";
  const std::pair<QWidget *, QString> cases[] = {
      {window.tabs(), "Select TAB-window."},
      {window.sendButton(), send},
      {window.getButton(), get},
      {window.memoryButton(ParameterMemory::Ram), memory},
      {window.memoryButton(ParameterMemory::Eeprom), memory},
      {window.memoryButton(ParameterMemory::File), memory},
      {window.paraSetButton(0), set},
      {window.paraSetButton(1), set},
  };
  for (const auto &[control, text] : cases) {
    dialogs.clear();
    rightClick(control);
    ASSERT_EQ(dialogs.popups().size(), 1u) << text.toStdString();
    EXPECT_EQ(dialogs.popups()[0].title, "INFO!");
    EXPECT_EQ(dialogs.popups()[0].text, text);
  }
  for (auto [control, key] : {std::pair{window.goButton(), "F11"}, {window.stopButton(), "F12"}}) {
    dialogs.clear();
    rightClick(control);
    ASSERT_EQ(dialogs.popups().size(), 1u);
    EXPECT_TRUE(dialogs.popups()[0].text.contains(key));
  }
}

TEST_F(MainWindowTest, RightClickDoesNotPressAButton) {
  window.show();
  int sent = 0;
  QObject::connect(window.sendButton(), &QPushButton::clicked, [&] { ++sent; });
  QTest::mouseClick(window.sendButton(), Qt::RightButton);
  EXPECT_EQ(sent, 0);
}

TEST_F(MainWindowTest, EveryControlCarriesAName) {
  for (QWidget *w : window.findChildren<QWidget *>()) {
    if (qobject_cast<QAbstractButton *>(w) || qobject_cast<QComboBox *>(w) ||
        (qobject_cast<QLineEdit *>(w) && !qobject_cast<QComboBox *>(w->parentWidget())) ||
        qobject_cast<QTabWidget *>(w)) {
      // Tab-bar scroll arrows are Qt's own.
      if (w->inherits("QToolButton")) continue;
      EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
    }
  }
  EXPECT_EQ(window.sendButton()->accessibleName(), "SEND");
  EXPECT_EQ(window.memoryButton(ParameterMemory::File)->accessibleName(), "FILE");
  EXPECT_EQ(window.paraSetButton(1)->accessibleName(), "ParaSet1");
}

TEST_F(MainWindowTest, StartsWithRamAndParaSet0) {
  EXPECT_TRUE(window.memoryButton(ParameterMemory::Ram)->isChecked());
  EXPECT_TRUE(window.paraSetButton(0)->isChecked());
  window.selectMemoryButton(ParameterMemory::File);
  EXPECT_TRUE(window.memoryButton(ParameterMemory::File)->isChecked());
  EXPECT_FALSE(window.memoryButton(ParameterMemory::Ram)->isChecked());
  EXPECT_EQ(window.memoryButton(static_cast<ParameterMemory>(7)), nullptr);
}

} // namespace
} // namespace quorvane
