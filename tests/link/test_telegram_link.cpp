// The telegram processor behind a real link: what the status reply makes the
// program send, the table that follows, telegrams of other receivers, and a
// steady stream of telegrams.

#include "sim_burst.h"
#include "support/fixtures.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QSignalSpy>

using namespace nvx;
using nvxsim::SimModule;

namespace {
const QString StatusRequest = QStringLiteral("A55A9F02030405060708");
const QString ReadTableCommand = QStringLiteral("A55A9502030405060708          ");
const QString ReceiverA = QStringLiteral("127.0.0.5");
const QString ReceiverB = QStringLiteral("127.0.0.9");
constexpr int ReceiverPort = 10001;
constexpr int ServerPort = 10002;

BoardRecord udpRecord(const char *macHex, const QString &ip)
{
    BoardRecord rec = nvxtest::reportingRecord(macHex, ip, ReceiverPort, ServerPort);
    rec[BoardRecord::Udp] = 1;
    return rec;
}
} // namespace

class TestTelegramLink : public QObject, nvxtest::PerTestBench {
    Q_OBJECT

    SimModule *addModule(const BoardRecord &rec, bool answerStatus)
    {
        SimModule *m = bench->sim.addModule(rec);
        m->receiver.answerStatus = answerStatus;
        return m->startReceiver() ? m : nullptr;
    }

private Q_SLOTS:
    void init() { startBench(); }
    void cleanup() { stopBench(); }

    // Sensor-table mode: the status reply asks for the table once, and the
    // table's telegrams fill the rows while the status window waits.
    void statusReplyReadsTableOnce()
    {
        const BoardRecord rec = nvxtest::reportingRecord("00AA00000011", ReceiverA, ReceiverPort, ServerPort);
        SimModule *m = bench->sim.addModule(rec);
        m->table[3] = {true, QStringLiteral("07"), QStringLiteral("000FA850"), {0x10, 0x20, 0x30, 0x08}};
        m->table[7] = {true, QStringLiteral("05"), QStringLiteral("0012AB34"), {0x30, 0x00, 0x00, 0x00}};
        QVERIFY(m->startReceiver());

        int codeInWindow = -1;
        QStringList commandsInWindow;
        QString row4, row8;
        auto answered = nvxtest::onNextModal(
            [&](QWidget *w) {
                codeInWindow = state->StatusCode;
                (void)QTest::qWaitFor([&] { return config->SystemID[7]->text() == QLatin1String("0012AB34"); }, 5000);
                commandsInWindow = m->commands();
                const QStringList rows = nvxtest::tableText(*config).split(QLatin1Char('\n'));
                row4 = rows.value(3);
                row8 = rows.value(7);
                nvxtest::click(w, QStringLiteral("cmdOK"));
            },
            QStringLiteral("frmState"));
        bench->select(rec);
        QTRY_VERIFY_WITH_TIMEOUT(*answered, 10000);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(codeInWindow, int(StatusReadTable));
        QCOMPARE(commandsInWindow, (QStringList{StatusRequest, ReadTableCommand}));
        QCOMPARE(row4, QStringLiteral("04 | 4 Byte Sensor | 07 | 000FA850"));
        QCOMPARE(row8, QStringLiteral("08 | Taster | 05 | 0012AB34"));
        QCOMPARE(state->ChannelDB2[3], 0x20);
        QVERIFY(!state->GatewayMode);
        QVERIFY(!config->frm_sensor->isHidden());
        // The table request fallback is off: no second read follows.
        QVERIFY(!config->Timer1->isActive());
        QTest::qWait(100);
        QCOMPARE(m->commands(), (QStringList{StatusRequest, ReadTableCommand}));
    }

    // Gateway mode: the status reply switches the layout and sends nothing.
    void gatewayStatusReplySendsNothing()
    {
        const BoardRecord rec = udpRecord("00AA00000012", ReceiverA);
        SimModule *m = addModule(rec, true);
        QVERIFY(m);
        m->receiver.gatewayFlag = true;
        m->receiver.serverFlag = true;
        QSignalSpy spy(config, &Config::telegramReceived);
        bench->select(rec);
        QTRY_VERIFY(state->GatewayMode);
        QCOMPARE(spy.count(), 1);
        QVERIFY(config->chk_gateway_enocean->isChecked());
        QVERIFY(config->chk_server->isChecked());
        QVERIFY(config->chk_rssi->isChecked());
        QVERIFY(config->frm_sensor->isHidden());
        QVERIFY(!config->frm_gateway->isHidden());
        QVERIFY(!config->Timer1->isActive());
        QVERIFY(!QApplication::activeModalWidget());
        QTest::qWait(100);
        QCOMPARE(m->commands(), QStringList{StatusRequest});
    }

    // Only the selected receiver fills the table; the status reply counts
    // from any address.
    void otherReceiverIgnored()
    {
        SimModule *a = bench->link(udpRecord("00AA00000013", ReceiverA));
        QVERIFY(a);
        SimModule *other = addModule(udpRecord("00AA00000014", ReceiverB), false);
        QVERIFY(other);

        QSignalSpy spy(config, &Config::telegramReceived);
        other->sendChannelTelegram(2, QStringLiteral("06"), QStringLiteral("00BBBBBB"), {1, 2, 3, 0x08});
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(1).toString(), ReceiverB);
        QCOMPARE(config->SystemID[2]->text(), QStringLiteral("Frei"));
        QCOMPARE(state->ChannelDB3[2], 0);

        a->sendChannelTelegram(2, QStringLiteral("06"), QStringLiteral("00AAAAAA"), {1, 2, 3, 0x08});
        QTRY_COMPARE(config->SystemID[2]->text(), QStringLiteral("00AAAAAA"));
        QCOMPARE(state->ChannelDB3[2], 1);

        // The other receiver's status reply still sets the mode.
        other->receiver.gatewayFlag = true;
        other->sendText(other->statusReply());
        QTRY_VERIFY(state->GatewayMode);
    }

    // A steady stream at the radio channel's top rate: every telegram is
    // processed, each channel ends with its last data.
    void steadyStreamLosesNothing()
    {
        SimModule *m = bench->link(udpRecord("00AA00000015", ReceiverA));
        QVERIFY(m);

        constexpr int count = 600;
        QList<QByteArray> telegrams;
        for (int i = 0; i < count; ++i)
            telegrams << SimModule::channelTelegram(i % ChannelCount, QStringLiteral("07"),
                                                    QStringLiteral("00C000%1").arg(i % ChannelCount, 2, 16, QLatin1Char('0')).toUpper(),
                                                    {i & 0xFF, i >> 8, 0, 0x08});
        const quint64 before = config->telegramsProcessed();
        nvxsim::TelegramBurst burst(m);
        QSignalSpy finished(&burst, &nvxsim::TelegramBurst::finished);
        burst.start(telegrams, 1000);
        QVERIFY(finished.wait(5000));
        QCOMPARE(burst.sent(), count);
        // Paced, not sent at once: 600 at 1000/s take about 0.6 s.
        QVERIFY2(burst.elapsedMs() >= 500, qPrintable(QString::number(burst.elapsedMs())));
        QTRY_COMPARE(config->telegramsProcessed() - before, quint64(count));
        for (int ch = 0; ch < ChannelCount; ++ch) {
            const int last = count - ChannelCount + ch;
            QCOMPARE(state->ChannelDB3[ch], last & 0xFF);
            QCOMPARE(state->ChannelDB2[ch], last >> 8);
        }
        QCOMPARE(config->txtletztesTelegramm->text(), QString::fromLatin1(telegrams.last()));
    }
};

QTEST_MAIN(TestTelegramLink)
#include "test_telegram_link.moc"
