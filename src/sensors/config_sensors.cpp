// The per-row buttons of the sensor table: learn-in, delete, and the
// control-timer button beside the table.

#include "sensors/abfrage.h"
#include "sensors/alarm.h"
#include "sensors/lernmodusfenster.h"
#include "sensors/supervision.h"
#include "shell/config.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace nvx {

void Config::connectSensorHandlers()
{
    for (int i = 0; i < ChannelCount; ++i) {
        connect(Lernmodusbutton[i], &QToolButton::clicked, this, [this, i] { Lernmodusbutton_Click(i); });
        connect(Loeschen[i], &QToolButton::clicked, this, [this, i] { Loeschen_Click(i); });
    }
    connect(Sensortimer, &QToolButton::clicked, this, &Config::Sensortimer_Click);
    connect(Ladenbutton2, &QToolButton::clicked, this, &Config::Ladenbutton2_Click);
    connect(speichern1, &QToolButton::clicked, this, &Config::speichern1_Click);
    connect(speichern2, &QToolButton::clicked, this, &Config::speichern2_Click);
    connectMonitorHandlers();
}

namespace {
// A window that closed itself goes once its own exec() has returned; a new
// one takes its place at the next use.
template <typename Window>
void discardIfUnloaded(QPointer<Window> &window)
{
    if (window && window->isUnloaded()) {
        window->deleteLater();
        window = nullptr;
    }
}
} // namespace

LernmodusFenster *Config::lernmodusFenster()
{
    discardIfUnloaded(m_lernmodus);
    if (!m_lernmodus)
        m_lernmodus = new LernmodusFenster(m_state, *this);
    return m_lernmodus;
}

Alarm *Config::alarm()
{
    discardIfUnloaded(m_alarm);
    if (!m_alarm)
        m_alarm = new Alarm(m_state, *this);
    return m_alarm;
}

void Config::showInfoButton(int ch, InfoButton shown, bool enabled)
{
    if (ch < 0 || ch >= ChannelCount)
        return;
    const std::array<QToolButton *, 4> buttons{info[ch], info1[ch], info2[ch], info3[ch]};
    for (int k = 0; k < 4; ++k) {
        const bool isShown = k == int(shown);
        buttons[k]->setVisible(isShown);
        buttons[k]->setEnabled(isShown && enabled);
    }
}

void Config::Lernmodusbutton_Click(int index)
{
    if (m_state.LoggingActive) {
        ShowErrorWindow(ErrorLoggingActive);
        return;
    }
    m_state.LearnDeleteChannel = index;
    m_state.CurrentChannel = index;
    LernmodusFenster *window = lernmodusFenster();
    if (!rowIsFree(index))
        window->txtSensorIDeingabe->setText(SystemID[index]->text());
    window->exec();
    discardIfUnloaded(m_lernmodus);
}

void Config::Loeschen_Click(int index)
{
    if (m_state.LoggingActive) {
        ShowErrorWindow(ErrorLoggingActive);
        return;
    }
    m_state.LearnDeleteChannel = index;
    m_state.CurrentChannel = index;
    Abfrage question(m_state, *this);
    question.exec();
}

void Config::Sensortimer_Click()
{
    // A window the supervision report loaded hidden is shown as it stands.
    alarm()->exec();
    discardIfUnloaded(m_alarm);
}

} // namespace nvx
