// The settings wait runs its full ten seconds: a confirmation during it only
// changes the result; without one the update is reported as failed.

#include "support/fixtures.h"
#include "shell/frmstate.h"


using namespace nvx;

class TestStatusUpdate : public QObject {
    Q_OBJECT
    nvxtest::TestEnv m_env;
    AppState m_state;
    std::unique_ptr<Config> m_config;
    nvxsim::ReceiverSimulator m_sim;
    nvxsim::SimModule *m_module = nullptr;

    struct Seen {
        int statusAfterOneAndAHalfSeconds = -1;
        bool waitingThen = false;
        QString result;
        qint64 elapsed = 0;
    };

    Seen writeSettings()
    {
        Seen seen;
        Config &c = *m_config;
        const QString key = c.ListBoards->topLevelItem(0)->text(0);
        m_state.SelectedBoardKey = key;
        m_state.CurrentBoard = *m_state.boards.find(key);
        m_state.CurrentBoard[BoardRecord::Port] = 0x30;
        m_state.StatusCode = StatusUpdate;
        QElapsedTimer clock;
        clock.start();
        auto done = nvxtest::onNextModal(
            [&](QWidget *w) {
                auto *dlg = qobject_cast<frmState *>(w);
                QTest::qWait(1500);
                seen.statusAfterOneAndAHalfSeconds = m_state.StatusCode;
                seen.waitingThen = !dlg->cmdOK->isVisible();
                QTRY_VERIFY_WITH_TIMEOUT(dlg->cmdOK->isVisible(), 10000);
                seen.elapsed = clock.elapsed();
                seen.result = dlg->lblTxt->text();
                nvxtest::click(dlg, QStringLiteral("cmdOK"));
            },
            QStringLiteral("frmState"));
        c.sendModuleMessage("SETT" + m_state.CurrentBoard.toBytes());
        c.ShowMsgWindow();
        [&] { QVERIFY(*done); }();
        return seen;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_module = m_sim.addModule(nvxtest::reportingRecord("001A2B000001", QStringLiteral("127.0.0.2")));
        QVERIFY(m_sim.start());
        m_config = std::make_unique<Config>(m_state);
        QVERIFY(nvxtest::loadClosingTheSearchWindow(*m_config));
        QCOMPARE(m_config->ListBoards->topLevelItemCount(), 1);
    }

    // A confirmation during the wait only changes the result; without one
    // the update is reported as failed.
    void waitsTenSeconds_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<int>("statusAfterOneAndAHalfSeconds");
        QTest::addColumn<QString>("result");
        QTest::newRow("confirmed after one second") << true << int(StatusUpdateDone)
                                                    << QStringLiteral("Funkempfänger aktualisiert!");
        QTest::newRow("unconfirmed") << false << int(StatusUpdate) << QStringLiteral("Aktualisierung fehlgeschlagen!");
    }

    void waitsTenSeconds()
    {
        QFETCH(bool, confirmed);
        QFETCH(int, statusAfterOneAndAHalfSeconds);
        QFETCH(QString, result);
        m_module->behaviour.setcDelayMs = 1000;
        m_module->behaviour.noSetc = !confirmed;
        const Seen seen = writeSettings();
        QCOMPARE(seen.statusAfterOneAndAHalfSeconds, statusAfterOneAndAHalfSeconds);
        QVERIFY(seen.waitingThen);
        QVERIFY2(seen.elapsed >= 9900, qPrintable(QString::number(seen.elapsed)));
        QCOMPARE(seen.result, result);
        QCOMPARE(m_state.StatusCode, 0);
        // What was sent is kept for the receiver.
        if (confirmed)
            QCOMPARE(int(m_state.boards.find(m_module->macText())->bytes[BoardRecord::Port]), 0x30);
    }
};

QTEST_MAIN(TestStatusUpdate)
#include "test_status_update.moc"

#include <QElapsedTimer>
