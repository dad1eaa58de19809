// The main window's side of the manual send window: opening it after asking
// the receiver for its base ID, and showing the ID when the reply comes.

#include "link/protocol.h"
#include "link/send.h"
#include "shell/config.h"

#include <QLabel>

namespace nvx {

void Config::Command1_Click()
{
    m_state.CommandString = toCommandString(cmd::readBaseId());
    senden();
    Send window(m_state, *this);
    window.exec();
}

void Config::showBaseIdInSendWindow()
{
    // The window shows the base ID it finds when it opens; one that is open
    // takes the reply at once.
    if (Send *window = findChild<Send *>(QString(), Qt::FindDirectChildrenOnly))
        window->Label14->setText(m_state.BaseIDText);
}

} // namespace nvx
