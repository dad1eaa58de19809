// Writing the sensor table to a simulated receiver, channel by channel, and
// reading it back while the status window still waits.

#include "support/fixtures.h"
#include "shell/vbcolours.h"

#include <QElapsedTimer>
#include <QToolButton>

using namespace nvx;
using nvxtest::padded;

class TestTableWrite : public QObject {
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

    void writeThenReadBackShowsTheWrittenTable()
    {
        Config &c = *m_rx->config;
        AppState &s = m_rx->state;
        auto &rxTable = m_rx->module->table;
        // The receiver holds something else before the write.
        rxTable[5] = {true, QStringLiteral("05"), QStringLiteral("11111111"), {0x30, 0, 0, 0x08}};
        rxTable[10] = {true, QStringLiteral("07"), QStringLiteral("22222222"), {0, 0, 0, 0x08}};
        m_rx->module->receiver.answerStatus = true;

        // The table as an address file loads it. Kind captions are left empty
        // where the read-back must fill them in.
        m_rx->setRow(0, s.Texts[21], QStringLiteral("05"), QStringLiteral("0012AB9F"));
        m_rx->setRow(10, QString(), QStringLiteral("06"), QStringLiteral("000FA850"));
        m_rx->setRow(29, QString(), QStringLiteral("07"), QStringLiteral("ABCDEF01"));
        // Used rows the receiver could not parse: only cleared.
        m_rx->setRow(12, QStringLiteral("4 Byte Sensor"), QStringLiteral("07"), QStringLiteral("Unused"));
        m_rx->setRow(13, QStringLiteral("  "), QStringLiteral("  "), QStringLiteral("00112233"));
        s.TableLoadedFromFile = true;
        c.Adressenubertragen->setEnabled(true);

        QElapsedTimer clock;
        QList<qint64> clearTimes;
        connect(m_rx->module, &nvxsim::SimModule::commandReceived, this, [&](const QString &command) {
            if (command.startsWith(QLatin1String("A55A94")))
                clearTimes << clock.elapsed();
        });
        auto result = nvxtest::closeStatusWindowAtResult(c);
        bool returned = false;
        QTimer::singleShot(0, &c, [&] {
            clock.start();
            QVERIFY(nvxtest::click(&c, QStringLiteral("Adressenubertragen")));
            returned = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(returned, 50000);

        QVERIFY(result->closed);
        // The read-back took over the write's wait and reports its own result.
        QCOMPARE(result->statusCode, int(StatusReadTable));
        QCOMPARE(result->text, s.Texts[50]);
        QCOMPARE(s.StatusCode, int(StatusIdle));

        QStringList expected;
        for (int ch = 0; ch < ChannelCount; ++ch) {
            expected << padded(cmd::clearChannelForWrite(ch));
            if (ch == 0)
                expected << padded(QStringLiteral("A55A9200050012AB9F07"));
            if (ch == 10)
                expected << padded(QStringLiteral("A55A920A06000FA85007"));
            if (ch == 29)
                expected << padded(QStringLiteral("A55A921D07ABCDEF0107"));
        }
        expected << padded(cmd::statusRequest()) << padded(cmd::readTableRequest());
        QCOMPARE(m_rx->module->commands(), expected);
        QCOMPARE(m_rx->module->commands().at(expected.size() - 4), QStringLiteral("A55A941D020304050607          "));

        // One channel per 900 ms, channel 0 first.
        QCOMPARE(clearTimes.size(), ChannelCount);
        QVERIFY2(clearTimes.first() >= 800 && clearTimes.first() < 1500, qPrintable(QString::number(clearTimes.first())));
        QVERIFY2(clearTimes.last() >= 26000 && clearTimes.last() < 28500, qPrintable(QString::number(clearTimes.last())));

        QCOMPARE(m_rx->receiverIds(),
                 nvxtest::channelRows(QStringLiteral(" "), QStringLiteral("-- --------"),
                                      {{0, QStringLiteral("05 0012AB9F")},
                                       {10, QStringLiteral("06 000FA850")},
                                       {29, QStringLiteral("07 ABCDEF01")}}));

        const QString shown = nvxtest::channelRows(
            QStringLiteral(" | "), QStringLiteral("   |    | ") + s.Texts[0],
            {{0, s.Texts[21] + QStringLiteral(" | 05 | 0012AB9F")},
             {10, QStringLiteral("1 Byte Sensor | 06 | 000FA850")},
             {29, QStringLiteral("4 Byte Sensor | 07 | ABCDEF01")}});
        // Rows 12 and 13 were not written: the read-back, which empties the
        // table first, shows them free as the receiver holds them.
        QCOMPARE(nvxtest::tableText(c), shown);
        QCOMPARE(backColour(c.SystemID[10]), SysColourButtonFace);
        QVERIFY(!s.TableLoadedFromFile);
        QVERIFY(!c.Timer5->isActive());
        QVERIFY(!c.Timer1->isActive());
        QVERIFY(!c.Adressenubertragen->isEnabled());
        QVERIFY(c.Search->isEnabled());
    }
};

QTEST_MAIN(TestTableWrite)
#include "test_tablewrite.moc"
