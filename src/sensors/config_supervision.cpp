// The receiver's supervision report: the supervision state, the row's
// information buttons, the control-timer window and the information window.

#include "logging/datalog.h"
#include "sensors/alarm.h"
#include "sensors/supervision.h"
#include "shell/config.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTime>
#include <QToolButton>

namespace nvx {

namespace {
// The long time as the logs and printouts write it, without the zone.
QString failureTimeNow() { return longTimeText(QTime::currentTime()); }
} // namespace

void Config::SupervisionStatusMessage()
{
    setLastTelegram(m_state.ReplyString);
    const SupervisionReport report = readSupervisionReport(m_state.ReplyString);
    const int ch = report.channel;
    const bool rowChannel = ch >= 0 && ch < ChannelCount;

    if (report.kind == SupervisionReport::On) {
        alarm()->Check1->setChecked(true);
        m_state.WatchActive = true;
        m_state.WatchMinutes = report.minutes;
        alarm()->txtmin->setText(QString::number(m_state.WatchMinutes));
        if (rowChannel) {
            if (report.failedAtTimes == 0) {
                m_state.ChannelFailedAtTimes[ch] = false;
            } else {
                m_state.ChannelFailedAtTimes[ch] = true;
                // Only a new failure (1) records its time; a later report
                // of the same failure (2 and more) keeps it.
                if (report.failedAtTimes == 1) {
                    m_state.ChannelFailureTime[ch] = failureTimeNow();
                    if (report.notSending == 0)
                        showInfoButton(ch, InfoButton::FailedAtTimes, true);
                }
            }
            if (report.notSending == 0) {
                m_state.ChannelFailed[ch] = false;
                if (report.failedAtTimes == 0)
                    showInfoButton(ch, InfoButton::Sending, true);
            } else if (report.notSending == 1) {
                m_state.ChannelFailed[ch] = true;
                showInfoButton(ch, InfoButton::NotSending, true);
            }
        }
        showSupervisionInMonitor(report);
        for (int i = 0; i < ChannelCount; ++i)
            info[i]->setVisible(false);
    } else if (report.kind == SupervisionReport::Off) {
        alarm()->Check1->setChecked(false);
        m_state.WatchActive = false;
        showSupervisionInMonitor(report);
        for (int i = 0; i < ChannelCount; ++i)
            showInfoButton(i, InfoButton::Plain, true);
    }
}

} // namespace nvx
