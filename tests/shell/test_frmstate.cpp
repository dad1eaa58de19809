// The status window for every StatusCode: message, time-out and progress
// timers, result, the close button's effect on the main window, and the
// cancel of a learn-in. (The long time-outs run in their own executables.)

#include "shell/frmstate.h"
#include "shell/modsprache.h"
#include "shell/updown.h"
#include "shell/vbcolours.h"
#include "support/fixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QToolButton>

using namespace nvx;

namespace {

struct Seen {
    QString message;
    bool cmdOKVisible = false;
    bool progressVisible = false;
    bool abbruchVisible = false;
    int timeout = -1;
    int step = -1;
    bool timersActive = false;
    bool mainTabsEnabled = true;
    QString result;
    bool resultCmdOK = false;
    bool resultProgress = true;
};

// Opens the status window for `code` through the main window, notes what it
// shows while waiting, lets `answer` end or change the wait, notes the
// result and closes the window with its button (when it is still open).
Seen runStatus(Config &config, int code, const std::function<void(frmState *)> &answer)
{
    Seen seen;
    config.state().StatusCode = code;
    auto done = nvxtest::onNextModal(
        [&](QWidget *w) {
            auto *dlg = qobject_cast<frmState *>(w);
            QVERIFY(dlg);
            seen.message = dlg->lblTxt->text();
            seen.cmdOKVisible = dlg->cmdOK->isVisible();
            seen.progressVisible = dlg->frameProgress->isVisible();
            seen.abbruchVisible = dlg->Abbruch->isVisible();
            seen.timeout = dlg->Timer1SW->interval();
            seen.step = dlg->Timer2SW->interval();
            seen.timersActive = dlg->Timer1SW->isActive() && dlg->Timer2SW->isActive();
            seen.mainTabsEnabled = config.SSTab1->isEnabled();
            QPointer<frmState> guard(dlg);
            answer(dlg);
            if (!guard)
                return;
            seen.result = dlg->lblTxt->text();
            seen.resultCmdOK = dlg->cmdOK->isVisible();
            seen.resultProgress = dlg->frameProgress->isVisible();
            if (dlg->isVisible())
                QVERIFY(nvxtest::click(dlg, QStringLiteral("cmdOK")));
        },
        QStringLiteral("frmState"));
    config.ShowMsgWindow();
    [&] { QVERIFY(*done); }();
    return seen;
}

} // namespace

class TestFrmState : public QObject, nvxtest::PerTestBench {
    Q_OBJECT

private Q_SLOTS:
    void init() { startBench(nvxtest::Bench::NoTexts); }
    void cleanup() { stopBench(); }

    void waitingAndResult_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("timeout");
        QTest::addColumn<QString>("result");

        QTest::newRow("1 search, nothing found") << 1 << QStringLiteral("Funkempfänger suchen ... ") << 5000
                                                 << QStringLiteral("Kein Funkempfänger gefunden!");
        QTest::newRow("2 update, no confirmation") << 2 << QStringLiteral("Funkempfänger wird aktualisiert ...") << 10000
                                                   << QStringLiteral("Aktualisierung fehlgeschlagen!");
        QTest::newRow("4 firmware upload") << 4 << QStringLiteral("Funkempfänger wird aktualisiert ...") << 0
                                           << QStringLiteral("Aktualisierung fehlgeschlagen!");
        QTest::newRow("5 wait after upload") << 5 << QStringLiteral("Warten ...") << 30000
                                             << QStringLiteral("Funkempfänger aktualisiert!");
        QTest::newRow("6 learn-in") << 6 << QStringLiteral("Lerntaste drücken ...") << 10000
                                    << QStringLiteral("Sensor ID eingelernt!");
        QTest::newRow("7 read table") << 7 << QStringLiteral("Funkempfänger Daten werden ausgelesen...") << 5000
                                      << QStringLiteral("Fehler beim auslesen! Bitte erneut auf Funkempfänger klicken!");
    }

    void waitingAndResult()
    {
        QFETCH(int, code);
        QFETCH(QString, message);
        QFETCH(int, timeout);
        QFETCH(QString, result);

        state->OperationFailed = code == 5;
        const Seen seen = runStatus(*config, code, [](frmState *dlg) { dlg->CloseWindow(); });
        QCOMPARE(seen.message, message);
        QVERIFY(!seen.cmdOKVisible);
        QVERIFY(seen.progressVisible);
        QCOMPARE(seen.abbruchVisible, code == 6);
        QCOMPARE(seen.timeout, timeout);
        QCOMPARE(seen.step, timeout / 10);
        // No time-out at all for the upload: its timers must not run.
        QCOMPARE(seen.timersActive, timeout > 0);
        QVERIFY(!seen.mainTabsEnabled);
        QCOMPARE(seen.result, result);
        QVERIFY(seen.resultCmdOK);
        QVERIFY(!seen.resultProgress);
        QCOMPARE(state->StatusCode, 0);
        QVERIFY(config->SSTab1->isEnabled());
        QVERIFY(!config->statusWindow());
        if (code == 4)
            QCOMPARE(state->OperationFailed, true);
        if (code == 5)
            QCOMPARE(state->OperationFailed, false);
    }

    void idleAndConfirmedShowTheirResultAtOnce_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("0 idle") << 0 << QStringLiteral("Invalid state");
        QTest::newRow("3 confirmed") << 3 << QStringLiteral("Funkempfänger aktualisiert!");
    }

    void idleAndConfirmedShowTheirResultAtOnce()
    {
        QFETCH(int, code);
        QFETCH(QString, message);
        const Seen seen = runStatus(*config, code, [](frmState *) {});
        QCOMPARE(seen.message, message);
        QVERIFY(seen.cmdOKVisible);
        QVERIFY(!seen.progressVisible);
        QVERIFY(!seen.timersActive);
        QCOMPARE(state->StatusCode, 0);
    }

    void searchResultCountsTheReceivers()
    {
        BoardRecord a = BoardRecord::fromBytes(QByteArray::fromHex("001A2B000001"));
        config->BoardAdd(a);
        const Seen seen = runStatus(*config, 1, [](frmState *dlg) { dlg->CloseWindow(); });
        QCOMPARE(seen.result, QStringLiteral("Suche abgeschlossen!"));
    }

    void readResultFollowsTheLastTelegram_data()
    {
        QTest::addColumn<QString>("lastTelegram");
        QTest::addColumn<QString>("result");
        const QString failed = QStringLiteral("Fehler beim auslesen! Bitte erneut auf Funkempfänger klicken!");
        QTest::newRow("empty") << QString() << failed;
        // Reading begins by blanking the label to two blanks: no telegram.
        QTest::newRow("two blanks") << QStringLiteral("  ") << failed;
        QTest::newRow("telegram") << QStringLiteral("A55A0B0500000000001234560030")
                                  << QStringLiteral("Erfolgreich ausgelesen!");
    }

    void readResultFollowsTheLastTelegram()
    {
        QFETCH(QString, lastTelegram);
        QFETCH(QString, result);
        config->txtletztesTelegramm->setText(lastTelegram);
        const Seen seen = runStatus(*config, 7, [](frmState *dlg) { dlg->CloseWindow(); });
        QCOMPARE(seen.result, result);
    }

    void writeTableClosesItselfWithoutResult()
    {
        bool closedByItself = false;
        runStatus(*config, 8, [&](frmState *dlg) {
            QCOMPARE(dlg->lblTxt->text(), QStringLiteral("Sensoradressen werden zum Funkempfänger übertragen!"));
            dlg->CloseWindow();
            closedByItself = !dlg->isVisible();
            QCOMPARE(dlg->lblTxt->text(), QStringLiteral("Sensoradressen werden zum Funkempfänger übertragen!"));
        });
        QVERIFY(closedByItself);
        QCOMPARE(state->StatusCode, 0);
    }

    void uploadSwitchesToRestartWaitInTheOpenWindow()
    {
        Seen second;
        runStatus(*config, 4, [&](frmState *dlg) {
            QVERIFY(dlg->UploadRunning);
            dlg->ProgressFile->setValue(7);
            state->StatusCode = 5;
            dlg->ShowMsg();
            second.message = dlg->lblTxt->text();
            second.timeout = dlg->Timer1SW->interval();
            second.step = dlg->ProgressFile->value();
            second.timersActive = dlg->Timer1SW->isActive() && dlg->Timer2SW->isActive();
            dlg->CloseWindow();
        });
        QCOMPARE(second.message, QStringLiteral("Warten ..."));
        QCOMPARE(second.timeout, 30000);
        QCOMPARE(second.step, 0);
        QVERIFY(second.timersActive);
        QCOMPARE(state->OperationFailed, false);
    }

    void progressStopsAtTen()
    {
        frmState dlg(*state, *config, config);
        state->StatusCode = StatusSearch;
        dlg.ShowMsg();
        for (int i = 1; i <= 12; ++i) {
            dlg.Timer2SW_Timer();
            QCOMPARE(dlg.ProgressFile->value(), qMin(i, 10));
        }
        QCOMPARE(dlg.ProgressStep, 10);
        // A new wait starts the bar from the beginning.
        dlg.ShowMsg();
        QCOMPARE(dlg.ProgressFile->value(), 0);
        QCOMPARE(dlg.ProgressFile->maximum(), 10);
    }

    void readTimesOutByItself()
    {
        int midStep = -1;
        int stepAtTimeOut = -1;
        QElapsedTimer clock;
        clock.start();
        runStatus(*config, 7, [&](frmState *dlg) {
            QTest::qWait(2700);
            midStep = dlg->ProgressFile->value();
            QTRY_VERIFY_WITH_TIMEOUT(dlg->cmdOK->isVisible(), 4000);
            stepAtTimeOut = dlg->ProgressFile->value();
        });
        QVERIFY2(midStep >= 4 && midStep <= 6, qPrintable(QString::number(midStep)));
        // The bar is full when the time-out falls.
        QCOMPARE(stepAtTimeOut, 10);
        QVERIFY(clock.elapsed() >= 4900);
    }

    void learnAnswerEndsTheWait()
    {
        LoadLanguage(*state, FormConfig, nullptr);
        state->SelectorRefreshPending = true;
        config->SystemID[2]->setText(QStringLiteral("0012ABCD"));
        QStringList selectorEntries;
        const Seen seen = runStatus(*config, 6, [&](frmState *dlg) {
            // What the learn answer of the channel does.
            dlg->Timer1SW->stop();
            dlg->Timer2SW->stop();
            dlg->CloseWindow();
            state->StatusCode = 0;
            QVERIFY(!dlg->Abbruch->isVisible());
            for (int i = 0; i < config->Auswahl[0]->count(); ++i)
                selectorEntries << config->Auswahl[0]->itemText(i);
        });
        QCOMPARE(seen.result, QStringLiteral("Sensor ID eingelernt!"));
        // The result refills the series selectors with the learned rows.
        QCOMPARE(selectorEntries, (QStringList{QStringLiteral("kein Kanal"), QStringLiteral("Kanal 03")}));
    }

    void abbruchFreesTheRowAndCancelsTheLearnIn()
    {
        LoadLanguage(*state, FormConfig, nullptr);
        const int ch = 4;
        state->LearnDeleteChannel = ch;
        state->SelectorRefreshPending = true;
        config->OrgByte[ch]->setText(QStringLiteral("05"));
        config->Orgnr[ch]->setText(QStringLiteral("RPS"));
        config->SystemID[ch]->setText(QStringLiteral("Lernmodus"));
        config->Lernmodusbutton[ch]->setEnabled(false);
        config->info[ch]->setEnabled(true);
        config->info[ch]->setVisible(false);
        config->Loeschen[ch]->setEnabled(true);

        bool closed = false;
        runStatus(*config, 6, [&](frmState *dlg) {
            QVERIFY(nvxtest::click(dlg, QStringLiteral("Abbruch")));
            closed = !dlg->isVisible();
        });
        QVERIFY(closed);
        QCOMPARE(state->StatusCode, 0);
        QCOMPARE(state->SelectorRefreshPending, false);
        QCOMPARE(state->CommandString, toCommandString(QStringLiteral("A55A9C01020304050607")));
        QCOMPARE(config->OrgByte[ch]->text(), QStringLiteral(" "));
        QCOMPARE(config->SystemID[ch]->text(), QStringLiteral("Frei"));
        QCOMPARE(config->Orgnr[ch]->text(), QStringLiteral("RPS"));
        QCOMPARE(backColour(config->SystemID[ch]), SysColourCaptionText);
        QCOMPARE(backColour(config->OrgByte[ch]), SysColourCaptionText);
        QCOMPARE(backColour(config->Orgnr[ch]), SysColourCaptionText);
        QVERIFY(config->Lernmodusbutton[ch]->isEnabled());
        QVERIFY(!config->info[ch]->isEnabled());
        QVERIFY(!config->info[ch]->isHidden());
        QVERIFY(!config->Loeschen[ch]->isEnabled());
    }

    void closingWithEmptyListDisablesTheFields()
    {
        const QList<QWidget *> controls{
            config->UpDown1, config->txtTimerInterval, config->Monitorintervallframe, config->txtIP, config->txtSubnet,
            config->txtGW, config->txtServerIP, config->txtPort, config->txtServerPort, config->Beschreibung,
            config->chkDHCP, config->chkClientMode, config->chkServerMode, config->chkTCPIP, config->chkUDPMode,
            config->Setting, config->Ladenbutton2, config->Druckbutton, config->Drucken2, config->Drucken3,
            config->MonitorPause, config->MonitorStart, config->Monitorstop};
        QCOMPARE(controls.size(), 23);
        for (QWidget *w : controls)
            w->setEnabled(true);
        runStatus(*config, 1, [](frmState *dlg) { dlg->CloseWindow(); });
        for (QWidget *w : controls)
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        // Others stay as they were.
        QVERIFY(config->Search->isEnabled());
    }

    void closingWithReceiversEnablesOnlySetting()
    {
        config->BoardAdd(BoardRecord::fromBytes(QByteArray::fromHex("001A2B000001")));
        config->Setting->setEnabled(false);
        config->txtIP->setEnabled(false);
        // The refill of the series selectors at the result leaves no series
        // chosen, which disables Start; the close button leaves it alone.
        runStatus(*config, 1, [this](frmState *dlg) {
            dlg->CloseWindow();
            QVERIFY(!config->MonitorStart->isEnabled());
            config->MonitorStart->setEnabled(true);
        });
        QVERIFY(config->Setting->isEnabled());
        QVERIFY(!config->txtIP->isEnabled());
        QVERIFY(config->MonitorStart->isEnabled());
    }

    void escapeDoesNotEndTheWait()
    {
        bool stillOpen = false;
        runStatus(*config, 1, [&](frmState *dlg) {
            QTest::keyClick(dlg, Qt::Key_Escape);
            dlg->close();
            stillOpen = dlg->isVisible();
            dlg->CloseWindow();
        });
        QVERIFY(stillOpen);
    }

    // Once the result shows, its button has the focus and is the default:
    // the keyboard closes the window as the button does.
    void keysCloseTheResult_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void keysCloseTheResult()
    {
        QFETCH(int, key);
        bool focused = false;
        bool closed = false;
        runStatus(*config, 2, [&](frmState *dlg) {
            dlg->CloseWindow();
            QPointer<frmState> guard(dlg);
            QTRY_VERIFY(dlg->isActiveWindow());
            focused = QApplication::focusWidget() == dlg->cmdOK && dlg->cmdOK->isDefault();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            closed = !guard || !guard->isVisible();
        });
        QVERIFY(focused);
        QVERIFY(closed);
        QCOMPARE(state->StatusCode, 0);
    }
};

QTEST_MAIN(TestFrmState)
#include "test_frmstate.moc"
