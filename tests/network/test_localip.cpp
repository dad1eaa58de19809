// The PC's own IPv4 addresses: the token split, the address filter and the
// resolution of this machine's name.

#include "network/localip.h"

#include <QHostInfo>
#include <QTest>

using namespace nvx;

class TestLocalIp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitFirstToken()
    {
        QString text = QStringLiteral("abc");
        QCOMPARE(SplitFirstToken(text, QStringLiteral("b")), QStringLiteral("a"));
        QCOMPARE(text, QStringLiteral("c"));

        text = QStringLiteral("abc");
        QCOMPARE(SplitFirstToken(text, QStringLiteral("x")), QStringLiteral("abc"));
        QCOMPARE(text, QString());

        // A host name buffer: the name ends at the first NUL.
        text = QStringLiteral("pc-01") + QChar(0) + QStringLiteral("junk") + QChar(0);
        QCOMPARE(SplitFirstToken(text, QString(QChar(0))), QStringLiteral("pc-01"));
        QCOMPARE(text, QStringLiteral("junk") + QChar(0));

        text = QStringLiteral("bab");
        QCOMPARE(SplitFirstToken(text, QStringLiteral("b")), QString());
        QCOMPARE(text, QStringLiteral("ab"));

        text = QStringLiteral("abc");
        QCOMPARE(SplitFirstToken(text, QString()), QStringLiteral("abc"));
        QCOMPARE(text, QString());
    }

    void onlyIPv4InResolverOrder()
    {
        const QList<QHostAddress> answer{QHostAddress(QStringLiteral("192.168.0.20")), QHostAddress(QStringLiteral("::1")),
                                         QHostAddress(QStringLiteral("10.0.0.5")), QHostAddress(QStringLiteral("::ffff:10.9.9.9")),
                                         QHostAddress(QStringLiteral("172.16.1.2")), QHostAddress(QStringLiteral("10.0.0.5"))};
        QCOMPARE(ipv4Texts(answer), (QStringList{QStringLiteral("192.168.0.20"), QStringLiteral("10.0.0.5"),
                                                 QStringLiteral("172.16.1.2")}));
        QVERIFY(ipv4Texts({}).isEmpty());
    }

    void thisMachinesName()
    {
        // Inside the test namespace the name is mapped to 127.0.0.1 only.
        QCOMPARE(localIPv4Addresses(QHostInfo::localHostName()), QStringList{QStringLiteral("127.0.0.1")});
        QVERIFY(localIPv4Addresses(QString()).isEmpty());
        QVERIFY(localIPv4Addresses(QStringLiteral("   ")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLocalIp)
#include "test_localip.moc"
