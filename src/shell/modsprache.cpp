#include "shell/modsprache.h"

namespace nvx {

void LoadLanguage(AppState &state, int, QWidget *)
{
    state.LanguageCode = QStringLiteral("1031");
}

} // namespace nvx
