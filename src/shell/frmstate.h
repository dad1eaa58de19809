#pragma once
// The operation-status window: the message of the running operation, a
// progress bar that fills in its time-out, and its result.

#include "shell/appstate.h"

#include <QDialog>
#include <QTimer>

class QLabel;
class QFrame;
class QProgressBar;
class QPushButton;
class QTcpSocket;

namespace nvx {

class Config;
class FirmwareSender;

// What the status window does for a StatusCode: its message, its time-out and
// the result text once the wait ends. Texts are indices into Texts (-1: none).
struct StatusEntry {
    int messageText = -1;
    int timeoutMs = 0;
};
StatusEntry statusEntry(int statusCode);

class frmState : public QDialog {
    Q_OBJECT
public:
    frmState(AppState &state, Config &config, QWidget *parent = nullptr);

    void Form_Load();
    void ShowMsg();
    void CloseWindow();
    void Timer1SW_Timer();
    void Timer2SW_Timer();
    void Abbruch_Click();
    void cmdOK_Click();

    // The firmware transfer (network/frmstate_upload.cpp).
    void winsockUP_Connect();
    void winsockUP_Close();
    void winsockUP_Error();
    void Timer3SW_Timer();

    // True once the window has been closed (unloaded) by its own logic.
    bool isClosedForGood() const { return m_closed; }

    QLabel *lblTxt = nullptr;
    QFrame *frameProgress = nullptr;
    QProgressBar *ProgressFile = nullptr;
    QPushButton *Abbruch = nullptr;
    QPushButton *cmdOK = nullptr;
    QTimer *Timer1SW = nullptr;
    QTimer *Timer2SW = nullptr;
    QTimer *Timer3SW = nullptr;
    QTcpSocket *winsockUP = nullptr;

    int ProgressStep = 0;
    bool UploadRunning = false;

protected:
    void reject() override;

private:
    void resetProgress();
    void unload();
    // Code 4: the connection to the module, after the pause its start
    // request needs.
    void startUploadConnection();
    void connectUploadSocket();
    // Ends a failed transfer: socket and file closed, the failure shown.
    void uploadFailed();
    void stopUpload();

    AppState &m_state;
    Config &m_config;
    bool m_closed = false;
    QTimer *m_uploadPause = nullptr;
    QTimer *m_connectTimeout = nullptr;
    FirmwareSender *m_firmwareSender = nullptr;
};

} // namespace nvx
