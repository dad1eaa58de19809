#include "sim_burst.h"
#include "simulator.h"

namespace nvxsim {

TelegramBurst::TelegramBurst(SimModule *module, QObject *parent) : QObject(parent), m_module(module), m_timer(this)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(1);
    connect(&m_timer, &QTimer::timeout, this, &TelegramBurst::tick);
}

void TelegramBurst::start(const QList<QByteArray> &telegrams, int perSecond)
{
    m_telegrams = telegrams;
    m_perSecond = qMax(1, perSecond);
    m_sent = 0;
    m_lastMs = 0;
    m_clock.start();
    m_timer.start();
    tick();
}

void TelegramBurst::stop()
{
    m_timer.stop();
}

void TelegramBurst::tick()
{
    // Catch up with the schedule when a tick came late, but never run ahead.
    const qint64 now = m_clock.elapsed();
    const qint64 due = qMin<qint64>(m_telegrams.size(), 1 + now * m_perSecond / 1000);
    while (m_sent < due && m_module) {
        m_module->sendText(m_telegrams.at(m_sent));
        ++m_sent;
        m_lastMs = now;
    }
    if (m_sent >= m_telegrams.size() && m_timer.isActive()) {
        m_timer.stop();
        Q_EMIT finished();
    }
}

} // namespace nvxsim
