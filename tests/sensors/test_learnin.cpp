// Learning a sensor in and deleting one, through the windows, against a
// simulated receiver.

#include "sensors/lernmodusfenster.h"
#include "shell/frmstate.h"
#include "shell/registry.h"
#include "support/fixtures.h"

#include <QClipboard>
#include <QComboBox>
#include <QRadioButton>
#include <QToolButton>

using namespace nvx;
using nvxtest::click;
using nvxtest::padded;

class TestLearnIn : public QObject {
    Q_OBJECT
    std::unique_ptr<nvxtest::LinkedReceiver> m_rx;

    Config &c() { return *m_rx->config; }
    QString rowText(int ch) { return nvxtest::tableText(c()).section(QLatin1Char('\n'), ch, ch); }
    QStringList sent() { return m_rx->module->commands(); }

    // Opens the learn-in window of row `ch` and works it with `work`.
    void learn(int ch, std::function<void(LernmodusFenster *)> work)
    {
        auto done = nvxtest::onNextModal([work](QWidget *w) { work(qobject_cast<LernmodusFenster *>(w)); },
                                         QStringLiteral("LernmodusFenster"));
        c().Lernmodusbutton_Click(ch);
        QVERIFY(*done);
    }
    static void typeId(LernmodusFenster *w, int org, const QString &id)
    {
        QVERIFY(click(w, QStringLiteral("ManuellIDOption_%1").arg(org)));
        QVERIFY(click(w, QStringLiteral("Manuell_1")));
        QVERIFY(w->txtSensorIDeingabe->isEnabled());
        w->txtSensorIDeingabe->selectAll();
        QTest::keyClicks(w->txtSensorIDeingabe, id);
    }

private Q_SLOTS:
    void init()
    {
        m_rx = std::make_unique<nvxtest::LinkedReceiver>();
        QVERIFY(m_rx->setUp());
    }
    void cleanup() { m_rx.reset(); }

    void byLearnButton_data()
    {
        QTest::addColumn<int>("org");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("row");
        QTest::newRow("rocker") << 0 << "A55A9700050203040506" << "01 | Taster | 05 | 0012AB9F";
        QTest::newRow("1-byte") << 1 << "A55A9100060203040506" << "01 | 1 Byte Sensor | 06 | 0012AB9F";
    }
    void byLearnButton()
    {
        QFETCH(int, org);
        m_rx->module->sensors.learnButtonDelayMs = 1500;
        bool cancelShown = false;
        nvxtest::onNextModal([&](QWidget *w) { cancelShown = w->findChild<QWidget *>("Abbruch")->isVisible(); },
                             QStringLiteral("frmState"));
        auto status = nvxtest::closeStatusWindowAtResult(c());
        learn(0, [org](LernmodusFenster *w) {
            QVERIFY(click(w, QStringLiteral("ManuellIDOption_%1").arg(org)));
            QVERIFY(click(w, QStringLiteral("Uebertragen")));
        });
        QFETCH(QString, command);
        QCOMPARE(sent(), QStringList{padded(command)});
        QVERIFY(cancelShown);
        QCOMPARE(status->waiting, m_rx->state.Texts[14]);
        QCOMPARE(status->text, m_rx->state.Texts[20]);
        QTEST(rowText(0), "row");
        QVERIFY(!c().Lernmodusbutton[0]->isEnabled());
        QVERIFY(c().Loeschen[0]->isEnabled());
    }

    void byLearnButtonCancelled()
    {
        auto cancelled = nvxtest::onNextModal(
            [](QWidget *w) {
                QCOMPARE(w->findChild<QLabel *>("lblTxt")->text(), QStringLiteral("Lerntaste drücken ..."));
                QVERIFY(click(w, QStringLiteral("Abbruch")));
            },
            QStringLiteral("frmState"));
        auto result = nvxtest::closeStatusWindowAtResult(c());
        learn(0, [](LernmodusFenster *w) { QVERIFY(click(w, QStringLiteral("Uebertragen"))); });
        QVERIFY(*cancelled);
        QTRY_COMPARE(sent(), (QStringList{padded(QStringLiteral("A55A9700050203040506")),
                                          padded(QStringLiteral("A55A9C01020304050607"))}));
        QCOMPARE(c().SystemID[0]->text(), m_rx->state.Texts[0]);
        QVERIFY(c().Lernmodusbutton[0]->isEnabled());
        QCOMPARE(m_rx->state.StatusCode, int(StatusIdle));
        QVERIFY(!m_rx->module->learnPending());
    }

    void byTypedId()
    {
        learn(3, [](LernmodusFenster *w) {
            typeId(w, 2, QStringLiteral("000fa8x50"));
            QCOMPARE(w->txtSensorIDeingabe->text(), QStringLiteral("000FA850"));
            // An ID pasted as it is often written: the blanks go, all 8 digits stay.
            w->txtSensorIDeingabe->selectAll();
            QApplication::clipboard()->setText(QStringLiteral("00 0f a8 50 7"));
            w->txtSensorIDeingabe->paste();
            QCOMPARE(w->txtSensorIDeingabe->text(), QStringLiteral("000FA850"));
            QVERIFY(click(w, QStringLiteral("Uebertragen")));
        });
        QTRY_COMPARE(sent(), (QStringList{padded(QStringLiteral("A55A920307000FA85000")),
                                          padded(QStringLiteral("A55A9603010203040506"))}));
        QTRY_COMPARE(rowText(3), QStringLiteral("04 | 4 Byte Sensor | 07 | 000FA850"));
        // The window is gone: the next command finds the learn button's way.
        m_rx->module->clearCommands();
        m_rx->state.CommandString = cmd::statusRequest();
        c().senden();
        QTRY_COMPARE(sent(), QStringList{padded(cmd::statusRequest())});
        QTest::qWait(100);
        QCOMPARE(sent().size(), 1);
    }

    void typedIdRefused_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("error");
        QTest::newRow("duplicate") << "000FA850" << int(ErrorSensorAlreadyLearned);
        QTest::newRow("7 characters") << "000FA85" << int(ErrorInvalidSensorId);
        QTest::newRow("empty") << "" << int(ErrorInvalidSensorId);
    }
    void typedIdRefused()
    {
        QFETCH(QString, id);
        QFETCH(int, error);
        m_rx->setRow(5, QStringLiteral("4 Byte Sensor"), QStringLiteral("07"), QStringLiteral("000FA850"));
        auto seen = nvxtest::answerError();
        bool stayedOpen = false;
        learn(3, [&](LernmodusFenster *w) {
            typeId(w, 2, id);
            QVERIFY(click(w, QStringLiteral("Uebertragen")));
            stayedOpen = w->isVisible() && !w->isUnloaded();
            QVERIFY(click(w, QStringLiteral("Abbrechen")));
        });
        QVERIFY(seen->shown);
        QVERIFY(stayedOpen);
        QCOMPARE(seen->firstLine, m_rx->state.Texts[error == 1 ? 42 : 36]);
        if (error == ErrorInvalidSensorId)
            QCOMPARE(seen->secondLine, m_rx->state.Texts[43]);
        QTest::qWait(100);
        QVERIFY(sent().isEmpty());
    }

    void sameIdOtherKindIsLearned()
    {
        m_rx->setRow(5, QStringLiteral("1 Byte Sensor"), QStringLiteral("06"), QStringLiteral("000FA850"));
        learn(3, [](LernmodusFenster *w) {
            typeId(w, 2, QStringLiteral("000FA850"));
            QVERIFY(click(w, QStringLiteral("Uebertragen")));
        });
        QTRY_COMPARE(sent().size(), 2);
    }

    void refusedWhileLogging_data()
    {
        QTest::addColumn<bool>("learn");
        QTest::newRow("learn") << true;
        QTest::newRow("delete") << false;
    }
    void refusedWhileLogging()
    {
        QFETCH(bool, learn);
        m_rx->state.LoggingActive = true;
        m_rx->setRow(2, QStringLiteral("Taster"), QStringLiteral("05"), QStringLiteral("0012AB9F"));
        auto seen = nvxtest::answerError();
        learn ? c().Lernmodusbutton_Click(2) : c().Loeschen_Click(2);
        QVERIFY(seen->shown);
        QCOMPARE(seen->firstLine, nvxtest::errorText(13));
        QCOMPARE(rowText(2), QStringLiteral("03 | Taster | 05 | 0012AB9F"));
        QTest::qWait(100);
        QVERIFY(sent().isEmpty());
    }

    void deleteConfirmed()
    {
        for (int ch : {2, 7, 29})
            m_rx->setRow(ch, QStringLiteral("Taster"), QStringLiteral("05"), QStringLiteral("0012AB%1").arg(ch));
        m_rx->state.ChannelDescriptions[29] = QStringLiteral("Tür");
        m_rx->state.ChannelFailed[29] = true;
        auto done = nvxtest::onNextModal([](QWidget *w) { QVERIFY(click(w, QStringLiteral("Ja"))); },
                                         QStringLiteral("Abfrage"));
        c().Loeschen_Click(29);
        QVERIFY(*done);
        QTRY_COMPARE(sent(), QStringList{padded(QStringLiteral("A55A941D010203040506"))});
        QCOMPARE(rowText(29), QStringLiteral("30 |    |    | Frei"));
        QVERIFY(c().Lernmodusbutton[29]->isEnabled());
        QVERIFY(!c().Loeschen[29]->isEnabled());
        QVERIFY(!c().info[29]->isHidden() && !c().info[29]->isEnabled());
        QCOMPARE(m_rx->state.ChannelDescriptions[29], QStringLiteral("  "));
        QVERIFY(!m_rx->state.ChannelFailed[29]);
        for (QComboBox *selector : c().Auswahl) {
            QStringList entries;
            for (int i = 0; i < selector->count(); ++i)
                entries << selector->itemText(i);
            QCOMPARE(entries, (QStringList{"kein Kanal", "Kanal 03", "Kanal 08"}));
            QCOMPARE(selector->currentIndex(), 0);
        }
    }

    // The sensor windows as their loading sets them in English.
    void windowsInEnglish_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::newRow("learn-in title") << "LernmodusFenster" << "" << "Learning mode";
        QTest::newRow("learn-in way 1") << "LernmodusFenster" << "Manuell_0" << "Learning sensor ID by learn-in button";
        QTest::newRow("learn-in 1-byte") << "LernmodusFenster" << "ManuellIDOption_1" << "1 Byte Sensor (ORG-Byte 06)";
        QTest::newRow("delete title") << "Abfrage" << "" << "Request";
        QTest::newRow("delete question") << "Abfrage" << "Label1" << "Do you want to delete the Sensor ID?";
        QTest::newRow("delete no") << "Abfrage" << "Nein" << "No";
        QTest::newRow("timer title") << "Alarm" << "" << "control timer";
        QTest::newRow("timer set") << "Alarm" << "Abbruch" << "Set";
        QTest::newRow("timer minutes") << "Alarm" << "txtMinute_0" << "Control time of the sensors:";
        QTest::newRow("information title") << "Monitor" << "" << "Monitor Window";
        QTest::newRow("information off") << "Monitor" << "Label1_2" << "Control timer is not activated!";
        QTest::newRow("information OK") << "Monitor" << "Command1" << "OK";
    }
    void windowsInEnglish()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        CRegistry().MachineSetting(ProgramKey, QStringLiteral("Language"), QStringLiteral("1033"));
        QString seen;
        auto done = nvxtest::onNextModal(
            [&](QWidget *w) {
                QWidget *named = control.isEmpty() ? w : w->findChild<QWidget *>(control);
                QVERIFY(named);
                if (control.isEmpty())
                    seen = w->windowTitle();
                else if (auto *button = qobject_cast<QAbstractButton *>(named))
                    seen = button->text();
                else if (auto *label = qobject_cast<QLabel *>(named))
                    seen = label->text();
                w->close();
            },
            window);
        if (window == QLatin1String("LernmodusFenster"))
            c().Lernmodusbutton_Click(1);
        else if (window == QLatin1String("Abfrage"))
            c().Loeschen_Click(1);
        else if (window == QLatin1String("Alarm"))
            c().Sensortimer_Click();
        else
            c().info_Click(1);
        QVERIFY(*done);
        QTEST(seen, "caption");
        QTest::qWait(50);
        QVERIFY(sent().isEmpty());
    }

    void deleteDeclined()
    {
        m_rx->setRow(0, QStringLiteral("Taster"), QStringLiteral("05"), QStringLiteral("0012AB9F"));
        auto done = nvxtest::onNextModal([](QWidget *w) { QVERIFY(click(w, QStringLiteral("Nein"))); },
                                         QStringLiteral("Abfrage"));
        c().Loeschen_Click(0);
        QVERIFY(*done);
        QTest::qWait(100);
        QVERIFY(sent().isEmpty());
        QCOMPARE(rowText(0), QStringLiteral("01 | Taster | 05 | 0012AB9F"));
        QCOMPARE(m_rx->state.LearnDeleteChannel, 0);
    }
};

QTEST_MAIN(TestLearnIn)
#include "test_learnin.moc"
