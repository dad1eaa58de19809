// The PC's own IPv4 addresses, taken from its network interfaces: resolving
// the host name yields only 127.0.1.1 on many Linux installations. (The
// socket library needs no start-up or clean-up here, so nothing can end the
// program at this point.)

#include "network/localip.h"
#include "shell/config.h"

#include <QListWidget>

namespace nvx {

void Config::FillLocalIPList()
{
    List1->clear();
    List1->addItems(localIPv4Addresses());
}

} // namespace nvx
