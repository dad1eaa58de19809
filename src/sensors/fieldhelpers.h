#pragma once
// Helpers of the sensor windows.
//
// A per-character filter on a line edit: each typed character is kept,
// changed or dropped by `rule`; pasted text goes through the same rule, so
// the field never holds a character the rule would drop, and is cut to the
// field's limit.

#include <QChar>
#include <QString>
#include <functional>

class QLineEdit;
class QWidget;

namespace nvx {

// `maxTyped` > 0 limits what can be typed or pasted without cutting a
// longer text that is set from a file (such a text only cannot grow).
void installCharFilter(QLineEdit *field, std::function<QChar(QChar)> rule, int maxTyped = 0);

// After an edit that turned `before` into `text` (the cursor now at
// `cursor`): when `text` is longer than `allowed`, the end of what the edit
// put in is taken out again, so the text that stood there stays whole and
// the insertion takes only as much as fits. Returns where the cursor goes.
qsizetype cutEditToFit(QString &text, const QString &before, qsizetype cursor, qsizetype allowed);

// Places a window in the middle of the screen.
void centreOnScreen(QWidget *window);

} // namespace nvx
