// Reading the sensor table from a simulated receiver: with and without the
// receiver's status reply, and the status window's result.

#include "support/fixtures.h"
#include "shell/vbcolours.h"

#include <QElapsedTimer>
#include <QToolButton>

using namespace nvx;
using nvxtest::padded;

class TestTableRead : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<nvxtest::LinkedReceiver> m_rx;

    void learnThreeSensors()
    {
        auto &table = m_rx->module->table;
        table[0] = {true, QStringLiteral("05"), QStringLiteral("0012AB9F"), {0x30, 0, 0, 0x08}};
        table[3] = {true, QStringLiteral("07"), QStringLiteral("000FA850"), {0x10, 0x20, 0x30, 0x08}};
        table[29] = {true, QStringLiteral("06"), QStringLiteral("01020304"), {0x55, 0, 0, 0x08}};
    }

    QString expectedTable(bool withSensors) const
    {
        std::map<int, QString> rows;
        if (withSensors)
            rows = {{0, m_rx->state.Texts[21] + QStringLiteral(" | 05 | 0012AB9F")},
                    {3, QStringLiteral("4 Byte Sensor | 07 | 000FA850")},
                    {29, QStringLiteral("1 Byte Sensor | 06 | 01020304")}};
        return nvxtest::channelRows(QStringLiteral(" | "), QStringLiteral("   |    | ") + m_rx->state.Texts[0], rows);
    }

private Q_SLOTS:
    void init()
    {
        m_rx = std::make_unique<nvxtest::LinkedReceiver>();
        QVERIFY(m_rx->setUp());
    }
    void cleanup() { m_rx.reset(); }

    void readWithStatusReply()
    {
        learnThreeSensors();
        // Rows left over from before must go.
        m_rx->setRow(7, QStringLiteral("Taster"), QStringLiteral("05"), QStringLiteral("0BADF00D"));
        m_rx->module->receiver.answerStatus = true;
        Config &c = *m_rx->config;
        auto result = nvxtest::closeStatusWindowAtResult(*m_rx->config);

        c.Auslesen_Click();
        QVERIFY(c.Timer1->isActive());
        QVERIFY(!c.Auslesen->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(result->closed, 15000);

        QCOMPARE(result->statusCode, int(StatusReadTable));
        QCOMPARE(result->text, m_rx->state.Texts[50]);
        QCOMPARE(nvxtest::tableText(c), expectedTable(true));
        // The reply answered within the 2 s, so the fallback never read: the
        // window stayed open 5 s, long past it.
        QCOMPARE(m_rx->module->commands(),
                 (QStringList{padded(cmd::statusRequest()), padded(cmd::readTableRequest())}));
        QVERIFY(!c.Timer1->isActive());
        QCOMPARE(backColour(c.SystemID[3]), SysColourButtonFace);
        QCOMPARE(backColour(c.Orgnr[3]), SysColourButtonFace);
        QCOMPARE(backColour(c.SystemID[4]), SysColourWindow);
        QCOMPARE(m_rx->state.StatusCode, int(StatusIdle));
    }

    void readWithoutStatusReplyFallsBackOnce()
    {
        learnThreeSensors();
        Config &c = *m_rx->config;
        QElapsedTimer clock;
        qint64 readAt = -1;
        connect(m_rx->module, &nvxsim::SimModule::commandReceived, this, [&](const QString &command) {
            if (command.startsWith(QLatin1String("A55A95")) && readAt < 0)
                readAt = clock.elapsed();
        });
        auto result = nvxtest::closeStatusWindowAtResult(*m_rx->config);

        clock.start();
        c.Auslesen_Click();
        QTRY_VERIFY_WITH_TIMEOUT(result->closed, 15000);

        QVERIFY2(readAt >= 1900 && readAt < 3000, qPrintable(QString::number(readAt)));
        QCOMPARE(result->text, m_rx->state.Texts[50]);
        QCOMPARE(nvxtest::tableText(c), expectedTable(true));
        QVERIFY(!c.Timer1->isActive());
        QTest::qWait(300);
        QCOMPARE(m_rx->module->commands(),
                 (QStringList{padded(cmd::statusRequest()), padded(cmd::readTableRequest())}));
    }

    void readOfAnEmptyReceiverReportsTheError()
    {
        m_rx->module->receiver.answerStatus = true;
        Config &c = *m_rx->config;
        m_rx->setRow(2, QStringLiteral("Taster"), QStringLiteral("05"), QStringLiteral("0012AB9F"));
        auto result = nvxtest::closeStatusWindowAtResult(*m_rx->config);

        c.Auslesen_Click();
        QTRY_VERIFY_WITH_TIMEOUT(result->closed, 15000);

        QCOMPARE(result->text, m_rx->state.Texts[51]);
        QCOMPARE(nvxtest::tableText(c), expectedTable(false));
    }
};

QTEST_MAIN(TestTableRead)
#include "test_tableread.moc"
