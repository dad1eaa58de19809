// Writing an empty sensor table: only clear commands, and the status
// window's own end of the write when no read-back takes it over.

#include "support/fixtures.h"

#include <QElapsedTimer>
#include <QToolButton>

using namespace nvx;
using nvxtest::padded;

class TestTableWriteTimeout : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<nvxtest::LinkedReceiver> m_rx;

private Q_SLOTS:
    void init()
    {
        m_rx = std::make_unique<nvxtest::LinkedReceiver>();
        QVERIFY(m_rx->setUp());
    }
    void cleanup() { m_rx.reset(); }

    void emptyTableWriteClosesItselfAfter32s()
    {
        Config &c = *m_rx->config;
        AppState &s = m_rx->state;
        // A receiver that holds sensors, and a loaded table without any.
        m_rx->module->table[4] = {true, QStringLiteral("05"), QStringLiteral("11111111"), {0x30, 0, 0, 0x08}};
        s.TableLoadedFromFile = true;
        c.Adressenubertragen->setEnabled(true);
        // No status reply and no fallback read: the write's own wait ends it.
        c.Timer1->blockSignals(true);

        auto result = nvxtest::closeStatusWindowAtResult(c);
        QElapsedTimer clock;
        qint64 closedAfter = -1;
        int codeWhileWaiting = -1;
        QTimer::singleShot(0, &c, [&] {
            QTimer::singleShot(5000, &c, [&] { codeWhileWaiting = s.StatusCode; });
            clock.start();
            QVERIFY(nvxtest::click(&c, QStringLiteral("Adressenubertragen")));
            closedAfter = clock.elapsed();
        });
        QTRY_VERIFY_WITH_TIMEOUT(closedAfter >= 0, 45000);

        QCOMPARE(codeWhileWaiting, int(StatusWriteTable));
        QVERIFY2(closedAfter >= 31500 && closedAfter < 33500, qPrintable(QString::number(closedAfter)));
        QCOMPARE(s.StatusCode, int(StatusIdle));
        // It closed without a result to acknowledge.
        QVERIFY(!result->closed);

        QStringList expected;
        for (int ch = 0; ch < ChannelCount; ++ch)
            expected << padded(cmd::clearChannelForWrite(ch));
        expected << padded(cmd::statusRequest());
        QCOMPARE(m_rx->module->commands(), expected);
        QVERIFY(!m_rx->module->table[4].used);
        QVERIFY(!s.TableLoadedFromFile);
        c.Timer1->stop();
        c.Timer1->blockSignals(false);
    }
};

QTEST_MAIN(TestTableWriteTimeout)
#include "test_tablewrite_timeout.moc"
