// Gateway mode: every radio telegram the receiver forwards is shown and,
// while the user records, added to the receive box, optionally only for the
// sensor IDs of the filter.

#include "link/protocol.h"
#include "link/telegram.h"
#include "logging/datalog.h"
#include "shell/config.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

namespace nvx {

void Config::GatewayTelegram()
{
    if (!chk_gateway_enocean->isChecked() || m_state.SenderIP != m_state.LoadedIP)
        return;
    const QString &reply = m_state.ReplyString;
    m_state.ReplyBytes = ParseReplyBytes(reply);
    if (reply.startsWith(QLatin1String("A55A")) && isBaseIdReply(m_state.ReplyBytes[0], m_state.ReplyBytes[1]))
        processBaseIdReply();
    setLastTelegram(m_state.ReceivedData);

    // Recording runs while the buttons stand as start3 leaves them (their own
    // state, whatever the window around them).
    const bool recording = !start3->isEnabledTo(frm_gateway) && pause3->isEnabledTo(frm_gateway)
        && stop3->isEnabledTo(frm_gateway);
    if (recording) {
        ReceiveBoxSpill(txt_Empfang);
        const QString line = receiveLogLine(m_state.ReceivedData.left(ReplyLength), m_state.logging.now());
        if (Check_sensorId->isChecked()) {
            // One line for each field that holds the sensor's ID.
            const QString id = chars(m_state.ReceivedData, 17, 24);
            for (const QLineEdit *field : txt_check_ID)
                if (field->text() == id)
                    appendToBox(txt_Empfang, line);
        } else {
            appendToBox(txt_Empfang, line);
        }
    }
    m_state.ReceivedData.clear();
}

} // namespace nvx
