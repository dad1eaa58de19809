// No caption is cut, in either language: every tab of the main window in
// every state its controls take, and every window of the program, at the
// size the program gives it.

#include "link/send.h"
#include "sensors/abfrage.h"
#include "sensors/alarm.h"
#include "sensors/lernmodusfenster.h"
#include "sensors/monitor.h"
#include "shell/fabout.h"
#include "shell/frmfehler.h"
#include "shell/frmstate.h"
#include "shell/modsprache.h"
#include "shell/registry.h"
#include "support/fixtures.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

using namespace nvx;

class TestCaptions : public QObject, nvxtest::PerTestBench {
    Q_OBJECT

    // The window shown, laid out and checked: the cut captions, one a line.
    static QString cutIn(QWidget *window)
    {
        window->show();
        QApplication::processEvents();
        return nvxtest::cutCaptions(window).join(u'\n');
    }

private Q_SLOTS:
    void init()
    {
        startBench(nvxtest::Bench::NoTexts);
        QFETCH_GLOBAL(QString, language);
        CRegistry().MachineSetting(ProgramKey, QStringLiteral("Language"), language);
        LoadLanguage(*state, FormStatus, nullptr);
        LoadLanguage(*state, FormConfig, config);
    }
    void cleanup() { stopBench(); }

    void initTestCase_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("German") << QStringLiteral("1031");
        QTest::newRow("English") << QStringLiteral("1033");
    }

    void mainWindowTabs()
    {
        // A receiver reporting to this PC: the sensor and logging tabs open
        // without the error window.
        config->txtServerIP->setText(config->txtlocalIP->text());
        config->show();
        const std::array<QWidget *, 3> tabs{config->Netzwerkframe, config->frm_sensor, config->frm_log};
        for (int tab = 0; tab < 3; ++tab) {
            config->SSTab1->setCurrentIndex(tab);
            QCOMPARE(cutIn(config), QString());
            QVERIFY(tabs[std::size_t(tab)]->isVisible());
        }
        // Every caption a row of the sensor table shows.
        config->SSTab1->setCurrentIndex(1);
        const QStringList kinds{state->Texts[21], QStringLiteral("1 Byte Sensor"), QStringLiteral("4 Byte Sensor"),
                                state->Texts[24], QStringLiteral(" ")};
        const QStringList ids{state->Texts[0], state->Texts[24], QStringLiteral("0012AB9F"), QStringLiteral("DDDDDDDD")};
        for (int ch = 0; ch < ChannelCount; ++ch) {
            config->OrgByte[ch]->setText(kinds[ch % kinds.size()]);
            config->Orgnr[ch]->setText(QStringLiteral("07"));
            config->SystemID[ch]->setText(ids[ch % ids.size()]);
        }
        QCOMPARE(cutIn(config), QString());
        // The logging modes with a channel of every row to choose, then
        // gateway reception.
        config->ChannelSelectorRefill();
        QVERIFY(config->Auswahl[0]->count() > ChannelCount / 2);
        config->SSTab1->setCurrentIndex(2);
        for (QRadioButton *mode : {config->Optionallintervall, config->Option2Ereigniss, config->Option1Intervall}) {
            mode->setChecked(true);
            QCOMPARE(cutIn(config), QString());
        }
        config->frm_log->setVisible(false);
        config->frm_gateway->setVisible(true);
        QCOMPARE(cutIn(config), QString());
    }

    void errorWindow()
    {
        for (int code = 0; code <= 13; ++code) {
            state->ErrorCode = code;
            frmFehler window(*state, config);
            QCOMPARE(QString::number(code) + cutIn(&window), QString::number(code));
        }
    }

    void statusWindow()
    {
        for (int code : {1, 2, 5, 6, 7, 8, 0, 3}) {
            state->StatusCode = code;
            frmState window(*state, *config, config);
            window.ShowMsg();
            QCOMPARE(QString::number(code) + cutIn(&window), QString::number(code));
            window.CloseWindow();
            QCOMPARE(QString::number(code) + cutIn(&window), QString::number(code));
        }
    }

    // The information window with every item of both of its layouts shown.
    void informationWindow()
    {
        Monitor window(*state, *config);
        for (QWidget *w : window.findChildren<QWidget *>())
            w->setVisible(true);
        window.Frame2[1]->setVisible(false);
        window.Label2[0]->setText(QStringLiteral("23:59:59"));
        QCOMPARE(cutIn(&window), QString());
    }

    void otherWindows()
    {
        Alarm alarm(*state, *config);
        QCOMPARE(cutIn(&alarm), QString());
        LernmodusFenster learn(*state, *config);
        QCOMPARE(cutIn(&learn), QString());
        Abfrage question(*state, *config);
        QCOMPARE(cutIn(&question), QString());
        Send send(*state, *config);
        QCOMPARE(cutIn(&send), QString());
        fAbout about(*state, config);
        QCOMPARE(cutIn(&about), QString());
    }
};

QTEST_MAIN(TestCaptions)
#include "test_captions.moc"
