#include "network/firmwareplan.h"

#include <QTest>

using namespace nvx;

Q_DECLARE_METATYPE(std::vector<FirmwareStep>)

class TestFirmwarePlan : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void plan_data()
    {
        using S = FirmwareStep;
        QTest::addColumn<qint64>("length");
        QTest::addColumn<QByteArray>("prefix");
        QTest::addColumn<std::vector<FirmwareStep>>("steps");
        QTest::newRow("empty") << qint64(0) << QByteArray::fromHex("00000000")
                               << std::vector<S>{{S::Prefix, 0, 0, 4}, {S::End, 300, 0, 0}};
        QTest::newRow("one byte") << qint64(1) << QByteArray::fromHex("00000001")
                                  << std::vector<S>{{S::Prefix, 0, 0, 4}, {S::Chunk, 800, 0, 1}, {S::End, 0, 1, 0}};
        QTest::newRow("one chunk") << qint64(1024) << QByteArray::fromHex("00000400")
                                   << std::vector<S>{{S::Prefix, 0, 0, 4}, {S::Chunk, 800, 0, 1024}, {S::End, 0, 1024, 0}};
        QTest::newRow("1025") << qint64(1025) << QByteArray::fromHex("00000401")
                              << std::vector<S>{{S::Prefix, 0, 0, 4}, {S::Chunk, 800, 0, 1024},
                                                {S::Chunk, 500, 1024, 1}, {S::End, 0, 1025, 0}};
        QTest::newRow("3000") << qint64(3000) << QByteArray::fromHex("00000BB8")
                              << std::vector<S>{{S::Prefix, 0, 0, 4}, {S::Chunk, 800, 0, 1024},
                                                {S::Chunk, 500, 1024, 1024}, {S::Chunk, 500, 2048, 952},
                                                {S::End, 0, 3000, 0}};
    }
    void plan()
    {
        QFETCH(qint64, length);
        QFETCH(QByteArray, prefix);
        QFETCH(std::vector<FirmwareStep>, steps);
        QCOMPARE(firmwareLengthPrefix(length).value_or("none"), prefix);
        QVERIFY(firmwareTransferPlan(length) == steps);
    }

    void sixtyFourKiB()
    {
        QCOMPARE(*firmwareLengthPrefix(65536), QByteArray::fromHex("00010000"));
        const std::vector<FirmwareStep> plan = firmwareTransferPlan(65536);
        QCOMPARE(plan.size(), std::size_t(66));
        for (std::size_t i = 1; i <= 64; ++i) {
            QCOMPARE(plan[i].kind, FirmwareStep::Chunk);
            QCOMPARE(plan[i].size, qint64(1024));
            QCOMPARE(plan[i].offset, qint64(i - 1) * 1024);
        }
    }

    // Four bytes cannot tell a longer file's length: it is not sent at all.
    void tooLongForThePrefix()
    {
        QCOMPARE(*firmwareLengthPrefix(0xFFFFFFFF), QByteArray::fromHex("FFFFFFFF"));
        QVERIFY(!firmwareLengthPrefix(qint64(1) << 32));
        QVERIFY(firmwareTransferPlan(qint64(1) << 32).empty());
        QVERIFY(firmwareTransferPlan(-1).empty());
    }
};

QTEST_GUILESS_MAIN(TestFirmwarePlan)
#include "test_firmwareplan.moc"
