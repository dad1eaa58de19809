// Selecting a receiver of the board list.

#include "sensors/descriptionfile.h"
#include "shell/vbcolours.h"
#include "support/fixtures.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTcpServer>
#include <QToolButton>
#include <QUdpSocket>
#include <sys/stat.h>

using namespace nvx;

class TestSelection : public QObject, nvxtest::PerTestBench {
    Q_OBJECT

    // A receiver that reports to another PC unless `serverIp` says otherwise.
    static BoardRecord record(int last, const QString &serverIp = QStringLiteral("192.0.2.10"))
    {
        QByteArray mac = QByteArray::fromHex("001A2B030C00");
        mac[5] = char(last);
        return nvxsim::makeRecord(mac, QStringLiteral("127.0.0.%1").arg(last), 10001, serverIp, 10002);
    }

    QTreeWidgetItem *list(const BoardRecord &rec) { return bench->list(rec); }

    QString datPath(const QString &mac) const { return bench->env.programPath() + QStringLiteral("DAT/MAC_") + mac + ".dat"; }

private Q_SLOTS:
    void init() { startBench(); }
    void cleanup() { stopBench(); }

    // A row reached with the arrow keys is selected as a click selects it:
    // the fields always show the highlighted receiver.
    void arrowKeysSelectTheRow()
    {
        QTreeWidgetItem *first = list(record(4));
        QTreeWidgetItem *second = list(record(5));
        config->show();
        QTest::mouseClick(config->ListBoards->viewport(), Qt::LeftButton, {},
                          config->ListBoards->visualItemRect(first).center());
        QCOMPARE(config->txtIP->text(), QStringLiteral("127.0.0.4"));
        QTest::keyClick(config->ListBoards, Qt::Key_Down);
        QCOMPARE(config->ListBoards->currentItem(), second);
        QCOMPARE(config->txtIP->text(), QStringLiteral("127.0.0.5"));
        QCOMPARE(state->SelectedBoardKey, second->text(0));
        QCOMPARE(state->SelectedBoardIndex, 2);
        QTest::keyClick(config->ListBoards, Qt::Key_Up);
        QCOMPARE(config->txtIP->text(), QStringLiteral("127.0.0.4"));
        QCOMPARE(state->SelectedBoardKey, first->text(0));
        // A key that moves nothing selects nothing again.
        config->txtIP->setText(QStringLiteral("127.0.0.44"));
        QTest::keyClick(config->ListBoards, Qt::Key_Up);
        QCOMPARE(config->txtIP->text(), QStringLiteral("127.0.0.44"));
    }

    void fieldsAndLoadedValues()
    {
        BoardRecord rec = record(5);
        rec[BoardRecord::Port] = 0xFF;
        rec[BoardRecord::Port + 1] = 0xFF;
        rec[BoardRecord::ServerPort] = 0x80;
        rec[BoardRecord::ServerPort + 1] = 0x00;
        rec[BoardRecord::Mode] = 1;    // anything but 0 is server mode
        rec[BoardRecord::Dhcp] = 2;    // only 1 is on
        rec[BoardRecord::Udp] = 2;     // only 1 is UDP
        rec[BoardRecord::Gateway + 0] = 10;
        rec[BoardRecord::Gateway + 3] = 1;
        list(record(4));
        QTreeWidgetItem *item = list(rec);
        config->chkDHCP->setChecked(true);
        config->chkClientMode->setChecked(true);
        config->chkUDPMode->setChecked(true);
        setForeColour(config->txtIP, ColourRed);
        setForeColour(config->chkTCPIP, ColourRed);

        config->ListBoards_ItemClick(item);

        QCOMPARE(config->txtVersion->text(), QStringLiteral("2.10"));
        // Each field and its loaded value.
        for (const auto &[field, loaded, text] :
             {std::tuple{config->txtIP, &state->LoadedIP, "127.0.0.5"}, {config->txtSubnet, &state->LoadedSubnet, "255.255.255.0"},
              {config->txtGW, &state->LoadedGateway, "10.0.0.1"}, {config->txtPort, &state->LoadedPort, "65535"},
              {config->txtServerPort, &state->LoadedServerPort, "32768"},
              {config->txtServerIP, &state->LoadedServerIP, "192.0.2.10"}}) {
            QCOMPARE(field->text(), QLatin1String(text));
            QCOMPARE(*loaded, QLatin1String(text));
        }
        QVERIFY(config->chkServerMode->isChecked());
        QVERIFY(!config->chkDHCP->isChecked());
        QVERIFY(config->chkTCPIP->isChecked());
        QCOMPARE(state->LoadedDHCP, 0);
        QVERIFY(!state->LoadedUDP);
        QVERIFY(!state->LoadedClientMode);
        QCOMPARE(foreColour(config->txtIP), ColourBlack);
        QCOMPARE(foreColour(config->chkTCPIP), ColourBlack);

        QCOMPARE(state->SelectedMAC, QStringLiteral("001A2B030C05"));
        QCOMPARE(state->SelectedBoardKey, QStringLiteral("00:1A:2B:03:0C:05"));
        QVERIFY(state->BoardSelected);
        QVERIFY(state->CurrentBoard == rec);
        QCOMPARE(state->SelectedBoardIndex, 2);
        QCOMPARE(state->BoardDescriptions.size(), 4); // entries 0 to NextBoardIndex
    }

    void serverIpNotLocalOpensNothing()
    {
        nvxsim::SimModule *m = bench->sim.addModule(record(5));
        QVERIFY(m->startReceiver());
        state->TableLoadedFromFile = true;
        config->Adressenubertragen->setEnabled(true);
        config->SystemID[3]->setText(QStringLiteral("000FA850"));
        config->Orgnr[3]->setText(QStringLiteral("07"));
        config->Loeschen[3]->setEnabled(true);
        setBackColour(config->SystemID[3], SysColourButtonFace);

        config->ListBoards_ItemClick(list(record(5)));

        QTest::qWait(200); // nothing may arrive; give it the chance
        QCOMPARE(config->Winsock3->state(), QAbstractSocket::UnconnectedState);
        QVERIFY(!config->Winsock1_0->isListening());
        QCOMPARE(config->Winsock2UDP->state(), QAbstractSocket::UnconnectedState);
        QVERIFY(!m->isConnected());
        QVERIFY(m->commands().isEmpty());
        QVERIFY(!config->Timer1->isActive());
        // The table stays cleared.
        QCOMPARE(nvxtest::tableText(*config), nvxtest::channelRows(QStringLiteral(" | "), QStringLiteral("   |    | Frei")));
        QCOMPARE(backColour(config->SystemID[3]), SysColourWindow);
        QCOMPARE(backColour(config->Orgnr[3]), SysColourWindow);
        QVERIFY(!config->Loeschen[3]->isEnabled());
        QVERIFY(!config->Lernmodusbutton[3]->isEnabled());
        QVERIFY(!config->info[3]->isEnabled());
        QVERIFY(!state->TableLoadedFromFile);
        QVERIFY(!config->Adressenubertragen->isEnabled());
    }

    void reselectionClosesTheOldLink()
    {
        BoardRecord udp = record(7, QStringLiteral("127.0.0.1"));
        udp[BoardRecord::Udp] = 1;
        QVERIFY(bench->link(udp));
        QVERIFY(config->Option1Intervall->isChecked());

        BoardRecord client = record(8, QStringLiteral("127.0.0.1"));
        client[BoardRecord::Mode] = 0;
        config->ListBoards_ItemClick(list(client));
        QCOMPARE(config->Winsock2UDP->state(), QAbstractSocket::UnconnectedState);
        QVERIFY(config->Winsock1_0->isListening());
        QVERIFY(!config->Timer1->isActive()); // waits for the receiver to connect

        // A receiver that reports elsewhere leaves the link as it is.
        config->ListBoards_ItemClick(list(record(9)));
        QVERIFY(config->Winsock1_0->isListening());
    }

    void descriptionsFollowTheReceiver()
    {
        QVERIFY(QDir(bench->env.path()).mkdir(QStringLiteral("DAT")));
        QTreeWidgetItem *a = list(record(1));
        QTreeWidgetItem *b = list(record(2));
        QTreeWidgetItem *c = list(record(3));
        {
            QFile f(datPath(QStringLiteral("001A2B030C02")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Lager B\r\nb0;b1;b2;");
        }
        config->ListBoards_ItemClick(a);
        QCOMPARE(config->Beschreibung->toPlainText(), QString());
        config->Beschreibung->setPlainText(QStringLiteral("Halle A"));
        state->ChannelDescriptions[0] = QStringLiteral("Tor");
        state->ChannelDescriptions[29] = QStringLiteral("Dach");

        config->ListBoards_ItemClick(b);
        QCOMPARE(nvxtest::fileBytes(datPath(QStringLiteral("001A2B030C01"))),
                 QByteArray("Halle A\r\nTor;") + QByteArray(28, ';') + "Dach;");
        QCOMPARE(config->Beschreibung->toPlainText(), QStringLiteral("Lager B"));
        QCOMPARE(state->BoardDescriptions.value(2), QStringLiteral("Lager B"));
        QCOMPARE(state->ChannelDescriptions[0], QStringLiteral("b0"));
        QCOMPARE(state->ChannelDescriptions[2], QStringLiteral("b2"));
        QCOMPARE(state->ChannelDescriptions[29], QString()); // B's line is short: not A's "Dach"

        // C has no file: nothing of B's remains to be saved under C's name.
        config->ListBoards_ItemClick(c);
        QCOMPARE(config->Beschreibung->toPlainText(), QString());
        QCOMPARE(state->ChannelDescriptions[0], QString());
        config->ListBoards_ItemClick(a);
        QCOMPARE(nvxtest::fileBytes(datPath(QStringLiteral("001A2B030C03"))), QByteArray("\r\n") + QByteArray(30, ';'));
        QCOMPARE(config->Beschreibung->toPlainText(), QStringLiteral("Halle A"));
        QCOMPARE(state->ChannelDescriptions[29], QStringLiteral("Dach"));
    }

    // A description file larger than any the program writes is not its own
    // (and would freeze the window): it counts as missing.
    void oversizedDescriptionFile_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("read");
        QTest::newRow("at the limit") << DescriptionFileMaxBytes << true;
        QTest::newRow("one byte more") << DescriptionFileMaxBytes + 1 << false;
    }
    void oversizedDescriptionFile()
    {
        QFETCH(qint64, size);
        QFETCH(bool, read);
        QVERIFY(QDir(bench->env.path()).mkdir(QStringLiteral("DAT")));
        const QByteArray second = "c0;";
        QFile f(datPath(QStringLiteral("001A2B030C04")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(size - 2 - second.size(), 'x') + "\r\n" + second);
        f.close();
        QCOMPARE(f.size(), size);
        config->Beschreibung->setPlainText(QStringLiteral("vorher"));
        config->ListBoards_ItemClick(list(record(4)));
        QCOMPARE(state->ChannelDescriptions[0], read ? QStringLiteral("c0") : QString());
        QCOMPARE(config->Beschreibung->toPlainText().size(), read ? size - 5 : 0);
    }

    // A description file that is a FIFO is neither read nor written over:
    // either would wait for its other end without end. Not saving the
    // descriptions there is told.
    void fifoDescriptionFile()
    {
        QVERIFY(QDir(bench->env.path()).mkdir(QStringLiteral("DAT")));
        const QString fifo = datPath(QStringLiteral("001A2B030C04"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        config->ListBoards_ItemClick(list(record(4)));
        config->Beschreibung->setPlainText(QStringLiteral("Halle"));
        nvxtest::NotSavedMessages told;
        config->ListBoards_ItemClick(list(record(2)));
        QVERIFY(told.texts.size() == 1 && told.texts.constFirst().contains(fifo));
        QCOMPARE(state->SelectedMAC, QStringLiteral("001A2B030C02"));
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    }

    void noDatFolderNoFile()
    {
        config->ListBoards_ItemClick(list(record(1)));
        config->Beschreibung->setPlainText(QStringLiteral("X"));
        config->ListBoards_ItemClick(list(record(2)));
        QVERIFY(!QDir(bench->env.programPath() + QStringLiteral("DAT")).exists());
        QVERIFY(state->BoardSelected);
    }

    void refusedWhileLogging()
    {
        config->ListBoards_ItemClick(list(record(1)));
        state->LoggingActive = true;
        const auto seen = nvxtest::answerError();
        config->ListBoards_ItemClick(list(record(2)));
        QVERIFY(seen->shown);
        // Nothing of the refused selection happened.
        QCOMPARE(state->SelectedMAC, QStringLiteral("001A2B030C01"));
        QCOMPARE(config->txtIP->text(), QStringLiteral("127.0.0.1"));
    }

    void rowWithoutRecordIsAnError()
    {
        config->ListBoards_ItemClick(list(record(1)));
        auto *stray = new QTreeWidgetItem(config->ListBoards, QStringList{QStringLiteral("00:00:00:00:00:99")});
        const auto seen = nvxtest::answerError();
        config->ListBoards_ItemClick(stray);
        QVERIFY(seen->shown);
        QCOMPARE(state->SelectedBoardKey, QStringLiteral("00:1A:2B:03:0C:01"));
        QCOMPARE(config->txtIP->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(state->SelectedMAC, QStringLiteral("000000000099"));
        config->ListBoards_ItemClick(nullptr); // nothing happens
    }
};

QTEST_MAIN(TestSelection)
#include "test_selection.moc"
