#pragma once
// A simulated LAN of NVX-Ethernet receivers, from the receivers' side: each
// module answers the module configuration protocol on UDP port 1460 and, as a
// receiver, speaks the receiver protocol in the mode its record names. Every
// module lives on its own loopback address (127.0.0.x), so the program sees
// the sender addresses it would see on a real LAN. Nothing is ever sent to a
// non-loopback address.

#include "network/boardrecord.h"

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>

class QTcpServer;
class QTcpSocket;
class QTimer;
class QUdpSocket;

namespace nvxsim {

using nvx::BoardRecord;
class SimFirmware;

// Builds a record with the given MAC, IP and ports; the rest as a module
// fresh from the factory (subnet 255.255.255.0, gateway 0.0.0.0, version 2.10,
// TCP server mode).
BoardRecord makeRecord(const QByteArray &mac6, const QString &ip, int port, const QString &serverIp, int serverPort);

// One learned channel of the receiver's sensor table.
struct SimChannel {
    bool used = false;
    QString org;   // "05", "06", "07"
    QString id;    // 8 hex digits
    std::array<int, 4> db{}; // DB3, DB2, DB1, DB0 of the last data telegram
};

// What the receiver's supervision reports for one channel's sensor: byte 4
// (0 never failed, 1 failed at times, newly; 2 and more: still) and byte 5
// (0 sending, 1 not sending).
struct SimWatch {
    int failedAtTimes = 0;
    int notSending = 0;
};

// The sensor supervision and the learn-in of the receiver.
struct SensorBehaviour {
    // A learn-in by button waits for the sensor: it presses its learn button
    // after this many milliseconds; -1: never.
    int learnButtonDelayMs = -1;
    // The ID the sensor sends with its learn telegram.
    QString learnSensorId = QStringLiteral("0012AB9F");
    bool supervisionOn = false;
    int supervisionMinutes = 0;
    std::array<SimWatch, 30> watch{};
};

// How a module answers the module configuration protocol.
struct ModuleBehaviour {
    int replyDelayMs = 0;      // IMIN after this delay
    bool noReply = false;      // never answers FIND
    bool replyTwice = false;   // answers FIND twice (same MAC)
    bool secondPath = false;   // answers a second time from another address
    int truncateReplyTo = 0;   // >0: cut the IMIN datagram to this many bytes
    int padReplyTo = 0;        // >49: lengthen the IMIN datagram with zero bytes
    int setcDelayMs = 0;       // SETC after this delay
    bool noSetc = false;       // never confirms SETT
    std::optional<QByteArray> setcMac; // confirm with this MAC instead of its own
};

// How the receiver behind the module answers the receiver protocol.
struct ReceiverBehaviour {
    bool answerStatus = true;  // answer the status request
    bool gatewayFlag = false;  // status reply character 8
    bool rssiFlag = false;     // status reply character 10
    bool serverFlag = false;   // status reply character 12
    int telegramDelayMs = 0;   // pause before answering a command
};

class SimModule : public QObject {
    Q_OBJECT
public:
    SimModule(const BoardRecord &record, QObject *parent = nullptr);
    ~SimModule() override;

    BoardRecord record;
    ModuleBehaviour behaviour;
    ReceiverBehaviour receiver;
    std::array<SimChannel, 30> table;
    SensorBehaviour sensors;

    QHostAddress address() const { return QHostAddress(record.dotted(BoardRecord::Ip)); }
    QString macText() const { return record.macText(); }
    // Its firmware transfer port (sim_firmware.h), made on first use.
    SimFirmware *firmware();

    // ---- receiver protocol ------------------------------------------------
    // Opens the receiver's socket for the mode of its record: a TCP server on
    // its own address and port, a TCP client to the program's server port on
    // 127.0.0.1, or a UDP socket on its own address and port.
    bool startReceiver();
    void stopReceiver();
    bool isConnected() const;
    // Every command the receiver got, as received (blanks included), in order.
    QStringList commands() const { return m_commands; }
    // The radio telegrams ("A55A6B...") it was asked to transmit, as received.
    QStringList radioTelegrams() const;
    void clearCommands() { m_commands.clear(); }
    // Sends a raw telegram text (normally 28 characters) to the program.
    void sendText(const QByteArray &text);
    // A channel telegram for `ch` with DB3..DB0; bit 3 of DB0 clear makes it
    // a learn telegram.
    static QByteArray channelTelegram(int ch, const QString &org, const QString &id, std::array<int, 4> db3to0);
    void sendChannelTelegram(int ch, const QString &org, const QString &id, std::array<int, 4> db3to0);
    QByteArray statusReply() const;
    // The supervision report: one "A55B" message per learned channel while
    // supervision is on, one for channel "FF" while it is off.
    QList<QByteArray> supervisionReport() const;
    static QByteArray supervisionMessage(bool on, int minutes, int ch, const QString &org, const QString &id,
                                         SimWatch watch);
    // A learn-in by button waiting for its sensor (channel, ORG), if any.
    bool learnPending() const { return m_learnChannel >= 0; }
    QByteArray baseIdReply(const QString &baseId) const;
    // ---- gateway mode (sim_gateway.cpp) ----------------------------------
    // A radio telegram as the receiver forwards it in gateway mode.
    static QByteArray radioTelegram(const QString &org, const QString &id, std::array<int, 4> db3to0);
    // The sensors heard in gateway mode, forwarded in turn by the stream.
    QStringList gatewaySensors{QStringLiteral("0012A3F1"), QStringLiteral("000FA850"), QStringLiteral("00813C22")};
    // Forwards a radio telegram of the next sensor every `intervalMs` while
    // the program is linked; the data bytes change with every telegram.
    void startGatewayStream(int intervalMs);
    void stopGatewayStream();
    int gatewayTelegramsSent() const { return m_gatewaySent; }

    // Gateway options last received, as text ("" when none came).
    QString gatewayOptions;
    // The base ID the radio module reports on a base-ID request.
    QString baseId = QStringLiteral("FFFFFF80");

Q_SIGNALS:
    void commandReceived(const QString &command);
    void connected();

private:
    void handleReceiverData(const QByteArray &data, const QHostAddress &from, quint16 port);
    void answerCommand(const QString &command);
    void sendToProgram(const QByteArray &data);
    void adoptConnection(QTcpSocket *socket);
    void connectToProgram();
    void readTcp();
    void splitCommands(bool flushBare);
    // The learn-in, delete and supervision commands (sim_sensors.cpp); true
    // when the command was one of them.
    bool answerSensorCommand(const QString &code, int ch, bool channelOk, const QString &command,
                             QList<QByteArray> &replies);
    void sensorPressesLearnButton();

    QStringList m_commands;
    QByteArray m_tcpBuffer;
    QTimer *m_gatewayTimer = nullptr;
    int m_gatewaySent = 0;
    bool m_started = false;
    QTimer *m_retryTimer = nullptr;
    QTimer *m_bareTimer = nullptr;
    QTimer *m_learnTimer = nullptr;
    int m_learnChannel = -1;
    QString m_learnOrg;
    QTcpServer *m_server = nullptr;
    QPointer<QTcpSocket> m_tcp;
    QUdpSocket *m_udp = nullptr;
    QHostAddress m_udpPeer;
    quint16 m_udpPeerPort = 0;
};

// The LAN: the modules and the shared UDP port 1460.
class ReceiverSimulator : public QObject {
    Q_OBJECT
public:
    explicit ReceiverSimulator(QObject *parent = nullptr);
    ~ReceiverSimulator() override;

    SimModule *addModule(const BoardRecord &record);
    QList<SimModule *> modules() const { return m_modules; }
    SimModule *module(const QString &macText) const;

    // Binds port 1460: one socket on the any-address for broadcasts and one
    // per module on its own address for direct requests.
    bool start();
    void stop();

    // Every module configuration datagram received, in order.
    QList<QByteArray> configMessages() const { return m_configMessages; }
    // The same datagrams with where they came from and where they went.
    struct ConfigDatagram {
        QByteArray data;
        QHostAddress from;
        quint16 fromPort = 0;
        QHostAddress to;  // the module's own address, or broadcast
    };
    QList<ConfigDatagram> configLog() const { return m_configLog; }
    void clearConfigLog();
    int findCount() const;
    // "FIRS" requests a module accepted, in order.
    QStringList firmwareStarts() const { return m_firmwareStarts; }

Q_SIGNALS:
    void configMessageReceived(const QByteArray &datagram);
    // A module took a settings record ("SETT" for its MAC).
    void settingsTaken(nvxsim::SimModule *module);
    void firmwareStartReceived(nvxsim::SimModule *module);

private:
    void readConfig(QUdpSocket *socket, SimModule *onlyModule);
    void handleConfig(const QByteArray &data, const QHostAddress &from, quint16 port, const QHostAddress &to,
                      SimModule *onlyModule);
    void answerFind(SimModule *module, const QHostAddress &to, quint16 port);
    void answerSett(SimModule *module, const QByteArray &datagram, const QHostAddress &to, quint16 port);
    void sendFrom(SimModule *module, const QByteArray &datagram, const QHostAddress &to, quint16 port,
                  bool secondPath = false);
    bool bindModuleSocket(SimModule *module);

    QList<SimModule *> m_modules;
    QList<QUdpSocket *> m_sockets;          // [0] broadcast socket, then one per module
    QHash<SimModule *, QUdpSocket *> m_moduleSockets;
    QList<QByteArray> m_configMessages;
    QList<ConfigDatagram> m_configLog;
    QStringList m_firmwareStarts;
    bool m_started = false;
};

} // namespace nvxsim
