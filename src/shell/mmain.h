#pragma once
// Start-up: the locale's decimal separator, then the main window.

#include "shell/appstate.h"

namespace nvx {

class Config;

// Reads the locale's decimal separator into `state` ("," when the store
// gives none).
void readDecimalSeparator(AppState &state);

} // namespace nvx
