// Gateway mode from the receiver's side: it forwards every radio telegram it
// hears, a stream of telegrams of the sensors around it.

#include "simulator.h"

#include <QTimer>

namespace nvxsim {

QByteArray SimModule::radioTelegram(const QString &org, const QString &id, std::array<int, 4> db3to0)
{
    // Header 0B, ORG, DB3..DB0, the sender ID, status 00 and the checksum
    // over header to status.
    QString t = QStringLiteral("A55A0B") + org;
    int sum = 0x0B + org.toInt(nullptr, 16);
    for (int v : db3to0) {
        t += QStringLiteral("%1").arg(v & 0xFF, 2, 16, QLatin1Char('0'));
        sum += v & 0xFF;
    }
    for (int i = 0; i < 4; ++i)
        sum += id.mid(2 * i, 2).toInt(nullptr, 16);
    t += id + QStringLiteral("00") + QStringLiteral("%1").arg(sum & 0xFF, 2, 16, QLatin1Char('0'));
    return t.toUpper().toLatin1();
}

void SimModule::startGatewayStream(int intervalMs)
{
    if (!m_gatewayTimer) {
        m_gatewayTimer = new QTimer(this);
        connect(m_gatewayTimer, &QTimer::timeout, this, [this] {
            if (!isConnected() || gatewaySensors.isEmpty())
                return;
            const int i = m_gatewaySent;
            const QString &id = gatewaySensors[i % gatewaySensors.size()];
            sendToProgram(radioTelegram(QStringLiteral("07"), id, {(i * 13) & 0xFF, (i * 7) & 0xFF, i & 0xFF, 0x08}));
            ++m_gatewaySent;
        });
    }
    m_gatewayTimer->start(std::max(intervalMs, 1));
}

void SimModule::stopGatewayStream()
{
    if (m_gatewayTimer)
        m_gatewayTimer->stop();
}

} // namespace nvxsim
