// A flood of malformed traffic on every port the program listens on, in each
// link mode: afterwards the program is alive, its memory has not run away and
// it still answers a status reply with the table request.

#include "support/fixtures.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QUdpSocket>

using namespace nvx;
using nvxsim::SimModule;

namespace {

constexpr quint16 ModuleConfigReplyPort = 5001;
// The first round is a warm-up: it fills the allocator's pools and the
// caches. Over the rounds after it the resident memory may grow by a small
// part of what came in, and since the start by a fixed amount.
constexpr int Rounds = 4;
constexpr qint64 MemoryBoundKb = 12 * 1024;
constexpr qint64 MemoryBoundSinceStartKb = 48 * 1024;

qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

QByteArray randomBytes(QRandomGenerator &random, int size, const char *alphabet = nullptr)
{
    QByteArray bytes(size, '\0');
    const int n = alphabet ? int(qstrlen(alphabet)) : 256;
    for (char &c : bytes) {
        const int v = int(random.bounded(n));
        c = alphabet ? alphabet[v] : char(v);
    }
    return bytes;
}

// Empty, oversized, non-ASCII and protocol-shaped malformed messages, the
// same for every run.
QList<QByteArray> malformedMessages(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    const char *hex = "0123456789ABCDEF";
    const QList<QByteArray> shapes{
        "A55A",  "A55B",  "A55A0B", "A55A0B05", "A55A8B98", "A55AAB58", "A55A0B07FFFFFFFF", "IMIN", "SETC",
        "FIND",  "SETT",  "\xA5\x5A", "A5",     "5A",       "A55A0B05000000000012AB3400"};
    QList<QByteArray> messages;
    for (int i = 0; i < count; ++i) {
        QByteArray m;
        switch (i % 8) {
        case 0: break;   // empty
        case 1: m = randomBytes(random, int(random.bounded(1, 200))); break;
        case 2: m = randomBytes(random, int(random.bounded(128, 256)), "\xC3\xA4\xF6\xFC\xDF\xE2\x82\xAC\x80\xFF"); break;
        case 3: m = shapes[i / 8 % shapes.size()] + randomBytes(random, int(random.bounded(0, 60)), hex); break;
        case 4: m = shapes[i / 8 % shapes.size()] + randomBytes(random, 24 - int(random.bounded(0, 3)), hex); break;
        case 5: m = "A55A" + randomBytes(random, 22, hex) + (i % 16 < 8 ? "1E" : "ZZ"); break;
        case 6: m = QByteArray(28, char(random.bounded(256))); break;
        case 7: m = shapes[i / 8 % shapes.size()] + randomBytes(random, 60000); break;
        }
        // A status reply ("9F" at characters 5 and 6) would start a table
        // read in the middle of the flood; the test sends a real one last.
        m.replace('F', 'E').replace('f', 'e');
        messages << m;
    }
    return messages;
}

// A datagram with a sync in it carries a telegram; any other is dropped.
bool carriesTelegram(const QByteArray &datagram)
{
    const QByteArray upper = datagram.toUpper();
    return upper.contains("A55A") || upper.contains("A55B");
}

// Lets the program work until `done` holds; false when it does not within
// ten seconds.
bool settle(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(10000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace

class TestFlood : public QObject, nvxtest::PerTestBench {
    Q_OBJECT

    // A learn telegram of a sensor already in the table brings the error
    // window; it is acknowledged as soon as it shows.
    QTimer *acknowledgeErrors()
    {
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && modal->objectName() == QLatin1String("frmFehler"))
                nvxtest::click(modal, QStringLiteral("frmFehlerButton"));
        });
        timer->start(5);
        return timer;
    }

    // Sends `messages` as datagrams from `from` to `port`, a few at a time so
    // that they reach the program rather than overflow its socket buffer.
    void floodUdp(const QHostAddress &from, quint16 port, const QList<QByteArray> &messages, QUdpSocket *reader)
    {
        QUdpSocket sender;
        QVERIFY(sender.bind(from, 0));
        for (qsizetype i = 0; i < messages.size(); ++i) {
            sender.writeDatagram(messages[i], QHostAddress::LocalHost, port);
            if (i % 16 == 15)
                QVERIFY(settle([reader] { return !reader->hasPendingDatagrams(); }));
        }
        QVERIFY(settle([reader] { return !reader->hasPendingDatagrams(); }));
    }

    // Connections from addresses that are not the receiver's, each sending
    // a chunk: every one is closed.
    void floodIntruders(quint16 port, const QList<QByteArray> &messages)
    {
        for (qsizetype i = 0; i < messages.size(); i += 40) {
            QTcpSocket intruder;
            QVERIFY(intruder.bind(QHostAddress(QStringLiteral("127.0.0.%1").arg(50 + i / 40 % 100)), 0));
            intruder.connectToHost(QHostAddress::LocalHost, port);
            QVERIFY(intruder.waitForConnected(5000));
            intruder.write(messages[i]);
            QVERIFY(settle([&intruder] { return intruder.state() == QAbstractSocket::UnconnectedState; }));
        }
    }

    std::map<int, SimModule *> m_modules;   // by row
    qint64 m_startKb = 0;

private Q_SLOTS:
    // Three receivers, one for each link mode, found by the program's own
    // start-up search.
    void initTestCase()
    {
        startBench();
        for (int row = 0; row < 3; ++row) {
            BoardRecord rec = nvxtest::reportingRecord("0050C2AA00F0", QStringLiteral("127.0.0.%1").arg(2 + row),
                                                       10031 + 2 * row, 10032 + 2 * row);
            rec[5] = quint8(0xF0 + row);
            rec[BoardRecord::Mode] = row == 1 ? 0 : 1;
            rec[BoardRecord::Udp] = row == 2 ? 1 : 0;
            SimModule *module = bench->sim.addModule(rec);
            module->receiver.answerStatus = false;
            m_modules[row] = module;
        }
        QVERIFY(bench->sim.start());
        for (int row : {0, 2})
            QVERIFY(m_modules[row]->startReceiver());
        QVERIFY(nvxtest::loadClosingTheSearchWindow(*config));
        QCOMPARE(config->ListBoards->topLevelItemCount(), 3);
        QCOMPARE(config->WinsockUDP->localPort(), ModuleConfigReplyPort);
        m_startKb = residentKb();
        QVERIFY(m_startKb > 0);
    }
    void cleanupTestCase() { stopBench(); }

    void floodLeavesTheProgramWorking_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("TCP, receiver as server") << 0;
        QTest::newRow("TCP, receiver as client") << 1;
        QTest::newRow("UDP") << 2;
    }
    void floodLeavesTheProgramWorking()
    {
        QFETCH(int, row);
        SimModule *module = m_modules[row];
        const bool udp = module->record.isUdp();
        const bool client = module->record.isClientMode();
        const quint16 serverPort = quint16(module->record.port(BoardRecord::ServerPort));
        const auto items = config->ListBoards->findItems(module->macText(), Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        module->clearCommands();
        config->ListBoards->setCurrentItem(items.first());
        config->ListBoards_ItemClick(items.first());
        QVERIFY(!client || module->startReceiver());
        QTRY_VERIFY(module->isConnected());
        QTRY_COMPARE(module->commands(), QStringList{cmd::statusRequest()});
        config->Timer1->stop();   // its table request would open the reading window
        QTimer *acknowledging = acknowledgeErrors();

        qint64 before = 0;
        qint64 volume = 0;
        for (int round = 0; round < Rounds; ++round) {
            const QList<QByteArray> messages = malformedMessages(1200, quint32(round + 1));
            if (round == 1)
                before = residentKb();
            for (const QByteArray &m : messages)
                volume += round > 0 ? 2 * m.size() : 0;
            // The module configuration port, from a module's address and
            // from elsewhere.
            floodUdp(QHostAddress(QStringLiteral("127.0.0.2")), ModuleConfigReplyPort, messages, config->WinsockUDP);
            floodUdp(QHostAddress(QStringLiteral("127.0.0.77")), ModuleConfigReplyPort, messages.mid(0, 300),
                     config->WinsockUDP);

            // The telegram path from the receiver itself: every message is
            // taken (a datagram as one telegram, the stream as it cuts it).
            const quint64 processed = config->telegramsProcessed();
            if (udp) {
                quint64 telegrams = 0;
                const auto allTaken = [&] { return config->telegramsProcessed() - processed == telegrams; };
                for (qsizetype i = 0; i < messages.size(); ++i) {
                    module->sendText(messages[i]);
                    telegrams += carriesTelegram(messages[i]) ? 1 : 0;
                    if (i % 16 == 15)
                        QVERIFY(settle(allTaken));
                }
                QVERIFY(settle(allTaken));
                // And from any other address.
                floodUdp(QHostAddress(QStringLiteral("127.0.0.78")), serverPort, messages.mid(0, 300), config->Winsock2UDP);
            } else {
                QTcpSocket *link = client ? config->Winsock1_1.data() : config->Winsock3;
                QVERIFY(link);
                for (const QByteArray &chunk : messages) {
                    module->sendText(chunk);
                    QCoreApplication::processEvents();
                    QVERIFY(settle([link] { return link->bytesAvailable() == 0; }));
                }
                if (client)
                    floodIntruders(serverPort, messages);
            }
            QVERIFY(module->isConnected());
            // The program works through its events and stays responsive.
            QTest::qWait(50);
        }
        delete acknowledging;
        QVERIFY(!QApplication::activeModalWidget());

        const qint64 after = residentKb();
        const QString memory = QStringLiteral("resident memory %1 kB at the start, %2 kB after the warm-up, %3 kB "
                                              "after %4 kB more came in")
                                   .arg(m_startKb).arg(before).arg(after).arg(volume / 1024);
        qInfo("%s", qPrintable(memory));
        QVERIFY(volume / 1024 > 4 * MemoryBoundKb);
        QVERIFY2(before > 0 && after - before < MemoryBoundKb, qPrintable(memory));
        QVERIFY2(after - m_startKb < MemoryBoundSinceStartKb, qPrintable(memory));

        // A normal status reply still brings the table request.
        module->clearCommands();
        const auto reading = nvxtest::closeStatusWindowAtResult(*config);
        module->sendText(module->statusReply());
        QTRY_COMPARE(module->commands(), QStringList{nvxtest::padded(cmd::readTableRequest())});
        QTRY_VERIFY_WITH_TIMEOUT(reading->closed, 30000);
    }
};

QTEST_MAIN(TestFlood)
#include "test_flood.moc"
