#include "sim_firmware.h"
#include "simulator.h"

#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cerrno>
#include <ctime>
#include <sys/socket.h>
#include <unistd.h>

namespace nvxsim {

namespace {

constexpr quint16 TransferPort = 1470;

// Hands each accepted connection over as a plain descriptor, so that it can
// be read with the kernel's arrival times.
class DescriptorServer : public QTcpServer {
    Q_OBJECT
public:
    using QTcpServer::QTcpServer;
Q_SIGNALS:
    void accepted(qintptr descriptor);

protected:
    void incomingConnection(qintptr descriptor) override { Q_EMIT accepted(descriptor); }
};

qint64 microseconds(const timespec &ts)
{
    return qint64(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

} // namespace

SimFirmware *SimModule::firmware()
{
    if (auto *f = findChild<SimFirmware *>(QString(), Qt::FindDirectChildrenOnly))
        return f;
    return new SimFirmware(this);
}

SimFirmware::SimFirmware(SimModule *module) : QObject(module), m_module(module) {}

SimFirmware::~SimFirmware() { stop(); }

qint64 SimFirmware::now()
{
    // The clock of the kernel's receive times.
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return microseconds(ts);
}

qint64 SimFirmware::fileBytes() const
{
    qint64 n = 0;
    for (const Chunk &c : chunks)
        n += c.data.size();
    return n;
}

void SimFirmware::closeConnection()
{
    delete m_notifier;
    m_notifier = nullptr;
    delete m_slowRead;
    m_slowRead = nullptr;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void SimFirmware::stop()
{
    closeConnection();
    delete m_filler;
    m_filler = nullptr;
    delete m_server;
    m_server = nullptr;
}

void SimFirmware::takeStartRequest()
{
    stop();
    connections = 0;
    prefix.clear();
    prefixAtUs = -1;
    chunks.clear();
    closedByProgram = false;
    closedAtUs = -1;
    m_lastAtUs = -1;
    if (answer == Answer::Refuse)
        return;

    auto *server = new DescriptorServer(this);
    m_server = server;
    if (answer == Answer::NeverAnswer) {
        // The kernel completes connection attempts on a listening socket by
        // itself; with a queue of one that is already taken, it drops them
        // and the attempt stays unanswered. All of it stays on loopback.
        m_server->setListenBacklogSize(0);
        if (!m_server->listen(m_module->address(), TransferPort))
            return;
        m_server->pauseAccepting();
        m_filler = new QTcpSocket(this);
        m_filler->connectToHost(m_module->address(), TransferPort);
        m_filler->waitForConnected(1000);
        return;
    }
    if (!m_server->listen(m_module->address(), TransferPort))
        return;
    if (stopReadingAfterBytes >= 0 || readBytesPerSecond > 0) {
        // Set before the handshake, so that the window is small from the
        // first byte on: taken over by the accepted connection. A size of 1
        // gives the kernel's least.
        const int size = receiveBufferBytes > 0 ? receiveBufferBytes : 1;
        ::setsockopt(int(m_server->socketDescriptor()), SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    }
    connect(server, &DescriptorServer::accepted, this, &SimFirmware::adopt);
}

void SimFirmware::adopt(qintptr descriptor)
{
    const int fd = int(descriptor);
    if (m_fd >= 0) {
        ::close(fd);
        return;
    }
    ++connections;
    m_fd = fd;
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
    m_notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SimFirmware::readData);
    if (readBytesPerSecond > 0) {
        // Read on a clock of its own rather than when bytes wait.
        m_notifier->setEnabled(false);
        m_slowRead = new QTimer(this);
        m_readTicks = 0;
        connect(m_slowRead, &QTimer::timeout, this, [this] {
            // What a tick leaves untaken is not made up later. Each tick's
            // share counts the parts of a byte the ticks before it left, so
            // that fewer than 20 bytes a second are read too.
            ++m_readTicks;
            m_readBudget = readBytesPerSecond * m_readTicks / 20 - readBytesPerSecond * (m_readTicks - 1) / 20;
            readData();
        });
        m_slowRead->start(50);
    }
}

void SimFirmware::readData()
{
    for (;;) {
        if (m_fd < 0)
            return;
        char buffer[65536];
        qsizetype wanted = sizeof buffer;
        if (stopReadingAfterBytes >= 0) {
            wanted = qMin<qsizetype>(wanted, 4 + stopReadingAfterBytes - prefix.size() - fileBytes());
            if (wanted <= 0) {
                m_notifier->setEnabled(false);
                return;
            }
        }
        if (m_slowRead) {
            wanted = qMin<qsizetype>(wanted, m_readBudget);
            if (wanted <= 0)
                return;
        }
        char control[CMSG_SPACE(sizeof(timespec))];
        iovec iov{buffer, std::size_t(wanted)};
        msghdr msg{};
        msg.msg_iov = &iov;
        msg.msg_iovlen = 1;
        msg.msg_control = control;
        msg.msg_controllen = sizeof control;
        const ssize_t n = ::recvmsg(m_fd, &msg, MSG_DONTWAIT);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                closeConnection();
                Q_EMIT closed();
            }
            return;
        }
        if (n == 0) {
            closedByProgram = true;
            closedAtUs = now();
            closeConnection();
            Q_EMIT closed();
            return;
        }
        qint64 at = now();
        for (cmsghdr *c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c))
            if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMPNS) {
                timespec ts{};
                memcpy(&ts, CMSG_DATA(c), sizeof ts);
                at = microseconds(ts);
            }
        if (m_slowRead)
            m_readBudget -= n;
        take(QByteArray(buffer, qsizetype(n)), at);
    }
}

void SimFirmware::take(const QByteArray &bytes, qint64 atUs)
{
    QByteArray data = bytes;
    if (prefix.size() < 4) {
        const qsizetype part = qMin<qsizetype>(4 - prefix.size(), data.size());
        if (prefix.isEmpty())
            prefixAtUs = atUs;
        prefix += data.left(part);
        data.remove(0, part);
        if (prefix.size() == 4)
            Q_EMIT prefixReceived();
    }
    if (!data.isEmpty()) {
        if (chunks.isEmpty() || atUs - m_lastAtUs > BurstGapUs)
            chunks.append({QByteArray(), atUs});
        chunks.last().data += data;
        Q_EMIT chunkReceived();
    }
    m_lastAtUs = atUs;
    if (closeAfterBytes >= 0 && fileBytes() >= closeAfterBytes) {
        closedAtUs = now();
        closeConnection();
        Q_EMIT closed();
    }
}

} // namespace nvxsim

#include "sim_firmware.moc"
