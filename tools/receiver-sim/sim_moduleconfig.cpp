// The module configuration protocol from the modules' side: every module
// answers "FIND" with "IMIN" and its record, takes a "SETT" for its MAC as its
// new record and confirms it with "SETC", and readies its firmware port on
// a "FIRS". Answers go to port 5001 of the sender, as real modules send them.

#include "simulator.h"
#include "sim_firmware.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QPointer>
#include <QTimer>
#include <QUdpSocket>

namespace nvxsim {

namespace {

constexpr quint16 ConfigPort = 1460;
constexpr quint16 ProgramPort = 5001;
constexpr int MessageSize = 4 + BoardRecord::Size;

QByteArray message(const char *code, const BoardRecord &rec)
{
    return QByteArray(code, 4) + rec.toBytes();
}

bool isBroadcastOrUnknown(const QHostAddress &to)
{
    return to.isNull() || to == QHostAddress(QHostAddress::Broadcast) || to == QHostAddress(QHostAddress::AnyIPv4);
}

} // namespace

BoardRecord makeRecord(const QByteArray &mac6, const QString &ip, int port, const QString &serverIp, int serverPort)
{
    BoardRecord rec;
    for (int i = 0; i < 6 && i < mac6.size(); ++i)
        rec[i] = static_cast<std::uint8_t>(mac6[i]);
    rec[BoardRecord::Mode] = 2;
    const auto setDotted = [&rec](int offset, const QString &text) {
        const nvx::DottedParse p = nvx::parseDotted(text);
        for (int i = 0; i < 4; ++i)
            rec[offset + i] = p.parts[static_cast<std::size_t>(i)];
    };
    setDotted(BoardRecord::Ip, ip);
    setDotted(BoardRecord::Subnet, QStringLiteral("255.255.255.0"));
    setDotted(BoardRecord::ServerIp, serverIp);
    rec.setPort(BoardRecord::Port, port);
    rec.setPort(BoardRecord::ServerPort, serverPort);
    // The fixed serial settings a module reports.
    rec[27] = 250;
    rec[28] = 8;
    rec[32] = 0xA5;
    rec[34] = 0x1C;
    rec[39] = 1;
    rec[BoardRecord::Version] = 2;
    rec[BoardRecord::Version + 1] = 10;
    return rec;
}

ReceiverSimulator::ReceiverSimulator(QObject *parent) : QObject(parent) {}

ReceiverSimulator::~ReceiverSimulator()
{
    stop();
}

SimModule *ReceiverSimulator::addModule(const BoardRecord &record)
{
    auto *m = new SimModule(record, this);
    m_modules.append(m);
    if (m_started)
        bindModuleSocket(m);
    return m;
}

SimModule *ReceiverSimulator::module(const QString &macText) const
{
    for (SimModule *m : m_modules)
        if (m->macText() == macText)
            return m;
    return nullptr;
}

bool ReceiverSimulator::bindModuleSocket(SimModule *module)
{
    if (QUdpSocket *old = m_moduleSockets.take(module)) {
        m_sockets.removeOne(old);
        old->deleteLater();
    }
    auto *socket = new QUdpSocket(this);
    if (!socket->bind(module->address(), ConfigPort, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        delete socket;
        return false;
    }
    QPointer<SimModule> guard(module);
    connect(socket, &QUdpSocket::readyRead, this, [this, socket, guard] {
        if (guard)
            readConfig(socket, guard);
    });
    m_sockets.append(socket);
    m_moduleSockets.insert(module, socket);
    return true;
}

bool ReceiverSimulator::start()
{
    if (m_started)
        return true;
    // Broadcasts only reach a socket on the any-address.
    auto *broadcast = new QUdpSocket(this);
    if (!broadcast->bind(QHostAddress::AnyIPv4, ConfigPort, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        delete broadcast;
        return false;
    }
    connect(broadcast, &QUdpSocket::readyRead, this, [this, broadcast] { readConfig(broadcast, nullptr); });
    m_sockets.append(broadcast);
    m_started = true;
    bool ok = true;
    for (SimModule *m : m_modules)
        ok = bindModuleSocket(m) && ok;
    return ok;
}

void ReceiverSimulator::stop()
{
    for (QUdpSocket *s : m_sockets)
        delete s;
    m_sockets.clear();
    m_moduleSockets.clear();
    m_started = false;
}

void ReceiverSimulator::clearConfigLog()
{
    m_configMessages.clear();
    m_configLog.clear();
    m_firmwareStarts.clear();
}

int ReceiverSimulator::findCount() const
{
    int n = 0;
    for (const QByteArray &d : m_configMessages)
        n += d.startsWith("FIND") ? 1 : 0;
    return n;
}

void ReceiverSimulator::readConfig(QUdpSocket *socket, SimModule *onlyModule)
{
    while (socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = socket->receiveDatagram();
        QHostAddress to = d.destinationAddress();
        if (onlyModule)
            to = onlyModule->address();
        handleConfig(d.data(), d.senderAddress(), static_cast<quint16>(d.senderPort()), to, onlyModule);
    }
}

void ReceiverSimulator::handleConfig(const QByteArray &data, const QHostAddress &from, quint16 port,
                                     const QHostAddress &to, SimModule *onlyModule)
{
    m_configMessages.append(data);
    m_configLog.append({data, from, port, to});
    Q_EMIT configMessageReceived(data);

    // Who may answer: the module the datagram was addressed to; for a
    // broadcast every module.
    QList<SimModule *> addressed;
    if (onlyModule) {
        addressed << onlyModule;
    } else {
        for (SimModule *m : m_modules)
            if (isBroadcastOrUnknown(to) || m->address() == to)
                addressed << m;
    }
    if (data.size() < 4)
        return;
    const QByteArray code = data.left(4);
    for (SimModule *m : addressed) {
        // Modules answer to the configuration port of the sender's address,
        // whatever port the request left from.
        if (code == "FIND") {
            answerFind(m, from, ProgramPort);
        } else if (code == "SETT") {
            answerSett(m, data, from, ProgramPort);
        } else if (code == "FIRS" && data.size() >= 10 && data.mid(4, 6) == m->record.toBytes().left(6)) {
            m_firmwareStarts.append(m->macText());
            m->firmware()->takeStartRequest();
            Q_EMIT firmwareStartReceived(m);
        }
    }
}

void ReceiverSimulator::answerFind(SimModule *module, const QHostAddress &to, quint16 port)
{
    const ModuleBehaviour &b = module->behaviour;
    if (b.noReply)
        return;
    QPointer<SimModule> guard(module);
    auto reply = [this, guard, to, port] {
        if (!guard)
            return;
        const ModuleBehaviour &b = guard->behaviour;
        QByteArray datagram = message("IMIN", guard->record);
        if (b.truncateReplyTo > 0)
            datagram.truncate(b.truncateReplyTo);
        if (b.padReplyTo > datagram.size())
            datagram.append(QByteArray(b.padReplyTo - datagram.size(), '\0'));
        sendFrom(guard, datagram, to, port);
        if (b.replyTwice)
            sendFrom(guard, datagram, to, port);
        if (b.secondPath)
            sendFrom(guard, datagram, to, port, true);
    };
    if (b.replyDelayMs > 0)
        QTimer::singleShot(b.replyDelayMs, this, reply);
    else
        reply();
}

void ReceiverSimulator::answerSett(SimModule *module, const QByteArray &datagram, const QHostAddress &to,
                                   quint16 port)
{
    if (datagram.size() < MessageSize)
        return;
    const QByteArray ownMac = module->record.toBytes().left(6);
    if (datagram.mid(4, 6) != ownMac)
        return;
    // The module keeps its MAC and firmware version whatever it is sent.
    BoardRecord taken = BoardRecord::fromBytes(datagram.mid(4, BoardRecord::Size));
    for (int i = 0; i < 6; ++i)
        taken[i] = module->record[i];
    taken[BoardRecord::Version] = module->record[BoardRecord::Version];
    taken[BoardRecord::Version + 1] = module->record[BoardRecord::Version + 1];
    const bool moved = taken.dotted(BoardRecord::Ip) != module->record.dotted(BoardRecord::Ip);
    module->record = taken;
    if (moved && m_started)
        bindModuleSocket(module);
    Q_EMIT settingsTaken(module);

    const ModuleBehaviour &b = module->behaviour;
    if (b.noSetc)
        return;
    BoardRecord confirm = taken;
    if (b.setcMac) {
        for (int i = 0; i < 6; ++i)
            confirm[i] = static_cast<std::uint8_t>(i < b.setcMac->size() ? (*b.setcMac)[i] : 0);
    }
    QPointer<SimModule> guard(module);
    auto reply = [this, guard, confirm, to, port] {
        if (guard)
            sendFrom(guard, message("SETC", confirm), to, port);
    };
    if (b.setcDelayMs > 0)
        QTimer::singleShot(b.setcDelayMs, this, reply);
    else
        reply();
}

void ReceiverSimulator::sendFrom(SimModule *module, const QByteArray &datagram, const QHostAddress &to, quint16 port,
                                 bool secondPath)
{
    // Replies leave from the module's own address; the second path from the
    // any-address socket, so they arrive with another sender address.
    QUdpSocket *socket = secondPath ? m_sockets.value(0) : m_moduleSockets.value(module);
    if (!socket)
        socket = m_sockets.value(0);
    if (!socket)
        return;
    // Never leave this machine: a reply only goes to a loopback address, the
    // any-address or an address of this machine's own interfaces.
    if (!to.isLoopback() && to != QHostAddress(QHostAddress::AnyIPv4) && !QNetworkInterface::allAddresses().contains(to))
        return;
    socket->writeDatagram(datagram, to, port);
}

} // namespace nvxsim
