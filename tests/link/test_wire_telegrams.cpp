// Telegrams as a receiver puts them on the wire, through the program's real
// sockets in all three link modes: pieces that are no telegram, line ends,
// noise and lower-case hex must not shift, invent or lose the telegrams that
// follow, and the link still reads the table on the next status reply.

#include "support/fixtures.h"
#include "shell/frmstate.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QToolButton>

using namespace nvx;
using nvxsim::SimModule;

namespace {

enum class Mode { TcpServer, TcpClient, Udp };

BoardRecord recordFor(Mode mode)
{
    BoardRecord rec = nvxtest::reportingRecord("00AB00000001", QStringLiteral("127.0.0.7"), 10031, 10032);
    if (mode == Mode::TcpClient)
        rec[BoardRecord::Mode] = 0;
    if (mode == Mode::Udp)
        rec[BoardRecord::Udp] = 1;
    return rec;
}

const QByteArray First = SimModule::channelTelegram(0, QStringLiteral("05"), QStringLiteral("000000A1"), {0x30, 0, 0, 8});
const QByteArray Last = SimModule::channelTelegram(29, QStringLiteral("07"), QStringLiteral("000000B2"), {1, 2, 3, 8});
const QByteArray OnRow10 = SimModule::channelTelegram(9, QStringLiteral("06"), QStringLiteral("00ABCDEF"), {4, 0, 0, 8});
// Ends in "0A", which may be the start of a sync.
const QByteArray OnRow11 = SimModule::channelTelegram(10, QStringLiteral("07"), QStringLiteral("00C0FFEE"), {5, 0, 0, 8});
const QByteArray OnRow4 = SimModule::channelTelegram(3, QStringLiteral("07"), QStringLiteral("000FA850"), {1, 2, 3, 8});
const QByteArray OnRow1 = SimModule::channelTelegram(0, QStringLiteral("07"), QStringLiteral("00C0FFEE"), {5, 0, 0, 8});

const QList<std::pair<const char *, Mode>> TcpModes{{"tcp server", Mode::TcpServer}, {"tcp client", Mode::TcpClient}};

} // namespace

class TestWireTelegrams : public QObject, nvxtest::PerTestBench {
    Q_OBJECT
private Q_SLOTS:
    void init() { startBench(); }
    void cleanup() { stopBench(); }

    void piecesBeforeTelegrams_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("piece");
        QTest::addColumn<QString>("row10");
        const QString freeRow = QStringLiteral("   |    | Frei");
        const QString filled = QStringLiteral("1 Byte Sensor | 06 | 00ABCDEF");
        const QList<std::pair<const char *, Mode>> modes{
            {"tcp server", Mode::TcpServer}, {"tcp client", Mode::TcpClient}, {"udp", Mode::Udp}};
        for (const auto &[name, mode] : modes) {
            const QList<std::tuple<const char *, QByteArray, QString>> pieces{
                {"27 characters", OnRow10.left(27), freeRow},
                {"24 bytes", OnRow10.left(24), freeRow},
                {"CR LF", OnRow10 + "\r\n", filled},
                {"100 stray bytes", QByteArray("0123456789").repeated(10), freeRow},
                {"lower case", OnRow10.toLower(), filled}};
            for (const auto &[what, piece, row10] : pieces)
                QTest::addRow("%s, %s", name, what) << int(mode) << piece << row10;
        }
    }

    // A short piece and the first character of the next telegram in one
    // read, the rest in the next; and a telegram whose end looks like the
    // start of a sync with nothing behind it.
    void telegramCutAfterAShortPiece_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("tcp server") << int(Mode::TcpServer);
        QTest::newRow("tcp client") << int(Mode::TcpClient);
    }
    void telegramCutAfterAShortPiece()
    {
        QFETCH(int, mode);
        SimModule *m = bench->link(recordFor(Mode(mode)));
        QVERIFY(m);
        m->sendText(OnRow10.left(27) + OnRow11.left(1));
        QTest::qWait(20);
        m->sendText(OnRow11.mid(1));
        QTRY_COMPARE(config->SystemID[10]->text(), QStringLiteral("00C0FFEE"));
        QTest::qWait(50);
        QCOMPARE(nvxtest::tableText(*config),
                 nvxtest::channelRows(QStringLiteral(" | "), QStringLiteral("   |    | Frei"),
                                      {{10, QStringLiteral("4 Byte Sensor | 07 | 00C0FFEE")}}));
    }

    // The bytes of a telegram with pauses between them, as a segment lost on
    // a busy LAN or Wi-Fi and sent again makes them: each read comes after
    // its pause.
    void pausesInsideATelegram_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArrayList>("reads");
        QTest::addColumn<QList<int>>("pausesMs");
        QTest::addColumn<QStringList>("processed");
        QTest::addColumn<QString>("table");
        const QString freeRow = QStringLiteral("   |    | Frei");
        const QString row4 = QStringLiteral("4 Byte Sensor | 07 | 000FA850");
        const QString onRow4 = QString::fromLatin1(OnRow4);
        QByteArrayList bytes;
        for (char c : OnRow4)
            bytes << QByteArray(1, c);
        for (const auto &[name, mode] : TcpModes) {
            const QString once = nvxtest::channelRows(QStringLiteral(" | "), freeRow, {{3, row4}});
            QTest::addRow("%s, split, 600 ms", name)
                << int(mode) << QByteArrayList{OnRow4.left(14), OnRow4.mid(14)} << QList<int>{0, 600}
                << QStringList{onRow4} << once;
            QTest::addRow("%s, byte by byte, 10 ms", name)
                << int(mode) << bytes << QList<int>(bytes.size(), 10) << QStringList{onRow4} << once;
            // A short piece and the first characters of the next telegram,
            // the rest after a stall: the piece is no telegram.
            for (const int cut : {4, 3, 2})
                QTest::addRow("%s, short piece and %d characters, 100 ms", name, cut)
                    << int(mode) << QByteArrayList{OnRow1.left(28 - cut) + OnRow4.left(cut), OnRow4.mid(cut)}
                    << QList<int>{0, 100} << QStringList{onRow4} << once;
            // Ending in a lone "A" it is the telegram for channel 0x0A that it
            // looks like: holding it through the stall would hold back every
            // telegram of that channel. The telegram behind it still counts.
            const QByteArray looksLikeRow11 = OnRow1.left(27) + OnRow4.left(1);
            QTest::addRow("%s, short piece and an A, 100 ms", name)
                << int(mode) << QByteArrayList{looksLikeRow11, OnRow4.mid(1)} << QList<int>{0, 100}
                << QStringList{QString::fromLatin1(looksLikeRow11), onRow4}
                << nvxtest::channelRows(QStringLiteral(" | "), freeRow,
                                        {{3, row4}, {10, QStringLiteral("4 Byte Sensor | 07 | 00C0FFEE")}});
        }
    }
    void pausesInsideATelegram()
    {
        QFETCH(int, mode);
        QFETCH(QByteArrayList, reads);
        QFETCH(QList<int>, pausesMs);
        QFETCH(QStringList, processed);
        QFETCH(QString, table);
        SimModule *m = bench->link(recordFor(Mode(mode)));
        QVERIFY(m);
        QStringList seen;
        QObject watch;
        connect(config, &Config::telegramReceived, &watch, [&seen](const QString &t) { seen << t; });
        for (qsizetype i = 0; i < reads.size(); ++i) {
            QTest::qWait(pausesMs[i]);   // the pause on the wire
            m->sendText(reads[i]);
        }
        QTRY_COMPARE(seen, processed);
        QTest::qWait(50);   // anything a piece would invent comes with it
        QCOMPARE(seen, processed);
        QCOMPARE(nvxtest::tableText(*config), table);
    }

    // The telegrams of channels 0x0A and 0x1A end in "A", the start of a
    // sync; alone on the stream they are not held back noticeably.
    void channelEndingInAIsNotHeldBack_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("channel");
        for (const auto &[name, mode] : TcpModes)
            for (const int ch : {0x0A, 0x1A})
                QTest::addRow("%s, channel %02X", name, ch) << int(mode) << ch;
    }
    void channelEndingInAIsNotHeldBack()
    {
        QFETCH(int, mode);
        QFETCH(int, channel);
        SimModule *m = bench->link(recordFor(Mode(mode)));
        QVERIFY(m);
        const QByteArray telegram = SimModule::channelTelegram(channel, QStringLiteral("06"), QStringLiteral("0012A3F1"),
                                                               {4, 0, 0, 8});
        QElapsedTimer clock;
        qint64 processedAfterMs = -1;
        QObject watch;
        connect(config, &Config::telegramReceived, &watch, [&] { processedAfterMs = clock.elapsed(); });
        clock.start();
        m->sendText(telegram);
        QTRY_VERIFY(processedAfterMs >= 0);
        QVERIFY2(processedAfterMs < 60, qPrintable(QString::number(processedAfterMs)));
        QCOMPARE(config->SystemID[channel]->text(), QStringLiteral("0012A3F1"));
    }

    // A telegram still held back when the receiver closes the connection
    // is its telegram all the same.
    void heldTelegramOutlivesTheClose_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("telegram");
        QTest::addColumn<int>("row");
        const QByteArray syncInID = SimModule::channelTelegram(5, QStringLiteral("07"), QStringLiteral("A55A1234"),
                                                               {1, 2, 3, 8});
        for (const auto &[name, mode] : TcpModes) {
            QTest::addRow("%s, ending in A", name) << int(mode) << OnRow11 << 10;
            QTest::addRow("%s, sync in the ID", name) << int(mode) << syncInID << 5;
        }
    }
    void heldTelegramOutlivesTheClose()
    {
        QFETCH(int, mode);
        QFETCH(QByteArray, telegram);
        QFETCH(int, row);
        SimModule *m = bench->link(recordFor(Mode(mode)));
        QVERIFY(m);
        QTcpSocket *socket = Mode(mode) == Mode::TcpServer ? config->Winsock3 : config->Winsock1_1.data();
        QSignalSpy read(socket, &QIODevice::readyRead);
        m->sendText(telegram);
        QVERIFY(read.wait());
        m->stopReceiver();
        QTRY_COMPARE(config->SystemID[row]->text(), QString::fromLatin1(telegram.mid(16, 8)));
    }

    void piecesBeforeTelegrams()
    {
        QFETCH(int, mode);
        QFETCH(QByteArray, piece);
        QFETCH(QString, row10);
        SimModule *m = bench->link(recordFor(Mode(mode)));
        QVERIFY(m);

        if (Mode(mode) == Mode::Udp) {
            // Each send is a datagram of its own.
            for (const QByteArray &datagram : {piece, First, Last})
                m->sendText(datagram);
        } else {
            // One write: the pieces meet in one read or are cut anywhere.
            m->sendText(piece + First + Last);
        }
        QTRY_COMPARE(config->SystemID[29]->text(), QStringLiteral("000000B2"));
        QTest::qWait(50);   // anything the piece would invent comes with it

        const QString table = nvxtest::channelRows(QStringLiteral(" | "), QStringLiteral("   |    | Frei"),
                                                   {{0, QStringLiteral("Taster | 05 | 000000A1")},
                                                    {9, row10},
                                                    {29, QStringLiteral("4 Byte Sensor | 07 | 000000B2")}});
        QCOMPARE(nvxtest::tableText(*config), table);
        for (int ch = 0; ch < ChannelCount; ++ch) {
            const bool used = !config->rowIsFree(ch);
            QVERIFY2(config->Lernmodusbutton[ch]->isEnabled() == !used, qPrintable(QString::number(ch)));
            QCOMPARE(config->Loeschen[ch]->isEnabled(), used);
        }
        QCOMPARE(state->ChannelDB3[29], 1);
        QCOMPARE(state->ChannelDB0[29], 8);

        // The link is still in step: the status reply reads the table.
        m->clearCommands();
        int codeInWindow = -1;
        auto answered = nvxtest::onNextModal(
            [&](QWidget *w) {
                codeInWindow = state->StatusCode;
                auto *window = qobject_cast<frmState *>(w);
                QTRY_COMPARE(m->commands(), QStringList{nvxtest::padded(cmd::readTableRequest())});
                window->Timer1SW->start(0);   // the wait's time-out, now
                QTRY_VERIFY(window->cmdOK->isVisible());
                nvxtest::click(w, QStringLiteral("cmdOK"));
            },
            QStringLiteral("frmState"));
        m->sendText(m->statusReply());
        QTRY_VERIFY(*answered);
        QCOMPARE(codeInWindow, int(StatusReadTable));
    }
};

QTEST_MAIN(TestWireTelegrams)
#include "test_wire_telegrams.moc"
