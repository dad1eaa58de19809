// The receiver search against simulated modules: the start-up search by
// broadcast, the search by direct IP, refused direct addresses, no answer,
// the acceptance rules of the replies, and the board list's bookkeeping.
// One main window runs through the class, as a user would use it.

#include "shell/texts.h"
#include "shell/vbcolours.h"
#include "support/fixtures.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QUdpSocket>

using namespace nvx;
using nvxsim::makeRecord;
using nvxtest::mac;

namespace {

QString macText(int last)
{
    return QStringLiteral("00:1A:2B:00:00:%1").arg(last, 2, 16, QLatin1Char('0')).toUpper();
}

QStringList rows(const Config &config)
{
    QStringList r;
    for (int i = 0; i < config.ListBoards->topLevelItemCount(); ++i)
        r << config.ListBoards->topLevelItem(i)->text(0);
    return r;
}

} // namespace

class TestSearch : public QObject {
    Q_OBJECT
    nvxtest::TestEnv m_env;
    AppState m_state;
    std::unique_ptr<Config> m_config;
    nvxsim::ReceiverSimulator m_sim;
    QUdpSocket m_probe;   // plays a module answering on its own

    void sendToProgram(const QByteArray &datagram)
    {
        QSignalSpy arrived(m_config->WinsockUDP, &QUdpSocket::readyRead);
        QCOMPARE(m_probe.writeDatagram(datagram, QHostAddress(QStringLiteral("127.0.0.1")), 5001), datagram.size());
        QVERIFY(arrived.wait(3000));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_probe.bind(QHostAddress(QStringLiteral("127.0.0.50")), 0));

        auto add = [this](int last, const QString &ip) {
            return m_sim.addModule(makeRecord(mac(last), ip, 10001, QStringLiteral("127.0.0.1"), 10002));
        };
        add(1, QStringLiteral("127.0.0.2"));                        // answers at once
        nvxsim::SimModule *twice = add(2, QStringLiteral("127.0.0.3"));
        twice->behaviour.replyDelayMs = 150;
        twice->behaviour.replyTwice = true;
        twice->behaviour.secondPath = true;
        add(3, QStringLiteral("127.0.0.4"))->behaviour.truncateReplyTo = 46;
        nvxsim::SimModule *short47 = add(4, QStringLiteral("127.0.0.5"));
        short47->behaviour.truncateReplyTo = 47;
        short47->behaviour.replyDelayMs = 300;
        short47->record[BoardRecord::Udp] = 1;
        short47->record[44] = 7;
        add(5, QStringLiteral("127.0.0.6"))->behaviour.noReply = true;
        add(6, QStringLiteral("127.0.0.7"))->behaviour.replyDelayMs = 5600;   // after the window closed
        nvxsim::SimModule *longer = add(7, QStringLiteral("127.0.0.8"));
        longer->behaviour.padReplyTo = 120;
        longer->behaviour.replyDelayMs = 450;
        QVERIFY(m_sim.start());

        m_config = std::make_unique<Config>(m_state);
    }

    void startupSearchListsTheAnsweringModules()
    {
        Config &c = *m_config;
        QStringList rowsAtResult;
        const auto seen = nvxtest::closeStatusWindowAtResult(c, [&] { rowsAtResult = rows(c); });
        c.Form_Load();
        QVERIFY(seen->closed);

        QCOMPARE(seen->waiting, QStringLiteral("Funkempfänger suchen ... "));
        QVERIFY(!seen->tabsEnabledWhileWaiting);
        QCOMPARE(seen->text, QStringLiteral("Suche abgeschlossen!"));
        QCOMPARE(seen->statusCode, int(StatusSearch));
        const QStringList expected{macText(1), macText(2), macText(4), macText(7)};
        QCOMPARE(rowsAtResult, expected);
        QCOMPARE(rows(c), expected);
        QCOMPARE(m_state.boards.keys(), expected);
        QCOMPARE(m_state.NextBoardIndex, 5);
        QCOMPARE(m_state.StatusCode, 0);

        // One search request, sent once, by broadcast from port 5001.
        const auto log = m_sim.configLog();
        QCOMPARE(log.size(), 1);
        QCOMPARE(log[0].data, QByteArray("FIND"));
        QCOMPARE(log[0].fromPort, quint16(5001));
        QCOMPARE(log[0].to, QHostAddress(QHostAddress::Broadcast));

        // A 47-byte reply lacks the last two bytes: they count as 0. A long
        // one gives its record and nothing after it.
        const BoardRecord short47 = *m_state.boards.find(macText(4));
        QCOMPARE(int(short47[BoardRecord::Udp]), 0);
        QCOMPARE(int(short47[44]), 0);
        QCOMPARE(short47.dotted(BoardRecord::Ip), QStringLiteral("127.0.0.5"));
        QCOMPARE(*m_state.boards.find(macText(7)), m_sim.module(macText(7))->record);

        // The first row is selected and the fields are open for it.
        QCOMPARE(c.ListBoards->currentItem(), c.ListBoards->topLevelItem(0));
        for (QWidget *w : std::initializer_list<QWidget *>{c.txtIP, c.txtSubnet, c.txtGW, c.txtServerIP, c.txtPort,
                                                           c.txtServerPort, c.Beschreibung, c.chkDHCP, c.chkClientMode,
                                                           c.chkServerMode, c.chkTCPIP, c.chkUDPMode, c.Setting})
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        QCOMPARE(foreColour(c.txtIP), ColourBlack);
        QVERIFY(c.isVisible());
        QVERIFY(c.SSTab1->isEnabled());

        // The late module answers after the window closed: not taken.
        QSignalSpy late(c.WinsockUDP, &QUdpSocket::readyRead);
        QVERIFY(late.wait(3000));
        QCOMPARE(rows(c), expected);
        QCOMPARE(m_state.NextBoardIndex, 5);
    }

    void directSearchAsksOneModuleOnly()
    {
        Config &c = *m_config;
        m_sim.clearConfigLog();
        c.chkDirect->setChecked(true);
        c.txtDirectIP->setEnabled(true);
        c.txtDirectIP->setText(QStringLiteral("127.0.0.3"));
        c.Optionallintervall->setChecked(true);
        const auto seen = nvxtest::closeStatusWindowAtResult(c);
        QVERIFY(nvxtest::click(&c, QStringLiteral("Search")));
        QVERIFY(seen->closed);

        QVERIFY(c.Option1Intervall->isChecked());
        // It answers twice and over a second path: one row.
        QCOMPARE(rows(c), QStringList{macText(2)});
        QCOMPARE(seen->text, QStringLiteral("Suche abgeschlossen!"));
        const auto log = m_sim.configLog();
        QCOMPARE(log.size(), 1);
        QCOMPARE(log[0].data, QByteArray("FIND"));
        QCOMPARE(log[0].to, QHostAddress(QStringLiteral("127.0.0.3")));
    }

    void refusedDirectAddress_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("three parts") << QStringLiteral("192.168.1");
        QTest::newRow("empty part") << QStringLiteral("192.168..1");
        QTest::newRow("above 255") << QStringLiteral("192.168.1.256");
        QTest::newRow("letters") << QStringLiteral("127.0.0.x");
        QTest::newRow("empty") << QString();
    }

    void refusedDirectAddress()
    {
        QFETCH(QString, address);
        Config &c = *m_config;
        m_sim.clearConfigLog();
        c.chkDirect->setChecked(true);
        c.txtDirectIP->setText(address);
        const auto seen = nvxtest::answerError();
        QVERIFY(nvxtest::click(&c, QStringLiteral("Search")));
        QVERIFY(seen->shown);
        QCOMPARE((QStringList{seen->firstLine, seen->secondLine}), (QStringList{QStringLiteral("Falsche NVX IP Adresse!"), QStringLiteral("Format z.B.: 10.0.20.4")}));
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(c.focusWidget(), c.txtDirectIP);
        QVERIFY(rows(c).isEmpty());
        QCOMPARE(m_state.NextBoardIndex, 1);
        QVERIFY(!c.txtIP->isEnabled());
        QVERIFY(!c.Setting->isEnabled());
        QCOMPARE(m_sim.findCount(), 0);
        // Nothing was asked, so a reply coming now must not fill the list.
        QCOMPARE(m_state.StatusCode, 0);
        sendToProgram("IMIN" + makeRecord(mac(9), QStringLiteral("127.0.0.50"), 1, QStringLiteral("127.0.0.1"), 2).toBytes());
        QVERIFY(rows(c).isEmpty());
    }

    void noAnswerLeavesTheFieldsClosed()
    {
        Config &c = *m_config;
        c.chkDirect->setChecked(true);
        c.txtDirectIP->setText(QStringLiteral("127.0.0.99"));   // nobody there
        c.MonitorStart->setEnabled(true);
        const auto seen = nvxtest::closeStatusWindowAtResult(c);
        QVERIFY(nvxtest::click(&c, QStringLiteral("Search")));
        QVERIFY(seen->closed);
        QCOMPARE(seen->text, QStringLiteral("Kein Funkempfänger gefunden!"));
        QVERIFY(rows(c).isEmpty());
        QVERIFY(!c.txtIP->isEnabled());
        QVERIFY(!c.Setting->isEnabled());
        QVERIFY(!c.MonitorStart->isEnabled());
        QVERIFY(c.Search->isEnabled());
        c.chkDirect->setChecked(false);
    }

    void searchWhileLoggingIsRefused()
    {
        Config &c = *m_config;
        m_sim.clearConfigLog();
        c.Optionallintervall->setChecked(true);
        m_state.LoggingActive = true;
        const auto seen = nvxtest::answerError();
        QVERIFY(nvxtest::click(&c, QStringLiteral("Search")));
        QVERIFY(seen->shown);
        m_state.LoggingActive = false;
        QCOMPARE(seen->firstLine, QStringLiteral("Während des Loggens ist eine Änderung nicht möglich! Stoppen Sie vorher das Loggen!"));
        QVERIFY(!seen->secondVisible);
        QVERIFY(c.Option1Intervall->isChecked());
        QCOMPARE(m_sim.configLog().size(), 0);
    }

    void repliesAreTakenByLengthCodeAndState()
    {
        Config &c = *m_config;
        c.BoardRemove();
        const auto rec = [](int last) {
            BoardRecord r = makeRecord(mac(last), QStringLiteral("127.0.0.50"), 10001, QStringLiteral("127.0.0.1"), 10002);
            r[BoardRecord::Udp] = 1;
            r[BoardRecord::Dhcp] = 1;
            return r;
        };
        m_state.StatusCode = StatusSearch;
        sendToProgram(QByteArray("IMIN" + rec(0x11).toBytes()).left(46));
        sendToProgram(QByteArray("IMIN" + rec(0x12).toBytes()).left(47));
        sendToProgram("IMIN" + rec(0x13).toBytes() + QByteArray(60, '\x55'));
        sendToProgram("SETC" + rec(0x14).toBytes());
        sendToProgram("imin" + rec(0x15).toBytes());
        sendToProgram(QByteArray());
        sendToProgram("IMIN");
        QCOMPARE(rows(c), (QStringList{macText(0x12), macText(0x13)}));
        QCOMPARE(m_state.NextBoardIndex, 3);
        BoardRecord cut = rec(0x12);
        cut[43] = 0;
        cut[44] = 0;
        QCOMPARE(*m_state.boards.find(macText(0x12)), cut);
        QCOMPARE(*m_state.boards.find(macText(0x13)), rec(0x13));

        m_state.StatusCode = StatusIdle;
        sendToProgram("IMIN" + rec(0x16).toBytes());
        QCOMPARE(rows(c).size(), 2);

        // A settings confirmation: what was sent is stored, and the item
        // moves to the end.
        m_state.StatusCode = StatusUpdate;
        m_state.SelectedBoardKey = macText(0x12);
        m_state.CurrentBoard = rec(0x12);
        m_state.CurrentBoard[BoardRecord::Ip + 3] = 77;
        sendToProgram("SETC" + rec(0x13).toBytes());   // another module's
        QCOMPARE(m_state.StatusCode, int(StatusUpdate));
        sendToProgram("IMIN" + rec(0x17).toBytes());   // wrong state for IMIN
        QCOMPARE(rows(c).size(), 2);
        sendToProgram("SETC" + rec(0x12).toBytes());
        QCOMPARE(m_state.StatusCode, int(StatusUpdateDone));
        QCOMPARE(m_state.boards.keys(), (QStringList{macText(0x13), macText(0x12)}));
        QCOMPARE(m_state.boards.find(macText(0x12))->dotted(BoardRecord::Ip), QStringLiteral("127.0.0.77"));
        // The list itself keeps its order.
        QCOMPARE(rows(c), (QStringList{macText(0x12), macText(0x13)}));

        // A confirmation for a key that is not listed changes nothing.
        m_state.StatusCode = StatusUpdate;
        m_state.SelectedBoardKey = macText(0x20);
        m_state.CurrentBoard = rec(0x20);
        sendToProgram("SETC" + rec(0x20).toBytes());
        QCOMPARE(m_state.StatusCode, int(StatusUpdate));
        m_state.StatusCode = StatusIdle;
    }

    void boardRemoveEmptiesTheListButKeepsTheSelection()
    {
        Config &c = *m_config;
        m_state.StatusCode = StatusSearch;
        sendToProgram("IMIN" + makeRecord(mac(0x30), QStringLiteral("127.0.0.50"), 1, QStringLiteral("127.0.0.1"), 2).toBytes());
        m_state.StatusCode = StatusIdle;
        QVERIFY(!rows(c).isEmpty());
        m_state.BoardSelected = true;
        const BoardRecord current = makeRecord(mac(0x31), QStringLiteral("127.0.0.9"), 5, QStringLiteral("127.0.0.1"), 6);
        m_state.CurrentBoard = current;
        c.BoardRemove();
        QVERIFY(rows(c).isEmpty());
        QCOMPARE(m_state.boards.size(), 0);
        QCOMPARE(m_state.NextBoardIndex, 1);
        QCOMPARE(m_state.BoardSelected, false);
        QCOMPARE(m_state.CurrentBoard, current);
    }

    // A second copy of the program finds port 5001 taken by this one: it
    // says so instead of searching; once the port is free its search works.
    void secondCopyIsToldThePortIsTaken()
    {
        nvxtest::Bench second;
        const int findsBefore = m_sim.findCount();
        QString told;
        auto answered = nvxtest::onNextModal(
            [&](QWidget *w) {
                told = qobject_cast<QMessageBox *>(w)->text();
                qobject_cast<QMessageBox *>(w)->accept();
            },
            QStringLiteral("PortInUse"), 10000);
        second.config->Form_Load();
        QVERIFY(*answered);
        QVERIFY(told.contains(QLatin1String("5001")));
        QCOMPARE(told, portInUseText(5001, false));
        QCOMPARE(m_sim.findCount(), findsBefore);
        QCOMPARE(second.state.StatusCode, int(StatusIdle));
        QCOMPARE(second.config->ListBoards->topLevelItemCount(), 0);

        m_config->WinsockUDP->close();
        auto result = nvxtest::closeStatusWindowAtResult(*second.config);
        QVERIFY(nvxtest::click(second.config.get(), QStringLiteral("Search")));
        QVERIFY(result->closed);
        QCOMPARE(m_sim.findCount(), findsBefore + 1);
        QVERIFY(rows(*second.config).contains(macText(1)));
    }

    void cleanupTestCase()
    {
        m_config.reset();
    }
};

QTEST_MAIN(TestSearch)
#include "test_search.moc"
