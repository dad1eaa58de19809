#pragma once
// Helpers of the sensor windows.
//
// A per-character filter on a line edit: each typed character is kept,
// changed or dropped by `rule`; pasted text goes through the same rule, so
// the field never holds a character the rule would drop.

#include <QChar>
#include <functional>

class QLineEdit;
class QWidget;

namespace nvx {

// `maxTyped` > 0 limits what can be typed without cutting a
// longer text that is set from a file.
void installCharFilter(QLineEdit *field, std::function<QChar(QChar)> rule, int maxTyped = 0);

// Places a window in the middle of the screen.
void centreOnScreen(QWidget *window);

} // namespace nvx
