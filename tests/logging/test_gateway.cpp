// Gateway mode against the simulated receiver: the last telegram shown, the
// recording into the receive box with the ID filter and the spill.

#include "support/fixtures.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

using namespace nvx;

namespace {
const QString Watched = QStringLiteral("000FA850");
const QString Other = QStringLiteral("0012A3F1");
} // namespace

class TestGateway : public QObject {
    Q_OBJECT

    std::unique_ptr<nvxtest::LinkedReceiver> m_bench;
    Config *config = nullptr;
    AppState *state = nullptr;

    QString receiveLog() const { return state->ProgramPath + QStringLiteral("NVX_Log.txt"); }
    QString box() const { return config->txt_Empfang->toPlainText(); }

    // The receiver forwards one radio telegram; returns its text.
    QString forward(const QString &id, int db0 = 0x08)
    {
        const QByteArray t = nvxsim::SimModule::radioTelegram(QStringLiteral("07"), id, {1, 2, 3, db0});
        const quint64 before = config->telegramsProcessed();
        m_bench->module->sendText(t);
        [&] { QTRY_COMPARE(config->telegramsProcessed(), before + 1); }();
        return QString::fromLatin1(t);
    }

    static QString line(const QString &t)
    {
        QString pairs;
        for (int i = 0; i < 14; ++i)
            pairs += t.mid(2 * i, 2) + QLatin1Char(' ');
        return pairs + QStringLiteral("  08.12.26  10:00:00\n");
    }

private Q_SLOTS:
    // A linked receiver that reports gateway mode; recording started.
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        m_bench = std::make_unique<nvxtest::LinkedReceiver>();
        config = m_bench->config.get();
        state = &m_bench->state;
        state->logging.now = [] { return QDateTime(QDate(2026, 12, 8), QTime(10, 0, 0)); };
        QVERIFY(m_bench->setUp());
        m_bench->module->receiver.gatewayFlag = true;
        m_bench->module->sendText(m_bench->module->statusReply());
        QTRY_VERIFY(state->GatewayMode);
        QVERIFY(config->chk_gateway_enocean->isChecked());
        QVERIFY(!config->frm_gateway->isHidden() && config->frm_log->isHidden());
        QVERIFY(nvxtest::click(config, QStringLiteral("start3")));
    }
    void cleanup()
    {
        m_bench.reset();
        QLocale::setDefault(QLocale::c());
    }

    void eachTelegramOneLine()
    {
        const QString a = forward(Watched);
        const QString b = forward(Other);
        QCOMPARE(box(), line(a) + line(b));
        QCOMPARE(config->txtletztesTelegramm->text(), b);
        QVERIFY(state->ReceivedData.isEmpty());
    }

    void filterByIdField()
    {
        config->Check_sensorId->setChecked(true);
        config->txt_check_ID[3]->setText(Watched);
        forward(Other);
        const QString a = forward(Watched);
        forward(QStringLiteral("00813C22"));
        QCOMPARE(box(), line(a));
        // An ID in two fields gives two lines.
        config->txt_check_ID[9]->setText(Watched);
        const QString b = forward(Watched);
        QCOMPARE(box(), line(a) + line(b) + line(b));
    }

    // From another address, or with the gateway option clear: nothing.
    void ignored_data()
    {
        QTest::addColumn<bool>("otherSender");
        QTest::newRow("another address") << true;
        QTest::newRow("gateway option clear") << false;
    }
    void ignored()
    {
        QFETCH(bool, otherSender);
        const QString shown = forward(Watched);
        const QString recorded = box();
        const QString t = QString::fromLatin1(nvxsim::SimModule::radioTelegram(QStringLiteral("07"), Other, {9, 9, 9, 9}));
        if (otherSender) {
            // As the data-arrival handler hands it over.
            state->ReplyString = t;
            state->ReceivedData = t;
            state->SenderIP = QStringLiteral("127.0.0.9");
            config->ProcessTelegram();
        } else {
            config->chk_gateway_enocean->setChecked(false);
            forward(Other);
        }
        QCOMPARE(config->txtletztesTelegramm->text(), shown);
        QCOMPARE(box(), recorded);
        QVERIFY(!state->ReceivedData.isEmpty());
    }

    // Recording paused or stopped: only the last telegram changes.
    void notRecording()
    {
        const QString a = forward(Watched);
        QVERIFY(nvxtest::click(config, QStringLiteral("pause3")));
        const QString b = forward(Other);
        QCOMPARE(config->txtletztesTelegramm->text(), b);
        QCOMPARE(box(), line(a));
        QVERIFY(state->ReceivedData.isEmpty());
        QVERIFY(nvxtest::click(config, QStringLiteral("stop3")));
        forward(Watched);
        QVERIFY(box().isEmpty());
        QCOMPARE(QString::fromLatin1([this] {
                     QFile f(receiveLog());
                     return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
                 }()),
                 QString(line(a)).replace(u'\n', QLatin1String("\r\n")) + QStringLiteral("\r\n\r\n"));
        // The base ID answers in gateway mode as well.
        m_bench->module->sendText(m_bench->module->baseIdReply(QStringLiteral("FFFFFF80")));
        QTRY_COMPARE(state->BaseIDText, QStringLiteral("FFFFFF80"));
    }

    // The box goes into the receive log at 10000 characters, then takes the
    // new line.
    void spill_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("one short") << 9999;
        QTest::newRow("exactly 10000") << 10000;
    }
    void spill()
    {
        QFETCH(int, length);
        const QString before(length, u'x');
        config->txt_Empfang->setPlainText(before);
        const QString t = forward(Watched);
        if (length < 10000) {
            QVERIFY(!QFile::exists(receiveLog()));
            QCOMPARE(box(), before + line(t));
        } else {
            QFile log(receiveLog());
            QVERIFY(log.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromLatin1(log.readAll()), before);
            QCOMPARE(box(), line(t));
        }
    }
};

QTEST_MAIN(TestGateway)
#include "test_gateway.moc"
