// The main window's frame: construction, load, resize, close, tabs and the
// series channel selectors.

#include "shell/config.h"
#include "link/protocol.h"
#include "shell/frmfehler.h"
#include "shell/frmstate.h"
#include "shell/modsprache.h"
#include "shell/programfolder.h"
#include "shell/texts.h"
#include "shell/updown.h"
#include "shell/vbcolours.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>
#include <QTreeWidget>
#include <QUdpSocket>

namespace nvx {

Config::Config(AppState &state, QWidget *parent)
    : QMainWindow(parent), m_state(state)
{
    setObjectName(QStringLiteral("Config"));
    setWindowTitle(QStringLiteral("Lorvantis Sensortechnik GmbH"));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    auto *tab0 = new QWidget;
    auto *tab1 = new QWidget;
    auto *tab2 = new QWidget;
    buildSettingsTab(tab0);
    buildSensorsTab(tab1);
    buildLoggingTab(tab2);
    SSTab1->addTab(tab0, QStringLiteral("Einstellungen"));
    SSTab1->addTab(tab1, QStringLiteral("Sensoren"));
    SSTab1->addTab(tab2, QStringLiteral("Daten loggen"));
    setCentralWidget(SSTab1);
    buildMenus();
    applyIcons();

    auto makeTimer = [this](const char *name, int interval) {
        auto *t = new QTimer(this);
        t->setObjectName(QLatin1String(name));
        t->setInterval(interval);
        return t;
    };
    Timer1 = makeTimer("Timer1", 2000);
    Timer2 = makeTimer("Timer2", 1000);
    Timer5 = makeTimer("Timer5", 900);

    WinsockUDP = new QUdpSocket(this);
    WinsockUDP->setObjectName(QStringLiteral("WinsockUDP"));
    Winsock1_0 = new QTcpServer(this);
    Winsock1_0->setObjectName(QStringLiteral("Winsock1_0"));
    Winsock3 = new QTcpSocket(this);
    Winsock3->setObjectName(QStringLiteral("Winsock3"));
    Winsock2UDP = new QUdpSocket(this);
    Winsock2UDP->setObjectName(QStringLiteral("Winsock2UDP"));

    // Fits a 1366 x 768 screen with the title bar and the desktop's panel.
    resize(1190, 690);
    connectHandlers();
}

Config::~Config() = default;

void Config::buildMenus()
{
    MenueMain_1 = menuBar()->addMenu(QStringLiteral("&Firmware"));
    MenueMain_1->setObjectName(QStringLiteral("MenueMain_1"));
    MenueDateiUpload = MenueMain_1->addAction(QStringLiteral("&Update"));
    MenueDateiUpload->setObjectName(QStringLiteral("MenueDateiUpload"));
    // The firmware menu is reached by the right mouse button only.
    MenueMain_1->menuAction()->setVisible(false);

    MenueMain_2 = menuBar()->addMenu(QStringLiteral("&Über"));
    MenueMain_2->setObjectName(QStringLiteral("MenueMain_2"));
    MenuHilfe = MenueMain_2->addAction(QStringLiteral("&Hilfe"));
    MenuHilfe->setObjectName(QStringLiteral("MenuHilfe"));
}

void Config::connectHandlers()
{
    connect(SSTab1, &QTabWidget::currentChanged, this, [this](int) {
        // Tabs 1 and 2 only make sense for a receiver that reports to this PC.
        const int tab = SSTab1->currentIndex();
        if ((tab == 1 || tab == 2) && txtServerIP->text() != txtlocalIP->text())
            ShowErrorWindow(ErrorServerIpNotLocal);
        if (m_state.SelectorRefreshPending) {
            ChannelSelectorRefill();
            m_state.SelectorRefreshPending = false;
        }
    });
    ListBoards->installEventFilter(this);
    List1->installEventFilter(this);
    connect(List1, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        if (item)
            txtlocalIP->setText(item->text());
    });
    connect(MenueDateiUpload, &QAction::triggered, this, &Config::MenueDateiUpload_Click);
    connect(MenuHilfe, &QAction::triggered, this, &Config::MenuHilfe_Click);
    connect(MenueMain_2, &QMenu::aboutToShow, this, [this] { MenueMain_Click(2); });

    connect(Search, &QPushButton::clicked, this, &Config::Search_Click);
    connect(WinsockUDP, &QUdpSocket::readyRead, this, &Config::WinsockUDP_DataArrival);
    connect(ListBoards, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { ListBoards_ItemClick(item); });

    connect(Setting, &QPushButton::clicked, this, &Config::Setting_Click);
    connect(bt_set, &QPushButton::clicked, this, &Config::bt_set_Click);
    connect(Command1, &QPushButton::clicked, this, &Config::Command1_Click);
    connect(chkDHCP, &QCheckBox::clicked, this, &Config::chkDHCP_Click);
    connect(chkDirect, &QCheckBox::clicked, this, &Config::chkDirect_Click);
    connect(chkClientMode, &QRadioButton::toggled, this, [this](bool on) { if (on) chkClientMode_Click(); });
    connect(chkServerMode, &QRadioButton::toggled, this, [this](bool on) { if (on) chkServerMode_Click(); });
    connect(chkTCPIP, &QRadioButton::toggled, this, [this](bool on) { if (on) chkTCPIP_Click(); });
    connect(chkUDPMode, &QRadioButton::toggled, this, [this](bool on) { if (on) chkUDPMode_Click(); });
    connectNetFields();

    connect(Winsock3, &QTcpSocket::connected, this, &Config::Winsock3_Connect);
    // A held telegram is due to the millisecond: the channels it delays
    // must not lag.
    m_telegramHold.setSingleShot(true);
    m_telegramHold.setTimerType(Qt::PreciseTimer);
    connect(&m_telegramHold, &QTimer::timeout, this, &Config::flushTelegramStreams);
    connect(Winsock3, &QTcpSocket::readyRead, this, &Config::Winsock3_DataArrival);
    connect(Winsock1_0, &QTcpServer::newConnection, this, &Config::Winsock1_ConnectionRequest);
    connect(Winsock2UDP, &QUdpSocket::readyRead, this, &Config::Winsock2UDP_DataArrival);

    connect(Auslesen, &QToolButton::clicked, this, &Config::Auslesen_Click);
    connect(Adressenubertragen, &QToolButton::clicked, this, &Config::Adressenubertragen_Click);
    connect(Timer1, &QTimer::timeout, this, &Config::Timer1_Timer);
    connect(Timer5, &QTimer::timeout, this, &Config::Timer5_Timer);
    connectPrinting();
    connectSensorHandlers();
    connectLogging();
}

void Config::Form_Load()
{
    LoadLanguage(m_state, FormStatus, nullptr);
    LoadLanguage(m_state, FormConfig, this);
    // Without a folder named in the store this user's own is made here, so
    // the description files, the logs and the help have a place from the
    // first start on.
    prepareProgramFolder(m_state.ProgramPath, helpDocumentSources(QCoreApplication::applicationDirPath()));

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.x() + (avail.width() - width()) / 2, avail.y() + (avail.height() - height()) / 2);
    }
    for (int i = 0; i < ChannelCount; ++i) {
        info[i]->setVisible(true);
        info1[i]->setVisible(false);
        info2[i]->setVisible(false);
        info3[i]->setVisible(false);
    }
    FillLocalIPList();
    txtlocalIP->setText(List1->count() > 0 ? List1->item(0)->text() : QString());

    const std::array<std::uint32_t, 5> seriesColours{0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};
    for (int k = 0; k < 5; ++k)
        setForeColour(MonitorLabel1[k + 1], seriesColours[k]);
    for (QComboBox *c : DatenbyteAuswahl)
        c->setCurrentIndex(0);
    MonitorStart->setEnabled(false);
    MonitorPause->setEnabled(false);
    Monitorstop->setEnabled(false);
    for (QCheckBox *c : channel_log)
        c->setEnabled(false);
    m_state.logging.ChartFirstRow = 0;
    HScroll1->setEnabled(false);
    m_state.logging.samples.counter = 0;

    // A second instance or another program may hold the port; the search
    // tells the user so.
    bindModuleConfigSocket();
    m_state.BoardSelected = false;
    m_state.StatusCode = StatusIdle;

    show();
    RefreshBoardList();
}

void Config::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    setWindowTitle(QStringLiteral("Lorvantis Sensortechnik GmbH    "));
}

bool Config::Form_QueryUnload()
{
    if (!m_state.LoggingActive)
        return true;
    return QMessageBox::question(this, m_state.Texts[58], m_state.Texts[57], QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

void Config::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    closeDataLog();
    // The rest of a receive-log line that a full disk left gets one last
    // try; the file is opened only for each append.
    m_receiveLog.finish();
    Datspeichern();
    closeTelegramSockets();
    WinsockUDP->close();
}

void Config::closeEvent(QCloseEvent *event)
{
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
    QApplication::quit();
}

void Config::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        MenueMain_1->popup(event->globalPosition().toPoint());
    QMainWindow::mousePressEvent(event);
}

void Config::selectChartMode()
{
    Option1Intervall->setChecked(true);
}

void Config::ChannelSelectorRefill()
{
    const bool english = m_state.LanguageCode == QLatin1String("1033");
    const QString marker = english ? QStringLiteral("Unused") : QStringLiteral("Frei");
    const QString prefix = english ? QStringLiteral("channel ") : QStringLiteral("Kanal ");
    for (QComboBox *c : Auswahl) {
        c->clear();
        c->addItem(m_state.Texts[23]);
        c->setCurrentIndex(0);
    }
    for (int i = 0; i < ChannelCount; ++i) {
        if (SystemID[i]->text() == marker)
            continue;
        m_state.CurrentChannel = i;
        m_state.ChannelNumberText = FormatChannelNumber(i);
        for (QComboBox *c : Auswahl)
            c->addItem(prefix + m_state.ChannelNumberText);
    }
}

void Config::ShowMsgWindow()
{
    // A wait that starts while the window is open (the table read-back during
    // the table write's wait) takes the open window over: its display starts
    // again for the new StatusCode, and the first caller's wait goes on.
    if (m_frmState && !m_frmState->isClosedForGood()) {
        m_frmState->ShowMsg();
        return;
    }
    // The main window takes no input while the status window waits; its
    // sockets and timers go on. (Disabling the window itself would disable
    // the dialog that it owns as well.)
    SSTab1->setEnabled(false);
    menuBar()->setEnabled(false);
    frmState dialog(m_state, *this, this);
    m_frmState = &dialog;
    dialog.ShowMsg();
    // ShowMsg may already have closed the window (codes 0 and 3 show their
    // result at once, code 8 ends by itself); exec() still shows a result.
    if (!dialog.isClosedForGood())
        dialog.exec();
    m_frmState = nullptr;
    SSTab1->setEnabled(true);
    menuBar()->setEnabled(true);
}

void Config::ShowErrorWindow(int errorCode)
{
    m_state.ErrorCode = errorCode;
    frmFehler dialog(m_state, this);
    dialog.exec();
}

void Config::tellFileNotSaved(const QString &path, const QString &reason, QStringList *toldInRun)
{
    if (toldInRun) {
        if (toldInRun->contains(path))
            return;
        toldInRun->append(path);
    }
    const QString file = fileWithReason(path, reason);
    // Over whichever window is in front: the description field of the
    // information window saves too.
    QWidget *parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : this;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("NVX-Ethernet"), fileNotSavedText(file, m_state.english()),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("FileNotSaved"));
    box.exec();
}

} // namespace nvx
