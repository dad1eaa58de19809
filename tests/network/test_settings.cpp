// Writing the network settings: the refusals before anything is sent, the
// state a failed check leaves, an unconfirmed write, and the gateway options.

#include "settings_fixture.h"
#include "shell/vbcolours.h"

using namespace nvx;
using namespace nvxtest;

class TestSettings : public QObject {
    Q_OBJECT

    std::unique_ptr<SettingsBench> b;

    Config &c() { return *b->config; }
    AppState &s() { return b->state; }

    // A receiver in TCP server mode reporting to this PC, selected and linked.
    nvxsim::SimModule *linkedReceiver()
    {
        nvxsim::SimModule *m = b->addModule(true);
        if (!m->startReceiver())
            return nullptr;
        b->select(m);
        if (!QTest::qWaitFor([&] { return m->isConnected() && !m->commands().isEmpty(); }, 5000))
            return nullptr;
        return m;
    }

    // Clicks the write button, which must be refused with the error window
    // of `code`.
    std::shared_ptr<ErrorSeen> settingRefused(int code)
    {
        auto seen = answerError();
        c().Setting->click();
        [&] {
            QVERIFY(seen->shown);
            QCOMPARE(seen->firstLine, errorText(code));
        }();
        return seen;
    }

    // Nothing may reach the modules: give a stray datagram time to arrive.
    void verifyNothingSent()
    {
        QTest::qWait(200);
        QVERIFY(b->settingsSent().isEmpty());
        QCOMPARE(s().StatusCode, int(StatusIdle));
    }

private Q_SLOTS:
    void init()
    {
        b = std::make_unique<SettingsBench>();
        QVERIFY(b->sim.start());
    }

    void cleanup() { b.reset(); }

    void portRuleRefusedBeforeAnythingChanges()
    {
        nvxsim::SimModule *m = linkedReceiver();
        QVERIFY(m);
        const QString lastTelegram = c().txtletztesTelegramm->text();

        c().txtPort->setText(QStringLiteral("5000"));
        c().txtServerPort->setText(QStringLiteral("5001"));
        QVERIFY(settingRefused(10)->pictures);

        c().chkUDPMode->click();
        c().txtServerPort->setText(QStringLiteral("5000"));
        settingRefused(10);

        verifyNothingSent();
        QVERIFY(m->isConnected());
        QCOMPARE(c().Winsock3->state(), QAbstractSocket::ConnectedState);
        QCOMPARE(c().txtletztesTelegramm->text(), lastTelegram);
        QVERIFY(!s().OperationFailed);
    }

    // Ports are 16 bits: a larger number is refused, not cut.
    void portOutOfRangeRefused_data()
    {
        QTest::addColumn<bool>("udp");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("serverPort");
        QTest::newRow("tcp 70000") << false << QStringLiteral("70000") << QStringLiteral("70000");
        QTest::newRow("tcp 65536") << false << QStringLiteral("65536") << QStringLiteral("65536");
        QTest::newRow("udp server 99999") << true << QStringLiteral("5000") << QStringLiteral("99999");
        QTest::newRow("tcp 15 digits") << false << QStringLiteral("100000000000000")
                                       << QStringLiteral("100000000000000");
        QTest::newRow("tcp empty") << false << QString() << QString();
        QTest::newRow("udp pasted letters") << true << QStringLiteral("50a0") << QStringLiteral("5001");
    }

    void portOutOfRangeRefused()
    {
        QFETCH(bool, udp);
        QFETCH(QString, port);
        QFETCH(QString, serverPort);
        b->select(b->addModule(false));
        (udp ? c().chkUDPMode : c().chkTCPIP)->click();
        c().txtPort->setText(port);
        c().txtServerPort->setText(serverPort);
        settingRefused(10);
        verifyNothingSent();
    }

    void directAddressNotAnAddressRefused()
    {
        b->select(b->addModule(false));
        c().chkDirect->click();
        c().txtDirectIP->setText(QStringLiteral("127.0.0"));
        settingRefused(3);
        QTRY_COMPARE(c().focusWidget(), c().txtDirectIP);

        // Unticked and ticked again, the box holds two blanks.
        c().chkDirect->click();
        c().chkDirect->click();
        QCOMPARE(c().txtDirectIP->text(), QStringLiteral("  "));
        settingRefused(3);
        verifyNothingSent();
    }

    void loggingRefused()
    {
        nvxsim::SimModule *m = linkedReceiver();
        QVERIFY(m);
        c().Optionallintervall->setChecked(true);
        s().LoggingActive = true;
        settingRefused(13);
        QVERIFY(c().Option1Intervall->isChecked());
        verifyNothingSent();
        QVERIFY(m->isConnected());
    }

    // A wrong field found while the record is built: the link is already
    // down and the table cleared, nothing is sent and the edits stay marked.
    void wrongGatewayOnWrite()
    {
        nvxsim::SimModule *m = linkedReceiver();
        QVERIFY(m);
        c().txtIP->setFocus();
        c().txtIP->selectAll();
        QTest::keyClicks(c().txtIP, QStringLiteral("127.0.0.7"));
        c().txtGW->setText(QStringLiteral("10.0.0"));
        settingRefused(7);
        QTRY_COMPARE(c().focusWidget(), c().txtGW);

        QVERIFY(s().OperationFailed);
        QCOMPARE(c().Winsock3->state(), QAbstractSocket::UnconnectedState);
        QTRY_VERIFY(!m->isConnected());
        QCOMPARE(c().txtletztesTelegramm->text(), QStringLiteral("  "));
        for (int ch = 0; ch < ChannelCount; ++ch) {
            QCOMPARE(c().SystemID[ch]->text(), s().Texts[0]);
            QCOMPARE(c().OrgByte[ch]->text(), QStringLiteral("  "));
            QCOMPARE(backColour(c().SystemID[ch]), SysColourCaptionText);
            QVERIFY(!c().Lernmodusbutton[ch]->isEnabled());
        }
        QCOMPARE(foreColour(c().txtIP), ColourRed);
        QCOMPARE(c().txtIP->text(), QStringLiteral("127.0.0.7"));
        QCOMPARE(s().CurrentBoard.dotted(BoardRecord::Ip), QStringLiteral("127.0.0.7"));
        verifyNothingSent();
    }

    void gatewayOptionsOnTheWire()
    {
        nvxsim::SimModule *m = linkedReceiver();
        QVERIFY(m);
        m->clearCommands();
        for (const bool on : {false, true}) {
            c().chk_gateway_enocean->setChecked(on);
            c().chk_rssi->setChecked(on);
            c().chk_server->setChecked(on);
            c().bt_set->click();
            const QString command = on ? QStringLiteral("A55A9E01000103040506") : QStringLiteral("A55A9E00010003040506");
            QCOMPARE(s().CommandString, toCommandString(command));
            QCOMPARE(c().frm_sensor->isHidden(), on);
            QCOMPARE(c().frm_log->isHidden(), on);
            QCOMPARE(s().GatewayMode, on);
            QCOMPARE(s().CurrentChannel, on ? 1 : 0);
            if (on)
                QCOMPARE(s().ChannelHex, QStringLiteral("01"));
            QTRY_VERIFY(m->commands().contains(command + QString(10, QLatin1Char(' '))));
            QCOMPARE(m->gatewayOptions.trimmed(), command);
        }
    }

    // Without a link the layout still follows the box.
    void gatewayOptionsWithoutLink()
    {
        c().chk_gateway_enocean->setChecked(true);
        c().chk_rssi->setChecked(false);
        c().chk_server->setChecked(true);
        c().bt_set->click();
        QCOMPARE(s().CommandString, toCommandString(QStringLiteral("A55A9E01010103040506")));
        QVERIFY(c().frm_sensor->isHidden());
        QVERIFY(s().GatewayMode);
        c().chk_gateway_enocean->setChecked(false);
        c().bt_set->click();
        QVERIFY(!c().frm_sensor->isHidden());
        QVERIFY(!c().frm_log->isHidden());
        QVERIFY(!s().GatewayMode);
    }

    // A confirmation from another module is no confirmation: the window
    // reports the failure and the reselection shows the values as found.
    void confirmationFromAnotherModule()
    {
        nvxsim::SimModule *m = b->addModule(false);
        m->behaviour.setcDelayMs = 500;
        m->behaviour.setcMac = QByteArray::fromHex("001A2B030C99");
        b->select(m);
        c().chkDirect->click();
        c().txtDirectIP->setText(QStringLiteral("127.0.0.5"));
        c().chkUDPMode->click();
        c().txtPort->setText(QStringLiteral("0"));
        c().txtServerPort->setText(QStringLiteral("1"));

        const auto watch = watchWrite(s());
        c().Setting->click();
        QVERIFY(watch->shown);
        QCOMPARE(watch->messageWhileWaiting, s().Texts[13]);
        QCOMPARE(watch->result, s().Texts[18]);
        QVERIFY(watch->resultAfterMs >= 9500);
        QCOMPARE(watch->confirmedAfterMs, qint64(-1));

        const QList<QByteArray> sent = b->settingsSent();
        QCOMPARE(sent.size(), 1);
        const QByteArray rec = sent.first().mid(4);
        QCOMPARE(rec.size(), BoardRecord::Size);
        QCOMPARE(rec.mid(19, 2), QByteArray::fromHex("0000"));
        QCOMPARE(rec.mid(25, 2), QByteArray::fromHex("0001"));
        QCOMPARE(int(rec[43]), 1);

        // The module took the record, but the program was never told.
        QCOMPARE(c().txtPort->text(), QStringLiteral("5000"));
        QVERIFY(c().chkTCPIP->isChecked());
        QCOMPARE(foreColour(c().chkUDPMode), ColourBlack);
        QCOMPARE(foreColour(c().txtPort), ColourBlack);
        QCOMPARE(s().boards.find(m->macText())->port(BoardRecord::Port), 5000);
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
