#pragma once
// The program's message and caption texts in German and English, by index,
// and the group each belongs to; and the English captions of each window.

#include <QList>
#include <QString>
#include <QStringList>

namespace nvx {

enum class TextGroup {
    None,     // not set by the loader
    Common,   // set on every load
    Main,     // form code 2
    Status,   // form code 4
    Error,    // form code 7
};

TextGroup textGroup(int index);
QString textFor(int index, bool english);

// What an English caption replaces on its control.
enum class CaptionKind {
    Caption,      // the text of a label, button, frame, field, menu or action
    ToolTip,
    Tab,          // the text of tab `index` of a tab widget
    WindowTitle,  // the loading window's own title (no objectName)
};

struct WindowCaption {
    QString objectName;   // empty for the window itself
    CaptionKind kind = CaptionKind::Caption;
    int index = -1;       // array index of the control, or the tab
    QString text;
};

// The English captions, tool tips and tab texts of the window with this form
// code, one entry per control (arrays expanded to Name_<index>).
QList<WindowCaption> englishCaptions(int formCode);

// Entry i (0..3) of the series' data byte selectors.
QString dataByteEntry(int i, bool english);

// The message shown when the receiver search cannot have its UDP port
// (another program or a second copy of this one holds it).
QString portInUseText(int port, bool english);

// A file's path for a message, with the system's reason for its failure
// behind it where there is one.
QString fileWithReason(const QString &path, const QString &reason);

// The message of a logging run whose data log or receive log cannot be
// written; `files` names each, with the system's reason where it gave one.
QString logNotWrittenText(const QStringList &files, bool english);

// The message of a file the user keeps (address file, description file,
// saved data log) that could not be written: `file` names it, with the
// system's reason where it gave one; a file there before is unchanged.
QString fileNotSavedText(const QString &file, bool english);

} // namespace nvx
