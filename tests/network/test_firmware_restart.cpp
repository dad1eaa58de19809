// A whole firmware upload as the user sees it, the restart wait included
// (in its own test program, as the wait takes half a minute).

#include "firmware_fixture.h"

using namespace nvx;
using namespace nvxtest;

class TestFirmwareRestart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void threeThousandBytes()
    {
        FirmwareBench b;
        QVERIFY(b.setUp());
        b.state.OperationFailed = true;
        const UploadSeen seen = upload(b, b.writeFile(3000), true);

        const nvxsim::SimFirmware *fw = b.firmware();
        QCOMPARE(fw->prefix.toHex(), QByteArray("00000bb8"));
        QCOMPARE(chunkSizes(fw), (QList<qsizetype>{1024, 1024, 952}));
        const QList<qint64> gaps = chunkGapsMs(fw);
        QVERIFY2(gaps[0] >= 800 && gaps[1] >= 500 && gaps[2] >= 500,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(gaps[0]).arg(gaps[1]).arg(gaps[2])));
        QCOMPARE(seen.barMaximum, 3000);
        QCOMPARE(seen.barValue, 3000);
        QVERIFY(seen.restartWait);
        QCOMPARE(seen.restartWaitText, text(15));
        QVERIFY2(seen.restartWaitMs >= 29900 && seen.restartWaitMs < 32000, qPrintable(QString::number(seen.restartWaitMs)));
        QCOMPARE(seen.result, text(19));
        QCOMPARE(seen.statusAtResult, int(StatusRestartWait));
        QVERIFY(!seen.operationFailed);
        QCOMPARE(b.state.StatusCode, int(StatusIdle));
    }
};

QTEST_MAIN(TestFirmwareRestart)
#include "test_firmware_restart.moc"
