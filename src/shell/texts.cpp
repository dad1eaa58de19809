#include "shell/texts.h"

#include <array>

namespace nvx {

namespace {

struct TextRow {
    TextGroup group = TextGroup::None;
    const char16_t *german = u"";
    const char16_t *english = u"";
};

constexpr std::array<TextRow, 61> makeTable()
{
    std::array<TextRow, 61> t{};
    t[0] = {TextGroup::Main, u"Frei", u"Unused"};
    t[1] = {TextGroup::Main, u"Kanal", u"Channel"};
    t[3] = {TextGroup::Main, u"Sensorname", u"Sensor name"};
    t[5] = {TextGroup::Main, u"Kanal;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;21;22;23;24;25;26;27;28;29;30;", u"Chanel;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;21;22;23;24;25;26;27;28;29;30;"};
    t[6] = {TextGroup::Main, u"Bezeichnung;", u"Description;"};
    t[7] = {TextGroup::Main, u"Adresse;", u"Address;"};
    t[8] = {TextGroup::Main, u"ORG-Nummer;", u"ORG-Number;"};
    t[9] = {TextGroup::Main, u"Die Konfiguration und Auswertung der Sensoren ist nur möglich, wenn Lokal IP und Server IP gleich sind!", u"The configuration and analysis of the sensors is only possible, if Local IP and Server IP is equal!"};
    t[10] = {TextGroup::Main, u"Zeit;", u"Time;"};
    t[11] = {TextGroup::Main, u";Skalierter;", u";scaled;"};
    t[12] = {TextGroup::Main, u";Wert;", u";value;"};
    t[13] = {TextGroup::Status, u"Funkempfänger wird aktualisiert ...", u"Updating receiver ..."};
    t[14] = {TextGroup::Status, u"Lerntaste drücken ...", u"Push learn-button ..."};
    t[15] = {TextGroup::Status, u"Warten ...", u"Waiting ..."};
    t[16] = {TextGroup::Status, u"Kein Funkempfänger gefunden!", u"No radio receiver found!"};
    t[17] = {TextGroup::Status, u"Suche abgeschlossen!", u"Search completed!"};
    t[18] = {TextGroup::Status, u"Aktualisierung fehlgeschlagen!", u"Error during updating!"};
    t[19] = {TextGroup::Status, u"Funkempfänger aktualisiert!", u"Radio receiver update successful!"};
    t[20] = {TextGroup::Status, u"Sensor ID eingelernt!", u"Sensor ID learned!"};
    t[21] = {TextGroup::Main, u"Taster", u"Rocker switch"};
    t[22] = {TextGroup::Status, u"Funkempfänger suchen ... ", u"Searching receiver..."};
    t[23] = {TextGroup::Main, u"kein Kanal", u"no channel"};
    t[24] = {TextGroup::Common, u"Lernmodus", u"Learning mode"};
    t[25] = {TextGroup::Common, u"Adressdateien (*.Adr)|*.adr", u"Address data file (*.Adr)|*.adr"};
    t[26] = {TextGroup::Common, u"Datei öffnen", u"Open data file!"};
    t[27] = {TextGroup::Common, u"Datei speichern unter", u"Save data file!"};
    t[28] = {TextGroup::Common, u"Falsche Portzuweisung!", u"Invalid Port!"};
    t[29] = {TextGroup::Common, u"Falsche Server IP Adresse!", u"Invalid Server IP Address!"};
    t[30] = {TextGroup::Common, u"Falsche Gateway IP Adresse!", u"Invalid Gateway IP Address!"};
    t[31] = {TextGroup::Common, u"Falsche Subnet IP Adresse!", u"Invalid Subnet Mask!"};
    t[32] = {TextGroup::Common, u"Falsche IP Adresse!", u"Invalid IP Address!"};
    t[33] = {TextGroup::Common, u"Aktualisierung Fehlgeschlagen! Bitte wiederholen!", u"Actualization missed! Please, retry!"};
    t[34] = {TextGroup::Common, u"Falsche Datei geladen!", u"Invalid data file loaded!"};
    t[35] = {TextGroup::Common, u"Format z.B.: 10.0.20.4", u"Format e.g.: 10.0.20.4"};
    t[36] = {TextGroup::Error, u"Falsche Sensor ID eingegeben!", u"Invalid Sensor ID typed!"};
    t[37] = {TextGroup::Common, u"Falscher Parameter Wert.", u"Invalid parameter value."};
    t[38] = {TextGroup::Common, u"Logdateien (*.Log)|*.log", u"Log-data file (*.Log)|*.log"};
    t[39] = {TextGroup::Common, u"Logfile erstellt mit nvx_ethernet.exe am: ", u"Logfile built with nvx_ethernet.exe at: "};
    t[40] = {TextGroup::Common, u"Als Trennzeichen ; verwenden!", u"Use ; as seperator!"};
    t[41] = {TextGroup::Status, u"Funkempfänger Daten werden ausgelesen...", u"Reading data of the radio receiver..."};
    t[42] = {TextGroup::Error, u"Sensor ist bereits eingelernt!", u"Sensor is already learned in!"};
    t[43] = {TextGroup::Error, u"Format z.B.: 000FA850", u"Format e.g.: 000FA850"};
    t[44] = {TextGroup::Common, u"Falsche NVX IP Adresse!", u"Invalid NVX IP Address!"};
    t[45] = {TextGroup::Common, u"Format z.B.: 255.255.0.0", u"Format e.g.: 255.255.0.0"};
    t[46] = {TextGroup::Common, u"UDP: Port NVX        Port Server", u"UDP: Port NVX        Port Server"};
    t[47] = {TextGroup::Common, u"TCP: Port NVX        Port Server", u"TCP: Port NVX        Port Server"};
    t[48] = {TextGroup::Status, u"Sensoradressen werden zum Funkempfänger übertragen!", u"Sensor addresses copying to radio receiver!"};
    t[49] = {TextGroup::Common, u"Während des Loggens ist eine Änderung nicht möglich! Stoppen Sie vorher das Loggen!", u"During logging changes are not possible! Stop the logging for changes!"};
    t[50] = {TextGroup::Common, u"Erfolgreich ausgelesen!", u"Successful reading!"};
    t[51] = {TextGroup::Common, u"Fehler beim auslesen! Bitte erneut auf Funkempfänger klicken!", u"Error during reading! Please click on the receiver again!"};
    t[52] = {TextGroup::Main, u"Datenbyte 0;", u"Data byte 0;"};
    t[53] = {TextGroup::Main, u"Datenbyte 1;", u"Data byte 1;"};
    t[54] = {TextGroup::Main, u"Datenbyte 2;", u"Data byte 2;"};
    t[55] = {TextGroup::Main, u"Datenbyte 3;", u"Data byte 3;"};
    t[56] = {TextGroup::Main, u"Zeitfehlertelegramm", u"Timr error telegram"};
    t[57] = {TextGroup::Main, u"Wollen Sie NVX-Ethernet beenden ohne das Logging zu speichern?", u"Do you want to close NVX-Ethernet without saving the logging?"};
    t[58] = {TextGroup::Main, u"NVX-Ethernet", u"NVX-Ethernet"};
    return t;
}

constexpr std::array<TextRow, 61> Table = makeTable();

} // namespace

TextGroup textGroup(int index)
{
    return index >= 0 && index < 61 ? Table[static_cast<std::size_t>(index)].group : TextGroup::None;
}

QString textFor(int index, bool english)
{
    if (textGroup(index) == TextGroup::None)
        return {};
    const TextRow &row = Table[static_cast<std::size_t>(index)];
    return QString::fromUtf16(english ? row.english : row.german);
}

namespace {

// One row of a window's English table. `object` may hold "%1" for the index
// of a control array, which then runs from `first` to `last`; for a tab,
// `first` is the tab.
struct CaptionRow {
    int formCode;
    CaptionKind kind;
    const char16_t *object;
    const char16_t *english;
    int first = -1;
    int last = -1;
};

constexpr CaptionKind C = CaptionKind::Caption;
constexpr CaptionKind T = CaptionKind::ToolTip;
constexpr CaptionKind Tab = CaptionKind::Tab;
constexpr CaptionKind W = CaptionKind::WindowTitle;

constexpr CaptionRow CaptionTable[] = {
    // Abfrage (0): the delete question
    {0, W, u"", u"Request"},
    {0, C, u"Label1", u"Do you want to delete the Sensor ID?"},
    {0, C, u"Ja", u"Yes"},
    {0, C, u"Nein", u"No"},

    // Alarm (1): the control timer
    {1, W, u"", u"control timer"},
    {1, C, u"Ueberwachungstimerframe", u"Control timer"},
    {1, C, u"Abbruch1", u"Cancel"},
    {1, C, u"Abbruch", u"Set"},
    {1, C, u"Check1", u"activate"},
    {1, C, u"txtminLabel", u"min"},
    {1, C, u"txtMinute_0", u"Control time of the sensors:"},
    {1, C, u"txtMinute_1", u"(time to send an error telegram)"},

    // Config (2): the main window
    {2, Tab, u"SSTab1", u"Adjustments", 0},
    {2, Tab, u"SSTab1", u"Sensors", 1},
    {2, Tab, u"SSTab1", u"Logging of data", 2},
    {2, C, u"MenueMain_2", u"About"},
    {2, C, u"MenuHilfe", u"Help"},
    {2, C, u"Empfaengerframe", u"Board list"},
    {2, C, u"Netzwerkframe", u"Network adjustments"},
    {2, C, u"Beschreibungframe", u"Description"},
    {2, C, u"Einstellungenframesensoren", u"Adjustments"},
    {2, C, u"Einstellungenframe", u"Adjustments"},
    {2, C, u"Skalierungframe", u"Scaling"},
    {2, C, u"modusframe", u"Mode"},
    {2, C, u"protokollframe", u"Protocol"},
    {2, C, u"Search", u"Search NVX"},
    {2, C, u"Setting", u"Set NVX"},
    {2, C, u"chkDirect", u"Direct IP search"},
    {2, C, u"chkDHCP", u"Enable DHCP Mode"},
    {2, C, u"chkTCPIP", u"TCP-protocol"},
    {2, C, u"chkUDPMode", u"UDP-protocol"},
    {2, C, u"txtlokal1", u"Local IP"},
    {2, C, u"txtletztesTelegramm1", u"Last telegram:"},
    {2, C, u"Beschriftung_0", u"Channel"},
    {2, C, u"Beschriftung_1", u"Channel"},
    {2, C, u"Beschriftung_2", u"Type"},
    {2, C, u"Adressenubertragen", u"transfer"},
    {2, C, u"Auslesen", u"Cancel"},
    {2, C, u"Sensortimer", u"Control"},
    {2, C, u"Option1Intervall", u"Interval with graph"},
    {2, C, u"Optionallintervall", u"Interval"},
    {2, C, u"Option2Ereigniss", u"Event"},
    {2, C, u"txtTimer", u"Monitor interval"},
    {2, C, u"Label6", u"Monitor interval"},
    {2, C, u"txtrowlabel", u"Number of rows"},
    {2, C, u"Label1_0", u"Diagram max value"},
    {2, C, u"Label1_1", u"Diagram min value"},
    {2, C, u"Wert%1", u"Value", 1, 5},
    {2, C, u"SystemID_%1", u"Unused", 0, 29},
    {2, T, u"Option1Intervall", u"Log at gaps of the monitor interval of the values received last"},
    {2, T, u"Optionallintervall", u"Log at gaps of the monitor interval of the values received last"},
    {2, T, u"Option2Ereigniss", u"Log when having received a new telegram"},
    {2, T, u"channel_log_%1", u"Selection of the channel for logging", 0, 29},
    {2, T, u"Ladenbutton2", u"Load adress default"},
    {2, T, u"speichern2", u"Save adress default"},
    {2, T, u"Drucken2", u"Print adress default"},
    {2, T, u"Adressenubertragen", u"Transmit adress default"},
    {2, T, u"Auslesen", u"Read SensorIDs"},
    {2, T, u"Sensortimer", u"Control timer"},
    {2, T, u"Loeschen_%1", u"Delete SensorID", 0, 29},
    {2, T, u"Lernmodusbutton_%1", u"Lern-in SensorID", 0, 29},
    {2, T, u"info_%1", u"Informations", 0, 29},
    {2, T, u"info1_%1", u"Informations", 0, 29},
    {2, T, u"info2_%1", u"Informations", 0, 29},
    {2, T, u"info3_%1", u"Informations", 0, 29},

    // fAbout (3): the about box
    {3, C, u"lblVersion", u"Lorvantis: Configuration software for NVX-Ethernet Version 3.11"},
    {3, C, u"lbl_Software_Hinweis",
     u"Lorvantis Sensortechnik GmbH does not take over any liability for damages occurred by the operation of the software."},

    // frmState (4): the status window
    {4, W, u"", u"State"},
    {4, C, u"Abbruch", u"Cancel"},
    {4, C, u"cmdOK", u"Close"},

    // LernmodusFenster (5): the learn-in window
    {5, W, u"", u"Learning mode"},
    {5, C, u"Sensortypeframe", u"Sensor type"},
    {5, C, u"Einlernprozedurframe", u"Learning mode"},
    {5, C, u"Manuell_0", u"Learning sensor ID by learn-in button"},
    {5, C, u"Manuell_1", u"Manual learn-in of sensor ID"},
    {5, C, u"ManuellIDOption_0", u"Rocker switch (ORG-Byte 05)"},
    {5, C, u"Uebertragen", u"Transmit"},
    {5, C, u"Abbrechen", u"Cancel"},

    // Monitor (6): the sensor information window
    {6, C, u"Frame1_0", u"Rocker switch description"},
    {6, C, u"Frame1_1", u"Sensor description"},
    {6, C, u"Frame2_%1", u"State", 0, 1},
    {6, C, u"Frame3", u"Data"},
    {6, C, u"Label1_0", u"Sensor is working"},
    {6, C, u"Label1_1", u"Sensor stop working"},
    {6, C, u"Label1_2", u"Control timer is not activated!"},
    {6, C, u"Label2_1", u"Failed from time to time"},
    {6, C, u"TasteMonitor_0", u"Button 1"},
    {6, C, u"TasteMonitor_1", u"Button 2"},
    {6, C, u"TasteMonitor_2", u"Button 3"},
    {6, C, u"TasteMonitor_3", u"Button 4"},
    {6, C, u"txtDataByteMonitor_0", u"Data byte 0"},
    {6, C, u"txtDataByteMonitor_1", u"Data byte 1"},
    {6, C, u"txtDataByteMonitor_2", u"Data byte 2"},
    {6, C, u"txtDataByteMonitor_3", u"Data byte 3"},
    {6, C, u"Resettimer", u"Reset"},

    // frmFehler (7): the error window
    {7, W, u"", u"Error"},
    {7, C, u"frmFehlerButton", u"Close"},
};

} // namespace

QList<WindowCaption> englishCaptions(int formCode)
{
    QList<WindowCaption> captions;
    for (const CaptionRow &row : CaptionTable) {
        if (row.formCode != formCode)
            continue;
        const QString object = QString::fromUtf16(row.object);
        const QString text = QString::fromUtf16(row.english);
        if (row.kind == CaptionKind::Tab || !object.contains(QLatin1String("%1"))) {
            captions.append({object, row.kind, row.first, text});
            continue;
        }
        for (int i = row.first; i <= row.last; ++i)
            captions.append({object.arg(i), row.kind, i, text});
    }
    return captions;
}

QString dataByteEntry(int i, bool english)
{
    return (english ? QStringLiteral("Data byte %1") : QStringLiteral("Daten Byte %1")).arg(i);
}

QString portInUseText(int port, bool english)
{
    return english ? QStringLiteral("UDP port %1 is in use by another program or by a second copy of NVX-Ethernet. "
                                    "Receivers cannot be searched until it is free.")
                         .arg(port)
                   : QStringLiteral("Der UDP-Port %1 wird von einem anderen Programm oder einem zweiten "
                                    "NVX-Ethernet belegt. Funkempfänger können erst gesucht werden, wenn er frei ist.")
                         .arg(port);
}

QString fileWithReason(const QString &path, const QString &reason)
{
    return reason.isEmpty() ? path : path + QStringLiteral(" (") + reason + QLatin1Char(')');
}

QString logNotWrittenText(const QStringList &files, bool english)
{
    const QString list = files.join(QLatin1Char('\n'));
    if (english)
        return (files.size() == 1 ? QStringLiteral("This file cannot be written:") : QStringLiteral("These files cannot be written:"))
            + QLatin1Char('\n') + list
            + QStringLiteral("\n\nLogging goes on. What cannot be written is lost; writing resumes as soon as it works "
                             "again.");
    return (files.size() == 1 ? QStringLiteral("In diese Datei kann nicht geschrieben werden:")
                              : QStringLiteral("In diese Dateien kann nicht geschrieben werden:"))
        + QLatin1Char('\n') + list
        + QStringLiteral("\n\nDas Loggen läuft weiter. Was nicht geschrieben werden kann, geht verloren; sobald das "
                         "Schreiben wieder gelingt, wird weitergeschrieben.");
}

QString fileNotSavedText(const QString &file, bool english)
{
    if (english)
        return QStringLiteral("This file cannot be written:\n") + file
            + QStringLiteral("\n\nA file of that name that was there before is left as it was.");
    return QStringLiteral("In diese Datei kann nicht geschrieben werden:\n") + file
        + QStringLiteral("\n\nEine Datei dieses Namens, die schon da war, bleibt unverändert.");
}

} // namespace nvx
