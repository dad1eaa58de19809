// The firmware upload against modules that do not take the file as fast as
// it is sent: one that stops reading, and ones that store it slowly (in its
// own test program, as each takes seconds of the transfer's fixed pace).

#include "firmware_fixture.h"

#include "network/firmwareplan.h"

using namespace nvx;
using namespace nvxtest;

namespace {

// From the connection attempt to the last chunk of a file of `chunks`.
constexpr qint64 lastChunkMs(int chunks)
{
    return firmware::PauseAfterPrefixMs + qint64(chunks) * firmware::PauseBeforeChunkMs;
}

// Where the stall time after the last of `chunks` is over.
constexpr qint64 stalledMs(int chunks)
{
    return lastChunkMs(chunks) + firmware::StallTimeoutMs;
}

} // namespace

class TestFirmwareDelivery : public QObject {
    Q_OBJECT
    std::unique_ptr<FirmwareBench> b;
    enum StoppedModule { KeepsConnection, ResetsOnceAllSent, NoRoomForAChunk };

private Q_SLOTS:
    void init()
    {
        b = std::make_unique<FirmwareBench>();
        QVERIFY(b->setUp());
    }
    void cleanup() { b.reset(); }

    // A module that stops taking the file after 8 KB is not updated,
    // however much of the file went into the connection: the bytes it has
    // not acknowledged tell once it acknowledged none for the stall time,
    // after the last chunk or while a chunk finds no room in the connection,
    // and at once when it resets the connection.
    // Each case ends within its bound (times from the connection attempt).
    void moduleThatStopsReading_data()
    {
        QTest::addColumn<int>("then");
        QTest::addColumn<int>("chunks");
        QTest::addColumn<qint64>("minimumMs");
        QTest::addColumn<qint64>("maximumMs");
        QTest::newRow("keeps the connection")
            << int(KeepsConnection) << 9 << stalledMs(8) << stalledMs(9) + 5000;
        QTest::newRow("resets once all is sent")
            << int(ResetsOnceAllSent) << 9 << lastChunkMs(9) << lastChunkMs(9) + 5000;
        QTest::newRow("no room for a chunk")
            << int(NoRoomForAChunk) << 16 << stalledMs(8) << stalledMs(16) + 5000;
    }
    void moduleThatStopsReading()
    {
        QFETCH(int, then);
        QFETCH(int, chunks);
        QFETCH(qint64, minimumMs);
        QFETCH(qint64, maximumMs);
        nvxsim::SimFirmware *fw = b->firmware();
        fw->stopReadingAfterBytes = 8192;
        const auto during = [then, fw] {
            auto *window = qobject_cast<frmState *>(QApplication::activeModalWidget());
            if (then == NoRoomForAChunk)
                window->winsockUP->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 1);
            if (then != ResetsOnceAllSent)
                return;
            auto *poll = new QTimer(window);
            connect(poll, &QTimer::timeout, window, [window, fw, poll] {
                if (!window->UploadRunning) {
                    poll->stop();
                    fw->stop();   // unread bytes: the module resets the connection
                }
            });
            poll->start(10);
        };
        const UploadSeen seen = timedUpload(*b, qint64(chunks) * firmware::ChunkSize, during);
        QCOMPARE(seen.result, text(18));
        QCOMPARE(seen.statusAtResult, int(StatusFirmwareUpload));
        QVERIFY(seen.operationFailed);
        QVERIFY(!seen.restartWait);
        QCOMPARE(fw->fileBytes(), 8192);
        QVERIFY2(seen.resultAfterMs >= minimumMs && seen.resultAfterMs < maximumMs,
                 qPrintable(QString::number(seen.resultAfterMs)));
    }

    // A module that stores the file more slowly than it is sent is still
    // taking it after the close is due: it is updated once it has every
    // byte, also when its small receive window takes bursts seconds apart.
    void moduleThatStoresSlowly_data()
    {
        QTest::addColumn<qint64>("bytesPerSecond");
        QTest::addColumn<int>("receiveBuffer");
        QTest::addColumn<int>("chunks");
        QTest::newRow("a fifth of the pace, least buffer") << qint64(400) << 0 << 6;
        QTest::newRow("1 KB/s, 4 KB buffer") << qint64(1024) << 4096 << 32;
    }
    void moduleThatStoresSlowly()
    {
        QFETCH(qint64, bytesPerSecond);
        QFETCH(int, receiveBuffer);
        QFETCH(int, chunks);
        nvxsim::SimFirmware *fw = b->firmware();
        fw->readBytesPerSecond = bytesPerSecond;
        fw->receiveBufferBytes = receiveBuffer;
        const qint64 size = qint64(chunks) * firmware::ChunkSize;
        const qint64 closeDueMs = lastChunkMs(chunks) + firmware::CloseAfterLastChunkMs;
        const UploadSeen seen = timedUpload(*b, size);
        QVERIFY(seen.restartWait);
        QCOMPARE(seen.result, text(19));
        QVERIFY(!seen.operationFailed);
        QVERIFY2(seen.resultAfterMs > closeDueMs, qPrintable(QString::number(seen.resultAfterMs)));
        QTRY_COMPARE_WITH_TIMEOUT(fw->fileBytes(), size, size * 1000 / bytesPerSecond);
    }
};

QTEST_MAIN(TestFirmwareDelivery)
#include "test_firmware_delivery.moc"
