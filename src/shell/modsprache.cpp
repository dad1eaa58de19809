#include "shell/modsprache.h"
#include "shell/registry.h"
#include "shell/texts.h"

namespace nvx {

namespace {

void setGroup(AppState &state, TextGroup group, bool english)
{
    for (int i = 0; i < TextCount; ++i)
        if (textGroup(i) == group)
            state.Texts[static_cast<std::size_t>(i)] = textFor(i, english);
}

} // namespace

void LoadLanguage(AppState &state, int formCode, QWidget *)
{
    CRegistry registry;
    state.ProgramPath = registry.MachineSetting(ProgramKey, QStringLiteral("Pfad"));
    state.LanguageCode = registry.MachineSetting(ProgramKey, QStringLiteral("Language"));
    const bool english = state.LanguageCode == QLatin1String("1033");
    if (!english)
        state.LanguageCode = QStringLiteral("1031");
    state.HelpDocument = english ? QStringLiteral("/Dokumentation/nvx_ethernet_eng.pdf")
                                 : QStringLiteral("/Dokumentation/nvx_ethernet_ger.pdf");

    setGroup(state, TextGroup::Common, english);
    switch (formCode) {
    case FormConfig: setGroup(state, TextGroup::Main, english); break;
    case FormStatus: setGroup(state, TextGroup::Status, english); break;
    case FormFehler: setGroup(state, TextGroup::Error, english); break;
    default: break;
    }
}

} // namespace nvx
