// Steps of the telegram processor that belong to windows and branches with
// their own files: gateway reception and the sensor information window.
// Until those are in place, these steps do nothing; the state they read and
// write (AppState) is kept up to date by the processor already.

#include "shell/config.h"

namespace nvx {

void Config::showSupervisionInMonitor(const SupervisionReport &) {}
void Config::GatewayTelegram() {}
void Config::showChannelTelegramInMonitor(int, bool, int) {}

} // namespace nvx
