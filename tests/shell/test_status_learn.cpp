// The learn-in wait has no end of its own: at its time-out the bar starts
// again, until the cancel button ends it.

#include "shell/config.h"
#include "support/testsupport.h"
#include "shell/frmstate.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace nvx;

class TestStatusLearn : public QObject {
    Q_OBJECT
    nvxtest::TestEnv m_env;

private Q_SLOTS:
    void learnInRestartsUntilCancelled()
    {
        AppState state;
        Config config(state);
        state.LearnDeleteChannel = 0;
        state.StatusCode = StatusLearnIn;
        int highest = -1;
        int afterRestart = -1;
        bool stillWaiting = false;
        auto done = nvxtest::onNextModal(
            [&](QWidget *w) {
                auto *dlg = qobject_cast<frmState *>(w);
                QTRY_VERIFY_WITH_TIMEOUT(dlg->ProgressFile->value() >= 9, 11000);
                highest = dlg->ProgressFile->value();
                QTRY_VERIFY_WITH_TIMEOUT(dlg->ProgressFile->value() <= 1, 3000);
                afterRestart = dlg->ProgressFile->value();
                stillWaiting = !dlg->cmdOK->isVisible() && dlg->Abbruch->isVisible() && dlg->Timer1SW->isActive()
                               && dlg->lblTxt->text() == QStringLiteral("Lerntaste drücken ...");
                QVERIFY(nvxtest::click(dlg, QStringLiteral("Abbruch")));
            },
            QStringLiteral("frmState"));
        config.ShowMsgWindow();
        QVERIFY(*done);
        QVERIFY(highest >= 9);
        QVERIFY(afterRestart <= 1);
        QVERIFY(stillWaiting);
        QCOMPARE(state.StatusCode, 0);
        QVERIFY(!config.statusWindow());
    }
};

QTEST_MAIN(TestStatusLearn)
#include "test_status_learn.moc"
