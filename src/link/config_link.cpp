// The telegram sockets and sending of commands.

#include "shell/config.h"

namespace nvx {

void Config::senden() {}
void Config::Winsock3_Connect() {}
void Config::Winsock1_ConnectionRequest() {}
void Config::Winsock1_DataArrival() {}
void Config::Winsock3_DataArrival() {}
void Config::Winsock2UDP_DataArrival() {}
void Config::Winsock1_Close() {}

} // namespace nvx
