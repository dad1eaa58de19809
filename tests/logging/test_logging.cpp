// Data logging through the main window, with the simulated receiver's
// telegrams: the three modes, the data log as it lands on disk (also on a
// disk that fails), the save dialog, the receive boxes and log, the input
// rules of the tab's fields and the buttons that read them.

#include "sensors/addressfile.h"
#include "shell/modsprache.h"
#include "shell/registry.h"
#include "shell/updown.h"
#include "support/fixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <sys/stat.h>

using namespace nvx;

namespace {

const QString SensorId = QStringLiteral("000FA850");
const QString OtherId = QStringLiteral("00813C22");

QString fileText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

int lineCount(const QString &path) { return int(fileText(path).count(QLatin1String("\r\n"))); }

void leave(QWidget *field)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &out);
}

// Answers the save dialog that follows a Stop: saves under `target`, or
// cancels when it is empty.
std::shared_ptr<bool> answerSaveDialog(const QString &target)
{
    return nvxtest::onNextModal(
        [target](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            QVERIFY(dialog);
            nvxtest::chooseFile(dialog, target);
        },
        QStringLiteral("CommonDialog1"), 20000);
}

} // namespace

class TestLogging : public QObject {
    Q_OBJECT

    std::unique_ptr<nvxtest::LinkedReceiver> m_bench;
    Config *config = nullptr;
    AppState *state = nullptr;
    int m_ticks = 0;

    QString dataLog() const { return state->ProgramPath + QStringLiteral("Datenlog.txt"); }
    QString receiveLog() const { return state->ProgramPath + QStringLiteral("NVX_Log.txt"); }

    // A linked receiver with a 4-byte sensor on channel 1 (and a 1-byte one
    // on channel 3), its data telegram received; the clock ticks one second
    // per step from 8 Dec 2026 10:00:00.
    void linkWithSensors(bool english = false)
    {
        m_bench = std::make_unique<nvxtest::LinkedReceiver>();
        config = m_bench->config.get();
        state = &m_bench->state;
        if (english) {
            CRegistry().MachineSetting(ProgramKey, QStringLiteral("Language"), QStringLiteral("1033"));
            LoadLanguage(*state, FormConfig, config);
            state->ProgramPath = m_bench->env.programPath();
        }
        QLocale::setDefault(english ? QLocale(QLocale::English, QLocale::UnitedStates)
                                    : QLocale(QLocale::German, QLocale::Germany));
        state->DecimalSeparator = english ? QStringLiteral(".") : QStringLiteral(",");
        m_ticks = 0;
        state->logging.now = [this] { return QDateTime(QDate(2026, 12, 8), QTime(10, 0, 0)).addSecs(m_ticks++); };
        QVERIFY(m_bench->setUp());
        sendData(0, {128, 0x20, 0x30, 0x08});
        m_bench->module->sendChannelTelegram(2, QStringLiteral("06"), OtherId, {0x5A, 0, 0, 0x08});
        QTRY_COMPARE(config->SystemID[2]->text(), OtherId);
        config->ChannelSelectorRefill();
    }

    void sendData(int ch, std::array<int, 4> db3to0)
    {
        const int before = int(config->telegramsProcessed());
        m_bench->module->sendChannelTelegram(ch, ch == 0 ? QStringLiteral("07") : QStringLiteral("06"),
                                             ch == 0 ? SensorId : OtherId, db3to0);
        QTRY_COMPARE(int(config->telegramsProcessed()), before + 1);
    }

    bool press(const char *name) { return nvxtest::click(config, QLatin1String(name)); }

    // Chart mode with channel 1 as series 1, a sample every 50 ms.
    void chartModeEvery50ms()
    {
        config->Auswahl[0]->setCurrentIndex(1);
        config->txtTimerInterval->setText(QStringLiteral("1"));
        config->Timer2->setInterval(50);
    }

    QList<QMessageBox *> messages() const
    {
        return config->findChildren<QMessageBox *>(QStringLiteral("LogNotWritten"));
    }

    // No line of the file stands in it twice.
    static bool eachLineOnce(const QString &path)
    {
        const QStringList lines = fileText(path).split(QLatin1String("\r\n"), Qt::SkipEmptyParts);
        return QSet<QString>(lines.begin(), lines.end()).size() == lines.size();
    }

private Q_SLOTS:
    void cleanup()
    {
        m_bench.reset();
        QLocale::setDefault(QLocale::c());
    }

    // Start, three samples by the timer, Pause, Start, Stop and the copy
    // made in the save dialog.
    void chartModeRun_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("expected");
        QTest::newRow("German") << false
                                << QStringLiteral(
                                       "Lorvantis Sensortechnik GmbH\r\n"
                                       "Logfile erstellt mit nvx_ethernet.exe am: 08.12.26\r\n"
                                       "Als Trennzeichen ; verwenden!\r\n"
                                       "Zeit;Kanal 01;Skalierter;kein Kanal;Skalierter;Kanal 01;Skalierter;kein Kanal;"
                                       "Skalierter;kein Kanal;Skalierter;\r\n"
                                       ";Daten Byte 0;Wert;Daten Byte 0;Wert;Daten Byte 3;Wert;Daten Byte 0;Wert;"
                                       "Daten Byte 0;Wert;\r\n"
                                       "08.12.26 10:00:01; 8 ; 8 ; 0 ; 0 ; 128 ; 50,2 ; 0 ; 0 ; 0 ; 0 \r\n"
                                       "08.12.26 10:00:02; 8 ; 8 ; 0 ; 0 ; 128 ; 50,2 ; 0 ; 0 ; 0 ; 0 \r\n"
                                       "08.12.26 10:00:03; 8 ; 8 ; 0 ; 0 ; 128 ; 50,2 ; 0 ; 0 ; 0 ; 0 \r\n"
                                       "08.12.26 10:00:04; 8 ; 8 ; 0 ; 0 ; 128 ; 50,2 ; 0 ; 0 ; 0 ; 0 \r\n");
        QTest::newRow("English") << true
                                 << QStringLiteral(
                                        "Lorvantis Sensortechnik GmbH\r\n"
                                        "Logfile built with nvx_ethernet.exe at: 12/8/26\r\n"
                                        "Use ; as seperator!\r\n"
                                        "Time;channel 01;scaled;no channel;scaled;channel 01;scaled;no channel;scaled;"
                                        "no channel;scaled;\r\n"
                                        ";Data byte 0;value;Data byte 0;value;Data byte 3;value;Data byte 0;value;"
                                        "Data byte 0;value;\r\n"
                                        "12/8/26 10:00:01 AM; 8 ; 8 ; 0 ; 0 ; 128 ; 50.2 ; 0 ; 0 ; 0 ; 0 \r\n"
                                        "12/8/26 10:00:02 AM; 8 ; 8 ; 0 ; 0 ; 128 ; 50.2 ; 0 ; 0 ; 0 ; 0 \r\n"
                                        "12/8/26 10:00:03 AM; 8 ; 8 ; 0 ; 0 ; 128 ; 50.2 ; 0 ; 0 ; 0 ; 0 \r\n"
                                        "12/8/26 10:00:04 AM; 8 ; 8 ; 0 ; 0 ; 128 ; 50.2 ; 0 ; 0 ; 0 ; 0 \r\n");
    }
    void chartModeRun()
    {
        QFETCH(bool, english);
        QFETCH(QString, expected);
        linkWithSensors(english);
        config->Auswahl[0]->setCurrentIndex(1);
        config->Auswahl[2]->setCurrentIndex(1);
        config->DatenbyteAuswahl[2]->setCurrentIndex(3);
        config->Max[3]->setText(QStringLiteral("100"));
        config->txtTimerInterval->setText(QStringLiteral("1"));
        config->Timer2->setInterval(150);

        QVERIFY(press("MonitorStart"));
        QVERIFY(state->LoggingActive);
        QCOMPARE(lineCount(dataLog()), 5);
        QTRY_COMPARE(lineCount(dataLog()), 8);
        QVERIFY(press("MonitorPause"));
        QVERIFY(!config->Timer2->isActive());
        QCOMPARE(config->Wert[3]->text(), english ? QStringLiteral("50.2") : QStringLiteral("50,2"));
        QVERIFY(press("MonitorStart"));
        QCOMPARE(lineCount(dataLog()), 9);

        const QString copy = m_bench->env.path() + QStringLiteral("/run.log");
        QFile::remove(copy);
        QFile old(copy);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an older file of that name");
        old.close();
        const auto saved = answerSaveDialog(copy);
        QVERIFY(press("Monitorstop"));
        QVERIFY(*saved);
        QVERIFY(!state->LoggingActive);
        QCOMPARE(fileText(dataLog()), expected);
        QCOMPARE(fileText(copy), expected);
    }

    void eventModeLogsTickedChannels()
    {
        linkWithSensors();
        config->Option2Ereigniss->setChecked(true);
        config->channel_log[0]->setChecked(true);
        config->txt_max[3]->setText(QStringLiteral("100"));
        QVERIFY(press("MonitorStart"));
        QVERIFY(!config->Timer2->isActive());
        sendData(0, {128, 0x20, 0x30, 0x08});
        sendData(2, {0x10, 0, 0, 0x08});
        sendData(0, {0, 0x20, 0x30, 0x08});
        // The unticked channel's fields follow its telegrams all the same.
        QCOMPARE(config->txt_data_4[2]->text(), QStringLiteral("6,3"));
        QCOMPARE(config->txt_data_1[2]->text(), QStringLiteral("8"));
        const auto cancelled = answerSaveDialog(QString());
        QVERIFY(press("Monitorstop"));
        QVERIFY(*cancelled);
        const QString rows = fileText(dataLog()).section(QLatin1String("\r\n"), 4);
        QCOMPARE(rows, QStringLiteral("08.12.26 10:00:01; 1 ;4 Byte Sensor;000FA850;8;48;32;50,2; 0 \r\n"
                                      "08.12.26 10:00:03; 1 ;4 Byte Sensor;000FA850;8;48;32;0; 0 \r\n"));
    }

    // When the ring of samples runs past 999, the sample that takes index 1
    // again still has its row: 1000 steps, the first only opening the log.
    void rowAtTheWrap()
    {
        linkWithSensors();
        config->Option2Ereigniss->setChecked(true);
        config->channel_log[2]->setChecked(true);
        QVERIFY(press("MonitorStart"));
        for (int i = 1; i < 1000; ++i)
            config->RecordMonitorSample();
        QCOMPARE(state->logging.samples.counter, 1);
        const auto cancelled = answerSaveDialog(QString());
        QVERIFY(press("Monitorstop"));
        QCOMPARE(lineCount(dataLog()), 4 + 999);
        QVERIFY(fileText(dataLog()).endsWith(QStringLiteral("08.12.26 10:16:39; 3 ;1 Byte Sensor;00813C22;8;0;0;90; 0 \r\n")));
    }

    void allChannelsModeAndAFreshLog()
    {
        linkWithSensors();
        config->Optionallintervall->setChecked(true);
        config->channel_log[0]->setChecked(true);
        config->channel_log[2]->setChecked(true);
        config->txtTimerallInterval->setText(QStringLiteral("1"));
        config->Timer2->setInterval(150);
        QVERIFY(press("MonitorStart"));
        QTRY_COMPARE(lineCount(dataLog()), 8);
        auto cancelled = answerSaveDialog(QString());
        QVERIFY(press("Monitorstop"));
        QVERIFY(*cancelled);
        QCOMPARE(fileText(dataLog()).section(QLatin1String("\r\n"), 4),
                 QStringLiteral("08.12.26 10:00:01; 1 ;4 Byte Sensor;000FA850;8;48;32;128; 0 \r\n"
                                "08.12.26 10:00:01; 3 ;1 Byte Sensor;00813C22;8;0;0;90; 0 \r\n"
                                "08.12.26 10:00:02; 1 ;4 Byte Sensor;000FA850;8;48;32;128; 0 \r\n"
                                "08.12.26 10:00:02; 3 ;1 Byte Sensor;00813C22;8;0;0;90; 0 \r\n"));

        // Stop, then Start: the old log goes, a fresh one begins with its header.
        QVERIFY(press("MonitorStart"));
        QCOMPARE(fileText(dataLog()).section(QLatin1String("\r\n"), 1),
                 QStringLiteral("Logfile erstellt mit nvx_ethernet.exe am: 08.12.26\r\nAls Trennzeichen ; verwenden!\r\n"
                                "Zeit;Kanal;ORG-Nummer;Adresse;Datenbyte 0;Datenbyte 1;Datenbyte 2;Datenbyte 3;"
                                "Zeitfehlertelegramm\r\n"));
        // While logging runs, the search is refused.
        const auto error = nvxtest::answerError();
        config->Search_Click();
        QVERIFY(error->shown);
        QCOMPARE(error->firstLine, nvxtest::errorText(ErrorLoggingActive));
        cancelled = answerSaveDialog(QString());
        QVERIFY(press("Monitorstop"));
    }

    void modeSwitch()
    {
        linkWithSensors();
        config->Auswahl[1]->setCurrentIndex(2);
        QVERIFY(config->MonitorStart->isEnabled());
        config->Optionallintervall->setChecked(true);
        QVERIFY(config->MonitorStart->isEnabled());
        QVERIFY(!config->Frame4->isHidden() && !config->Monitorintervallframe->isHidden());
        QVERIFY(config->Diagrammframe->isHidden());
        config->channel_log[7]->setChecked(true);
        config->channel_log[7]->setChecked(false);
        QVERIFY(!config->MonitorStart->isEnabled());
        config->Option2Ereigniss->setChecked(true);
        QVERIFY(config->Monitorintervallframe->isHidden());
        config->Auswahl[1]->setCurrentIndex(0);
        config->Option1Intervall->setChecked(true);
        QVERIFY(!config->Diagrammframe->isHidden() && config->Frame1->isHidden());
        QVERIFY(!config->MonitorStart->isEnabled());
        QCOMPARE(state->logging.SeriesChannel, (std::array<int, 5>{-1, -1, -1, -1, -1}));
    }

    // Keys typed into a field of the tab, then the field left.
    void fieldRules_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("Max1 minus") << "Max1" << "" << "-" << "-" << "0";
        QTest::newRow("Max1 minus twice") << "Max1" << "" << "--" << "" << "0";
        QTest::newRow("Min2 one minus") << "Min2" << "" << "1-" << "1-" << "0";
        QTest::newRow("Min3 second comma") << "Min3" << "" << "1,,5" << "1,5" << "1,5";
        QTest::newRow("Max5 letters") << "Max5" << "" << "-2x.5" << "-25" << "-25";
        QTest::newRow("txt_min minus signs") << "txt_min_0" << "" << "-,,-2" << "0-,-2" << "0-,-2";
        QTest::newRow("rows 1") << "txtrowcountintervall" << "" << "1" << "1" << "2";
        QTest::newRow("rows 0") << "txtrowcountintervall" << "" << "0" << "0" << "2";
        QTest::newRow("rows 250") << "txtrowcountintervall" << "" << "250" << "250" << "100";
        QTest::newRow("rows empty") << "txtrowcountintervall" << "" << "" << "" << "20";
        QTest::newRow("interval above") << "txtTimerInterval" << "" << "99999" << "99999" << "65535";
        QTest::newRow("interval digits only") << "txtTimerInterval" << "" << "a1-" << "1" << "1";
        QTest::newRow("all interval kept") << "txtTimerallInterval" << "7" << "0000" << "70000" << "70000";
        QTest::newRow("maxdia empty") << "maxdia" << "" << "" << "" << "40";
        QTest::newRow("mindia minus") << "mindia" << "" << "-5," << "-5" << "-5";
        QTest::newRow("mindia empty") << "mindia" << "" << "" << "" << "0";
    }
    void fieldRules()
    {
        QFETCH(QString, field);
        QFETCH(QString, initial);
        QFETCH(QString, keys);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        m_bench = std::make_unique<nvxtest::LinkedReceiver>();
        config = m_bench->config.get();
        m_bench->state.DecimalSeparator = QStringLiteral(",");
        auto *edit = config->findChild<QLineEdit *>(field);
        QVERIFY(edit);
        edit->setEnabled(true);
        edit->setText(initial);
        edit->setCursorPosition(edit->text().size());
        QTest::keyClicks(edit, keys);
        QCOMPARE(edit->text(), typed);
        leave(edit);
        QCOMPARE(edit->text(), left);
    }

    void clearingFieldsRefillsThem()
    {
        m_bench = std::make_unique<nvxtest::LinkedReceiver>();
        config = m_bench->config.get();
        config->txt_max[2]->clear();
        QCOMPARE(config->txt_max[2]->text(), QStringLiteral("0"));
        config->txtTimerallInterval->clear();
        QCOMPARE(config->txtTimerallInterval->text(), QStringLiteral("0"));
        config->Check_sensorId->setChecked(true);
        QVERIFY(config->txt_check_ID[14]->isVisibleTo(config->frm_gateway));
        config->txt_check_ID[3]->setText(SensorId);
        config->Check_sensorId->setChecked(false);
        QVERIFY(!config->txt_check_ID[14]->isVisibleTo(config->frm_gateway));
        QCOMPARE(config->txt_check_ID[3]->text(), SensorId);
        // A spin click at a limit changes nothing.
        config->txtrowcountintervall->setText(QStringLiteral("100"));
        Q_EMIT config->UpDown2->upClick();
        QCOMPARE(config->txtrowcountintervall->text(), QStringLiteral("100"));
        Q_EMIT config->UpDown2->downClick();
        QCOMPARE(config->txtrowcountintervall->text(), QStringLiteral("99"));
    }

    // The hidden box of the logging steps spills into the receive log once it
    // holds 10000 characters (each line end counting as CR LF).
    void spill_data()
    {
        QTest::addColumn<bool>("full");
        QTest::newRow("one short") << false;
        QTest::newRow("exactly 10000") << true;
    }
    void spill()
    {
        QFETCH(bool, full);
        const bool spills = full;
        linkWithSensors();
        // 100 lines of 98 characters and a line end; one character less.
        QString text;
        for (int i = 0; i < 100; ++i)
            text += QString(98, QLatin1Char('a' + i % 26)) + QLatin1Char('\n');
        if (!full)
            text.remove(0, 1);
        config->txt_log_data->setPlainText(text);
        config->Option2Ereigniss->setChecked(true);
        config->channel_log[0]->setChecked(true);
        QVERIFY(press("MonitorStart"));
        QCOMPARE(QFile::exists(receiveLog()), spills);
        const QString line = config->txt_log_data->toPlainText();
        if (spills) {
            QString expected = text;
            QCOMPARE(fileText(receiveLog()), expected.replace(QLatin1String("\n"), QLatin1String("\r\n")));
            QCOMPARE(line, QStringLiteral("A5 5A 0B 06 5A 00 00 08 00 81 3C 22 00 02   08.12.26  10:00:00\n"));
        } else {
            QVERIFY(line.startsWith(text));
        }
        answerSaveDialog(QString());
        QVERIFY(press("Monitorstop"));
    }

    void recording()
    {
        m_bench = std::make_unique<nvxtest::LinkedReceiver>();
        config = m_bench->config.get();
        state = &m_bench->state;
        config->start3->setEnabled(true);
        QVERIFY(press("start3"));
        Config::appendToBox(config->txt_Empfang, QStringLiteral("one\r\n"));
        QVERIFY(press("pause3"));
        QVERIFY(config->start3->isEnabled() && config->stop3->isEnabled() && !config->pause3->isEnabled());
        // The caret inside the box does not split the line.
        QTextCursor caret = config->txt_Empfang->textCursor();
        caret.setPosition(1);
        config->txt_Empfang->setTextCursor(caret);
        QVERIFY(press("stop3"));
        QCOMPARE(fileText(receiveLog()), QStringLiteral("one\r\n\r\n\r\n"));
        QVERIFY(config->txt_Empfang->toPlainText().isEmpty());
        QVERIFY(press("stop3") == false);

        // A receive log that cannot be written leaves the box its text.
        QVERIFY(QFile::remove(receiveLog()));
        QVERIFY(QDir().mkpath(receiveLog()));
        QVERIFY(press("start3"));
        Config::appendToBox(config->txt_Empfang, QStringLiteral("two\r\n"));
        QVERIFY(press("stop3"));
        QCOMPARE(config->txt_Empfang->toPlainText(), QStringLiteral("two\n\n\n"));
        config->txt_log_data->setPlainText(QString(10000, QLatin1Char('x')));
        config->ReceiveBoxSpill(config->txt_log_data);
        QCOMPARE(config->txt_log_data->toPlainText().size(), 10000);
        // Start after a stop empties the box.
        QVERIFY(press("start3"));
        QVERIFY(config->txt_Empfang->toPlainText().isEmpty());
    }

    // A click on a button takes the focus, as on the original: the field
    // left behind runs its leave rule before the handler reads it.
    void leaveRuleBeforeClick_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("button");
        QTest::addColumn<QString>("left");
        QTest::newRow("Start after an unfinished Max2") << "Max2" << "5-" << QStringList{"MonitorStart"} << "0";
        QTest::newRow("spin after an interval above its limit")
            << "txtTimerInterval" << "99999" << QStringList{"UpDown1", "down"} << "65534";
        QTest::newRow("chart scroll after too few rows") << "txtrowcountintervall" << "1" << QStringList{"HScroll1"}
                                                         << "2";
    }
    void leaveRuleBeforeClick()
    {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(QStringList, button);
        QFETCH(QString, left);
        linkWithSensors();
        chartModeEvery50ms();
        config->Auswahl[1]->setCurrentIndex(1);
        config->SSTab1->setCurrentIndex(2);
        config->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(config));
        // As a Stop leaves the chart's scroll bar.
        config->HScroll1->setEnabled(true);
        auto *edit = config->findChild<QLineEdit *>(field);
        QVERIFY(edit && edit->isEnabled());
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, keys);
        QWidget *target = config;
        for (const QString &name : button)
            target = target->findChild<QWidget *>(name);
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(edit->text(), left);
        if (button.first() == QLatin1String("MonitorStart")) {
            QCOMPARE(state->logging.SeriesMax[1], QStringLiteral("0"));
            QTRY_VERIFY(lineCount(dataLog()) >= 7);
            answerSaveDialog(QString());
            QVERIFY(press("Monitorstop"));
        }
    }

    // The save dialog after a Stop: ".log" for a name without extension, and
    // an existing file replaced only once the user agrees.
    void saveDialog_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("existing");
        QTest::addColumn<bool>("replace");
        QTest::newRow("a name without extension") << "run" << false << true;
        QTest::newRow("an existing file, replaced") << "run.log" << true << true;
        QTest::newRow("an existing file, kept") << "run" << true << false;
    }
    void saveDialog()
    {
        QFETCH(QString, typed);
        QFETCH(bool, existing);
        QFETCH(bool, replace);
        linkWithSensors();
        config->Option2Ereigniss->setChecked(true);
        config->channel_log[0]->setChecked(true);
        QVERIFY(press("MonitorStart"));
        const QString saved = m_bench->env.path() + QStringLiteral("/run.log");
        const QString older = QStringLiteral("an older file of that name");
        if (existing) {
            QFile f(saved);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(older.toLatin1());
        }
        auto asked = std::make_shared<bool>(false);
        const auto answered = nvxtest::onNextModal(
            [&](QWidget *w) {
                nvxtest::chooseFile(qobject_cast<QFileDialog *>(w), m_bench->env.path() + u'/' + typed, replace, asked);
            },
            QStringLiteral("CommonDialog1"), 20000);
        QVERIFY(press("Monitorstop"));
        QVERIFY(*answered);
        QCOMPARE(*asked, existing);
        QCOMPARE(fileText(saved), replace ? fileText(dataLog()) : older);
        QVERIFY(!QFile::exists(m_bench->env.path() + QStringLiteral("/run")));
    }

    // A data log deleted or moved away while logging is begun again at its
    // path, header first, and takes the later rows.
    void dataLogBegunAgain_data()
    {
        QTest::addColumn<bool>("moved");
        QTest::newRow("deleted") << false;
        QTest::newRow("moved away") << true;
    }
    void dataLogBegunAgain()
    {
        QFETCH(bool, moved);
        linkWithSensors();
        chartModeEvery50ms();
        QVERIFY(press("MonitorStart"));
        QTRY_VERIFY(lineCount(dataLog()) >= 7);
        const QString away = m_bench->env.path() + QStringLiteral("/moved.txt");
        QVERIFY(moved ? QFile::rename(dataLog(), away) : QFile::remove(dataLog()));
        const QString movedText = fileText(away);
        QTRY_VERIFY(lineCount(dataLog()) >= 7);
        const QString text = fileText(dataLog());
        QVERIFY2(text.startsWith(QStringLiteral("Lorvantis Sensortechnik GmbH\r\n")), qPrintable(text));
        QCOMPARE(text.count(QStringLiteral("Lorvantis")), 1);
        QCOMPARE(fileText(away), movedText);
        QVERIFY(messages().isEmpty());
        answerSaveDialog(QString());
        QVERIFY(press("Monitorstop"));
    }

    // A data log and a receive log that cannot be written: one message in
    // the run, naming both; the samples and the chart go on; once writing
    // works again both files are written, each line once.
    void unwritableLogs_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<bool>("english");
        QTest::newRow("full disk") << "full" << false;
        QTest::newRow("read-only folder") << "read-only" << false;
        QTest::newRow("missing folder") << "missing" << true;
    }
    void unwritableLogs()
    {
        QFETCH(QString, failure);
        QFETCH(bool, english);
        linkWithSensors(english);
        nvxtest::FailingDisk disk(m_bench->env.path() + QStringLiteral("/logs"));
        if (failure == QLatin1String("full")) {
            if (!disk.mountSmall(64))
                QSKIP(qPrintable(disk.skipReason));
            QVERIFY(disk.fill());
        } else if (failure == QLatin1String("read-only")) {
            if (!disk.setReadOnly(true))
                QSKIP(qPrintable(disk.skipReason));
        } else {
            QVERIFY(QDir(disk.folder()).removeRecursively());
        }
        state->ProgramPath = disk.folder() + u'/';
        // The steps' receive lines at the spill size: each step offers them
        // to the receive log.
        QString earlier;
        for (int i = 0; i < 205; ++i)
            earlier += QStringLiteral("earlier receive line %1\n").arg(i, 26, 10, QLatin1Char('0'));
        config->txt_log_data->setPlainText(earlier);
        chartModeEvery50ms();
        QVERIFY(press("MonitorStart"));
        QTRY_VERIFY(state->logging.samples.counter >= 4);
        QCOMPARE(config->chartRowLabels().constLast(), state->logging.samples.labels[state->logging.samples.counter]);
        QVERIFY(Config::boxLength(config->txt_log_data) <= 10000 + 64);
        QCOMPARE(messages().size(), 1);
        const QString message = messages().constFirst()->text();
        QVERIFY2(message.contains(dataLog()) && message.contains(receiveLog()), qPrintable(message));
        QVERIFY(message.startsWith(english ? QStringLiteral("These files cannot be written")
                                           : QStringLiteral("In diese Dateien kann nicht geschrieben werden")));

        if (failure == QLatin1String("full"))
            disk.makeRoom();
        else if (failure == QLatin1String("read-only"))
            QVERIFY(disk.setReadOnly(false));
        else
            QVERIFY(QDir().mkpath(disk.folder()));
        QTRY_VERIFY(lineCount(dataLog()) >= 7 && QFile::exists(receiveLog()));
        answerSaveDialog(QString());
        QVERIFY(press("Monitorstop"));
        QCOMPARE(messages().size(), 1);
        QVERIFY(fileText(dataLog()).startsWith(QStringLiteral("Lorvantis Sensortechnik GmbH\r\n")));
        QVERIFY(eachLineOnce(dataLog()));
        QVERIFY(eachLineOnce(receiveLog()));
    }

    // A row that the full disk took only in part is told. A copy saved at
    // Stop while the disk is still full holds it whole all the same, and
    // once there is room it stands whole in the data log too.
    void rowTornByAFullDisk()
    {
        linkWithSensors();
        nvxtest::FailingDisk disk(m_bench->env.path() + QStringLiteral("/logs"));
        if (!disk.mountSmall(64))
            QSKIP(qPrintable(disk.skipReason));
        state->ProgramPath = disk.folder() + u'/';
        chartModeEvery50ms();
        QVERIFY(press("MonitorStart"));
        QTRY_VERIFY(lineCount(dataLog()) >= 7);
        QVERIFY(disk.fill());
        QTRY_COMPARE(messages().size(), 1);
        QVERIFY(messages().constFirst()->text().contains(dataLog()));
        const QString copy = m_bench->env.path() + QStringLiteral("/run.log");
        auto saved = answerSaveDialog(copy);
        QVERIFY(press("Monitorstop") && *saved);
        const QString torn = fileText(dataLog());
        const QString whole = fileText(copy);
        QVERIFY(!torn.endsWith(QLatin1String("\r\n")) && whole.startsWith(torn));
        const QStringList rows = whole.split(QLatin1String("\r\n"));
        QVERIFY(rows.constLast().isEmpty() && rows.at(rows.size() - 2).size() == rows.at(rows.size() - 3).size());
        disk.makeRoom();
        saved = answerSaveDialog(copy);
        QVERIFY(press("speichern3") && *saved);
        QCOMPARE(fileText(dataLog()), whole);
        QCOMPARE(fileText(copy), whole);
    }

    // The receive log failing later in the run, after the message about the
    // data log was closed, is told in a message of its own; a file once told
    // is not told again in the run.
    void eachFileToldOnce()
    {
        linkWithSensors();
        state->ProgramPath = m_bench->env.path() + QStringLiteral("/missing/");
        config->Option2Ereigniss->setChecked(true);
        config->channel_log[0]->setChecked(true);
        // The receive line of the Start fills the box to its spill size.
        config->txt_log_data->setPlainText(QString(9950, u'x'));
        QVERIFY(press("MonitorStart"));
        const auto toldOf = [this](const QString &path) {
            const QList<QMessageBox *> shown = messages();
            return shown.size() == 1 && shown.constFirst()->text().contains(path);
        };
        QVERIFY(toldOf(dataLog()) && !toldOf(receiveLog()));
        messages().constFirst()->button(QMessageBox::Ok)->click();
        QTRY_VERIFY(messages().isEmpty());
        sendData(0, {1, 2, 3, 0x08});
        QVERIFY(toldOf(receiveLog()) && !toldOf(dataLog()));
        messages().constFirst()->button(QMessageBox::Ok)->click();
        QTRY_VERIFY(messages().isEmpty());
        sendData(0, {1, 2, 3, 0x08});
        QVERIFY(messages().isEmpty());
        answerSaveDialog(QString());
        QVERIFY(press("Monitorstop"));
    }

    // A malformed telegram with a line end inside still makes one receive
    // line of the logging step.
    void controlCharactersInTheReceiveLine()
    {
        linkWithSensors();
        QSignalSpy received(config, &Config::telegramReceived);
        m_bench->module->sendText("A55A0B07\r\n0000080012A3FF00FF");
        QTRY_COMPARE(received.size(), 1);
        config->Auswahl[0]->setCurrentIndex(1);
        QVERIFY(press("MonitorStart"));
        QCOMPARE(config->txt_log_data->toPlainText(),
                 QStringLiteral("A5 5A 0B 07 ?? 00 00 08 00 12 A3 FF 00 FF   08.12.26  10:00:00\n"));
        answerSaveDialog(QString());
        QVERIFY(press("Monitorstop"));
    }

    // The data log is written in the Windows code page of the address files.
    void euroFromAnAddressFile()
    {
        linkWithSensors();
        AddressExport e;
        e.table.orgBytes[0] = QStringLiteral("Zähler €");
        e.table.systemIds[0] = SensorId;
        e.channelLine = state->Texts[5];
        e.descriptionLabel = state->Texts[6];
        e.addressLabel = state->Texts[7];
        e.orgNumberLabel = state->Texts[8];
        const QString adr = m_bench->env.path() + QStringLiteral("/euro.adr");
        QFile file(adr);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(formatAddressFile(e));
        file.close();
        const auto opened = nvxtest::onNextModal(
            [&](QWidget *w) { nvxtest::chooseFile(qobject_cast<QFileDialog *>(w), adr); }, QStringLiteral("CommonDialog1"));
        QVERIFY(press("Ladenbutton2"));
        QVERIFY(*opened);
        QCOMPARE(config->OrgByte[0]->text(), QStringLiteral("Zähler €"));
        config->Optionallintervall->setChecked(true);
        config->channel_log[0]->setChecked(true);
        config->txtTimerallInterval->setText(QStringLiteral("1"));
        config->Timer2->setInterval(50);
        QVERIFY(press("MonitorStart"));
        QTRY_VERIFY(lineCount(dataLog()) >= 5);
        QVERIFY(nvxtest::fileBytes(dataLog()).contains("; 1 ;Z\xE4hler \x80;000FA850;"));
        answerSaveDialog(QString());
        QVERIFY(press("Monitorstop"));
    }

    // Logs whose names are FIFOs are not opened: writing would wait for a
    // reader without end. They count as logs that cannot be written, and the
    // copy of the data log is told as not saved.
    void logsThatAreFifosAreLeftAlone()
    {
        linkWithSensors();
        for (const QString &log : {dataLog(), receiveLog()})
            QVERIFY(::mkfifo(QFile::encodeName(log).constData(), 0600) == 0);
        config->Option2Ereigniss->setChecked(true);
        config->channel_log[2]->setChecked(true);
        QVERIFY(press("MonitorStart"));
        sendData(2, {0x10, 0, 0, 0x08});
        QTRY_COMPARE(messages().size(), 1);
        QVERIFY(messages().constFirst()->text().contains(dataLog()));
        const QString copy = m_bench->env.programPath() + QStringLiteral("kopie.log");
        const auto saved = answerSaveDialog(copy);
        nvxtest::NotSavedMessages told;
        QVERIFY(press("Monitorstop"));
        QVERIFY(*saved);
        QVERIFY(told.texts.size() == 1 && told.texts.constFirst().contains(copy));
        QVERIFY(!QFile::exists(copy));
    }
};

QTEST_MAIN(TestLogging)
#include "test_logging.moc"
