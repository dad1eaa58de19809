// Address files through the file dialog: export, import, the refusals and
// what an import leaves alone.

#include "sensors/addressfile.h"
#include "sensors/descriptionfile.h"
#include "support/fixtures.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

using namespace nvx;

class TestFiles : public QObject {
    Q_OBJECT
    std::unique_ptr<nvxtest::LinkedReceiver> m_rx;
    Config &c() { return *m_rx->config; }
    QString file(const char *name) const { return m_rx->env.programPath() + QLatin1String(name); }

    // Answers the next file dialog with `path` (nothing: cancel), noting
    // its title and the name it offered. When it asks whether to replace a
    // file, `replace` answers (and the dialog is then cancelled if it stays).
    std::shared_ptr<bool> answerDialog(const QString &path, QString *title = nullptr, QString *offered = nullptr,
                                       QMessageBox::StandardButton replace = QMessageBox::NoButton,
                                       bool *asked = nullptr)
    {
        return nvxtest::onNextModal(
            [=](QWidget *w) {
                auto *dialog = qobject_cast<QFileDialog *>(w);
                QVERIFY(dialog);
                if (title)
                    *title = dialog->windowTitle();
                if (offered)
                    *offered = dialog->selectedFiles().value(0);
                const auto askedHere = std::make_shared<bool>(false);
                nvxtest::chooseFile(dialog, path, replace != QMessageBox::No, askedHere);
                if (asked)
                    *asked = *askedHere;
            },
            QStringLiteral("CommonDialog1"));
    }
    void exportTo(const QString &path)
    {
        auto done = answerDialog(path);
        c().speichern2_Click();
        QVERIFY(*done);
    }
    void importFrom(const QString &path)
    {
        auto done = answerDialog(path);
        c().Ladenbutton2_Click();
        QVERIFY(*done);
    }
    void fillScreen()
    {
        m_rx->setRow(0, QStringLiteral("Taster"), QStringLiteral("05"), QStringLiteral("0012AB9F"));
        m_rx->setRow(5, QStringLiteral("4 Byte Sensor"), QStringLiteral("07"), QStringLiteral("000FA850"));
        m_rx->state.ChannelDescriptions[0] = QStringLiteral("Tür €");
        m_rx->state.ChannelDescriptions[5] = QStringLiteral("Fenster");
        c().Beschreibung->setPlainText(QStringLiteral("Halle 3, Südseite"));
    }
    // The filled screen exported, as the file's bytes.
    QByteArray exportedScreen()
    {
        fillScreen();
        exportTo(file("good.adr"));
        QFile f(file("good.adr"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool writeFile(const char *name, const QByteArray &bytes)
    {
        QFile f(file(name));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    QString descriptions() const
    {
        QStringList all;
        for (int ch = 0; ch < ChannelCount; ++ch)
            all << m_rx->state.ChannelDescriptions[ch];
        return all.join(u'|');
    }

private Q_SLOTS:
    void init()
    {
        m_rx = std::make_unique<nvxtest::LinkedReceiver>();
        QVERIFY(m_rx->setUp());
    }
    void cleanup() { m_rx.reset(); }

    void exportMatchesTheExpectedFile_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("settings tab") << "speichern1";
        QTest::newRow("sensor tab") << "speichern2";
    }
    void exportMatchesTheExpectedFile()
    {
        QFETCH(QString, button);
        m_rx.reset();
        m_rx = std::make_unique<nvxtest::LinkedReceiver>();
        BoardRecord rec = nvxtest::reportingRecord("001A2B030CFF", QStringLiteral("127.0.0.2"), 40000);
        rec[BoardRecord::Mode] = 0;
        m_rx->select(rec);
        fillScreen();
        // An edit not yet written to the receiver is not exported.
        c().txtPort->setText(QStringLiteral("4711"));
        QString title;
        auto done = answerDialog(file("out.adr"), &title);
        auto *b = c().findChild<QToolButton *>(button);
        b->setEnabled(true);
        b->click();
        QVERIFY(*done);
        QCOMPARE(title, QStringLiteral("Datei speichern unter"));
        QFile written(file("out.adr"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QFile expected(QStringLiteral(NVX_TEST_DATA "/receiver_port40000.adr"));
        QVERIFY(expected.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), expected.readAll());
    }

    void exportThenImportRestoresTheTable()
    {
        fillScreen();
        {
            // As a description file may bring it: longer than can be typed.
            const QSignalBlocker whole(c().Beschreibung);
            c().Beschreibung->setPlainText(QString(120, u'ä') + QString(80, u'€'));
        }
        for (int ch = 10; ch < ChannelCount; ++ch)
            m_rx->state.ChannelDescriptions[ch] = QStringLiteral("K%1 Süd").arg(ch);
        const QString table = nvxtest::tableText(c());
        const QString texts = descriptions();
        const QString receiver = c().Beschreibung->toPlainText();
        exportTo(file("table.adr"));

        for (int ch = 0; ch < ChannelCount; ++ch) {
            c().clearRow(ch, 0);
            m_rx->state.ChannelDescriptions[ch].clear();
        }
        c().Beschreibung->setPlainText(QStringLiteral("anders"));
        c().txtIP->setText(QStringLiteral("10.0.0.9"));
        QString offered;
        auto done = answerDialog(file("table.adr"), nullptr, &offered);
        c().Ladenbutton2_Click();
        QVERIFY(*done);
        QCOMPARE(offered, file("table.adr"));  // the name is kept between uses
        QCOMPARE(nvxtest::tableText(c()), table);
        QCOMPARE(descriptions(), texts);
        QCOMPARE(c().Beschreibung->toPlainText(), receiver);
        // Editing the long description does not cut it to what can be typed.
        QTextCursor end(c().Beschreibung->document());
        end.movePosition(QTextCursor::End);
        end.deletePreviousChar();
        QCOMPARE(c().Beschreibung->toPlainText(), receiver.chopped(1));
        end.insertText(QStringLiteral("12345"));
        QCOMPARE(c().Beschreibung->toPlainText(), receiver.chopped(1));
        QCOMPARE(c().txtIP->text(), QStringLiteral("10.0.0.9"));
        QVERIFY(m_rx->state.TableLoadedFromFile);
        QVERIFY(c().Adressenubertragen->isEnabled());
        QVERIFY(c().Auslesen->isEnabled());
        QVERIFY(!c().Sensortimer->isEnabled());
        QVERIFY(!c().ListBoards->isEnabled());
        QVERIFY(!c().Loeschen[0]->isEnabled() && !c().Lernmodusbutton[1]->isEnabled());
        QVERIFY(!c().Auswahl[0]->isEnabled());
    }

    void refusedFile_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<int>("longerBy");   // characters added to the first channel's description
        QTest::newRow("no leading blank") << QByteArray("Sensorinformation:") << 0;
        QTest::newRow("lower case") << QByteArray(" sensorinformation:") << 0;
        // Not read in part: its later channels would be left out unseen.
        QTest::newRow("over the size limit") << QByteArray(" Sensorinformation:") << int(AddressFileMaxBytes);
    }
    void refusedFile()
    {
        QFETCH(QByteArray, first);
        QFETCH(int, longerBy);
        QByteArray bytes = exportedScreen();
        QVERIFY(bytes.startsWith(" Sensorinformation:\r\n"));
        bytes.replace(0, bytes.indexOf('\r'), first);
        bytes.insert(bytes.indexOf("Bezeichnung;") + 12, QByteArray(longerBy, 'x'));
        QVERIFY(writeFile("bad.adr", bytes));
        m_rx->setRow(0, QStringLiteral("1 Byte Sensor"), QStringLiteral("06"), QStringLiteral("AAAAAAAA"));
        const QString table = nvxtest::tableText(c());
        auto seen = nvxtest::answerError();
        importFrom(file("bad.adr"));
        QVERIFY(seen->shown);
        QCOMPARE(seen->firstLine, m_rx->state.Texts[34]);
        QCOMPARE(nvxtest::tableText(c()), table);
        QVERIFY(!m_rx->state.TableLoadedFromFile);
        QCOMPARE(c().Beschreibung->toPlainText(), QStringLiteral("Halle 3, Südseite"));
    }

    // While logging runs a click on another receiver is refused: the
    // highlight goes back to the selected one, and the export holds the
    // selected receiver's MAC beside its settings.
    void refusedSelectionKeepsTheExportedReceiver()
    {
        QTreeWidgetItem *selected = c().ListBoards->topLevelItem(0);
        QTreeWidgetItem *other = m_rx->list(nvxtest::reportingRecord("001A2B030C77", QStringLiteral("127.0.0.7")));
        m_rx->state.LoggingActive = true;
        auto seen = nvxtest::answerError();
        QTest::mouseClick(c().ListBoards->viewport(), Qt::LeftButton, {},
                          c().ListBoards->visualItemRect(other).center());
        QVERIFY(seen->shown);
        QCOMPARE(c().ListBoards->currentItem(), selected);
        exportTo(file("logging.adr"));
        const QList<QByteArray> lines = nvxtest::fileBytes(file("logging.adr")).split('\n');
        QCOMPARE(lines.value(1), QByteArray(" MAC;") + selected->text(0).toLatin1() + '\r');
        QCOMPARE(lines.value(2), QByteArray(" NVX - IP;127.0.0.2\r"));
    }

    // A name typed without an extension gets the one the files are looked
    // for with.
    void saveDialogsAddTheExtension_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("address file") << "speichern1" << ".adr";
        QTest::newRow("data log") << "speichern3" << ".log";
    }
    void saveDialogsAddTheExtension()
    {
        QFETCH(QString, button);
        QFETCH(QString, suffix);
        QFile log(m_rx->state.ProgramPath + QStringLiteral("Datenlog.txt"));
        QVERIFY(log.open(QIODevice::WriteOnly) && log.write("log\r\n") == 5);
        log.close();
        auto done = answerDialog(file("ohne"));
        auto *b = c().findChild<QToolButton *>(button);
        b->setEnabled(true);
        b->click();
        QVERIFY(*done);
        QVERIFY(QFile::exists(file("ohne") + suffix));
        QVERIFY(!QFile::exists(file("ohne")));
    }

    // An address file is replaced only once the user has said so.
    void replacingAnAddressFileIsAsked_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("no") << QMessageBox::No;
        QTest::newRow("yes") << QMessageBox::Yes;
    }
    void replacingAnAddressFileIsAsked()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        const QByteArray first = exportedScreen();
        c().Beschreibung->setPlainText(QStringLiteral("anders"));
        bool asked = false;
        auto done = answerDialog(file("good.adr"), nullptr, nullptr, answer, &asked);
        c().speichern2_Click();
        QVERIFY(*done);
        QVERIFY(asked);
        QCOMPARE(nvxtest::fileBytes(file("good.adr")) == first, answer == QMessageBox::No);
    }

    void refusedWhileLogging()
    {
        m_rx->state.LoggingActive = true;
        auto seen = nvxtest::answerError();
        c().Ladenbutton2_Click();
        QVERIFY(seen->shown);
        QCOMPARE(seen->firstLine, nvxtest::errorText(13));
        QVERIFY(!m_rx->state.TableLoadedFromFile);
    }

    void cancelledDialogChangesNothing()
    {
        const QString table = nvxtest::tableText(c());
        importFrom(QString());
        exportTo(QString());
        QCOMPARE(nvxtest::tableText(c()), table);
        QVERIFY(!m_rx->state.TableLoadedFromFile);
        QVERIFY(QDir(m_rx->env.path()).entryList({QStringLiteral("*.adr")}).isEmpty());
    }

    void damagedFileLeavesTheOtherRows_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("row29");
        QTest::addColumn<QString>("row0");
        QTest::newRow("truncated after the IDs") << "truncate" << "30 | Alt | 09 | Frei" << "01 | Alt | 09 | 0012AB9F";
        QTest::newRow("IDs without the last ;") << "semicolon" << "30 |    |    | 0BADF00D" << "01 | Taster | 05 | 0012AB9F";
    }
    void damagedFileLeavesTheOtherRows()
    {
        QFETCH(QString, damage);
        QByteArray bytes = exportedScreen();
        QVERIFY(bytes.startsWith(" Sensorinformation:\r\n"));
        const qsizetype idsEnd = bytes.indexOf("\r\n", bytes.indexOf("Adresse;"));
        if (damage == QLatin1String("truncate"))
            bytes.truncate(idsEnd + 2);
        else
            bytes.remove(idsEnd - 1, 1);
        QVERIFY(writeFile("damaged.adr", bytes));
        for (int ch : {0, 29})
            m_rx->setRow(ch, QStringLiteral("Alt"), QStringLiteral("09"), QStringLiteral("0BADF00D"));
        importFrom(file("damaged.adr"));
        QTEST(nvxtest::tableText(c()).section(u'\n', 29, 29), "row29");
        QTEST(nvxtest::tableText(c()).section(u'\n', 0, 0), "row0");
    }

    void telegramsWaitAfterAnImport()
    {
        fillScreen();
        exportTo(file("table.adr"));
        importFrom(file("table.adr"));
        QSignalSpy spy(&c(), &Config::telegramReceived);
        m_rx->module->sendChannelTelegram(7, QStringLiteral("06"), QStringLiteral("01020304"), {1, 2, 3, 8});
        QTRY_COMPARE(spy.size(), 1);
        QCOMPARE(c().SystemID[7]->text(), m_rx->state.Texts[0]);

        // Selecting the receiver again ends it.
        m_rx->module->clearCommands();
        c().ListBoards_ItemClick(c().ListBoards->topLevelItem(0));
        QTRY_VERIFY(!m_rx->module->commands().isEmpty());
        m_rx->module->sendChannelTelegram(7, QStringLiteral("06"), QStringLiteral("01020304"), {1, 2, 3, 8});
        QTRY_COMPARE(c().SystemID[7]->text(), QStringLiteral("01020304"));
    }

    void readingTheTableEndsTheImport()
    {
        fillScreen();
        exportTo(file("table.adr"));
        importFrom(file("table.adr"));
        QVERIFY(c().Auslesen->isEnabled());
        m_rx->module->receiver.answerStatus = true;
        auto result = nvxtest::closeStatusWindowAtResult(c());
        c().Auslesen_Click();
        QTRY_VERIFY_WITH_TIMEOUT(result->closed, 15000);
        QVERIFY(!m_rx->state.TableLoadedFromFile);
        m_rx->module->sendChannelTelegram(7, QStringLiteral("06"), QStringLiteral("01020304"), {1, 2, 3, 8});
        QTRY_COMPARE(c().SystemID[7]->text(), QStringLiteral("01020304"));
    }

    // A file the user keeps, saved again with more in it on a full disk: the
    // file there stays byte for byte, the user is told (of a description
    // file, saved unasked at every change of focus, once in the run), and
    // once there is room the new content is written whole.
    void keptFileOnAFullDisk_data()
    {
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("toldOfTwoTries");
        QTest::newRow("address file") << "adr" << 2;
        QTest::newRow("description file") << "dat" << 1;
        QTest::newRow("saved data log") << "log" << 2;
    }
    void keptFileOnAFullDisk()
    {
        QFETCH(QString, kept);
        QFETCH(int, toldOfTwoTries);
        nvxtest::FailingDisk disk(m_rx->env.path() + QStringLiteral("/disk"));
        if (!disk.mountSmall(64))
            QSKIP(qPrintable(disk.skipReason));
        AppState &s = m_rx->state;
        s.ProgramPath = disk.folder() + u'/';
        QVERIFY(QDir(disk.folder()).mkdir(QStringLiteral("DAT")));
        const bool dat = kept == QLatin1String("dat");
        const QString path = dat ? descriptionFilePath(s.ProgramPath, s.SelectedMAC) : disk.folder() + "/kopie." + kept;
        // As a search that found the receiver leaves it.
        c().Beschreibung->setEnabled(true);
        const auto save = [&](const QString &to) {
            if (dat) {
                c().SSTab1->setCurrentIndex(0);
                c().activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&c()));
                c().Beschreibung->setFocus();
                QTRY_VERIFY(c().Beschreibung->hasFocus());
                c().ListBoards->setFocus(Qt::TabFocusReason);
                return;
            }
            auto done = answerDialog(to);
            kept == QLatin1String("adr") ? c().speichern2_Click() : c().speichern3_Click();
            QVERIFY(*done);
        };
        // The grown content takes more than the disk's one page that the old
        // file frees.
        const auto setContent = [&](int length) {
            for (int ch = 0; ch < ChannelCount; ++ch)
                s.ChannelDescriptions[ch] = QString(length, QLatin1Char(char('A' + ch % 26)));
            c().Beschreibung->setPlainText(QString(length, u'b'));
            QFile log(s.ProgramPath + QStringLiteral("Datenlog.txt"));
            QVERIFY(log.open(QIODevice::WriteOnly) && log.write(QByteArray(length * 30, 'l') + "\r\n") > 0);
        };
        setContent(10);
        save(path);
        const QByteArray old = nvxtest::fileBytes(path);
        QVERIFY(!old.isEmpty());
        setContent(150);
        QVERIFY(disk.fill());
        nvxtest::NotSavedMessages told;
        save(path);
        save(path);
        QCOMPARE(nvxtest::fileBytes(path), old);
        QCOMPARE(told.texts.size(), toldOfTwoTries);
        QVERIFY2(told.texts.constFirst().contains(path), qPrintable(told.texts.constFirst()));
        disk.makeRoom();
        save(path);
        QCOMPARE(told.texts.size(), toldOfTwoTries);
        // As the same content is saved where there always was room.
        s.ProgramPath = m_rx->env.programPath();
        QVERIFY(QDir(m_rx->env.path()).mkpath(QStringLiteral("DAT")));
        setContent(150);
        const QString roomy = dat ? descriptionFilePath(s.ProgramPath, s.SelectedMAC) : file("roomy.") + kept;
        save(roomy);
        QCOMPARE(nvxtest::fileBytes(path), nvxtest::fileBytes(roomy));
    }
};

QTEST_MAIN(TestFiles)
#include "test_files.moc"
