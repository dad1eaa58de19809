// Processing of every received telegram, and the link-state enabling.

#include "shell/config.h"

namespace nvx {

void Config::ProcessTelegram() {}
void Config::txtletztesTelegramm_Change() {}
void Config::setLastTelegram(const QString &) {}

} // namespace nvx
