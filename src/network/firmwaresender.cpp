#include "network/firmwaresender.h"

#include "shell/smallfile.h"

#include <QTcpSocket>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <linux/sockios.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace nvx {

namespace {

constexpr int WatchPollMs = 20;

// A descriptor of its own to the socket's connection. The kernel keeps a
// connection, with its count of the bytes not yet acknowledged, until every
// descriptor to it is closed: the count can still be read when the module
// closed first and the socket closed its descriptor at once.
int watchConnection(qintptr descriptor)
{
#ifdef Q_OS_LINUX
    if (descriptor >= 0)
        return ::fcntl(int(descriptor), F_DUPFD_CLOEXEC, 0);
#else
    Q_UNUSED(descriptor);
#endif
    return -1;
}

// The bytes sent that the peer has not acknowledged yet, those not even
// sent included.
std::optional<qint64> unacknowledgedBytes(int watch)
{
#ifdef Q_OS_LINUX
    int count = 0;
    if (watch >= 0 && ::ioctl(watch, SIOCOUTQ, &count) == 0)
        return count;
#else
    Q_UNUSED(watch);
#endif
    return std::nullopt;
}

// The module reset the connection (or it timed out): no acknowledgement
// can come any more. Only a reset ends it while our own descriptor holds it.
bool connectionGone(int watch)
{
#ifdef Q_OS_LINUX
    tcp_info info{};
    socklen_t length = sizeof info;
    return watch >= 0 && ::getsockopt(watch, IPPROTO_TCP, TCP_INFO, &info, &length) == 0 && info.tcpi_state == TCP_CLOSE;
#else
    Q_UNUSED(watch);
    return false;
#endif
}

void releaseConnection(int &watch)
{
#ifdef Q_OS_LINUX
    if (watch >= 0)
        ::close(watch);
#endif
    watch = -1;
}

} // namespace

FirmwareSender::FirmwareSender(QTcpSocket *socket, QObject *parent) : QObject(parent), m_socket(socket)
{
    m_watchPoll.setInterval(WatchPollMs);
    connect(&m_watchPoll, &QTimer::timeout, this, &FirmwareSender::watchModule);
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
    // A FIFO would hold the opening, and the window with it, until something
    // writes to it.
    if (!openRegularFile(m_file, QIODevice::ReadOnly)) {
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
    if (m_socket)
        m_watch = watchConnection(m_socket->socketDescriptor());
    // A module that acknowledges a byte now and then never stalls, and the
    // chunks wait for room in the connection: without a bound they could
    // take hours.
    qint64 plannedMs = 0;
    for (const FirmwareStep &step : m_plan)
        plannedMs += step.pauseBeforeMs;
    m_deadline.setRemainingTime(plannedMs + firmware::acknowledgementBoundMs(m_total), Qt::PreciseTimer);
    m_acknowledged = 0;
    m_awaitingDelivery = false;
    m_sinceAcknowledged.start();
    m_watchPoll.start();
    Q_EMIT lengthKnown(length);
    runSteps();
}

FirmwareSender::~FirmwareSender() { releaseConnection(m_watch); }

void FirmwareSender::stop()
{
    m_running = false;
    m_waitingForWrite = false;
    m_awaitingDelivery = false;
    m_pause.stop();
    m_watchPoll.stop();
    m_file.close();
    releaseConnection(m_watch);
}

qint64 FirmwareSender::outstandingBytes() const
{
    const qint64 held = m_socket ? m_socket->bytesToWrite() : 0;
    return held + unacknowledgedBytes(m_watch).value_or(0);
}

void FirmwareSender::awaitDelivery()
{
    m_awaitingDelivery = true;
    watchModule();
}

void FirmwareSender::watchModule()
{
    const qint64 outstanding = outstandingBytes();
    if (m_awaitingDelivery && outstanding == 0) {
        m_watchPoll.stop();
        Q_EMIT delivered();
        return;
    }
    // While nothing waits for the module, it owes no acknowledgement.
    const qint64 acknowledged = m_queued - outstanding;
    if (acknowledged > m_acknowledged || outstanding == 0) {
        m_acknowledged = acknowledged;
        m_sinceAcknowledged.restart();
    }
    if (outstanding == 0)
        return;
    if (connectionGone(m_watch) || m_sinceAcknowledged.hasExpired(firmware::StallTimeoutMs) || m_deadline.hasExpired())
        fail();
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
        // From here on the bytes still owed bound the wait, whatever the
        // chunks took.
        m_deadline.setRemainingTime(firmware::acknowledgementBoundMs(outstandingBytes()), Qt::PreciseTimer);
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
    m_queued += bytes.size();
    if (m_socket->write(bytes) != bytes.size())
        return false;
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
