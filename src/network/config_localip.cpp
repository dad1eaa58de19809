// The PC's own IPv4 addresses.

#include "shell/config.h"

namespace nvx {

void Config::FillLocalIPList() {}

} // namespace nvx
