// The firmware upload against the simulated receiver: the bytes and their
// pace on the wire, the failures, and a program that keeps working while
// the file goes out.

#include "firmware_fixture.h"

#include "network/firmwareplan.h"

#include <QMessageBox>

#include <sys/stat.h>

using namespace nvx;
using namespace nvxtest;

class TestFirmware : public QObject {
    Q_OBJECT
    std::unique_ptr<FirmwareBench> b;

    bool firmwareStartSent() const
    {
        for (const QByteArray &d : b->sim.configMessages())
            if (d.startsWith("FIRS"))
                return true;
        return false;
    }

private Q_SLOTS:
    void init()
    {
        b = std::make_unique<FirmwareBench>();
        QVERIFY(b->setUp());
    }
    void cleanup() { b.reset(); }

    void transfer_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QByteArray>("prefix");
        QTest::addColumn<QList<qsizetype>>("chunks");
        QTest::newRow("1025 bytes") << qint64(1025) << QByteArray::fromHex("00000401") << QList<qsizetype>{1024, 1};
        QTest::newRow("empty") << qint64(0) << QByteArray::fromHex("00000000") << QList<qsizetype>{};
    }
    void transfer()
    {
        QFETCH(qint64, size);
        QFETCH(QByteArray, prefix);
        QFETCH(QList<qsizetype>, chunks);
        const QString path = b->writeFile(size);
        const UploadSeen seen = upload(*b, path);

        // The start request carries the selected receiver's record.
        QCOMPARE(b->sim.firmwareStarts(), QStringList{b->module->macText()});
        QVERIFY(b->sim.configMessages().contains("FIRS" + b->state.CurrentBoard.toBytes()));

        const nvxsim::SimFirmware *fw = b->firmware();
        QCOMPARE(fw->connections, 1);
        QCOMPARE(fw->prefix.toHex(), prefix.toHex());
        QCOMPARE(chunkSizes(fw), chunks);
        QByteArray received;
        for (const auto &c : fw->chunks)
            received += c.data;
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(received, f.readAll());
        const QList<qint64> gaps = chunkGapsMs(fw);
        for (int i = 0; i < gaps.size(); ++i)
            QVERIFY2(gaps[i] >= (i == 0 ? 800 : 500), qPrintable(QString::number(gaps[i])));
        // The program closes the connection three seconds after the last send.
        QTRY_VERIFY(fw->closedByProgram);   // the close reaches the receiver as an event
        const qint64 lastAt = fw->chunks.isEmpty() ? fw->prefixAtUs : fw->chunks.last().atUs;
        QVERIFY2(fw->closedAtUs - lastAt >= 3000000, qPrintable(QString::number(fw->closedAtUs - lastAt)));

        QCOMPARE(seen.barMaximum, int(size));
        QCOMPARE(seen.barValue, int(size));
        QVERIFY(seen.restartWait);
        QCOMPARE(seen.restartWaitText, text(15));
        QCOMPARE(seen.result, text(19));
        QCOMPARE(b->state.StatusCode, int(StatusIdle));
    }

    // Whatever cuts the transfer short is a failed update, reported as such.
    void failure_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<qint64>("closeAfter");
        QTest::addColumn<qint64>("bytesArrived");
        QTest::addColumn<qint64>("minimumMs");
        QTest::addColumn<bool>("becomesFifo");
        QTest::newRow("refused") << int(nvxsim::SimFirmware::Answer::Refuse) << qint64(-1) << qint64(0) << qint64(0)
                                 << false;
        QTest::newRow("closed after 2048 bytes") << int(nvxsim::SimFirmware::Answer::Accept) << qint64(2048)
                                                 << qint64(2048) << qint64(0) << false;
        // The time-out does not come short.
        QTest::newRow("never answered") << int(nvxsim::SimFirmware::Answer::NeverAnswer) << qint64(-1) << qint64(0)
                                        << qint64(firmware::ConnectTimeoutMs) << false;
        // The dialog takes a regular file only; the name can change after.
        QTest::newRow("file became a FIFO") << int(nvxsim::SimFirmware::Answer::Accept) << qint64(-1) << qint64(0)
                                            << qint64(0) << true;
    }
    void failure()
    {
        QFETCH(int, answer);
        QFETCH(qint64, closeAfter);
        QFETCH(qint64, bytesArrived);
        QFETCH(qint64, minimumMs);
        QFETCH(bool, becomesFifo);
        if (becomesFifo)
            watchNextModal(
                [this](QWidget *) {
                    const QString path = b->writeFile(0);
                    QVERIFY(QFile::remove(path) && ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
                },
                QStringLiteral("frmState"), 60000);
        nvxsim::SimFirmware *fw = b->firmware();
        fw->answer = nvxsim::SimFirmware::Answer(answer);
        fw->closeAfterBytes = closeAfter;
        b->state.OperationFailed = false;
        const UploadSeen seen = timedUpload(*b, 3000);
        QVERIFY(seen.statusWindowShown);
        QCOMPARE(seen.result, text(18));
        QCOMPARE(seen.statusAtResult, int(StatusFirmwareUpload));
        QVERIFY(seen.operationFailed);
        QVERIFY(!seen.restartWait);
        QCOMPARE(fw->fileBytes(), bytesArrived);
        // Measured in whole milliseconds, hence one less.
        QVERIFY2(seen.resultAfterMs >= minimumMs - 1 && seen.resultAfterMs < minimumMs + 5000,
                 qPrintable(QString::number(seen.resultAfterMs)));
    }

    void cancelledFileDialogSendsNothing()
    {
        const UploadSeen seen = upload(*b, QString());
        QVERIFY(seen.dialogShown);
        QVERIFY(!seen.statusWindowShown);
        QVERIFY(!firmwareStartSent());
        QCOMPARE(b->firmware()->connections, 0);
        QCOMPARE(b->state.StatusCode, int(StatusIdle));
    }

    // A name that does not exist is refused and the dialog comes again.
    void missingFileAsksAgain()
    {
        const QString missing = b->env.path() + QStringLiteral("/missing.bin");
        QString message;
        watchNextModal(
            [&](QWidget *w) {
                auto *dialog = qobject_cast<QFileDialog *>(w);
                QVERIFY(dialog);
                QCOMPARE(dialog->windowTitle(), QStringLiteral("File Select"));
                QCOMPARE(dialog->nameFilters(),
                         (QStringList{QStringLiteral("Bin File (*.bin)"), QStringLiteral("All File (*.*)")}));
                chooseFile(dialog, missing);
                watchNextModal(
                    [&](QWidget *box) {
                        message = qobject_cast<QMessageBox *>(box)->text();
                        qobject_cast<QMessageBox *>(box)->accept();
                        watchNextModal([](QWidget *again) { qobject_cast<QDialog *>(again)->reject(); },
                                       QStringLiteral("OpenLog"), 60000);
                    },
                    {}, 60000);
            },
            QStringLiteral("OpenLog"), 60000);
        b->config->MenueDateiUpload_Click();
        QCOMPARE(message, QStringLiteral("No existing ") + missing);
        QVERIFY(!firmwareStartSent());
    }

    void wrongAddressIsRefused()
    {
        b->config->txtIP->setText(QStringLiteral("127.0.0.256"));
        const auto error = answerError();
        const UploadSeen seen = upload(*b, b->writeFile(10));
        QVERIFY(error->shown);
        QCOMPARE(error->firstLine, errorText(4));
        QVERIFY(!seen.dialogShown);
        QVERIFY(!firmwareStartSent());
    }

    void withoutSelectedReceiverNothingHappens()
    {
        b->state.BoardSelected = false;
        const UploadSeen seen = upload(*b, b->writeFile(10));
        QVERIFY(!seen.dialogShown);
        QVERIFY(!firmwareStartSent());
    }

    // The pauses never freeze the program: the main window repaints, a
    // telegram that arrives meanwhile is processed, the event loop turns.
    void programKeepsWorkingDuringTransfer()
    {
        int paints = 0;
        struct PaintCounter : QObject {
            int *n;
            explicit PaintCounter(int *count) : n(count) {}
            bool eventFilter(QObject *, QEvent *e) override
            {
                if (e->type() == QEvent::Paint)
                    ++*n;
                return false;
            }
        } counter(&paints);
        b->config->txtIP->installEventFilter(&counter);

        QElapsedTimer beat;
        qint64 longestGap = 0;
        QTimer ticker;
        ticker.setInterval(10);
        connect(&ticker, &QTimer::timeout, &ticker, [&] {
            longestGap = qMax(longestGap, beat.restart());
        });

        const QByteArray telegram = nvxsim::SimModule::channelTelegram(0, QStringLiteral("05"),
                                                                        QStringLiteral("0012A3F1"), {0x30, 0, 0, 0x08});
        bool seenDuringTransfer = false;
        qint64 fileBytesThen = -1;
        const UploadSeen seen = upload(*b, b->writeFile(3000), false, [&] {
            beat.start();
            ticker.start();
            const quint64 before = b->config->telegramsProcessed();
            paints = 0;
            b->config->txtIP->update();
            b->module->sendText(telegram);
            QTRY_VERIFY_WITH_TIMEOUT(b->config->telegramsProcessed() > before, 1000);
            QTRY_VERIFY_WITH_TIMEOUT(paints > 0, 1000);
            QCOMPARE(b->config->txtletztesTelegramm->text(), QString::fromLatin1(telegram));
            fileBytesThen = b->firmware()->fileBytes();
            seenDuringTransfer = true;
        }, 3000);
        ticker.stop();
        QVERIFY(seenDuringTransfer);
        QVERIFY2(fileBytesThen < 3000, qPrintable(QString::number(fileBytesThen)));
        QVERIFY2(longestGap < 250, qPrintable(QString::number(longestGap)));
        QCOMPARE(chunkSizes(b->firmware()), (QList<qsizetype>{1024, 1024, 952}));
        QCOMPARE(seen.result, text(19));
    }
};

QTEST_MAIN(TestFirmware)
#include "test_firmware.moc"
