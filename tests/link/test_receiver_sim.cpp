// The simulated receiver's side of the receiver protocol, driven through
// plain sockets: other tests rely on it answering and recording faithfully.

#include "link/protocol.h"
#include "simulator.h"

#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>

using namespace nvxsim;

namespace {
QByteArray padded(const QString &command) { return nvx::toCommandString(command).toLatin1(); }
} // namespace

class TestReceiverSim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void telegramTexts()
    {
        QCOMPARE(SimModule::channelTelegram(3, QStringLiteral("07"), QStringLiteral("000FA850"), {0x10, 0x20, 0x30, 0x08}),
                 QByteArray("A55A0B0710203008000FA8500003"));
        SimModule m(makeRecord(QByteArray::fromHex("000000000001"), QStringLiteral("127.0.0.5"), 1, {}, 2));
        QCOMPARE(m.statusReply(), QByteArray("A55A9F000000") + QByteArray(16, '0'));
        m.receiver.gatewayFlag = true;
        m.receiver.serverFlag = true;
        const QByteArray status = m.statusReply();
        QCOMPARE(status.size(), 28);
        QCOMPARE(status.mid(4, 2), QByteArray("9F"));
        QCOMPARE(status[7], '1');  // gateway flag, character 8
        QCOMPARE(status[9], '0');  // RSSI flag, character 10
        QCOMPARE(status[11], '1'); // server flag, character 12
        const auto bytes = nvx::ParseReplyBytes(QString::fromLatin1(m.baseIdReply(QStringLiteral("FFFFFF80"))));
        QCOMPARE(bytes[0], 0x8B);
        QCOMPARE(bytes[1], 0x98);
        QCOMPARE(m.baseIdReply(QStringLiteral("FFFFFF80")).mid(8, 8), QByteArray("FFFFFF80"));
    }

    void tcpServerAnswersAndRecords()
    {
        ReceiverSimulator sim;
        SimModule *m = sim.addModule(makeRecord(QByteArray::fromHex("000000000002"), QStringLiteral("127.0.0.5"), 10101,
                                                QStringLiteral("127.0.0.1"), 10102));
        m->receiver.rssiFlag = true;
        m->table[2] = SimChannel{true, QStringLiteral("06"), QStringLiteral("0000ABCD"), {1, 2, 3, 0}};
        QVERIFY(m->startReceiver());
        QTcpSocket program;
        program.connectToHost(QHostAddress(QStringLiteral("127.0.0.5")), 10101);
        QVERIFY(program.waitForConnected(2000));
        QTRY_VERIFY(m->isConnected());

        // The bare status request and a padded command in one chunk.
        program.write("A55A9F02030405060708" + padded(nvx::cmd::readTableRequest()));
        QByteArray got;
        QTRY_VERIFY((got += program.readAll()).size() >= 84);
        QCOMPARE(got.left(28), QByteArray("A55A9F000100") + QByteArray(16, '0'));
        // The sensors, then their supervision report (off: channel "FF").
        QCOMPARE(got.mid(28), QByteArray("A55A0B06010203080000ABCD0002") + "A55B0B00000000000000000000FF");
        QCOMPARE(m->commands(), (QStringList{QStringLiteral("A55A9F02030405060708"),
                                             QStringLiteral("A55A9502030405060708          ")}));

        // Clear and write change the table; a command split over two writes
        // is recorded once, whole.
        const QByteArray write = padded(nvx::cmd::writeChannelForTable(10, QStringLiteral("07"), QStringLiteral("000FA850")));
        program.write(padded(nvx::cmd::clearChannelForWrite(2)) + write.left(12));
        QTRY_COMPARE(m->commands().size(), 3);
        program.write(write.mid(12));
        QTRY_COMPARE(m->commands().size(), 4);
        QCOMPARE(m->commands().at(3), QString::fromLatin1(write));
        QVERIFY(!m->table[2].used);
        QVERIFY(m->table[10].used);
        QCOMPARE(m->table[10].org, QStringLiteral("07"));
        QCOMPARE(m->table[10].id, QStringLiteral("000FA850"));

        program.write(padded(nvx::cmd::gatewayOptions(true, false, true)));
        QTRY_COMPARE(m->gatewayOptions, QStringLiteral("A55A9E01010103040506"));
        QVERIFY(m->receiver.gatewayFlag);

        program.write(padded(nvx::cmd::readBaseId()));
        got.clear();
        QTRY_VERIFY((got += program.readAll()).size() >= 28);
        QCOMPARE(got.left(16), QByteArray("A55A8B98FFFFFF80"));

        // A lone bare status request is recorded without waiting for more.
        program.write("A55A9F02030405060708");
        QTRY_COMPARE(m->commands().last(), QStringLiteral("A55A9F02030405060708"));
    }

    void tcpClientConnectsFromItsOwnAddress()
    {
        ReceiverSimulator sim;
        BoardRecord rec = makeRecord(QByteArray::fromHex("000000000003"), QStringLiteral("127.0.0.6"), 10111,
                                     QStringLiteral("127.0.0.1"), 10112);
        rec[BoardRecord::Mode] = 0;
        SimModule *m = sim.addModule(rec);
        QSignalSpy connectedSpy(m, &SimModule::connected);
        QVERIFY(m->startReceiver()); // nobody listens yet: it keeps trying
        QTest::qWait(100);
        QTcpServer program;
        QVERIFY(program.listen(QHostAddress::AnyIPv4, 10112));
        QTRY_VERIFY(program.hasPendingConnections());
        QTcpSocket *link = program.nextPendingConnection();
        QCOMPARE(link->peerAddress().toString(), QStringLiteral("127.0.0.6"));
        QTRY_COMPARE(connectedSpy.count(), 1);
        m->sendChannelTelegram(0, QStringLiteral("05"), QStringLiteral("00112233"), {0x30, 0, 0, 0});
        QTRY_COMPARE(link->bytesAvailable(), qint64(28));
        QCOMPARE(link->readAll(), QByteArray("A55A0B0530000000001122330000"));
    }

    void udpAnswersTheLastPeer()
    {
        ReceiverSimulator sim;
        BoardRecord rec = makeRecord(QByteArray::fromHex("000000000004"), QStringLiteral("127.0.0.7"), 10121,
                                     QStringLiteral("127.0.0.1"), 10122);
        rec[BoardRecord::Udp] = 1;
        SimModule *m = sim.addModule(rec);
        QVERIFY(m->startReceiver());
        QUdpSocket program;
        QVERIFY(program.bind(QHostAddress::AnyIPv4, 10122));

        // Before hearing anyone it sends to the server port on 127.0.0.1.
        m->sendText("A55A0B05");
        QTRY_VERIFY(program.hasPendingDatagrams());
        QNetworkDatagram d = program.receiveDatagram();
        QCOMPARE(d.data(), QByteArray("A55A0B05"));
        QCOMPARE(d.senderAddress().toString(), QStringLiteral("127.0.0.7"));

        QUdpSocket other;
        QVERIFY(other.bind(QHostAddress::LocalHost, 10123));
        other.writeDatagram("A55A9F02030405060708", QHostAddress(QStringLiteral("127.0.0.7")), 10121);
        QTRY_VERIFY(other.hasPendingDatagrams());
        QCOMPARE(other.receiveDatagram().data().left(6), QByteArray("A55A9F"));
        QCOMPARE(m->commands(), QStringList{QStringLiteral("A55A9F02030405060708")});
    }
};

QTEST_GUILESS_MAIN(TestReceiverSim)
#include "test_receiver_sim.moc"
