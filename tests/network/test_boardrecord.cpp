#include "network/boardrecord.h"
#include "network/boards.h"

#include <QTest>

using namespace nvx;

class TestBoardRecord : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void macTextAndPorts()
    {
        BoardRecord rec = BoardRecord::fromBytes(QByteArray::fromHex("001A2B030CFF"));
        QCOMPARE(rec.macText(), QStringLiteral("00:1A:2B:03:0C:FF"));
        QCOMPARE(macDigits(rec.macText()), QStringLiteral("001A2B030CFF"));
        rec[BoardRecord::Port] = 0xFF;
        rec[BoardRecord::Port + 1] = 0xFF;
        QCOMPARE(rec.port(BoardRecord::Port), 65535);
        rec[BoardRecord::Port] = 0x80;
        rec[BoardRecord::Port + 1] = 0x00;
        QCOMPARE(rec.port(BoardRecord::Port), 32768);
        rec.setPort(BoardRecord::ServerPort, 65535);
        QCOMPARE(int(rec[BoardRecord::ServerPort]), 0xFF);
        QCOMPARE(int(rec[BoardRecord::ServerPort + 1]), 0xFF);
        rec[40] = 2;
        rec[41] = 10;
        QCOMPARE(rec.versionText(), QStringLiteral("2.10"));
    }

    void shortDataLeavesZeros()
    {
        const BoardRecord rec = BoardRecord::fromBytes(QByteArray(43, '\x01'));
        QCOMPARE(int(rec[42]), 1);
        QCOMPARE(int(rec[43]), 0);
        QCOMPARE(int(rec[44]), 0);
        QCOMPARE(rec.toBytes().size(), 45);
    }

    void dottedParsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("validParts");
        QTest::newRow("valid") << "10.0.20.4" << 4;
        QTest::newRow("three parts") << "10.0.20" << 0;
        QTest::newRow("empty part") << "192.168..1" << 2;
        QTest::newRow("above 255") << "255.255.300.0" << 2;
        QTest::newRow("last above 255") << "192.168.1.256" << 3;
        QTest::newRow("many digits") << "1.2.3.99999999999999999999" << 3;
        QTest::newRow("five parts") << "1.2.3.4.5" << 0;
        QTest::newRow("letters") << "1.a.3.4" << 1;
        QTest::newRow("leading zeros") << "010.000.020.004" << 4;
    }
    void dottedParsing()
    {
        QFETCH(QString, text);
        QFETCH(int, validParts);
        QCOMPARE(parseDotted(text).validParts, validParts);
    }

    void boardsKeepArrivalOrderAndMoveReplacedToEnd()
    {
        Boards boards;
        BoardRecord a, b;
        a[0] = 1;
        b[0] = 2;
        QVERIFY(boards.add(QStringLiteral("A"), a));
        QVERIFY(boards.add(QStringLiteral("B"), b));
        QVERIFY(!boards.add(QStringLiteral("A"), b));
        QCOMPARE(boards.keys(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
        QVERIFY(boards.replace(QStringLiteral("A"), b));
        QCOMPARE(boards.keys(), (QStringList{QStringLiteral("B"), QStringLiteral("A")}));
        QCOMPARE(boards.find(QStringLiteral("A"))->bytes[0], 2);
        QVERIFY(!boards.replace(QStringLiteral("C"), a));
    }
};

QTEST_GUILESS_MAIN(TestBoardRecord)
#include "test_boardrecord.moc"
