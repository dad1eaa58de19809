// Writing the network settings to the module, and the gateway options.

#include "shell/config.h"

namespace nvx {

void Config::Setting_Click() {}
void Config::WriteBoardSettings() {}
void Config::bt_set_Click() {}

} // namespace nvx
