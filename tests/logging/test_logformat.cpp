// The logging's pure rules: scaling and number form, the data-log header and
// rows, the receive line, the sample ring and the fields' input rules.

#include "logging/datalog.h"
#include "logging/fieldrules.h"
#include "logging/samplering.h"
#include "shell/texts.h"

#include <QTest>

using namespace nvx;

class TestLogFormat : public QObject {
    Q_OBJECT

    static std::array<QString, 61> texts(bool english)
    {
        std::array<QString, 61> t;
        for (int i = 0; i < 61; ++i)
            t[i] = textFor(i, english);
        return t;
    }

private Q_SLOTS:
    void scaling_data()
    {
        QTest::addColumn<QString>("min");
        QTest::addColumn<QString>("max");
        QTest::addColumn<int>("raw");
        QTest::addColumn<QString>("text");
        QTest::newRow("128 in 0..100") << "0" << "100" << 128 << "50,2";
        QTest::newRow("defaults give the byte") << "0" << "255" << 77 << "77";
        QTest::newRow("defaults, 255") << "0" << "255" << 255 << "255";
        QTest::newRow("half down to even") << "0" << "12,75" << 1 << "0";
        QTest::newRow("half up to even") << "0" << "12,75" << 3 << "0,2";
        QTest::newRow("half 0,25 to 0,2") << "0" << "12,75" << 5 << "0,2";
        QTest::newRow("half 0,35 to 0,4") << "0" << "12,75" << 7 << "0,4";
        QTest::newRow("negative range") << "-20" << "-10" << 0 << "-20";
        QTest::newRow("fraction of a negative") << "-1" << "0" << 128 << "-0,5";
    }
    void scaling()
    {
        QFETCH(QString, min);
        QFETCH(QString, max);
        QFETCH(int, raw);
        QFETCH(QString, text);
        const auto lo = parseNumber(min, u',');
        const auto hi = parseNumber(max, u',');
        QVERIFY(lo && hi);
        QCOMPARE(tenthsText(scaleToTenths(*lo, *hi, raw), u','), text);
    }

    void numberForm()
    {
        QCOMPARE(printNumber(5), QStringLiteral(" 5 "));
        QCOMPARE(printNumber(-3), QStringLiteral("-3 "));
        QCOMPARE(printNumber(0), QStringLiteral(" 0 "));
        QCOMPARE(printCurrency(502000, u','), QStringLiteral(" 50,2 "));
        QCOMPARE(printCurrency(502000, u'.'), QStringLiteral(" 50.2 "));
        QCOMPARE(printCurrency(-5000, u','), QStringLiteral("-0,5 "));
        QCOMPARE(printCurrency(1280000, u','), QStringLiteral(" 128 "));
        QCOMPARE(toCurrency(QStringLiteral("50,2"), u','), std::optional<Currency>(502000));
        for (const char *notANumber : {"", "-", "--1", "1-", "1,2,3", "a", ","})
            QVERIFY2(!parseNumber(QLatin1String(notANumber), u','), notANumber);
        QCOMPARE(parseNumber(QStringLiteral("-1,5"), u','), std::optional<double>(-1.5));
        QCOMPARE(parseNumber(QStringLiteral("1.5"), u'.'), std::optional<double>(1.5));
    }

    void header_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("lines");
        const QString de = QStringLiteral("Lorvantis Sensortechnik GmbH\r\nLogfile erstellt mit nvx_ethernet.exe am: "
                                          "08.12.26\r\nAls Trennzeichen ; verwenden!\r\n");
        const QString en = QStringLiteral("Lorvantis Sensortechnik GmbH\r\nLogfile built with nvx_ethernet.exe at: "
                                          "08.12.26\r\nUse ; as seperator!\r\n");
        QTest::newRow("de chart") << false << int(LogMode::Chart)
                                  << de + "Zeit;K1;Skalierter;K2;Skalierter;K3;Skalierter;K4;Skalierter;K5;Skalierter;\r\n"
                                         ";B1;Wert;B2;Wert;B3;Wert;B4;Wert;B5;Wert;\r\n";
        QTest::newRow("de channels") << false << int(LogMode::AllChannels)
                                     << de + "Zeit;Kanal;ORG-Nummer;Adresse;Datenbyte 0;Datenbyte 1;Datenbyte 2;"
                                             "Datenbyte 3;Zeitfehlertelegramm\r\n";
        QTest::newRow("en event") << true << int(LogMode::Event)
                                  << en + "Time;Channel;ORG-Number;Address;Data byte 0;Data byte 1;Data byte 2;"
                                          "Data byte 3;Timr error telegram\r\n";
        QTest::newRow("en chart") << true << int(LogMode::Chart)
                                  << en + "Time;K1;scaled;K2;scaled;K3;scaled;K4;scaled;K5;scaled;\r\n"
                                          ";B1;value;B2;value;B3;value;B4;value;B5;value;\r\n";
        QTest::newRow("no mode") << false << int(LogMode::None) << de;
    }
    void header()
    {
        QFETCH(bool, english);
        QFETCH(int, mode);
        QFETCH(QString, lines);
        const auto t = texts(english);
        DataLogHeaderInput in;
        in.mode = LogMode(mode);
        in.texts = &t;
        in.today = QDate(2026, 12, 8);
        for (int k = 0; k < 5; ++k) {
            in.seriesChannels[k] = QStringLiteral("K%1").arg(k + 1);
            in.seriesDataBytes[k] = QStringLiteral("B%1").arg(k + 1);
        }
        QCOMPARE(dataLogHeader(in, QLocale(QLocale::German, QLocale::Germany)), lines);
    }

    void rows()
    {
        QCOMPARE(seriesLogRow(QStringLiteral("T"), {8, std::nullopt, 128, 0, 255}, {80000, 0, 502000, 0, -15000}, u','),
                 QStringLiteral("T; 8 ; 8 ;; 0 ; 128 ; 50,2 ; 0 ; 0 ; 255 ;-1,5 \r\n"));
        ChannelRow row;
        row.time = QStringLiteral("T");
        row.channel = 4;
        row.kind = QStringLiteral("4 Byte Sensor");
        row.id = QStringLiteral("000FA850");
        row.data = {QStringLiteral("8"), QStringLiteral("48"), QStringLiteral("32"), QStringLiteral("16,5")};
        row.failed = true;
        QCOMPARE(channelLogRow(row, u','), QStringLiteral("T; 5 ;4 Byte Sensor;000FA850;8;48;32;16,5; 1 \r\n"));
    }

    void receiveLine()
    {
        const QLocale de(QLocale::German, QLocale::Germany);
        const QDateTime when(QDate(2026, 12, 8), QTime(9, 5, 7));
        QCOMPARE(receiveLogLine(QStringLiteral("A55A0B0780203008000FA8500003"), when, de),
                 QStringLiteral("A5 5A 0B 07 80 20 30 08 00 0F A8 50 00 03   08.12.26  09:05:07\r\n"));
        QCOMPARE(receiveLogLine(QString(), when, de), QString(14, u' ') + QStringLiteral("  08.12.26  09:05:07\r\n"));
        QCOMPARE(generalDateText(when, de), QStringLiteral("08.12.26 09:05:07"));
        // The long time never names the time zone.
        QVERIFY(!longTimeText(QTime(9, 5, 7), QLocale(QLocale::English, QLocale::UnitedStates)).contains(u'U'));
    }

    void ring()
    {
        SampleRing ring;
        QCOMPARE(ring.advance(QStringLiteral("a")), 1);
        QCOMPARE(ring.prevCounter, 0);
        QCOMPARE(ring.before(1, 0), 1);
        QCOMPARE(ring.before(1, 1), 0);
        ring.counter = SampleRing::Last;
        QCOMPARE(ring.advance(QStringLiteral("b")), 1);
        QCOMPARE(ring.prevCounter, 0);
        QVERIFY(ring.wrapped());
        QCOMPARE(ring.before(1, 1), 999);
        QCOMPARE(ring.before(3, 5), 997);
        QCOMPARE(ring.before(3, 998), 4);
        QCOMPARE(ring.before(3, 999), 0);
        // A counter that scrolling left outside the ring never indexes past it.
        for (int outside : {SampleRing::Last + 150, -3}) {
            ring.counter = outside;
            QCOMPARE(ring.advance(QStringLiteral("c")), 1);
        }
        ring.reset();
        QVERIFY(!ring.wrapped());
        QCOMPARE(ring.raw[2][5], std::optional<int>(0));
    }

    // Keys typed into a series scaling field one by one, then the field left.
    void seriesScaling_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("minus alone") << "-" << "-" << "0";
        QTest::newRow("second minus takes it away") << "--" << "" << "0";
        QTest::newRow("minus after a digit") << "1-" << "1-" << "0";
        QTest::newRow("negative number") << "-12" << "-12" << "-12";
        QTest::newRow("second comma refused") << "1,,5" << "1,5" << "1,5";
        QTest::newRow("letters and dots refused") << "a1.b" << "1" << "1";
        QTest::newRow("minus again after taking it away") << "-5--3" << "5-3" << "0";
    }
    void seriesScaling()
    {
        QFETCH(QString, keys);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        QString text;
        SignedFieldFlags flags;
        for (QChar key : keys) {
            if (seriesScalingKey(key, text, flags))
                text += key;
            seriesScalingChanged(text, flags);
        }
        QCOMPARE(text, typed);
        QCOMPARE(seriesScalingLeft(text, flags), left);
    }

    void otherKeys()
    {
        QVERIFY(byteScalingKey(u'-', QStringLiteral("-1-"), QStringLiteral(",")));
        QVERIFY(byteScalingKey(u',', QStringLiteral("1"), QStringLiteral(",")));
        QVERIFY(!byteScalingKey(u',', QStringLiteral("1,5"), QStringLiteral(",")));
        QVERIFY(!byteScalingKey(u'.', QStringLiteral("1"), QStringLiteral(",")));
        QVERIFY(byteScalingKey(QChar(127), QString(), QStringLiteral(",")));
        QVERIFY(digitsOnlyKey(u'7') && digitsOnlyKey(KeyBackspace) && !digitsOnlyKey(u'-'));
        QVERIFY(rangeKey(u'-') && rangeKey(u'0') && !rangeKey(u','));
    }

    void clamps_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("empty");
        QTest::addColumn<int>("lo");
        QTest::addColumn<int>("hi");
        QTest::addColumn<QString>("result");
        QTest::newRow("rows 0") << "0" << "20" << 2 << 100 << "2";
        QTest::newRow("rows 1") << "1" << "20" << 2 << 100 << "2";
        QTest::newRow("rows 250") << "250" << "20" << 2 << 100 << "100";
        QTest::newRow("rows empty") << "" << "20" << 2 << 100 << "20";
        QTest::newRow("rows 50") << "50" << "20" << 2 << 100 << "50";
        QTest::newRow("interval 99999") << "99999" << "10" << 0 << 65535 << "65535";
        QTest::newRow("interval empty") << "" << "10" << 0 << 65535 << "10";
    }
    void clamps()
    {
        QFETCH(QString, text);
        QFETCH(QString, empty);
        QFETCH(int, lo);
        QFETCH(int, hi);
        QFETCH(QString, result);
        QCOMPARE(clampedFieldText(text, empty, lo, hi), result);
    }

    void spin()
    {
        QCOMPARE(spinStep(QStringLiteral("100"), 1, 2, 100), QStringLiteral("100"));
        QCOMPARE(spinStep(QStringLiteral("2"), -1, 2, 100), QStringLiteral("2"));
        QCOMPARE(spinStep(QStringLiteral("07"), 1, 0, 65535), QStringLiteral("8"));
        QCOMPARE(spinStep(QString(), 1, 0, 65535), QString());
    }
};

QTEST_GUILESS_MAIN(TestLogFormat)
#include "test_logformat.moc"
