// A confirmed settings write end to end: the record on the wire, the full
// wait of the status window, and the receiver selected again with what was
// written.

#include "settings_fixture.h"
#include "shell/vbcolours.h"

using namespace nvx;
using namespace nvxtest;

class TestSettingsWrite : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void confirmedWrite()
    {
        SettingsBench b;
        QVERIFY(b.sim.start());
        Config &c = *b.config;
        AppState &s = b.state;

        nvxsim::SimModule *m = b.addModule(false);
        // Whatever the module reports in its serial settings is overwritten.
        for (int i = 27; i <= 39; ++i)
            m->record[i] = 0x77;
        m->record[44] = 0x77;
        m->behaviour.setcDelayMs = 3000;
        b.select(m);

        c.txtIP->setText(QStringLiteral("127.0.0.6"));
        c.txtSubnet->setText(QStringLiteral("255.255.0.0"));
        c.txtGW->setText(QStringLiteral("127.0.0.254"));
        c.txtPort->setText(QStringLiteral("65535"));
        c.txtServerPort->setText(QStringLiteral("65535"));
        c.chkClientMode->click();
        c.chkDHCP->click();
        QCOMPARE(foreColour(c.chkClientMode), ColourRed);

        const auto watch = watchWrite(s);
        c.Setting->click();
        QVERIFY(watch->shown);
        QCOMPARE(watch->messageWhileWaiting, s.Texts[13]);
        QVERIFY2(watch->confirmedAfterMs >= 2500 && watch->confirmedAfterMs < 6000,
                 QByteArray::number(watch->confirmedAfterMs));
        QCOMPARE(watch->result, s.Texts[19]);
        QVERIFY2(watch->resultAfterMs >= 9500, QByteArray::number(watch->resultAfterMs));
        QVERIFY(!s.OperationFailed);

        const QList<QByteArray> sent = b.settingsSent();
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.first().size(), 49);
        const QByteArray rec = sent.first().mid(4);
        QCOMPARE(rec.left(6), QByteArray::fromHex("001A2B030C05"));
        QCOMPARE(int(rec[6]), 0);
        QCOMPARE(rec.mid(7, 4), QByteArray::fromHex("7F000006"));
        QCOMPARE(rec.mid(11, 4), QByteArray::fromHex("FFFF0000"));
        QCOMPARE(rec.mid(15, 4), QByteArray::fromHex("7F0000FE"));
        QCOMPARE(rec.mid(19, 2), QByteArray::fromHex("FFFF"));
        QCOMPARE(rec.mid(21, 4), QByteArray::fromHex("7F000009"));
        QCOMPARE(rec.mid(25, 2), QByteArray::fromHex("FFFF"));
        QCOMPARE(rec.mid(27, 13), QByteArray::fromHex("FA08000000A5001C0000000001"));
        QCOMPARE(rec.mid(40, 2), QByteArray::fromHex("020A"));
        QCOMPARE(int(rec[42]), 1);
        QCOMPARE(int(rec[43]), 0);
        QCOMPARE(int(rec[44]), 0);

        // Selected again: the fields show what was written, in black.
        QCOMPARE(c.txtIP->text(), QStringLiteral("127.0.0.6"));
        QCOMPARE(c.txtSubnet->text(), QStringLiteral("255.255.0.0"));
        QCOMPARE(c.txtPort->text(), QStringLiteral("65535"));
        QVERIFY(c.chkClientMode->isChecked());
        QVERIFY(c.chkDHCP->isChecked());
        QCOMPARE(s.LoadedIP, QStringLiteral("127.0.0.6"));
        QVERIFY(s.LoadedClientMode);
        for (QWidget *w : std::initializer_list<QWidget *>{c.txtIP, c.txtSubnet, c.txtPort, c.chkClientMode,
                                                             c.chkDHCP})
            QCOMPARE(foreColour(w), ColourBlack);
        QCOMPARE(s.boards.find(m->macText())->dotted(BoardRecord::Ip), QStringLiteral("127.0.0.6"));
        // The module runs with its new record.
        QCOMPARE(m->record.dotted(BoardRecord::Ip), QStringLiteral("127.0.0.6"));
    }
};

QTEST_MAIN(TestSettingsWrite)
#include "test_settings_write.moc"
