// The telegram link in its three modes, against the simulated receiver.

#include "sensors/lernmodusfenster.h"
#include "support/fixtures.h"

#include <QDialog>
#include <QGroupBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

using namespace nvx;
using nvxsim::SimModule;

namespace {
const QString StatusRequest = QStringLiteral("A55A9F02030405060708");
const QByteArray T1 = nvxsim::SimModule::channelTelegram(3, QStringLiteral("07"), QStringLiteral("000FA850"),
                                                         {0x10, 0x20, 0x30, 0x08});
const QByteArray T2 = nvxsim::SimModule::channelTelegram(4, QStringLiteral("05"), QStringLiteral("0012AB34"),
                                                         {0x30, 0x00, 0x00, 0x08});
} // namespace

class TestLinkSockets : public QObject, nvxtest::PerTestBench {
    Q_OBJECT

    // Lists the receiver and selects it; the program's local IP is
    // 127.0.0.1, the server IP of every receiver here.
    SimModule *addAndSelect(const BoardRecord &rec, bool startFirst = true)
    {
        SimModule *m = bench->sim.addModule(rec);
        // The status reply would open the reading window; the link is what
        // these tests look at.
        m->receiver.answerStatus = false;
        if (startFirst && !m->startReceiver())
            return nullptr;
        bench->select(rec);
        return m;
    }

    // The table request 2 s after link-up would open the reading window.
    void expectTimer1Started()
    {
        QVERIFY(config->Timer1->isActive());
        config->Timer1->stop();
    }

    // Two telegrams in one chunk, then one telegram in two chunks.
    void checkStreamSplitting(SimModule *m, const QString &sender)
    {
        QSignalSpy spy(config, &Config::telegramReceived);
        m->sendText(T1 + T2);
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0), (QVariantList{QString::fromLatin1(T1), sender}));
        QCOMPARE(spy.at(1), (QVariantList{QString::fromLatin1(T2), sender}));
        QCOMPARE(state->ReceivedData, QString::fromLatin1(T2));
        QCOMPARE(state->ReplyString, QString::fromLatin1(T2));
        QCOMPARE(state->SenderIP, sender);

        m->sendText(T1.left(10));
        QTest::qWait(100); // let the first part arrive on its own
        QCOMPARE(spy.count(), 2);
        m->sendText(T1.mid(10));
        QTRY_COMPARE(spy.count(), 3);
        QCOMPARE(spy.at(2).at(0).toString(), QString::fromLatin1(T1));
        QCOMPARE(state->ReceivedData, QString::fromLatin1(T1));
    }

private Q_SLOTS:
    void init() { startBench(); }
    void cleanup() { stopBench(); }

    void tcpServerReceiver()
    {
        SimModule *m = addAndSelect(nvxtest::reportingRecord("00AA00000001", QStringLiteral("127.0.0.5")));
        QVERIFY(m);
        // The status request goes out bare on the new link.
        QTRY_COMPARE(m->commands(), QStringList{StatusRequest});
        expectTimer1Started();
        checkStreamSplitting(m, QStringLiteral("127.0.0.5"));

        // While logging runs a new link stays quiet.
        m->clearCommands();
        state->LoggingActive = true;
        config->Winsock3->abort();
        config->Winsock3->connectToHost(QHostAddress(QStringLiteral("127.0.0.5")), 10001);
        QTRY_COMPARE(config->Winsock3->state(), QAbstractSocket::ConnectedState);
        QTest::qWait(100); // a status request would arrive within this
        QVERIFY(m->commands().isEmpty());
        QVERIFY(!config->Timer1->isActive());
    }

    // A search or a settings write drops the link within the 2 s of a new
    // link: the table request must go with it, or it would take over their
    // status window and its replies would be ignored.
    void droppingTheLinkStopsTheTableRequest()
    {
        SimModule *m = addAndSelect(nvxtest::reportingRecord("00AA00000004", QStringLiteral("127.0.0.6")));
        QVERIFY(m);
        QTRY_COMPARE(m->commands(), QStringList{StatusRequest});
        QVERIFY(config->Timer1->isActive());
        config->closeTelegramSockets();
        QVERIFY(!config->Timer1->isActive());
    }

    // A telegram read on a link but not yet processed when a selection or a
    // search gives the link up belongs to the receiver that is gone: its
    // status reply must not put the next receiver into gateway mode.
    void telegramOfAGivenUpLink_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("search");
        for (const auto &[name, mode] : {std::pair{"tcp server", 0}, {"tcp client", 1}, {"udp", 2}})
            QTest::addRow("%s, another receiver selected", name) << mode << false;
        QTest::newRow("tcp server, search") << 0 << true;
    }
    void telegramOfAGivenUpLink()
    {
        QFETCH(int, mode);
        QFETCH(bool, search);
        const auto record = [mode](const char *macHex, const char *ip) {
            BoardRecord rec = nvxtest::reportingRecord(macHex, QString::fromLatin1(ip));
            if (mode == 1)
                rec[BoardRecord::Mode] = 0;   // the receiver is a TCP client
            if (mode == 2)
                rec[BoardRecord::Udp] = 1;
            return rec;
        };
        SimModule *gone = bench->link(record("00AA00000011", "127.0.0.11"));
        QVERIFY(gone);
        gone->receiver.gatewayFlag = true;
        const BoardRecord next = record("00AA00000012", "127.0.0.12");
        SimModule *nextModule = bench->sim.addModule(next);
        nextModule->receiver.answerStatus = false;
        QVERIFY(nextModule->startReceiver());
        QIODevice *socket = mode == 0 ? static_cast<QIODevice *>(config->Winsock3)
            : mode == 1               ? static_cast<QIODevice *>(config->Winsock1_1.data())
                                      : static_cast<QIODevice *>(config->Winsock2UDP);
        bool givenUp = false;
        std::shared_ptr<nvxtest::StatusResult> searched;
        QObject context;
        connect(socket, &QIODevice::readyRead, &context, [&] {
            if (std::exchange(givenUp, true))
                return;
            // Read, and queued for processing.
            if (search) {
                searched = nvxtest::closeStatusWindowAtResult(*config);
                config->Search_Click();
            } else {
                bench->select(next);
            }
        });
        gone->sendText(gone->statusReply());
        QTRY_VERIFY(givenUp);
        QTest::qWait(100);
        QVERIFY(!state->GatewayMode);
        QVERIFY(!config->frm_sensor->isHidden());
    }

    void sendenPadsCommandsAndFollowsManualLearn()
    {
        SimModule *m = bench->link(nvxtest::reportingRecord("00AA00000002", QStringLiteral("127.0.0.5")));
        QVERIFY(m);

        state->CommandString = cmd::readTableRequest();
        config->senden();
        state->CommandString = cmd::readBaseId();
        config->senden();
        QTRY_COMPARE(m->commands(), (QStringList{QStringLiteral("A55A9502030405060708          "),
                                                 QStringLiteral("A55AAB5800000000000000000003  ")}));

        // A sensor ID learned by hand: the receiver is told to end learning.
        QSignalSpy spy(config, &Config::telegramReceived);
        m->clearCommands();
        config->lernmodusFenster()->Manuell[1]->setChecked(true);
        state->ChannelHex = FormatHex2(3);
        state->CommandString = cmd::writeChannelManual(3, QStringLiteral("07"), QStringLiteral("000FA850"));
        config->senden();
        QTRY_COMPARE(m->commands(), (QStringList{QStringLiteral("A55A920307000FA85000          "),
                                                 QStringLiteral("A55A9603010203040506          ")}));
        QCOMPARE(state->CommandString, QStringLiteral("A55A9603010203040506          "));
        // The receiver then reports the channel it stored.
        QTRY_VERIFY(!spy.isEmpty());
        QCOMPARE(spy.last().at(0).toString(),
                 QString::fromLatin1(SimModule::channelTelegram(3, QStringLiteral("07"), QStringLiteral("000FA850"),
                                                                {0, 0, 0, 8})));

        // A table from an address file on the screen: no follow-up.
        m->clearCommands();
        state->TableLoadedFromFile = true;
        state->CommandString = cmd::supervisionOff();
        config->senden();
        state->TableLoadedFromFile = false;
        config->lernmodusFenster()->Manuell[0]->setChecked(true);
        state->CommandString = cmd::cancelLearn();
        config->senden();
        QTRY_COMPARE(m->commands(), (QStringList{QStringLiteral("A55A9B01020304050607          "),
                                                 QStringLiteral("A55A9C01020304050607          ")}));
    }

    void sendenWithoutLinkSendsNothing()
    {
        state->CommandString = cmd::statusRequest();
        config->senden(); // no receiver selected, no socket open
        config->chkUDPMode->setChecked(true);
        config->senden();
        QCOMPARE(state->CommandString, QStringLiteral("A55A9F02030405060708          "));
    }

    // A telegram processed with a modal window open must not hold up the
    // next one.
    void modalWindowDuringProcessingDoesNotStallTelegrams()
    {
        SimModule *m = bench->link(nvxtest::reportingRecord("00AA00000003", QStringLiteral("127.0.0.5")));
        QVERIFY(m);

        QStringList seen;
        bool secondSeenWhileModal = false;
        connect(config, &Config::telegramReceived, this, [&](const QString &telegram, const QString &) {
            seen << telegram;
            if (seen.size() != 1)
                return;
            QDialog dialog;
            QTimer poll;
            int waited = 0;
            connect(&poll, &QTimer::timeout, &dialog, [&] {
                waited += 10;
                if (seen.size() >= 2) {
                    secondSeenWhileModal = true;
                    dialog.accept();
                } else if (waited > 5000) {
                    dialog.reject();
                }
            });
            poll.start(10);
            m->sendText(T2);
            dialog.exec();
        });
        m->sendText(T1);
        QTRY_COMPARE(seen.size(), 2);
        QVERIFY(secondSeenWhileModal);
        QCOMPARE(seen, (QStringList{QString::fromLatin1(T1), QString::fromLatin1(T2)}));
    }

    void tcpClientReceiver()
    {
        BoardRecord rec = nvxtest::reportingRecord("00AA00000004", QStringLiteral("127.0.0.6"), 10011, 10012);
        rec[BoardRecord::Mode] = 0;
        SimModule *m = addAndSelect(rec, false);
        QVERIFY(m);
        QVERIFY(config->Winsock1_0->isListening());
        QCOMPARE(config->Winsock1_0->serverPort(), quint16(10012));
        QVERIFY(m->startReceiver());
        QTRY_COMPARE(m->commands(), QStringList{StatusRequest});
        QVERIFY(config->Winsock1_1);
        expectTimer1Started();
        checkStreamSplitting(m, QStringLiteral("127.0.0.6"));
        m->stopReceiver();
        QTRY_VERIFY(!config->Winsock1_1);

        // Another address is closed at once; nothing it sends is processed.
        QSignalSpy spy(config, &Config::telegramReceived);
        QTcpSocket intruder;
        QVERIFY(intruder.bind(QHostAddress(QStringLiteral("127.0.0.9")), 0));
        intruder.connectToHost(QHostAddress::LocalHost, 10012);
        QVERIFY(intruder.waitForConnected(2000));
        intruder.write(T1);
        QTRY_COMPARE(intruder.state(), QAbstractSocket::UnconnectedState);
        QVERIFY(!config->Winsock1_1);
        QCOMPARE(intruder.readAll(), QByteArray());
        QCOMPARE(spy.count(), 0);

        // The receiver connecting again replaces its earlier connection.
        QTcpSocket first;
        QVERIFY(first.bind(QHostAddress(QStringLiteral("127.0.0.6")), 0));
        first.connectToHost(QHostAddress::LocalHost, 10012);
        QTRY_COMPARE(first.bytesAvailable(), qint64(20));
        QCOMPARE(first.readAll(), StatusRequest.toLatin1());
        config->Timer1->stop();
        QTcpSocket second;
        QVERIFY(second.bind(QHostAddress(QStringLiteral("127.0.0.6")), 0));
        second.connectToHost(QHostAddress::LocalHost, 10012);
        QTRY_COMPARE(second.bytesAvailable(), qint64(20));
        QTRY_COMPARE(first.state(), QAbstractSocket::UnconnectedState);
        config->Timer1->stop();
        second.write(T2);
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(1).toString(), QStringLiteral("127.0.0.6"));

        // While logging runs a new link is accepted but stays quiet.
        state->LoggingActive = true;
        QTcpSocket third;
        QVERIFY(third.bind(QHostAddress(QStringLiteral("127.0.0.6")), 0));
        third.connectToHost(QHostAddress::LocalHost, 10012);
        QTRY_COMPARE(second.state(), QAbstractSocket::UnconnectedState);
        third.write(T1);
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(third.bytesAvailable(), qint64(0));
        QVERIFY(!config->Timer1->isActive());
    }

    void udpReceiver()
    {
        BoardRecord rec = nvxtest::reportingRecord("00AA00000005", QStringLiteral("127.0.0.7"), 10021, 10022);
        rec[BoardRecord::Udp] = 1;
        SimModule *m = addAndSelect(rec);
        QVERIFY(m);
        QCOMPARE(config->Winsock2UDP->state(), QAbstractSocket::BoundState);
        QCOMPARE(config->Winsock2UDP->localPort(), quint16(10022));
        QTRY_COMPARE(m->commands(), QStringList{StatusRequest});
        expectTimer1Started();

        QSignalSpy spy(config, &Config::telegramReceived);
        m->sendText(T1);
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0), (QVariantList{QString::fromLatin1(T1), QStringLiteral("127.0.0.7")}));
        QCOMPARE(state->SenderIP, QStringLiteral("127.0.0.7"));
        QCOMPARE(state->ReceivedData, QString::fromLatin1(T1));

        // Short datagrams are filled with blanks, long ones cut.
        m->sendText("A55A0B05");
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(state->ReceivedData, QStringLiteral("A55A0B05                    "));
        QCOMPARE(state->ReplyString, state->ReceivedData);
        m->sendText(T2 + "EXTRA");
        QTRY_COMPARE(spy.count(), 3);
        QCOMPARE(state->ReceivedData, QString::fromLatin1(T2));

        m->clearCommands();
        state->CommandString = cmd::readTableRequest();
        config->senden();
        QTRY_COMPARE(m->commands(), QStringList{QStringLiteral("A55A9502030405060708          ")});
    }
};

QTEST_MAIN(TestLinkSockets)
#include "test_link_sockets.moc"
