#pragma once
// The program's message and caption texts in German and English, by index,
// and the group each belongs to.

#include <QString>

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

} // namespace nvx
