// The sensor table: row model, reading and writing.

#include "shell/config.h"

namespace nvx {

void Config::Auslesen_Click() {}
void Config::Timer1_Timer() {}
void Config::Adressenubertragen_Click() {}
void Config::Timer5_Timer() {}
void Config::RowButtonRule(int, bool) {}
bool Config::rowIsFree(int) const { return true; }
void Config::setRowBackColour(int, std::uint32_t) {}

} // namespace nvx
