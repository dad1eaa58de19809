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

} // namespace nvx
