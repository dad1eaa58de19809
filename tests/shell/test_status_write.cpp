// The table write's wait ends by itself after 32 seconds, without a result
// and without the close button.

#include "shell/config.h"
#include "support/testsupport.h"
#include "shell/frmstate.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTest>

using namespace nvx;

class TestStatusWrite : public QObject {
    Q_OBJECT
    nvxtest::TestEnv m_env;

private Q_SLOTS:
    void writeWaitClosesItself()
    {
        AppState state;
        Config config(state);
        state.StatusCode = StatusWriteTable;
        QString message;
        auto seen = nvxtest::onNextModal([&](QWidget *w) { message = qobject_cast<frmState *>(w)->lblTxt->text(); },
                                         QStringLiteral("frmState"));
        QElapsedTimer clock;
        clock.start();
        config.ShowMsgWindow();
        const qint64 elapsed = clock.elapsed();
        QVERIFY(*seen);
        QCOMPARE(message, QStringLiteral("Sensoradressen werden zum Funkempfänger übertragen!"));
        QVERIFY2(elapsed >= 31900 && elapsed < 40000, qPrintable(QString::number(elapsed)));
        QCOMPARE(state.StatusCode, 0);
        QVERIFY(config.SSTab1->isEnabled());
        QVERIFY(!config.statusWindow());
    }
};

QTEST_MAIN(TestStatusWrite)
#include "test_status_write.moc"
