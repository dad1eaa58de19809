// The control timer and the receiver's supervision report: the commands on
// the wire, the window's state between openings and the rows' information
// buttons.

#include "sensors/alarm.h"
#include "sensors/supervision.h"
#include "shell/updown.h"
#include "support/fixtures.h"

#include <QCheckBox>
#include <QToolButton>

using namespace nvx;
using nvxtest::click;
using nvxtest::padded;

namespace {
// The one information button a row shows, "-" when none or more than one,
// with "+" when it is enabled.
QString rowInfo(Config &c, int ch)
{
    const std::array<QToolButton *, 4> b{c.info[ch], c.info1[ch], c.info2[ch], c.info3[ch]};
    QString shown;
    for (int k = 0; k < 4; ++k)
        if (!b[k]->isHidden())
            shown += (k == 0 ? QStringLiteral("info") : QStringLiteral("info%1").arg(k))
                + (b[k]->isEnabled() ? QStringLiteral("+") : QString());
    return shown.isEmpty() || shown.count(QLatin1String("info")) > 1 ? QStringLiteral("-") : shown;
}
} // namespace

class TestSupervision : public QObject {
    Q_OBJECT
    std::unique_ptr<nvxtest::LinkedReceiver> m_rx;
    Config &c() { return *m_rx->config; }

    // Opens the control timer and works it.
    void timer(std::function<void(Alarm *)> work)
    {
        auto done = nvxtest::onNextModal([work](QWidget *w) { work(qobject_cast<Alarm *>(w)); },
                                         QStringLiteral("Alarm"));
        c().Sensortimer_Click();
        QVERIFY(*done);
    }
    void useAllRows()
    {
        for (int ch = 0; ch < ChannelCount; ++ch)
            m_rx->setRow(ch, QStringLiteral("4 Byte Sensor"), QStringLiteral("07"), QStringLiteral("0000AB%1").arg(ch, 2, 10, QLatin1Char('0')));
    }

private Q_SLOTS:
    void init()
    {
        m_rx = std::make_unique<nvxtest::LinkedReceiver>();
        QVERIFY(m_rx->setUp());
    }
    void cleanup() { m_rx.reset(); }

    void minutesField_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("command");
        QTest::newRow("15") << "15" << "15" << "A55A9A0F020304050607";
        QTest::newRow("16") << "16" << "16" << "A55A9A10020304050607";
        QTest::newRow("255") << "255" << "255" << "A55A9AFF020304050607";
        QTest::newRow("300 is 255") << "300" << "255" << "A55A9AFF020304050607";
        QTest::newRow("5 is 15") << "5" << "15" << "A55A9A0F020304050607";
        QTest::newRow("empty is 15") << "" << "15" << "A55A9A0F020304050607";
        QTest::newRow("letters dropped") << "2x0" << "20" << "A55A9A14020304050607";
    }
    void minutesField()
    {
        QFETCH(QString, typed);
        QString left;
        timer([&](Alarm *w) {
            QVERIFY(!w->Check1->isChecked());
            QVERIFY(w->txtmin->isHidden());
            QCOMPARE(w->txtmin->text(), QStringLiteral("16"));
            QVERIFY(click(w, QStringLiteral("Check1")));
            QVERIFY(w->txtmin->isVisible());
            w->activateWindow();
            // Focus moves, and is left, only in the window that has it. A
            // busy machine activates the window late, and a window counts
            // as active already while the main window it belongs to is.
            QTRY_VERIFY(QApplication::activeWindow() == w);
            w->txtmin->setFocus();
            w->txtmin->selectAll();
            QTest::keyClick(w->txtmin, Qt::Key_Backspace);
            QTest::keyClicks(w->txtmin, typed);
            w->Abbruch1->setFocus();
            left = w->txtmin->text();
            QVERIFY(click(w, QStringLiteral("Abbruch")));
        });
        QTEST(left, "left");
        QFETCH(QString, command);
        QTRY_COMPARE(m_rx->module->commands(), QStringList{padded(command)});
        QCOMPARE(m_rx->state.WatchMinutes, left.toInt());
        QVERIFY(m_rx->state.WatchActive);
    }

    void spinButtons_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("after");
        QTest::newRow("up") << "16" << true << "17";
        QTest::newRow("up at 255") << "255" << true << "255";
        QTest::newRow("down") << "16" << false << "15";
        QTest::newRow("down at 15") << "15" << false << "15";
        QTest::newRow("empty up") << "" << true << "16";
        QTest::newRow("empty down") << "" << false << "15";
    }
    void spinButtons()
    {
        QFETCH(QString, field);
        QFETCH(bool, up);
        QFETCH(QString, after);
        QCOMPARE(minutesStepped(field, up), after);
        timer([&](Alarm *w) {
            w->txtmin->setText(field);
            (up ? w->UpDown1->upButton() : w->UpDown1->downButton())->click();
            QCOMPARE(w->txtmin->text(), after);
            QVERIFY(click(w, QStringLiteral("Abbruch1")));
        });
    }

    void tickedButCancelledIsKept()
    {
        timer([](Alarm *w) {
            QVERIFY(click(w, QStringLiteral("Check1")));
            QVERIFY(click(w, QStringLiteral("Abbruch1")));
        });
        timer([](Alarm *w) {
            QVERIFY(w->Check1->isChecked());
            QVERIFY(w->txtmin->isVisible());
            // Off stores the hidden field's minutes all the same.
            w->txtmin->setText(QStringLiteral("40"));
            QVERIFY(click(w, QStringLiteral("Check1")));
            QVERIFY(click(w, QStringLiteral("Abbruch")));
        });
        QTRY_COMPARE(m_rx->module->commands(), QStringList{padded(QStringLiteral("A55A9B01020304050607"))});
        QCOMPARE(m_rx->state.WatchMinutes, 40);
        QVERIFY(!m_rx->state.WatchActive);
    }

    void rowButtonsFollowTheTimer_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("free");
        QTest::newRow("on") << true << "info1+" << "info1";
        QTest::newRow("off") << false << "info+" << "info";
    }
    void rowButtonsFollowTheTimer()
    {
        QFETCH(bool, on);
        // Without a receiver, so that no report changes the rows afterwards.
        m_rx.reset();
        nvxtest::LinkedReceiver bench;
        bench.config->show();
        bench.setRow(4, QStringLiteral("Taster"), QStringLiteral("05"), QStringLiteral("0012AB9F"));
        bench.state.ChannelFailedAtTimes[4] = true;
        for (int ch = 0; ch < ChannelCount; ++ch)
            bench.config->showInfoButton(ch, InfoButton::NotSending, true);
        auto done = nvxtest::onNextModal(
            [on](QWidget *w) {
                if (on)
                    QVERIFY(click(w, QStringLiteral("Check1")));
                QVERIFY(click(w, QStringLiteral("Abbruch")));
            },
            QStringLiteral("Alarm"));
        bench.config->Sensortimer_Click();
        QVERIFY(*done);
        QTEST(rowInfo(*bench.config, 4), "used");
        QTEST(rowInfo(*bench.config, 5), "free");
        QVERIFY(!bench.state.ChannelFailedAtTimes[4]);
    }

    void supervisionReport_data()
    {
        QTest::addColumn<QString>("telegram");
        QTest::addColumn<QString>("expected");
        // watch, minutes, Check1/txtmin of the timer window, channel 4's
        // marks and time, row 4's and row 5's button.
        QTest::newRow("not sending") << "A55B0B07F0140001000000000004"
                                     << "on 20 ticked 20 | silent 0 kept | info3+ info1+";
        QTest::newRow("failed at times") << "A55B0B07F0140100000000000004"
                                         << "on 20 ticked 20 | 0 1 now | info2+ info1+";
        QTest::newRow("still failed at times") << "A55B0B07F0140200000000000004"
                                               << "on 20 ticked 20 | 0 1 kept | info1+ info1+";
        QTest::newRow("off") << "A55B0B00000000000000000000FF" << "off 0 clear 16 | 0 0 kept | info+ info+";
        QTest::newRow("other") << "A55B0B0000000000000000000004" << "off 0 clear 16 | 0 0 kept | info1+ info1+";
    }
    void supervisionReport()
    {
        QFETCH(QString, telegram);
        useAllRows();
        for (int ch = 0; ch < ChannelCount; ++ch)
            c().showInfoButton(ch, InfoButton::Sending, true);
        m_rx->state.ChannelFailureTime[4] = QStringLiteral("earlier");
        m_rx->module->sendText(telegram.toLatin1());
        QTRY_COMPARE(c().txtletztesTelegramm->text(), telegram);
        const AppState &s = m_rx->state;
        Alarm *w = c().alarm();
        const QString time = s.ChannelFailureTime[4] == QLatin1String("earlier") ? QStringLiteral("kept")
            : s.ChannelFailureTime[4].isEmpty()                                   ? QStringLiteral("empty")
                                                                                  : QStringLiteral("now");
        const QString seen = QStringLiteral("%1 %2 %3 %4 | %5 %6 %7 | %8 %9")
                                 .arg(s.WatchActive ? "on" : "off")
                                 .arg(s.WatchMinutes)
                                 .arg(w->Check1->isChecked() ? "ticked" : "clear", w->txtmin->text())
                                 .arg(s.ChannelFailed[4] ? "silent" : "0")
                                 .arg(int(s.ChannelFailedAtTimes[4]))
                                 .arg(time, rowInfo(c(), 4), rowInfo(c(), 5));
        QTEST(seen, "expected");
        // The window loaded hidden by the report shows what was reported.
        auto shown = nvxtest::onNextModal([](QWidget *window) {
            auto *alarm = qobject_cast<Alarm *>(window);
            QCOMPARE(alarm->Check1->isChecked(), alarm->txtmin->isVisible());
            QVERIFY(click(window, QStringLiteral("Abbruch1")));
        }, QStringLiteral("Alarm"));
        c().Sensortimer_Click();
        QVERIFY(*shown);
    }

    void onReportHidesEveryPlainButton()
    {
        useAllRows();
        nvxtest::showPlainInfoButtons(c());
        m_rx->module->sendText("A55B0B07F0140001000000000004");
        QTRY_VERIFY(m_rx->state.WatchActive);
        for (int ch = 0; ch < ChannelCount; ++ch)
            QVERIFY(c().info[ch]->isHidden());
        QCOMPARE(rowInfo(c(), 4), QStringLiteral("info3+"));
    }

    void usedRowsUsableAfterRead()
    {
        auto &table = m_rx->module->table;
        table[0] = {true, QStringLiteral("05"), QStringLiteral("0012AB9F"), {0x30, 0, 0, 0x08}};
        table[3] = {true, QStringLiteral("07"), QStringLiteral("000FA850"), {0x10, 0x20, 0x30, 0x08}};
        m_rx->module->receiver.answerStatus = true;
        auto result = nvxtest::closeStatusWindowAtResult(c());
        c().Auslesen_Click();
        QTRY_VERIFY_WITH_TIMEOUT(result->closed, 15000);
        for (int ch = 0; ch < ChannelCount; ++ch)
            QCOMPARE(rowInfo(c(), ch), ch == 0 || ch == 3 ? QStringLiteral("info+") : QStringLiteral("info"));
    }

    void supervisionOnReportMarksEachSensor()
    {
        auto &table = m_rx->module->table;
        table[1] = {true, QStringLiteral("06"), QStringLiteral("01020304"), {}};
        table[2] = {true, QStringLiteral("06"), QStringLiteral("01020305"), {}};
        m_rx->setRow(1, QStringLiteral("1 Byte Sensor"), QStringLiteral("06"), QStringLiteral("01020304"));
        m_rx->setRow(2, QStringLiteral("1 Byte Sensor"), QStringLiteral("06"), QStringLiteral("01020305"));
        m_rx->module->sensors.watch[2] = {0, 1};
        timer([](Alarm *w) {
            QVERIFY(click(w, QStringLiteral("Check1")));
            QVERIFY(click(w, QStringLiteral("Abbruch")));
        });
        QTRY_COMPARE(rowInfo(c(), 2), QStringLiteral("info3+"));
        QCOMPARE(rowInfo(c(), 1), QStringLiteral("info1+"));
        QCOMPARE(rowInfo(c(), 0), QStringLiteral("info"));
        QVERIFY(m_rx->state.ChannelFailed[2]);
    }
};

QTEST_MAIN(TestSupervision)
#include "test_supervision.moc"
