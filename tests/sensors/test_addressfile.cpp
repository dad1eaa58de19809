// The Windows code page of the description and address files, and the
// address file's reader without a window.

#include "sensors/addressfile.h"
#include "sensors/cp1252.h"
#include "sensors/descriptionfile.h"

#include <QTest>

using namespace nvx;

namespace {
// A file of 19 lines whose table lines name each channel's fields by number.
QByteArray sampleFile()
{
    QByteArray f = " Sensorinformation:\r\n MAC;00:1A:2B:00:00:01\r\n";
    for (int i = 3; i <= 11; ++i)
        f += " Zeile;" + QByteArray::number(i) + "\r\n";
    f += " Text;Halle 3\r\n\r\n\r\nKanal;1;\r\n";
    for (const char *label : {"Bezeichnung;", "Adresse;", "OrgByte;", "ORG-Nummer;"}) {
        f += label;
        for (int ch = 0; ch < 30; ++ch)
            f += QByteArray(label).left(1) + QByteArray::number(ch) + ';';
        f += "\r\n";
    }
    return f;
}
} // namespace

class TestAddressFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void codePage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("back");
        QTest::newRow("ascii") << "Tor 1;" << QByteArray("Tor 1;") << "Tor 1;";
        QTest::newRow("umlauts") << "Tür Südseite ß" << QByteArray("T\xFCr S\xFC" "dseite \xDF") << "Tür Südseite ß";
        QTest::newRow("euro and quotes") << "5 € „x“ …" << QByteArray("5 \x80 \x84x\x93 \x85") << "5 € „x“ …";
        QTest::newRow("outside") << "Ω→😀" << QByteArray("???") << "???";
    }
    void codePage()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toCp1252(text), bytes);
        QTEST(fromCp1252(bytes), "back");
    }

    void descriptionFileKeepsTheEuro()
    {
        Descriptions d;
        d.receiver = QStringLiteral("Büro 5 €");
        d.channels[3] = QStringLiteral("Tür „Süd“");
        const QByteArray bytes = formatDescriptionFile(d);
        QVERIFY(bytes.startsWith("B\xFCro 5 \x80\r\n"));
        const Descriptions back = parseDescriptionFile(bytes);
        QCOMPARE(back.receiver, d.receiver);
        QCOMPARE(back.channels[3], d.channels[3]);
    }

    void settingLinesByMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("udp");
        QTest::addColumn<QByteArray>("lines");
        QTest::newRow("mode 0, TCP") << 0 << 0 << QByteArray(" Protocol;TCP mode\r\n Mode;Server mode\r\n");
        QTest::newRow("mode 2, UDP") << 2 << 1 << QByteArray(" Protocol;UDP mode\r\n Mode;Client mode\r\n");
    }
    void settingLinesByMode()
    {
        QFETCH(int, mode);
        QFETCH(int, udp);
        AddressExport e;
        e.board[BoardRecord::Mode] = quint8(mode);
        e.board[BoardRecord::Udp] = quint8(udp);
        e.board[BoardRecord::Port] = 0xFF;
        e.board[BoardRecord::Port + 1] = 0xFE;
        const QByteArray file = formatAddressFile(e);
        QCOMPARE(file.count("\r\n"), 19);
        QVERIFY(file.contains(" Port; 65534 \r\n"));
        QTEST(file.mid(file.indexOf(" Protocol;"), file.indexOf(" Version;") - file.indexOf(" Protocol;")), "lines");
    }

    void readsEveryField()
    {
        const AddressImport in = parseAddressFile(sampleFile());
        QVERIFY(in.accepted);
        QCOMPARE(in.description, std::optional<QString>(QStringLiteral("Halle 3")));
        for (int ch : {0, 17, 29}) {
            QCOMPARE(*in.descriptions[ch], QStringLiteral("B%1").arg(ch));
            QCOMPARE(*in.systemIds[ch], QStringLiteral("A%1").arg(ch));
            QCOMPARE(*in.orgBytes[ch], QStringLiteral("O%1").arg(ch));
            QCOMPARE(*in.orgNumbers[ch], QStringLiteral("O%1").arg(ch));
        }
    }

    void refusedFirstLine_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::newRow("no leading blank") << QByteArray("Sensorinformation:");
        QTest::newRow("lower case") << QByteArray(" sensorinformation:");
        QTest::newRow("empty") << QByteArray();
    }
    void refusedFirstLine()
    {
        QFETCH(QByteArray, first);
        QByteArray f = sampleFile();
        f.replace(0, f.indexOf('\r'), first);
        QVERIFY(!parseAddressFile(f).accepted);
    }

    // A line or field the file lacks gives nothing, so nothing lands in
    // another target.
    void missingPartsGiveNothing()
    {
        QByteArray f = sampleFile();
        // Line 17 without its last ";", line 19 missing altogether.
        const qsizetype line17 = f.indexOf("Adresse;");
        const qsizetype end17 = f.indexOf("\r\n", line17);
        f.remove(end17 - 1, 1);
        f.truncate(f.indexOf("ORG-Nummer;"));
        const AddressImport in = parseAddressFile(f);
        QVERIFY(in.accepted);
        QCOMPARE(*in.systemIds[28], QStringLiteral("A28"));
        QVERIFY(!in.systemIds[29]);
        QCOMPARE(*in.orgBytes[29], QStringLiteral("O29"));
        for (const auto &value : in.orgNumbers)
            QVERIFY(!value);

        const AddressImport cut = parseAddressFile(sampleFile().left(sampleFile().indexOf(" Text;")));
        QVERIFY(cut.accepted);
        QVERIFY(!cut.description);
        QVERIFY(!cut.systemIds[0]);
    }

    void descriptionCutAt200()
    {
        QByteArray f = sampleFile();
        f.replace("Halle 3", QByteArray(250, 'x'));
        QCOMPARE(parseAddressFile(f).description->size(), 200);
    }
};

QTEST_MAIN(TestAddressFile)
#include "test_addressfile.moc"
