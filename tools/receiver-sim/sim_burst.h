#pragma once
// Sends a list of telegrams from a simulated receiver at a steady rate, as a
// busy radio channel would deliver them.

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

namespace nvxsim {

class SimModule;

class TelegramBurst : public QObject {
    Q_OBJECT
public:
    explicit TelegramBurst(SimModule *module, QObject *parent = nullptr);

    // Starts sending `telegrams` in order, `perSecond` of them per second
    // (spread over each second, never ahead of the schedule). Lives in the
    // thread of the module.
    void start(const QList<QByteArray> &telegrams, int perSecond);
    void stop();
    bool isRunning() const { return m_timer.isActive(); }
    int sent() const { return m_sent; }
    // Milliseconds from the start to the last telegram sent.
    qint64 elapsedMs() const { return m_lastMs; }

Q_SIGNALS:
    void finished();

private:
    void tick();

    SimModule *m_module;
    QList<QByteArray> m_telegrams;
    int m_perSecond = 0;
    int m_sent = 0;
    qint64 m_lastMs = 0;
    QElapsedTimer m_clock;
    QTimer m_timer;
};

} // namespace nvxsim
