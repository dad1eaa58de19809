#pragma once
// A simulated receiver in UDP mode at 127.0.0.2 that runs in a thread of its
// own, so that a busy window cannot slow it, and sends bursts of telegrams
// to the program's telegram socket. Loopback only: for the private network
// namespace of scripts/netns-run.sh.

#include "link/protocol.h"
#include "shell/config.h"
#include "sim_burst.h"
#include "simulator.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>

#include <cstdio>
#include <functional>

namespace nvxbench {

class UdpReceiver {
public:
    static constexpr int ReceiverPort = 10001;
    static constexpr int ServerPort = 10002;
    static QString ip() { return QStringLiteral("127.0.0.2"); }

    explicit UdpReceiver(nvx::Config &config) : m_config(config)
    {
        auto record = nvxsim::makeRecord(QByteArray::fromHex("00A1B2C3D4E5"), ip(), ReceiverPort,
                                         QStringLiteral("127.0.0.1"), ServerPort);
        record[nvx::BoardRecord::Udp] = 1;
        m_module = new nvxsim::SimModule(record);
        m_burst = new nvxsim::TelegramBurst(m_module, m_module);
        m_module->moveToThread(&m_thread);
        m_thread.start();
    }
    ~UdpReceiver()
    {
        inThread([](nvxsim::SimModule &m) { m.stopReceiver(); });
        QMetaObject::invokeMethod(m_module, [m = m_module] { delete m; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
        m_config.Winsock2UDP->close();
    }

    // Binds the program's telegram socket and opens the receiver's; false
    // (said on stderr) when either cannot be had.
    bool start()
    {
        m_config.state().LoadedIP = ip();
        m_config.setUdpRemote(ip(), ReceiverPort);
        if (!m_config.Winsock2UDP->bind(QHostAddress::AnyIPv4, ServerPort)) {
            std::fprintf(stderr, "cannot bind the telegram socket to port %d\n", ServerPort);
            return false;
        }
        bool started = false;
        inThread([&started](nvxsim::SimModule &m) { started = m.startReceiver(); });
        if (!started)
            std::fprintf(stderr, "the simulated receiver cannot open its socket\n");
        return started;
    }

    // Runs `what` on the receiver in its thread and waits for it.
    void inThread(const std::function<void(nvxsim::SimModule &)> &what)
    {
        QMetaObject::invokeMethod(m_module, [&] { what(*m_module); }, Qt::BlockingQueuedConnection);
    }

    struct Burst {
        int sent = 0;
        qint64 sendMs = 0;
        quint64 processed = 0;
    };
    // Sends `telegrams`, `perSecond` of them a second, and runs the event
    // loop until the program has handled them all, or 2 s after the last.
    Burst send(const QList<QByteArray> &telegrams, int perSecond)
    {
        const quint64 before = m_config.telegramsProcessed();
        QEventLoop loop;
        bool finished = false;
        QObject::connect(m_burst, &nvxsim::TelegramBurst::finished, &loop, [&] { finished = true; },
                         Qt::QueuedConnection);
        QMetaObject::invokeMethod(m_burst, [&] { m_burst->start(telegrams, perSecond); }, Qt::QueuedConnection);
        QTimer poll;
        QElapsedTimer afterEnd;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (!finished)
                return;
            if (!afterEnd.isValid())
                afterEnd.start();
            if (m_config.telegramsProcessed() - before >= quint64(telegrams.size()) || afterEnd.elapsed() > 2000)
                loop.quit();
        });
        poll.start(10);
        loop.exec();
        Burst b;
        QMetaObject::invokeMethod(m_burst, [&] { b.sent = m_burst->sent(); b.sendMs = m_burst->elapsedMs(); },
                                  Qt::BlockingQueuedConnection);
        b.processed = m_config.telegramsProcessed() - before;
        return b;
    }

private:
    nvx::Config &m_config;
    QThread m_thread;
    nvxsim::SimModule *m_module = nullptr;
    nvxsim::TelegramBurst *m_burst = nullptr;
};

} // namespace nvxbench
