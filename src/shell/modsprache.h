#pragma once
// The language loader: fills the shared Texts for a window's form code in
// German or English and, in English, sets the window's captions.

#include "shell/appstate.h"

class QWidget;

namespace nvx {

enum FormCode {
    FormAbfrage = 0,
    FormAlarm = 1,
    FormConfig = 2,
    FormAbout = 3,
    FormStatus = 4,
    FormLernmodus = 5,
    FormMonitor = 6,
    FormFehler = 7,
};

// `window` is the loading window (may be null: only the texts are set).
void LoadLanguage(AppState &state, int formCode, QWidget *window);

} // namespace nvx
