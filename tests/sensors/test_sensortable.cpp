// The sensor table's rows, their buttons and the commands of the table write,
// checked without a receiver.

#include "link/protocol.h"
#include "sensors/tablerow.h"
#include "shell/config.h"
#include "shell/modsprache.h"
#include "shell/updown.h"
#include "shell/vbcolours.h"
#include "support/fixtures.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace nvx;

class TestSensorTable : public QObject, nvxtest::PerTestBench {
    Q_OBJECT

    void useLanguage(const char *code)
    {
        state->LanguageCode = QLatin1String(code);
        state->Texts[0] = state->english() ? QStringLiteral("Unused") : QStringLiteral("Frei");
        state->Texts[24] = state->english() ? QStringLiteral("Learning mode") : QStringLiteral("Lernmodus");
    }

private Q_SLOTS:
    void init() { startBench(); }
    void cleanup() { stopBench(); }

    void writeCommandsOfOneChannel_data()
    {
        QTest::addColumn<int>("ch");
        QTest::addColumn<bool>("used");
        QTest::addColumn<QString>("org");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("free channel 29") << 29 << false << "  " << "Frei" << QStringList{"A55A941D020304050607"};
        QTest::newRow("free channel 0") << 0 << false << "  " << "Frei" << QStringList{"A55A9400020304050607"};
        QTest::newRow("used channel 10")
            << 10 << true << "06" << "000FA850" << QStringList{"A55A940A020304050607", "A55A920A06000FA85007"};
        QTest::newRow("rocker") << 1 << true << "05" << "0012AB9F"
                                << QStringList{"A55A9401020304050607", "A55A9201050012AB9F07"};
        QTest::newRow("German free text while English") << 3 << true << "  " << "Frei"
                                                        << QStringList{"A55A9403020304050607"};
        QTest::newRow("cleared org") << 4 << true << "  " << "000FA850" << QStringList{"A55A9404020304050607"};
        QTest::newRow("unknown org") << 4 << true << "08" << "000FA850" << QStringList{"A55A9404020304050607"};
        QTest::newRow("short id") << 5 << true << "07" << "0FA850" << QStringList{"A55A9405020304050607"};
        QTest::newRow("non-hex id") << 5 << true << "07" << "000FA85G" << QStringList{"A55A9405020304050607"};
        QTest::newRow("learn-mode text") << 6 << true << "07" << "Lernmodus" << QStringList{"A55A9406020304050607"};
        QTest::newRow("lower-case id sent in upper case")
            << 7 << true << "07" << "000fa850" << QStringList{"A55A9407020304050607", "A55A920707000FA85007"};
    }
    void writeCommandsOfOneChannel()
    {
        QFETCH(int, ch);
        QFETCH(bool, used);
        QFETCH(QString, org);
        QFETCH(QString, id);
        QFETCH(QStringList, expected);
        QCOMPARE(tableWriteCommands(ch, used, org, id), expected);
    }

    void freeTestFollowsTheLanguageInForce()
    {
        useLanguage("1031");
        config->SystemID[2]->setText(QStringLiteral("Frei"));
        QVERIFY(config->rowIsFree(2));
        useLanguage("1033");
        // A German address file's free text is a used row in English.
        QVERIFY(!config->rowIsFree(2));
        config->SystemID[2]->setText(QStringLiteral("Unused"));
        QVERIFY(config->rowIsFree(2));
        QVERIFY(!config->rowIsFree(-1));
        QVERIFY(!config->rowIsFree(30));
    }

    void rowButtonRule()
    {
        useLanguage("1031");
        Config &c = *config;
        c.SystemID[4]->setText(QStringLiteral("000FA850"));
        c.RowButtonRule(4);
        QVERIFY(!c.Lernmodusbutton[4]->isEnabled());
        QVERIFY(c.info[4]->isEnabled());
        QVERIFY(c.Loeschen[4]->isEnabled());

        c.SystemID[4]->setText(QStringLiteral("Frei"));
        c.RowButtonRule(4);
        QVERIFY(c.Lernmodusbutton[4]->isEnabled());
        QVERIFY(!c.info[4]->isEnabled());
        QVERIFY(!c.Loeschen[4]->isEnabled());

        // A row waiting for a learn-in counts as free only for the telegram
        // processor.
        c.SystemID[4]->setText(QStringLiteral("Lernmodus"));
        c.RowButtonRule(4);
        QVERIFY(!c.Lernmodusbutton[4]->isEnabled());
        QVERIFY(c.Loeschen[4]->isEnabled());
        c.RowButtonRule(4, true);
        QVERIFY(c.Lernmodusbutton[4]->isEnabled());
        QVERIFY(!c.info[4]->isEnabled());
        QVERIFY(!c.Loeschen[4]->isEnabled());

        // Visibility is not the rule's business.
        c.info[4]->setVisible(false);
        c.RowButtonRule(4);
        QVERIFY(c.info[4]->isHidden());
        c.RowButtonRule(99); // ignored
    }

    void rowLabelsShareTheirBackColour()
    {
        Config &c = *config;
        for (std::uint32_t colour : {ColourWhite, SysColourButtonFace, SysColourWindow, SysColourCaptionText}) {
            c.setRowBackColour(7, colour);
            QCOMPARE(backColour(c.SystemID[7]), colour);
            QCOMPARE(backColour(c.OrgByte[7]), colour);
            QCOMPARE(backColour(c.Orgnr[7]), colour);
        }
        QCOMPARE(backColour(c.SystemID[8]), ColourWhite); // design colour, untouched
    }

    void everyPictureButtonHasAPicture()
    {
        Config &c = *config;
        for (int i = 0; i < ChannelCount; ++i)
            for (QToolButton *b : {c.Lernmodusbutton[i], c.Loeschen[i], c.info[i], c.info1[i], c.info2[i], c.info3[i]})
                QVERIFY2(!b->icon().isNull(), qPrintable(b->objectName()));
        for (QToolButton *b : {c.Ladenbutton2, c.speichern2, c.Drucken2, c.Adressenubertragen, c.Auslesen, c.Sensortimer})
            QVERIFY2(!b->icon().isNull(), qPrintable(b->objectName()));
        // The four supervision states must be told apart at a glance.
        const QList<QToolButton *> states{c.info[0], c.info1[0], c.info2[0], c.info3[0]};
        for (int a = 0; a < states.size(); ++a)
            for (int b = a + 1; b < states.size(); ++b)
                QVERIFY(states[a]->icon().pixmap(24).toImage() != states[b]->icon().pixmap(24).toImage());
    }

    void readClearsTheRowsAndArmsTheFallback()
    {
        Config &c = *config;
        c.SystemID[3]->setText(QStringLiteral("000FA850"));
        c.Orgnr[3]->setText(QStringLiteral("07"));
        c.OrgByte[3]->setText(QStringLiteral("4 Byte Sensor"));
        state->TableLoadedFromFile = true;
        c.Adressenubertragen->setEnabled(true);
        c.Auslesen->setEnabled(true);

        c.Auslesen_Click();

        QVERIFY(!state->TableLoadedFromFile);
        QVERIFY(!c.Auslesen->isEnabled());
        QVERIFY(!c.Adressenubertragen->isEnabled());
        QVERIFY(c.Sensortimer->isEnabled());
        QVERIFY(c.Ladenbutton2->isEnabled());
        QVERIFY(c.Option1Intervall->isChecked());
        QVERIFY(c.Timer1->isActive());
        QCOMPARE(state->CommandString, QStringLiteral("A55A9F02030405060708          "));
        for (int ch = 0; ch < ChannelCount; ++ch) {
            QCOMPARE(c.SystemID[ch]->text(), state->Texts[0]);
            QCOMPARE(c.Orgnr[ch]->text(), QStringLiteral("  "));
            QCOMPARE(c.OrgByte[ch]->text(), QStringLiteral("  "));
            QCOMPARE(backColour(c.Orgnr[ch]), SysColourWindow);
        }
        c.Timer1->stop();
    }

    void endOfWriteGivesTheLoggingControlsBackOnlyWhileLoggingIsOff_data()
    {
        QTest::addColumn<bool>("logging");
        QTest::newRow("logging off") << false;
        QTest::newRow("logging on") << true;
    }
    void endOfWriteGivesTheLoggingControlsBackOnlyWhileLoggingIsOff()
    {
        QFETCH(bool, logging);
        Config &c = *config;
        state->LoggingActive = logging;
        state->TableLoadedFromFile = true;
        const QList<QWidget *> loggingControls{c.UpDown1, c.UpDown2, c.txtrowcountintervall, c.Drucken3,
                                               c.txtTimerInterval, c.Monitorintervallframe, c.maxdia, c.mindia,
                                               c.Auswahl[0], c.Auswahl[4]};
        for (QWidget *w : loggingControls)
            w->setEnabled(false);
        state->TransferChannel = 0;
        c.Timer5->start();
        for (int tick = 0; tick < ChannelCount - 1; ++tick) {
            c.Timer5_Timer();
            QVERIFY(c.Timer5->isActive());
            QVERIFY(state->TableLoadedFromFile);
        }
        QCOMPARE(state->TransferChannel, 29);
        c.Timer5_Timer();
        QCOMPARE(state->TransferChannel, 30);
        QVERIFY(!c.Timer5->isActive());
        QVERIFY(!state->TableLoadedFromFile);
        QVERIFY(c.Timer1->isActive());
        QVERIFY(c.Search->isEnabled());
        QVERIFY(!c.Auslesen->isEnabled());
        QCOMPARE(state->CommandString.trimmed(), cmd::statusRequest());
        for (QWidget *w : loggingControls)
            QCOMPARE(w->isEnabled(), !logging);
        c.Timer1->stop();
    }
};

QTEST_MAIN(TestSensorTable)
#include "test_sensortable.moc"
