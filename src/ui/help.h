#pragma once
// Right-click help: every control answers a right click with a popup explaining it, and
// does nothing else on that click.
#include <QString>

class QWidget;

namespace quorvane {

class Dialogs;

inline const QString kHelpTitle = QStringLiteral("INFO!");

struct HelpText {
  QWidget *control;
  QString text;
};

// Installs the help popup on `control`; the text also becomes its accessible description.
void installHelp(QWidget *control, const QString &text, Dialogs &dialogs,
                 const QString &title = kHelpTitle);

// For panels that declare their texts as a table next to their controls.
void installHelp(std::initializer_list<HelpText> table, Dialogs &dialogs,
                 const QString &title = kHelpTitle);

} // namespace quorvane
