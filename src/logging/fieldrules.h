#pragma once
// The input rules of the logging tab's fields, free of any window: which
// typed keys pass, what a field holds when it is left, the spin steps.
// A key is the character it types; Backspace is 8, Delete 127.

#include <QString>

namespace nvx {

constexpr QChar KeyBackspace(8);

// The limits of the interval fields and of the rows per chart view.
constexpr int MaxInterval = 65535;
constexpr int MinRows = 2;
constexpr int MaxRows = 100;
constexpr QChar KeyDelete(127);

// Interval and rows fields: Backspace and the digits.
bool digitsOnlyKey(QChar key);

// The chart range fields: "-", Backspace and the digits.
bool rangeKey(QChar key);

// The data-byte scaling fields: "-", Delete, Backspace, the digits and the
// first character of the decimal separator, the separator only while the
// text holds none.
bool byteScalingKey(QChar key, const QString &text, const QString &decimalSeparator);

// The series scaling fields (Min1..Min5, Max1..Max5): each keeps whether it
// holds a minus sign and a decimal comma.
struct SignedFieldFlags {
    bool minusEntered = false;
    bool commaEntered = false;
};
// Returns whether the key passes; a second "-" takes the leading character
// away (changing `text`) and is dropped.
bool seriesScalingKey(QChar key, QString &text, SignedFieldFlags &flags);
// After every change: a deleted sign or comma may be typed again.
void seriesScalingChanged(const QString &text, SignedFieldFlags &flags);
// On leaving: a "-" after the first character, "--0", "-" or nothing give "0".
QString seriesScalingLeft(const QString &text, SignedFieldFlags &flags);

// On leaving an interval or rows field: `empty` for an empty text, else the
// number kept within lo..hi.
QString clampedFieldText(const QString &text, const QString &empty, int lo, int hi);

// A spin click: `text` plus `step` when the result stays within lo..hi, else
// unchanged (also a text that is no number).
QString spinStep(const QString &text, int step, int lo, int hi);

// A field's text as a whole number (0 for none), as the counters compare it.
int fieldNumber(const QString &text);

} // namespace nvx
