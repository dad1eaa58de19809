// receiver-sim: simulated NVX-Ethernet receivers on loopback, for trying the
// program without hardware.
//
//   receiver-sim [--module MAC,IP,port,serverIP,serverPort[,mode[,proto]]]...
//                [--reply-delay MS] [--learn-delay MS] [--learn-id ID] [--base-id ID]
//                [--firmware-refuse | --firmware-never-answer]
//                [--firmware-close-after N] [--firmware-stop-after N] [--firmware-read-rate N]
//                [--firmware-receive-buffer N]
//                [--gateway [--gateway-interval MS]] [--quiet]
//
// MAC as 00:1A:2B:03:0C:FF, mode "server" or "client", proto "tcp" or "udp".
// Without --module two modules on 127.0.0.2 and 127.0.0.3 whose server is
// 127.0.0.1 (the program's address inside the test namespace; on a PC with a
// network the program's local IP is its LAN address, to be given as serverIP).
// Modules answer searches and settings at port 5001 of the sender. Every
// module starts with three learned sensors, which send a data telegram now
// and then while the program is linked. A learn-in by button is answered by a
// simulated sensor pressing its learn button after --learn-delay; the
// supervision report follows every table read and supervision command.
// With --gateway the receivers report gateway mode and, while linked,
// forward a radio telegram every --gateway-interval milliseconds instead of
// the channel telegrams.

#include "sim_firmware.h"
#include "simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QTextStream>
#include <QTimer>

namespace {

std::optional<nvxsim::BoardRecord> parseModule(const QString &definition, QString *error)
{
    const QStringList f = definition.split(QLatin1Char(','));
    if (f.size() < 5) {
        *error = QStringLiteral("--module needs MAC,IP,port,serverIP,serverPort");
        return std::nullopt;
    }
    const QByteArray mac = QByteArray::fromHex(f[0].toLatin1().replace(':', ""));
    if (mac.size() != 6) {
        *error = QStringLiteral("bad MAC: ") + f[0];
        return std::nullopt;
    }
    if (!nvx::parseDotted(f[1]).ok() || !nvx::parseDotted(f[3]).ok()) {
        *error = QStringLiteral("bad address in: ") + definition;
        return std::nullopt;
    }
    if (!QHostAddress(f[1]).isLoopback()) {
        *error = QStringLiteral("modules live on loopback addresses only: ") + f[1];
        return std::nullopt;
    }
    bool okPort = false, okServerPort = false;
    const int port = f[2].toInt(&okPort);
    const int serverPort = f[4].toInt(&okServerPort);
    if (!okPort || !okServerPort || port < 0 || port > 65535 || serverPort < 0 || serverPort > 65535) {
        *error = QStringLiteral("bad port in: ") + definition;
        return std::nullopt;
    }
    nvxsim::BoardRecord rec = nvxsim::makeRecord(mac, f[1], port, f[3], serverPort);
    if (f.size() > 5)
        rec[nvxsim::BoardRecord::Mode] = f[5].compare(QLatin1String("client"), Qt::CaseInsensitive) == 0 ? 0 : 2;
    if (f.size() > 6)
        rec[nvxsim::BoardRecord::Udp] = f[6].compare(QLatin1String("udp"), Qt::CaseInsensitive) == 0 ? 1 : 0;
    return rec;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("receiver-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated NVX-Ethernet receivers on loopback addresses. They answer searches and settings at UDP port 5001 "
        "of the sender and report to serverIP, which must be the program's local IP (127.0.0.1 only on a PC "
        "without a network)."));
    parser.addHelpOption();
    QCommandLineOption moduleOption(QStringLiteral("module"),
                                    QStringLiteral("A module: MAC,IP,port,serverIP,serverPort[,server|client[,tcp|udp]]."),
                                    QStringLiteral("definition"));
    QCommandLineOption delayOption(QStringLiteral("reply-delay"), QStringLiteral("Answer searches after MS milliseconds."),
                                   QStringLiteral("ms"), QStringLiteral("0"));
    QCommandLineOption quietOption(QStringLiteral("quiet"), QStringLiteral("Do not print the datagrams received."));
    QCommandLineOption learnDelayOption(
        QStringLiteral("learn-delay"),
        QStringLiteral("A learn-in by button: the sensor presses its learn button after MS milliseconds (-1: never)."),
        QStringLiteral("ms"), QStringLiteral("3000"));
    QCommandLineOption learnIdOption(QStringLiteral("learn-id"),
                                     QStringLiteral("The ID (8 hex digits) the learning sensor sends."),
                                     QStringLiteral("id"), QStringLiteral("0012AB9F"));
    QCommandLineOption baseIdOption(QStringLiteral("base-id"),
                                    QStringLiteral("The base ID (8 hex digits) the radio module reports."),
                                    QStringLiteral("id"), QStringLiteral("FFFFFF80"));
    QCommandLineOption refuseOption(QStringLiteral("firmware-refuse"),
                                    QStringLiteral("Refuse the firmware transfer connection (nothing listens on TCP 1470)."));
    QCommandLineOption neverOption(QStringLiteral("firmware-never-answer"),
                                   QStringLiteral("Leave the firmware transfer connection attempt unanswered."));
    QCommandLineOption closeAfterOption(QStringLiteral("firmware-close-after"),
                                       QStringLiteral("Close the firmware transfer connection once N bytes of the file "
                                                      "(the length prefix not counted) arrived."),
                                       QStringLiteral("n"));
    QCommandLineOption stopReadingOption(QStringLiteral("firmware-stop-after"),
                                         QStringLiteral("Stop reading the firmware transfer once N bytes of the file "
                                                        "(the length prefix not counted) arrived, without closing."),
                                         QStringLiteral("n"));
    QCommandLineOption readRateOption(QStringLiteral("firmware-read-rate"),
                                      QStringLiteral("Read the firmware transfer at N bytes a second, as a module "
                                                     "that stores the file slowly."),
                                      QStringLiteral("n"));
    QCommandLineOption receiveBufferOption(
        QStringLiteral("firmware-receive-buffer"),
        QStringLiteral("With --firmware-stop-after or --firmware-read-rate: the module's receive buffer for the "
                       "firmware transfer is N bytes instead of the system's least."),
        QStringLiteral("n"));

    QCommandLineOption gatewayOption(QStringLiteral("gateway"),
                                     QStringLiteral("Receivers in gateway mode: they forward a stream of radio telegrams."));
    QCommandLineOption gatewayIntervalOption(QStringLiteral("gateway-interval"),
                                             QStringLiteral("Gateway mode: one radio telegram every MS milliseconds."),
                                             QStringLiteral("ms"), QStringLiteral("500"));
    parser.addOptions({moduleOption, delayOption, learnDelayOption, learnIdOption, baseIdOption, refuseOption, neverOption,
                       closeAfterOption, stopReadingOption, readRateOption, receiveBufferOption, gatewayOption,
                       gatewayIntervalOption, quietOption});
    parser.process(app);

    QTextStream err(stderr);
    QStringList definitions = parser.values(moduleOption);
    if (definitions.isEmpty())
        definitions = {QStringLiteral("00:1A:2B:00:00:02,127.0.0.2,10001,127.0.0.1,10002"),
                 QStringLiteral("00:1A:2B:00:00:03,127.0.0.3,10001,127.0.0.1,10003")};

    // The learning sensor's ID goes into its telegram as it stands.
    const QString learnId = parser.value(learnIdOption).toUpper();
    if (!QRegularExpression(QStringLiteral("^[0-9A-F]{8}$")).match(learnId).hasMatch()) {
        err << "receiver-sim: --learn-id needs 8 hex digits, not \"" << learnId << "\"" << Qt::endl;
        return 2;
    }

    nvxsim::ReceiverSimulator sim;
    const int delay = parser.value(delayOption).toInt();
    for (const QString &definition : definitions) {
        QString error;
        const auto rec = parseModule(definition, &error);
        if (!rec) {
            err << "receiver-sim: " << error << Qt::endl;
            return 2;
        }
        nvxsim::SimModule *m = sim.addModule(*rec);
        m->behaviour.replyDelayMs = delay;
        m->sensors.learnButtonDelayMs = parser.value(learnDelayOption).toInt();
        m->sensors.learnSensorId = learnId;
        m->receiver.gatewayFlag = parser.isSet(gatewayOption);
        m->baseId = parser.value(baseIdOption).toUpper();
        nvxsim::SimFirmware *fw = m->firmware();
        if (parser.isSet(refuseOption))
            fw->answer = nvxsim::SimFirmware::Answer::Refuse;
        if (parser.isSet(neverOption))
            fw->answer = nvxsim::SimFirmware::Answer::NeverAnswer;
        if (parser.isSet(closeAfterOption))
            fw->closeAfterBytes = parser.value(closeAfterOption).toLongLong();
        if (parser.isSet(stopReadingOption))
            fw->stopReadingAfterBytes = parser.value(stopReadingOption).toLongLong();
        if (parser.isSet(readRateOption))
            fw->readBytesPerSecond = parser.value(readRateOption).toLongLong();
        if (parser.isSet(receiveBufferOption))
            fw->receiveBufferBytes = parser.value(receiveBufferOption).toInt();
        if (!parser.isSet(quietOption)) {
            QObject::connect(fw, &nvxsim::SimFirmware::prefixReceived, fw, [fw] {
                const QByteArray &p = fw->prefix;
                QTextStream(stdout) << "firmware length prefix: " << p.toHex(' ') << Qt::endl;
            });
            QObject::connect(fw, &nvxsim::SimFirmware::chunkReceived, fw, [fw] {
                QTextStream(stdout) << "firmware bytes received: " << fw->fileBytes() << Qt::endl;
            });
            QObject::connect(m, &nvxsim::SimModule::commandReceived, m, [](const QString &command) {
                if (command.startsWith(QLatin1String("A55A6B")))
                    QTextStream(stdout) << "radio telegram to transmit: " << command.trimmed() << Qt::endl;
            });
        }
    }
    if (!parser.isSet(quietOption)) {
        QObject::connect(&sim, &nvxsim::ReceiverSimulator::configMessageReceived, &app, [](const QByteArray &d) {
            QTextStream out(stdout);
            out << "config datagram: " << d.left(4) << " (" << d.size() << " bytes)" << Qt::endl;
        });
    }
    if (!sim.start()) {
        err << "receiver-sim: cannot bind UDP port 1460" << Qt::endl;
        return 1;
    }
    // A few sensors so that reading the table and watching telegrams show
    // something: a rocker switch, a 1-byte and a 4-byte sensor.
    const struct {
        int channel;
        const char *org;
        const char *id;
        std::array<int, 4> db; // DB3..DB0, bit 3 of DB0 set: data telegram
    } sensors[] = {{0, "05", "0012A3F1", {0x30, 0, 0, 0x08}},
                   {2, "06", "00813C22", {0x5A, 0, 0, 0x08}},
                   {5, "07", "000FA850", {0x10, 0x20, 0x30, 0x08}}};
    for (nvxsim::SimModule *m : sim.modules()) {
        for (const auto &s : sensors) {
            nvxsim::SimChannel &c = m->table[static_cast<std::size_t>(s.channel)];
            c.used = true;
            c.org = QLatin1String(s.org);
            c.id = QLatin1String(s.id);
            c.db = s.db;
        }
    }
    QTimer traffic;
    int tick = 0;
    QObject::connect(&traffic, &QTimer::timeout, &app, [&sim, &sensors, &tick] {
        const auto &s = sensors[tick++ % 3];
        std::array<int, 4> db = s.db;
        if (QLatin1String(s.org) != QLatin1String("05"))
            db[0] = (db[0] + tick * 7) & 0xFF; // a measured value that moves
        for (nvxsim::SimModule *m : sim.modules())
            if (m->isConnected())
                m->sendChannelTelegram(s.channel, QLatin1String(s.org), QLatin1String(s.id), db);
    });
    if (parser.isSet(gatewayOption)) {
        for (nvxsim::SimModule *m : sim.modules())
            m->startGatewayStream(parser.value(gatewayIntervalOption).toInt());
    } else {
        traffic.start(4000);
    }

    QTextStream out(stdout);
    for (nvxsim::SimModule *m : sim.modules()) {
        m->startReceiver();
        out << "module " << m->macText() << " at " << m->address().toString() << Qt::endl;
    }
    out << "receiver-sim: ready" << Qt::endl;
    return app.exec();
}
