// The configuration store and its access class: typed values, the two roots,
// enumeration, deletion and the file format.

#include "shell/mmain.h"
#include "shell/registry.h"
#include "simulator.h"
#include "support/testsupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QLocale>
#include <QtTest>
#include <sys/stat.h>

using nvx::CRegistry;
using nvx::RegRoot;
using nvx::RegistryStore;
using nvx::RegValue;

class TestRegistry : public QObject {
    Q_OBJECT

private:
    nvxtest::TestEnv m_env;
    const QString m_key = QStringLiteral("SOFTWARE\\Lorvantis Sensortechnik GmbH\\NVX_Ethernet\\");

    void writeStore(const QByteArray &text)
    {
        QFile file(m_env.registryFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }
    QByteArray storeText() { return nvxtest::fileBytes(m_env.registryFile()); }

private slots:
    void init()
    {
        qputenv("NVX_REGISTRY_FILE", m_env.registryFile().toLocal8Bit());
        QFile::remove(m_env.registryFile());
    }

    void stringValueWrittenAndReadBack()
    {
        CRegistry writer;
        writer.MachineSetting(m_key, QStringLiteral("Pfad"), QStringLiteral("/opt/nvx/"));
        QCOMPARE(writer.ErrNumber(), 0u);
        writer.MachineSetting(m_key, QStringLiteral("Language"), QStringLiteral("1033"));

        // A fresh object reads it from the file; key and value names ignore
        // case, and the trailing separator of the key name does not matter.
        CRegistry reader;
        QCOMPARE(reader.MachineSetting(m_key, QStringLiteral("Pfad")), QStringLiteral("/opt/nvx/"));
        QCOMPARE(reader.MachineSetting(QStringLiteral("software\\lorvantis sensortechnik gmbh\\nvx_ethernet"),
                                       QStringLiteral("LANGUAGE")),
                 QStringLiteral("1033"));
        // The machine root and the user root are separate.
        QCOMPARE(reader.Werte(m_key, QStringLiteral("Pfad")), QString());

        const QByteArray text = storeText();
        QVERIFY(text.contains("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Lorvantis Sensortechnik GmbH\\NVX_Ethernet]\n"));
        QVERIFY(text.contains("\"Pfad\"=\"/opt/nvx/\"\n"));
    }

    void missingOrOtherTypesReadEmpty()
    {
        writeStore("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Lorvantis Sensortechnik GmbH\\NVX_Ethernet]\n"
                   "\"Number\"=dword:00000409\n"
                   "\"Blob\"=hex:31,30,33,33\n"
                   "\"Expand\"=hex(2):31,00\n"
                   "\"Empty\"=\"\"\n");
        CRegistry reg;
        QCOMPARE(reg.MachineSetting(m_key, QStringLiteral("Missing")), QString());
        QCOMPARE(reg.MachineSetting(QStringLiteral("SOFTWARE\\Nobody"), QStringLiteral("Pfad")), QString());
        QCOMPARE(reg.MachineSetting(m_key, QStringLiteral("Number")), QString());
        QCOMPARE(reg.MachineSetting(m_key, QStringLiteral("Blob")), QString());
        QCOMPARE(reg.MachineSetting(m_key, QStringLiteral("Expand")), QString());
        QCOMPARE(reg.MachineSetting(m_key, QStringLiteral("Empty")), QString());

        // The private reader reports these as failures and leaves the text.
        QString text = QStringLiteral("kept");
        QVERIFY(!reg.GetStringValue(RegRoot::LocalMachine, m_key, QStringLiteral("Number"), text));
        QVERIFY(!reg.GetStringValue(RegRoot::LocalMachine, QStringLiteral("SOFTWARE\\Nobody"), QStringLiteral("x"), text));
        QCOMPARE(text, QStringLiteral("kept"));
    }

    void nulInsideStringCutsIt()
    {
        writeStore("[HKLM\\SOFTWARE\\Lorvantis Sensortechnik GmbH\\NVX_Ethernet]\n"
                   "\"Pfad\"=\"/opt\\0/rest\"\n"
                   "\"Raw\"=hex(1):31,30,00,33\n");
        CRegistry reg;
        QCOMPARE(reg.MachineSetting(m_key, QStringLiteral("Pfad")), QStringLiteral("/opt"));
        QCOMPARE(reg.MachineSetting(m_key, QStringLiteral("Raw")), QStringLiteral("10"));

        // Written with a NUL, the whole text is kept in the store and the
        // reader cuts it.
        reg.MachineSetting(m_key, QStringLiteral("Written"), QStringLiteral("ab") + QChar(0) + QStringLiteral("cd"));
        QVERIFY(storeText().contains("\"Written\"=\"ab\\0cd\""));
        QCOMPARE(CRegistry().MachineSetting(m_key, QStringLiteral("Written")), QStringLiteral("ab"));
    }

    void enumerationRunsPastTheEndAndAdvances()
    {
        writeStore("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\beta]\n"
                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Alpha\\Deep]\n"
                   "[HKEY_CURRENT_USER\\SOFTWARE\\Vendor\\UserOnly]\n");
        CRegistry reg;
        QCOMPARE(reg.FindFirstMachineKey(QStringLiteral("SOFTWARE\\Vendor")), QStringLiteral("Alpha"));
        QCOMPARE(reg.GetNextMachineKey(), QStringLiteral("beta"));   // by name, case ignored
        QCOMPARE(reg.GetNextMachineKey(), QString());                 // index 2: past the end
        QCOMPARE(reg.GetNextMachineKey(), QString());                 // index 3

        // Two more subkeys appear: the enumeration goes on at index 4, so the
        // empty answers above still counted.
        CRegistry writer;
        writer.MachineSetting(QStringLiteral("SOFTWARE\\Vendor\\Charlie"), QStringLiteral("x"), QStringLiteral("1"));
        writer.MachineSetting(QStringLiteral("SOFTWARE\\Vendor\\Delta"), QStringLiteral("x"), QStringLiteral("1"));
        writer.MachineSetting(QStringLiteral("SOFTWARE\\Vendor\\Echo"), QStringLiteral("x"), QStringLiteral("1"));
        QCOMPARE(reg.GetNextMachineKey(), QStringLiteral("Echo"));

        CRegistry other;
        QCOMPARE(other.FindFirstMachineKey(QStringLiteral("SOFTWARE\\Missing")), QString());
        QCOMPARE(other.GetNextMachineKey(), QString());
        QCOMPARE(other.FindFirstMachineKey(QStringLiteral("SOFTWARE\\Vendor\\Alpha\\Deep")), QString());
    }

    void deletingATree()
    {
        CRegistry reg;
        const QString base = QStringLiteral("SOFTWARE\\Vendor");
        reg.MachineSetting(base + QStringLiteral("\\Tool\\A\\A1"), QStringLiteral("v"), QStringLiteral("1"));
        reg.MachineSetting(base + QStringLiteral("\\Tool\\A\\A2\\Leaf"), QStringLiteral("v"), QStringLiteral("2"));
        reg.MachineSetting(base + QStringLiteral("\\Tool"), QStringLiteral("v"), QStringLiteral("3"));
        reg.MachineSetting(base + QStringLiteral("\\Kept"), QStringLiteral("v"), QStringLiteral("4"));

        // A key with subkeys is not deleted on its own.
        QVERIFY(!reg.DeleteKey(RegRoot::LocalMachine, base + QStringLiteral("\\Tool")));
        QCOMPARE(reg.MachineSetting(base + QStringLiteral("\\Tool"), QStringLiteral("v")), QStringLiteral("3"));

        QVERIFY(reg.DeleteMachineKey(base + QStringLiteral("\\TOOL")));
        QCOMPARE(reg.MachineSetting(base + QStringLiteral("\\Tool"), QStringLiteral("v")), QString());
        QCOMPARE(reg.MachineSetting(base + QStringLiteral("\\Tool\\A\\A2\\Leaf"), QStringLiteral("v")), QString());
        QCOMPARE(reg.FindFirstMachineKey(base), QStringLiteral("Kept"));
        QCOMPARE(reg.GetNextMachineKey(), QString());
        QVERIFY(!storeText().contains("Tool"));

        QVERIFY(!reg.DeleteMachineKey(base + QStringLiteral("\\Tool")));   // gone already
        // The root itself is never cleared.
        QVERIFY(!reg.DeleteMachineKey(QString()));
        QVERIFY(!reg.DeleteMachineKey(QStringLiteral("\\")));
        QCOMPARE(reg.MachineSetting(base + QStringLiteral("\\Kept"), QStringLiteral("v")), QStringLiteral("4"));
    }

    void failedWriteSetsTheErrorNumber()
    {
        // The store's folder cannot be made: a plain file stands in its way.
        QFile blocker(m_env.path() + QStringLiteral("/blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("NVX_REGISTRY_FILE", (m_env.path() + QStringLiteral("/blocker/registry.ini")).toLocal8Bit());
        CRegistry reg;
        reg.MachineSetting(m_key, QStringLiteral("Pfad"), QStringLiteral("/x/"));
        QCOMPARE(reg.ErrNumber(), CRegistry::WriteFailedError);
        QCOMPARE(reg.MachineSetting(m_key, QStringLiteral("Pfad")), QString());
    }

    void typedPrivateMembers()
    {
        CRegistry reg;
        const QString key = QStringLiteral("SOFTWARE\\Typed");
        QVERIFY(reg.SetLongValue(RegRoot::CurrentUser, key, QStringLiteral("Long"), -2));
        QVERIFY(reg.SetBinaryValue(RegRoot::CurrentUser, key, QStringLiteral("Bin"), QByteArray("\x00\xff\x10", 3)));
        QVERIFY(reg.SetStringValue(RegRoot::CurrentUser, key, QStringLiteral("Half"), QStringLiteral(" 2.5 apples")));
        QVERIFY(reg.SetStringValue(RegRoot::CurrentUser, key, QStringLiteral("Odd"), QStringLiteral("3.5")));
        QVERIFY(reg.SetStringValue(RegRoot::CurrentUser, key, QStringLiteral("Big"), QStringLiteral("1e12")));
        QVERIFY(reg.SetDefaultString(RegRoot::CurrentUser, key, QStringLiteral("Sub"), QStringLiteral("default")));

        qint32 n = 0;
        QVERIFY(reg.GetLongValue(RegRoot::CurrentUser, key, QStringLiteral("Long"), n));
        QCOMPARE(n, -2);
        QVERIFY(reg.GetLongValue(RegRoot::CurrentUser, key, QStringLiteral("Half"), n));
        QCOMPARE(n, 2);   // halves to even
        QVERIFY(reg.GetLongValue(RegRoot::CurrentUser, key, QStringLiteral("Odd"), n));
        QCOMPARE(n, 4);
        QVERIFY(!reg.GetLongValue(RegRoot::CurrentUser, key, QStringLiteral("Big"), n));
        QVERIFY(!reg.GetLongValue(RegRoot::CurrentUser, key, QStringLiteral("Bin"), n));

        QByteArray bytes;
        QVERIFY(reg.GetBinaryValue(RegRoot::CurrentUser, key, QStringLiteral("Bin"), bytes));
        QCOMPARE(bytes, QByteArray("\x00\xff\x10", 3));
        QVERIFY(!reg.GetBinaryValue(RegRoot::CurrentUser, key, QStringLiteral("Long"), bytes));

        QString text;
        QVERIFY(reg.GetDefaultString(RegRoot::CurrentUser, key, QStringLiteral("Sub"), text));
        QCOMPARE(text, QStringLiteral("default"));
        QVERIFY(!reg.GetDefaultString(RegRoot::CurrentUser, key, QStringLiteral("NoSub"), text));
        QVERIFY(reg.SetStringValue(RegRoot::CurrentUser, key + QStringLiteral("\\Bare"), QStringLiteral("x"), QStringLiteral("y")));
        text = QStringLiteral("old");
        QVERIFY(reg.GetDefaultString(RegRoot::CurrentUser, key, QStringLiteral("Bare"), text));
        QCOMPARE(text, QString());

        QCOMPARE(CRegistry::StripNull(QStringLiteral("abc")), QStringLiteral("abc"));
        QCOMPARE(CRegistry::StripNull(QString(QChar(0))), QString());

        // The types survive the file.
        const QByteArray file = storeText();
        QVERIFY(file.contains("\"Long\"=dword:fffffffe\n"));
        QVERIFY(file.contains("\"Bin\"=hex:00,ff,10\n"));
        QVERIFY(file.contains("[HKEY_CURRENT_USER\\SOFTWARE\\Typed\\Sub]\n@=\"default\"\n"));
    }

    void fileFormatRoundTripAndBrokenLines()
    {
        const QByteArray text =
            "Windows Registry Editor Version 5.00\r\n"
            "garbage without meaning\r\n"
            "\"orphan\"=\"before any key\"\r\n"
            "[HKEY_CURRENT_USER\\Control Panel\\International]\r\n"
            "\"sDecimal\"=\",\"\r\n"
            "\"Broken\"=dword:xyz\r\n"
            "\"Unclosed\"=\"abc\r\n"
            "\"Path\"=\"C:\\Daten \\\"quoted\\\"\"\r\n"
            "\"Long\"=hex:01,02,\\\r\n"
            "  03,04\r\n"
            "[\r\n"
            "[HKEY_LOCAL_MACHINE]\r\n";
        const RegistryStore store = RegistryStore::parse(text);
        const QString intl = QStringLiteral("Control Panel\\International");
        QCOMPARE(store.value(RegRoot::CurrentUser, intl, QStringLiteral("sDecimal"))->text(), QStringLiteral(","));
        QVERIFY(!store.value(RegRoot::CurrentUser, intl, QStringLiteral("Broken")));
        QVERIFY(!store.value(RegRoot::CurrentUser, intl, QStringLiteral("Unclosed")));
        QCOMPARE(store.value(RegRoot::CurrentUser, intl, QStringLiteral("Path"))->text(), QStringLiteral("C:\\Daten \"quoted\""));
        QCOMPARE(store.value(RegRoot::CurrentUser, intl, QStringLiteral("Long"))->data, QByteArray("\x01\x02\x03\x04"));
        QVERIFY(store.keyExists(RegRoot::CurrentUser, QStringLiteral("Control Panel")));
        QVERIFY(!store.keyExists(RegRoot::LocalMachine, QStringLiteral("Control Panel")));

        // What is written reads back the same.
        const RegistryStore again = RegistryStore::parse(store.serialize());
        QCOMPARE(again.serialize(), store.serialize());
        QVERIFY(again == store);
        QCOMPARE(again.value(RegRoot::CurrentUser, intl, QStringLiteral("Path"))->type, quint32(nvx::RegSz));

        // Random bytes never crash the reader.
        QByteArray noise;
        for (int i = 0; i < 4096; ++i)
            noise.append(static_cast<char>((i * 7919) % 251));
        noise.append("\n[HKCU\\x]\n\"a\"=\"b\"\n");
        QCOMPARE(RegistryStore::parse(noise).value(RegRoot::CurrentUser, QStringLiteral("x"), QStringLiteral("a"))->text(),
                 QStringLiteral("b"));
    }

    void deepKeyPathOpensQuickly()
    {
        // One section header of 20,000 parts, 40 KB: the time and the
        // written text grow with the file, not with its square.
        QByteArray deep = "[HKEY_CURRENT_USER";
        for (int i = 0; i < 20000; ++i)
            deep += "\\a";
        writeStore(deep + "]\n\"v\"=\"deep\"\n[HKCU\\Control Panel\\International]\n\"sDecimal\"=\";\"\n");
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(CRegistry().Werte(QStringLiteral("Control Panel\\International"), QStringLiteral("sDecimal")),
                 QStringLiteral(";"));
        const QString deepKey = QString::fromLatin1(deep.mid(int(qstrlen("[HKEY_CURRENT_USER"))));
        QCOMPARE(CRegistry().Werte(deepKey, QStringLiteral("v")), QStringLiteral("deep"));
        CRegistry().MachineSetting(m_key, QStringLiteral("Pfad"), QStringLiteral("/x/"));
        QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(storeText().size() < 2 * deep.size());
        QCOMPARE(CRegistry().Werte(deepKey, QStringLiteral("v")), QStringLiteral("deep"));
    }

    void writtenKeysReadBack_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("type");
        QTest::newRow("plain") << QStringLiteral("HKEY_CURRENT_USER\\x") << QStringLiteral("\"a\"");
        QTest::newRow("leading dash") << QStringLiteral("-x\\y") << QStringLiteral("\"a\"");
        QTest::newRow("dash root only") << QStringLiteral("-") << QStringLiteral("dword:00000001");
        QTest::newRow("empty key under a dash") << QStringLiteral("-\\empty") << QString();
        QTest::newRow("string that is not UTF-8") << QStringLiteral("HKCU\\x") << QStringLiteral("hex(1):ff,00");
    }
    void writtenKeysReadBack()
    {
        QFETCH(QString, key);
        QFETCH(QString, type);
        // A leading separator is dropped on reading, so a key whose first
        // part begins with "-" can stand in a file.
        QByteArray text = "[\\" + key.toUtf8() + "]\n";
        if (!type.isEmpty())
            text += "\"v\"=" + type.toUtf8() + "\n";
        const RegistryStore store = RegistryStore::parse(text);
        QVERIFY(store.serialize().contains(QByteArray(key.section(QLatin1Char('\\'), -1).toUtf8() + "]\n")));
        QVERIFY(RegistryStore::parse(store.serialize()) == store);
    }

    // A store that is a link to a device or a FIFO, or a file far larger
    // than any store, counts as missing: the real program starts with its
    // defaults at once and sends its search. Such a store is never written
    // over either.
    void oddStoreStartsAtOnce_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link to /dev/zero") << QStringLiteral("zero");
        QTest::newRow("link to a FIFO") << QStringLiteral("fifo");
        QTest::newRow("100 MB") << QStringLiteral("large");
    }
    void oddStoreStartsAtOnce()
    {
        QFETCH(QString, kind);
        const QString store = m_env.path() + QStringLiteral("/odd-") + kind + QStringLiteral(".ini");
        const QString fifo = m_env.path() + QStringLiteral("/fifo");
        if (kind == QLatin1String("zero")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), store));
        } else if (kind == QLatin1String("fifo")) {
            QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
            QVERIFY(QFile::link(fifo, store));
        } else {
            QFile big(store);
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(100 * 1024 * 1024));
        }
        qputenv("NVX_REGISTRY_FILE", store.toLocal8Bit());
        CRegistry writer;
        writer.MachineSetting(m_key, QStringLiteral("Language"), QStringLiteral("1033"));
        QCOMPARE(writer.ErrNumber(), CRegistry::WriteFailedError);
        QCOMPARE(QFileInfo(store).size(), kind == QLatin1String("large") ? 100 * 1024 * 1024 : 0);

        nvxsim::ReceiverSimulator sim;
        sim.addModule(nvxsim::makeRecord(QByteArray::fromHex("001A2B000024"), QStringLiteral("127.0.0.2"), 10001,
                                         QStringLiteral("192.0.2.10"), 10002));
        QVERIFY(sim.start());
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("NVX_REGISTRY_FILE"), store);
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_env.path() + QStringLiteral("/data"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        program.start(QStringLiteral(NVX_PROGRAM), QStringList());
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(sim.findCount() > 0 || program.state() != QProcess::Running, 10000);
        const qint64 started = clock.elapsed();
        const bool running = program.state() == QProcess::Running;
        program.kill();
        program.waitForFinished();
        QVERIFY2(running, program.readAllStandardError().constData());
        QVERIFY(sim.findCount() > 0);
        QVERIFY2(started < 1000, qPrintable(QStringLiteral("%1 ms to the search").arg(started)));
    }

    void decimalSeparatorFromTheStoreOrTheSystemLocale()
    {
        const QString system = QLocale::system().decimalPoint();
        const QString fallback = system.isEmpty() ? QStringLiteral(",") : system;
        nvx::AppState state;
        nvx::readDecimalSeparator(state);
        QCOMPARE(state.DecimalSeparator, fallback);
        writeStore("[HKEY_CURRENT_USER\\Control Panel\\International]\n\"sDecimal\"=\"\"\n");
        nvx::readDecimalSeparator(state);
        QCOMPARE(state.DecimalSeparator, fallback);

        writeStore("[HKEY_CURRENT_USER\\Control Panel\\International]\n\"sDecimal\"=\";\"\n");
        QCOMPARE(CRegistry().Werte(QStringLiteral("Control Panel\\International"), QStringLiteral("sDecimal")),
                 QStringLiteral(";"));
        nvx::readDecimalSeparator(state);
        QCOMPARE(state.DecimalSeparator, QStringLiteral(";"));
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"
