#pragma once
// The rules of the sensor supervision and the learn-in that need no window:
// what the minutes field holds, which keys the ID and minutes fields take,
// which information button a row shows, and the reading of the receiver's
// supervision report.

#include <QChar>
#include <QString>
#include <QStringView>

namespace nvx {

constexpr int WatchMinutesLow = 15;
constexpr int WatchMinutesHigh = 255;

// The number in the minutes field; an emptied field counts as the lower
// limit, so that a command never goes out without its two hex digits.
int minutesInField(const QString &text);
// The field after leaving it: above the limits the upper, below the lower.
QString minutesOnLeaving(const QString &text);
// One step of the spin buttons within the limits.
QString minutesStepped(const QString &text, bool up);
// The minutes as two upper-case hex digits ("0F", "FF").
QString minutesHex(int minutes);

// Typed-key filters: the character kept (possibly changed), or a null QChar
// when the key is dropped. Backspace is never given to them.
QChar sensorIdKey(QChar c);   // 0-9, A-F; a-f become upper case
QChar minutesKey(QChar c);    // 0-9
QChar descriptionKey(QChar c); // anything but ";"

// Which of the four information buttons of a row shows, and whether it is
// enabled (the others are hidden and disabled).
enum class InfoButton { Plain = 0, Sending = 1, FailedAtTimes = 2, NotSending = 3 };
struct RowInfo {
    InfoButton shown = InfoButton::Plain;
    bool enabled = false;
};
// After the control timer has been set: supervision on shows the "sending"
// button, off the plain one; enabled for a used row only.
RowInfo rowInfoAfterTimerSet(bool supervisionOn, bool used);

// The receiver's supervision report (sync "A55B").
struct SupervisionReport {
    enum Kind { On, Off, Other } kind = Other;
    int minutes = 0;        // byte 3, with On
    int channel = 0;        // byte 11
    int failedAtTimes = 0;  // byte 4: 0 no, 1 newly, 2 or more: still
    int notSending = 0;     // byte 5: 0 sends, 1 silent, others: unknown
};
SupervisionReport readSupervisionReport(QStringView reply);

} // namespace nvx
