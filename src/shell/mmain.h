#pragma once
// Start-up: the locale's decimal separator, then the main window.

#include "shell/appstate.h"

namespace nvx {

class Config;

// Reads the decimal separator into `state` ("," when the store and the
// system locale give none).
void readDecimalSeparator(AppState &state);

} // namespace nvx
