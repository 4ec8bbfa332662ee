// The teach subsystem against the parameter data and the simulated sensor's link, without
// the main window: the teach grid's context menu on mouse and keyboard selections, TEACH
// DATA TO by mode, the mean-value assistant, and the ROW COLORS page with its file.
#include "ini/ini_text.h"
#include "live/core/measured_values.h"
#include "live/frame_publisher.h"
#include "live/live_subsystem.h"
#include "params/core/sensor_parameters.h"
#include "params/parameter_page.h"
#include "params/parameter_subsystem.h"
#include "support/measured_frame.h"
#include "support/sensor_rig.h"
#include "teach/core/table_attributes_file.h"
#include "teach/teach_subsystem.h"
#include "ui/display_widgets.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace quorvane::testing {
namespace {

struct TeachTest : ::testing::Test, SensorRig {
  QTemporaryDir dir;
  FramePublisher frames;
  // The pages' owner, as the main window is in the tool.
  QWidget host;
  ParameterSubsystem params{link, shell, dialogs};
  LiveSubsystem live{link, shell, dialogs, params.data().record(), params.controller(), frames};
  TeachSubsystem teach{params, dialogs, frames, live.controller(), link, shell};

  TeachTest() {
    for (Subsystem *s : std::initializer_list<Subsystem *>{&params, &live, &teach}) {
      for (const PageDeclaration &p : s->pages())
        p.widget->setParent(&host);
      for (const ChildPanelDeclaration &p : s->childPanels())
        p.widget->setParent(&host);
    }
    teach.initAtStartup();
    // Start-up with a settings file that holds no rows: the default colours.
    teach.loadSettings(IniText{});
  }

  ParameterData &data() { return params.data(); }
  RowColoursPage &colours() { return teach.rowColoursPage(); }
  QTableWidget *grid() { return params.teachTablePage().grid(); }
  // The teach-table page on screen: mouse drags need its geometry.
  void showGrid() {
    TeachTablePage &page = params.teachTablePage();
    host.resize(900, 900);
    page.resize(900, 900);
    page.show();
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  }
  // The operator picks the item of `value` in a ring of the parameter page.
  void choose(std::size_t field, std::uint16_t value) {
    QComboBox *ring = params.parameterPage().ring(field);
    ASSERT_NE(ring, nullptr);
    ASSERT_TRUE(ring->isEnabled()) << ring->accessibleName().toStdString() << " is dimmed";
    const int index = ring->findData(int{value});
    ASSERT_GE(index, 0) << ring->accessibleName().toStdString() << " offers no " << value;
    ring->setCurrentIndex(index);
    Q_EMIT ring->activated(index);
  }
  QAction *entry(const QString &text) {
    for (QAction *a : teach.gridMenu().menu()->actions())
      if (a->text() == text) return a;
    ADD_FAILURE() << "no entry " << text.toStdString();
    return nullptr;
  }
  void trigger(const QString &text) {
    if (QAction *a = entry(text)) a->trigger();
  }
  // Lines and columns as the grid shows them: row, cell 0..4 and the colour column 5.
  QPoint centre(int row, int column) {
    return grid()->visualRect(grid()->model()->index(row, column)).center();
  }
  void drag(int row0, int column0, int row1, int column1) {
    QWidget *v = grid()->viewport();
    QTest::mousePress(v, Qt::LeftButton, {}, centre(row0, column0));
    QMouseEvent move(QEvent::MouseMove, centre(row1, column1),
                     v->mapToGlobal(centre(row1, column1)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(v, &move);
    QTest::mouseRelease(v, Qt::LeftButton, {}, centre(row1, column1));
  }
  std::vector<int> cells(int row) {
    std::vector<int> out;
    for (int c = 0; c < 5; ++c)
      out.push_back(params.teachTablePage().cell(row, c));
    return out;
  }
  void fillCells(int value) {
    for (int r = 0; r < 31; ++r)
      for (int c = 0; c < 5; ++c)
        data().setCell(r, c, static_cast<std::uint16_t>(value));
  }
  QColor background(QTableWidget *table, int line, int column) {
    return table->item(line, column)->background().color();
  }
  // The colour of row n in its four places.
  std::vector<QRgb> fourPlaces(int row) {
    GroupHoldPage &groups = params.groupHoldPage();
    return {background(grid(), row, 5).rgb(),
            background(colours().specificationTable(), row, 1).rgb(),
            background(groups.groupTable(), row, 1).rgb(),
            background(groups.holdTable(), row + 1, 1).rgb()};
  }
  std::vector<QRgb> four(std::uint32_t rgb) { return std::vector<QRgb>(4, 0xFF000000u | rgb); }
  QString file(const char *name) { return dir.filePath(QString::fromLatin1(name)); }
  void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
};

// --- the context menu ---

TEST_F(TeachTest, MenuHasItsEntriesInOrderAndTogglesTeachTolerance) {
  QStringList texts;
  for (QAction *a : teach.gridMenu().menu()->actions())
    texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ(texts,
            (QStringList{"Help", "-", "Set selection to", "Increment selection with",
                         "Reset selection", "-", "Teach tolerance off", "Teach tolerance on"}));
  EXPECT_TRUE(entry("Teach tolerance off")->isEnabled());
  EXPECT_FALSE(entry("Teach tolerance on")->isEnabled());

  trigger("Teach tolerance off");
  EXPECT_FALSE(teach.gridMenu().teachTolerance());
  EXPECT_FALSE(entry("Teach tolerance off")->isEnabled());
  EXPECT_TRUE(entry("Teach tolerance on")->isEnabled());
  trigger("Teach tolerance on");
  EXPECT_TRUE(teach.gridMenu().teachTolerance());

  trigger("Help");
  ASSERT_EQ(dialogs.popups().size(), 1u);
  EXPECT_EQ(dialogs.popups()[0].title, "INFO!");
  EXPECT_TRUE(dialogs.popups()[0].text.startsWith(
      "Change cell value with a left double click or with F2. \n\nSelect a range"));
}

// The prompt's reading, the wrap and the skipped cells are the core's (grid selection tests):
// here the mouse and keyboard selections reach the menu and its writes reach the data.
TEST_F(TeachTest, MenuWorksOnMouseAndKeyboardSelections) {
  showGrid();
  fillCells(7);
  data().setCell(0, 0, 100);
  drag(0, 0, 1, 2);
  dialogs.answerPrompt(QStringLiteral("5"));
  trigger("Increment selection with");
  ASSERT_EQ(dialogs.popups().size(), 1u);
  EXPECT_EQ(dialogs.popups()[0].title, "VALUE!");
  EXPECT_EQ(dialogs.popups()[0].text, "Insert a cell value!");
  EXPECT_EQ(cells(0), (std::vector<int>{100, 105, 110, 7, 7}));
  EXPECT_EQ(cells(1), (std::vector<int>{115, 120, 125, 7, 7}));
  EXPECT_EQ(data().table()[1].cell[2], 125) << "the record follows the grid";

  grid()->setFocus();
  grid()->setCurrentCell(2, 1);
  QTest::keyClick(grid(), Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(grid(), Qt::Key_Right, Qt::ShiftModifier);
  dialogs.answerPrompt(std::nullopt); // cancelled
  trigger("Set selection to");
  EXPECT_EQ(cells(2), (std::vector<int>{7, 7, 7, 7, 7}));
  dialogs.answerPrompt(QStringLiteral("42"));
  trigger("Set selection to");
  EXPECT_EQ(cells(3), (std::vector<int>{7, 42, 42, 7, 7}));
  trigger("Reset selection");
  EXPECT_EQ(cells(2), (std::vector<int>{7, 1, 1, 7, 7}));
  EXPECT_EQ(cells(3), (std::vector<int>{7, 1, 1, 7, 7}));

  // Nothing selected: no prompt, no change.
  dialogs.clear();
  grid()->clearSelection();
  trigger("Set selection to");
  trigger("Increment selection with");
  trigger("Reset selection");
  EXPECT_TRUE(dialogs.popups().empty());
}

TEST_F(TeachTest, NonEditableCellsAreSkippedAndAskNothing) {
  showGrid();
  choose(field::kDigitalOutmode, 1);
  choose(field::kCalculationMode, 2); // the fifth value has no meaning in 3D
  fillCells(7);
  EXPECT_FALSE(params.teachTablePage().cellEditable(0, 4));

  // Top-left cell not editable: no prompt at all.
  drag(0, 4, 1, 4);
  ASSERT_EQ(grid()->selectedRanges().size(), 1);
  trigger("Increment selection with");
  EXPECT_TRUE(dialogs.popups().empty());

  // Non-editable cells do not take the running value.
  data().setCell(0, 3, 10);
  drag(0, 3, 1, 4);
  dialogs.answerPrompt(QStringLiteral("3"));
  trigger("Increment selection with");
  EXPECT_EQ(params.teachTablePage().cell(0, 3), 10);
  EXPECT_EQ(params.teachTablePage().cell(0, 4), 7);
  EXPECT_EQ(params.teachTablePage().cell(1, 3), 13);
  EXPECT_EQ(params.teachTablePage().cell(1, 4), 7);
}

TEST_F(TeachTest, MenuOpensFromMouseAndKeyboard) {
  showGrid();
  QMenu *menu = teach.gridMenu().menu();
  grid()->setFocus();
  grid()->setCurrentCell(0, 0);

  QContextMenuEvent mouse(QContextMenuEvent::Mouse, centre(1, 1),
                          grid()->viewport()->mapToGlobal(centre(1, 1)));
  QApplication::sendEvent(grid()->viewport(), &mouse);
  EXPECT_TRUE(menu->isVisible());
  menu->close();

  QContextMenuEvent key(QContextMenuEvent::Keyboard, centre(0, 0),
                        grid()->viewport()->mapToGlobal(centre(0, 0)));
  QApplication::sendEvent(grid()->viewport(), &key);
  EXPECT_TRUE(menu->isVisible());
  menu->close();

  QTest::keyClick(grid(), Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_TRUE(menu->isVisible());
  menu->close();
  EXPECT_TRUE(dialogs.popups().empty()) << "no help popup on the grid";
}

// --- TEACH DATA TO ---

TEST_F(TeachTest, TeachDataToWritesByModeAndMovesTheRowNumber) {
  showGrid();
  QPushButton *teachButton = teach.controller().teachButton();
  frames.publish(measuredFrame(4095, 2048, 15, 300, 400, 2500));
  fillCells(9);

  // MIN DIST, X/Y/INT, POWER MODE DYN: CTO 40, ITO 100.
  choose(field::kDigitalOutmode, 1);
  choose(field::kEvaluationMode, 2);
  choose(field::kCalculationMode, 0);
  choose(field::kPowerMode, 1);
  params.teachTablePage().autoIncrementButton()->setChecked(true);
  data().setRowNumber(29);
  teachButton->click();
  EXPECT_EQ(cells(29), (std::vector<int>{300, 400, 40, 2500, 100}));
  EXPECT_EQ(params.teachTablePage().currentRow(), 30);
  teachButton->click();
  EXPECT_EQ(cells(30), (std::vector<int>{300, 400, 40, 2500, 100}));
  EXPECT_EQ(params.teachTablePage().currentRow(), 30) << "30 is the last row";
  EXPECT_EQ(data().table()[30].cell[3], 2500);

  // Tolerance off in calculation mode 2: X, Y, INT only.
  choose(field::kCalculationMode, 2);
  trigger("Teach tolerance off");
  params.teachTablePage().autoIncrementButton()->setChecked(false);
  data().setRowNumber(5);
  teachButton->click();
  // (The switch to 3D moved the tolerances and set the unused fifth value to 1.)
  EXPECT_EQ(cells(5), (std::vector<int>{300, 400, 2500, 9, 1}));
  EXPECT_EQ(params.teachTablePage().currentRow(), 5);

  // Threshold mode "THD Green Blue": rows 0 and 1 whatever "No." shows.
  choose(field::kEvaluationMode, 6);
  EXPECT_FALSE(params.teachTablePage().rowNumber()->isVisible());
  data().setRowNumber(7);
  teachButton->click();
  EXPECT_EQ(params.teachTablePage().cell(0, 0), 2048);
  EXPECT_EQ(params.teachTablePage().cell(1, 0), 15);
  // The threshold mode moved CALCULATION MODE back to 2D: the row took the 2D layout.
  EXPECT_EQ(cells(7), (std::vector<int>{9, 9, 9, 9, 9}));
  EXPECT_TRUE(dialogs.popups().empty());
}

TEST_F(TeachTest, AutomaticColourModePaintsTheTaughtRowManualDoesNot) {
  QSignalSpy spy(&teach, &TeachSubsystem::rowColoursChanged);
  frames.publish(measuredFrame(4095, 2048, 15, 1, 2, 3));
  data().setRowNumber(4);
  teach.controller().teachButton()->click();
  EXPECT_EQ(fourPlaces(4), four(DefaultRowColors[4])) << "manual mode keeps the colour";
  EXPECT_EQ(spy.count(), 0);

  colours().modeRing()->setCurrentIndex(1);
  Q_EMIT colours().modeRing()->activated(1);
  EXPECT_FALSE(colours().setButton()->isEnabled());
  EXPECT_FALSE(colours().liveColourBox()->isHidden());
  EXPECT_EQ(colours().liveColourBox()->colour(), QColor(0xFF8000));
  data().setRowNumber(4);
  teach.controller().teachButton()->click();
  EXPECT_EQ(fourPlaces(4), four(0xFF8000));
  ASSERT_GE(spy.count(), 1);
  const auto sent = spy.last()[0].value<std::array<std::uint32_t, 31>>();
  EXPECT_EQ(sent[4], 0xFF8000u);
}

// --- the mean-value assistant ---

TEST_F(TeachTest, MeanPanelEditingResetAndLabelsByMode) {
  choose(field::kDigitalOutmode, 1);
  choose(field::kEvaluationMode, 2); // MIN DIST
  choose(field::kCalculationMode, 2);
  teach.meanButton()->click(); // not connected: the loop ends at once
  EXPECT_EQ(shell.child, ChildPanel::MeanTeach);
  EXPECT_EQ(teach.meanPanel().spreadCaption()->text(), QStringLiteral("d (X/Y/INT)"));
  EXPECT_TRUE(teach.meanPanel().spreadInt()->isHidden());
  EXPECT_TRUE(teach.meanPanel().toleranceRing(1)->isHidden());
  EXPECT_EQ(teach.meanPanel().ringCaption(0)->text(), QStringLiteral("TEACH TOL WITH"));
  EXPECT_FALSE(teach.meanPanel().toleranceRing(0)->isEnabled()) << "MIN DIST writes 40";
  EXPECT_EQ(teach.meanPanel().toleranceRing(0)->itemText(3), QStringLiteral("TABLE VALUE"));

  // Three captured lines typed by hand: X 100, 110, 120; one frame 3/4/12 off.
  frames.publish({});
  for (int i = 0; i < 3; ++i)
    teach.meanPanel().captureButton()->click();
  QTableWidget *t = teach.meanPanel().capturedTable();
  const int values[3][3] = {{100, 50, 500}, {110, 50, 500}, {120, 50, 500}};
  for (int line = 0; line < 3; ++line)
    for (int c = 0; c < 3; ++c)
      if (line < 2 || c < 2) t->item(line, 3 + c)->setData(Qt::DisplayRole, values[line][c]);
  // The last cell through the cell editor: the edit recomputes at once.
  t->setCurrentCell(2, 5);
  t->editItem(t->item(2, 5));
  auto *editor = t->findChild<QSpinBox *>();
  ASSERT_NE(editor, nullptr);
  editor->setValue(500);
  QTest::keyClick(editor, Qt::Key_Enter);
  t->setCurrentCell(0, 0);
  EXPECT_EQ(teach.meanPanel().meanTable()->item(0, 3)->text(), QStringLiteral("110"));
  EXPECT_EQ(teach.meanPanel().spread()->text(), QStringLiteral("10"));

  // TEACH in MIN DIST, 3D: 40 as TOL, the fifth cell untouched.
  data().setCell(0, 4, 77);
  data().setRowNumber(0);
  teach.meanPanel().teachButton()->click();
  EXPECT_EQ(cells(0), (std::vector<int>{110, 50, 500, 40, 77}));

  // RESET is red while it asks; "no" keeps the table.
  QString whileAsking;
  dialogs.whileConfirmShown = [&] { whileAsking = teach.meanPanel().resetButton()->styleSheet(); };
  dialogs.answerConfirm(false);
  teach.meanPanel().resetButton()->click();
  dialogs.whileConfirmShown = nullptr;
  EXPECT_TRUE(whileAsking.contains(QStringLiteral("#ff0000"))) << whileAsking.toStdString();
  EXPECT_TRUE(teach.meanPanel().resetButton()->styleSheet().contains(QStringLiteral("#e0e0e0")));
  EXPECT_EQ(teach.meanPanel().counter()->text(), QStringLiteral("3"));
  dialogs.answerConfirm(true);
  teach.meanPanel().resetButton()->click();
  EXPECT_EQ(teach.meanPanel().counter()->text(), QStringLiteral("0"));
  EXPECT_EQ(teach.meanPanel().meanTable()->item(0, 3)->text(), QStringLiteral("0"));
  EXPECT_EQ(dialogs.popups().size(), 2u);
  EXPECT_EQ(dialogs.popups()[0].title, QStringLiteral("ATTENTION!"));

  // The threshold modes dim both buttons; 2D mode 1 relabels.
  choose(field::kEvaluationMode, 6);
  EXPECT_FALSE(teach.meanButton()->isEnabled());
  EXPECT_FALSE(teach.recordedButton()->isEnabled());
  choose(field::kEvaluationMode, 0);
  choose(field::kCalculationMode, 1);
  EXPECT_TRUE(teach.recordedButton()->isEnabled());
  EXPECT_EQ(teach.meanPanel().ringCaption(1)->text(), QStringLiteral("TEACH MTO WITH"));
  EXPECT_TRUE(teach.meanPanel().toleranceRing(0)->isEnabled());
}

// --- the ROW COLORS page ---

TEST_F(TeachTest, SetResetAndHelpOfTheRowColoursPage) {
  colours().rowField()->setValue(15);
  dialogs.answerColour(QColor(0x123456));
  colours().pickButton()->click();
  EXPECT_EQ(colours().selectedColour(), 0x123456u);
  colours().setButton()->click();
  EXPECT_EQ(fourPlaces(15), four(0x123456));
  colours().specificationTable()->item(15, 0)->setText("glossy red");

  dialogs.answerConfirm(false);
  colours().resetButton()->click();
  EXPECT_EQ(fourPlaces(15), four(0x123456)) << "declined";
  dialogs.answerConfirm(true);
  colours().resetButton()->click();
  EXPECT_EQ(fourPlaces(15), four(0xFF0000));
  EXPECT_EQ(fourPlaces(30), four(0xFF0000));
  EXPECT_EQ(colours().specification(15), "");
  EXPECT_EQ(dialogs.popups()[1].title, "ATTENTION!");
  EXPECT_EQ(dialogs.popups()[1].text, "Do you really want to reset the table?");

  dialogs.clear();
  QContextMenuEvent right(QContextMenuEvent::Mouse, QPoint(2, 2), QPoint(2, 2));
  QApplication::sendEvent(colours().setButton(), &right);
  ASSERT_EQ(dialogs.popups().size(), 1u);
  EXPECT_EQ(dialogs.popups()[0].title, "Info");
  EXPECT_EQ(dialogs.popups()[0].text, "Assign selected color to row.");
}

TEST_F(TeachTest, TemperatureFollowsThePublishedFrames) {
  MeasuredValues m;
  m.temperature = -12;
  frames.publish(m);
  EXPECT_EQ(colours().temperatureDisplay()->text(), "-12");
}

TEST_F(TeachTest, SaveWritesTheExactFileAndGetReadsItBack) {
  colours().rowField()->setValue(2);
  colours().colourField()->setValue(0xABCDEF);
  colours().setButton()->click();
  colours().specificationTable()->item(2, 0)->setText("say \"hi\"");

  const QString path = file("TableAttributes.ini");
  dialogs.answerFile(FileSelectResult::NewFile, path);
  colours().saveButton()->click();
  QByteArray want = "[GENERAL INFO]\r\nFILE TYPE: = \"Table Attributes\"\r\n"
                    "SCOPE VERSION: = \"QUORVANE ANA Scope V1.3\"\r\n\r\n";
  for (int r = 0; r < 31; ++r) {
    const std::uint32_t colour = r == 2 ? 0xABCDEF : DefaultRowColors[static_cast<std::size_t>(r)];
    want += "[TABLE ATTR OF TEACH VECTOR " + QByteArray::number(r) +
            "]\r\nRow color = " + QByteArray::number(colour) + "\r\nRow specification = \"" +
            (r == 2 ? QByteArray("say \\\"hi\\\"") : QByteArray()) + "\"\r\n\r\n";
  }
  EXPECT_EQ(readFile(path), want);
  EXPECT_EQ(dialogs.popups().back().title, "TableAttributes");

  dialogs.answerConfirm(true);
  colours().resetButton()->click();
  dialogs.answerFile(FileSelectResult::ExistingFile, path);
  colours().getButton()->click();
  EXPECT_EQ(fourPlaces(2), four(0xABCDEF));
  EXPECT_EQ(colours().specification(2), "say \"hi\"");
  EXPECT_EQ(dialogs.fileDirectories.back(), dir.path()) << "starts where the last file was";

  // A write that fails is reported.
  dialogs.clear();
  dialogs.answerFile(FileSelectResult::NewFile, file("missing/dir/T.ini"));
  colours().saveButton()->click();
  ASSERT_EQ(dialogs.popups().size(), 2u);
  EXPECT_EQ(dialogs.popups()[1].title, "ATTENTION!");
  EXPECT_TRUE(dialogs.popups()[1].text.startsWith("The table attributes could not be saved to"));
}

TEST_F(TeachTest, GetHandlesCancelledForeignAndBrokenFiles) {
  const QString path = file("T.ini");
  struct Case {
    const char *name;
    QByteArray bytes;
    std::vector<bool> answers; // to the confirmations, in order
    QStringList texts;         // every popup after the file dialog
    std::uint32_t row7;        // colour of row 7 afterwards
  };
  const QByteArray header = "[GENERAL INFO]\r\nFILE TYPE: = \"Table Attributes\"\r\n"
                            "SCOPE VERSION: = \"QUORVANE ANA Scope V1.3\"\r\n";
  QByteArray missingRow7 = header;
  QByteArray outOfRange = header;
  for (int r = 0; r < 31; ++r) {
    const QByteArray section = "[TABLE ATTR OF TEACH VECTOR " + QByteArray::number(r) + "]\r\n";
    if (r != 7) missingRow7 += section + "Row color = 5\r\n";
    outOfRange += section + (r == 7 ? "Row color = 99999999\r\n" : "Row color = -4\r\n") +
                  "Row specification = \"" + QByteArray(200, 'w') + "\"\r\n";
  }
  const QString notTable = "Selected file is not a table attributes file! \nDo you want to "
                           "proceed anyway?";
  const QString version = "Selected file and scope version do not match! \nDo you want to "
                          "proceed anyway?";
  QByteArray binary(3000, '\0');
  for (int i = 0; i < binary.size(); ++i)
    binary[i] = static_cast<char>(i * 37);
  const Case cases[] = {
      {"foreign declined",
       "[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings\"\r\n",
       {false},
       {notTable, "No parameter where read!"},
       0x800080},
      {"version declined",
       "[GENERAL INFO]\r\nFILE TYPE: = \"Table Attributes\"\r\nSCOPE VERSION: = \"V1.2\"\r\n",
       {false},
       {version, "No parameter where read!"},
       0x800080},
      {"missing row 7",
       missingRow7,
       {},
       {"Following teach vectors could not be read \nand "
        "where set to default value:\n\nTABLE ATTR OF TEACH "
        "VECTOR 7\n"},
       0x800080},
      {"out of range", outOfRange, {}, {}, 0xFFFFFF},
      {"empty, proceeded", "", {true, true}, {notTable, version}, 0x800080},
      {"binary, proceeded", binary, {true, true}, {notTable, version}, 0x800080},
      {"truncated", header.left(30), {true, true}, {notTable, version}, 0x800080},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    writeFile(path, c.bytes);
    dialogs.clear();
    dialogs.answerFile(FileSelectResult::ExistingFile, path);
    for (bool yes : c.answers)
      dialogs.answerConfirm(yes);
    colours().getButton()->click();
    QStringList texts;
    for (std::size_t i = 1; i < dialogs.popups().size(); ++i)
      texts << dialogs.popups()[i].text;
    // Proceeding with nothing readable names every row in one message.
    if (c.answers == std::vector<bool>{true, true}) {
      ASSERT_EQ(texts.size(), 3);
      EXPECT_TRUE(texts[2].endsWith("TABLE ATTR OF TEACH VECTOR 30\n"));
      texts.removeLast();
    }
    EXPECT_EQ(texts, c.texts);
    EXPECT_EQ(fourPlaces(7), four(c.row7));
  }
  EXPECT_EQ(fourPlaces(9), four(0xFF0080)) << "defaults after the last broken file";
  EXPECT_EQ(colours().specification(0), "");

  // Out-of-range values held to their ranges, texts cut to 99 characters.
  writeFile(path, outOfRange);
  dialogs.answerFile(FileSelectResult::ExistingFile, path);
  colours().getButton()->click();
  EXPECT_EQ(fourPlaces(0), four(0x000000));
  EXPECT_EQ(colours().specification(0), QString(99, 'w'));

  // Cancelled, or a file that does not exist.
  dialogs.clear();
  dialogs.answerFile(FileSelectResult::Cancelled, QString());
  colours().getButton()->click();
  dialogs.answerFile(FileSelectResult::NewFile, file("nothing.ini"));
  colours().getButton()->click();
  ASSERT_EQ(dialogs.popups().size(), 4u);
  EXPECT_EQ(dialogs.popups()[1].text, "No file was selected!");
  EXPECT_EQ(dialogs.popups()[3].text, "No file was selected!");
}

TEST_F(TeachTest, OversizedOrUnreadableFileAsksNothing) {
  const QString path = file("huge.ini");
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize((1 << 20) + 1)); // sparse
  }
  const std::pair<QString, QString> cases[] = {{path, "is larger than 1 MiB"},
                                               {dir.path(), "could not be read"}};
  for (const auto &[chosen, says] : cases) {
    dialogs.clear();
    dialogs.answerFile(FileSelectResult::ExistingFile, chosen);
    colours().getButton()->click();
    ASSERT_EQ(dialogs.popups().size(), 2u) << "one message, no question";
    EXPECT_TRUE(dialogs.popups()[1].text.contains(says)) << dialogs.popups()[1].text.toStdString();
  }
}

} // namespace
} // namespace quorvane::testing
