// The telegram processor: status reply, base-ID reply, channel telegrams and
// the steps that end each of them, driven with telegrams as the data-arrival
// handlers hand them over.

#include "link/telegram.h"
#include "shell/frmfehler.h"
#include "shell/frmstate.h"
#include "shell/vbcolours.h"
#include "support/fixtures.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QToolButton>

using namespace nvx;

namespace {

const QString ReceiverIP = QStringLiteral("127.0.0.2");

// "A55A", header, ORG, DB3..DB0, ID, status, channel: 28 characters.
QString channelTelegram(int ch, const QString &org, const QString &id, std::array<int, 4> db3to0,
                        const QString &sync = QStringLiteral("A55A"))
{
    QString t = sync + u"0B" + org;
    for (int b : db3to0)
        t += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return t + id + u"00" + (ch < 0 ? QStringLiteral("FF") : FormatHex2(ch));
}

// A status reply with the given gateway, RSSI and server characters (8, 10, 12).
QString statusReply(QChar gateway, QChar rssi, QChar server)
{
    return QStringLiteral("A55A9F0") + gateway + u'0' + rssi + u'0' + server + QStringLiteral("0000000000000000");
}

// Closes any modal window that opens while it lives (except `ignore`) and
// remembers its name: for steps that must not open one.
class ModalGuard {
public:
    explicit ModalGuard(QWidget *ignore = nullptr) : m_ignore(ignore)
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            QWidget *w = QApplication::activeModalWidget();
            if (!w || w == m_ignore)
                return;
            shown << w->objectName();
            if (auto *d = qobject_cast<QDialog *>(w))
                d->done(0);
        });
        m_timer.start();
    }
    QStringList shown;

private:
    QWidget *m_ignore;
    QTimer m_timer;
};

} // namespace

class TestTelegram : public QObject, nvxtest::PerTestBench {
    Q_OBJECT

    std::unique_ptr<ModalGuard> m_guard;

    // Hands one telegram to the processor as a data-arrival handler does.
    void deliver(const QString &telegram, const QString &sender = ReceiverIP)
    {
        state->ReplyString = toReplyString(telegram);
        state->ReceivedData = telegram;
        state->SenderIP = sender;
        config->ProcessTelegram();
    }

private Q_SLOTS:
    void init()
    {
        startBench();
        nvxtest::showPlainInfoButtons(*config);
        state->LoadedIP = ReceiverIP;
        m_guard = std::make_unique<ModalGuard>();
    }

    // Unless a test says it opens windows, none may open.
    void cleanup()
    {
        const QStringList shown = m_guard ? m_guard->shown : QStringList();
        m_guard.reset();
        stopBench();
        QVERIFY2(shown.isEmpty(), qPrintable(shown.join(u',')));
    }

    // ---- the pure reading of telegrams ---------------------------------

    void telegramFields()
    {
        const QString t = channelTelegram(3, QStringLiteral("07"), QStringLiteral("000FA850"), {0x10, 0x20, 0x30, 0x08});
        QCOMPARE(t.size(), 28);
        QCOMPARE(sensorKey(t), QStringLiteral("07000FA850"));
        QVERIFY(isStatusReply(statusReply(u'0', u'0', u'0')));
        QVERIFY(!isStatusReply(t));
        QVERIFY(!isStatusReply(QStringLiteral("A55A9")));
        QVERIFY(isSupervisionMessage(QStringLiteral("A55B9F")));
        QVERIFY(isBaseIdReply(0x8B, 0x98));
        QVERIFY(!isBaseIdReply(0x8B, 0x99));
        QVERIFY(isLearnTelegram(0x00));
        QVERIFY(isLearnTelegram(0xF7));
        QVERIFY(!isLearnTelegram(0x08));
        QCOMPARE(charAt(QStringLiteral("AB"), 3), QChar(u' '));
        QCOMPARE(chars(QStringLiteral("ABCDEF"), 5, 9), QStringLiteral("EF"));
        QCOMPARE(chars(QStringLiteral("AB"), 5, 9), QString());
        QCOMPARE(orgKindCaption(u"05", QStringLiteral("Taster")), QStringLiteral("Taster"));
        QCOMPARE(orgKindCaption(u"06", QString()), QStringLiteral("1 Byte Sensor"));
        QCOMPARE(orgKindCaption(u"07", QString()), QStringLiteral("4 Byte Sensor"));
        QVERIFY(orgKindCaption(u"A5", QStringLiteral("Taster")).isNull());
    }

    void rockerCodes()
    {
        for (const auto &[code, button] : {std::pair{0xB0, 0}, {0xF0, 0}, {0x70, 0}, {0x90, 1}, {0xD0, 1}, {0x50, 1},
                                           {0x30, 2}, {0x10, 3}, {0x00, -1}, {0x31, -2}, {0x03, -2}})
            QCOMPARE(rockerButtonFor(code), button);
    }

    // ---- status reply ----------------------------------------------------

    void statusReplyGatewayModeOpensNoWindow()
    {
        config->Timer1->start();
        state->CommandString = toCommandString(QStringLiteral("untouched"));
        deliver(statusReply(u'1', u'0', u'0'), QStringLiteral("127.0.0.77"));
        QVERIFY(state->GatewayMode);
        QVERIFY(config->chk_gateway_enocean->isChecked());
        QVERIFY(config->frm_log->isHidden());
        QVERIFY(config->frm_sensor->isHidden());
        QVERIFY(!config->frm_gateway->isHidden());
        QVERIFY(config->start3->isEnabled());
        QVERIFY(!config->pause3->isEnabled());
        QVERIFY(!config->stop3->isEnabled());
        QVERIFY(!config->Timer1->isActive());
        QCOMPARE(state->CommandString, toCommandString(QStringLiteral("untouched")));
        QCOMPARE(state->StatusCode, int(StatusIdle));
    }

    void statusReplyTableModeReadsTable()
    {
        // Gateway mode first, so the switch back is visible.
        deliver(statusReply(u'1', u'0', u'0'));
        m_guard.reset(); // the table read opens the status window
        config->Timer1->start();
        int codeInWindow = -1;
        bool timerInWindow = true;
        auto shown = nvxtest::onNextModal(
            [&](QWidget *w) {
                codeInWindow = state->StatusCode;
                timerInWindow = config->Timer1->isActive();
                nvxtest::click(w, QStringLiteral("cmdOK"));
            },
            QStringLiteral("frmState"));
        deliver(statusReply(u'0', u'0', u'0'), QStringLiteral("127.0.0.77"));
        QVERIFY(*shown);
        QCOMPARE(codeInWindow, int(StatusReadTable));
        // The fallback request must not fire while the table is being read.
        QVERIFY(!timerInWindow);
        QCOMPARE(state->CommandString, toCommandString(QStringLiteral("A55A9502030405060708")));
        QVERIFY(!state->GatewayMode);
        QVERIFY(!config->chk_gateway_enocean->isChecked());
        QVERIFY(!config->frm_log->isHidden());
        QVERIFY(!config->frm_sensor->isHidden());
        QVERIFY(config->frm_gateway->isHidden());
        QVERIFY(!config->Timer1->isActive());
    }

    void statusReplyDuringStatusWindowRestartsIt()
    {
        m_guard.reset(); // opens windows
        state->StatusCode = StatusWriteTable;
        int codeAfter = -1;
        QStringList nestedShown;
        auto shown = nvxtest::onNextModal(
            [&](QWidget *w) {
                {
                    ModalGuard nested(w);
                    deliver(statusReply(u'0', u'0', u'0'));
                    QTest::qWait(30);
                    nestedShown = nested.shown;
                }
                codeAfter = state->StatusCode;
                nvxtest::click(w, QStringLiteral("cmdOK"));
            },
            QStringLiteral("frmState"));
        config->ShowMsgWindow();
        QVERIFY(*shown);
        QVERIFY(nestedShown.isEmpty());
        QCOMPARE(codeAfter, int(StatusReadTable));
        QCOMPARE(state->CommandString, toCommandString(QStringLiteral("A55A9502030405060708")));
    }

    void statusReplyFlags_data()
    {
        QTest::addColumn<QChar>("rssi");
        QTest::addColumn<QChar>("server");
        QTest::addColumn<bool>("rssiTicked");
        QTest::addColumn<bool>("serverTicked");
        QTest::newRow("rssi 1 clears") << QChar(u'1') << QChar(u'0') << false << false;
        QTest::newRow("rssi 0 ticks") << QChar(u'0') << QChar(u'1') << true << true;
        QTest::newRow("other characters") << QChar(u'A') << QChar(u'2') << true << false;
    }

    void statusReplyFlags()
    {
        QFETCH(QChar, rssi);
        QFETCH(QChar, server);
        QFETCH(bool, rssiTicked);
        QFETCH(bool, serverTicked);
        config->chk_rssi->setChecked(!rssiTicked);
        config->chk_server->setChecked(!serverTicked);
        deliver(statusReply(u'1', rssi, server));
        QCOMPARE(config->chk_rssi->isChecked(), rssiTicked);
        QCOMPARE(config->chk_server->isChecked(), serverTicked);
    }

    void statusReplyOtherModeKeepsMode()
    {
        deliver(statusReply(u'1', u'0', u'0'));
        deliver(statusReply(u'7', u'1', u'0'));
        QVERIFY(state->GatewayMode);
        QVERIFY(config->frm_sensor->isHidden());
        QVERIFY(!config->chk_rssi->isChecked());
    }

    // ---- what is ignored ---------------------------------------------------

    void addressFileTableIgnoresEveryTelegram()
    {
        state->TableLoadedFromFile = true;
        const QString before = nvxtest::tableText(*config);
        config->Timer1->start();
        deliver(statusReply(u'1', u'1', u'1'));
        deliver(channelTelegram(3, QStringLiteral("07"), QStringLiteral("000FA850"), {1, 2, 3, 8}));
        deliver(channelTelegram(4, QStringLiteral("07"), QStringLiteral("FFFFFFFF"), {1, 2, 3, 8}));
        QCOMPARE(nvxtest::tableText(*config), before);
        QVERIFY(!state->GatewayMode);
        QVERIFY(!config->chk_gateway_enocean->isChecked());
        QVERIFY(!config->chk_server->isChecked());
        QVERIFY(config->Timer1->isActive());
        QCOMPARE(state->ChannelDB0[3], 0);
        QVERIFY(config->txtletztesTelegramm->text().isEmpty());
    }

    void telegramFromAnotherAddressIgnored()
    {
        const QString before = nvxtest::tableText(*config);
        deliver(channelTelegram(3, QStringLiteral("07"), QStringLiteral("000FA850"), {0x10, 0x20, 0x30, 0x00}),
                QStringLiteral("127.0.0.9"));
        QCOMPARE(nvxtest::tableText(*config), before);
        QCOMPARE(state->ChannelDB3[3], 0);
        QVERIFY(config->txtletztesTelegramm->text().isEmpty());
        QCOMPARE(state->ErrorCode, int(ErrorNone));
        // In gateway mode too, nothing of the sensor table changes.
        deliver(statusReply(u'1', u'0', u'0'));
        deliver(channelTelegram(3, QStringLiteral("07"), QStringLiteral("000FA850"), {0x10, 0x20, 0x30, 0x08}));
        QCOMPARE(nvxtest::tableText(*config), before);
    }

    void channelFFChangesNoRow()
    {
        const QString before = nvxtest::tableText(*config);
        deliver(channelTelegram(-1, QStringLiteral("07"), QStringLiteral("000FA850"), {0x10, 0x20, 0x30, 0x08}));
        deliver(channelTelegram(30, QStringLiteral("07"), QStringLiteral("000FA850"), {0x10, 0x20, 0x30, 0x00}));
        QCOMPARE(nvxtest::tableText(*config), before);
        for (int i = 0; i < ChannelCount; ++i)
            QCOMPARE(state->ChannelDB3[i], 0);
        QCOMPARE(state->ChannelDB3[30], 0);
        QVERIFY(config->txtletztesTelegramm->text().isEmpty());
    }

    void brokenTelegramsDoNotCrash()
    {
        for (const QString &t : {QString(), QStringLiteral("A55A"), QStringLiteral("A55A9"), QStringLiteral("zz"),
                                 QStringLiteral("A55A0B07xxxxxxxxxxxxxxxxxx0"), QString(28, QChar(0x00e4)),
                                 QStringLiteral("A55B"), QStringLiteral("A55A8B98")})
            deliver(t);
    }

    // A pair that is no byte: no row, data byte, mark or base ID takes a
    // value from the telegram.
    void pairThatIsNoByteChangesNothing_data()
    {
        QTest::addColumn<QString>("telegram");
        QTest::newRow("channel telegram") << QStringLiteral("A55A0B07102030G8000FA8500003");
        QTest::newRow("channel of blanks") << QStringLiteral("A55A0B071020300800AAAAAA00");
        QTest::newRow("channel digit no hex") << QStringLiteral("A55A0B0710203008000FA850000:");
        QTest::newRow("supervision message") << QStringLiteral("A55B0000F0140001000000000Z04");
        QTest::newRow("supervision off") << QStringLiteral("A55B0000x00000000000000000FF");
        QTest::newRow("base id") << QStringLiteral("A55A8B98FFFFFF8G00000000001D");
    }

    void pairThatIsNoByteChangesNothing()
    {
        QFETCH(QString, telegram);
        const QString before = nvxtest::tableText(*config);
        state->WatchActive = true;
        state->BaseIDText = QStringLiteral("-");
        deliver(telegram);
        QCOMPARE(nvxtest::tableText(*config), before);
        for (int i = 0; i <= ChannelCount; ++i)
            QVERIFY(state->ChannelDB0[i] == 0 && state->ChannelDB3[i] == 0 && !state->ChannelFailed[i]);
        QCOMPARE(state->BaseIDText, QStringLiteral("-"));
        QVERIFY(state->WatchActive);
        QVERIFY(config->txtletztesTelegramm->text().isEmpty());
        // The lower-case form of a telegram is one.
        deliver(channelTelegram(3, QStringLiteral("07"), QStringLiteral("000FA850"), {0x1A, 0, 0, 8}).toLower());
        QCOMPARE(state->ChannelDB3[3], 0x1A);
    }

    // ---- channel telegrams ------------------------------------------------

    void channelTelegramFillsRow()
    {
        const QString t = channelTelegram(3, QStringLiteral("07"), QStringLiteral("000FA850"), {0x10, 0x20, 0x30, 0x08});
        deliver(t);
        QCOMPARE(config->Orgnr[3]->text(), QStringLiteral("07"));
        QCOMPARE(config->OrgByte[3]->text(), QStringLiteral("4 Byte Sensor"));
        QCOMPARE(config->SystemID[3]->text(), QStringLiteral("000FA850"));
        QCOMPARE(config->txt_id[3]->text(), QStringLiteral("000FA850"));
        QCOMPARE(state->ChannelDB3[3], 16);
        QCOMPARE(state->ChannelDB2[3], 32);
        QCOMPARE(state->ChannelDB1[3], 48);
        QCOMPARE(state->ChannelDB0[3], 8);
        QCOMPARE(state->TelegramChannel, 3);
        QCOMPARE(config->txtletztesTelegramm->text(), t);
        QCOMPARE(state->ErrorCode, int(ErrorNone));
        QVERIFY(!state->DuplicateErrorShown);
        // A used row is painted in the button face colour.
        QCOMPARE(backColour(config->SystemID[3]), SysColourButtonFace);
        QCOMPARE(backColour(config->OrgByte[3]), SysColourButtonFace);
        QCOMPARE(backColour(config->Orgnr[3]), SysColourButtonFace);
        QCOMPARE(backColour(config->SystemID[4]), ColourWhite);
        // The same data telegram again is no duplicate either.
        deliver(t);
        QCOMPARE(state->ErrorCode, int(ErrorNone));
    }

    void orgCaptions()
    {
        deliver(channelTelegram(0, QStringLiteral("05"), QStringLiteral("0001A2B3"), {0x30, 0, 0, 0x08}));
        deliver(channelTelegram(1, QStringLiteral("06"), QStringLiteral("0001A2B4"), {0, 0, 0, 0x08}));
        QCOMPARE(config->OrgByte[0]->text(), state->Texts[21]);
        QCOMPARE(config->OrgByte[0]->text(), QStringLiteral("Taster"));
        QCOMPARE(config->Orgnr[0]->text(), QStringLiteral("05"));
        QCOMPARE(config->OrgByte[1]->text(), QStringLiteral("1 Byte Sensor"));
        // An unknown ORG keeps the kind captions but stores ID and data.
        deliver(channelTelegram(1, QStringLiteral("A5"), QStringLiteral("0001A2B5"), {9, 8, 7, 0x08}));
        QCOMPARE(config->OrgByte[1]->text(), QStringLiteral("1 Byte Sensor"));
        QCOMPARE(config->Orgnr[1]->text(), QStringLiteral("06"));
        QCOMPARE(config->SystemID[1]->text(), QStringLiteral("0001A2B5"));
        QCOMPARE(state->ChannelDB3[1], 9);
    }

    void freeChannelMarkShowsFreeTextOnWhite()
    {
        deliver(channelTelegram(4, QStringLiteral("07"), QStringLiteral("000FA850"), {0, 0, 0, 0x08}));
        QCOMPARE(backColour(config->SystemID[4]), SysColourButtonFace);
        config->info1[4]->setVisible(true);
        deliver(channelTelegram(4, QStringLiteral("07"), QStringLiteral("FFFFFFFF"), {0, 0, 0, 0x08}));
        QCOMPARE(config->SystemID[4]->text(), state->Texts[0]);
        QCOMPARE(config->SystemID[4]->text(), QStringLiteral("Frei"));
        // The whole row reads as free.
        QCOMPARE(config->OrgByte[4]->text(), QStringLiteral("  "));
        QCOMPARE(config->Orgnr[4]->text(), QStringLiteral("  "));
        QCOMPARE(backColour(config->SystemID[4]), ColourWhite);
        QCOMPARE(backColour(config->OrgByte[4]), ColourWhite);
        QCOMPARE(backColour(config->Orgnr[4]), ColourWhite);
        // A free row shows only its plain, disabled information button.
        QVERIFY(!config->info[4]->isHidden());
        QVERIFY(!config->info[4]->isEnabled());
        QVERIFY(config->info1[4]->isHidden());
        QVERIFY(!config->info1[4]->isEnabled());
    }

    void duplicateLearnTelegramShowsErrorOnce()
    {
        m_guard.reset(); // opens windows
        const QString id = QStringLiteral("000FA850");
        deliverGuarded(channelTelegram(5, QStringLiteral("07"), id, {1, 2, 3, 0x08}));

        const QString learn = channelTelegram(7, QStringLiteral("07"), id, {4, 5, 6, 0x00});
        int nestedCode = -1;
        QStringList nestedShown;
        bool nestedFlag = false;
        auto shown = nvxtest::onNextModal(
            [&](QWidget *w) {
                // A further learn telegram while the error is on screen sets
                // the code and shows nothing.
                {
                    ModalGuard nested(w);
                    deliver(learn);
                    nestedCode = state->ErrorCode;
                    nestedFlag = state->DuplicateErrorShown;
                    QTest::qWait(30);
                    nestedShown = nested.shown;
                }
                nvxtest::click(w, QStringLiteral("frmFehlerButton"));
            },
            QStringLiteral("frmFehler"));
        deliverAnswered(learn, *shown);
        QCOMPARE(nestedCode, int(ErrorSensorAlreadyLearned));
        QVERIFY(nestedFlag);
        QVERIFY(nestedShown.isEmpty());
        QVERIFY(!state->DuplicateErrorShown);
        // The telegram is still stored in its row.
        QCOMPARE(config->SystemID[7]->text(), id);
        QCOMPARE(state->ChannelDB3[7], 4);

        // Once acknowledged, the next one is reported again.
        deliverAnswered(learn, nvxtest::answerError()->shown);
    }

    void learnTelegramOfOwnRowIsDuplicate()
    {
        m_guard.reset(); // opens windows
        deliverGuarded(channelTelegram(2, QStringLiteral("06"), QStringLiteral("0001A2B4"), {0, 0, 0, 0x08}));
        const auto seen = nvxtest::answerError();
        deliverAnswered(channelTelegram(2, QStringLiteral("06"), QStringLiteral("0001A2B4"), {0, 0, 0, 0x00}), seen->shown);
        QVERIFY(seen->shown);
        // Another ORG with the same ID is another sensor.
        deliverGuarded(channelTelegram(3, QStringLiteral("07"), QStringLiteral("0001A2B4"), {0, 0, 0, 0x00}));
        QCOMPARE(state->ErrorCode, int(ErrorNone));
    }

    void learnInEndsOnlyForLearnChannel()
    {
        m_guard.reset(); // opens windows
        state->LearnDeleteChannel = 5;
        state->StatusCode = StatusLearnIn;
        int codeAfterOther = -1, codeAfterLearn = -1;
        bool okShown = false;
        auto shown = nvxtest::onNextModal(
            [&](QWidget *w) {
                auto *window = qobject_cast<frmState *>(w);
                window->Timer1SW->start(100000);
                window->Timer2SW->start(100000);
                deliver(channelTelegram(6, QStringLiteral("07"), QStringLiteral("00000006"), {0, 0, 0, 0x08}));
                codeAfterOther = state->StatusCode;
                deliver(channelTelegram(5, QStringLiteral("07"), QStringLiteral("00000005"), {0, 0, 0, 0x08}));
                codeAfterLearn = state->StatusCode;
                okShown = !window->cmdOK->isHidden() && !window->Timer1SW->isActive() && !window->Timer2SW->isActive();
                nvxtest::click(w, QStringLiteral("cmdOK"));
            },
            QStringLiteral("frmState"));
        config->ShowMsgWindow();
        QVERIFY(*shown);
        QCOMPARE(codeAfterOther, int(StatusLearnIn));
        QCOMPARE(codeAfterLearn, int(StatusIdle));
        QVERIFY(okShown);
        QCOMPARE(config->SystemID[5]->text(), QStringLiteral("00000005"));
    }

    void finalStepsSetButtonsOfLearnRow()
    {
        // Row 6 waits for its learn-in; another channel's telegram keeps its
        // learn button usable.
        state->LearnDeleteChannel = 6;
        config->SystemID[6]->setText(state->Texts[24]);
        deliver(channelTelegram(2, QStringLiteral("07"), QStringLiteral("00000002"), {0, 0, 0, 0x08}));
        QVERIFY(config->Lernmodusbutton[6]->isEnabled());
        QVERIFY(!config->info[6]->isEnabled());
        QVERIFY(!config->Loeschen[6]->isEnabled());
        // Its own telegram makes it a used row.
        deliver(channelTelegram(6, QStringLiteral("07"), QStringLiteral("00000006"), {0, 0, 0, 0x08}));
        QVERIFY(!config->Lernmodusbutton[6]->isEnabled());
        QVERIFY(config->info[6]->isEnabled());
        QVERIFY(config->Loeschen[6]->isEnabled());
    }

    void supervisedRowShowsSendingState()
    {
        state->WatchActive = true;
        state->ChannelFailed[8] = true;
        state->ChannelFailedAtTimes[9] = true;
        config->info3[8]->setVisible(true);
        deliver(channelTelegram(8, QStringLiteral("07"), QStringLiteral("00000008"), {0, 0, 0, 0x08}));
        deliver(channelTelegram(9, QStringLiteral("07"), QStringLiteral("00000009"), {0, 0, 0, 0x08}));
        QVERIFY(!state->ChannelFailed[8]);
        QVERIFY(config->info[8]->isHidden());
        QVERIFY(!config->info1[8]->isHidden());
        QVERIFY(config->info1[8]->isEnabled());
        QVERIFY(config->info2[8]->isHidden());
        QVERIFY(config->info3[8]->isHidden());
        QVERIFY(config->info[9]->isHidden());
        QVERIFY(config->info1[9]->isHidden());
        QVERIFY(!config->info2[9]->isHidden());
        QVERIFY(config->info2[9]->isEnabled());
        // Without supervision the information buttons are left alone.
        state->WatchActive = false;
        deliver(channelTelegram(10, QStringLiteral("07"), QStringLiteral("0000000A"), {0, 0, 0, 0x08}));
        QVERIFY(!config->info[10]->isHidden());
        QVERIFY(config->info1[10]->isHidden());
    }

    void baseIdReply()
    {
        const QString before = nvxtest::tableText(*config);
        deliver(QStringLiteral("A55A8B98FFFFFF8000000000001D"));
        QCOMPARE(state->BaseIDText, QStringLiteral("FFFFFF80"));
        QCOMPARE(state->BaseID3, QStringLiteral("FF"));
        QCOMPARE(state->BaseID2, QStringLiteral("FF"));
        QCOMPARE(state->BaseID1, QStringLiteral("FF"));
        QCOMPARE(state->BaseID0, QStringLiteral("80"));
        QCOMPARE(nvxtest::tableText(*config), before);
        // Not from the receiver: ignored.
        deliver(QStringLiteral("A55A8B98000000010000000000FF"), QStringLiteral("127.0.0.3"));
        QCOMPARE(state->BaseIDText, QStringLiteral("FFFFFF80"));
    }

private:
    void deliverGuarded(const QString &telegram)
    {
        ModalGuard guard;
        deliver(telegram);
        QVERIFY(guard.shown.isEmpty());
    }
    // For telegrams that must open a window answered by `answered`.
    void deliverAnswered(const QString &telegram, const bool &answered)
    {
        deliver(telegram);
        QVERIFY(answered);
    }
};

QTEST_MAIN(TestTelegram)
#include "test_telegram.moc"
