// The simulated modules' side of the module configuration protocol: who
// answers what, the settings record a module takes, and the firmware start.

#include "support/fixtures.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QUdpSocket>

using namespace nvxsim;
using nvxtest::mac;

class TestSimulator : public QObject {
    Q_OBJECT
    nvxtest::TestEnv m_env;

    // Plays the program: port 5001 on the any-address.
    QUdpSocket m_pc;
    ReceiverSimulator *m_sim = nullptr;

    QList<QNetworkDatagram> collect(int waitMs)
    {
        QList<QNetworkDatagram> got;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < waitMs) {
            QTest::qWait(20);
            while (m_pc.hasPendingDatagrams())
                got << m_pc.receiveDatagram();
        }
        return got;
    }

    void send(const QByteArray &d, const QString &to)
    {
        QCOMPARE(m_pc.writeDatagram(d, QHostAddress(to), 1460), d.size());
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_pc.bind(QHostAddress::AnyIPv4, 5001));
        m_sim = new ReceiverSimulator(this);
        m_sim->addModule(makeRecord(mac(1), QStringLiteral("127.0.0.2"), 10001, QStringLiteral("127.0.0.1"), 10002));
        m_sim->addModule(makeRecord(mac(2), QStringLiteral("127.0.0.3"), 10001, QStringLiteral("127.0.0.1"), 10003));
        QVERIFY(m_sim->start());
    }

    void cleanup()
    {
        delete m_sim;
        m_pc.close();
    }

    void findIsAnsweredByTheAddressedModules()
    {
        send("FIND", QStringLiteral("255.255.255.255"));
        auto got = collect(300);
        QCOMPARE(got.size(), 2);
        QSet<QString> from;
        for (const QNetworkDatagram &d : got) {
            QCOMPARE(d.data().size(), 49);
            QVERIFY(d.data().startsWith("IMIN"));
            from << d.senderAddress().toString();
        }
        QCOMPARE(from, (QSet<QString>{QStringLiteral("127.0.0.2"), QStringLiteral("127.0.0.3")}));
        for (const QNetworkDatagram &d : got) {
            for (SimModule *m : m_sim->modules())
                if (m->address() == d.senderAddress())
                    QCOMPARE(d.data().mid(4), m->record.toBytes());
        }

        send("FIND", QStringLiteral("127.0.0.3"));
        got = collect(300);
        QCOMPARE(got.size(), 1);
        QCOMPARE(got[0].senderAddress(), QHostAddress(QStringLiteral("127.0.0.3")));
        QCOMPARE(got[0].data().mid(4), m_sim->modules()[1]->record.toBytes());

        // Nobody lives there.
        send("FIND", QStringLiteral("127.0.0.1"));
        send("FIND", QStringLiteral("127.0.0.99"));
        QVERIFY(collect(300).isEmpty());
        QCOMPARE(m_sim->findCount(), 4);
    }

    void settingsAreTakenAndConfirmed()
    {
        SimModule *m = m_sim->modules()[0];
        BoardRecord wanted = m->record;
        wanted[BoardRecord::Ip + 3] = 9;
        wanted[BoardRecord::Udp] = 1;
        wanted[BoardRecord::Version] = 99;   // not the module's to change
        m->behaviour.setcDelayMs = 400;
        QSignalSpy taken(m_sim, &ReceiverSimulator::settingsTaken);
        QElapsedTimer t;
        t.start();
        send("SETT" + wanted.toBytes(), QStringLiteral("255.255.255.255"));
        QVERIFY(taken.wait(2000));
        QCOMPARE(m->record.dotted(BoardRecord::Ip), QStringLiteral("127.0.0.9"));
        QCOMPARE(int(m->record[BoardRecord::Udp]), 1);
        QCOMPARE(int(m->record[BoardRecord::Version]), 2);
        QTRY_VERIFY(m_pc.hasPendingDatagrams());
        QVERIFY(t.elapsed() >= 380);
        const QNetworkDatagram confirm = m_pc.receiveDatagram();
        QCOMPARE(confirm.data(), "SETC" + m->record.toBytes());

        // The module now answers at its new address, not the old one.
        send("FIND", QStringLiteral("127.0.0.2"));
        QVERIFY(collect(300).isEmpty());
        send("FIND", QStringLiteral("127.0.0.9"));
        const auto got = collect(300);
        QCOMPARE(got.size(), 1);
        QCOMPARE(got[0].senderAddress(), QHostAddress(QStringLiteral("127.0.0.9")));
    }

    void confirmationVariants()
    {
        SimModule *m = m_sim->modules()[1];
        // Another module's MAC: nobody takes it.
        BoardRecord other = m->record;
        other[5] = 0x77;
        send("SETT" + other.toBytes(), QStringLiteral("255.255.255.255"));
        QVERIFY(collect(200).isEmpty());

        m->behaviour.setcMac = QByteArray::fromHex("AABBCCDDEEFF");
        send("SETT" + m->record.toBytes(), QStringLiteral("127.0.0.3"));
        auto got = collect(300);
        QCOMPARE(got.size(), 1);
        QCOMPARE(got[0].data().mid(4, 6), QByteArray::fromHex("AABBCCDDEEFF"));

        m->behaviour.noSetc = true;
        QSignalSpy taken(m_sim, &ReceiverSimulator::settingsTaken);
        send("SETT" + m->record.toBytes(), QStringLiteral("127.0.0.3"));
        QVERIFY(taken.wait(1000));
        QVERIFY(collect(200).isEmpty());

        // Short or strange datagrams are recorded and otherwise ignored.
        send("SETT", QStringLiteral("127.0.0.3"));
        send("", QStringLiteral("255.255.255.255"));
        send("XY", QStringLiteral("127.0.0.3"));
        QVERIFY(collect(200).isEmpty());
        QCOMPARE(m_sim->configMessages().size(), 6);
    }

    void firmwareStartIsNoted()
    {
        send("FIRS" + m_sim->modules()[1]->record.toBytes(), QStringLiteral("255.255.255.255"));
        QTRY_COMPARE(m_sim->firmwareStarts(), QStringList{QStringLiteral("00:1A:2B:00:00:02")});
        QVERIFY(collect(100).isEmpty());
    }

    void replyShapes()
    {
        SimModule *a = m_sim->modules()[0];
        SimModule *b = m_sim->modules()[1];
        a->behaviour.truncateReplyTo = 46;
        a->behaviour.replyTwice = true;
        b->behaviour.secondPath = true;
        b->behaviour.padReplyTo = 100;
        b->behaviour.replyDelayMs = 300;
        QElapsedTimer t;
        t.start();
        send("FIND", QStringLiteral("255.255.255.255"));
        const auto got = collect(600);
        QCOMPARE(got.size(), 4);
        QCOMPARE(got[0].data().size(), 46);
        QCOMPARE(got[1].data().size(), 46);
        QCOMPARE(got[2].data().size(), 100);
        QCOMPARE(got[3].data().size(), 100);
        QCOMPARE(got[2].senderAddress(), QHostAddress(QStringLiteral("127.0.0.3")));
        QVERIFY(got[3].senderAddress() != QHostAddress(QStringLiteral("127.0.0.3")));
        QCOMPARE(got[3].data().left(49), "IMIN" + b->record.toBytes());
    }
};

QTEST_MAIN(TestSimulator)
#include "test_simulator.moc"
