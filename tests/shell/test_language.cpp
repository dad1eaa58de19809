// The language loader on the real windows, the about box and the help menu.

#include "shell/config.h"
#include "shell/fabout.h"
#include "shell/frmfehler.h"
#include "shell/frmstate.h"
#include "shell/modsprache.h"
#include "shell/programfolder.h"
#include "shell/registry.h"
#include "support/testsupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace nvx;

class TestLanguage : public QObject {
    Q_OBJECT

private:
    nvxtest::TestEnv m_env;
    nvxtest::UrlCatcher m_catcher{{QStringLiteral("file"), QStringLiteral("mailto"), QStringLiteral("http"),
                                   QStringLiteral("https")}};

    void setLanguage(const QString &language, const QString &path = QString())
    {
        QFile::remove(m_env.registryFile());
        CRegistry reg;
        if (!language.isNull())
            reg.MachineSetting(ProgramKey, QStringLiteral("Language"), language);
        if (!path.isNull())
            reg.MachineSetting(ProgramKey, QStringLiteral("Pfad"), path);
    }

    // The two loads of the main window's start-up.
    static void startUpLoads(AppState &state, Config &config)
    {
        LoadLanguage(state, FormStatus, nullptr);
        LoadLanguage(state, FormConfig, &config);
    }

    static QString text(AppState &state, int i) { return state.Texts[static_cast<std::size_t>(i)]; }

private slots:
    void init()
    {
        m_catcher.urls.clear();
        setLanguage(QString());
    }

    void englishTextsAndMainWindow()
    {
        setLanguage(QStringLiteral("1033"), QStringLiteral("/opt/nvx"));
        AppState state;
        Config config(state);
        startUpLoads(state, config);

        QCOMPARE(state.LanguageCode, QStringLiteral("1033"));
        QCOMPARE(state.ProgramPath, QStringLiteral("/opt/nvx"));
        QCOMPARE(state.HelpDocument, QStringLiteral("/Dokumentation/nvx_ethernet_eng.pdf"));
        QVERIFY(text(state, 5).startsWith(QLatin1String("Chanel;1;2;3;")));
        for (const auto &[i, english] : {std::pair{56, "Timr error telegram"}, {0, "Unused"}, {22, "Searching receiver..."},
                                         {25, "Address data file (*.Adr)|*.adr"}, {38, "Log-data file (*.Log)|*.log"},
                                         {46, "UDP: Port NVX        Port Server"}})
            QCOMPARE(text(state, i), QLatin1String(english));
        // The error window's texts wait for the error window.
        for (int i : {36, 42, 43, 59, 60})
            QVERIFY2(text(state, i).isEmpty(), qPrintable(QString::number(i)));

        QCOMPARE(config.SSTab1->tabText(0), QStringLiteral("Adjustments"));
        QCOMPARE(config.SSTab1->tabText(1), QStringLiteral("Sensors"));
        QCOMPARE(config.SSTab1->tabText(2), QStringLiteral("Logging of data"));
        QCOMPARE(config.MenueMain_2->title(), QStringLiteral("About"));
        QCOMPARE(config.MenuHilfe->text(), QStringLiteral("Help"));
        QCOMPARE(config.Empfaengerframe->title(), QStringLiteral("Board list"));
        QCOMPARE(config.Einstellungenframesensoren->title(), QStringLiteral("Adjustments"));
        QCOMPARE(config.Search->text(), QStringLiteral("Search NVX"));
        QCOMPARE(config.chkUDPMode->text(), QStringLiteral("UDP-protocol"));
        QCOMPARE(config.txtletztesTelegramm1->text(), QStringLiteral("Last telegram:"));
        QCOMPARE(config.Beschriftung[2]->text(), QStringLiteral("Type"));
        QCOMPARE(config.Sensortimer->text(), QStringLiteral("Control"));
        QCOMPARE(config.Option1Intervall->text(), QStringLiteral("Interval with graph"));
        QCOMPARE(config.Label6->text(), QStringLiteral("Monitor interval"));
        QCOMPARE(config.Label1[1]->text(), QStringLiteral("Diagram min value"));
        for (int k = 1; k <= 5; ++k)
            QCOMPARE(config.Wert[k]->text(), QStringLiteral("Value"));
        QCOMPARE(config.Option2Ereigniss->toolTip(), QStringLiteral("Log when having received a new telegram"));
        QCOMPARE(config.Auslesen->toolTip(), QStringLiteral("Read SensorIDs"));
        QCOMPARE(config.Drucken2->toolTip(), QStringLiteral("Print adress default"));
        for (int i = 0; i < ChannelCount; ++i) {
            // Every row is free: its caption is the free marker.
            QCOMPARE(config.SystemID[i]->text(), text(state, 0));
            QCOMPARE(config.channel_log[i]->toolTip(), QStringLiteral("Selection of the channel for logging"));
            QCOMPARE(config.Loeschen[i]->toolTip(), QStringLiteral("Delete SensorID"));
            QCOMPARE(config.Lernmodusbutton[i]->toolTip(), QStringLiteral("Lern-in SensorID"));
            for (QToolButton *b : {config.info[i], config.info1[i], config.info2[i], config.info3[i]})
                QCOMPARE(b->toolTip(), QStringLiteral("Informations"));
        }
        // Controls no table names keep their design.
        QCOMPARE(config.SystemID[0]->toolTip(), QStringLiteral("Adresse des Sensors"));
        QCOMPARE(config.MenueDateiUpload->text(), QStringLiteral("&Update"));

        for (int k = 0; k < 5; ++k) {
            QCOMPARE(config.Auswahl[k]->itemText(0), QStringLiteral("no channel"));
            QCOMPARE(config.Auswahl[k]->currentIndex(), 0);
            QCOMPARE(config.DatenbyteAuswahl[k]->count(), 4);
            QCOMPARE(config.DatenbyteAuswahl[k]->itemText(3), QStringLiteral("Data byte 3"));
        }
    }

    void germanForEveryOtherValue_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("1031") << QStringLiteral("1031");
        QTest::newRow("empty") << QStringLiteral("");
        QTest::newRow("missing") << QString();
        QTest::newRow("1036") << QStringLiteral("1036");
        QTest::newRow("1033 with blank") << QStringLiteral("1033 ");
    }
    void germanForEveryOtherValue()
    {
        QFETCH(QString, language);
        setLanguage(language);
        AppState state;
        Config config(state);
        startUpLoads(state, config);

        QCOMPARE(state.LanguageCode, QStringLiteral("1031"));
        QCOMPARE(state.ProgramPath, defaultProgramPath());   // no "Pfad": the user's own folder
        QCOMPARE(state.HelpDocument, QStringLiteral("/Dokumentation/nvx_ethernet_ger.pdf"));
        QCOMPARE(text(state, 0), QStringLiteral("Frei"));
        QVERIFY(text(state, 5).startsWith(QLatin1String("Kanal;1;")));
        QCOMPARE(text(state, 22), QStringLiteral("Funkempfänger suchen ... "));
        QCOMPARE(text(state, 25), QStringLiteral("Adressdateien (*.Adr)|*.adr"));
        QCOMPARE(text(state, 56), QStringLiteral("Zeitfehlertelegramm"));
        QVERIFY(text(state, 36).isEmpty());

        // The design's captions stay.
        QCOMPARE(config.SSTab1->tabText(0), QStringLiteral("Einstellungen"));
        QCOMPARE(config.MenueMain_2->title(), QStringLiteral("&Über"));
        QCOMPARE(config.Search->text(), QStringLiteral("NVX suchen"));
        QCOMPARE(config.Sensortimer->text(), QStringLiteral("Überwachung "));
        QCOMPARE(config.Option1Intervall->text(), QStringLiteral("Intervall           mit Graph"));
        QCOMPARE(config.Loeschen[7]->toolTip(), QStringLiteral("SensorID Löschen"));
        QCOMPARE(config.channel_log[0]->toolTip(), QStringLiteral("Auswahl des Kanals zum Mitloggen"));
        QCOMPARE(config.channel_log[1]->toolTip(), QString());
        for (int i = 0; i < ChannelCount; ++i)
            QCOMPARE(config.SystemID[i]->text(), text(state, 0));
        for (int k = 0; k < 5; ++k) {
            QCOMPARE(config.Auswahl[k]->itemText(0), QStringLiteral("kein Kanal"));
            QCOMPARE(config.Auswahl[k]->currentIndex(), 0);
            QCOMPARE(config.DatenbyteAuswahl[k]->count(), 4);
            QCOMPARE(config.DatenbyteAuswahl[k]->itemText(0), QStringLiteral("Daten Byte 0"));
        }
    }

    void everyLoadReadsTheStoreAgain()
    {
        setLanguage(QStringLiteral("1033"), QStringLiteral("/a/"));
        AppState state;
        Config config(state);
        startUpLoads(state, config);
        QCOMPARE(text(state, 23), QStringLiteral("no channel"));

        setLanguage(QStringLiteral("1031"), QStringLiteral("/b/"));
        LoadLanguage(state, FormConfig, &config);
        QCOMPARE(state.ProgramPath, QStringLiteral("/b/"));
        QCOMPARE(text(state, 23), QStringLiteral("kein Kanal"));
        QCOMPARE(text(state, 24), QStringLiteral("Lernmodus"));
        // The status group keeps its last language until the status window
        // loads again.
        QCOMPARE(text(state, 22), QStringLiteral("Searching receiver..."));
        QCOMPARE(config.Auswahl[0]->itemText(0), QStringLiteral("kein Kanal"));
        QCOMPARE(config.DatenbyteAuswahl[0]->itemText(1), QStringLiteral("Daten Byte 1"));
        QCOMPARE(config.DatenbyteAuswahl[0]->count(), 4);
    }

    void boardListKeepsOneColumnAsWideAsTheList()
    {
        setLanguage(QStringLiteral("1033"));
        AppState state;
        Config config(state);
        config.resize(1190, 760);
        config.show();
        QVERIFY(QTest::qWaitForWindowExposed(&config));
        startUpLoads(state, config);
        LoadLanguage(state, FormConfig, &config);
        QCOMPARE(config.ListBoards->columnCount(), 1);
        QCOMPARE(config.ListBoards->headerItem()->text(0), QString());
        auto *row = new QTreeWidgetItem(config.ListBoards, {QStringLiteral("00:1A:2B:03:0C:FF")});
        QCOMPARE(row->text(0), QStringLiteral("00:1A:2B:03:0C:FF"));
        QTRY_COMPARE(config.ListBoards->columnWidth(0), config.ListBoards->viewport()->width());
        QVERIFY(config.ListBoards->visualItemRect(row).width() > 0);
    }

    void errorWindowLoadsItsOwnTexts()
    {
        setLanguage(QStringLiteral("1033"));
        AppState state;
        Config config(state);
        startUpLoads(state, config);
        QVERIFY(text(state, 36).isEmpty() && text(state, 42).isEmpty() && text(state, 43).isEmpty());

        frmFehler window(state, &config);
        LoadLanguage(state, FormFehler, &window);
        QCOMPARE(text(state, 36), QStringLiteral("Invalid Sensor ID typed!"));
        QCOMPARE(text(state, 42), QStringLiteral("Sensor is already learned in!"));
        QCOMPARE(text(state, 43), QStringLiteral("Format e.g.: 000FA850"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Error"));
        QCOMPARE(window.frmFehlerButton->text(), QStringLiteral("Close"));
        // The main window's group stays as it was.
        QCOMPARE(text(state, 0), QStringLiteral("Unused"));

        setLanguage(QStringLiteral("1031"));
        frmFehler german(state, &config);
        LoadLanguage(state, FormFehler, &german);
        QCOMPARE(text(state, 42), QStringLiteral("Sensor ist bereits eingelernt!"));
        QCOMPARE(german.windowTitle(), QStringLiteral("Fehler"));
        QCOMPARE(german.frmFehlerButton->text(), QStringLiteral("Schließen"));
    }

    void statusWindowCaptions()
    {
        setLanguage(QStringLiteral("1033"));
        AppState state;
        Config config(state);
        frmState window(state, config, &config);
        LoadLanguage(state, FormStatus, &window);
        QCOMPARE(window.windowTitle(), QStringLiteral("State"));
        QCOMPARE(window.Abbruch->text(), QStringLiteral("Cancel"));
        QCOMPARE(window.cmdOK->text(), QStringLiteral("Close"));
        QCOMPARE(text(state, 41), QStringLiteral("Reading data of the radio receiver..."));
        QVERIFY(text(state, 0).isEmpty());   // the main window's group is not set
    }

    // The windows that come later find their English captions by name.
    void laterWindowsByName_data()
    {
        QTest::addColumn<int>("formCode");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("english");
        QTest::newRow("Abfrage Label1") << int(FormAbfrage) << "Label1" << "Do you want to delete the Sensor ID?";
        QTest::newRow("Abfrage Ja") << int(FormAbfrage) << "Ja" << "Yes";
        QTest::newRow("Alarm Abbruch") << int(FormAlarm) << "Abbruch" << "Set";
        QTest::newRow("Alarm txtMinute_1") << int(FormAlarm) << "txtMinute_1" << "(time to send an error telegram)";
        QTest::newRow("Alarm frame") << int(FormAlarm) << "Ueberwachungstimerframe" << "Control timer";
        QTest::newRow("Lernmodus Manuell_1") << int(FormLernmodus) << "Manuell_1" << "Manual learn-in of sensor ID";
        QTest::newRow("Lernmodus option") << int(FormLernmodus) << "ManuellIDOption_0" << "Rocker switch (ORG-Byte 05)";
        QTest::newRow("Monitor TasteMonitor_2") << int(FormMonitor) << "TasteMonitor_2" << "Button 3";
        QTest::newRow("Monitor txtDataByteMonitor_0") << int(FormMonitor) << "txtDataByteMonitor_0" << "Data byte 0";
        QTest::newRow("Monitor Frame2_1") << int(FormMonitor) << "Frame2_1" << "State";
        QTest::newRow("Monitor Label1_2") << int(FormMonitor) << "Label1_2" << "Control timer is not activated!";
    }
    void laterWindowsByName()
    {
        QFETCH(int, formCode);
        QFETCH(QString, name);
        QFETCH(QString, english);
        const QString windowTitles[] = {QStringLiteral("Request"), QStringLiteral("control timer"), {}, {}, {},
                                        QStringLiteral("Learning mode"), QStringLiteral("Designed"), {}};

        for (const bool inEnglish : {false, true}) {
            setLanguage(inEnglish ? QStringLiteral("1033") : QStringLiteral("1031"));
            AppState state;
            QDialog window;
            window.setWindowTitle(QStringLiteral("Designed"));
            auto *frame = new QGroupBox(QStringLiteral("designed"), &window);
            frame->setObjectName(QStringLiteral("frame"));
            // Labels, buttons and frames all take their caption; the one named
            // sits inside a frame, as the windows' controls do.
            QWidget *control = name.contains(QLatin1String("frame"), Qt::CaseInsensitive) || name.startsWith(QLatin1String("Frame"))
                ? static_cast<QWidget *>(new QGroupBox(QStringLiteral("designed"), frame))
                : name.startsWith(QLatin1String("Label")) || name.startsWith(QLatin1String("txt"))
                ? static_cast<QWidget *>(new QLabel(QStringLiteral("designed"), frame))
                : static_cast<QWidget *>(new QRadioButton(QStringLiteral("designed"), frame));
            control->setObjectName(name);
            LoadLanguage(state, formCode, &window);

            auto caption = [control] {
                if (auto *g = qobject_cast<QGroupBox *>(control))
                    return g->title();
                if (auto *l = qobject_cast<QLabel *>(control))
                    return l->text();
                return qobject_cast<QAbstractButton *>(control)->text();
            };
            QCOMPARE(caption(), inEnglish ? english : QStringLiteral("designed"));
            QCOMPARE(window.windowTitle(), inEnglish ? windowTitles[formCode] : QStringLiteral("Designed"));
            QCOMPARE(frame->title(), QStringLiteral("designed"));
        }
    }

    // Qt's own windows speak the program's language: the address file's
    // save dialog and the close question while logging runs.
    void qtDialogsInTheProgramsLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("cancel");
        QTest::addColumn<QString>("yes");
        QTest::newRow("German") << QStringLiteral("1031") << QStringLiteral("Abbrechen") << QStringLiteral("&Ja");
        QTest::newRow("English") << QStringLiteral("1033") << QStringLiteral("Cancel") << QStringLiteral("&Yes");
        QTest::newRow("German again") << QString() << QStringLiteral("Abbrechen") << QStringLiteral("&Ja");
    }
    void qtDialogsInTheProgramsLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, cancel);
        QFETCH(QString, yes);
        setLanguage(language);
        AppState state;
        Config config(state);
        startUpLoads(state, config);
        QStringList buttons;
        const auto readAndCancel = [&buttons](QWidget *w) {
            for (QAbstractButton *b : w->findChildren<QAbstractButton *>())
                buttons << b->text();
            if (auto *dialog = qobject_cast<QDialog *>(w))
                dialog->reject();
        };
        auto saved = nvxtest::onNextModal(readAndCancel, QStringLiteral("CommonDialog1"), 10000);
        config.speichern2_Click();
        QVERIFY(*saved);
        QVERIFY2(buttons.contains(cancel), qPrintable(buttons.join(u'|')));

        buttons.clear();
        state.LoggingActive = true;
        auto asked = nvxtest::onNextModal(readAndCancel, {}, 10000);
        QVERIFY(!config.close());
        QVERIFY(*asked);
        QVERIFY2(buttons.contains(yes), qPrintable(buttons.join(u'|')));
        state.LoggingActive = false;
    }

    void aboutBoxInBothLanguages()
    {
        for (const bool inEnglish : {false, true}) {
            setLanguage(inEnglish ? QStringLiteral("1033") : QStringLiteral("1031"));
            AppState state;
            Config config(state);
            startUpLoads(state, config);
            m_catcher.urls.clear();

            QString title, version, notice, email, web, emailLabel;
            bool modal = false;
            QWidget *owner = nullptr;
            auto ran = nvxtest::onNextModal([&](QWidget *w) {
                auto *about = qobject_cast<fAbout *>(w);
                QVERIFY(about);
                title = about->windowTitle();
                modal = about->isModal();
                owner = about->parentWidget();
                version = about->lblVersion->text();
                notice = about->lbl_Software_Hinweis->text();
                email = about->lblemail->text();
                emailLabel = about->lbltxtEmail->text();
                web = about->lblHyperlink->text();
                QCOMPARE(about->lblemail->cursor().shape(), Qt::PointingHandCursor);
                QCOMPARE(about->lblHyperlink->cursor().shape(), Qt::PointingHandCursor);
                QTest::mouseClick(about->lblemail, Qt::LeftButton);
                QTest::mouseClick(about->lblHyperlink, Qt::LeftButton);
                QTest::mouseClick(about->lblVersion, Qt::LeftButton);   // not a link
                about->close();
            }, QStringLiteral("fAbout"));
            config.MenueMain_Click(2);
            QVERIFY(*ran);

            QCOMPARE(title, QStringLiteral("Information"));
            QVERIFY(modal);
            QCOMPARE(owner, &config);
            if (inEnglish) {
                QCOMPARE(version, QStringLiteral("Lorvantis: Configuration software for NVX-Ethernet Version 3.11"));
                QCOMPARE(notice, QStringLiteral("Lorvantis Sensortechnik GmbH does not take over any liability for damages "
                                                "occurred by the operation of the software."));
            } else {
                QCOMPARE(version, QStringLiteral("Lorvantis: Konfigurationssoftware für NVX-Ethernet Version 3.11"));
                QCOMPARE(notice, QStringLiteral("Für Schäden die durch Verwendung dieser Software an Hard- oder Software "
                                                "entstehen wird keine Haftung übernommen."));
            }
            QCOMPARE(emailLabel, QStringLiteral("E-Mail:"));
            QCOMPARE(email, QStringLiteral("info@lorvantis-sensortechnik.de"));
            QCOMPARE(web, QStringLiteral("www.lorvantis-sensortechnik.de"));
            QCOMPARE(m_catcher.urls,
                     (QList<QUrl>{QUrl(QStringLiteral("mailto:info@lorvantis-sensortechnik.de")),
                                  QUrl(QStringLiteral("https://www.lorvantis-sensortechnik.de"))}));
        }
    }

    void aboutMenuOpensTheBoxThenItsEntries()
    {
        setLanguage(QStringLiteral("1033"));
        AppState state;
        Config config(state);
        startUpLoads(state, config);
        config.show();
        QVERIFY(QTest::qWaitForWindowExposed(&config));

        auto ran = nvxtest::onNextModal([](QWidget *w) { w->close(); }, QStringLiteral("fAbout"));
        QMenuBar *bar = config.menuBar();
        const QRect where = bar->actionGeometry(config.MenueMain_2->menuAction());
        QVERIFY(where.isValid());
        QTest::mouseClick(bar, Qt::LeftButton, {}, where.center());
        QTRY_VERIFY(*ran);
        // After the box the menu drops down, so its help entry is reachable.
        QTRY_VERIFY(config.MenueMain_2->isVisible());
        config.MenueMain_2->close();
    }

    void helpOpensTheDocumentOfTheLanguage()
    {
        const QString folder = m_env.path() + QStringLiteral("/prog");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/Dokumentation")));
        for (const char *name : {"nvx_ethernet_eng.pdf", "nvx_ethernet_ger.pdf"}) {
            QFile pdf(folder + QStringLiteral("/Dokumentation/") + QLatin1String(name));
            QVERIFY(pdf.open(QIODevice::WriteOnly));
        }
        for (const bool inEnglish : {false, true}) {
            setLanguage(inEnglish ? QStringLiteral("1033") : QStringLiteral("1031"), folder);
            AppState state;
            Config config(state);
            startUpLoads(state, config);
            m_catcher.urls.clear();
            config.MenuHilfe->trigger();
            const QString expected = folder
                + (inEnglish ? QStringLiteral("/Dokumentation/nvx_ethernet_eng.pdf") : QStringLiteral("/Dokumentation/nvx_ethernet_ger.pdf"));
            QCOMPARE(m_catcher.urls, QList<QUrl>{QUrl::fromLocalFile(expected)});
        }
        // With the document missing (or no program folder at all) nothing opens.
        QVERIFY(QFile::remove(folder + QStringLiteral("/Dokumentation/nvx_ethernet_eng.pdf")));
        for (const QString &path : {folder, QString()}) {
            setLanguage(QStringLiteral("1033"), path);
            AppState state;
            Config config(state);
            startUpLoads(state, config);
            m_catcher.urls.clear();
            config.MenuHilfe_Click();
            QVERIFY(m_catcher.urls.isEmpty());
        }
    }
};

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
