// Starting a firmware upload: the checks, the choice of the file and the
// start request to the module; the transfer runs in the status window.

#include "network/firmwareplan.h"
#include "shell/config.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

namespace nvx {

void Config::MenueDateiUpload_Click()
{
    StartFirmwareUpload();
}

void Config::StartFirmwareUpload()
{
    if (!m_state.BoardSelected)
        return;
    if (!parseDotted(txtIP->text()).ok()) {
        ShowErrorWindow(ErrorInvalidIp);
        txtIP->setFocus();
        return;
    }
    const std::optional<QString> file = chooseFirmwareFile();
    if (!file)
        return;
    m_state.FirmwareFilePath = *file;

    m_state.StatusCode = StatusFirmwareUpload;
    // A direct address that is not one is not sent to; the transfer then
    // finds no module listening and fails.
    sendModuleMessage(QByteArrayLiteral("FIRS") + m_state.CurrentBoard.toBytes());
    // The status window connects once the module had its pause after the
    // request, so that nothing waits blocked here.
    m_state.FirmwareTargetIP = txtIP->text();
    ShowMsgWindow();
}

std::optional<QString> Config::chooseFirmwareFile()
{
    for (;;) {
        QFileDialog OpenLog(this, QStringLiteral("File Select"));
        OpenLog.setObjectName(QStringLiteral("OpenLog"));
        // A name typed that does not exist comes back and is refused below.
        OpenLog.setFileMode(QFileDialog::AnyFile);
        OpenLog.setAcceptMode(QFileDialog::AcceptOpen);
        OpenLog.setOption(QFileDialog::DontUseNativeDialog);
        OpenLog.setNameFilters({QStringLiteral("Bin File (*.bin)"), QStringLiteral("All File (*.*)")});
        if (OpenLog.exec() != QDialog::Accepted || OpenLog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString path = OpenLog.selectedFiles().constFirst();
        if (QFileInfo(path).isFile())
            return path;
        QMessageBox::information(this, QString(), QStringLiteral("No existing ") + path, QMessageBox::Ok);
    }
}

} // namespace nvx
