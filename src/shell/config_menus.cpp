// Menus of the main window: about box, help document, firmware update.

#include "shell/config.h"

namespace nvx {

void Config::MenueMain_Click(int) {}
void Config::MenuHilfe_Click() {}
void Config::MenueDateiUpload_Click() {}

} // namespace nvx
