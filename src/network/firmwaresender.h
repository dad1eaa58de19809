#pragma once
// Sends a firmware file over a connected socket as the transfer plan says,
// paced by a timer so that the program goes on working between the sends.

#include "network/firmwareplan.h"

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
    // Every outcome is reported by a signal, also one found here.
    void start(const QString &path);
    // Once finished(): waits until the module has acknowledged every byte
    // of the transfer and reports delivered(), or failed() when it took no
    // byte for DeliveryTimeoutMs or reset the connection. The count of bytes
    // not acknowledged is the kernel's; where the system does not tell it,
    // everything counts as delivered at once.
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
    // The file cannot be read or is too long, the connection is gone, or a
    // send failed. Nothing more is sent.
    void failed();

private:
    void runSteps();
    bool runStep(const FirmwareStep &step);
    void fail();
    void checkAllWritten();
    void checkDelivery();

    QPointer<QTcpSocket> m_socket;
    QFile m_file;
    QTimer m_pause;
    // Runs while the module is to take bytes: a chunk the socket cannot hand
    // on, or the acknowledgements at the close. It runs again as long as
    // the module takes bytes, so that one storing the file slowly is not
    // given up; the count of bytes it had not acknowledged when it started
    // tells (-1: not known).
    void watchTaking();
    QTimer m_takeTimeout;
    qint64 m_unacknowledged = -1;
    QTimer m_deliveryPoll;
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
