// Screen readers and UI automation find every control of the joined tool by its name.
#include "app_fixture.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>

namespace quorvane::testing {
namespace {

bool isControl(QWidget *w) {
  // Scroll arrows and the table corner button are Qt's own parts of a control.
  if (w->inherits("QToolButton") || w->inherits("QTableCornerButton")) return false;
  if (qobject_cast<QLineEdit *>(w) && (qobject_cast<QComboBox *>(w->parentWidget()) ||
                                       qobject_cast<QAbstractSpinBox *>(w->parentWidget())))
    return false; // the editor inside a combo or spin box, named by its owner
  return qobject_cast<QAbstractButton *>(w) || qobject_cast<QComboBox *>(w) ||
         qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractSpinBox *>(w) ||
         qobject_cast<QAbstractSlider *>(w) || qobject_cast<QTabWidget *>(w) ||
         qobject_cast<QTableWidget *>(w) || qobject_cast<QTextEdit *>(w) ||
         qobject_cast<QPlainTextEdit *>(w);
}

struct AccessibilityTest : AppFixture {};

TEST_F(AccessibilityTest, EveryControlOfTheJoinedToolCarriesAName) {
  startConnected();
  QList<QWidget *> roots{&window()};
  for (QWidget *top : QApplication::topLevelWidgets())
    if (top != &window()) roots << top;
  int controls = 0;
  for (QWidget *root : roots) {
    for (QWidget *w : root->findChildren<QWidget *>()) {
      if (!isControl(w) || qobject_cast<QAbstractSlider *>(w->parentWidget())) continue;
      if (w->parentWidget() && w->parentWidget()->inherits("QScrollBar")) continue;
      if (qobject_cast<QAbstractSlider *>(w) && w->inherits("QScrollBar")) continue;
      ++controls;
      EXPECT_FALSE(w->accessibleName().isEmpty())
          << w->metaObject()->className() << " " << w->objectName().toStdString() << " in "
          << root->metaObject()->className();
    }
  }
  // The connection, parameter, group/hold and teach pages and the measurement panel.
  EXPECT_GT(controls, 50);
}

} // namespace
} // namespace quorvane::testing
