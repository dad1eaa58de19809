#pragma once
// The firmware transfer from the module's side: after a start request for its
// MAC the module takes a TCP connection on port 1470 of its address and
// records the length prefix and every chunk with its arrival time. It can also
// refuse the connection, close it or stop reading after some bytes, read
// slowly, or leave the attempt unanswered.

#include <QByteArray>
#include <QList>
#include <QObject>

class QSocketNotifier;
class QTcpServer;
class QTcpSocket;
class QTimer;

namespace nvxsim {

class SimModule;

class SimFirmware : public QObject {
    Q_OBJECT
public:
    explicit SimFirmware(SimModule *module);
    ~SimFirmware() override;

    enum class Answer {
        Accept,      // take the connection
        Refuse,      // nothing listens: the attempt is refused at once
        NeverAnswer, // the attempt gets no answer at all
    };
    Answer answer = Answer::Accept;
    // When not negative: the module closes the connection once this many
    // bytes of the file (the prefix not counted) have arrived.
    qint64 closeAfterBytes = -1;
    // When not negative: the module reads this many bytes of the file (the
    // prefix not counted) and then no more, leaving the connection open.
    // Its receive window is then as small as a module's, so what it does not
    // read stays unacknowledged with the sender.
    qint64 stopReadingAfterBytes = -1;
    // When above 0: the module takes at most this many bytes a second, as
    // one that stores the file more slowly than it is sent, with the same
    // small receive window.
    qint64 readBytesPerSecond = 0;
    // When above 0: the receive buffer of a module that stops reading or
    // reads slowly, instead of the kernel's least. It sets the window the
    // module offers, and so how long the sender waits between the bursts a
    // full window lets through.
    int receiveBufferBytes = 0;

    // One burst of bytes: everything that arrived without a gap of
    // BurstGapUs, with the time its first byte came.
    struct Chunk {
        QByteArray data;
        qint64 atUs = 0;
    };
    static constexpr qint64 BurstGapUs = 100000;

    // The last transfer as it arrived. Times in microseconds of the clock of
    // now(), taken by the kernel as the bytes came in, so that they do not
    // depend on when the simulator got round to reading them.
    int connections = 0;
    QByteArray prefix;
    qint64 prefixAtUs = -1;
    QList<Chunk> chunks;
    qint64 fileBytes() const;
    bool closedByProgram = false;
    qint64 closedAtUs = -1;

    static qint64 now();

    // A start request for this module: forget the last transfer and wait for
    // the next one as `answer` says.
    void takeStartRequest();
    void stop();

Q_SIGNALS:
    void prefixReceived();
    void chunkReceived();
    void closed();

private:
    void adopt(qintptr descriptor);
    void readData();
    void take(const QByteArray &data, qint64 atUs);
    void closeConnection();

    SimModule *m_module;
    QTcpServer *m_server = nullptr;
    QTcpSocket *m_filler = nullptr;
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QTimer *m_slowRead = nullptr;
    qint64 m_readBudget = 0;
    qint64 m_readTicks = 0;
    qint64 m_lastAtUs = -1;
};

} // namespace nvxsim
