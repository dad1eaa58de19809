// The receiver protocol from the receiver's side: a status reply to the
// status request, its sensor table on a table read, and the table changes of
// the clear and write commands. Every command is recorded as it came.

#include "simulator.h"

#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

namespace nvxsim {

namespace {
const QByteArray Sync = "A55A";
constexpr int CommandFrame = 30;   // a command as the program sends it
constexpr int BareFrame = 20;      // the status request on a new link
constexpr int RetryMs = 200;       // a client-mode receiver keeps trying
constexpr int BareWaitMs = 30;     // how long a lone 20-character frame may wait for its blanks

QString hex2(int value)
{
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}
} // namespace

SimModule::SimModule(const BoardRecord &rec, QObject *parent) : QObject(parent), record(rec)
{
    m_retryTimer = new QTimer(this);
    m_retryTimer->setSingleShot(true);
    m_retryTimer->setInterval(RetryMs);
    connect(m_retryTimer, &QTimer::timeout, this, &SimModule::connectToProgram);
    m_bareTimer = new QTimer(this);
    m_bareTimer->setSingleShot(true);
    m_bareTimer->setInterval(BareWaitMs);
    connect(m_bareTimer, &QTimer::timeout, this, [this] { splitCommands(true); });
    m_learnTimer = new QTimer(this);
    m_learnTimer->setSingleShot(true);
    connect(m_learnTimer, &QTimer::timeout, this, &SimModule::sensorPressesLearnButton);
}

SimModule::~SimModule() { stopReceiver(); }

bool SimModule::startReceiver()
{
    stopReceiver();
    m_started = true;
    if (record.isUdp()) {
        m_udp = new QUdpSocket(this);
        if (!m_udp->bind(address(), static_cast<quint16>(record.port(BoardRecord::Port))))
            return false;
        connect(m_udp, &QUdpSocket::readyRead, this, [this] {
            while (m_udp && m_udp->hasPendingDatagrams()) {
                const QNetworkDatagram d = m_udp->receiveDatagram();
                handleReceiverData(d.data(), d.senderAddress(), static_cast<quint16>(d.senderPort()));
            }
        });
        Q_EMIT connected(); // UDP needs no connection: ready once bound
        return true;
    }
    if (record.isClientMode()) {
        connectToProgram();
        return true;
    }
    m_server = new QTcpServer(this);
    if (!m_server->listen(address(), static_cast<quint16>(record.port(BoardRecord::Port))))
        return false;
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (m_server && m_server->hasPendingConnections())
            adoptConnection(m_server->nextPendingConnection());
    });
    return true;
}

void SimModule::stopReceiver()
{
    m_started = false;
    if (m_retryTimer)
        m_retryTimer->stop();
    if (m_bareTimer)
        m_bareTimer->stop();
    if (m_tcp) {
        m_tcp->disconnect(this);
        m_tcp->abort();
        m_tcp->deleteLater();
        m_tcp = nullptr;
    }
    delete m_server;
    m_server = nullptr;
    delete m_udp;
    m_udp = nullptr;
    m_tcpBuffer.clear();
}

bool SimModule::isConnected() const
{
    if (m_udp)
        return m_udp->state() == QAbstractSocket::BoundState;
    return m_tcp && m_tcp->state() == QAbstractSocket::ConnectedState;
}

void SimModule::connectToProgram()
{
    if (!m_started)
        return;
    if (m_tcp) {
        m_tcp->disconnect(this);
        m_tcp->abort();
        m_tcp->deleteLater();
    }
    auto *socket = new QTcpSocket(this);
    m_tcp = socket;
    m_tcpBuffer.clear();
    // From its own address, so the program sees the receiver's IP.
    socket->bind(address(), 0);
    connect(socket, &QTcpSocket::connected, this, [this] { Q_EMIT connected(); });
    connect(socket, &QTcpSocket::readyRead, this, &SimModule::readTcp);
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        if (m_started)
            m_retryTimer->start();
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError) {
        if (m_started && socket->state() != QAbstractSocket::ConnectedState)
            m_retryTimer->start();
    });
    socket->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(record.port(BoardRecord::ServerPort)));
}

void SimModule::adoptConnection(QTcpSocket *socket)
{
    if (!socket)
        return;
    // The receiver serves one program at a time; a newer connection wins.
    if (m_tcp) {
        m_tcp->disconnect(this);
        m_tcp->abort();
        m_tcp->deleteLater();
    }
    socket->setParent(this);
    m_tcp = socket;
    m_tcpBuffer.clear();
    connect(socket, &QTcpSocket::readyRead, this, &SimModule::readTcp);
    Q_EMIT connected();
}

void SimModule::readTcp()
{
    if (!m_tcp)
        return;
    handleReceiverData(m_tcp->readAll(), m_tcp->peerAddress(), m_tcp->peerPort());
}

void SimModule::handleReceiverData(const QByteArray &data, const QHostAddress &from, quint16 port)
{
    if (m_udp) {
        // A datagram is one command, exactly as it came.
        m_udpPeer = from;
        m_udpPeerPort = port;
        const QString command = QString::fromLatin1(data);
        m_commands << command;
        Q_EMIT commandReceived(command);
        answerCommand(command);
        return;
    }
    m_tcpBuffer.append(data);
    splitCommands(false);
}

// Commands come as 30 characters (20 or 28 followed by blanks) or as the
// bare 20-character status request; a frame starts at the sync "A55A".
void SimModule::splitCommands(bool flushBare)
{
    m_bareTimer->stop();
    for (;;) {
        const qsizetype sync = m_tcpBuffer.indexOf(Sync);
        if (sync < 0) {
            // Keep a sync that may be cut off at the end.
            m_tcpBuffer = m_tcpBuffer.right(3);
            return;
        }
        m_tcpBuffer.remove(0, sync);
        qsizetype length = 0;
        if (m_tcpBuffer.size() >= BareFrame + 4 && m_tcpBuffer.mid(BareFrame, 4) == Sync)
            length = BareFrame;
        else if (m_tcpBuffer.size() >= CommandFrame)
            length = CommandFrame;
        else if (m_tcpBuffer.size() == BareFrame && flushBare)
            length = BareFrame;
        if (length == 0) {
            if (m_tcpBuffer.size() == BareFrame)
                m_bareTimer->start();
            return;
        }
        const QString command = QString::fromLatin1(m_tcpBuffer.left(length));
        m_tcpBuffer.remove(0, length);
        m_commands << command;
        Q_EMIT commandReceived(command);
        answerCommand(command);
    }
}

void SimModule::answerCommand(const QString &command)
{
    const QString t = command.trimmed();
    if (!t.startsWith(QLatin1String(Sync)))
        return;
    const QString code = t.mid(4, 2);
    bool ok = false;
    const int ch = t.mid(6, 2).toInt(&ok, 16);
    const bool channelOk = ok && ch >= 0 && ch < int(table.size());
    QList<QByteArray> replies;

    if (answerSensorCommand(code, ch, channelOk, t, replies)) {
        // learn-in, delete, supervision
    } else if (t.startsWith(QLatin1String("A55AAB58"))) {
        replies << baseIdReply(baseId);
    } else if (code == QLatin1String("9F")) {
        if (receiver.answerStatus)
            replies << statusReply();
    } else if (code == QLatin1String("95")) {
        // The table is reported, not learned: bit 3 of DB0 set.
        for (int i = 0; i < int(table.size()); ++i) {
            const SimChannel &c = table[std::size_t(i)];
            if (!c.used)
                continue;
            std::array<int, 4> db = c.db;
            db[3] |= 0x08;
            replies << channelTelegram(i, c.org, c.id, db);
        }
        // A receiver with sensors reports their supervision after them.
        if (!replies.isEmpty())
            replies << supervisionReport();
    } else if (code == QLatin1String("92")) {
        if (channelOk) {
            SimChannel &c = table[std::size_t(ch)];
            c.used = true;
            c.org = t.mid(8, 2);
            c.id = t.mid(10, 8);
            c.db = {};
        }
    } else if (code == QLatin1String("9E")) {
        gatewayOptions = t;
        receiver.gatewayFlag = t.mid(7, 1) == QLatin1String("1");
        receiver.rssiFlag = t.mid(9, 1) == QLatin1String("1");
        receiver.serverFlag = t.mid(11, 1) == QLatin1String("1");
    }

    if (replies.isEmpty())
        return;
    const auto sendAll = [this, replies] {
        for (const QByteArray &r : replies)
            sendToProgram(r);
    };
    if (receiver.telegramDelayMs > 0)
        QTimer::singleShot(receiver.telegramDelayMs, this, sendAll);
    else
        sendAll();
}

void SimModule::sendText(const QByteArray &text) { sendToProgram(text); }

QStringList SimModule::radioTelegrams() const
{
    QStringList telegrams;
    for (const QString &c : m_commands)
        if (c.startsWith(QLatin1String("A55A6B")))
            telegrams << c;
    return telegrams;
}

QByteArray SimModule::channelTelegram(int ch, const QString &org, const QString &id, std::array<int, 4> db3to0)
{
    QString t = QStringLiteral("A55A0B") + org;
    for (int v : db3to0)
        t += hex2(v);
    t += id + QStringLiteral("00") + hex2(ch);
    return t.toLatin1();
}

void SimModule::sendChannelTelegram(int ch, const QString &org, const QString &id, std::array<int, 4> db3to0)
{
    sendToProgram(channelTelegram(ch, org, id, db3to0));
}

QByteArray SimModule::statusReply() const
{
    const auto flag = [](bool on) { return on ? QStringLiteral("01") : QStringLiteral("00"); };
    const QString t = QStringLiteral("A55A9F") + flag(receiver.gatewayFlag) + flag(receiver.rssiFlag)
        + flag(receiver.serverFlag) + QStringLiteral("0000000000000000");
    return t.toLatin1();
}

QByteArray SimModule::baseIdReply(const QString &id) const
{
    // As the radio module answers: header 8B, ORG 98, the base ID, zeros and
    // the checksum over header to status.
    const QString idText = id.rightJustified(8, QLatin1Char('0')).right(8).toUpper();
    int sum = 0x8B + 0x98;
    for (int i = 0; i < 4; ++i)
        sum += idText.mid(2 * i, 2).toInt(nullptr, 16);
    return (QStringLiteral("A55A8B98") + idText + QStringLiteral("0000000000") + hex2(sum)).toLatin1();
}

void SimModule::sendToProgram(const QByteArray &data)
{
    if (m_udp) {
        const bool heard = !m_udpPeer.isNull() && m_udpPeerPort != 0;
        m_udp->writeDatagram(data, heard ? m_udpPeer : QHostAddress(QHostAddress::LocalHost),
                             heard ? m_udpPeerPort : static_cast<quint16>(record.port(BoardRecord::ServerPort)));
        return;
    }
    if (m_tcp && m_tcp->state() == QAbstractSocket::ConnectedState)
        m_tcp->write(data);
}

} // namespace nvxsim
