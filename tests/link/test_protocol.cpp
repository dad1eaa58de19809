#include "link/protocol.h"
#include "link/telegramstream.h"

#include <QTest>

using namespace nvx;

class TestProtocol : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fixedLengthStrings()
    {
        const QString c = toCommandString(cmd::statusRequest());
        QCOMPARE(c.size(), 30);
        QCOMPARE(c, QStringLiteral("A55A9F02030405060708          "));
        QCOMPARE(toCommandString(cmd::readBaseId()), QStringLiteral("A55AAB5800000000000000000003  "));
        QCOMPARE(toReplyString(QStringLiteral("0123456789")), QStringLiteral("0123456789                  "));
        QCOMPARE(toReplyString(QString(40, QLatin1Char('A'))).size(), 28);
    }

    void hexRoutines()
    {
        for (const auto &[n, hex] : {std::pair{0, "00"}, {15, "0F"}, {16, "10"}, {29, "1D"}, {31, "1F"}})
            QCOMPARE(FormatHex2(n), QLatin1String(hex));
        for (const auto &[n, number] : {std::pair{0, "01"}, {9, "10"}, {29, "30"}, {38, "39"}})
            QCOMPARE(FormatChannelNumber(n), QLatin1String(number));
        // Lower case is hex too; other characters count with their code.
        for (const auto &[hex, n] : {std::pair{"FF", 255}, {"0A", 10}, {"1D", 29}, {"0a", 10}, {"fF", 255}, {"0g", 103},
                                     {"  ", (32 * 16) | 32}})
            QCOMPARE(ParseHex2(QLatin1String(hex)), n);
    }

    void commandTexts()
    {
        QCOMPARE(cmd::clearChannelForWrite(29), QStringLiteral("A55A941D020304050607"));
        QCOMPARE(cmd::clearChannelForWrite(0), QStringLiteral("A55A9400020304050607"));
        QCOMPARE(cmd::writeChannelForTable(10, QStringLiteral("06"), QStringLiteral("000FA850")),
                 QStringLiteral("A55A920A06000FA85007"));
        QCOMPARE(cmd::gatewayOptions(false, false, false), QStringLiteral("A55A9E00010003040506"));
        QCOMPARE(cmd::gatewayOptions(true, true, true), QStringLiteral("A55A9E01000103040506"));
        QCOMPARE(cmd::endManualLearn(QStringLiteral("05")), QStringLiteral("A55A9605010203040506"));
        QCOMPARE(cmd::supervisionOn(15), QStringLiteral("A55A9A0F020304050607"));
        QCOMPARE(cmd::supervisionOn(255), QStringLiteral("A55A9AFF020304050607"));
        QCOMPARE(cmd::writeChannelManual(3, QStringLiteral("07"), QStringLiteral("000FA850")),
                 QStringLiteral("A55A920307000FA85000"));
        QCOMPARE(cmd::clearChannelForDelete(5), QStringLiteral("A55A9405010203040506"));
        QCOMPARE(cmd::learnRocker(12), QStringLiteral("A55A970C050203040506"));
        QCOMPARE(cmd::learnSensor(1, QStringLiteral("07")), QStringLiteral("A55A9101070203040506"));
        QCOMPARE(cmd::resetSupervision(29), QStringLiteral("A55A9D1D010203040506"));
        // Radio telegram: checksum over 0x6B, the fields and the sender ID.
        QCOMPARE(cmd::sendRadioTelegram(QStringLiteral("00"), QStringLiteral("00"), QStringLiteral("00"),
                                        QStringLiteral("00"), QStringLiteral("00"), QStringLiteral("FFFFFF85"),
                                        QStringLiteral("00")),
                 QStringLiteral("A55A6B0000000000FFFFFF8500ED"));
        // Sum 0x105: the checksum keeps its leading zero.
        QCOMPARE(cmd::sendRadioTelegram(QStringLiteral("9A"), QStringLiteral("00"), QStringLiteral("00"),
                                        QStringLiteral("00"), QStringLiteral("00"), QStringLiteral("00000000"),
                                        QStringLiteral("00")).right(2),
                 QStringLiteral("05"));
        // Every 20-character command goes out with 10 blanks, the 28-character
        // ones with 2.
        for (const QString &c : {cmd::statusRequest(), cmd::readTableRequest(), cmd::cancelLearn(), cmd::supervisionOff(),
                                 cmd::gatewayOptions(true, false, false), cmd::learnRocker(0)}) {
            QCOMPARE(c.size(), 20);
            QCOMPARE(toCommandString(c), c + QString(10, QLatin1Char(' ')));
        }
        QCOMPARE(cmd::readBaseId().size(), 28);
    }

    void replyBytes()
    {
        const auto bytes = ParseReplyBytes(QStringLiteral("A55A0B0710203008000FA8500003"));
        QCOMPARE(bytes[0], 0x0B);
        QCOMPARE(bytes[1], 0x07);
        QCOMPARE(bytes[2], 0x10);
        QCOMPARE(bytes[5], 0x08);
        QCOMPARE(bytes[6], 0x00);
        QCOMPARE(bytes[9], 0x50);
        QCOMPARE(bytes[11], 0x03);
        QCOMPARE(bytes[12], 0);
        // A short reply parses its missing pairs from the blanks.
        QCOMPARE(ParseReplyBytes(QStringLiteral("A55A8B98"))[2], (32 * 16) | 32);
        const auto baseId = ParseReplyBytes(QStringLiteral("A55A8B9812345678"));
        QCOMPARE(baseId[0], 0x8B);
        QCOMPARE(baseId[1], 0x98);

        QVERIFY(replyPairsAreHex(QStringLiteral("A55A0B0710203008000FA8500003")));
        QVERIFY(replyPairsAreHex(QStringLiteral("a55a0b07102030080abcdef00003")));
        QVERIFY(!replyPairsAreHex(QStringLiteral("A55A0B0710203008000FA850000")));
        QVERIFY(!replyPairsAreHex(QStringLiteral("A55A0B07102030G8000FA8500003")));
        QVERIFY(!replyPairsAreHex(QStringLiteral("A55A0B071020300") + QChar(5) + QStringLiteral("000FA8500003")));
    }

    // Reads of a TCP stream (bytes and the time each came, in ms) and the
    // telegrams found in them.
    void stream_data()
    {
        const QByteArray t1 = "A55A0B0710203008000FA8500003";
        const QByteArray t2 = "A55A0B0510203008000FA8500004";
        // A telegram that carries the sync's digits in its ID.
        const QByteArray syncInside = "A55A0B0710203008A55A12340005";
        QTest::addColumn<QByteArrayList>("reads");
        QTest::addColumn<QList<int>>("times");
        QTest::addColumn<QByteArrayList>("telegrams");
        QTest::newRow("two in one read") << QByteArrayList{t1 + t2} << QList<int>{0} << QByteArrayList{t1, t2};
        QTest::newRow("one in two reads")
            << QByteArrayList{t1.left(10), t1.mid(10)} << QList<int>{0, 150} << QByteArrayList{t1};
        QTest::newRow("sync cut by a read")
            << QByteArrayList{t1.left(2), t1.mid(2)} << QList<int>{0, 10} << QByteArrayList{t1};
        QTest::newRow("27 characters") << QByteArrayList{t1.left(27) + t2 + t1} << QList<int>{0}
                                       << QByteArrayList{t2, t1};
        QTest::newRow("27 characters, next read")
            << QByteArrayList{t1.left(27), t2} << QList<int>{0, 5} << QByteArrayList{t2};
        QTest::newRow("24 bytes") << QByteArrayList{"A55A9F020304050607080910" + t2} << QList<int>{0}
                                  << QByteArrayList{t2};
        QTest::newRow("line end") << QByteArrayList{t1 + "\r\n" + t2 + "\r\n"} << QList<int>{0}
                                  << QByteArrayList{t1, t2};
        QTest::newRow("stray bytes") << QByteArrayList{QByteArray(100, '\x17') + "0123456789A5A55" + t2}
                                     << QList<int>{0} << QByteArrayList{t2};
        QTest::newRow("lower case") << QByteArrayList{t1.toLower() + t2} << QList<int>{0}
                                    << QByteArrayList{t1.toLower(), t2};
        QTest::newRow("sync digits in a telegram")
            << QByteArrayList{syncInside + t2, syncInside, "\r\n" + syncInside + "\r\n"} << QList<int>{0, 10, 20}
            << QByteArrayList{syncInside, t2, syncInside, syncInside};
        const int stale = int(TelegramStream::StaleMs);
        QTest::newRow("part given up after the pause")
            << QByteArrayList{t1.left(10), t1.mid(10), t2} << QList<int>{0, stale + 1, stale + 10}
            << QByteArrayList{t2};
        QTest::newRow("pause counts from the part's last byte")
            << QByteArrayList{t2 + t1.left(5), t1.mid(5, 5), t1.mid(10)} << QList<int>{0, stale - 100, 2 * stale - 200}
            << QByteArrayList{t2, t1};
        // A short piece and the next telegram's sync, its rest after a
        // segment sent again: the piece is no telegram.
        QTest::newRow("short piece, late rest") << QByteArrayList{t2.left(24) + t1.left(4), t1.mid(4)}
                                                << QList<int>{0, 600} << QByteArrayList{t1};
    }

    void stream()
    {
        QFETCH(QByteArrayList, reads);
        QFETCH(QList<int>, times);
        QFETCH(QByteArrayList, telegrams);
        TelegramStream stream;
        QStringList found;
        for (qsizetype i = 0; i < reads.size(); ++i)
            found << stream.feed(reads[i], times[i]);
        QStringList expected;
        for (const QByteArray &t : telegrams)
            expected << QString::fromLatin1(t);
        QCOMPARE(found, expected);
    }

    // 28 characters at the end of a read that may be a short piece and the
    // start of the next telegram wait for what follows, or for the pause.
    void heldUntilWhatFollows()
    {
        const QByteArray onRow10 = "A55A0B0610203008000FA850000A";   // ends in "A": a sync's start?
        const QByteArray t2 = "A55A0B0510203008000FA8500004";
        const auto list = [](std::initializer_list<QByteArray> ts) {
            QStringList l;
            for (const QByteArray &t : ts)
                l << QString::fromLatin1(t);
            return l;
        };
        TelegramStream stream;
        // A 27-character piece and the first character of the next telegram.
        QVERIFY(stream.feed(t2.left(27) + onRow10.left(1), 0).isEmpty());
        QVERIFY(stream.holding());
        QCOMPARE(stream.feed(onRow10.mid(1) + t2, 5), list({onRow10, t2}));
        // Nothing follows: the pause makes it a telegram.
        QVERIFY(stream.feed(onRow10, 10).isEmpty());
        QVERIFY(stream.flush(10 + TelegramStream::HoldMs - 1).isEmpty());
        QCOMPARE(stream.flush(10 + TelegramStream::HoldMs), list({onRow10}));
        QVERIFY(!stream.holding());
        // The next telegram or a line end tells at once.
        QVERIFY(stream.feed(onRow10, 100).isEmpty());
        QCOMPARE(stream.feed(t2, 1000), list({onRow10, t2}));
        QCOMPARE(stream.feed(onRow10 + "\r\n", 1100), list({onRow10}));
        // The end of the connection tells too.
        QVERIFY(stream.feed(onRow10, 1200).isEmpty());
        QCOMPARE(stream.flush(1200, true), list({onRow10}));
        // A sync inside them is no channel's end: they wait as long as a
        // partial telegram before they count as one.
        const QByteArray syncInside = "A55A0B0710203008000FA850A55A";
        QVERIFY(stream.feed(syncInside, 2000).isEmpty());
        QCOMPARE(stream.deadline().value_or(-1), 2000 + TelegramStream::StaleMs);
        QVERIFY(stream.flush(1999 + TelegramStream::StaleMs).isEmpty());
        QCOMPARE(stream.flush(2000 + TelegramStream::StaleMs), list({syncInside}));
    }

    void datagramTelegrams()
    {
        QCOMPARE(datagramTelegram("A55A0B0710203008000FA8500003\r\n"), QStringLiteral("A55A0B0710203008000FA8500003"));
        QCOMPARE(datagramTelegram("\r\na55b0B07"), QStringLiteral("a55b0B07"));
        QCOMPARE(datagramTelegram(QByteArray(100, 'x')), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestProtocol)
#include "test_protocol.moc"
