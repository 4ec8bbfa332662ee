// The panel rules in the running tool: one pass per GET or file read, the TRIGGER choices
// across EXTERN TEACH changes, corrected values on the wire, the CALCULATION MODE commit,
// and the pages in every output and evaluation mode.
#include "app_fixture.h"

#include "ini/ini_text.h"
#include "params/core/parameter_file.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>

namespace quorvane::testing {
namespace {

const QString kAnalogWarning = QString::fromUtf8(
    kAnalogOutmodeWarning.data(), static_cast<qsizetype>(kAnalogOutmodeWarning.size()));
const QString kMaxVecWarning =
    QString::fromUtf8(kMaxVecNoWarning.data(), static_cast<qsizetype>(kMaxVecNoWarning.size()));

struct RulesTest : AppFixture {
  int passes = 0;

  // Counts the rule passes from here on.
  void countPasses() {
    QObject::connect(&app->parameters(), &ParameterController::rulesApplied, [this] { ++passes; });
  }
  QStringList messages() const {
    QStringList out;
    for (const Popup &p : dialogs.popups())
      if (p.kind == "message") out << p.title + "|" + p.text;
    return out;
  }
};

// COLOR GROUP off with BINARY allows three rows; s i M on the analog outputs does not
// match the X Y INT calculation: two corrections, each with its warning.
SensorParameters twoWarnings() {
  SensorParameters p;
  p.digitalOutmode = 2;
  p.maxVecNo = 5;
  p.analogOutmode = 3;
  p.calculationMode = 0;
  return p;
}

TEST_F(RulesTest, GetAppliesTheRulesOnceAndWarnsOncePerCorrection) {
  startConnected();
  countPasses();
  model().ram().params[0] = twoWarnings();

  window().getButton()->click();
  settle();

  EXPECT_EQ(passes, 1);
  EXPECT_EQ(messages(), (QStringList{"INFO!|" + kAnalogWarning, "INFO!|" + kMaxVecWarning}));
  EXPECT_EQ(parameterPage().fieldValue(field::kMaxVecNo), 3);
  EXPECT_EQ(parameterPage().fieldValue(field::kAnalogOutmode), 2);
  EXPECT_EQ(window().currentPage(), MainPage::Parameters);
}

TEST_F(RulesTest, FileReadAppliesTheRulesOnceAndWarnsOncePerCorrection) {
  startOffline();
  countPasses();
  const QString path = dir.filePath("Warn.ini");
  ASSERT_GE(parameterDocument(twoWarnings(), TeachTable{}).writeToFile(path.toStdString()), 0);

  dialogs.answerFile(FileSelectResult::ExistingFile, path);
  window().getButton()->click();
  settle();

  EXPECT_EQ(passes, 1);
  EXPECT_EQ(messages(), (QStringList{"INFO!|" + kAnalogWarning, "INFO!|" + kMaxVecWarning}));
  EXPECT_EQ(app->params().para.maxVecNo, 3) << "the record takes the corrected value";
}

TEST_F(RulesTest, TriggerChoicesFollowExternTeachBackAndForth) {
  startConnected(); // DIGITAL OUTMODE BINARY: the whole pass runs
  const std::vector<std::uint16_t> all{0, 1, 2, 3, 4, 5, 6};
  const std::vector<std::uint16_t> two{0, 1};
  struct Step {
    const char *what;
    std::size_t field;
    std::uint16_t value;
    std::vector<std::uint16_t> items;
    std::uint16_t trigger;
    bool externTeachEnabled;
    bool paraSetEnabled;
    bool ledTrigShown;
  };
  const Step steps[] = {
      {"TRIGGER EXT2", field::kTrigger, 3, all, 3, false, false, true},
      {"TRIGGER CONT", field::kTrigger, 0, all, 0, true, false, false},
      {"EXTERN TEACH ON", field::kExternTeach, 1, two, 0, true, false, true},
      {"TRIGGER SELF", field::kTrigger, 1, two, 1, true, false, true},
      {"EXTERN TEACH OFF", field::kExternTeach, 0, all, 1, true, false, true},
      {"EXTERN TEACH STAT1", field::kExternTeach, 2, two, 1, true, false, true},
      {"EXTERN TEACH OFF again", field::kExternTeach, 0, all, 1, true, false, true},
      {"TRIGGER CONT again", field::kTrigger, 0, all, 0, true, false, false},
      {"TRIGGER PARA", field::kTrigger, 6, all, 6, false, true, true},
  };
  QComboBox *trigger = parameterPage().ring(field::kTrigger);
  const auto *ledTrig = panel().findChild<QWidget *>(QStringLiteral("ledTrig"));
  ASSERT_NE(ledTrig, nullptr);
  for (const Step &s : steps) {
    SCOPED_TRACE(s.what);
    choose(s.field, s.value);
    EXPECT_EQ(triggerItems(), s.items);
    EXPECT_EQ(parameterPage().fieldValue(field::kTrigger), s.trigger);
    for (int i = 0; i < trigger->count(); ++i)
      EXPECT_EQ(trigger->itemText(i).toStdString(), triggerItemLabel(s.items[std::size_t(i)]));
    EXPECT_EQ(parameterPage().ring(field::kExternTeach)->isEnabled(), s.externTeachEnabled);
    EXPECT_EQ(window().paraSetButton(1)->isEnabled(), s.paraSetEnabled);
    EXPECT_EQ(ledTrig->isVisibleTo(&panel()), s.ledTrigShown);
  }
  window().paraSetButton(1)->click();
  ASSERT_EQ(app->params().paraSet, 1);

  // The same through GET: the choices are right before TRIGGER is set.
  struct Read {
    std::uint16_t externTeach, trigger;
    std::vector<std::uint16_t> items;
    int paraSet;
  };
  for (const Read &r : {Read{1, 1, two, 0}, Read{0, 6, all, 0}, Read{2, 0, two, 0}}) {
    SCOPED_TRACE(r.externTeach * 10 + r.trigger);
    for (SensorParameters &p : model().ram().params) {
      p.externTeach = r.externTeach;
      p.trigger = r.trigger;
    }
    window().getButton()->click();
    settle();
    EXPECT_EQ(triggerItems(), r.items);
    EXPECT_EQ(parameterPage().fieldValue(field::kTrigger), r.trigger);
    EXPECT_EQ(trigger->count(), static_cast<int>(r.items.size())) << "no stray item";
    EXPECT_EQ(app->params().paraSet, r.paraSet);
  }
  EXPECT_TRUE(dialogs.popups().empty());
}

TEST_F(RulesTest, SendSendsTheValuesTheRulesCorrected) {
  startConnected();
  struct Case {
    const char *what;
    std::function<void()> operate;
    std::function<void(const SensorParameters &, const TeachTable &)> check;
  };
  const Case cases[] = {
      {"LED MODE OFF", [&] { choose(field::kLedMode, 2); },
       [](const SensorParameters &p, const TeachTable &) {
         EXPECT_EQ(p.ledMode, 2);
         EXPECT_EQ(p.power, 0);
         EXPECT_EQ(p.powerMode, 0);
       }},
      {"MAX VEC NO above the BINARY limit", [&] { type(field::kMaxVecNo, 5); },
       [](const SensorParameters &p, const TeachTable &) { EXPECT_EQ(p.maxVecNo, 3); }},
      {"DIGITAL OUTMODE OFF after TRIGGER SELF",
       [&] {
         choose(field::kTrigger, 1);
         choose(field::kDigitalOutmode, 0);
       },
       [](const SensorParameters &p, const TeachTable &) {
         EXPECT_EQ(p.digitalOutmode, 0);
         EXPECT_EQ(p.trigger, 0);
       }},
      {"a group above the DIRECT limit",
       [&] {
         choose(field::kDigitalOutmode, 1);
         groupPage().colorGroupSwitch()->click();
         groupPage().setGroup(4, 2);
         Q_EMIT groupPage().groupEdited(4);
       },
       [](const SensorParameters &p, const TeachTable &t) {
         EXPECT_EQ(p.colorGroup, 1);
         EXPECT_EQ(t[1].group, 1) << "group 1 is allowed";
         EXPECT_EQ(t[2].group, 0);
         EXPECT_EQ(t[4].group, 0);
       }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    model().ram() = sim::initialMemory();
    window().getButton()->click();
    settle();
    model().clearRequests();
    c.operate();
    window().sendButton()->click();
    settle();
    ASSERT_EQ(countOrder(1), 2);
    c.check(model().ramParameters(0), model().ramTeachTable(0));
    EXPECT_EQ(model().ramParameters(0), app->params().para);
  }
}

TEST_F(RulesTest, AModeTheRulesMoveIntoTheOtherFamilyTakesItsTolerancesAlong) {
  startConnected();
  struct Case {
    std::uint16_t digitalOutmode, analogOutmode, calculationMode, settled;
    std::array<std::uint16_t, 5> read, sent;
  };
  const Case cases[] = {
      {0, 2, 2, 0, {10, 20, 40, 30, 1}, {10, 20, 30, 40, 30}},  // X Y INT 3D -> 2D
      {0, 3, 3, 1, {10, 20, 40, 30, 1}, {10, 20, 30, 40, 30}},  // s i M 3D -> 2D
      {0, 2, 1, 0, {10, 20, 30, 40, 50}, {10, 20, 30, 40, 50}}, // within 2D: no move
      {1, 2, 2, 2, {10, 20, 40, 30, 1}, {10, 20, 40, 30, 1}},   // stays 3D
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.calculationMode << " -> " << c.settled);
    model().ram() = sim::initialMemory();
    SensorParameters &p = model().ram().params[0];
    p.digitalOutmode = c.digitalOutmode;
    p.analogOutmode = c.analogOutmode;
    p.calculationMode = c.calculationMode;
    model().ram().teach[0][0].cell = c.read;
    window().getButton()->click();
    settle();
    dialogs.clear();
    model().clearRequests();
    window().sendButton()->click();
    settle();
    EXPECT_EQ(model().ramParameters(0).calculationMode, c.settled);
    EXPECT_EQ(model().ramTeachTable(0)[0].cell, c.sent);
  }
}

TEST_F(RulesTest, AGroupCellClearedByResetStaysWhite) {
  startConnected();
  choose(field::kDigitalOutmode, 1);
  app->parameters().data().setGroup(5, 2);
  groupPage().colorGroupSwitch()->click(); // the group check rejects row 5
  QTableWidgetItem *cell = groupPage().groupTable()->item(5, 0);
  ASSERT_EQ(cell->background().color(), QColor(0xFF0000));
  dialogs.clear();

  dialogs.answerConfirm(true);
  groupPage().groupResetButton()->click();
  groupPage().colorGroupSwitch()->click(); // a later rule pass
  EXPECT_EQ(cell->background().color(), QColor(0xFFFFFF));
}

TEST_F(RulesTest, CalculationModeCommitMovesTolerancesThenRelabelsAndRedraws) {
  startConnected();
  int redraws = 0;
  QObject::connect(&app->parameters(), &ParameterController::tableChanged, [&] { ++redraws; });
  TeachTable expected = sim::initialMemory().teach[0];
  moveTolerances(0, 2, expected);

  choose(field::kCalculationMode, 2);

  EXPECT_EQ(app->params().para.calculationMode, 2);
  for (std::size_t r = 0; r < kTeachRows; ++r)
    EXPECT_EQ(app->params().table[r].cell, expected[r].cell) << "row " << r;
  EXPECT_EQ(teachPage().cell(0, 3), expected[0].cell[3]);
  EXPECT_NE(teachPage().columnHeadings(), (QStringList{"X", "Y", "CTO", "INT", "ITO"}));
  using Tab = MeasurementPanel::GraphTab;
  EXPECT_TRUE(panel().isGraphPageVisible(Tab::View3D));
  EXPECT_FALSE(panel().isGraphPageVisible(Tab::View2D));
  EXPECT_EQ(panel().activeGraphPage(), Tab::View3D);
  EXPECT_EQ(redraws, 1);

  window().sendButton()->click();
  settle();
  EXPECT_EQ(model().ramTeachTable(0)[0].cell, expected[0].cell);

  // s i M: the analog outputs follow with their note, the displays take the new names.
  choose(field::kCalculationMode, 3);
  EXPECT_EQ(messages(), QStringList{"INFO!|" + kAnalogWarning});
  EXPECT_EQ(parameterPage().fieldValue(field::kAnalogOutmode), 3);
  const QStringList names{"s", "i", "M"};
  const char *displays[] = {"xValue", "yValue", "intensityValue"};
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(panel().findChild<QLabel *>(QString::fromLatin1(displays[i]))->accessibleName(),
              names[i]);
  EXPECT_EQ(redraws, 2);
}

// Controls laid out by `page` itself that are shown and overlap another one.
QStringList overlaps(QWidget *page) {
  std::vector<QWidget *> shown;
  for (QWidget *w : page->findChildren<QWidget *>()) {
    const bool control = qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w) ||
                         qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w) ||
                         qobject_cast<QAbstractSlider *>(w) || qobject_cast<QTableWidget *>(w);
    if (control && w->parentWidget() == page && w->isVisibleTo(page)) shown.push_back(w);
  }
  QStringList out;
  for (std::size_t i = 0; i < shown.size(); ++i)
    for (std::size_t j = i + 1; j < shown.size(); ++j)
      if (shown[i]->geometry().intersects(shown[j]->geometry()))
        out << shown[i]->accessibleName() + " / " + shown[j]->accessibleName();
  return out;
}

TEST_F(RulesTest, PagesFollowEveryOutputAndEvaluationMode) {
  startConnected();
  // Set QUORVANE_SHOT_DIR to keep a picture of the window in every mode.
  const QString shots = qEnvironmentVariable("QUORVANE_SHOT_DIR");
  const auto *colourNumber = panel().findChild<QLabel *>(QStringLiteral("colourNumber"));
  ASSERT_NE(colourNumber, nullptr);
  for (std::uint16_t out = 0; out <= 3; ++out) {
    for (std::uint16_t eval = 0; eval <= 6; ++eval) {
      SCOPED_TRACE("DIGITAL OUTMODE " + std::to_string(out) + ", EVALUATION MODE " +
                   std::to_string(eval));
      choose(field::kDigitalOutmode, out);
      choose(field::kEvaluationMode, eval);
      const PanelView &view = app->panelView();
      const bool evaluating = out != 0;

      if (evaluating && eval >= 3) {
        EXPECT_EQ(parameterPage().fieldValue(field::kMaxVecNo), 2);
        EXPECT_FALSE(parameterPage().spinBox(field::kMaxVecNo)->isEnabled());
      }
      if (evaluating && eval >= 4) {
        EXPECT_EQ(parameterPage().fieldValue(field::kIntLim), 0);
      }
      if (eval >= 4) {
        EXPECT_FALSE(parameterPage().ring(field::kTrigger)->isEnabled());
      }
      EXPECT_EQ(colourNumber->isVisibleTo(&panel()), evaluating);
      EXPECT_EQ(parameterPage().spinBox(field::kMaxVecNo)->isEnabled(),
                view.controls.maxVecNoEnabled);
      EXPECT_EQ(groupPage().groupTable()->isEnabled(), view.controls.groupTableEnabled);
      using Tab = MeasurementPanel::GraphTab;
      EXPECT_EQ(panel().isGraphPageVisible(Tab::View2D), view.measurement.graph2DVisible);
      EXPECT_EQ(panel().isGraphPageVisible(Tab::View3D), view.measurement.graph3DVisible);
      EXPECT_EQ(app->params().para.evaluationMode, eval);

      for (const MainPage page : {MainPage::Parameters, MainPage::ColorGroups}) {
        window().showPage(page);
        QCoreApplication::processEvents();
        QWidget *content =
            page == MainPage::Parameters ? static_cast<QWidget *>(&parameterPage()) : &groupPage();
        EXPECT_TRUE(overlaps(content).isEmpty()) << overlaps(content).join(", ").toStdString();
        if (!shots.isEmpty())
          window().grab().save(
              QDir(shots).filePath(QStringLiteral("%1-out%2-eval%3.png")
                                       .arg(page == MainPage::Parameters ? "parameters" : "groups")
                                       .arg(out)
                                       .arg(eval)));
      }
    }
  }
}

} // namespace
} // namespace quorvane::testing
