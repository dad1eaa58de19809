#include "shell/frmstate.h"
#include "link/protocol.h"
#include "network/firmwaresender.h"
#include "shell/config.h"
#include "shell/modsprache.h"
#include "shell/updown.h"
#include "shell/vbcolours.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTcpSocket>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace nvx {

namespace {

constexpr int ProgressSteps = 10;

} // namespace

StatusEntry statusEntry(int statusCode)
{
    switch (statusCode) {
    case StatusSearch: return {22, 5000};
    case StatusUpdate: return {13, 10000};
    case StatusFirmwareUpload: return {13, 0};
    case StatusRestartWait: return {15, 30000};
    case StatusLearnIn: return {14, 10000};
    case StatusReadTable: return {41, 5000};
    case StatusWriteTable: return {48, 32000};
    default: return {};
    }
}

frmState::frmState(AppState &state, Config &config, QWidget *parent)
    : QDialog(parent), m_state(state), m_config(config)
{
    setObjectName(QStringLiteral("frmState"));
    setWindowTitle(QStringLiteral("Status"));
    setMinimumSize(313, 128);

    auto *layout = new QVBoxLayout(this);
    lblTxt = new QLabel(QStringLiteral("Waiting ..."), this);
    lblTxt->setObjectName(QStringLiteral("lblTxt"));
    lblTxt->setAlignment(Qt::AlignCenter);
    lblTxt->setWordWrap(true);
    lblTxt->setCursor(Qt::WaitCursor);
    layout->addWidget(lblTxt);

    frameProgress = new QFrame(this);
    frameProgress->setObjectName(QStringLiteral("frameProgress"));
    auto *pl = new QVBoxLayout(frameProgress);
    pl->setContentsMargins(0, 0, 0, 0);
    ProgressFile = new QProgressBar(frameProgress);
    ProgressFile->setObjectName(QStringLiteral("ProgressFile"));
    ProgressFile->setTextVisible(false);
    pl->addWidget(ProgressFile);
    layout->addWidget(frameProgress);

    // Cancel and close share one place; at most one of them shows.
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    Abbruch = new QPushButton(QStringLiteral("Abbruch"), this);
    Abbruch->setObjectName(QStringLiteral("Abbruch"));
    Abbruch->setVisible(false);
    cmdOK = new QPushButton(QStringLiteral("Schließen"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    buttons->addWidget(Abbruch);
    buttons->addWidget(cmdOK);
    buttons->addStretch();
    layout->addLayout(buttons);

    Timer1SW = new QTimer(this);
    Timer1SW->setObjectName(QStringLiteral("Timer1SW"));
    // A time-out must not end a wait early.
    Timer1SW->setTimerType(Qt::PreciseTimer);
    Timer2SW = new QTimer(this);
    Timer2SW->setObjectName(QStringLiteral("Timer2SW"));
    // Its tenth step falls with the time-out, so the bar is full then.
    Timer2SW->setTimerType(Qt::PreciseTimer);
    Timer2SW->setInterval(100);
    Timer3SW = new QTimer(this);
    Timer3SW->setObjectName(QStringLiteral("Timer3SW"));
    Timer3SW->setInterval(3000);
    Timer3SW->setSingleShot(false);
    Timer3SW->setTimerType(Qt::PreciseTimer);
    winsockUP = new QTcpSocket(this);
    winsockUP->setObjectName(QStringLiteral("winsockUP"));

    m_uploadPause = new QTimer(this);
    m_uploadPause->setSingleShot(true);
    m_uploadPause->setTimerType(Qt::PreciseTimer);
    m_connectTimeout = new QTimer(this);
    m_connectTimeout->setSingleShot(true);
    // A coarse timer may end the ten seconds half a second early.
    m_connectTimeout->setTimerType(Qt::PreciseTimer);
    m_firmwareSender = new FirmwareSender(winsockUP, this);

    connect(Timer1SW, &QTimer::timeout, this, &frmState::Timer1SW_Timer);
    connect(Timer2SW, &QTimer::timeout, this, &frmState::Timer2SW_Timer);
    connect(cmdOK, &QPushButton::clicked, this, &frmState::cmdOK_Click);
    connect(Abbruch, &QPushButton::clicked, this, &frmState::Abbruch_Click);
    connectUploadSocket();
    Form_Load();
}

void frmState::resetProgress()
{
    ProgressStep = 0;
    ProgressFile->setMaximum(ProgressSteps);
    ProgressFile->setMinimum(0);
    ProgressFile->setValue(0);
}

void frmState::Form_Load()
{
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.x() + (avail.width() - width()) / 2, avail.y() + (avail.height() - height()) / 2);
    }
    cmdOK->setVisible(false);
    frameProgress->setVisible(true);
    resetProgress();
    Timer1SW->stop();
    Timer1SW->setInterval(0);
    Timer2SW->stop();
    Timer2SW->setInterval(0);
    Timer3SW->stop();
    UploadRunning = false;
    LoadLanguage(m_state, FormStatus, this);
}

void frmState::ShowMsg()
{
    const int code = m_state.StatusCode;
    const StatusEntry entry = statusEntry(code);
    if (entry.messageText < 0) {
        // Nothing to wait for (idle, a confirmed update, an unknown code).
        CloseWindow();
        return;
    }
    lblTxt->setText(m_state.Texts[static_cast<std::size_t>(entry.messageText)]);
    if (code == StatusFirmwareUpload)
        startUploadConnection();
    if (code == StatusLearnIn)
        Abbruch->setVisible(true);

    cmdOK->setVisible(false);
    frameProgress->setVisible(true);
    resetProgress();

    // A zero interval means no time-out at all (the upload ends the wait
    // itself), so such a timer must not run.
    Timer1SW->setInterval(entry.timeoutMs);
    Timer2SW->setInterval(entry.timeoutMs / ProgressSteps);
    Timer1SW->stop();
    Timer2SW->stop();
    if (entry.timeoutMs > 0) {
        // The bar's timer first: at the same moment its step comes before
        // the time-out.
        Timer2SW->start();
        Timer1SW->start();
    }
}

void frmState::Timer2SW_Timer()
{
    if (ProgressStep >= ProgressFile->maximum())
        ProgressStep = ProgressFile->maximum();
    else
        ++ProgressStep;
    ProgressFile->setValue(ProgressStep);
}

void frmState::Timer1SW_Timer()
{
    if (m_state.StatusCode == StatusLearnIn) {
        // The learn-in waits until its answer or a cancel, round after round.
        resetProgress();
        return;
    }
    Timer1SW->stop();
    Timer2SW->stop();
    CloseWindow();
}

void frmState::CloseWindow()
{
    Timer1SW->stop();
    Timer2SW->stop();
    const auto text = [this](int i) { return m_state.Texts[static_cast<std::size_t>(i)]; };
    switch (m_state.StatusCode) {
    case StatusIdle:
        lblTxt->setText(QStringLiteral("Invalid state"));
        break;
    case StatusSearch:
        lblTxt->setText(m_state.NextBoardIndex > 1 ? text(17) : text(16));
        break;
    case StatusUpdate:
        lblTxt->setText(text(18));
        break;
    case StatusUpdateDone:
        lblTxt->setText(text(19));
        break;
    case StatusFirmwareUpload:
        lblTxt->setText(text(18));
        m_state.OperationFailed = true;
        break;
    case StatusRestartWait:
        lblTxt->setText(text(19));
        m_state.OperationFailed = false;
        break;
    case StatusLearnIn:
        Abbruch->setVisible(false);
        lblTxt->setText(text(20));
        break;
    case StatusReadTable:
        // Reading starts by blanking the last-telegram label ("  "), so a
        // label that holds only blanks means no telegram came.
        lblTxt->setText(m_config.txtletztesTelegramm->text().trimmed().isEmpty() ? text(51) : text(50));
        break;
    case StatusWriteTable:
        unload();
        m_state.StatusCode = StatusIdle;
        break;
    default:
        break;
    }
    cmdOK->setVisible(true);
    frameProgress->setVisible(false);
    // The result is read and closed from the keyboard as the error window
    // is: Return, Space or Escape.
    cmdOK->setDefault(true);
    cmdOK->setFocus();
    m_config.ChannelSelectorRefill();
}

void frmState::cmdOK_Click()
{
    Config &c = m_config;
    if (c.ListBoards->topLevelItemCount() == 0) {
        for (QWidget *w : std::initializer_list<QWidget *>{
                 c.UpDown1, c.txtTimerInterval, c.Monitorintervallframe, c.txtIP, c.txtSubnet, c.txtGW,
                 c.txtServerIP, c.txtPort, c.txtServerPort, c.Beschreibung, c.chkDHCP, c.chkClientMode,
                 c.chkServerMode, c.chkTCPIP, c.chkUDPMode, c.Setting, c.Ladenbutton2, c.Druckbutton, c.Drucken2,
                 c.Drucken3, c.MonitorPause, c.MonitorStart, c.Monitorstop})
            w->setEnabled(false);
    } else {
        c.Setting->setEnabled(true);
    }
    m_state.StatusCode = StatusIdle;
    unload();
}

void frmState::Abbruch_Click()
{
    Config &c = m_config;
    const int ch = m_state.LearnDeleteChannel;
    m_state.SelectorRefreshPending = false;
    Timer1SW->stop();
    Timer2SW->stop();
    if (ch >= 0 && ch < ChannelCount) {
        c.OrgByte[ch]->setText(QStringLiteral(" "));
        c.SystemID[ch]->setText(m_state.Texts[0]);
        c.setRowBackColour(ch, SysColourCaptionText);
    }
    m_state.CommandString = toCommandString(cmd::cancelLearn());
    c.senden();
    if (ch >= 0 && ch < ChannelCount) {
        c.RowButtonRule(ch);
        c.info[ch]->setVisible(true);
    }
    m_state.StatusCode = StatusIdle;
    CloseWindow();
    unload();
}

void frmState::reject()
{
    // Escape and the title bar's close do not end a wait: the window closes
    // by its own button or by itself. Once the result shows, they close it
    // as its button does.
    if (!m_closed && !cmdOK->isHidden())
        cmdOK_Click();
}

void frmState::unload()
{
    Timer1SW->stop();
    Timer2SW->stop();
    Timer3SW->stop();
    stopUpload();
    m_closed = true;
    done(0);
}

} // namespace nvx
