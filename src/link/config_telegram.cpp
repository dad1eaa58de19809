// Processing of every received telegram, and the link-state enabling of the
// main window's controls.

#include "shell/config.h"
#include "link/protocol.h"
#include "link/telegram.h"
#include "shell/frmstate.h"
#include "shell/updown.h"
#include "shell/vbcolours.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace nvx {

namespace {

bool validChannel(int ch) { return ch >= 0 && ch < ChannelCount; }

constexpr int NoChannel = 0xFF;

} // namespace

// The data-arrival handlers have put the telegram into ReplyString, the
// received text into ReceivedData and the sender into SenderIP.
//
// Two kinds of telegram wait in a modal window: the status reply (the status
// window while the table is read) and a learn telegram of a sensor that is
// already learned (the error window). Telegrams that arrive meanwhile are
// processed at once, on the same shared state; so every step that reads the
// telegram runs before such a window opens, and each telegram is complete
// before the next one starts.
void Config::ProcessTelegram()
{
    ++m_telegramsProcessed;
    if (m_state.TableLoadedFromFile)
        return;
    const QString &reply = m_state.ReplyString;
    if (isStatusReply(reply)) {
        // The receiver answers the status request in either mode and from
        // whatever address the module uses.
        processStatusReply();
        return;
    }
    if (m_state.GatewayMode) {
        GatewayTelegram();
        return;
    }
    if (m_state.SenderIP != m_state.LoadedIP)
        return;
    m_state.ReplyBytes = ParseReplyBytes(reply);
    bool duplicate = false;
    int filledRow = -1;
    if (!replyPairsAreHex(reply)) {
        // A pair that is no byte would give channels, data bytes and marks
        // that the receiver never sent: the telegram counts as one for no
        // channel.
        m_state.ReplyBytes.fill(0);
        m_state.ReplyBytes[11] = NoChannel;
    } else if (isSupervisionMessage(reply)) {
        SupervisionStatusMessage();
    } else if (isBaseIdReply(m_state.ReplyBytes[0], m_state.ReplyBytes[1])) {
        processBaseIdReply();
    } else {
        duplicate = processChannelTelegram(filledRow);
    }
    processFinalSteps(filledRow);

    // The error stays on screen once until it is acknowledged; further
    // learn telegrams of the same kind only set the code meanwhile.
    if (duplicate && !m_state.DuplicateErrorShown) {
        m_state.DuplicateErrorShown = true;
        ShowErrorWindow(ErrorSensorAlreadyLearned);
    }
}

void Config::processStatusReply()
{
    const QString &reply = m_state.ReplyString;
    // The table request fallback is no longer needed once the receiver has
    // answered; stopped first, so that it cannot fire while the table is
    // being read and ask for the table a second time.
    Timer1->stop();

    chk_rssi->setChecked(charAt(reply, 10) != u'1');
    chk_server->setChecked(charAt(reply, 12) == u'1');
    const QChar mode = charAt(reply, 8);
    if (mode == u'1') {
        chk_gateway_enocean->setChecked(true);
        frm_log->setVisible(false);
        m_state.GatewayMode = true;
        frm_sensor->setVisible(false);
        frm_gateway->setVisible(true);
        start3->setEnabled(true);
        pause3->setEnabled(false);
        stop3->setEnabled(false);
    } else if (mode == u'0') {
        chk_gateway_enocean->setChecked(false);
        frm_log->setVisible(true);
        m_state.GatewayMode = false;
        frm_sensor->setVisible(true);
        m_state.CommandString = toCommandString(cmd::readTableRequest());
        senden();
        m_state.StatusCode = StatusReadTable;
        // While the status window already waits (the read-back at the end of
        // a table write), ShowMsgWindow restarts the wait in that window.
        ShowMsgWindow();
        // A status reply that came during the wait may have switched the
        // receiver to gateway mode; its frame then stays.
        if (!m_state.GatewayMode)
            frm_gateway->setVisible(false);
    }
}

void Config::processBaseIdReply()
{
    if (!replyPairsAreHex(m_state.ReplyString))
        return;
    m_state.BaseIDText = chars(m_state.ReplyString, 9, 16);
    showBaseIdInSendWindow();
    m_state.BaseID3 = m_state.BaseIDText.mid(0, 2);
    m_state.BaseID2 = m_state.BaseIDText.mid(2, 2);
    m_state.BaseID1 = m_state.BaseIDText.mid(4, 2);
    m_state.BaseID0 = m_state.BaseIDText.mid(6, 2);
}

bool Config::processChannelTelegram(int &filledRow)
{
    const QString &reply = m_state.ReplyString;
    const auto &bytes = m_state.ReplyBytes;
    const int ch = bytes[11];
    if (!validChannel(ch))
        return false;

    // A learn-in by the sensor's button ends with the telegram of its channel.
    if (m_state.StatusCode == StatusLearnIn && ch == m_state.LearnDeleteChannel) {
        if (frmState *window = statusWindow()) {
            window->Timer1SW->stop();
            window->Timer2SW->stop();
            window->CloseWindow();
        }
        m_state.StatusCode = StatusIdle;
    }

    // A sensor may stand in the table only once; its own row counts too, with
    // the captions as they are before this telegram fills the row.
    bool duplicate = false;
    if (isLearnTelegram(bytes[5])) {
        const QString key = sensorKey(reply);
        for (int i = 0; i < ChannelCount && !duplicate; ++i) {
            if (Orgnr[i]->text() + SystemID[i]->text() == key)
                duplicate = true;
        }
        if (duplicate)
            m_state.ErrorCode = ErrorSensorAlreadyLearned;
    }

    m_state.TelegramChannel = ch;
    m_state.ChannelDB3[ch] = bytes[2];
    m_state.ChannelDB2[ch] = bytes[3];
    m_state.ChannelDB1[ch] = bytes[4];
    m_state.ChannelDB0[ch] = bytes[5];

    setLastTelegram(m_state.ReceivedData);

    const QString org = chars(reply, 7, 8);
    const QString kind = orgKindCaption(org, m_state.Texts[21]);
    if (!kind.isNull()) {
        OrgByte[ch]->setText(kind);
        Orgnr[ch]->setText(org);
    }

    m_state.ChannelFailed[ch] = false;
    if (m_state.WatchActive) {
        const bool failedAtTimes = m_state.ChannelFailedAtTimes[ch];
        info[ch]->setVisible(false);
        info1[ch]->setVisible(!failedAtTimes);
        info2[ch]->setVisible(failedAtTimes);
        info3[ch]->setVisible(false);
        (failedAtTimes ? info2[ch] : info1[ch])->setEnabled(true);
    }

    const QString id = chars(reply, 17, 24);
    SystemID[ch]->setText(id);
    filledRow = ch;
    if (txt_id[ch]->text() != id)
        txt_id[ch]->setText(id);

    if (m_state.MonitorChannel == ch) {
        const bool rocker = bytes[1] == 0x05;
        showChannelTelegramInMonitor(ch, rocker, rocker ? rockerButtonFor(m_state.ChannelDB3[ch]) : -2);
    }
    return duplicate;
}

void Config::processFinalSteps(int filledRow)
{
    const int ch = m_state.ReplyBytes[11];
    if (validChannel(ch)) {
        // "FFFFFFFF" is the receiver's mark of a free channel; the row then
        // reads as free in all its captions.
        if (SystemID[ch]->text() == QLatin1String("FFFFFFFF")) {
            SystemID[ch]->setText(m_state.Texts[0]);
            OrgByte[ch]->setText(QStringLiteral("  "));
            Orgnr[ch]->setText(QStringLiteral("  "));
            setRowBackColour(ch, ColourWhite);
        } else if (!rowIsFree(ch)) {
            setRowBackColour(ch, SysColourButtonFace);
        }
    }

    // The link-state enabling ran when the telegram was shown, before its
    // row was filled; the row takes the buttons of what it holds now.
    if (validChannel(filledRow) && txtletztesTelegramm->text() != QLatin1String("  "))
        deliveringRowButtons(filledRow);

    // The row of the last learn or delete button; a row still waiting for its
    // learn-in counts as free here.
    if (validChannel(m_state.LearnDeleteChannel))
        RowButtonRule(m_state.LearnDeleteChannel, true);

    for (int i = 0; i < ChannelCount; ++i) {
        if (rowIsFree(i))
            showPlainInfoButton(i);
    }

    if (Option2Ereigniss->isChecked() && m_state.LoggingActive)
        RecordMonitorSample();
}

void Config::setLastTelegram(const QString &text)
{
    if (txtletztesTelegramm->text() == text)
        return;
    txtletztesTelegramm->setText(text);
    txtletztesTelegramm_Change();
}

// The caption of txtletztesTelegramm is the link state: exactly two blanks
// while no receiver delivers telegrams, the last telegram otherwise.
void Config::txtletztesTelegramm_Change()
{
    const bool delivering = txtletztesTelegramm->text() != QLatin1String("  ");

    if (!delivering) {
        for (QWidget *w : std::initializer_list<QWidget *>{
                 speichern1, Druckbutton, Ladenbutton2, speichern2, Drucken2, Adressenubertragen, Auslesen, speichern3,
                 Drucken3, UpDown1, UpDown2, UpDown3, txtTimerInterval, txtTimerallInterval, txtrowcountintervall,
                 maxdia, mindia, Monitorintervallframe, Sensortimer, Option2Ereigniss, Option1Intervall,
                 Optionallintervall, MonitorStart})
            w->setEnabled(false);
        for (QCheckBox *c : channel_log)
            c->setEnabled(false);
        for (QComboBox *c : Auswahl)
            c->setEnabled(false);
        for (int i = 0; i < ChannelCount; ++i) {
            Lernmodusbutton[i]->setEnabled(false);
            Loeschen[i]->setEnabled(false);
            showPlainInfoButton(i);
        }
        return;
    }

    for (QWidget *w : std::initializer_list<QWidget *>{speichern1, Druckbutton, Ladenbutton2, speichern2, Drucken2,
                                                       Sensortimer})
        w->setEnabled(true);
    Auslesen->setEnabled(false);

    // While logging runs its settings stay frozen.
    if (!m_state.LoggingActive) {
        for (QWidget *w : std::initializer_list<QWidget *>{UpDown2, txtrowcountintervall, maxdia, mindia, Drucken3,
                                                           Optionallintervall, Option2Ereigniss, Option1Intervall,
                                                           Monitorintervallframe})
            w->setEnabled(true);
        if (Option1Intervall->isChecked()) {
            txtTimerInterval->setEnabled(true);
            UpDown1->setEnabled(true);
            for (QComboBox *c : Auswahl)
                c->setEnabled(true);
        }
        Auswahl[0]->setEnabled(true);
    }

    for (int i = 0; i < ChannelCount; ++i)
        deliveringRowButtons(i);
}

void Config::deliveringRowButtons(int ch)
{
    if (rowIsFree(ch)) {
        Lernmodusbutton[ch]->setEnabled(true);
        showPlainInfoButton(ch);
        Loeschen[ch]->setEnabled(false);
    } else {
        Lernmodusbutton[ch]->setEnabled(false);
        Loeschen[ch]->setEnabled(true);
    }
}

} // namespace nvx
