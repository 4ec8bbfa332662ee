#pragma once
// The parameter pages and controller as the application builds them, with scripted popups
// and a shell that records what the controller asked of the main window.
#include "link/sensor_link.h"
#include "params/group_hold_page.h"
#include "params/parameter_controller.h"
#include "params/parameter_page.h"
#include "params/rule_participant.h"
#include "params/teach_table_page.h"
#include "support/fake_shell.h"
#include "support/scripted_dialogs.h"
#include "support/settle.h"
#include "ui/shell.h"

#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

// Readable QString values in failure messages.
inline void PrintTo(const QString &s, std::ostream *os) {
  *os << '"' << s.toStdString() << '"';
}

namespace quorvane::testing {

using RecordingShell = FakeShell;

// Scripted popups that also keep what each file dialog was opened with.
class FileDialogRecorder : public ScriptedDialogs {
public:
  struct Call {
    QString directory, defaultName, filter, title;
    FileDialogMode mode;
  };
  std::vector<Call> fileCalls;

  FileSelection selectFile(const QString &directory, const QString &defaultName,
                           const QString &filter, const QString &title,
                           FileDialogMode mode) override {
    fileCalls.push_back({directory, defaultName, filter, title, mode});
    return ScriptedDialogs::selectFile(directory, defaultName, filter, title, mode);
  }
};

// The main window's transfer controls, as plain buttons.
struct MainButtons {
  QWidget host;
  QPushButton *send = new QPushButton(QStringLiteral("SEND"), &host);
  QPushButton *get = new QPushButton(QStringLiteral("GET"), &host);
  QWidget memoryBox{&host};
  QRadioButton *ram = new QRadioButton(QStringLiteral("RAM"), &memoryBox);
  QRadioButton *eeprom = new QRadioButton(QStringLiteral("EEPROM"), &memoryBox);
  QRadioButton *file = new QRadioButton(QStringLiteral("FILE"), &memoryBox);
  QWidget setBox{&host};
  QRadioButton *paraSet0 = new QRadioButton(QStringLiteral("ParaSet0"), &setBox);
  QRadioButton *paraSet1 = new QRadioButton(QStringLiteral("ParaSet1"), &setBox);

  MainParamControls controls() { return {send, get, ram, eeprom, file, paraSet0, paraSet1}; }
};

struct ParamsFixture : ::testing::Test {
  FileDialogRecorder dialogs;
  RecordingShell shell;
  SensorLink link;
  ParameterData data;
  const ParameterState &state = data.record();
  ParameterPage parameters{dialogs};
  GroupHoldPage groupHold{dialogs};
  TeachTablePage teach{dialogs};
  // The rule pass as the controller sees it: counted, and replaceable by a test.
  struct Rules : RulePass {
    std::function<void()> pass, exteach;
    void runRules() override {
      if (pass) pass();
    }
    void runExteach() override {
      if (exteach) exteach();
    }
  } rules;
  ParameterController controller{data, link, shell, dialogs, parameters, groupHold, teach, rules};
  MainButtons buttons;
  int rulePasses = 0;
  int graphRedraws = 0;

  ParamsFixture() {
    rules.pass = [this] { ++rulePasses; };
    QObject::connect(&controller, &ParameterController::tableChanged, [this] { ++graphRedraws; });
    controller.wire(buttons.controls());
  }
  void TearDown() override { EXPECT_TRUE(dialogs.allAnswersUsed()); }

  // Clicks `button` and waits until what it handed to the link has ended.
  void clickAndSettle(QAbstractButton *button) {
    button->click();
    settleUntil([this] { return link.idle(); });
  }

  // Every popup so far as "title|text" lines.
  std::vector<QString> popupTexts() const {
    std::vector<QString> out;
    for (const Popup &p : dialogs.popups())
      out.push_back(p.title + QLatin1Char('|') + p.text);
    return out;
  }
};

// A record and table in which every word differs from its default and from its neighbours,
// within the ranges of the panel controls.
inline SensorParameters distinctParameters() {
  SensorParameters p;
  p.power = 777;
  p.powerMode = 1;
  p.average = 17;
  p.evaluationMode = 2;
  p.holdFail = 33;
  p.intLim = 44;
  p.maxVecNo = 29;
  p.digitalOutmode = 3;
  p.trigger = 6;
  p.externTeach = 0;
  p.calculationMode = 3;
  p.dynwinLo = 1234;
  p.dynwinHi = 2345;
  p.colorGroup = 1;
  p.ledMode = 3;
  p.gain = 7;
  p.integral = 250;
  p.analogOutmode = 5;
  p.analogOut = 1;
  p.analogZoom = 9;
  return p;
}

inline TeachTable distinctTable() {
  TeachTable t{};
  for (std::size_t r = 0; r < kTeachRows; ++r) {
    for (std::size_t c = 0; c < kTeachCells; ++c)
      t[r].cell[c] = static_cast<std::uint16_t>(1000 * r + 10 * c + 3);
    t[r].group = static_cast<std::uint16_t>(r % 3);
    t[r].hold = static_cast<std::uint16_t>(500 + r);
    t[r].reserved = static_cast<std::uint16_t>(0xA000 + r);
  }
  t[30].cell[4] = 65535;
  return t;
}

} // namespace quorvane::testing
