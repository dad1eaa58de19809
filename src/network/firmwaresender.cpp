#include "network/firmwaresender.h"

#include <QTcpSocket>

namespace nvx {

FirmwareSender::FirmwareSender(QTcpSocket *socket, QObject *parent) : QObject(parent), m_socket(socket)
{
    m_pause.setSingleShot(true);
    // The module counts on the pauses; they must not come short.
    m_pause.setTimerType(Qt::PreciseTimer);
    connect(&m_pause, &QTimer::timeout, this, [this] {
        m_pauseOver = true;
        runSteps();
    });
    connect(socket, &QTcpSocket::bytesWritten, this, [this](qint64 n) {
        if (!m_running)
            return;
        m_written += n;
        if (m_waitingForWrite && m_written >= m_queued) {
            m_waitingForWrite = false;
            runSteps();
            return;
        }
        checkAllWritten();
    });
}

void FirmwareSender::start(const QString &path)
{
    stop();
    m_running = true;
    m_allQueued = false;
    m_written = 0;
    m_queued = 0;
    m_waitingForWrite = false;
    m_next = 0;
    m_pauseOver = false;
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        fail();
        return;
    }
    const qint64 length = m_file.size();
    m_plan = firmwareTransferPlan(length);
    if (m_plan.empty()) {
        fail();
        return;
    }
    m_total = 4 + length;
    Q_EMIT lengthKnown(length);
    runSteps();
}

void FirmwareSender::stop()
{
    m_running = false;
    m_waitingForWrite = false;
    m_pause.stop();
    m_file.close();
}

void FirmwareSender::runSteps()
{
    while (m_running && m_next < m_plan.size()) {
        const FirmwareStep &step = m_plan[m_next];
        if (step.pauseBeforeMs > 0 && !m_pauseOver) {
            // A pause counts from when the bytes before it went out, not from
            // when they were handed to the socket.
            if (m_written < m_queued) {
                m_waitingForWrite = true;
                return;
            }
            m_pause.start(step.pauseBeforeMs);
            return;
        }
        m_pauseOver = false;
        ++m_next;
        if (!runStep(step)) {
            fail();
            return;
        }
    }
}

bool FirmwareSender::runStep(const FirmwareStep &step)
{
    if (step.kind == FirmwareStep::End) {
        m_file.close();
        m_allQueued = true;
        checkAllWritten();
        return true;
    }
    if (!m_socket || m_socket->state() != QAbstractSocket::ConnectedState)
        return false;
    QByteArray bytes;
    if (step.kind == FirmwareStep::Prefix) {
        bytes = *firmwareLengthPrefix(m_file.size());
    } else {
        if (!m_file.seek(step.offset))
            return false;
        bytes = m_file.read(step.size);
        if (bytes.size() != step.size)
            return false;
    }
    if (m_socket->write(bytes) != bytes.size())
        return false;
    m_queued += bytes.size();
    if (step.kind == FirmwareStep::Chunk)
        Q_EMIT chunkSent(step.offset + step.size);
    return true;
}

void FirmwareSender::checkAllWritten()
{
    if (!m_running || !m_allQueued || m_written < m_total)
        return;
    m_running = false;
    Q_EMIT finished();
}

void FirmwareSender::fail()
{
    stop();
    Q_EMIT failed();
}

} // namespace nvx
