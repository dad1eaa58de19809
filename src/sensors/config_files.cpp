// Description files and address files.

#include "shell/config.h"

namespace nvx {

void Config::Datspeichern() {}

} // namespace nvx
