// The main window's controls in their design state.

#include "shell/config.h"
#include "shell/texts.h"
#include "shell/updown.h"
#include "shell/vbcolours.h"

#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace nvx {

namespace {

template <typename W>
W *named(W *w, const QString &name)
{
    w->setObjectName(name);
    return w;
}

template <typename W>
W *named(W *w, const QString &name, int index)
{
    w->setObjectName(name + QLatin1Char('_') + QString::number(index));
    return w;
}

QLineEdit *field(QWidget *parent, const QString &name, int maxLength, const QString &text = {})
{
    auto *e = named(new QLineEdit(text, parent), name);
    e->setMaxLength(maxLength);
    return e;
}

QToolButton *pictureButton(QWidget *parent, const QString &name, const QString &caption = {})
{
    auto *b = named(new QToolButton(parent), name);
    // A click takes the focus, as a button's click did on the original: the
    // field left behind runs its leave rule before the handler reads it.
    b->setFocusPolicy(Qt::StrongFocus);
    b->setText(caption);
    b->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
    return b;
}

// Every hex digit `digits` times: the widest number of that length is one
// of them.
QStringList hexNumbers(int digits)
{
    QStringList numbers;
    for (QChar c : QStringLiteral("0123456789ABCDEF"))
        numbers << QString(digits, c);
    return numbers;
}

// A label of the sensor table, as wide as the widest of the captions it
// shows in either language.
QLabel *rowLabel(QWidget *parent, const QString &name, int i, const QString &caption, const QStringList &shown)
{
    auto *l = named(new QLabel(caption, parent), name, i);
    l->setTextFormat(Qt::PlainText);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    const QFontMetrics fm = l->fontMetrics();
    int widest = 0;
    for (const QString &text : shown)
        widest = std::max(widest, fm.horizontalAdvance(text));
    // A framed label indents its text by half an "x".
    const int width = widest + fm.horizontalAdvance(u'x') / 2 + 2 * l->frameWidth() + 4;
    // A fixed size keeps a new caption from relaying out (and repainting)
    // the whole window with every telegram.
    l->setFixedSize(width, fm.height() + 2 * l->frameWidth() + 2);
    setBackColour(l, ColourWhite);
    return l;
}

} // namespace

void Config::buildSettingsTab(QWidget *tab)
{
    auto *grid = new QGridLayout(tab);

    Empfaengerframe = named(new QGroupBox(QStringLiteral("Empfängerliste"), tab), QStringLiteral("Empfaengerframe"));
    auto *boardsLayout = new QVBoxLayout(Empfaengerframe);
    ListBoards = named(new QTreeWidget(Empfaengerframe), QStringLiteral("ListBoards"));
    ListBoards->setRootIsDecorated(false);
    ListBoards->setColumnCount(0);
    ListBoards->header()->setStretchLastSection(true);
    boardsLayout->addWidget(ListBoards);
    Search = named(new QPushButton(QStringLiteral("NVX suchen"), Empfaengerframe), QStringLiteral("Search"));
    boardsLayout->addWidget(Search);
    chkDirect = named(new QCheckBox(QStringLiteral("Direkt IP suchen"), Empfaengerframe), QStringLiteral("chkDirect"));
    boardsLayout->addWidget(chkDirect);
    txtDirectIP = field(Empfaengerframe, QStringLiteral("txtDirectIP"), 15);
    txtDirectIP->setEnabled(false);
    setBackColour(txtDirectIP, SysColourButtonFace);
    boardsLayout->addWidget(txtDirectIP);
    txtlokal1 = named(new QLabel(QStringLiteral("Lokal IP"), Empfaengerframe), QStringLiteral("txtlokal1"));
    boardsLayout->addWidget(txtlokal1);
    txtlocalIP = field(Empfaengerframe, QStringLiteral("txtlocalIP"), 15);
    boardsLayout->addWidget(txtlocalIP);
    List1 = named(new QListWidget(Empfaengerframe), QStringLiteral("List1"));
    List1->setMaximumHeight(80);
    boardsLayout->addWidget(List1);
    grid->addWidget(Empfaengerframe, 0, 0, 2, 1);

    Netzwerkframe = named(new QGroupBox(QStringLiteral("Netzwerkeinstellungen"), tab), QStringLiteral("Netzwerkframe"));
    auto *net = new QGridLayout(Netzwerkframe);
    int row = 0;
    auto addField = [&](const QString &caption, QLineEdit *e) {
        net->addWidget(new QLabel(caption, Netzwerkframe), row, 0);
        net->addWidget(e, row++, 1);
    };
    txtIP = field(Netzwerkframe, QStringLiteral("txtIP"), 15);
    addField(QStringLiteral("NVX IP"), txtIP);
    txtSubnet = field(Netzwerkframe, QStringLiteral("txtSubnet"), 15);
    addField(QStringLiteral("Subnet"), txtSubnet);
    txtGW = field(Netzwerkframe, QStringLiteral("txtGW"), 15);
    addField(QStringLiteral("Gateway"), txtGW);
    txtPort = field(Netzwerkframe, QStringLiteral("txtPort"), 15);
    addField(QStringLiteral("Port NVX"), txtPort);
    txtServerIP = field(Netzwerkframe, QStringLiteral("txtServerIP"), 15);
    addField(QStringLiteral("Server IP"), txtServerIP);
    txtServerPort = field(Netzwerkframe, QStringLiteral("txtServerPort"), 15);
    addField(QStringLiteral("Port Server"), txtServerPort);
    txtVersion = field(Netzwerkframe, QStringLiteral("txtVersion"), 15);
    addField(QStringLiteral("Version"), txtVersion);
    chkDHCP = named(new QCheckBox(QStringLiteral("DHCP Modus aktivieren"), Netzwerkframe), QStringLiteral("chkDHCP"));
    net->addWidget(chkDHCP, row++, 0, 1, 2);

    modusframe = named(new QGroupBox(QStringLiteral("Modus"), Netzwerkframe), QStringLiteral("modusframe"));
    auto *modeLayout = new QHBoxLayout(modusframe);
    chkClientMode = named(new QRadioButton(QStringLiteral("NVX-Client"), modusframe), QStringLiteral("chkClientMode"));
    chkServerMode = named(new QRadioButton(QStringLiteral("NVX-Server"), modusframe), QStringLiteral("chkServerMode"));
    modeLayout->addWidget(chkClientMode);
    modeLayout->addWidget(chkServerMode);
    net->addWidget(modusframe, row++, 0, 1, 2);

    protokollframe = named(new QGroupBox(QStringLiteral("Protokoll"), Netzwerkframe), QStringLiteral("protokollframe"));
    auto *protoLayout = new QHBoxLayout(protokollframe);
    chkTCPIP = named(new QRadioButton(QStringLiteral("TCP"), protokollframe), QStringLiteral("chkTCPIP"));
    chkUDPMode = named(new QRadioButton(QStringLiteral("UDP"), protokollframe), QStringLiteral("chkUDPMode"));
    protoLayout->addWidget(chkTCPIP);
    protoLayout->addWidget(chkUDPMode);
    net->addWidget(protokollframe, row++, 0, 1, 2);

    Setting = named(new QPushButton(QStringLiteral("NVX aktualisieren"), Netzwerkframe), QStringLiteral("Setting"));
    net->addWidget(Setting, row++, 0, 1, 2);
    grid->addWidget(Netzwerkframe, 0, 1);

    Beschreibungframe = named(new QGroupBox(QStringLiteral("Beschreibung"), tab), QStringLiteral("Beschreibungframe"));
    auto *descLayout = new QVBoxLayout(Beschreibungframe);
    Beschreibung = named(new QPlainTextEdit(Beschreibungframe), QStringLiteral("Beschreibung"));
    // One line of the description file: Tab moves on, as in a one-line field.
    Beschreibung->setTabChangesFocus(true);
    descLayout->addWidget(Beschreibung);
    auto *fileButtons = new QHBoxLayout;
    LadenButton1 = pictureButton(Beschreibungframe, QStringLiteral("LadenButton1"));
    LadenButton1->setEnabled(false);
    speichern1 = pictureButton(Beschreibungframe, QStringLiteral("speichern1"));
    Druckbutton = pictureButton(Beschreibungframe, QStringLiteral("Druckbutton"));
    for (QToolButton *b : {LadenButton1, speichern1, Druckbutton})
        fileButtons->addWidget(b);
    fileButtons->addStretch();
    descLayout->addLayout(fileButtons);
    grid->addWidget(Beschreibungframe, 1, 1);

    // The network fields wait for a receiver.
    setNetworkFieldsEnabled(false);
}

void Config::buildSensorsTab(QWidget *tab)
{
    auto *outer = new QVBoxLayout(tab);
    frm_sensor = named(new QGroupBox(tab), QStringLiteral("frm_sensor"));
    auto *table = new QGridLayout(frm_sensor);
    table->setVerticalSpacing(2);
    const QStringList headers{QStringLiteral("Kanal"), QStringLiteral("Kanal"), QStringLiteral("Typ")};
    for (int i = 0; i < 3; ++i)
        Beschriftung[i] = named(new QLabel(headers[i], frm_sensor), QStringLiteral("Beschriftung"), i);
    table->addWidget(Beschriftung[0], 0, 0);
    table->addWidget(Beschriftung[2], 0, 1);
    table->addWidget(Beschriftung[1], 0, 8);

    // What the rows show: the sensor kinds, ORG numbers and sensor IDs (hex
    // digits), the free marker and the learn-in, in both languages.
    const auto bothLanguages = [](int text) { return QStringList{textFor(text, false), textFor(text, true)}; };
    const QStringList kinds = bothLanguages(21) + bothLanguages(24)
        + QStringList{QStringLiteral("1 Byte Sensor"), QStringLiteral("4 Byte Sensor")};
    const QStringList ids = bothLanguages(0) + bothLanguages(24) + hexNumbers(8);
    for (int i = 0; i < ChannelCount; ++i) {
        const int col = i < 15 ? 0 : 8;
        const int row = 1 + i % 15;
        Kanal[i] = named(new QLabel(QString::number(i + 1), frm_sensor), QStringLiteral("Kanal"), i);
        OrgByte[i] = rowLabel(frm_sensor, QStringLiteral("OrgByte"), i, QString(), kinds);
        Orgnr[i] = rowLabel(frm_sensor, QStringLiteral("Orgnr"), i, QString(), hexNumbers(2));
        SystemID[i] = rowLabel(frm_sensor, QStringLiteral("SystemID"), i, QStringLiteral("Frei"), ids);
        SystemID[i]->setToolTip(QStringLiteral("Adresse des Sensors"));
        Loeschen[i] = pictureButton(frm_sensor, QStringLiteral("Loeschen_%1").arg(i));
        Loeschen[i]->setToolTip(QStringLiteral("SensorID Löschen"));
        Lernmodusbutton[i] = pictureButton(frm_sensor, QStringLiteral("Lernmodusbutton_%1").arg(i));
        Lernmodusbutton[i]->setToolTip(QStringLiteral("SensorID einlernen"));
        // The four information buttons share one spot; at most one shows.
        auto *infoSpot = new QWidget(frm_sensor);
        auto *spot = new QGridLayout(infoSpot);
        spot->setContentsMargins(0, 0, 0, 0);
        info[i] = pictureButton(infoSpot, QStringLiteral("info_%1").arg(i));
        info1[i] = pictureButton(infoSpot, QStringLiteral("info1_%1").arg(i));
        info2[i] = pictureButton(infoSpot, QStringLiteral("info2_%1").arg(i));
        info3[i] = pictureButton(infoSpot, QStringLiteral("info3_%1").arg(i));
        for (QToolButton *b : {info[i], info1[i], info2[i], info3[i]}) {
            b->setToolTip(QStringLiteral("Information über den Sensor"));
            spot->addWidget(b, 0, 0);
        }
        for (QToolButton *b : {Loeschen[i], Lernmodusbutton[i], info[i], info1[i], info2[i], info3[i]})
            b->setEnabled(false);
        table->addWidget(Kanal[i], row, col);
        table->addWidget(OrgByte[i], row, col + 1);
        table->addWidget(Orgnr[i], row, col + 2);
        table->addWidget(SystemID[i], row, col + 3);
        table->addWidget(Loeschen[i], row, col + 4);
        table->addWidget(Lernmodusbutton[i], row, col + 5);
        table->addWidget(infoSpot, row, col + 6);
    }
    table->setColumnMinimumWidth(7, 24);
    outer->addWidget(frm_sensor);

    auto *bottom = new QHBoxLayout;
    Einstellungenframesensoren = named(new QGroupBox(QStringLiteral("Einstellungen"), tab),
                                       QStringLiteral("Einstellungenframesensoren"));
    auto *buttons = new QHBoxLayout(Einstellungenframesensoren);
    Ladenbutton2 = pictureButton(Einstellungenframesensoren, QStringLiteral("Ladenbutton2"));
    Ladenbutton2->setToolTip(QStringLiteral("Adressvorlage öffnen"));
    speichern2 = pictureButton(Einstellungenframesensoren, QStringLiteral("speichern2"));
    speichern2->setToolTip(QStringLiteral("Adressvorlage speichern"));
    Drucken2 = pictureButton(Einstellungenframesensoren, QStringLiteral("Drucken2"));
    Drucken2->setToolTip(QStringLiteral("Adressvorlage ausdrucken"));
    Adressenubertragen = pictureButton(Einstellungenframesensoren, QStringLiteral("Adressenubertragen"), QStringLiteral("übertragen"));
    Adressenubertragen->setToolTip(QStringLiteral("Adressvorlage in Funkempfänger übertragen"));
    Auslesen = pictureButton(Einstellungenframesensoren, QStringLiteral("Auslesen"), QStringLiteral("Abbruch"));
    Auslesen->setToolTip(QStringLiteral("SensorIDs aus Funkempfänger auslesen"));
    Sensortimer = pictureButton(Einstellungenframesensoren, QStringLiteral("Sensortimer"), QStringLiteral("Überwachung "));
    Sensortimer->setToolTip(QStringLiteral("Überwachungstimer"));
    for (QToolButton *b : {Ladenbutton2, speichern2, Drucken2, Adressenubertragen, Auslesen, Sensortimer}) {
        b->setEnabled(false);
        buttons->addWidget(b);
    }
    bottom->addWidget(Einstellungenframesensoren);

    Gatewayframe = named(new QGroupBox(QStringLiteral("EnOcean"), tab), QStringLiteral("Gatewayframe"));
    auto *gw = new QHBoxLayout(Gatewayframe);
    chk_gateway_enocean = named(new QCheckBox(QStringLiteral("EnOcean Gateway"), Gatewayframe), QStringLiteral("chk_gateway_enocean"));
    chk_rssi = named(new QCheckBox(QStringLiteral("EnOcean RSSI"), Gatewayframe), QStringLiteral("chk_rssi"));
    chk_server = named(new QCheckBox(QStringLiteral("NVX-Server"), Gatewayframe), QStringLiteral("chk_server"));
    bt_set = named(new QPushButton(QStringLiteral("Set"), Gatewayframe), QStringLiteral("bt_set"));
    for (QWidget *w : std::initializer_list<QWidget *>{chk_gateway_enocean, chk_rssi, chk_server, bt_set})
        gw->addWidget(w);
    bottom->addWidget(Gatewayframe);
    Command1 = named(new QPushButton(QStringLiteral("Send"), tab), QStringLiteral("Command1"));
    bottom->addWidget(Command1, 0, Qt::AlignBottom);
    outer->addLayout(bottom);

    auto *last = new QHBoxLayout;
    txtletztesTelegramm1 = named(new QLabel(QStringLiteral("Empfangenes Telegramm:"), tab), QStringLiteral("txtletztesTelegramm1"));
    txtletztesTelegramm = named(new QLabel(tab), QStringLiteral("txtletztesTelegramm"));
    // Plain text without a text document behind it: the caption changes with
    // every telegram.
    txtletztesTelegramm->setTextFormat(Qt::PlainText);
    // Room for a telegram and more; fixed, so that the caption changing with
    // every telegram does not relayout the window.
    txtletztesTelegramm->setFixedSize(txtletztesTelegramm->fontMetrics().horizontalAdvance(QString(40, QLatin1Char('D'))),
                                      txtletztesTelegramm->fontMetrics().height() + 4);
    // Opaque, so a new caption repaints the label alone, not the tab beneath.
    txtletztesTelegramm->setAutoFillBackground(true);
    last->addWidget(txtletztesTelegramm1);
    last->addWidget(txtletztesTelegramm);
    last->addStretch(1);
    outer->addLayout(last);
}

void Config::buildLoggingTab(QWidget *tab)
{
    auto *outer = new QVBoxLayout(tab);
    frm_log = named(new QGroupBox(tab), QStringLiteral("frm_log"));
    auto *logGrid = new QGridLayout(frm_log);

    Einstellungenframe = named(new QGroupBox(QStringLiteral("Einstellungen"), frm_log), QStringLiteral("Einstellungenframe"));
    auto *settings = new QVBoxLayout(Einstellungenframe);
    Option1Intervall = named(new QRadioButton(QStringLiteral("Intervall           mit Graph"), Einstellungenframe),
                             QStringLiteral("Option1Intervall"));
    Optionallintervall = named(new QRadioButton(QStringLiteral("Intervall"), Einstellungenframe), QStringLiteral("Optionallintervall"));
    Option2Ereigniss = named(new QRadioButton(QStringLiteral("Ereignis"), Einstellungenframe), QStringLiteral("Option2Ereigniss"));
    const QString intervalTip = QStringLiteral("Loggen im Abstand von Monitorintervall der zuletzt empfangenen Werte");
    Option1Intervall->setToolTip(intervalTip);
    Optionallintervall->setToolTip(intervalTip);
    Option2Ereigniss->setToolTip(QStringLiteral("Bei Empfang eines neuen Telegramms loggen"));
    Option1Intervall->setChecked(true);
    for (QRadioButton *o : {Option1Intervall, Optionallintervall, Option2Ereigniss}) {
        o->setEnabled(false);
        settings->addWidget(o);
    }

    Frame3 = named(new QGroupBox(Einstellungenframe), QStringLiteral("Frame3"));
    auto *f3 = new QGridLayout(Frame3);
    txtTimer = named(new QLabel(QStringLiteral("Monitorintervall (s)"), Frame3), QStringLiteral("txtTimer"));
    txtTimerInterval = field(Frame3, QStringLiteral("txtTimerInterval"), 5, QStringLiteral("10"));
    UpDown1 = named(new UpDown(Frame3), QStringLiteral("UpDown1"));
    txtrowlabel = named(new QLabel(QStringLiteral("Anzahl der Spalten"), Frame3), QStringLiteral("txtrowlabel"));
    txtrowcountintervall = field(Frame3, QStringLiteral("txtrowcountintervall"), 3, QStringLiteral("20"));
    UpDown2 = named(new UpDown(Frame3), QStringLiteral("UpDown2"));
    Label1[0] = named(new QLabel(QStringLiteral("Diagramm max Wert"), Frame3), QStringLiteral("Label1"), 0);
    Label1[1] = named(new QLabel(QStringLiteral("Diagramm min Wert"), Frame3), QStringLiteral("Label1"), 1);
    maxdia = field(Frame3, QStringLiteral("maxdia"), 3, QStringLiteral("100"));
    mindia = field(Frame3, QStringLiteral("mindia"), 3, QStringLiteral("-20"));
    for (QWidget *w : std::initializer_list<QWidget *>{txtTimerInterval, UpDown1, txtrowcountintervall, UpDown2, maxdia, mindia})
        w->setEnabled(false);
    f3->addWidget(txtTimer, 0, 0);
    f3->addWidget(txtTimerInterval, 0, 1);
    f3->addWidget(UpDown1, 0, 2);
    f3->addWidget(txtrowlabel, 1, 0);
    f3->addWidget(txtrowcountintervall, 1, 1);
    f3->addWidget(UpDown2, 1, 2);
    f3->addWidget(Label1[0], 2, 0);
    f3->addWidget(maxdia, 2, 1);
    f3->addWidget(Label1[1], 3, 0);
    f3->addWidget(mindia, 3, 1);
    settings->addWidget(Frame3);

    Monitorintervallframe = named(new QGroupBox(Einstellungenframe), QStringLiteral("Monitorintervallframe"));
    auto *mi = new QHBoxLayout(Monitorintervallframe);
    Label6 = named(new QLabel(QStringLiteral("Monitorintervall (s)"), Monitorintervallframe), QStringLiteral("Label6"));
    txtTimerallInterval = field(Monitorintervallframe, QStringLiteral("txtTimerallInterval"), 5, QStringLiteral("10"));
    UpDown3 = named(new UpDown(Monitorintervallframe), QStringLiteral("UpDown3"));
    mi->addWidget(Label6);
    mi->addWidget(txtTimerallInterval);
    mi->addWidget(UpDown3);
    Monitorintervallframe->setVisible(false);
    settings->addWidget(Monitorintervallframe);
    logGrid->addWidget(Einstellungenframe, 0, 0, 2, 1);

    Frame2 = named(new QGroupBox(QStringLiteral("Graph"), frm_log), QStringLiteral("Frame2"));
    auto *series = new QGridLayout(Frame2);
    Skalierungframe = named(new QGroupBox(QStringLiteral("Skalierung"), frm_log), QStringLiteral("Skalierungframe"));
    auto *scaling = new QGridLayout(Skalierungframe);
    for (int k = 0; k < 5; ++k) {
        MonitorLabel1[k + 1] = named(new QLabel(QString::number(k + 1), Frame2), QStringLiteral("MonitorLabel1"), k + 1);
        Auswahl[k] = named(new QComboBox(Frame2), QStringLiteral("Auswahl"), k);
        DatenbyteAuswahl[k] = named(new QComboBox(Frame2), QStringLiteral("DatenbyteAuswahl"), k);
        Wert[k + 1] = field(Frame2, QStringLiteral("Wert%1").arg(k + 1), 5, QStringLiteral("Wert"));
        series->addWidget(MonitorLabel1[k + 1], k, 0);
        series->addWidget(Auswahl[k], k, 1);
        series->addWidget(DatenbyteAuswahl[k], k, 2);
        series->addWidget(Wert[k + 1], k, 3);
        Min[k + 1] = field(Skalierungframe, QStringLiteral("Min%1").arg(k + 1), 5, QStringLiteral("0"));
        Max[k + 1] = field(Skalierungframe, QStringLiteral("Max%1").arg(k + 1), 5, QStringLiteral("255"));
        Min[k + 1]->setEnabled(false);
        Max[k + 1]->setEnabled(false);
        scaling->addWidget(Min[k + 1], k, 0);
        scaling->addWidget(Max[k + 1], k, 1);
    }
    logGrid->addWidget(Frame2, 0, 1);
    logGrid->addWidget(Skalierungframe, 0, 2);

    Diagrammframe = named(new QGroupBox(QStringLiteral("Diagramm"), frm_log), QStringLiteral("Diagrammframe"));
    auto *chartLayout = new QVBoxLayout(Diagrammframe);
    MSChart1 = named(new QChartView(Diagrammframe), QStringLiteral("MSChart1"));
    MSChart1->setMinimumHeight(220);
    HScroll1 = named(new QScrollBar(Qt::Horizontal, Diagrammframe), QStringLiteral("HScroll1"));
    // As the original's scroll bar it takes the focus: its keys move the
    // view, and the rows field left behind is held to its limits before the
    // scroll handling reads it.
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    chartLayout->addWidget(MSChart1);
    chartLayout->addWidget(HScroll1);
    logGrid->addWidget(Diagrammframe, 1, 1, 1, 2);

    Frame1 = named(new QGroupBox(QStringLiteral("Scalling Data-Bytes"), frm_log), QStringLiteral("Frame1"));
    auto *f1 = new QGridLayout(Frame1);
    for (int d = 0; d < 4; ++d) {
        txt_min[d] = field(Frame1, QStringLiteral("txt_min_%1").arg(d), 5, QStringLiteral("0"));
        txt_max[d] = field(Frame1, QStringLiteral("txt_max_%1").arg(d), 5, QStringLiteral("255"));
        f1->addWidget(new QLabel(QStringLiteral("Scalling Data-Byte %1:").arg(d), Frame1), d, 0);
        f1->addWidget(txt_min[d], d, 1);
        f1->addWidget(txt_max[d], d, 2);
    }
    Frame1->setVisible(false);
    logGrid->addWidget(Frame1, 0, 3);

    Frame4 = named(new QGroupBox(QStringLiteral("Sensors"), frm_log), QStringLiteral("Frame4"));
    auto *f4 = new QGridLayout(Frame4);
    f4->setVerticalSpacing(1);
    for (int i = 0; i < ChannelCount; ++i) {
        const int col = i < 15 ? 0 : 6;
        const int row = i % 15;
        channel_log[i] = named(new QCheckBox(QString::number(i + 1), Frame4), QStringLiteral("channel_log"), i);
        channel_log[i]->setEnabled(false);
        txt_id[i] = field(Frame4, QStringLiteral("txt_id_%1").arg(i), 8, QStringLiteral("00000000"));
        txt_id[i]->setEnabled(false);
        txt_data_1[i] = field(Frame4, QStringLiteral("txt_data_1_%1").arg(i), 20);
        txt_data_2[i] = field(Frame4, QStringLiteral("txt_data_2_%1").arg(i), 20);
        txt_data_3[i] = field(Frame4, QStringLiteral("txt_data_3_%1").arg(i), 20);
        txt_data_4[i] = field(Frame4, QStringLiteral("txt_data_4_%1").arg(i), 20);
        f4->addWidget(channel_log[i], row, col);
        f4->addWidget(txt_id[i], row, col + 1);
        f4->addWidget(txt_data_1[i], row, col + 2);
        f4->addWidget(txt_data_2[i], row, col + 3);
        f4->addWidget(txt_data_3[i], row, col + 4);
        f4->addWidget(txt_data_4[i], row, col + 5);
    }
    channel_log[0]->setToolTip(QStringLiteral("Auswahl des Kanals zum Mitloggen"));
    Frame4->setVisible(false);
    logGrid->addWidget(Frame4, 2, 0, 1, 4);

    auto *logButtons = new QHBoxLayout;
    MonitorStart = pictureButton(frm_log, QStringLiteral("MonitorStart"), QStringLiteral("Start"));
    MonitorPause = pictureButton(frm_log, QStringLiteral("MonitorPause"), QStringLiteral("Pause"));
    Monitorstop = pictureButton(frm_log, QStringLiteral("Monitorstop"), QStringLiteral("Stop"));
    speichern3 = pictureButton(frm_log, QStringLiteral("speichern3"));
    Drucken3 = pictureButton(frm_log, QStringLiteral("Drucken3"));
    for (QToolButton *b : {MonitorStart, MonitorPause, Monitorstop, speichern3, Drucken3}) {
        b->setEnabled(false);
        logButtons->addWidget(b);
    }
    logButtons->addStretch();
    logGrid->addLayout(logButtons, 3, 0, 1, 4);
    // Collects the receive lines of the logging steps; never shown.
    txt_log_data = named(new QPlainTextEdit(frm_log), QStringLiteral("txt_log_data"));
    txt_log_data->setVisible(false);
    // Holds the chart picture on its way to the printer; never shown.
    Image1 = named(new QLabel(frm_log), QStringLiteral("Image1"));
    Image1->setVisible(false);
    outer->addWidget(frm_log);

    frm_gateway = named(new QGroupBox(tab), QStringLiteral("frm_gateway"));
    auto *gwLayout = new QVBoxLayout(frm_gateway);
    checkid = named(new QGroupBox(frm_gateway), QStringLiteral("checkid"));
    auto *ids = new QGridLayout(checkid);
    Check_sensorId = named(new QCheckBox(QStringLiteral("Check Sensor ID"), checkid), QStringLiteral("Check_sensorId"));
    ids->addWidget(Check_sensorId, 0, 0, 1, 5);
    for (int i = 0; i < 15; ++i) {
        txt_check_ID[i] = field(checkid, QStringLiteral("txt_check_ID_%1").arg(i), 8, QStringLiteral("00000000"));
        txt_check_ID[i]->setVisible(false);
        ids->addWidget(txt_check_ID[i], 1 + i / 5, i % 5);
    }
    gwLayout->addWidget(checkid);
    txt_Empfang = named(new QPlainTextEdit(frm_gateway), QStringLiteral("txt_Empfang"));
    txt_Empfang->setReadOnly(true);
    gwLayout->addWidget(txt_Empfang);
    auto *gwButtons = new QHBoxLayout;
    start3 = pictureButton(frm_gateway, QStringLiteral("start3"), QStringLiteral("Start"));
    pause3 = pictureButton(frm_gateway, QStringLiteral("pause3"), QStringLiteral("Pause"));
    stop3 = pictureButton(frm_gateway, QStringLiteral("stop3"), QStringLiteral("Stop"));
    // Recording is offered only once the receiver reports gateway mode.
    for (QToolButton *b : {start3, pause3, stop3}) {
        b->setEnabled(false);
        gwButtons->addWidget(b);
    }
    gwButtons->addStretch();
    gwLayout->addLayout(gwButtons);
    frm_gateway->setVisible(false);
    outer->addWidget(frm_gateway);
}

} // namespace nvx
