// Selecting a receiver of the board list.

#include "shell/config.h"

namespace nvx {

void Config::ListBoards_ItemClick(QTreeWidgetItem *) {}
void Config::closeTelegramSockets() {}

} // namespace nvx
