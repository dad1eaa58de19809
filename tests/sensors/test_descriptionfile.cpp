#include "sensors/descriptionfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace nvx;

class TestDescriptionFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptyDescriptionsGiveThirtySemicolonsWithoutLineEnd()
    {
        const QByteArray bytes = formatDescriptionFile(Descriptions{});
        QCOMPARE(bytes, QByteArray("\r\n") + QByteArray(30, ';'));
    }

    void formatAndReadBack()
    {
        Descriptions d;
        d.receiver = QStringLiteral("Halle 3, Südseite");
        d.channels[0] = QStringLiteral("Tor");
        d.channels[29] = QStringLiteral("Fenster links");
        const QByteArray bytes = formatDescriptionFile(d);
        QVERIFY(bytes.startsWith(QByteArray("Halle 3, S\xFC" "dseite\r\nTor;")));
        QVERIFY(bytes.endsWith(";Fenster links;"));
        QCOMPARE(bytes.count(';'), 30);

        const Descriptions back = parseDescriptionFile(bytes);
        QCOMPARE(back.receiver, d.receiver);
        QCOMPARE(back.channels, d.channels);
    }

    void lineBreaksInTextsDoNotShiftTheFile()
    {
        Descriptions d;
        d.receiver = QStringLiteral("Zeile 1\nZeile 2");
        d.channels[0] = QStringLiteral("a\r\nb");
        d.channels[1] = QStringLiteral("c");
        const Descriptions back = parseDescriptionFile(formatDescriptionFile(d));
        QCOMPARE(back.receiver, QStringLiteral("Zeile 1 Zeile 2"));
        QCOMPARE(back.channels[0], QStringLiteral("a  b"));
        QCOMPARE(back.channels[1], QStringLiteral("c"));
    }

    void shortSecondLineLeavesLaterChannelsEmpty()
    {
        const Descriptions d = parseDescriptionFile("Text\r\na;b;c");
        QCOMPARE(d.receiver, QStringLiteral("Text"));
        QCOMPARE(d.channels[0], QStringLiteral("a"));
        QCOMPARE(d.channels[2], QStringLiteral("c"));
        for (int k = 3; k < 30; ++k)
            QVERIFY(d.channels[std::size_t(k)].isEmpty());
    }

    void brokenContentDoesNotFail()
    {
        QCOMPARE(parseDescriptionFile(QByteArray()).receiver, QString());
        const Descriptions onlyLine1 = parseDescriptionFile("Nur Text");
        QCOMPARE(onlyLine1.receiver, QStringLiteral("Nur Text"));
        QVERIFY(onlyLine1.channels[0].isEmpty());
        // A line end of LF only still separates the lines.
        QCOMPARE(parseDescriptionFile("X\nk1;").channels[0], QStringLiteral("k1"));
        // More than 30 fields: the rest is ignored.
        QCOMPARE(parseDescriptionFile("X\r\n" + QByteArray(40, ';') + "z").channels[29], QString());
    }

    void pathAndFolderHandling()
    {
        QTemporaryDir dir;
        const QString programPath = dir.path() + QLatin1Char('/');
        QCOMPARE(descriptionFilePath(programPath, QString()), programPath + QStringLiteral("DAT/MAC_.dat"));
        const QString path = descriptionFilePath(programPath, QStringLiteral("001A2B030CFF"));
        QCOMPARE(path, programPath + QStringLiteral("DAT/MAC_001A2B030CFF.dat"));

        // The DAT folder is never created: without it nothing is written.
        QVERIFY(!writeDescriptionFile(path, Descriptions{}));
        QVERIFY(!QDir(programPath + QStringLiteral("DAT")).exists());
        QVERIFY(!readDescriptionFile(path).has_value());

        QVERIFY(QDir(programPath).mkdir(QStringLiteral("DAT")));
        Descriptions d;
        d.receiver = QStringLiteral("R");
        d.channels[5] = QStringLiteral("Kanal sechs");
        QVERIFY(writeDescriptionFile(path, d));
        const auto back = readDescriptionFile(path);
        QVERIFY(back.has_value());
        QCOMPARE(back->channels[5], QStringLiteral("Kanal sechs"));

        // Writing again replaces the whole content.
        QVERIFY(writeDescriptionFile(path, Descriptions{}));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("\r\n") + QByteArray(30, ';'));
    }
};

QTEST_GUILESS_MAIN(TestDescriptionFile)
#include "test_descriptionfile.moc"
