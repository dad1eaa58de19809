// The firmware upload against modules that do not take the file as fast as
// it is sent: one that stops reading, and one that stores it slowly (in its
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

// Where the wait for the acknowledgements of a file of `chunks` ends when
// the module takes nothing more.
constexpr qint64 closeWaitOverMs(int chunks)
{
    return lastChunkMs(chunks) + firmware::CloseAfterLastChunkMs + firmware::DeliveryTimeoutMs;
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
    // not acknowledged tell at the close, at once when it resets the
    // connection, or a chunk finds no room in the connection any more.
    // Each case ends within its bound (times from the connection attempt).
    void moduleThatStopsReading_data()
    {
        QTest::addColumn<int>("then");
        QTest::addColumn<int>("chunks");
        QTest::addColumn<qint64>("minimumMs");
        QTest::addColumn<qint64>("maximumMs");
        QTest::newRow("keeps the connection")
            << int(KeepsConnection) << 9 << closeWaitOverMs(9) << closeWaitOverMs(9) + 5000;
        QTest::newRow("resets once all is sent")
            << int(ResetsOnceAllSent) << 9 << lastChunkMs(9) << lastChunkMs(9) + firmware::DeliveryTimeoutMs;
        QTest::newRow("no room for a chunk")
            << int(NoRoomForAChunk) << 16 << qint64(firmware::DeliveryTimeoutMs) << closeWaitOverMs(16);
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

    // A module that stores the file at a fifth of the pace is still taking
    // it long after the close is due: it is updated once it has every byte.
    void moduleThatStoresSlowly()
    {
        nvxsim::SimFirmware *fw = b->firmware();
        fw->readBytesPerSecond = 400;
        const int chunks = 6;
        const UploadSeen seen = timedUpload(*b, chunks * firmware::ChunkSize);
        QVERIFY(seen.restartWait);
        QCOMPARE(seen.result, text(19));
        QVERIFY(!seen.operationFailed);
        QVERIFY2(seen.resultAfterMs > closeWaitOverMs(chunks), qPrintable(QString::number(seen.resultAfterMs)));
        QTRY_COMPARE(fw->fileBytes(), chunks * firmware::ChunkSize);
    }
};

QTEST_MAIN(TestFirmwareDelivery)
#include "test_firmware_delivery.moc"
