#include "shell/frmstate.h"
#include "shell/config.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpSocket>
#include <QVBoxLayout>

namespace nvx {

frmState::frmState(AppState &state, Config &config, QWidget *parent)
    : QDialog(parent), m_state(state), m_config(config)
{
    setObjectName(QStringLiteral("frmState"));
    setWindowTitle(QStringLiteral("Status"));
    auto *layout = new QVBoxLayout(this);
    lblTxt = new QLabel(QStringLiteral("Waiting ..."), this);
    lblTxt->setObjectName(QStringLiteral("lblTxt"));
    layout->addWidget(lblTxt);
    frameProgress = new QFrame(this);
    frameProgress->setObjectName(QStringLiteral("frameProgress"));
    auto *pl = new QVBoxLayout(frameProgress);
    ProgressFile = new QProgressBar(frameProgress);
    ProgressFile->setObjectName(QStringLiteral("ProgressFile"));
    pl->addWidget(ProgressFile);
    layout->addWidget(frameProgress);
    Abbruch = new QPushButton(QStringLiteral("Abbruch"), this);
    Abbruch->setObjectName(QStringLiteral("Abbruch"));
    Abbruch->setVisible(false);
    cmdOK = new QPushButton(QStringLiteral("Schließen"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    layout->addWidget(Abbruch);
    layout->addWidget(cmdOK);
    Timer1SW = new QTimer(this);
    Timer2SW = new QTimer(this);
    Timer3SW = new QTimer(this);
    winsockUP = new QTcpSocket(this);
    connect(cmdOK, &QPushButton::clicked, this, &frmState::cmdOK_Click);
    Form_Load();
}

void frmState::Form_Load() {}
void frmState::ShowMsg() { CloseWindow(); }
void frmState::CloseWindow() { cmdOK->setVisible(true); }
void frmState::Timer1SW_Timer() {}
void frmState::Timer2SW_Timer() {}
void frmState::Abbruch_Click() {}
void frmState::cmdOK_Click()
{
    m_state.StatusCode = StatusIdle;
    unload();
}
void frmState::reject() {}
void frmState::unload()
{
    m_closed = true;
    done(0);
}

} // namespace nvx
