// The teach operations through the real window: the intensity band of "No." with Ctrl+T on a
// row still being typed, the row sections of the panel settings file, and taught rows that
// reach the sensor.
#include "app_fixture.h"

#include "live/core/measured_values.h"
#include "params/core/sensor_parameters.h"
#include "support/measured_frame.h"
#include "support/settle.h"
#include "teach/core/table_attributes_file.h"
#include "teach/teach_subsystem.h"
#include "ui/graph_widget.h"

#include <QTableWidget>
#include <QTest>
#include <qcustomplot.h>

namespace quorvane::testing {
namespace {

constexpr int kWriteParameters = 2;

struct TeachTest : AppFixture {
  TeachSubsystem &teach() { return app->teach(); }
  RowColoursPage &colours() { return teach().rowColoursPage(); }
  std::vector<int> cells(int row) {
    std::vector<int> out;
    for (int c = 0; c < 5; ++c)
      out.push_back(teachPage().cell(row, c));
    return out;
  }
  QColor background(QTableWidget *table, int line, int column) {
    return table->item(line, column)->background().color();
  }
  // The colour of row n in its four places.
  std::vector<QRgb> fourPlaces(int row) {
    return {background(teachPage().grid(), row, 5).rgb(),
            background(colours().specificationTable(), row, 1).rgb(),
            background(groupPage().groupTable(), row, 1).rgb(),
            background(groupPage().holdTable(), row + 1, 1).rgb()};
  }
  std::vector<QRgb> four(std::uint32_t rgb) { return std::vector<QRgb>(4, 0xFF000000u | rgb); }
  QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
};

// --- the intensity band of "No." ---

TEST_F(TeachTest, IntensityBandShowsTheRowLastRead) {
  startOffline();
  GraphWidget *graph = panel().graphIntensity2D();
  ParameterData &data = app->parameters().data();
  data.setCell(3, 3, 4000); // INT
  data.setCell(3, 4, 200);  // ITO
  data.setCell(4, 3, 50);
  data.setCell(4, 4, 200);
  const auto band = [graph] {
    EXPECT_EQ(graph->plotCount(), 1);
    auto *rect = qobject_cast<QCPItemRect *>(graph->plot()->item(graph->plot()->itemCount() - 1));
    if (!rect) return std::vector<double>{};
    return std::vector<double>{rect->topLeft->coords().x(), rect->bottomRight->coords().x(),
                               rect->bottomRight->coords().y(), rect->topLeft->coords().y(),
                               double(rect->brush().color().rgb() & 0xFFFFFF)};
  };
  teachPage().rowNumber()->setValue(3);
  EXPECT_EQ(band(), (std::vector<double>{3800, 4096, 0, 100, 0x408080}));
  teachPage().rowNumber()->setValue(4);
  EXPECT_EQ(band(), (std::vector<double>{0, 250, 0, 100, 0x408080}));

  // INC moves "No." on; the band stays on the row taught (INT 2000, ITO 200) until "No." is read.
  app->frames().publish(measuredFrame(0, 0, 0, 10, 20, 2000));
  teachPage().autoIncrementButton()->setChecked(true);
  teach().controller().teachButton()->click();
  EXPECT_EQ(band(), (std::vector<double>{1800, 2200, 0, 100, 0x408080}));

  // Ctrl+T takes a row still being typed.
  window().show();
  window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  window().showPage(MainPage::TeachTable);
  teachPage().rowNumber()->selectAll();
  QTest::keyClicks(teachPage().rowNumber(), "12");
  QTest::keyClick(teachPage().rowNumber(), Qt::Key_T, Qt::ControlModifier);
  EXPECT_TRUE(QTest::qWaitFor([this] { return teachPage().cell(12, 3) == 2000; }, 2000));
}

// --- the panel settings file ---

TEST_F(TeachTest, PanelSettingsEndWithTheRowSectionsAndRestoreThem) {
  startOffline();
  colours().rowField()->setValue(30);
  colours().colourField()->setValue(0x0000FE);
  colours().setButton()->click();
  colours().specificationTable()->item(30, 0)->setText("last row");
  app->storePanelSettings();
  const QByteArray written = readFile(settingsPath());
  EXPECT_TRUE(written.endsWith("[TABLE ATTR OF TEACH VECTOR 30]\r\nRow color = 254\r\n"
                               "Row specification = \"last row\"\r\n\r\n"));
  EXPECT_LT(written.indexOf("[COMMUNICATION SETTINGS]"),
            written.indexOf("[TABLE ATTR OF TEACH VECTOR 0]"));

  app.reset();
  dialogs.answerChoice(1);
  create();
  app->startUp();
  settleUntil([this] { return app->idle(); });
  EXPECT_EQ(fourPlaces(30), four(0x0000FE));
  EXPECT_EQ(colours().specification(30), "last row");
  EXPECT_EQ(fourPlaces(29), four(DefaultRowColors[29]));

  // Set QUORVANE_SHOT_DIR to keep pictures of the three pages that show the colours.
  const QString shots = qEnvironmentVariable("QUORVANE_SHOT_DIR");
  if (shots.isEmpty()) return;
  window().resize(1300, 820);
  for (int r = 0; r < 6; ++r)
    colours().specificationTable()->item(r, 0)->setText(
        QStringList{"red cap", "green cap", "blue cap", "black cap", "pink label", "yellow"}[r]);
  for (auto [page, name] : {std::pair{MainPage::TeachTable, "teach-table"},
                            std::pair{MainPage::ColorGroups, "group-hold"},
                            std::pair{MainPage::RowColours, "row-colours"}}) {
    window().showPage(page);
    QApplication::processEvents();
    window().grab().save(shots + "/screenshot-" + name + ".png");
  }
}

// --- against the sensor ---

TEST_F(TeachTest, TaughtRowsReachTheSensor) {
  sim::SimOptions options;
  options.delayMs = 2;
  startConnected(options);
  window().showPage(MainPage::TeachTable);
  teachPage().autoIncrementButton()->setChecked(true);
  app->parameters().data().setRowNumber(0);
  QPushButton *teachButton = teach().controller().teachButton();
  std::vector<MeasuredValues> taught;
  for (int n : {3, 9, 15})
    when([&, n] { return live().framesShown() >= static_cast<std::uint64_t>(n); },
         [&] {
           taught.push_back(live().measuredValues());
           teachButton->click();
         });
  when([&] { return taught.size() == 3; }, [&] { window().stopButton()->click(); });
  pressGo();
  ASSERT_EQ(taught.size(), 3u);
  EXPECT_EQ(teachPage().currentRow(), 3);

  window().sendButton()->click();
  settle();
  window().getButton()->click();
  settle();
  const TeachTable &sensorTable = model().ramTeachTable(0);
  for (int r = 0; r < 3; ++r) {
    const auto &m = taught[static_cast<std::size_t>(r)];
    const auto &row = sensorTable[static_cast<std::size_t>(r)].cell;
    const bool threeD = app->params().para.calculationMode >= 2;
    EXPECT_EQ(row[0], std::max<int>(m.x, 0));
    EXPECT_EQ(row[1], std::max<int>(m.y, 0));
    EXPECT_EQ(row[threeD ? 2 : 3], std::max<int>(m.intensity, 0));
    EXPECT_EQ(cells(r), (std::vector<int>(row.begin(), row.end()))) << "GET shows them";
  }
  EXPECT_EQ(countOrder(kWriteParameters), 2);
  EXPECT_TRUE(dialogs.popups().empty());
}

} // namespace
} // namespace quorvane::testing
