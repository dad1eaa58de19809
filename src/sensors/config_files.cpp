// Description files and address files.

#include "sensors/descriptionfile.h"
#include "shell/config.h"

#include <QPlainTextEdit>

namespace nvx {

void Config::Datspeichern()
{
    Descriptions d;
    d.receiver = Beschreibung->toPlainText();
    for (int ch = 0; ch < ChannelCount; ++ch)
        d.channels[std::size_t(ch)] = m_state.ChannelDescriptions[std::size_t(ch)];
    // Saving happens unasked on every selection and on exit; a missing DAT
    // folder or a locked file simply means nothing is saved.
    writeDescriptionFile(descriptionFilePath(m_state.ProgramPath, m_state.SelectedMAC), d);
}

} // namespace nvx
