#pragma once
// The main window. Its controls carry their design names as objectName
// (arrays as Name_<index>); its handlers are grouped by subsystem in
// config_*.cpp files beside the subsystem they serve.

#include "link/telegramstream.h"
#include "logging/chartgrid.h"
#include "logging/datalog.h"
#include "logging/linefile.h"
#include "shell/appstate.h"
#include "shell/frmstate.h"

#include <QFont>
#include <QHostAddress>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QtPrintSupport/qtprintsupportglobal.h>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMessageBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class QTcpServer;
class QTcpSocket;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QUdpSocket;
class QMenu;
class QAction;
class QChartView;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QValueAxis;
class QPixmap;
class QPrinter;

namespace nvx {

class FieldFilter;
class UpDown;
class LernmodusFenster;
class Alarm;
class Monitor;
enum class InfoButton;
struct SupervisionReport;

class Config : public QMainWindow {
    Q_OBJECT
public:
    explicit Config(AppState &state, QWidget *parent = nullptr);
    ~Config() override;

    AppState &state() { return m_state; }

    // ---- shell (config.cpp) ------------------------------------------------
    void Form_Load();
    void ChannelSelectorRefill();
    // Selects the logging mode "interval with chart", as a search, a
    // selection, a settings write and the table buttons do.
    void selectChartMode();
    void ShowMsgWindow();
    // Sets ErrorCode and shows the error window modally.
    void ShowErrorWindow(int errorCode);
    // Tells the user, modally, that a file they keep was not written (with
    // the system's reason where it gave one). With `toldInRun`, a file
    // listed there is not told again, and a file told is added to it.
    void tellFileNotSaved(const QString &path, const QString &reason, QStringList *toldInRun = nullptr);
    // The status window while it is open, else null.
    frmState *statusWindow() const { return m_frmState; }

    // ---- search and board list (network/config_search.cpp) -----------------
    void Search_Click();
    void RefreshBoardList();
    void func_SearchBoard();
    void ListBoards_FirstRowSelect();
    void WinsockUDP_DataArrival();
    void BoardAdd(const BoardRecord &rec);
    void BoardUpdate(const BoardRecord &rec);
    void BoardRemove();
    // The network fields handled as a group after a search.
    void setNetworkFieldsEnabled(bool enabled);
    // Sends one module configuration message to port 1460 of the broadcast
    // address or, with chkDirect ticked, of txtDirectIP.
    void sendModuleMessage(const QByteArray &datagram);
    // Where module configuration messages go: the broadcast address, or
    // txtDirectIP with chkDirect ticked; none when that is not an address.
    std::optional<QHostAddress> moduleConfigTarget() const;
    // Binds the module configuration socket to local port 5001 unless it is
    // bound; false when the port is taken.
    bool bindModuleConfigSocket();

    // ---- local addresses (network/config_localip.cpp) -----------------------
    void FillLocalIPList();

    // ---- selection (network/config_selection.cpp) ---------------------------
    void ListBoards_ItemClick(QTreeWidgetItem *item);
    void closeTelegramSockets();
    // The board-list row of the selected receiver (SelectedBoardKey), or
    // null; the list's current row may be one whose selection was refused.
    QTreeWidgetItem *selectedBoardRow() const;
    // Puts the list's highlight on the selected receiver's row.
    void highlightSelectedBoard();
    // A key pressed in ListBoards or List1: a row chosen with the keys is
    // taken as a click on it.
    bool listKeyPressed(QObject *list, QEvent *event);

    // ---- network fields (network/config_netfields.cpp) ---------------------
    void txtIP_LostFocus();
    void txtSubnet_LostFocus();
    void txtGW_LostFocus();
    void txtServerIP_LostFocus();
    void txtPort_LostFocus();
    void txtServerPort_LostFocus();
    void Beschreibung_LostFocus();
    void chkDHCP_Click();
    void chkClientMode_Click();
    void chkServerMode_Click();
    void chkTCPIP_Click();
    void chkUDPMode_Click();
    void chkDirect_Click();
    // Clears the red edit marks of the network fields and txtDirectIP.
    void setEditMarksBlack();
    // Installs the key filters and leave checks on the fields above.
    void connectNetFields();
    bool eventFilter(QObject *watched, QEvent *event) override;

    // ---- settings write and gateway options (network/config_settings.cpp) --
    void Setting_Click();
    void WriteBoardSettings();
    void bt_set_Click();
    // The port rule: TCP needs both port texts equal, UDP different ones;
    // a text that is not a port number 0..65535 never passes.
    bool portRuleHolds() const;

    // ---- receiver link (link/config_link.cpp) --------------------------------
    void senden();
    void Winsock3_Connect();
    void Winsock1_ConnectionRequest();
    void Winsock1_DataArrival();
    void Winsock3_DataArrival();
    void Winsock2UDP_DataArrival();
    void Winsock1_Close();
    // The receiver address and port of Winsock2UDP, set when the link opens.
    void setUdpRemote(const QString &host, quint16 port);

    // ---- manual send window (link/config_send.cpp) ---------------------------
    void Command1_Click();

    // ---- telegram processing (link/config_telegram.cpp) --------------------
    void ProcessTelegram();
    void txtletztesTelegramm_Change();
    // Sets the caption of txtletztesTelegramm and runs its change handling
    // when the caption changed.
    void setLastTelegram(const QString &text);
    // Telegrams that reached ProcessTelegram and were handled (diagnostics).
    quint64 telegramsProcessed() const { return m_telegramsProcessed; }
    // The base-ID reply in ReplyString: BaseIDText, BaseID3..BaseID0 and the
    // manual-send window; gateway reception takes it the same way.
    void processBaseIdReply();

    // Steps of the telegram processor that act on windows and branches built
    // elsewhere (link/config_telegram_hooks.cpp until they are):
    // the receiver's supervision report (sync "A55B") in sensor-table mode
    // (sensors/config_supervision.cpp);
    void SupervisionStatusMessage();
    // every telegram of gateway mode;
    void GatewayTelegram();
    // the status part of the information window for a supervision report
    // (on for MonitorChannel, or off);
    void showSupervisionInMonitor(const SupervisionReport &report);
    // the base ID shown in the manual-send window (Label14 of Send);
    void showBaseIdInSendWindow();
    // a channel telegram for the channel the information window shows; for a
    // rocker telegram rockerButton is -2 (leave the rocker buttons), -1 (clear
    // all four) or 0..3 (select that one), see rockerButtonFor();
    void showChannelTelegramInMonitor(int ch, bool rocker, int rockerButton);
    // the logging step (logging/config_logging_step.cpp).
    void RecordMonitorSample();

    // ---- sensor table (sensors/config_table.cpp) ---------------------------
    void Auslesen_Click();
    void Timer1_Timer();
    void Adressenubertragen_Click();
    void Timer5_Timer();
    void RowButtonRule(int ch, bool countLearnModeAsFree = false);
    bool rowIsFree(int ch) const;
    void setRowBackColour(int ch, std::uint32_t colour);
    // The plain information button shown and disabled, the supervision
    // states hidden: a row without a sensor, or no receiver delivering.
    void showPlainInfoButton(int ch);
    // An emptied row: no kind, no ORG, the free text, on `colour`.
    void clearRow(int ch, std::uint32_t colour);
    // The pictures of the sensor table's buttons, set once when the window
    // is built.
    void applyIcons();
    // Clear command (and write command for a used row) of one channel of the
    // table write.
    void sendTableChannel(int ch);
    // The controls a finished table read or write gives back.
    void enableAfterTableOperation();

    // ---- learn-in, delete, control timer (sensors/config_sensors.cpp) ---------
    void Lernmodusbutton_Click(int index);
    void Loeschen_Click(int index);
    void Sensortimer_Click();
    void connectSensorHandlers();
    // The learn-in window and the control-timer window, loaded hidden with
    // their defaults when they are not loaded (a read of their controls
    // loads them, and they keep their state until they close themselves).
    LernmodusFenster *lernmodusFenster();
    Alarm *alarm();
    // Shows one of the four information buttons of a row (enabled or not);
    // the other three are hidden and disabled.
    void showInfoButton(int ch, InfoButton shown, bool enabled);

    // ---- sensor information window (sensors/config_monitor.cpp) -------------
    void info_Click(int index);
    void ShowSensorInfo();
    void connectMonitorHandlers();

    // ---- description and address files (sensors/config_files.cpp) -----------
    void Datspeichern();
    void Ladenbutton2_Click();
    void ImportAddressFile();
    void ExportAddressFile();
    void speichern1_Click();
    void speichern2_Click();
    // The open or save dialog of the address files; the chosen name, or an
    // empty one when cancelled. It keeps the last name between uses.
    QString CommonDialog1(bool save);

    // ---- data logging (logging/config_logging_*.cpp) ----------------------
    void MonitorStart_Click();
    void MonitorPause_Click();
    void Monitorstop_Click();
    void Timer2_Timer();
    void Option1Intervall_Click();
    void Optionallintervall_Click();
    void Option2Ereigniss_Click();
    void channel_log_Click();
    void Check_sensorId_Click();
    void Auswahl_Click();
    void DatenbyteAuswahl_Click();
    void start3_Click();
    void pause3_Click();
    void stop3_Click();
    void speichern3_Click();
    void SaveDataLogAs();
    // Appends the box's text to the receive log and empties it once it holds
    // 10000 characters. While the log cannot be written the box keeps what
    // the log did not take, at most the newest 10000 characters.
    void ReceiveBoxSpill(QPlainTextEdit *box);
    // Appends the box's whole text to the receive log; false when the log
    // did not take all of it (the box then keeps the rest, and the user is
    // told once in the run).
    bool appendBoxToReceiveLog(QPlainTextEdit *box);
    // Adds one line at the end of a receive box.
    static void appendToBox(QPlainTextEdit *box, const QString &line);
    // A receive box's length as the receive log counts it (CR LF as two).
    static qsizetype boxLength(const QPlainTextEdit *box);
    // Closes the data log, with a row the disk took in part completed where
    // it now allows.
    void closeDataLog();
    // ---- chart (logging/config_chart.cpp) -------------------------------------
    void Diagramm();
    void HScroll1_Change();
    // The chart as a picture of the given size, for the printout.
    QPixmap chartPicture(int width, int height) const;
    // What the chart shows since its latest redraw.
    const ChartGrid &chartGrid() const { return m_chartGrid; }
    // The row labels drawn under the chart, first row first.
    QStringList chartRowLabels() const;
    // ---- printing (sensors/config_print.cpp) --------------------------------
    void Druckbutton_Click();
    void Drucken2_Click();
    void Drucken3_Click();
#if QT_CONFIG(printer)
    // The chart picture fitted to a landscape page, with its header and the
    // legend of the chosen series.
    void printpicturetofitpage(QPrinter &Prn, const QPixmap &Pic);
    // The printer every printout goes to; it keeps the user's choice for the
    // session.
    QPrinter &printer();
#endif

    // ---- language, menus (shell/config_menus.cpp) ----------------------------
    void MenueMain_Click(int index);
    void MenuHilfe_Click();

    // ---- firmware upload (network/config_firmware.cpp) -----------------------
    void MenueDateiUpload_Click();

    // ======================= controls ========================================
    // Frame and tabs
    QTabWidget *SSTab1 = nullptr;
    QMenu *MenueMain_1 = nullptr;       // "&Firmware"
    QMenu *MenueMain_2 = nullptr;       // "&Über"
    QAction *MenueDateiUpload = nullptr; // "&Update"
    QAction *MenuHilfe = nullptr;        // "&Hilfe"
    QTimer *Timer1 = nullptr;           // 2000 ms, table request fallback
    QTimer *Timer2 = nullptr;           // 1000 ms, logging seconds
    QTimer *Timer5 = nullptr;           // 900 ms, table write

    // Tab 0 "Einstellungen"
    QGroupBox *Empfaengerframe = nullptr;
    QTreeWidget *ListBoards = nullptr;
    QListWidget *List1 = nullptr;
    QLabel *txtlokal1 = nullptr;
    QLineEdit *txtlocalIP = nullptr;
    QPushButton *Search = nullptr;
    QCheckBox *chkDirect = nullptr;
    QLineEdit *txtDirectIP = nullptr;
    QGroupBox *Netzwerkframe = nullptr;
    QLineEdit *txtIP = nullptr;
    QLineEdit *txtSubnet = nullptr;
    QLineEdit *txtGW = nullptr;
    QLineEdit *txtPort = nullptr;
    QLineEdit *txtServerIP = nullptr;
    QLineEdit *txtServerPort = nullptr;
    QLineEdit *txtVersion = nullptr;
    QCheckBox *chkDHCP = nullptr;
    QGroupBox *modusframe = nullptr;
    QRadioButton *chkClientMode = nullptr;
    QRadioButton *chkServerMode = nullptr;
    QGroupBox *protokollframe = nullptr;
    QRadioButton *chkTCPIP = nullptr;
    QRadioButton *chkUDPMode = nullptr;
    QPushButton *Setting = nullptr;
    QGroupBox *Beschreibungframe = nullptr;
    QPlainTextEdit *Beschreibung = nullptr;
    QToolButton *speichern1 = nullptr;
    QToolButton *LadenButton1 = nullptr;
    QToolButton *Druckbutton = nullptr;

    // Tab 1 "Sensoren"
    QGroupBox *frm_sensor = nullptr;
    std::array<QLabel *, 3> Beschriftung{};
    std::array<QLabel *, ChannelCount> Kanal{};
    std::array<QLabel *, ChannelCount> OrgByte{};
    std::array<QLabel *, ChannelCount> Orgnr{};
    std::array<QLabel *, ChannelCount> SystemID{};
    std::array<QToolButton *, ChannelCount> Loeschen{};
    std::array<QToolButton *, ChannelCount> Lernmodusbutton{};
    std::array<QToolButton *, ChannelCount> info{};
    std::array<QToolButton *, ChannelCount> info1{};
    std::array<QToolButton *, ChannelCount> info2{};
    std::array<QToolButton *, ChannelCount> info3{};
    QGroupBox *Einstellungenframesensoren = nullptr;
    QToolButton *Ladenbutton2 = nullptr;
    QToolButton *speichern2 = nullptr;
    QToolButton *Drucken2 = nullptr;
    QToolButton *Adressenubertragen = nullptr;
    QToolButton *Auslesen = nullptr;
    QToolButton *Sensortimer = nullptr;
    QGroupBox *Gatewayframe = nullptr;
    QCheckBox *chk_gateway_enocean = nullptr;
    QCheckBox *chk_rssi = nullptr;
    QCheckBox *chk_server = nullptr;
    QPushButton *bt_set = nullptr;
    QPushButton *Command1 = nullptr;    // "Send": the manual send window
    QLabel *txtletztesTelegramm1 = nullptr;
    QLabel *txtletztesTelegramm = nullptr;

    // Tab 2 "Daten loggen"
    QGroupBox *frm_log = nullptr;
    QGroupBox *Einstellungenframe = nullptr;
    QRadioButton *Option1Intervall = nullptr;
    QRadioButton *Optionallintervall = nullptr;
    QRadioButton *Option2Ereigniss = nullptr;
    QGroupBox *Frame3 = nullptr;
    QLabel *txtTimer = nullptr;
    QLineEdit *txtTimerInterval = nullptr;
    UpDown *UpDown1 = nullptr;
    QLabel *txtrowlabel = nullptr;
    QLineEdit *txtrowcountintervall = nullptr;
    UpDown *UpDown2 = nullptr;
    std::array<QLabel *, 2> Label1{};   // "Diagramm max Wert", "Diagramm min Wert"
    QLineEdit *maxdia = nullptr;
    QLineEdit *mindia = nullptr;
    QGroupBox *Monitorintervallframe = nullptr;
    QLabel *Label6 = nullptr;
    QLineEdit *txtTimerallInterval = nullptr;
    UpDown *UpDown3 = nullptr;
    QGroupBox *Frame2 = nullptr;        // "Graph"
    std::array<QLabel *, 6> MonitorLabel1{};  // 1..5 used
    std::array<QComboBox *, 5> Auswahl{};
    std::array<QComboBox *, 5> DatenbyteAuswahl{};
    std::array<QLineEdit *, 6> Wert{};        // Wert1..Wert5 at 1..5
    QGroupBox *Skalierungframe = nullptr;
    std::array<QLineEdit *, 6> Min{};         // Min1..Min5 at 1..5
    std::array<QLineEdit *, 6> Max{};         // Max1..Max5 at 1..5
    QGroupBox *Diagrammframe = nullptr;
    QChartView *MSChart1 = nullptr;
    QScrollBar *HScroll1 = nullptr;
    QGroupBox *Frame1 = nullptr;        // "Scalling Data-Bytes"
    std::array<QLineEdit *, 4> txt_min{};
    std::array<QLineEdit *, 4> txt_max{};
    QGroupBox *Frame4 = nullptr;        // "Sensors"
    std::array<QCheckBox *, ChannelCount> channel_log{};
    std::array<QLineEdit *, ChannelCount> txt_id{};
    std::array<QLineEdit *, ChannelCount> txt_data_1{};
    std::array<QLineEdit *, ChannelCount> txt_data_2{};
    std::array<QLineEdit *, ChannelCount> txt_data_3{};
    std::array<QLineEdit *, ChannelCount> txt_data_4{};
    QToolButton *MonitorStart = nullptr;
    QToolButton *MonitorPause = nullptr;
    QToolButton *Monitorstop = nullptr;
    QToolButton *speichern3 = nullptr;
    QToolButton *Drucken3 = nullptr;
    QLabel *Image1 = nullptr;           // the chart picture taken for printing
    QGroupBox *frm_gateway = nullptr;
    QGroupBox *checkid = nullptr;
    QCheckBox *Check_sensorId = nullptr;
    std::array<QLineEdit *, 15> txt_check_ID{};
    QToolButton *start3 = nullptr;
    QToolButton *pause3 = nullptr;
    QToolButton *stop3 = nullptr;
    QPlainTextEdit *txt_Empfang = nullptr;   // the receive box
    QPlainTextEdit *txt_log_data = nullptr;  // hidden: receive lines of the logging steps

    // ---- module configuration socket -------------------------------------
    QUdpSocket *WinsockUDP = nullptr;
    // ---- telegram sockets ------------------------------------------------------
    QTcpServer *Winsock1_0 = nullptr;          // listener (element 0)
    QPointer<QTcpSocket> Winsock1_1;           // accepted connection (element 1)
    QTcpSocket *Winsock3 = nullptr;
    QUdpSocket *Winsock2UDP = nullptr;

Q_SIGNALS:
    // One received telegram on its way into ProcessTelegram (after the
    // state it reads has been set).
    void telegramReceived(const QString &telegram, const QString &sender);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void StartFirmwareUpload();
    // The file dialog OpenLog until an existing file is chosen; none on cancel.
    std::optional<QString> chooseFirmwareFile();
    void buildSettingsTab(QWidget *tab);
    void buildSensorsTab(QWidget *tab);
    void buildLoggingTab(QWidget *tab);
    void buildMenus();
    void connectHandlers();
    bool Form_QueryUnload();
    void Form_Unload();

    AppState &m_state;
    QPointer<frmState> m_frmState;
    // TCP is a byte stream: these keep a telegram split over two reads.
    TelegramStream m_winsock1Stream;
    TelegramStream m_winsock3Stream;
    // The receiver behind Winsock3's last read: a telegram held back is
    // still its own once the connection has closed meanwhile.
    QString m_winsock3Sender;
    // Context of the accepted connection's handlers: destroyed with the
    // window's members, before the socket itself goes with the children.
    QObject m_winsock1Context;
    QString m_udpRemoteHost;
    quint16 m_udpRemotePort = 0;
    // Hands one telegram to ProcessTelegram; always reached through a queued
    // call so that a modal window opened there never runs inside readyRead.
    void processReceived(const QString &telegram, const QString &sender, bool fromUdp);
    // Counts the links given up: a telegram read on one but still queued
    // when it is given up is not processed against the next receiver.
    quint64 m_linkGeneration = 0;
    void queueTelegram(const QString &telegram, const QString &sender, bool fromUdp);
    // Hands on what a stream held back once nothing followed it in time.
    void armTelegramHold();
    void flushTelegramStreams();
    QTimer m_telegramHold;
    bool m_unloaded = false;
    QPointer<LernmodusFenster> m_lernmodus;
    QPointer<Alarm> m_alarm;
    QPointer<Monitor> m_monitor;
    QString m_commonDialogFile;
    // Description files told in this run as not written: they are saved
    // unasked at every change of focus.
    QStringList m_descriptionFilesTold;

    // ---- data logging ------------------------------------------------------
    void connectLogging();
    LogMode logMode() const;
    // The data fields of one channel from its data bytes; false when a
    // scaling text is no number.
    bool refreshChannelFields(int ch);
    // Writes one row of the data log; false when it is not written.
    bool writeDataLog(const QString &text);
    QString dataLogPath() const;
    QString receiveLogPath() const;
    // Tells the user once in a run (`toldInRun` lists the files told) that
    // the file at `path` cannot be written; while the message is open, every
    // further file that fails is added to it.
    void tellLogNotWritten(const QString &path, const QString &reason, QStringList &toldInRun);
    void writeChannelRow(int ch, int n);
    bool sampleSeries(int n);
    void enableSeriesRows(int first);
    void setScrollToNewest();
    LineFile m_dataLog;
    // Opened for each append; it keeps what a full disk left of a line.
    LineFile m_receiveLog;
    QPointer<QMessageBox> m_logNotWritten;
    QStringList m_logNotWrittenFiles;
    FieldFilter *m_fieldFilter = nullptr;
    void setUpChart();
    ChartGrid m_chartGrid;
    QValueAxis *m_chartAxisY = nullptr;
    QValueAxis *m_chartAxisX = nullptr;
    std::vector<QLineSeries *> m_chartSeries;
    std::vector<QGraphicsSimpleTextItem *> m_chartLabels;
    QFont m_chartLabelFont;
    void placeChartLabels();

    void processStatusReply();
    // Returns true when the telegram is a learn telegram of a sensor that is
    // already in the table.
    // `filledRow` becomes the row the telegram filled.
    bool processChannelTelegram(int &filledRow);
    // `filledRow`: the row a channel telegram filled, or -1.
    void processFinalSteps(int filledRow);
    // A row's learn, delete and information buttons while a receiver
    // delivers telegrams, by whether the row is free.
    void deliveringRowButtons(int ch);
    quint64 m_telegramsProcessed = 0;

    void PrintAddressTable();
    void PrintDataTable();
    void connectPrinting();
#if QT_CONFIG(printer)
    // Shows the printer dialog; false when the user cancelled it.
    bool showPrinterDialog(QPrinter &prn);
    struct PrinterDeleter {
        void operator()(QPrinter *p) const;
    };
    std::unique_ptr<QPrinter, PrinterDeleter> m_printer;
#endif
};

} // namespace nvx
