#include "link/manualtelegram.h"

#include <QTest>

using namespace nvx;

class TestManualTelegram : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void senderId_data()
    {
        QTest::addColumn<QString>("baseId");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("senderId");
        QTest::newRow("plain sum") << "FFFFFF80" << 0x05 << "FFFFFF85";
        QTest::newRow("spill over keeps 255 below") << "00000090" << 0x7F << "000010FF";
        QTest::newRow("spill over two bytes") << "0000FFFF" << 0x10 << "0010FFFF";
        QTest::newRow("all full") << "FFFFFFFF" << 0xFF << "FFFFFFFF";
        QTest::newRow("exactly 255") << "00000080" << 0x7F << "000000FF";
        QTest::newRow("no base ID yet") << "" << 0x05 << "00000005";
    }
    void senderId()
    {
        QFETCH(QString, baseId);
        QFETCH(int, offset);
        QFETCH(QString, senderId);
        const std::array<int, 4> base{hexField(baseId.mid(0, 2)), hexField(baseId.mid(2, 2)),
                                      hexField(baseId.mid(4, 2)), hexField(baseId.mid(6, 2))};
        QCOMPARE(senderIdText(CalcSenderID(base, offset)), senderId);
    }

    void checksum_data()
    {
        QTest::addColumn<int>("org");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("checksum");
        // 0x6B + 0xFF + 0xFF + 0xFF + 0x85 = 0x3ED
        QTest::newRow("low byte of the sum") << 0 << 0 << "ED";
        // 0x3ED + 0x18 = 0x405
        QTest::newRow("below 0x10 keeps two digits") << 0x18 << 0 << "05";
        QTest::newRow("status counts") << 0 << 0x30 << "1D";
    }
    void checksum()
    {
        QFETCH(int, org);
        QFETCH(int, status);
        QFETCH(QString, checksum);
        QCOMPARE(CalcTelegramChecksum(org, {0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0x85}, status), checksum);
        QCOMPARE(CalcTelegramChecksum(0x9A, {0, 0, 0, 0}, {0, 0, 0, 0}, 0), QStringLiteral("05")); // 0x105
    }

    void telegram_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("baseId");
        QTest::addColumn<QString>("telegram");
        QTest::newRow("example") << QStringList{"00", "00", "00", "00", "00", "05", "00"} << "FFFFFF80"
                                 << "A55A6B0000000000FFFFFF8500ED";
        QTest::newRow("short fields get a leading 0")
            << QStringList{"", "5", "0", "", "a", "7", ""} << "" << "A55A6B000500000a000000070081";
    }
    void telegram()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, baseId);
        QFETCH(QString, telegram);
        const ManualFields f{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]};
        QCOMPARE(composeManualTelegram(f, baseId), telegram);
        QCOMPARE(telegram.size(), 28);
    }
};

QTEST_GUILESS_MAIN(TestManualTelegram)
#include "test_manualtelegram.moc"
