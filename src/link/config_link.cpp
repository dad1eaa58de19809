// The telegram sockets and the sending of commands.
//
// Data-arrival handlers only read and split; every telegram is handed on
// through a queued call, because the telegram processor may open a modal
// window and a socket does not announce new data while its readyRead slot is
// still running.

#include "link/protocol.h"
#include "sensors/lernmodusfenster.h"
#include "shell/config.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QRadioButton>
#include <QTimer>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

namespace nvx {

namespace {

// Dotted text of an address; an IPv4 address seen through an IPv6 socket
// is given in its IPv4 form, as the receiver's IP field shows it.
QString addressText(const QHostAddress &address)
{
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4).toString() : address.toString();
}

qint64 nowMs() { return QDeadlineTimer::current().deadline(); }

void writeTcp(QTcpSocket *socket, const QString &text)
{
    // A socket that is not connected takes nothing; nothing is reported.
    if (socket && socket->state() == QAbstractSocket::ConnectedState)
        socket->write(text.toLatin1());
}

} // namespace

void Config::setUdpRemote(const QString &host, quint16 port)
{
    m_udpRemoteHost = host;
    m_udpRemotePort = port;
}

void Config::senden()
{
    // Follows every command while a sensor ID is being learned by hand, so
    // the receiver leaves its learn mode for the channel; not while a table
    // from an address file is on the screen.
    // The learn-in window's way "by hand"; reading it loads the window hidden
    // with its defaults (way 1) when it is not open.
    const auto followUpWanted = [this] {
        return lernmodusFenster()->Manuell[1]->isChecked() && !m_state.TableLoadedFromFile;
    };
    const auto followUp = [this] {
        m_state.CommandString = toCommandString(cmd::endManualLearn(m_state.ChannelHex));
        return m_state.CommandString;
    };
    const auto sendUdp = [this](const QString &text) {
        if (Winsock2UDP->state() != QAbstractSocket::BoundState || m_udpRemoteHost.isEmpty())
            return;
        Winsock2UDP->writeDatagram(text.toLatin1(), QHostAddress(m_udpRemoteHost), m_udpRemotePort);
    };

    m_state.CommandString = toCommandString(m_state.CommandString);
    // Three tests, each on its own: the option groups normally make exactly
    // one of them hold.
    if (chkServerMode->isChecked() && chkTCPIP->isChecked()) {
        writeTcp(Winsock3, m_state.CommandString);
        if (followUpWanted())
            writeTcp(Winsock3, followUp());
    }
    if (chkClientMode->isChecked() && chkTCPIP->isChecked()) {
        writeTcp(Winsock1_1, m_state.CommandString);
        if (followUpWanted())
            writeTcp(Winsock1_1, followUp());
    }
    if (chkUDPMode->isChecked()) {
        sendUdp(m_state.CommandString);
        if (followUpWanted())
            sendUdp(followUp());
    }
}

void Config::Winsock3_Connect()
{
    m_winsock3Stream.clear();
    armTelegramHold();
    // While logging runs a new link stays quiet, so the log is not disturbed
    // by a table read.
    if (m_state.LoggingActive)
        return;
    writeTcp(Winsock3, cmd::statusRequest());
    Timer1->start();
}

void Config::Winsock1_ConnectionRequest()
{
    while (Winsock1_0->hasPendingConnections()) {
        QTcpSocket *incoming = Winsock1_0->nextPendingConnection();
        if (!incoming)
            break;
        // Only the selected receiver may connect; anything else is closed at
        // once rather than left hanging.
        if (!chkClientMode->isChecked() || addressText(incoming->peerAddress()) != txtIP->text()) {
            incoming->abort();
            incoming->deleteLater();
            continue;
        }
        Winsock1_Close(); // a newer connection of the receiver replaces the old one
        incoming->setParent(this);
        incoming->setObjectName(QStringLiteral("Winsock1_1"));
        Winsock1_1 = incoming;
        connect(incoming, &QTcpSocket::readyRead, &m_winsock1Context, [this] { Winsock1_DataArrival(); });
        connect(incoming, &QTcpSocket::disconnected, &m_winsock1Context, [this] { Winsock1_Close(); });
        if (!m_state.LoggingActive) {
            writeTcp(incoming, cmd::statusRequest());
            Timer1->start();
        }
    }
}

void Config::Winsock1_DataArrival()
{
    if (!Winsock1_1)
        return;
    const QString sender = addressText(Winsock1_1->peerAddress());
    for (const QString &telegram : m_winsock1Stream.feed(Winsock1_1->readAll(), nowMs()))
        queueTelegram(telegram, sender, false);
    armTelegramHold();
}

void Config::Winsock3_DataArrival()
{
    m_winsock3Sender = addressText(Winsock3->peerAddress());
    for (const QString &telegram : m_winsock3Stream.feed(Winsock3->readAll(), nowMs()))
        queueTelegram(telegram, m_winsock3Sender, false);
    armTelegramHold();
}

void Config::armTelegramHold()
{
    std::optional<qint64> due;
    for (const TelegramStream *stream : {&m_winsock1Stream, &m_winsock3Stream})
        if (const std::optional<qint64> d = stream->deadline())
            due = due ? qMin(*due, *d) : *d;
    if (due)
        m_telegramHold.start(int(qBound<qint64>(0, *due - nowMs(), TelegramStream::StaleMs)));
    else
        m_telegramHold.stop();
}

void Config::flushTelegramStreams()
{
    // Nothing followed the held characters in time: they are a telegram.
    if (Winsock1_1)
        for (const QString &telegram : m_winsock1Stream.flush(nowMs()))
            queueTelegram(telegram, addressText(Winsock1_1->peerAddress()), false);
    for (const QString &telegram : m_winsock3Stream.flush(nowMs()))
        queueTelegram(telegram, m_winsock3Sender, false);
    armTelegramHold();
}

void Config::Winsock2UDP_DataArrival()
{
    while (Winsock2UDP->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = Winsock2UDP->receiveDatagram();
        // One datagram is one telegram, read from its sync on; a short one is
        // filled with blanks, a long one cut to 28 characters. A datagram
        // without a sync is no telegram at all.
        const std::optional<QString> telegram = datagramTelegram(datagram.data());
        if (telegram)
            queueTelegram(toReplyString(*telegram), addressText(datagram.senderAddress()), true);
    }
}

void Config::Winsock1_Close()
{
    // Telegrams that came with the end of the connection still count.
    if (Winsock1_1 && Winsock1_1->bytesAvailable() > 0)
        Winsock1_DataArrival();
    if (Winsock1_1)
        for (const QString &telegram : m_winsock1Stream.flush(nowMs(), true))
            queueTelegram(telegram, addressText(Winsock1_1->peerAddress()), false);
    QTcpSocket *socket = Winsock1_1;
    Winsock1_1 = nullptr;
    m_winsock1Stream.clear();
    armTelegramHold();
    if (!socket)
        return;
    socket->disconnect(&m_winsock1Context);
    socket->abort();
    socket->deleteLater();
}

void Config::queueTelegram(const QString &telegram, const QString &sender, bool fromUdp)
{
    QMetaObject::invokeMethod(
        this,
        [this, telegram, sender, fromUdp, link = m_linkGeneration] {
            if (link == m_linkGeneration)
                processReceived(telegram, sender, fromUdp);
        },
        Qt::QueuedConnection);
}

void Config::processReceived(const QString &telegram, const QString &sender, bool fromUdp)
{
    m_state.ReceivedData = telegram;
    // Hex digits count in either case; the fields are read, compared and
    // shown in upper case, as the program writes them itself.
    m_state.ReplyString = toReplyString(telegram).toUpper();
    m_state.SenderIP = sender;
    Q_EMIT telegramReceived(telegram, sender);
    ProcessTelegram();
    if (fromUdp)
        setLastTelegram(telegram);
}

} // namespace nvx
