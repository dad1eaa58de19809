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

    AppState &m_state;
    Config &m_config;
    bool m_closed = false;
};

} // namespace nvx
