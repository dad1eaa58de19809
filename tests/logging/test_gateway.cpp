// Gateway mode against the simulated receiver: the last telegram shown, the
// recording into the receive box with the ID filter and the spill, also
// onto a disk that fills up.

#include "support/fixtures.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>

#include <numeric>
#include <optional>

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

    // The receiver forwards telegrams first .. first + count - 1 in one go,
    // each carrying its number in DB3 and DB2.
    void forwardNumbered(int first, int count)
    {
        QByteArray all;
        for (int i = first; i < first + count; ++i)
            all += nvxsim::SimModule::radioTelegram(QStringLiteral("07"), Watched, {i >> 8, i & 0xFF, 0, 0x08});
        const quint64 before = config->telegramsProcessed();
        m_bench->module->sendText(all);
        QTRY_COMPARE_WITH_TIMEOUT(config->telegramsProcessed(), before + count, 20000);
    }

    // The numbers of the telegram lines of the receive log behind its first
    // line `first`, when each is whole and the log ends in `emptyAtEnd`
    // empty lines (the last one behind the final CR LF).
    std::optional<QList<int>> telegramNumbers(const QString &first, int emptyAtEnd) const
    {
        QStringList lines = QString::fromLatin1(nvxtest::fileBytes(receiveLog())).split(QStringLiteral("\r\n"));
        if (lines.size() < emptyAtEnd + 1 || lines.takeFirst() != first
            || lines.mid(lines.size() - emptyAtEnd) != QStringList(emptyAtEnd, QString()))
            return std::nullopt;
        lines.resize(lines.size() - emptyAtEnd);
        static const QRegularExpression whole(QStringLiteral("^A5 5A 0B 07 (..) (..) 00 08 (.. ){6}  08\\.12\\.26  10:00:00$"));
        QList<int> numbers;
        for (const QString &l : lines) {
            const QRegularExpressionMatch m = whole.match(l);
            if (!m.hasMatch())
                return std::nullopt;
            numbers << m.captured(1).toInt(nullptr, 16) * 256 + m.captured(2).toInt(nullptr, 16);
        }
        return numbers;
    }

    // A receive log begun earlier with `text`.
    void beginReceiveLog(const QByteArray &text)
    {
        QFile earlier(receiveLog());
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write(text);
    }

    qsizetype messages() const
    {
        return config->findChildren<QMessageBox *>(QStringLiteral("LogNotWritten")).size();
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

    // A line end or another control character inside a telegram cannot
    // break its line in the receive log or forge one.
    void controlCharactersStayInTheirLine()
    {
        const quint64 before = config->telegramsProcessed();
        m_bench->module->sendText("A55A0B07\r\n0000080012A3FF00FF");
        QTRY_COMPARE(config->telegramsProcessed(), before + 1);
        QVERIFY(nvxtest::click(config, QStringLiteral("stop3")));
        QCOMPARE(nvxtest::fileBytes(receiveLog()),
                 QByteArray("A5 5A 0B 07 ?? 00 00 08 00 12 A3 FF 00 FF   08.12.26  10:00:00\r\n\r\n\r\n"));
    }

    // The disk fills in the middle of a spill, has room, is full, has room
    // again: the box stays near the spill size while nothing goes, the user
    // is told once, and the receive log holds each telegram at most once,
    // whole and in order, every one that came after room returned among them.
    void fullDiskDuringRecording()
    {
        nvxtest::FailingDisk disk(m_bench->env.path() + QStringLiteral("/logs"));
        if (!disk.mountSmall(64))
            QSKIP(qPrintable(disk.skipReason));
        state->ProgramPath = disk.folder() + u'/';
        // A log begun earlier: the free page does not end at a line's end.
        beginReceiveLog("earlier\r\n");
        QVERIFY(disk.fill(4096));
        // The spill at 157 lines gets only part of the box into the log.
        forwardNumbered(0, 170);
        QCOMPARE(messages(), 1);
        disk.makeRoom();
        forwardNumbered(170, 30);
        QVERIFY(disk.fill());
        forwardNumbered(200, 400);
        QVERIFY(Config::boxLength(config->txt_Empfang) <= 10000 + 64);
        disk.makeRoom();
        forwardNumbered(600, 100);
        QVERIFY(nvxtest::click(config, QStringLiteral("stop3")));
        QCOMPARE(messages(), 1);

        const QList<int> numbers = telegramNumbers(QStringLiteral("earlier"), 3).value_or(QList<int>());
        QVERIFY(!numbers.isEmpty());
        QCOMPARE(numbers.first(), 0);
        for (qsizetype i = 1; i < numbers.size(); ++i)
            QVERIFY2(numbers[i] > numbers[i - 1], qPrintable(QString::number(numbers[i])));
        QCOMPARE(numbers.mid(numbers.indexOf(600)).size(), 100);
    }

    // No telegram line joins a half line: the rest of a line that a full
    // disk left gets one last try when the program ends, and a half line
    // that an earlier run left is ended before the first new line.
    void noHalfLineJoined_data()
    {
        QTest::addColumn<QByteArray>("earlier");
        QTest::addColumn<bool>("programEnds");
        QTest::newRow("half line of an earlier run") << QByteArray("A5 5A 0B 07 00") << false;
        QTest::newRow("CR without its LF") << QByteArray("A5 5A 0B 07 00\r") << false;
        QTest::newRow("rest at the program's end") << QByteArray("earlier\r\n") << true;
    }
    void noHalfLineJoined()
    {
        QFETCH(QByteArray, earlier);
        QFETCH(bool, programEnds);
        nvxtest::FailingDisk disk(m_bench->env.path() + QStringLiteral("/logs"));
        if (programEnds && !disk.mountSmall(64))
            QSKIP(qPrintable(disk.skipReason));
        state->ProgramPath = disk.folder() + u'/';
        beginReceiveLog(earlier);
        if (programEnds) {
            QVERIFY(disk.fill(4096));
            forwardNumbered(0, 170);
            QVERIFY(!nvxtest::fileBytes(receiveLog()).endsWith("\r\n"));
            disk.makeRoom();
            config->close();
        } else {
            forwardNumbered(0, 1);
            QVERIFY(nvxtest::click(config, QStringLiteral("stop3")));
        }
        // Each line the disk took, and no other, in order.
        const QList<int> numbers =
            telegramNumbers(QString::fromLatin1(earlier.trimmed()), programEnds ? 1 : 3).value_or(QList<int>());
        QVERIFY(!numbers.isEmpty());
        QList<int> inOrder(numbers.size());
        std::iota(inOrder.begin(), inOrder.end(), 0);
        QCOMPARE(numbers, inOrder);
    }
};

QTEST_MAIN(TestGateway)
#include "test_gateway.moc"
