// The tab pages and the child panels laid out at the size the main window gives them and at
// their smallest: each fits its place (no scrolling), no control overlaps another or leaves
// the page, and no caption is cut.
#include "params_fixture.h"

#include "app/connection_status_box.h"
#include "live/graph_panel.h"
#include "live/measurement_panel.h"
#include "scope/scope_panel.h"
#include "teach/mean_teach_panel.h"
#include "teach/recorded_teach_panel.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>

namespace quorvane::testing {
namespace {

std::vector<QWidget *> visibleControls(QWidget *page) {
  std::vector<QWidget *> out;
  for (QWidget *w : page->findChildren<QWidget *>()) {
    const bool control = qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w) ||
                         qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w) ||
                         qobject_cast<QAbstractSlider *>(w) || qobject_cast<QTableWidget *>(w) ||
                         qobject_cast<QTabWidget *>(w);
    // Parts of composite controls (a table's scroll bars, a spin box's line edit) are laid
    // out by their control, not by the page.
    // Boxes that group controls are placed by the page like the controls.
    const bool box = !control && w->layout() && !w->isWindow();
    if ((control || box) && w->parentWidget() == page && w->isVisibleTo(page)) out.push_back(w);
  }
  return out;
}

void expectTidy(QWidget *page, QSize size) {
  SCOPED_TRACE(page->objectName().toStdString() + " at " + std::to_string(size.width()) + "x" +
               std::to_string(size.height()));
  page->resize(size);
  page->show();
  QCoreApplication::processEvents();
  // A page larger than its place scrolls in it.
  EXPECT_EQ(page->size(), size) << "does not fit; it needs " << page->minimumSizeHint().width()
                                << "x" << page->minimumSizeHint().height();
  const std::vector<QWidget *> controls = visibleControls(page);
  ASSERT_GE(controls.size(), 2u);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const QRect a = controls[i]->geometry();
    const QString name =
        controls[i]->accessibleName().isEmpty()
            ? controls[i]->objectName() + (qobject_cast<QLabel *>(controls[i])
                                               ? qobject_cast<QLabel *>(controls[i])->text()
                                               : QString())
            : controls[i]->accessibleName();
    EXPECT_TRUE(page->rect().contains(a)) << name.toStdString() << " leaves the page";
    if (auto *label = qobject_cast<QLabel *>(controls[i])) {
      EXPECT_GE(a.width(), label->sizeHint().width()) << label->text().toStdString() << " is cut";
    }
    for (std::size_t j = i + 1; j < controls.size(); ++j)
      EXPECT_FALSE(a.intersects(controls[j]->geometry()))
          << name.toStdString() << " overlaps " << controls[j]->accessibleName().toStdString();
  }
  page->hide();
}

using PageLayoutTest = ParamsFixture;

TEST_F(PageLayoutTest, PagesAreTidyAtTheirPlaceAndAtTheirSmallest) {
  MeasurementPanel measurement{dialogs};
  GraphPanel graph{dialogs};
  MeanTeachPanel mean{dialogs};
  RecordedTeachPanel recorded{dialogs};
  ScopePanel scope{dialogs};
  // The child panels' place with the window as it opens (1240 x 800) and at its default size
  // (790 x 548); the measurement panel shares it with the connection status above it.
  const QSize opening(600, 720);
  const QSize byDefault(380, 470);
  const QSize status(0, ConnectionStatusBox(dialogs).sizeHint().height() + 6);
  struct Case {
    QWidget *page;
    std::vector<QSize> places;
  };
  const Case cases[] = {
      {&parameters, {QSize(600, 560)}},  {&groupHold, {QSize(600, 560)}},
      {&teach, {QSize(600, 560)}},       {&measurement, {opening - status, byDefault - status}},
      {&graph, {opening, byDefault}},    {&mean, {opening, byDefault}},
      {&recorded, {opening, byDefault}}, {&scope, {opening, byDefault}},
  };
  for (const Case &c : cases) {
    for (const QSize place : c.places)
      expectTidy(c.page, place);
    expectTidy(c.page, c.page->minimumSizeHint());
  }
}

} // namespace
} // namespace quorvane::testing
