#include "shell/mmain.h"
#include "shell/registry.h"

#include <QLocale>

namespace nvx {

void readDecimalSeparator(AppState &state)
{
    CRegistry registry;
    state.DecimalSeparator = registry.Werte(QStringLiteral("Control Panel\\International"), QStringLiteral("sDecimal"));
    // Without a value in the store the system's own locale decides; "," is
    // the last resort.
    if (state.DecimalSeparator.isEmpty())
        state.DecimalSeparator = QLocale::system().decimalPoint();
    if (state.DecimalSeparator.isEmpty())
        state.DecimalSeparator = QStringLiteral(",");
}

} // namespace nvx
