// The program folder on a machine where nothing was set up: no store, an
// empty home. The first start makes the user's folder with DAT/ and the help
// documents, descriptions are saved there and the help menu opens a real
// PDF in each language. A folder named in the store stays untouched; the
// help documents are refreshed only when missing or older.

#include "shell/modsprache.h"
#include "shell/programfolder.h"
#include "shell/registry.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>

using namespace nvx;

namespace {

// The text pdftotext finds in a PDF.
QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("pdftotext failed: ") + p.errorString() + QString::fromLocal8Bit(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

void writeFile(const QString &path, const QByteArray &content, const QDateTime &modified)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.flush();   // written out before the time is set, or the close would set it anew
    QVERIFY(f.setFileTime(modified, QFileDevice::FileModificationTime));
}

} // namespace

class TestProgramFolder : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;
    nvxtest::UrlCatcher m_catcher{{QStringLiteral("file")}};

    QString expectedFolder() const { return m_home.filePath(QStringLiteral(".local/share/nvx-ethernet/")); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qunsetenv("NVX_REGISTRY_FILE");
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        qputenv("HOME", m_home.path().toLocal8Bit());
    }

    void firstStartWithEmptyHome()
    {
        QVERIFY(!QFile::exists(registryFileName()));
        // A receiver that reports elsewhere: it is found and selected, but no
        // link is opened to it.
        nvxsim::ReceiverSimulator sim;
        sim.addModule(nvxsim::makeRecord(nvxtest::mac(0x42), QStringLiteral("127.0.0.2"), 10001,
                                         QStringLiteral("192.0.2.10"), 10002));
        QVERIFY(sim.start());

        AppState state;
        Config config(state);
        QVERIFY(nvxtest::loadClosingTheSearchWindow(config));
        QCOMPARE(state.ProgramPath, expectedFolder());
        for (const char *sub : {"DAT", "Dokumentation"})
            QVERIFY2(QFileInfo(expectedFolder() + QLatin1String(sub)).isDir(), sub);
        QVERIFY(!QFile::exists(registryFileName()));   // the store is never written

        // Leaving the description saves it in the new folder.
        QCOMPARE(state.SelectedMAC, QStringLiteral("001A2B000042"));
        config.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&config));
        config.Beschreibung->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(config.Beschreibung->hasFocus());
        QTest::keyClicks(config.Beschreibung, QStringLiteral("Halle 3"));
        config.txtIP->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(nvxtest::fileBytes(expectedFolder() + QStringLiteral("DAT/MAC_001A2B000042.dat")).left(9),
                     QByteArray("Halle 3\r\n"));

        // The help of each language: a PDF with the manual in it, opened by
        // the help menu.
        const QList<std::pair<QString, QString>> languages{{QStringLiteral("1031"), QStringLiteral("Handbuch")},
                                                           {QStringLiteral("1033"), QStringLiteral("Manual")}};
        for (const auto &[language, heading] : languages) {
            CRegistry().MachineSetting(ProgramKey, QStringLiteral("Language"), language);
            LoadLanguage(state, FormConfig, &config);
            QCOMPARE(state.ProgramPath, expectedFolder());
            const QString pdf = QDir::cleanPath(state.ProgramPath + state.HelpDocument);
            QVERIFY2(QFileInfo(pdf).isFile(), qPrintable(pdf));
            const QString text = pdfText(pdf);
            QVERIFY2(text.contains(QStringLiteral("NVX-Ethernet")) && text.contains(heading), qPrintable(text.left(300)));
            m_catcher.urls.clear();
            config.MenuHilfe->trigger();
            QCOMPARE(m_catcher.urls, QList<QUrl>{QUrl::fromLocalFile(pdf)});
        }
        QFile::remove(registryFileName());
    }

    void folderFromTheStoreIsLeftAlone()
    {
        QTemporaryDir other;
        const QString pfad = other.path() + QLatin1Char('/');
        CRegistry().MachineSetting(ProgramKey, QStringLiteral("Pfad"), pfad);
        AppState state;
        LoadLanguage(state, FormConfig, nullptr);
        QCOMPARE(state.ProgramPath, pfad);
        QVERIFY(prepareProgramFolder(state.ProgramPath, helpDocumentSources(QCoreApplication::applicationDirPath())));
        QCOMPARE(QDir(pfad).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QFile::remove(registryFileName());
    }

    void helpDocumentsRefreshed_data()
    {
        QTest::addColumn<bool>("targetThere");
        QTest::addColumn<int>("targetAgeSeconds");   // against the source
        QTest::addColumn<bool>("replaced");
        QTest::newRow("missing") << false << 0 << true;
        QTest::newRow("older") << true << -3600 << true;
        QTest::newRow("same age") << true << 0 << false;
        QTest::newRow("newer") << true << 3600 << false;
    }
    void helpDocumentsRefreshed()
    {
        QFETCH(bool, targetThere);
        QFETCH(int, targetAgeSeconds);
        QFETCH(bool, replaced);
        QTemporaryDir installed, build, target;
        const QDateTime sourceTime = QDateTime::currentDateTime().addDays(-1);
        writeFile(installed.filePath(HelpDocumentGerman), "installed", sourceTime);
        writeFile(build.filePath(HelpDocumentGerman), "build tree", sourceTime);
        const QString copy = target.filePath(HelpDocumentGerman);
        if (targetThere)
            writeFile(copy, "earlier", sourceTime.addSecs(targetAgeSeconds));

        QCOMPARE(updateHelpDocuments(target.path(), {installed.path(), build.path()}), replaced ? 1 : 0);
        QCOMPARE(nvxtest::fileBytes(copy), QByteArray(replaced ? "installed" : "earlier"));
        QVERIFY(!QFile::exists(copy + QStringLiteral(".part")));
        QVERIFY(!QFile::exists(target.filePath(HelpDocumentEnglish)));   // only what the sources hold
        // A copy is as old as what it came from, so the next start leaves it.
        QCOMPARE(updateHelpDocuments(target.path(), {installed.path()}), 0);
    }
};

QTEST_MAIN(TestProgramFolder)
#include "test_programfolder.moc"
