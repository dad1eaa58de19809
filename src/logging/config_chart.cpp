// The chart of the five series.

#include "shell/config.h"

namespace nvx {

void Config::Diagramm() {}

} // namespace nvx
