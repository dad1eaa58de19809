// Menus of the main window: about box, help document.

#include "shell/config.h"
#include "shell/fabout.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace nvx {

void Config::MenueMain_Click(int index)
{
    if (index != 2)
        return;
    fAbout dialog(m_state, this);
    dialog.exec();
}

void Config::MenuHilfe_Click()
{
    // ProgramPath is kept as read from the store and the document name starts
    // with a separator; a folder ending in "/" would give "//".
    const QString document = QDir::cleanPath(m_state.ProgramPath + m_state.HelpDocument);
    // Without the document there is nothing to show.
    if (!QFileInfo(document).isFile())
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(document));
}

} // namespace nvx
