// The PC's own IPv4 addresses. (The socket library needs no start-up or
// clean-up here, so nothing can end the program at this point.)

#include "network/localip.h"
#include "shell/config.h"

#include <QHostInfo>
#include <QListWidget>

namespace nvx {

void Config::FillLocalIPList()
{
    List1->clear();
    List1->addItems(localIPv4Addresses(QHostInfo::localHostName()));
}

} // namespace nvx
