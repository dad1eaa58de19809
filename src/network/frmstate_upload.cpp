// The firmware transfer inside the status window: the connection to the
// module's transfer port, the paced sending of the file, and the switch to
// the restart wait once it went out.

#include "network/boardrecord.h"
#include "network/firmwaresender.h"
#include "shell/frmstate.h"

#include <QProgressBar>
#include <QTcpSocket>

#include <limits>

namespace nvx {

namespace {

// The bar counts bytes; a file too long for its range counts in larger units.
qint64 barUnit(qint64 length)
{
    return length / std::numeric_limits<int>::max() + 1;
}

} // namespace

void frmState::connectUploadSocket()
{
    connect(m_uploadPause, &QTimer::timeout, this, [this] {
        // Built from the checked numbers: the address is never looked up.
        const DottedParse target = parseDotted(m_state.FirmwareTargetIP);
        if (!target.ok()) {
            uploadFailed();
            return;
        }
        const auto &p = target.parts;
        const QHostAddress address((quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]));
        m_connectTimeout->start(firmware::ConnectTimeoutMs);
        winsockUP->connectToHost(address, firmware::TransferPort);
    });
    connect(m_connectTimeout, &QTimer::timeout, this, [this] {
        if (UploadRunning)
            uploadFailed();
    });
    connect(winsockUP, &QTcpSocket::connected, this, &frmState::winsockUP_Connect);
    connect(winsockUP, &QTcpSocket::disconnected, this, &frmState::winsockUP_Close);
    connect(winsockUP, &QTcpSocket::errorOccurred, this, &frmState::winsockUP_Error);
    connect(Timer3SW, &QTimer::timeout, this, &frmState::Timer3SW_Timer);

    connect(m_firmwareSender, &FirmwareSender::lengthKnown, this, [this](qint64 length) {
        ProgressFile->setMaximum(int(length / barUnit(length)));
        ProgressFile->setMinimum(0);
        ProgressFile->setValue(0);
    });
    connect(m_firmwareSender, &FirmwareSender::chunkSent, this, [this](qint64 sent) {
        ProgressFile->setValue(int(sent / barUnit(m_firmwareSender->length())));
    });
    connect(m_firmwareSender, &FirmwareSender::finished, this, [this] {
        UploadRunning = false;
        Timer3SW->start();
    });
    connect(m_firmwareSender, &FirmwareSender::failed, this, &frmState::uploadFailed);
    connect(m_firmwareSender, &FirmwareSender::delivered, this, [this] {
        winsockUP->close();
        m_firmwareSender->stop();
        m_state.StatusCode = StatusRestartWait;
        ShowMsg();
    });
}

void frmState::startUploadConnection()
{
    UploadRunning = true;
    m_uploadPause->start(firmware::PauseAfterStartRequestMs);
}

void frmState::winsockUP_Connect()
{
    m_connectTimeout->stop();
    if (!UploadRunning)
        return;
    m_firmwareSender->start(m_state.FirmwareFilePath);
}

void frmState::winsockUP_Close()
{
    // A connection that ends before the whole file went out is a failed
    // upload, not the module's restart.
    if (UploadRunning) {
        uploadFailed();
        return;
    }
    if (Timer3SW->isActive())
        Timer3SW_Timer();
}

void frmState::winsockUP_Error()
{
    if (UploadRunning)
        uploadFailed();
}

void frmState::Timer3SW_Timer()
{
    Timer3SW->stop();
    // The restart wait begins once the module has acknowledged every byte;
    // bytes still queued would be lost with the connection, and the module
    // would restart without the whole file.
    m_firmwareSender->awaitDelivery();
}

void frmState::stopUpload()
{
    // Cleared first: closing the socket below reports its close again.
    UploadRunning = false;
    m_uploadPause->stop();
    m_connectTimeout->stop();
    // The transfer can fail in the seconds before the close as well; the
    // close must not come then, from its timer or from the socket's close
    // below, as the stopped sender would report a delivery at once.
    Timer3SW->stop();
    m_firmwareSender->stop();
    winsockUP->abort();
}

void frmState::uploadFailed()
{
    stopUpload();
    ProgressFile->setValue(0);
    CloseWindow();
}

} // namespace nvx
