// The PC's own IPv4 addresses: the token split, the address filter, the
// choice among the interfaces, and the list the window shows on a machine
// with loopback only and on one with a LAN-like interface.

#include "network/localip.h"
#include "support/fixtures.h"
#include "shell/frmstate.h"

#include <QListWidget>
#include <QProcess>

using namespace nvx;

namespace {

bool ip(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("ip"), args);
    return p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// An interface of a kind the kernel offers (not every kernel has dummy
// interfaces), carrying `addresses`; it exists only in the test's namespace.
bool addInterface(const QString &name, const QStringList &addresses, bool up)
{
    const bool made = ip({QStringLiteral("link"), QStringLiteral("add"), name, QStringLiteral("type"),
                          QStringLiteral("dummy")})
        || ip({QStringLiteral("link"), QStringLiteral("add"), name, QStringLiteral("type"), QStringLiteral("veth"),
               QStringLiteral("peer"), QStringLiteral("name"), name + QLatin1Char('p')})
        || ip({QStringLiteral("link"), QStringLiteral("add"), name, QStringLiteral("type"), QStringLiteral("bridge")});
    if (!made)
        return false;
    for (const QString &a : addresses)
        if (!ip({QStringLiteral("addr"), QStringLiteral("add"), a, QStringLiteral("dev"), name}))
            return false;
    return !up || ip({QStringLiteral("link"), QStringLiteral("set"), name, QStringLiteral("up")});
}

// The window's load; its search ends as soon as `rows` receivers are listed.
void loadWithShortSearch(Config &config, int rows)
{
    auto ended = nvxtest::onNextModal(
        [&](QWidget *w) {
            auto *window = qobject_cast<frmState *>(w);
            (void)QTest::qWaitFor([&] { return config.ListBoards->topLevelItemCount() >= rows; }, 5000);
            window->Timer1SW->start(0);
            (void)QTest::qWaitFor([&] { return window->cmdOK->isVisible(); }, 5000);
            nvxtest::click(w, QStringLiteral("cmdOK"));
        },
        QStringLiteral("frmState"));
    config.Form_Load();
    QVERIFY(*ended);
    QCOMPARE(config.ListBoards->topLevelItemCount(), rows);
}

} // namespace

Q_DECLARE_METATYPE(nvx::LocalInterface)

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

    void interfacesGiveTheList_data()
    {
        using Addresses = QList<QHostAddress>;
        QTest::addColumn<QList<LocalInterface>>("interfaces");
        QTest::addColumn<QStringList>("list");
        const LocalInterface lo{true, true, Addresses{QHostAddress(QStringLiteral("127.0.0.1")), QHostAddress(QStringLiteral("::1"))}};
        const LocalInterface lan{true, false, Addresses{QHostAddress(QStringLiteral("192.0.2.10")),
                                                       QHostAddress(QStringLiteral("fe80::1")),
                                                       QHostAddress(QStringLiteral("192.0.2.11"))}};
        const LocalInterface down{false, false, Addresses{QHostAddress(QStringLiteral("198.51.100.1"))}};
        const LocalInterface second{true, false, Addresses{QHostAddress(QStringLiteral("203.0.113.5"))}};
        QTest::newRow("loopback only") << QList<LocalInterface>{lo} << QStringList{QStringLiteral("127.0.0.1")};
        QTest::newRow("loopback left out")
            << QList<LocalInterface>{lo, lan} << QStringList{QStringLiteral("192.0.2.10"), QStringLiteral("192.0.2.11")};
        QTest::newRow("interfaces in order, down ones left out")
            << QList<LocalInterface>{second, down, lo, lan}
            << QStringList{QStringLiteral("203.0.113.5"), QStringLiteral("192.0.2.10"), QStringLiteral("192.0.2.11")};
        QTest::newRow("down only") << QList<LocalInterface>{down} << QStringList{};
        QTest::newRow("none") << QList<LocalInterface>{} << QStringList{};
    }

    void interfacesGiveTheList()
    {
        QFETCH(QList<LocalInterface>, interfaces);
        QFETCH(QStringList, list);
        QCOMPARE(localIPv4Addresses(interfaces), list);
    }

    // The test namespace starts with loopback only.
    void windowOnLoopbackOnly()
    {
        nvxtest::Bench bench;
        loadWithShortSearch(*bench.config, 0);
        QCOMPARE(bench.config->List1->count(), 1);
        QCOMPARE(bench.config->List1->item(0)->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(bench.config->txtlocalIP->text(), QStringLiteral("127.0.0.1"));
    }

    // A PC on a LAN: its LAN address is the local IP, so a receiver that
    // reports to it gets its link and the sensor tabs. Nothing is sent to
    // the documentation addresses; the receiver itself is on loopback.
    void windowOnALan()
    {
        if (qgetenv("NVX_IN_NETNS") != "1")
            QSKIP("adds network interfaces: only inside the test namespace");
        QVERIFY2(addInterface(QStringLiteral("nvxlan0"), {QStringLiteral("192.0.2.10/24"), QStringLiteral("192.0.2.11/24")}, true),
                 "cannot add an interface in the test namespace");
        QVERIFY(addInterface(QStringLiteral("nvxdown0"), {QStringLiteral("192.0.2.20/24")}, false));

        nvxtest::Bench bench;
        const BoardRecord rec = nvxsim::makeRecord(nvxtest::mac(0x41), QStringLiteral("127.0.0.2"), 10041,
                                                   QStringLiteral("192.0.2.10"), 10042);
        nvxsim::SimModule *m = bench.sim.addModule(rec);
        m->receiver.answerStatus = false;
        QVERIFY(bench.sim.start());
        QVERIFY(m->startReceiver());
        loadWithShortSearch(*bench.config, 1);
        Config &c = *bench.config;
        QCOMPARE(c.List1->count(), 2);
        QCOMPARE(c.List1->item(0)->text(), QStringLiteral("192.0.2.10"));
        QCOMPARE(c.List1->item(1)->text(), QStringLiteral("192.0.2.11"));
        QCOMPARE(c.txtlocalIP->text(), QStringLiteral("192.0.2.10"));
        QTRY_COMPARE(m->commands(), QStringList{cmd::statusRequest()});
        c.Timer1->stop();

        const auto seen = nvxtest::answerError(300);
        c.SSTab1->setCurrentIndex(1);
        seen->stopWaiting();
        QVERIFY(!seen->shown);
    }
};

QTEST_MAIN(TestLocalIp)
#include "test_localip.moc"
