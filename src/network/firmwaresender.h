#pragma once
// Sends a firmware file over a connected socket as the transfer plan says,
// paced by a timer so that the program goes on working between the sends.

#include "network/firmwareplan.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <optional>

class QTcpSocket;

namespace nvx {

class FirmwareSender : public QObject {
    Q_OBJECT
public:
    explicit FirmwareSender(QTcpSocket *socket, QObject *parent = nullptr);
    ~FirmwareSender() override;

    // Opens the file and sends its prefix at once, the rest on its pauses.
    // Every outcome is reported by a signal, also one found here. From here
    // on the transfer fails when the module resets the connection with bytes
    // unacknowledged, acknowledges no byte for StallTimeoutMs while bytes
    // wait for it, or takes the file too slowly: the chunks may take their
    // pauses plus the acknowledgementBoundMs() of the whole transfer, the
    // wait after the last chunk that of the bytes then unacknowledged.
    void start(const QString &path);
    // Once finished(): waits until the module has acknowledged every byte
    // of the transfer and reports delivered(). The count of bytes not
    // acknowledged is the kernel's; where the system does not tell it,
    // everything handed to it counts as delivered.
    void awaitDelivery();
    // Ends a transfer without a result: no further send, the file closed,
    // and the connection let go of (see delivered()).
    void stop();
    bool isRunning() const { return m_running; }
    // The file's length once known.
    qint64 length() const { return m_total - 4; }

Q_SIGNALS:
    // The file is open and its length known; nothing is sent yet.
    void lengthKnown(qint64 length);
    // The file's bytes handed to the connection so far, after each chunk.
    void chunkSent(qint64 sent);
    // Every byte of prefix and file has gone into the connection.
    void finished();
    // The module has acknowledged every byte. The connection ends only once
    // the socket is closed and stop() has been called.
    void delivered();
    // The file cannot be read or is too long, the connection is gone, a
    // send failed, or the module stopped taking the file or takes it too
    // slowly (see start()). Nothing more is sent.
    void failed();

private:
    void runSteps();
    bool runStep(const FirmwareStep &step);
    void fail();
    void checkAllWritten();
    // The bytes handed to the socket that the module has not acknowledged,
    // those the socket still holds included.
    qint64 outstandingBytes() const;
    // Run on m_watchPoll from the connection to the end: success once
    // delivery is awaited and nothing is outstanding, else the failures.
    void watchModule();

    QPointer<QTcpSocket> m_socket;
    QFile m_file;
    QTimer m_pause;
    QTimer m_watchPoll;
    // The most bytes the module had acknowledged at a poll, and since when:
    // a count that only grows, so that acknowledgements smaller than a
    // chunk, or a new chunk handed on meanwhile, still tell progress.
    qint64 m_acknowledged = 0;
    QElapsedTimer m_sinceAcknowledged;
    QDeadlineTimer m_deadline;
    bool m_awaitingDelivery = false;
    // A descriptor of its own to the connection (-1: none).
    int m_watch = -1;
    std::vector<FirmwareStep> m_plan;
    std::size_t m_next = 0;
    bool m_pauseOver = false;
    bool m_running = false;
    bool m_allQueued = false;
    bool m_waitingForWrite = false;
    qint64 m_queued = 0;
    qint64 m_total = 4;
    qint64 m_written = 0;
};

} // namespace nvx
