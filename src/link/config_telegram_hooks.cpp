// A step of the telegram processor that belongs to a branch with its own
// file: gateway reception. Until it is in place, this step does nothing; the
// state it reads and writes (AppState) is kept up to date by the processor
// already.

#include "shell/config.h"

namespace nvx {

void Config::GatewayTelegram() {}

} // namespace nvx
