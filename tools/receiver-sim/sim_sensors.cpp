// The receiver's learn-in, channel clearing and sensor supervision: a learn-in
// by button waits for the simulated sensor's learn telegram, a manual
// learn-in ends with the channel's telegram, and every supervision command
// is answered with the supervision report.

#include "simulator.h"

#include <QTimer>

namespace nvxsim {

namespace {
QString hex2(int value)
{
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}
} // namespace

bool SimModule::answerSensorCommand(const QString &code, int ch, bool channelOk, const QString &command,
                                    QList<QByteArray> &replies)
{
    const auto reportChannel = [this, &replies](int channel) {
        const SimChannel &c = table[std::size_t(channel)];
        std::array<int, 4> db = c.db;
        db[3] |= 0x08;
        replies << channelTelegram(channel, c.org, c.id, db);
    };

    if (code == QLatin1String("97") || code == QLatin1String("91")) {
        // Learn by button: the channel waits for the sensor's learn telegram.
        if (!channelOk)
            return true;
        m_learnChannel = ch;
        m_learnOrg = command.mid(8, 2);
        m_learnTimer->stop();
        if (sensors.learnButtonDelayMs >= 0)
            m_learnTimer->start(sensors.learnButtonDelayMs);
    } else if (code == QLatin1String("9C")) {
        m_learnTimer->stop();
        m_learnChannel = -1;
    } else if (code == QLatin1String("96")) {
        // The end of a learn-in by hand: the receiver reports the channel.
        if (channelOk && table[std::size_t(ch)].used)
            reportChannel(ch);
    } else if (code == QLatin1String("94")) {
        if (channelOk) {
            table[std::size_t(ch)] = SimChannel{};
            sensors.watch[std::size_t(ch)] = {};
        }
    } else if (code == QLatin1String("9A")) {
        sensors.supervisionOn = true;
        sensors.supervisionMinutes = command.mid(6, 2).toInt(nullptr, 16);
        replies << supervisionReport();
    } else if (code == QLatin1String("9B")) {
        sensors.supervisionOn = false;
        replies << supervisionReport();
    } else if (code == QLatin1String("9D")) {
        if (channelOk)
            sensors.watch[std::size_t(ch)].failedAtTimes = 0;
        replies << supervisionReport();
    } else {
        return false;
    }
    return true;
}

void SimModule::sensorPressesLearnButton()
{
    if (m_learnChannel < 0)
        return;
    const int ch = m_learnChannel;
    m_learnChannel = -1;
    SimChannel &c = table[std::size_t(ch)];
    c.used = true;
    c.org = m_learnOrg;
    c.id = sensors.learnSensorId;
    c.db = {};
    // A learn telegram: bit 3 of DB0 clear.
    sendToProgram(channelTelegram(ch, c.org, c.id, {0, 0, 0, 0}));
}

QByteArray SimModule::supervisionMessage(bool on, int minutes, int ch, const QString &org, const QString &id,
                                         SimWatch watch)
{
    QString t = QStringLiteral("A55B0B") + (org.isEmpty() ? QStringLiteral("00") : org);
    t += on ? QStringLiteral("F0") + hex2(minutes) + hex2(watch.failedAtTimes) + hex2(watch.notSending)
            : QStringLiteral("00000000");
    t += (id.isEmpty() ? QStringLiteral("00000000") : id) + QStringLiteral("00") + hex2(ch);
    return t.toLatin1();
}

QList<QByteArray> SimModule::supervisionReport() const
{
    QList<QByteArray> report;
    if (!sensors.supervisionOn) {
        report << supervisionMessage(false, 0, 0xFF, {}, {}, {});
        return report;
    }
    for (int i = 0; i < int(table.size()); ++i) {
        const SimChannel &c = table[std::size_t(i)];
        if (c.used)
            report << supervisionMessage(true, sensors.supervisionMinutes, i, c.org, c.id,
                                         sensors.watch[std::size_t(i)]);
    }
    return report;
}

} // namespace nvxsim
