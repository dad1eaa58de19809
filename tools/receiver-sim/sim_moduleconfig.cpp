// The module configuration protocol from the modules' side.

#include "simulator.h"

#include <QUdpSocket>

namespace nvxsim {

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
    rec[BoardRecord::Version] = 2;
    rec[BoardRecord::Version + 1] = 10;
    return rec;
}

ReceiverSimulator::ReceiverSimulator(QObject *parent) : QObject(parent) {}
ReceiverSimulator::~ReceiverSimulator() = default;

SimModule *ReceiverSimulator::addModule(const BoardRecord &record)
{
    auto *m = new SimModule(record, this);
    m_modules.append(m);
    return m;
}

SimModule *ReceiverSimulator::module(const QString &macText) const
{
    for (SimModule *m : m_modules)
        if (m->macText() == macText)
            return m;
    return nullptr;
}

bool ReceiverSimulator::start() { return false; }
void ReceiverSimulator::stop() {}
int ReceiverSimulator::findCount() const { return 0; }
void ReceiverSimulator::readConfig(QUdpSocket *, SimModule *) {}
void ReceiverSimulator::answerFind(SimModule *, const QHostAddress &, quint16) {}
void ReceiverSimulator::answerSett(SimModule *, const QByteArray &, const QHostAddress &, quint16) {}

} // namespace nvxsim
