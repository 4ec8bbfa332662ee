// SEND and GET with the memory target FILE: the exact file, reading it back, damaged and
// foreign files, and a write that cannot happen.
#include "core/file_test_support.h"
#include "params_fixture.h"

#include <QDir>
#include <QSignalSpy>

#include <filesystem>
#include <random>
#include <sys/stat.h>

namespace quorvane::testing {
namespace {

const QString kNoFile = QStringLiteral("ATTENTION!|No file was selected!");
const QString kNotParameterFile = QStringLiteral(
    "ATTENTION!|Selected file is not a parameter file! \nDo you want to proceed anyway?");
const QString kOtherVersion = QStringLiteral(
    "ATTENTION!|Selected file and scope version do not match! \nDo you want to proceed anyway?");
const QString kNothingRead = QStringLiteral("ATTENTION!|No parameter where read!");

QString allParametersMissing() {
  return QStringLiteral("Attention!|Following parameter could not be read \nand where set to "
                        "default value:\n\nPOWER\nPOWER MODE\nAVERAGE\nEVALUATION MODE\nHOLD "
                        "FAIL\nINTLIM\nMAX VEC NO\nDIGITAL OUTMODE\nTRIGGER\nEXTEACH\nCALCULATION "
                        "MODE\nDYNWIN LO\nDYNWIN HI\nCOLOR GROUP\nLED MODE\nGAIN\nINTEGRAL\nANALOG "
                        "OUTMODE\nANALOG OUT\nANALOG ZOOM\n");
}

QString teachRowsMissing(int from) {
  QString text = QStringLiteral(
      "Attention!|Following teach vectors could not be read \nand where set to default value:\n\n");
  for (int r = from; r <= 30; ++r)
    text += QStringLiteral("TEACH VECTOR %1\n").arg(r);
  return text;
}

struct ParameterFileTest : ParamsFixture {
  ScratchDir dir;
  QSignalSpy linkFailures{&link, &SensorLink::failed};

  ParameterFileTest() { controller.memorySelected(ParameterMemory::File); }
  void TearDown() override {
    ParamsFixture::TearDown();
    EXPECT_EQ(linkFailures.count(), 0) << "the link was used";
  }

  QString path(const char *name) const { return QString::fromStdString(dir.file(name)); }
  void showDistinctValues() {
    data.setPara(distinctParameters());
    data.setTable(distinctTable());
  }
  void send(const QString &file, FileSelectResult r = FileSelectResult::NewFile) {
    dialogs.answerFile(r, file);
    buttons.send->click();
  }
  void get(const QString &file) {
    dialogs.answerFile(FileSelectResult::ExistingFile, file);
    buttons.get->click();
  }
  void panelToDefaults() {
    data.setPara(SensorParameters{});
    data.setTable(TeachTable{});
    dialogs.clear();
    rulePasses = graphRedraws = 0;
  }
  std::vector<QString> popupsAfterFileDialog() const {
    std::vector<QString> out = popupTexts();
    EXPECT_FALSE(out.empty());
    if (!out.empty()) out.erase(out.begin()); // the file dialog itself
    return out;
  }
};

TEST_F(ParameterFileTest, SendWritesTheExactFile) {
  showDistinctValues();
  send(path("Parameter.ini"));
  EXPECT_EQ(popupsAfterFileDialog(), std::vector<QString>{});

  std::string expected = "[GENERAL INFO]\r\n"
                         "FILE TYPE: = \"Parameter File\"\r\n"
                         "SCOPE VERSION: = \"QUORVANE ANA Scope V1.3\"\r\n"
                         "\r\n"
                         "[PARAMETER]\r\n"
                         "POWER = 777\r\n"
                         "POWER MODE = 1\r\n"
                         "AVERAGE = 17\r\n"
                         "EVALUATION MODE = 2\r\n"
                         "HOLD FAIL = 33\r\n"
                         "INTLIM = 44\r\n"
                         "MAX VEC NO = 29\r\n"
                         "DIGITAL OUTMODE = 3\r\n"
                         "TRIGGER = 6\r\n"
                         "EXTERN TEACH = 0\r\n"
                         "CALCULATION MODE = 3\r\n"
                         "DYNWIN LO = 1234\r\n"
                         "DYNWIN HI = 2345\r\n"
                         "COLOR GROUP = 1\r\n"
                         "LED MODE = 3\r\n"
                         "GAIN = 7\r\n"
                         "INTEGRAL = 250\r\n"
                         "ANALOG OUTMODE = 5\r\n"
                         "ANALOG OUT = 1\r\n"
                         "ANALOG ZOOM = 9\r\n"
                         "\r\n"
                         "[TEACH VECTOR 0]\r\n"
                         "CELL 0 = 3\r\n"
                         "CELL 1 = 13\r\n"
                         "CELL 2 = 23\r\n"
                         "CELL 3 = 33\r\n"
                         "CELL 4 = 43\r\n"
                         "GROUP = 0\r\n"
                         "HOLD = 500\r\n"
                         "\r\n";
  // Rows 1 to 30 follow the same pattern (values of distinctTable; no reserved word).
  for (int r = 1; r <= 30; ++r) {
    expected += "[TEACH VECTOR " + std::to_string(r) + "]\r\n";
    for (int c = 0; c < 5; ++c) {
      const int value = (r == 30 && c == 4) ? 65535 : 1000 * r + 10 * c + 3;
      expected += "CELL " + std::to_string(c) + " = " + std::to_string(value) + "\r\n";
    }
    expected +=
        "GROUP = " + std::to_string(r % 3) + "\r\nHOLD = " + std::to_string(500 + r) + "\r\n\r\n";
  }
  EXPECT_EQ(readBytes(dir.file("Parameter.ini")), expected);
  ASSERT_EQ(dialogs.fileCalls.size(), 1u);
  EXPECT_EQ(dialogs.fileCalls[0].title, "Parameter");
  EXPECT_EQ(dialogs.fileCalls[0].defaultName, "Parameter.ini");
  EXPECT_EQ(dialogs.fileCalls[0].filter, "*.ini");
  EXPECT_EQ(dialogs.fileCalls[0].mode, FileDialogMode::Save);
  EXPECT_EQ(controller.fileIo().parameterFilePath, path("Parameter.ini"));
}

TEST_F(ParameterFileTest, WrittenFileReadsBackWithoutAReport) {
  showDistinctValues();
  send(path("set.ini"));
  panelToDefaults();

  get(path("set.ini"));
  EXPECT_EQ(popupsAfterFileDialog(), std::vector<QString>{});
  EXPECT_EQ(state.para, distinctParameters());
  const TeachTable expected = distinctTable();
  for (std::size_t r = 0; r < kTeachRows; ++r) {
    EXPECT_EQ(state.table[r].cell, expected[r].cell);
    EXPECT_EQ(state.table[r].group, expected[r].group);
    EXPECT_EQ(state.table[r].hold, expected[r].hold);
  }
  EXPECT_EQ(rulePasses, 1);
  EXPECT_EQ(graphRedraws, 1);
  EXPECT_EQ(dialogs.fileCalls.back().mode, FileDialogMode::Open);
}

TEST_F(ParameterFileTest, NextDialogStartsInTheFolderOfTheLastFile) {
  controller.fileIo().parameterFilePath = QString::fromStdString(dir.path().string());
  send(path("first.ini"));
  send(path("second.ini"));
  ASSERT_EQ(dialogs.fileCalls.size(), 2u);
  const QString folder = QString::fromStdString(dir.path().string());
  EXPECT_EQ(QDir(dialogs.fileCalls[0].directory), QDir(folder));
  EXPECT_EQ(QDir(dialogs.fileCalls[1].directory), QDir(folder));
  EXPECT_EQ(controller.fileIo().parameterFilePath, path("second.ini"));
}

TEST_F(ParameterFileTest, NoFileChosenChangesNothing) {
  struct Case {
    const char *name;
    bool sending;
    FileSelectResult result;
  };
  const Case cases[] = {{"send cancelled", true, FileSelectResult::Cancelled},
                        {"get cancelled", false, FileSelectResult::Cancelled},
                        {"get of a new file", false, FileSelectResult::NewFile}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    panelToDefaults();
    controller.fileIo().parameterFilePath = path("kept.ini");
    data.setField(field::kPower, 123);
    dialogs.answerFile(c.result,
                       c.result == FileSelectResult::Cancelled ? QString() : path("absent.ini"));
    (c.sending ? buttons.send : buttons.get)->click();
    EXPECT_EQ(popupsAfterFileDialog(), std::vector<QString>{kNoFile});
    EXPECT_EQ(parameters.fieldValue(field::kPower), 123);
    EXPECT_EQ(rulePasses, 0);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{});
  }
  // A cancelled dialog does not forget where the last file was.
  EXPECT_EQ(controller.fileIo().parameterFilePath, path("absent.ini"));
}

TEST_F(ParameterFileTest, DamagedAndForeignFilesGoThroughTheQuestions) {
  std::string written;
  {
    showDistinctValues();
    send(path("good.ini"));
    written = readBytes(dir.file("good.ini"));
  }
  std::string garbage(4096, '\0');
  std::mt19937 random(7);
  for (char &ch : garbage)
    ch = static_cast<char>(random());
  const std::size_t cut = written.find("CELL 2 =", written.find("[TEACH VECTOR 12]")) + 8;
  std::string hugeGarbage(8 << 20, '\0');
  for (char &ch : hugeGarbage)
    ch = static_cast<char>(random());
  std::string huge = written;
  huge.insert(written.find("POWER ="), "JUNK = \"" + std::string(6 << 20, 'x') + "\"\r\n");

  struct Case {
    const char *name;
    std::string content;
    std::vector<bool> answers; // to the confirmations, in order
    std::vector<QString> popups;
    bool read; // the file's values reached the panel
  };
  const std::vector<Case> cases = {
      {"empty, declined", "", {false}, {kNotParameterFile, kNothingRead}, false},
      {"empty, accepted",
       "",
       {true, true},
       {kNotParameterFile, kOtherVersion, allParametersMissing(), teachRowsMissing(0)},
       false},
      {"binary garbage, declined", garbage, {false}, {kNotParameterFile, kNothingRead}, false},
      {"binary garbage, version declined",
       garbage,
       {true, false},
       {kNotParameterFile, kOtherVersion, kNothingRead},
       false},
      {"truncated in row 12", written.substr(0, cut), {}, {teachRowsMissing(12)}, true},
      {"megabytes long", huge, {}, {}, true},
      {"megabytes of garbage, accepted",
       hugeGarbage,
       {true, true},
       {kNotParameterFile, kOtherVersion, allParametersMissing(), teachRowsMissing(0)},
       false},
      {"other version, accepted",
       [&] {
         std::string s = written;
         s.replace(s.find("V1.3"), 4, "V1.2");
         return s;
       }(),
       {true},
       {kOtherVersion},
       true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    writeBytes(dir.file("in.ini"), c.content);
    panelToDefaults();
    data.setField(field::kPower, 99); // an edit not yet in the record
    dialogs.answerFile(FileSelectResult::ExistingFile, path("in.ini"));
    for (bool yes : c.answers)
      dialogs.answerConfirm(yes);
    buttons.get->click();
    std::vector<QString> seen = popupsAfterFileDialog();
    for (QString &p : seen)
      p.truncate(2000);
    EXPECT_EQ(seen, c.popups);
    EXPECT_EQ(rulePasses, 1);
    EXPECT_EQ(graphRedraws, 1);
    if (c.read) {
      EXPECT_EQ(state.para, distinctParameters());
      EXPECT_EQ(state.table[11].cell, distinctTable()[11].cell);
    } else if (c.answers.size() == 2 && c.answers[1]) {
      EXPECT_EQ(state.para, SensorParameters{}); // every key missing: the defaults
      EXPECT_EQ(state.table[0].cell, (std::array<std::uint16_t, 5>{1, 1, 1, 1, 1}));
      EXPECT_EQ(state.table[0].hold, 10);
    } else {
      // Nothing read: the panel stays as the operator left it.
      EXPECT_EQ(state.para.power, 99);
    }
  }
  // The cut row keeps what could be read and defaults the rest.
  EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(ParameterFileTest, TruncatedRowKeepsItsReadCells) {
  showDistinctValues();
  send(path("good.ini"));
  std::string written = readBytes(dir.file("good.ini"));
  const std::size_t cut = written.find("CELL 2 =", written.find("[TEACH VECTOR 12]")) + 8;
  writeBytes(dir.file("cut.ini"), written.substr(0, cut));
  panelToDefaults();
  get(path("cut.ini"));
  EXPECT_EQ(state.table[12].cell, (std::array<std::uint16_t, 5>{12003, 12013, 1, 1, 1}));
  EXPECT_EQ(state.table[12].group, 0);
  EXPECT_EQ(state.table[12].hold, 10);
}

TEST_F(ParameterFileTest, FailedWriteKeepsTheOldFileAndSaysWhy) {
  showDistinctValues();
  send(path("Parameter.ini"));
  const std::string old = readBytes(dir.file("Parameter.ini"));
  ASSERT_FALSE(old.empty());
  data.setField(field::kPower, 5);
  ::chmod(dir.path().c_str(), 0555);

  // The write runs as an unprivileged operator (as root, permissions would not apply).
  const QString target = path("Parameter.ini");
  const QString expected = QStringLiteral("ATTENTION!|Parameter file could not be written:\n") +
                           QDir::toNativeSeparators(target) +
                           QStringLiteral("\nAccess denied: the file or its folder is not "
                                          "writable.");
  const int child = runInChild(
      [&] {
        dialogs.clear();
        dialogs.answerFile(FileSelectResult::ExistingFile, target);
        controller.fileIo().writeParameterFile();
        const std::vector<QString> seen = popupTexts();
        return seen.size() == 2 && seen[1] == expected ? 0 : -1;
      },
      true);
  ::chmod(dir.path().c_str(), 0755);
  EXPECT_EQ(child, 0) << "the operator was not told, or told something else";
  EXPECT_EQ(readBytes(dir.file("Parameter.ini")), old);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"Parameter.ini"});
  dialogs.clear();
}

TEST_F(ParameterFileTest, OfflineLoadEditSave) {
  // No link at all: the target is FILE, as after a disconnect.
  showDistinctValues();
  send(path("Parameter.ini"));
  panelToDefaults();
  get(path("Parameter.ini"));
  data.setField(field::kGain, 2);
  data.setCell(30, 0, 4242);
  send(path("Parameter.ini"), FileSelectResult::ExistingFile);
  panelToDefaults();
  get(path("Parameter.ini"));
  SensorParameters expected = distinctParameters();
  expected.gain = 2;
  EXPECT_EQ(state.para, expected);
  EXPECT_EQ(state.table[30].cell[0], 4242);
  EXPECT_EQ(state.table[29].cell, distinctTable()[29].cell);
}

} // namespace
} // namespace quorvane::testing
