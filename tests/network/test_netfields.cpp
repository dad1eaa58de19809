// The network settings fields: what the keys do, the checks on leaving a
// field, and the red marking against the receiver as loaded.

#include "netfields_fixture.h"
#include "shell/vbcolours.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTextCursor>

using namespace nvx;
using namespace nvxtest;

class TestNetFields : public QObject {
    Q_OBJECT

    std::unique_ptr<Bench> m_bench;

    Config &c() { return *m_bench->config; }
    AppState &s() { return m_bench->state; }

    // Leaves `from` for `to` as the Tab key would.
    void leave(QWidget *from, QWidget *to)
    {
        from->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(from->hasFocus());
        to->setFocus(Qt::TabFocusReason);
    }

private Q_SLOTS:
    void init()
    {
        m_bench = std::make_unique<Bench>(Bench::NoTexts);
        c().show();
        c().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&c()));
        loadReceiver(c(), sampleRecord());
    }

    void cleanup() { m_bench.reset(); }

    // Address fields keep digits, dots and Backspace; every key marks red.
    void addressKeys()
    {
        QLineEdit *ip = c().txtIP;
        ip->setFocus();
        ip->end(false);
        QTest::keyClick(ip, Qt::Key_A);
        QCOMPARE(ip->text(), QStringLiteral("10.0.20.4"));
        QCOMPARE(foreColour(ip), ColourRed);

        setForeColour(ip, ColourBlack);
        QTest::keyClick(ip, Qt::Key_Backspace);
        QCOMPARE(ip->text(), QStringLiteral("10.0.20."));
        QCOMPARE(foreColour(ip), ColourRed);
        QTest::keyClicks(ip, QStringLiteral("7x,"));
        QCOMPARE(ip->text(), QStringLiteral("10.0.20.7"));
        // A blank and a minus are no address characters either.
        QTest::keyClicks(ip, QStringLiteral(" -"));
        QCOMPARE(ip->text(), QStringLiteral("10.0.20.7"));

        QLineEdit *direct = c().txtDirectIP;
        direct->setEnabled(true);
        direct->setText(QString());
        direct->setFocus();
        QTest::keyClicks(direct, QStringLiteral("127.q0.0.1"));
        QCOMPARE(direct->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(foreColour(direct), ColourRed);
    }

    // Port fields keep digits only; the version takes no key at all; the
    // description takes everything but Enter, up to 150 characters.
    void otherKeys()
    {
        QLineEdit *port = c().txtPort;
        port->setFocus();
        port->end(false);
        QTest::keyClicks(port, QStringLiteral(".1a"));
        QCOMPARE(port->text(), QStringLiteral("50001"));
        QCOMPARE(foreColour(port), ColourRed);

        QLineEdit *version = c().txtVersion;
        version->setText(QStringLiteral("2.10"));
        version->setFocus();
        QTest::keyClicks(version, QStringLiteral("3."));
        QTest::keyClick(version, Qt::Key_Backspace);
        QTest::keyClick(version, Qt::Key_Delete);
        QTest::keyClick(version, Qt::Key_Home);
        QTest::keyClick(version, Qt::Key_Delete);
        QCOMPARE(version->text(), QStringLiteral("2.10"));
        QCOMPARE(foreColour(version), ColourBlack);

        QPlainTextEdit *desc = c().Beschreibung;
        desc->setFocus();
        QTest::keyClicks(desc, QStringLiteral("Halle 3"));
        QTest::keyClick(desc, Qt::Key_Return);
        QTest::keyClick(desc, Qt::Key_Enter);
        QTest::keyClicks(desc, QStringLiteral(" Nord"));
        QCOMPARE(desc->toPlainText(), QStringLiteral("Halle 3 Nord"));
        QTest::keyClicks(desc, QString(200, QLatin1Char('x')));
        QCOMPARE(desc->toPlainText().size(), 150);
        QTest::keyClick(desc, Qt::Key_Backspace);
        QCOMPARE(desc->toPlainText().size(), 149);

        // Pasted text cannot bring a line break or more than fits.
        desc->clear();
        QApplication::clipboard()->setText(QStringLiteral("Zeile 1\nZeile 2\r\n") + QString(200, QLatin1Char('y')));
        desc->paste();
        const QString pasted = desc->toPlainText();
        QVERIFY(!pasted.contains(QLatin1Char('\n')) && !pasted.contains(QChar::ParagraphSeparator));
        QCOMPARE(pasted.size(), 150);
        QVERIFY(pasted.startsWith(QStringLiteral("Zeile 1 Zeile 2")));

        // Tab leaves the field as in a one-line field, and types nothing.
        QTest::keyClick(desc, Qt::Key_Tab);
        QVERIFY(!desc->hasFocus());
        QVERIFY(!desc->toPlainText().contains(QLatin1Char('\t')));
    }

    // Into a nearly full description (145 characters): the text there stays
    // whole, the paste takes the room left, wherever it goes in.
    void pasteIntoAFullDescription_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");   // the selection the paste replaces
        QTest::addColumn<QString>("after");
        const QString a(10, QLatin1Char('a'));
        const QString b(135, QLatin1Char('b'));
        QTest::newRow("in the middle") << 10 << 10 << a + QStringLiteral("01234") + b;
        QTest::newRow("at the start") << 0 << 0 << QStringLiteral("01234") + a + b;
        QTest::newRow("over a selection at the start") << 0 << 2 << QStringLiteral("0123456") + a.mid(2) + b;
    }
    void pasteIntoAFullDescription()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, after);
        QPlainTextEdit *desc = c().Beschreibung;
        desc->setFocus();
        desc->setPlainText(QString(10, QLatin1Char('a')) + QString(135, QLatin1Char('b')));
        QTextCursor at = desc->textCursor();
        at.setPosition(from);
        at.setPosition(to, QTextCursor::KeepAnchor);
        desc->setTextCursor(at);
        QApplication::clipboard()->setText(QStringLiteral("0123456789"));
        QTest::keyClick(desc, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(desc->toPlainText(), after);
        QCOMPARE(desc->textCursor().position(), from + 150 - 145 + (to - from));
    }

    void descriptionSavedOnLeaving()
    {
        QVERIFY(QDir(m_bench->env.path()).mkpath(QStringLiteral("DAT")));
        s().SelectedMAC = QStringLiteral("001A2B030C10");
        const QString path = m_bench->env.programPath() + QStringLiteral("DAT/MAC_001A2B030C10.dat");
        QPlainTextEdit *desc = c().Beschreibung;
        desc->setFocus();
        QTRY_VERIFY(desc->hasFocus());
        QTest::keyClicks(desc, QStringLiteral("Halle 3"));
        QVERIFY(!QFile::exists(path));
        c().txtIP->setFocus(Qt::TabFocusReason);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readLine().trimmed(), QByteArray("Halle 3"));
    }

    void gatewayWithThreePartsRefusedOnLeaving()
    {
        c().txtGW->setText(QStringLiteral("10.0.20"));
        const auto seen = answerError();
        leave(c().txtGW, c().txtPort);
        QTRY_VERIFY(seen->shown);
        QCOMPARE(seen->firstLine, errorText(7));
        QTRY_COMPARE(c().focusWidget(), c().txtGW);
        QCOMPARE(c().txtGW->text(), QStringLiteral("10.0.20"));
        QCOMPARE(s().CurrentBoard.dotted(BoardRecord::Gateway), QStringLiteral("10.0.20.1"));
    }

    void subnetStoredPartByPart()
    {
        c().txtSubnet->setText(QStringLiteral("255.255.300.0"));
        s().CurrentBoard[11] = 1;
        s().CurrentBoard[12] = 2;
        const auto seen = answerError();
        leave(c().txtSubnet, c().txtGW);
        QTRY_VERIFY(seen->shown);
        QCOMPARE(seen->firstLine, errorText(6));
        QCOMPARE(int(s().CurrentBoard[11]), 255);
        QCOMPARE(int(s().CurrentBoard[12]), 255);
        QCOMPARE(int(s().CurrentBoard[13]), 255);   // as loaded: the wrong part stores nothing
        QCOMPARE(int(s().CurrentBoard[14]), 0);
        QTRY_COMPARE(c().focusWidget(), c().txtSubnet);
    }

    void serverIpRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty part") << QStringLiteral("10..20.9");
        QTest::newRow("part above 255") << QStringLiteral("10.0.256.9");
        QTest::newRow("three parts") << QStringLiteral("10.0.20");
        QTest::newRow("five parts") << QStringLiteral("10.0.20.9.1");
        QTest::newRow("many digits") << QStringLiteral("0.0.0.999999999");
        QTest::newRow("dots only") << QStringLiteral("...");
    }

    void serverIpRefused()
    {
        QFETCH(QString, text);
        c().txtServerIP->setText(text);
        const auto seen = answerError();
        c().txtServerIP_LostFocus();
        QVERIFY(seen->shown);
        QCOMPARE(seen->firstLine, errorText(5));
        QCOMPARE(c().txtServerIP->text(), text);
    }

    void ipFieldLeft()
    {
        QLineEdit *ip = c().txtIP;
        // An edit is stored at once and stays red.
        ip->setText(QStringLiteral("10.0.20.77"));
        setForeColour(ip, ColourRed);
        leave(ip, c().txtSubnet);
        QCOMPARE(s().CurrentBoard.dotted(BoardRecord::Ip), QStringLiteral("10.0.20.77"));
        QCOMPARE(foreColour(ip), ColourRed);

        // Emptied: the loaded address is back, black, and in the record again.
        ip->clear();
        leave(ip, c().txtSubnet);
        QCOMPARE(ip->text(), QStringLiteral("10.0.20.4"));
        QCOMPARE(foreColour(ip), ColourBlack);
        QCOMPARE(s().CurrentBoard.dotted(BoardRecord::Ip), QStringLiteral("10.0.20.4"));

        // Typed back to the loaded value: black.
        ip->setText(QStringLiteral("10.0.20.4"));
        setForeColour(ip, ColourRed);
        leave(ip, c().txtSubnet);
        QCOMPARE(foreColour(ip), ColourBlack);
    }

    void portFieldsLeft()
    {
        QLineEdit *port = c().txtPort;
        port->setFocus();
        port->selectAll();
        QTest::keyClicks(port, QStringLiteral("5001"));
        QCOMPARE(foreColour(port), ColourRed);
        leave(port, c().txtServerIP);
        QCOMPARE(foreColour(port), ColourRed);

        port->setFocus();
        port->selectAll();
        QTest::keyClicks(port, QStringLiteral("5000"));
        leave(port, c().txtServerIP);
        QCOMPARE(foreColour(port), ColourBlack);

        QLineEdit *serverPort = c().txtServerPort;
        serverPort->setFocus();
        serverPort->selectAll();
        QTest::keyClick(serverPort, Qt::Key_Backspace);
        QCOMPARE(foreColour(serverPort), ColourRed);
        leave(serverPort, c().txtIP);
        QCOMPARE(serverPort->text(), QStringLiteral("5000"));
        QCOMPARE(foreColour(serverPort), ColourBlack);
    }

    // Another window taking the focus does not count as leaving the field.
    void otherWindowDoesNotLeave()
    {
        c().txtGW->setText(QStringLiteral("1.2.3"));
        c().txtGW->setFocus();
        QTRY_VERIFY(c().txtGW->hasFocus());
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(s().CurrentBoard.dotted(BoardRecord::Gateway), QStringLiteral("10.0.20.1"));
    }

    void protocolOptions()
    {
        // Loaded as TCP.
        c().chkUDPMode->click();
        QCOMPARE(foreColour(c().chkUDPMode), ColourRed);
        QCOMPARE(foreColour(c().chkTCPIP), ColourBlack);
        c().chkTCPIP->click();
        QCOMPARE(foreColour(c().chkUDPMode), ColourBlack);
        QCOMPARE(foreColour(c().chkTCPIP), ColourBlack);

        // Loaded as server.
        c().chkClientMode->click();
        QCOMPARE(foreColour(c().chkClientMode), ColourRed);
        c().chkServerMode->click();
        QCOMPARE(foreColour(c().chkClientMode), ColourBlack);
        QCOMPARE(foreColour(c().chkServerMode), ColourBlack);

        c().chkDHCP->click();
        QCOMPARE(foreColour(c().chkDHCP), ColourRed);
        c().chkDHCP->click();
        QCOMPARE(foreColour(c().chkDHCP), ColourBlack);
    }

    // A selection stores the loaded value before it sets the option, so the
    // option handlers leave the new receiver's options black.
    void selectionSetsOptionsBlack()
    {
        // A receiver loaded as UDP client after one loaded as TCP server.
        BoardRecord udpClient = sampleRecord();
        udpClient[BoardRecord::Udp] = 1;
        udpClient[BoardRecord::Mode] = 0;
        loadReceiver(c(), udpClient);
        QVERIFY(c().chkUDPMode->isChecked() && c().chkClientMode->isChecked());
        QCOMPARE(foreColour(c().chkUDPMode), ColourBlack);
        QCOMPARE(foreColour(c().chkTCPIP), ColourBlack);
        QCOMPARE(foreColour(c().chkClientMode), ColourBlack);
        QCOMPARE(foreColour(c().chkServerMode), ColourBlack);
        // Now choosing TCP or server mode is the edit.
        c().chkTCPIP->click();
        QCOMPARE(foreColour(c().chkTCPIP), ColourRed);
        c().chkServerMode->click();
        QCOMPARE(foreColour(c().chkServerMode), ColourRed);
    }

    void directAddressBox()
    {
        QLineEdit *direct = c().txtDirectIP;
        c().chkDirect->click();
        QVERIFY(direct->isEnabled());
        QCOMPARE(backColour(direct), SysColourWindow);
        direct->setText(QStringLiteral("127.0.0.5"));
        c().chkDirect->click();
        QVERIFY(!direct->isEnabled());
        QCOMPARE(direct->text(), QStringLiteral("  "));
        QCOMPARE(backColour(direct), SysColourButtonFace);
        c().chkDirect->click();
        QVERIFY(direct->isEnabled());
        QCOMPARE(direct->text(), QStringLiteral("  "));
    }
};

QTEST_MAIN(TestNetFields)
#include "test_netfields.moc"
