// The sensor information window: opened from the information buttons of a
// row, and kept up to date by the telegram processor while it is open.

#include "sensors/monitor.h"
#include "sensors/supervision.h"
#include "shell/config.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace nvx {

void Config::connectMonitorHandlers()
{
    for (int i = 0; i < ChannelCount; ++i) {
        for (QToolButton *b : {info[i], info1[i], info2[i], info3[i]})
            connect(b, &QToolButton::clicked, this, [this, i] { info_Click(i); });
    }
}

void Config::info_Click(int index)
{
    m_state.MonitorChannel = index;
    m_state.CurrentChannel = index;
    ShowSensorInfo();
}

void Config::ShowSensorInfo()
{
    const int ch = m_state.MonitorChannel;
    if (ch < 0 || ch >= ChannelCount)
        return;
    Monitor window(m_state, *this);
    m_monitor = &window;
    const QString kind = OrgByte[ch]->text();
    const bool rocker = kind == m_state.Texts[21];
    const bool sensor = kind == QLatin1String("1 Byte Sensor") || kind == QLatin1String("4 Byte Sensor");
    if (rocker || sensor) {
        // One description frame, four data rows; a rocker's with its keys.
        window.txtSensorInfoMonitor[rocker ? 0 : 1]->setText(m_state.ChannelDescriptions[ch]);
        for (int k = 0; k < 4; ++k) {
            window.txtDataByteMonitor[k]->setVisible(true);
            window.DatenByte[k]->setVisible(true);
            window.TasteMonitor[k]->setVisible(rocker);
        }
        window.Frame1[0]->setVisible(rocker);
        window.Frame1[1]->setVisible(!rocker);
        window.Frame2[0]->setVisible(true);
        window.Frame2[1]->setVisible(false);
    }
    if (rocker) {
        // A rocker switch is not supervised: its status frame stays empty.
        for (QWidget *w : std::initializer_list<QWidget *>{window.Label2[0], window.Label2[1], window.Label1[2],
                                                           window.Label1[1], window.Picture1[1], window.Label1[0],
                                                           window.Picture1[0]})
            w->setVisible(false);
    } else if (sensor) {
        window.showDataBytes(ch);
        if (m_state.WatchActive) {
            const bool silent = m_state.ChannelFailed[ch];
            window.Picture1[0]->setVisible(!silent);
            window.Label1[0]->setVisible(!silent);
            window.Label1[1]->setVisible(silent);
            window.Picture1[1]->setVisible(silent);
            window.Label1[2]->setVisible(false);
            const bool atTimes = m_state.ChannelFailedAtTimes[ch];
            if (atTimes)
                window.Label2[0]->setText(m_state.ChannelFailureTime[ch]);
            for (QWidget *w : std::initializer_list<QWidget *>{window.Label2[0], window.Label2[1], window.Resettimer})
                w->setVisible(atTimes);
        }
    }
    window.exec();
    m_monitor = nullptr;
}

void Config::showChannelTelegramInMonitor(int ch, bool rocker, int rockerButton)
{
    Monitor *window = m_monitor;
    if (!window)
        return;
    if (rocker) {
        window->selectRockerButton(rockerButton);
        window->showDataBytes(ch);
        return;
    }
    window->showDataBytes(ch);
    if (m_state.WatchActive) {
        window->Picture1[0]->setVisible(true);
        window->Label1[0]->setVisible(true);
        window->Label1[1]->setVisible(false);
        window->Picture1[1]->setVisible(false);
    }
}

void Config::showSupervisionInMonitor(const SupervisionReport &report)
{
    Monitor *window = m_monitor;
    if (!window)
        return;
    if (report.kind == SupervisionReport::Off) {
        for (QWidget *w : std::initializer_list<QWidget *>{window->Label2[0], window->Label2[1], window->Picture1[0],
                                                           window->Picture1[1], window->Label1[0], window->Label1[1]})
            w->setVisible(false);
        window->Label1[2]->setVisible(true);
        return;
    }
    if (report.kind != SupervisionReport::On)
        return;
    window->Label1[2]->setVisible(false);
    const int ch = report.channel;
    if (ch != m_state.MonitorChannel || ch < 0 || ch >= ChannelCount)
        return;
    if (report.notSending == 0 || report.notSending == 1) {
        const bool silent = report.notSending == 1;
        window->Label1[1]->setVisible(silent);
        window->Label1[0]->setVisible(!silent);
        window->Picture1[0]->setVisible(!silent);
        window->Picture1[1]->setVisible(silent);
    }
    if (report.failedAtTimes == 0) {
        for (QWidget *w : std::initializer_list<QWidget *>{window->Label2[0], window->Label2[1], window->Resettimer})
            w->setVisible(false);
    } else {
        // The time was taken with the report's marks; a later report of the
        // same failure keeps the time shown.
        if (report.failedAtTimes == 1)
            window->Label2[0]->setText(m_state.ChannelFailureTime[ch]);
        for (QWidget *w : std::initializer_list<QWidget *>{window->Label2[0], window->Label2[1], window->Resettimer})
            w->setVisible(true);
    }
}

} // namespace nvx
