// Receiver search, board list and the module configuration replies.

#include "shell/config.h"

namespace nvx {

void Config::Search_Click() {}
void Config::RefreshBoardList() {}
void Config::func_SearchBoard() {}
void Config::ListBoards_FirstRowSelect() {}
void Config::WinsockUDP_DataArrival() {}
void Config::BoardAdd(const BoardRecord &) {}
void Config::BoardUpdate(const BoardRecord &) {}
void Config::BoardRemove() {}
void Config::setNetworkFieldsEnabled(bool) {}
void Config::sendModuleMessage(const QByteArray &) {}

} // namespace nvx
