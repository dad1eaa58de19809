// The link state shown by the last-telegram caption, and what it enables and
// disables on the main window.

#include "shell/modsprache.h"
#include "shell/registry.h"
#include "shell/updown.h"
#include "support/fixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QToolButton>

using namespace nvx;

class TestLinkState : public QObject, nvxtest::PerTestBench {
    Q_OBJECT

    // Everything the no-receiver state switches off.
    QList<QWidget *> linkControls()
    {
        Config &c = *config;
        QList<QWidget *> list{c.speichern1, c.Druckbutton, c.Ladenbutton2, c.speichern2, c.Drucken2,
                              c.Adressenubertragen, c.Auslesen, c.speichern3, c.Drucken3, c.UpDown1, c.UpDown2,
                              c.UpDown3, c.txtTimerInterval, c.txtTimerallInterval, c.txtrowcountintervall, c.maxdia,
                              c.mindia, c.Monitorintervallframe, c.Sensortimer, c.Option2Ereigniss, c.Option1Intervall,
                              c.Optionallintervall, c.MonitorStart};
        for (QCheckBox *b : c.channel_log)
            list << b;
        for (QComboBox *b : c.Auswahl)
            list << b;
        return list;
    }

    // The sorted names of the given controls, or of those that are enabled.
    static QStringList names(const QList<QWidget *> &widgets, bool enabledOnly = false)
    {
        QStringList names;
        for (QWidget *w : widgets)
            if (!enabledOnly || w->isEnabled())
                names << w->objectName();
        names.sort();
        return names;
    }

    void enableAll()
    {
        for (QWidget *w : linkControls())
            w->setEnabled(true);
        for (int i = 0; i < ChannelCount; ++i)
            for (QWidget *w : std::initializer_list<QWidget *>{config->Lernmodusbutton[i], config->Loeschen[i],
                                                               config->info[i], config->info1[i]})
                w->setEnabled(true);
    }

    void disableAll()
    {
        for (QWidget *w : linkControls())
            w->setEnabled(false);
    }

private Q_SLOTS:
    void init()
    {
        startBench();
        nvxtest::showPlainInfoButtons(*config);
    }

    void cleanup() { stopBench(); }

    void twoBlanksDisableEverything()
    {
        config->setLastTelegram(QStringLiteral("A55A0B0700000008000FA8500003"));
        enableAll();
        config->SystemID[3]->setText(QStringLiteral("000FA850"));
        config->info[3]->setVisible(false);
        config->info2[3]->setVisible(true);
        config->setLastTelegram(QStringLiteral("  "));
        QCOMPARE(names(linkControls(), true), QStringList());
        for (int i = 0; i < ChannelCount; ++i) {
            QVERIFY(!config->Lernmodusbutton[i]->isEnabled());
            QVERIFY(!config->Loeschen[i]->isEnabled());
            QVERIFY(!config->info[i]->isHidden());
            QVERIFY(!config->info[i]->isEnabled());
            QVERIFY(config->info1[i]->isHidden());
            QVERIFY(config->info2[i]->isHidden());
            QVERIFY(config->info3[i]->isHidden());
        }
    }

    void oneBlankOrEmptyEnables_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::newRow("one blank") << QStringLiteral(" ");
        QTest::newRow("empty") << QString();
        QTest::newRow("three blanks") << QStringLiteral("   ");
        QTest::newRow("telegram") << QStringLiteral("A55A0B0700000008000FA8500003");
    }

    void oneBlankOrEmptyEnables()
    {
        QFETCH(QString, caption);
        config->setLastTelegram(QStringLiteral("  "));
        config->Option1Intervall->setChecked(true);
        config->setLastTelegram(caption);
        QCOMPARE(config->txtletztesTelegramm->text(), caption);
        Config &c = *config;
        QList<QWidget *> expected{c.speichern1, c.Druckbutton, c.Ladenbutton2, c.speichern2, c.Drucken2, c.Drucken3,
                                  c.UpDown1, c.UpDown2, c.txtTimerInterval, c.txtrowcountintervall, c.maxdia, c.mindia,
                                  c.Monitorintervallframe, c.Sensortimer, c.Option2Ereigniss, c.Option1Intervall,
                                  c.Optionallintervall};
        for (QComboBox *b : c.Auswahl)
            expected << b;
        QCOMPARE(names(linkControls(), true), names(expected));
    }

    void deliveringLeavesSomeControlsToOthers()
    {
        config->setLastTelegram(QStringLiteral("  "));
        enableAll();
        config->Auslesen->setEnabled(true);
        config->setLastTelegram(QStringLiteral("A55A0B0700000008000FA8500003"));
        // The read button goes off; the write button, the data-log save,
        // the all-channel interval and the logging start stay as they were.
        QVERIFY(!config->Auslesen->isEnabled());
        const QList<QWidget *> leftAlone{config->Adressenubertragen, config->speichern3, config->txtTimerallInterval,
                                         config->UpDown3, config->MonitorStart, config->channel_log[7]};
        for (QWidget *w : leftAlone)
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        disableAll();
        config->setLastTelegram(QStringLiteral("A55A0B0700000008000FA8500004"));
        for (QWidget *w : leftAlone)
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    }

    void intervalModeControlsOnlyInChartMode()
    {
        config->setLastTelegram(QStringLiteral("  "));
        config->Optionallintervall->setChecked(true);
        config->setLastTelegram(QStringLiteral("x"));
        QVERIFY(!config->txtTimerInterval->isEnabled());
        QVERIFY(!config->UpDown1->isEnabled());
        QVERIFY(config->Auswahl[0]->isEnabled());
        for (int k = 1; k < 5; ++k)
            QVERIFY(!config->Auswahl[k]->isEnabled());
        QVERIFY(config->Optionallintervall->isEnabled());
    }

    void loggingKeepsLoggingControls()
    {
        config->setLastTelegram(QStringLiteral("  "));
        state->LoggingActive = true;
        config->SystemID[4]->setText(QStringLiteral("000FA850"));
        config->setLastTelegram(QStringLiteral("A55A0B0700000008000FA8500004"));
        Config &c = *config;
        QCOMPARE(names(linkControls(), true),
                 names({c.speichern1, c.Druckbutton, c.Ladenbutton2, c.speichern2, c.Drucken2, c.Sensortimer}));
        // The sensor table's buttons still follow the rows.
        QVERIFY(config->Lernmodusbutton[0]->isEnabled());
        QVERIFY(!config->Loeschen[0]->isEnabled());
        QVERIFY(!config->Lernmodusbutton[4]->isEnabled());
        QVERIFY(config->Loeschen[4]->isEnabled());

        // Nor does logging lose controls it had.
        enableAll();
        config->setLastTelegram(QStringLiteral("A55A0B0700000008000FA8500005"));
        QVERIFY(config->maxdia->isEnabled());
        QVERIFY(config->MonitorStart->isEnabled());
    }

    void freeAndUsedRowsButtons()
    {
        config->setLastTelegram(QStringLiteral("  "));
        config->SystemID[2]->setText(QStringLiteral("000FA850"));
        config->SystemID[3]->setText(state->Texts[24]);   // waiting for a learn-in
        // A used row keeps whatever information button it shows.
        config->info[2]->setVisible(false);
        config->info3[2]->setVisible(true);
        config->info3[2]->setEnabled(true);
        // A free row is put back to the plain, disabled one.
        config->info[5]->setVisible(false);
        config->info1[5]->setVisible(true);
        config->info1[5]->setEnabled(true);
        config->setLastTelegram(QStringLiteral("A55A0B0700000008000FA8500002"));

        QVERIFY(!config->Lernmodusbutton[2]->isEnabled());
        QVERIFY(config->Loeschen[2]->isEnabled());
        QVERIFY(config->info[2]->isHidden());
        QVERIFY(!config->info3[2]->isHidden());
        QVERIFY(config->info3[2]->isEnabled());

        QVERIFY(!config->Lernmodusbutton[3]->isEnabled());
        QVERIFY(config->Loeschen[3]->isEnabled());

        QVERIFY(config->Lernmodusbutton[5]->isEnabled());
        QVERIFY(!config->Loeschen[5]->isEnabled());
        QVERIFY(!config->info[5]->isHidden());
        QVERIFY(!config->info[5]->isEnabled());
        QVERIFY(config->info1[5]->isHidden());

        // Free means the free text of the language in force, nothing else.
        config->SystemID[6]->setText(QStringLiteral("Unused"));
        config->setLastTelegram(QStringLiteral("A55A0B0700000008000FA8500006"));
        QCOMPARE(state->Texts[0], QStringLiteral("Frei"));
        QVERIFY(!config->Lernmodusbutton[6]->isEnabled());
        QVERIFY(config->Loeschen[6]->isEnabled());
    }

    void captionChangeRunsHandlerOnce()
    {
        config->setLastTelegram(QStringLiteral("  "));
        config->speichern1->setEnabled(true);
        // The same caption again is no change.
        config->setLastTelegram(QStringLiteral("  "));
        QVERIFY(config->speichern1->isEnabled());
        config->setLastTelegram(QStringLiteral("A"));
        config->speichern1->setEnabled(false);
        config->setLastTelegram(QStringLiteral("A"));
        QVERIFY(!config->speichern1->isEnabled());
        config->setLastTelegram(QStringLiteral("B"));
        QVERIFY(config->speichern1->isEnabled());
    }

    void englishFreeRows()
    {
        CRegistry().MachineSetting(ProgramKey, QStringLiteral("Language"), QStringLiteral("1033"));
        AppState english;
        LoadLanguage(english, FormStatus, nullptr);
        Config window(english);
        LoadLanguage(english, FormConfig, &window);
        QCOMPARE(english.Texts[0], QStringLiteral("Unused"));
        window.SystemID[1]->setText(QStringLiteral("Frei"));
        window.setLastTelegram(QStringLiteral("  "));
        window.setLastTelegram(QStringLiteral("A55A0B0700000008000FA8500002"));
        for (int i = 0; i < ChannelCount; ++i) {
            if (i == 1)
                continue;
            QCOMPARE(window.SystemID[i]->text(), QStringLiteral("Unused"));
            QVERIFY(window.Lernmodusbutton[i]->isEnabled());
            QVERIFY(!window.Loeschen[i]->isEnabled());
        }
        // The German free text is a sensor ID as far as English goes.
        QVERIFY(!window.Lernmodusbutton[1]->isEnabled());
        QVERIFY(window.Loeschen[1]->isEnabled());
    }

    // The logging tab's controls as the program starts.
    void designState()
    {
        Config &c = *config;
        for (const auto &[edit, text, length] : {std::tuple{c.maxdia, "100", 3}, {c.mindia, "-20", 3},
                                                 {c.txtTimerInterval, "10", 5}, {c.txtrowcountintervall, "20", 3},
                                                 {c.txtTimerallInterval, "10", 5}}) {
            QCOMPARE(edit->text(), QLatin1String(text));
            QCOMPARE(edit->maxLength(), length);
        }
        for (QLineEdit *edit : {c.maxdia, c.mindia, c.txtTimerInterval, c.txtrowcountintervall})
            QVERIFY2(!edit->isEnabled(), qPrintable(edit->objectName()));
        QVERIFY(c.Monitorintervallframe->isHidden());
        QVERIFY(c.Option1Intervall->isChecked());
        for (QRadioButton *o : {c.Option1Intervall, c.Optionallintervall, c.Option2Ereigniss})
            QVERIFY(!o->isEnabled());
        QCOMPARE(c.Option1Intervall->text(), QStringLiteral("Intervall           mit Graph"));
        QVERIFY(c.Frame1->isHidden());
        QVERIFY(c.Frame4->isHidden());
        QVERIFY(!c.Frame2->isHidden());
        QVERIFY(!c.Frame3->isHidden());
        for (int k = 1; k <= 5; ++k) {
            QCOMPARE(c.Min[k]->text(), QStringLiteral("0"));
            QCOMPARE(c.Max[k]->text(), QStringLiteral("255"));
            QCOMPARE(c.Min[k]->maxLength(), 5);
            QCOMPARE(c.Max[k]->maxLength(), 5);
            QVERIFY(!c.Min[k]->isEnabled());
            QVERIFY(!c.Max[k]->isEnabled());
            QCOMPARE(c.Wert[k]->text(), QStringLiteral("Wert"));
            QCOMPARE(c.Wert[k]->maxLength(), 5);
        }
        for (int d = 0; d < 4; ++d) {
            QCOMPARE(c.txt_min[d]->maxLength(), 5);
            QCOMPARE(c.txt_max[d]->maxLength(), 5);
        }
        for (int i = 0; i < ChannelCount; ++i) {
            QVERIFY(!c.channel_log[i]->isChecked());
            QCOMPARE(c.txt_id[i]->text(), QStringLiteral("00000000"));
            QVERIFY(!c.txt_id[i]->isEnabled());
            QVERIFY(!c.Lernmodusbutton[i]->isEnabled());
            QVERIFY(!c.Loeschen[i]->isEnabled());
        }
        for (QToolButton *b : {c.start3, c.pause3, c.stop3, c.Auslesen, c.Adressenubertragen})
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        QCOMPARE(c.Auslesen->text(), QStringLiteral("Abbruch"));
    }
};

QTEST_MAIN(TestLinkState)
#include "test_linkstate.moc"
