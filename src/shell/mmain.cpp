#include "shell/mmain.h"
#include "shell/registry.h"

namespace nvx {

void readDecimalSeparator(AppState &state)
{
    CRegistry registry;
    state.DecimalSeparator = registry.Werte(QStringLiteral("Control Panel\\International"), QStringLiteral("sDecimal"));
    if (state.DecimalSeparator.isEmpty())
        state.DecimalSeparator = QStringLiteral(",");
}

} // namespace nvx
