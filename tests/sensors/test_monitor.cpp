// The sensor information window, opened from the rows' information buttons
// and kept up to date by the simulated receiver's telegrams and supervision
// reports.

#include "logging/datalog.h"
#include "sensors/descriptionfile.h"
#include "sensors/monitor.h"
#include "sensors/supervision.h"
#include "shell/registry.h"
#include "support/fixtures.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QRadioButton>
#include <QToolButton>

using namespace nvx;
using nvxtest::click;
using nvxtest::padded;
using nvxsim::SimModule;
using nvxsim::SimWatch;

namespace {
// The shown status items of the window, in a fixed order.
QString statusShown(Monitor *w)
{
    QStringList shown;
    const std::pair<QWidget *, const char *> items[] = {
        {w->Picture1[0], "sending-picture"}, {w->Label1[0], "sending"}, {w->Picture1[1], "silent-picture"},
        {w->Label1[1], "silent"}, {w->Label1[2], "off"}, {w->Label2[1], "at-times"}, {w->Resettimer, "reset"}};
    for (const auto &[widget, name] : items)
        if (widget->isVisibleTo(w))
            shown << QLatin1String(name);
    return shown.join(u' ');
}
} // namespace

class TestMonitor : public QObject {
    Q_OBJECT
    std::unique_ptr<nvxtest::LinkedReceiver> m_rx;
    Config &c() { return *m_rx->config; }
    SimModule *m() { return m_rx->module; }

    // Opens the window for row `ch` by `button` (0: info .. 3: info3),
    // works it and closes it with its OK button.
    void open(int ch, std::function<void(Monitor *)> work, int button = 0)
    {
        auto done = nvxtest::onNextModal(
            [work](QWidget *w) {
                work(qobject_cast<Monitor *>(w));
                QVERIFY(click(w, QStringLiteral("Command1")));
            },
            QStringLiteral("Monitor"));
        c().showInfoButton(ch, InfoButton(button), true);
        const std::array<QToolButton *, 4> b{c().info[ch], c().info1[ch], c().info2[ch], c().info3[ch]};
        b[button]->click();
        QVERIFY(*done);
    }
    // The receiver's supervision report as the simulator sends it.
    void report(int ch, SimWatch watch)
    {
        m()->sensors.supervisionOn = true;
        m()->sensors.supervisionMinutes = 20;
        m()->sensors.watch[ch] = watch;
        for (const QByteArray &message : m()->supervisionReport())
            m()->sendText(message);
        QTRY_VERIFY(m_rx->state.WatchActive);
        QTRY_COMPARE(c().txtletztesTelegramm->text(), QString::fromLatin1(m()->supervisionReport().last()));
    }
    void learned(int ch, const QString &org, const QString &kind, const QString &id)
    {
        m()->table[ch] = {true, org, id, {}};
        m_rx->setRow(ch, kind, org, id);
    }

private Q_SLOTS:
    void init()
    {
        m_rx = std::make_unique<nvxtest::LinkedReceiver>();
        QVERIFY(m_rx->setUp());
        QVERIFY(QDir(m_rx->env.path()).mkpath(QStringLiteral("DAT")));
        // Every window's load reads the program folder from the store.
        CRegistry().MachineSetting(ProgramKey, QStringLiteral("Pfad"), m_rx->env.programPath());
    }
    void cleanup() { m_rx.reset(); }

    void opensFromEveryInformationButton_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("button");
        for (int row : {0, 29})
            for (int button = 0; button < 4; ++button)
                QTest::addRow("row %d info%d", row, button) << row << button;
    }
    void opensFromEveryInformationButton()
    {
        QFETCH(int, row);
        QFETCH(int, button);
        int shown = -1;
        open(row, [&](Monitor *) { shown = m_rx->state.MonitorChannel; }, button);
        QCOMPARE(shown, row);
        QCOMPARE(m_rx->state.CurrentChannel, row);
    }

    void rockerSwitch()
    {
        learned(2, QStringLiteral("05"), QStringLiteral("Taster"), QStringLiteral("0012AB9F"));
        m_rx->state.ChannelDescriptions[2] = QStringLiteral("Licht Flur");
        report(2, {1, 0});
        open(2, [this](Monitor *w) {
            QVERIFY(w->Frame1[0]->isVisible() && !w->Frame1[1]->isVisible());
            QCOMPARE(w->txtSensorInfoMonitor[0]->text(), QStringLiteral("Licht Flur"));
            for (int k = 0; k < 4; ++k)
                QVERIFY(w->TasteMonitor[k]->isVisible() && w->DatenByte[k]->isVisible());
            QVERIFY(w->Frame2[0]->isVisible());
            QCOMPARE(statusShown(w), QString());
            m()->sendChannelTelegram(2, QStringLiteral("05"), QStringLiteral("0012AB9F"), {0x30, 0, 0, 0x08});
            QTRY_VERIFY(w->TasteMonitor[2]->isChecked());
            QCOMPARE(w->DatenByte[3]->text(), QStringLiteral("48"));
            m()->sendChannelTelegram(2, QStringLiteral("05"), QStringLiteral("0012AB9F"), {0, 0, 0, 0x08});
            QTRY_VERIFY(!w->TasteMonitor[2]->isChecked());
            for (QRadioButton *b : w->TasteMonitor)
                QVERIFY(!b->isChecked());
        });
    }

    void oneByteSensorWithoutSupervision()
    {
        learned(3, QStringLiteral("06"), QStringLiteral("1 Byte Sensor"), QStringLiteral("01020304"));
        m()->sendChannelTelegram(3, QStringLiteral("06"), QStringLiteral("01020304"), {0x55, 1, 2, 0x08});
        QTRY_COMPARE(m_rx->state.ChannelDB3[3], 0x55);
        // Longer than can be typed, as a file may bring it: shown whole.
        const QString longText(50, u'x');
        m_rx->state.ChannelDescriptions[3] = longText;
        open(3, [&](Monitor *w) {
            QVERIFY(!w->Frame1[0]->isVisible() && w->Frame1[1]->isVisible());
            QCOMPARE(w->txtSensorInfoMonitor[1]->text(), longText);
            QStringList bytes;
            for (int k = 0; k < 4; ++k) {
                QVERIFY(!w->TasteMonitor[k]->isVisible());
                bytes << w->DatenByte[k]->text();
            }
            QCOMPARE(bytes, (QStringList{"8", "2", "1", "85"}));
            QCOMPARE(statusShown(w), QStringLiteral("off"));
        });
    }

    void failedAtTimesAndReset()
    {
        learned(4, QStringLiteral("07"), QStringLiteral("4 Byte Sensor"), QStringLiteral("000FA850"));
        const QTime from = QTime::currentTime();
        report(4, {1, 0});
        const QTime to = QTime::currentTime();
        QVERIFY(!c().info2[4]->isHidden());
        // The long time of the logs and printouts, without a zone name.
        const QString time = m_rx->state.ChannelFailureTime[4];
        QStringList times;
        for (QTime t = from.addMSecs(-from.msec()); t <= to; t = t.addSecs(1))
            times << longTimeText(t);
        QVERIFY2(times.contains(time), qPrintable(time));
        open(4, [&](Monitor *w) {
            QCOMPARE(statusShown(w), QStringLiteral("sending-picture sending at-times reset"));
            QCOMPARE(w->Label2[0]->text(), time);
            m()->clearCommands();
            QVERIFY(click(w, QStringLiteral("Resettimer")));
            QCOMPARE(w->Label2[0]->text(), QStringLiteral("  "));
            QCOMPARE(statusShown(w), QStringLiteral("sending-picture sending"));
            QCOMPARE(m_rx->state.ChannelFailureTime[4], QStringLiteral(" "));
            QVERIFY(!m_rx->state.ChannelFailedAtTimes[4]);
            QVERIFY(!c().info1[4]->isHidden() && c().info1[4]->isEnabled() && c().info2[4]->isHidden());
            QTRY_COMPARE(m()->commands().value(0), padded(QStringLiteral("A55A9D04010203040506")));
            // A later report shows while the window is open.
            m()->sensors.watch[4] = {2, 1};
            for (const QByteArray &message : m()->supervisionReport())
                m()->sendText(message);
            QTRY_COMPARE(statusShown(w), QStringLiteral("silent-picture silent at-times reset"));
            QCOMPARE(w->Label2[0]->text(), QStringLiteral("  "));
            // A new failure while the window is open shows its time.
            m()->sensors.watch[4] = {1, 0};
            for (const QByteArray &message : m()->supervisionReport())
                m()->sendText(message);
            QTRY_COMPARE(statusShown(w), QStringLiteral("sending-picture sending at-times reset"));
            QVERIFY(!m_rx->state.ChannelFailureTime[4].trimmed().isEmpty());
            QCOMPARE(w->Label2[0]->text(), m_rx->state.ChannelFailureTime[4]);
        });
    }

    void resetOfASilentSensorKeepsTheRow()
    {
        learned(5, QStringLiteral("07"), QStringLiteral("4 Byte Sensor"), QStringLiteral("000FA851"));
        report(5, {1, 1});
        QVERIFY(!c().info3[5]->isHidden());
        open(5, [&](Monitor *w) {
            QCOMPARE(statusShown(w), QStringLiteral("silent-picture silent at-times reset"));
            QVERIFY(click(w, QStringLiteral("Resettimer")));
            QVERIFY(!c().info3[5]->isHidden() && c().info1[5]->isHidden());
            QVERIFY(!m_rx->state.ChannelFailedAtTimes[5]);
        }, 3);
        QTRY_COMPARE(m()->commands().value(0), padded(QStringLiteral("A55A9D05010203040506")));
    }

    void leavingTheDescriptionSavesIt()
    {
        learned(6, QStringLiteral("06"), QStringLiteral("1 Byte Sensor"), QStringLiteral("01020306"));
        const QString path = descriptionFilePath(m_rx->state.ProgramPath, m_rx->state.SelectedMAC);
        open(6, [&](Monitor *w) {
            w->activateWindow();
            // Focus moves, and is left, only in the window that has it. A
            // busy machine activates the window late, and a window counts
            // as active already while the main window it belongs to is.
            QTRY_VERIFY(QApplication::activeWindow() == w);
            w->txtSensorInfoMonitor[1]->setFocus();
            // One key event per character, as a keyboard types them.
            for (QChar ch : QStringLiteral("Tür €;1")) {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
                QApplication::sendEvent(w->txtSensorInfoMonitor[1], &press);
            }
            QCOMPARE(w->txtSensorInfoMonitor[1]->text(), QStringLiteral("Tür €1"));
            QVERIFY(!QFile::exists(path));
            w->Command1->setFocus();
            QVERIFY(QFile::exists(path));
        });
        QCOMPARE(m_rx->state.ChannelDescriptions[6], QStringLiteral("Tür €1"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().split(';').value(6), QByteArray("T\xFCr \x80" "1"));
    }

    // A paste takes only as much as the field's limit leaves (20 for a
    // rocker switch, 35 for a sensor), without ";" and without cutting the
    // text there; a longer text from a file only cannot grow.
    void pasteIsCutToTheLimit_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        const QString paste = QStringLiteral("0123456789;abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJ");
        QTest::newRow("rocker switch") << 0 << QStringLiteral("Taster") << 0 << QStringLiteral("Licht")
                                       << QStringLiteral("Li0123456789abcdecht");
        QTest::newRow("sensor, text from a file") << 2 << QStringLiteral("1 Byte Sensor") << 1 << QString(40, u'x')
                                                  << QString(40, u'x');
        QTest::newRow("sensor") << 2 << QStringLiteral("1 Byte Sensor") << 1 << QStringLiteral("Keller")
                                << QStringLiteral("Ke0123456789abcdefghijklmnopqrsller");
        QApplication::clipboard()->setText(paste);
    }
    void pasteIsCutToTheLimit()
    {
        QFETCH(int, row);
        QFETCH(QString, kind);
        QFETCH(int, field);
        QFETCH(QString, before);
        QFETCH(QString, after);
        learned(row, kind == QLatin1String("Taster") ? QStringLiteral("05") : QStringLiteral("06"), kind,
                QStringLiteral("01020304"));
        m_rx->state.ChannelDescriptions[row] = before;
        open(row, [&](Monitor *w) {
            QLineEdit *text = w->txtSensorInfoMonitor[std::size_t(field)];
            QCOMPARE(text->text(), before);
            w->activateWindow();
            QTRY_VERIFY(QApplication::activeWindow() == w);
            text->setFocus();
            text->setCursorPosition(2);
            QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(text->text(), after);
        });
        QCOMPARE(m_rx->state.ChannelDescriptions[row], after);
    }

    void closingKeepsTheTypedDescription_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Enter") << "enter";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("title bar") << "close";
    }
    void closingKeepsTheTypedDescription()
    {
        QFETCH(QString, how);
        learned(8, QStringLiteral("07"), QStringLiteral("4 Byte Sensor"), QStringLiteral("000FA858"));
        report(8, {1, 0});
        m()->clearCommands();
        auto done = nvxtest::onNextModal(
            [how](QWidget *window) {
                auto *w = qobject_cast<Monitor *>(window);
                QVERIFY(w->Resettimer->isVisible());
                w->activateWindow();
                QTRY_VERIFY(QApplication::activeWindow() == w);
                w->txtSensorInfoMonitor[1]->setFocus();
                QTest::keyClicks(w->txtSensorInfoMonitor[1], QStringLiteral("Keller"));
                if (how == QLatin1String("close"))
                    w->close();
                else
                    QTest::keyClick(w->txtSensorInfoMonitor[1],
                                    how == QLatin1String("enter") ? Qt::Key_Return : Qt::Key_Escape);
                if (w->isVisible())
                    QVERIFY(click(w, QStringLiteral("Command1")));
            },
            QStringLiteral("Monitor"));
        c().info2[8]->click();
        QVERIFY(*done);
        QCOMPARE(m_rx->state.ChannelDescriptions[8], QStringLiteral("Keller"));
        QVERIFY(QFile::exists(descriptionFilePath(m_rx->state.ProgramPath, m_rx->state.SelectedMAC)));
        QTest::qWait(100);
        QVERIFY(m()->commands().isEmpty());
        QVERIFY(m_rx->state.ChannelFailedAtTimes[8]);
    }

    void rowInALearnInOpensTheDesignState()
    {
        m_rx->setRow(7, m_rx->state.Texts[24], QStringLiteral("  "), m_rx->state.Texts[24]);
        open(7, [](Monitor *w) {
            QVERIFY(!w->Frame1[0]->isVisible() && !w->Frame1[1]->isVisible());
            // The status frame with its design state inside, hidden.
            QVERIFY(!w->Frame2[0]->isVisible() && !w->Label1[2]->isHidden());
            for (int k = 0; k < 4; ++k)
                QVERIFY(w->TasteMonitor[k]->isVisible() && !w->DatenByte[k]->isVisible());
        });
    }
};

QTEST_MAIN(TestMonitor)
#include "test_monitor.moc"
