// The three pages laid out at the size the main window gives them and at their smallest:
// no control overlaps another or leaves the page, and no caption is cut.
#include "params_fixture.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QTableWidget>

namespace quorvane::testing {
namespace {

std::vector<QWidget *> visibleControls(QWidget *page) {
  std::vector<QWidget *> out;
  for (QWidget *w : page->findChildren<QWidget *>()) {
    const bool control = qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w) ||
                         qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w) ||
                         qobject_cast<QAbstractSlider *>(w) || qobject_cast<QTableWidget *>(w);
    // Parts of composite controls (a table's scroll bars, a spin box's line edit) are laid
    // out by their control, not by the page.
    if (control && w->parentWidget() == page && w->isVisibleTo(page)) out.push_back(w);
  }
  return out;
}

void expectTidy(QWidget *page, QSize size) {
  SCOPED_TRACE(page->objectName().toStdString() + " at " + std::to_string(size.width()) + "x" +
               std::to_string(size.height()));
  page->resize(size);
  page->show();
  QCoreApplication::processEvents();
  const std::vector<QWidget *> controls = visibleControls(page);
  ASSERT_GT(controls.size(), 3u);
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
  for (QWidget *page : std::initializer_list<QWidget *>{&parameters, &groupHold, &teach}) {
    expectTidy(page, QSize(600, 560));
    expectTidy(page, page->minimumSizeHint());
  }
}

} // namespace
} // namespace quorvane::testing
